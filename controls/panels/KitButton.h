#pragma once
// The kit's glyph push button: a push button that draws its own face, a glyph
// (its own bitmap or an image of a kit image list) and a caption laid out by a
// button layout; it can repeat its click while held and, as TKitButton, drop
// down a menu.
//
//     auto *btn = new TKitButton(parent);
//     btn->setObjectName("btn_gap");
//     btn->SetCaption("결번요청");
//     btn->OnClick = [this](QObject *s) { btn_gapClick(s); };
//     btn->Click();   // what a handler calling the click directly does
// Enter pressed in an edit field of a dialog does not click the button unless
// it is the Default button; Enter or Space on the focused button clicks it.

#include "controls/panels/KitCaptions.h"
#include "controls/panels/KitContainers.h"
#include "controls/panels/KitGlyph.h"
#include "controls/panels/KitKeyHooks.h"

#include <QPointer>
#include <QPushButton>

#include <QMenu>

enum TKitNormalButtonStyle { nbsAutoDetect, nbsWin31, nbsWin40 };

class TKitCustomButton : public QPushButton, public TKitKeyHooks
{
    Q_OBJECT
public:
    explicit TKitCustomButton(QWidget *parent = nullptr);
    ~TKitCustomButton() override;

    // ---- properties ----
    QString Caption() const { return text(); }
    void SetCaption(const QString &v);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool v) { setEnabled(v); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool v) { setVisible(v); }
    bool Default() const { return isDefault(); }
    void SetDefault(bool v) { setDefault(v); }
    bool Cancel = false;
    int ModalResult = 0;
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t v) { FTag = v; }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    QString About;
    TKitButtonLayout *ButtonLayout() const { return FLayout; }
    void SetButtonLayout(const TKitButtonLayout *v) { FLayout->Assign(v); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TKitFxCaption *FontFx() const { return FFontFx; }
    void SetFontFx(const TKitFxCaption *v) { FFontFx->Assign(v); }
    const QImage &Glyph() const { return FGlyph.Bitmap(); }
    void SetGlyph(const QImage &v);
    bool HideHint = true;
    TKitCustomImageList *ImageList() const { return FImageList; }
    void SetImageList(TKitCustomImageList *v);
    int ImageIndex() const { return FIndex[0]; }
    int ListIndex() const { return FIndex[1]; }
    void SetIndex(int which, int v); // 0 ImageIndex, 1 ListIndex
    void SetImageIndex(int v) { SetIndex(0, v); }
    void SetListIndex(int v) { SetIndex(1, v); }
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int v);
    bool RepeatedClick() const { return FRepeatedClick; }
    void SetRepeatedClick(bool v) { FRepeatedClick = v; }
    quint16 RepeatingInterval() const { return FRepeatingInterval; }
    void SetRepeatingInterval(quint16 v) { FRepeatingInterval = v; }
    quint16 RepeatingDelay = 500;
    TKitNormalButtonStyle Style() const { return FStyle; }
    void SetStyle(TKitNormalButtonStyle v);
    // 0 up, 1 disabled, 4 down (as last painted)
    int DrawState() const { return FDrawState; }
    quint16 RepeatTimer() const { return FTimerId; }

    // ---- events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    // The click: fires OnClick (also called by screens directly).
    virtual void Click();

protected:
    void paintEvent(QPaintEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void changeEvent(QEvent *e) override;
    // The change routine of the glyph, layout, caption and font.
    void GetChange(QObject *Sender);
    void RefreshGlyph();
    void StopRepeat();
    bool FDropped = false;

private:
    TKitButtonLayout *FLayout;
    TKitFxCaption *FFontFx;
    TKitGlyph FGlyph;
    QPointer<TKitCustomImageList> FImageList;
    TKitChangeLink FLink;
    int FIndex[2] = {0, 0};
    TColor FColor = clBtnFace;
    bool FMultiLine = false;
    bool FRepeatedClick = false;
    quint16 FRepeatingInterval = 100;
    TKitNormalButtonStyle FStyle = nbsAutoDetect;
    int FDrawState = 0;
    bool FMouseOver = false;
    quint16 FTimerId = 0;
    std::intptr_t FTag = 0;
    bool FInFontChange = false;
};

class TKitButton : public TKitCustomButton
{
    Q_OBJECT
public:
    explicit TKitButton(QWidget *parent = nullptr) : TKitCustomButton(parent) {}
    QMenu *DropDownMenu() const { return FMenu; }
    void SetDropDownMenu(QMenu *v);
    int DropDownIndent = 0;
    bool DropDownRight = false;
    TNotifyEvent OnDropDown;
    bool Dropped() const { return FDropped; }
    // Where the menu opens (screen coordinates).
    QPoint DropDownPoint() const;
    void Click() override;

private:
    QPointer<QMenu> FMenu;
};
