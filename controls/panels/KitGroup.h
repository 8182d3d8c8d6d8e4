#pragma once
// The kit's check box and radio button: panel-based controls that paint a
// glyph (their own check or radio images, or an image of a kit image list)
// and a caption.
//
//     auto *rd = new TKitRadioButton(parent);
//     rd->setObjectName("rdbtn_common");
//     rd->SetCaption("일반");
//     rd->SetChecked(true);                    // unchecks the other radio buttons of the parent
//     rd->OnClick = [this](QObject *s) { rdbtn_commonClick(s); };
//     if (chk->Checked()) ...

#include "controls/panels/KitCaptions.h"
#include "controls/panels/KitControl.h"

#include <QAction>
#include <QImage>
#include <QPointer>

enum TKitGlyphTextFocusStyle { fcControl, fcText, fcGlyph, fcGlyphText, fcNone };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// An image list that can hand out a copy of one of its images.
class TKitImageCopier
{
public:
    virtual ~TKitImageCopier() = default;
    virtual QImage CopyImage(int ListIndex, int ImageIndex) const = 0;
};

// The image (ListIndex, ImageIndex) of a kit image list, or a null image.
QImage KitSourceImage(const TKitImageSource *List, int ListIndex, int ImageIndex);

class TKitButtonControl;

// Carries an action's Checked to its check box or radio button.
class TKitButtonActionLink : public QObject
{
    Q_OBJECT
public:
    TKitButtonActionLink(TKitButtonControl *Client, QAction *Action);
    QAction *Action() const { return FAction; }
    // Checked is linked when the action is checkable and agrees with the client.
    bool IsCheckedLinked() const;
    // Writes the client's Checked with clicks disabled.
    void SetChecked(bool Value);

private:
    TKitButtonControl *FClient;
    QPointer<QAction> FAction;
};

class TKitButtonControl : public TKitCustomPanel
{
    Q_OBJECT
public:
    explicit TKitButtonControl(QWidget *parent = nullptr);
    ~TKitButtonControl() override;

    TKitGlyphTextLayout *Alignment() const { return FAlignment; }
    void SetAlignment(const TKitGlyphTextLayout *v) { FAlignment->Assign(v); }
    bool AutoSize() const { return FFlags[0]; }
    bool GlyphTransparent() const { return FFlags[1]; }
    bool GlyphFlat() const { return FFlags[2]; }
    void SetFlag(int index, bool v); // 0 AutoSize, 1 GlyphTransparent, 2 GlyphFlat
    void SetAutoSize(bool v) { SetFlag(0, v); }
    void SetGlyphTransparent(bool v) { SetFlag(1, v); }
    void SetGlyphFlat(bool v) { SetFlag(2, v); }
    int GlyphSize() const { return FGlyphSize; }
    void SetGlyphSize(int v);
    TColor GlyphTransparentColor() const { return FGlyphTransparentColor; }
    void SetGlyphTransparentColor(TColor v);
    TKitGlyphTextFocusStyle FocusStyle() const { return FFocusStyle; }
    void SetFocusStyle(TKitGlyphTextFocusStyle v);
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v);
    bool UseFocusColor() const { return FUseFocusColor; }
    void SetUseFocusColor(bool v);
    TKit3DCaption *Font3D() const { return FFont3D; }
    void SetFont3D(const TKit3DCaption *v) { FFont3D->Assign(v); }
    bool ReadOnly = false;
    bool UseBitmap = false;
    QAction *Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
    // Takes caption, enabled state and Checked from the action and follows its changes.
    void SetAction(QAction *Action);

    virtual bool Checked() const = 0;
    virtual void SetChecked(bool v) = 0;
    virtual bool CanChange() const { return !ReadOnly; }
    // Rebuilds the glyph strip (own images, or the list image when one is used).
    virtual void BuildGlyphStrip();
    // The own check or radio glyphs drawn into the strip at the pixel ratio dpr.
    void DrawOwnGlyphStrip(qreal dpr);
    void ResizeToContent();
    // Index of the strip image shown now (override k > 0 as for the radio button).
    virtual int GlyphImageIndex(int Override = 0) const = 0;
    const QImage &GlyphStrip() const { return FStrip; }
    int GlyphCellWidth() const;
    // The rectangle the caption and glyph occupy (also the focus rectangle).
    TRect ContentRect();

    void ImageListChanged(QObject *Sender) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint(QPainter &p) override;
    TRect DrawContent(QPainter &p, bool Real, const TRect &R, int GlyphOverride);
    virtual TRect ContentArea() const;
    virtual int CellsInStrip() const = 0;
    virtual void DrawOwnGlyphs(QPainter &p, int cell) = 0;
    virtual TColor StripBackground() const = 0;
    virtual void Accelerator() = 0;
    void TextChanged() override;
    void FontChanged() override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    bool event(QEvent *e) override;
    void Refresh();

    bool FClicksDisabled = false;

private:
    friend class TKitButtonActionLink;
    void ActionChanged(bool CheckDefaults);
    bool TakeFocusOnPress();
    TKitButtonActionLink *FActionLink = nullptr;
    TKitGlyphTextLayout *FAlignment;
    TKit3DCaption *FFont3D;
    bool FFlags[3] = {false, false, false};
    int FGlyphSize = 13;
    TColor FGlyphTransparentColor = 0x008080;
    TKitGlyphTextFocusStyle FFocusStyle = fcText;
    TColor FFocusColor = 0x808080;
    bool FUseFocusColor = false;
    QImage FStrip;
    int FShortcutId = 0;
    bool FSizing = false;
};

class TKitCustomCheckBox : public TKitButtonControl
{
    Q_OBJECT
public:
    explicit TKitCustomCheckBox(QWidget *parent = nullptr);

    bool AllowGrayed = false;
    int GlyphNumber() const { return FGlyphNumber; }
    void SetGlyphNumber(int v);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Checked() const override { return FState == cbChecked; }
    void SetChecked(bool v) override;
    TNotifyEvent OnChange;

    int GlyphImageIndex(int Override = 0) const override;
    virtual TCheckBoxState EffectiveState() const { return FState; }
    virtual void Toggle();
    void Click() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

protected:
    int CellsInStrip() const override { return FGlyphNumber * 2; }
    void DrawOwnGlyphs(QPainter &p, int cell) override;
    TColor StripBackground() const override { return clBtnFace; }
    void Accelerator() override;

private:
    int FGlyphNumber = 3;
    TCheckBoxState FState = cbUnchecked;
};

class TKitCheckBox : public TKitCustomCheckBox
{
    Q_OBJECT
public:
    explicit TKitCheckBox(QWidget *parent = nullptr) : TKitCustomCheckBox(parent) {}
};

class TKitRadioButton : public TKitButtonControl
{
    Q_OBJECT
public:
    explicit TKitRadioButton(QWidget *parent = nullptr);

    bool Checked() const override { return FChecked; }
    // Checking unchecks every other TKitRadioButton of the same parent; the
    // checked one becomes the tab stop.
    void SetChecked(bool v) override;
    int GlyphImageIndex(int Override = 0) const override;
    void DoEnter() override;
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift) override;

protected:
    int CellsInStrip() const override { return 4; }
    void DrawOwnGlyphs(QPainter &p, int cell) override;
    TColor StripBackground() const override { return 0x008080; }
    TRect ContentArea() const override;
    void Accelerator() override;

private:
    bool FChecked = false;
};
