#pragma once
// The speed button of the edit controls: a push button without focus that
// shows a multi-image glyph and a caption laid out around it, with flat and
// transparent looks, radio groups, a drop-down menu and auto-repeat. It is the
// side button of the combo edits and the key of the calculator.
//
//     auto *b = new TExSpeedButton(panel);
//     b->SetGlyph(image);          // up to five images side by side
//     b->SetCaption("OK");
//     b->OnClick = [this](QObject *Sender) { ... };

#include "controls/edits/ExButtonGlyph.h"
#include "controls/panels/KitGraphics.h"
#include "controls/panels/KitTypes.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <functional>

class QTimer;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TExDropDownMenuPos { dmpBottom, dmpRight };
using TModalResult = int;

// How caption widths are measured (the control's font, or a fixed grid in tests).
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual int Width(const QString &text) const = 0;
    // Size of text drawn centred within roomWidth (broken at words when wordWrap).
    virtual QSize Extent(const QString &text, int roomWidth, bool wordWrap) const = 0;
};

struct GlyphTextLayout
{
    QPoint GlyphPos;
    TRect TextBounds;
    QString Caption; // shortened to the room
};

// Places glyph and caption inside client. glyph is the glyph image size
// (0 x 0 without glyph); margin and spacing -1 centre and spread.
GlyphTextLayout LayoutGlyphAndText(const TRect &client, QSize glyph, const QString &caption, TButtonLayout layout,
                                   int margin, int spacing, bool dropDownMark, bool wordWrap, const TextMeasurer &m);

class TExSpeedButton : public QWidget
{
    Q_OBJECT
public:
    explicit TExSpeedButton(QWidget *parent = nullptr);
    ~TExSpeedButton() override;

    TAlignment Alignment() const { return FGlyph.Alignment(); }
    void SetAlignment(TAlignment v);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v);
    bool AllowTimer() const { return FAllowTimer; }
    void SetAllowTimer(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v);
    bool Down() const { return FDown; }
    void SetDown(bool v);
    QMenu *DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(QMenu *v);
    TExDropDownMenuPos MenuPosition() const { return FMenuPosition; }
    void SetMenuPosition(TExDropDownMenuPos v) { FMenuPosition = v; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &v);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    const QImage &Glyph() const { return FGlyph.Bitmap(); }
    void SetGlyph(const QImage &v);
    bool GrayedInactive() const { return FGrayedInactive; }
    void SetGrayedInactive(bool v);
    int InitPause() const { return FInitPause; }
    void SetInitPause(int v) { FInitPause = v; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v); // below -1 refused
    bool MarkDropDown() const { return FMarkDropDown; }
    void SetMarkDropDown(bool v);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }
    int NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int v);
    int RepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int v) { FRepeatInterval = v; }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool WordWrap() const { return FGlyph.WordWrap(); }
    void SetWordWrap(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v);
    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool v) { setEnabled(v); }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    // The glyph state the next paint draws (inactive for a flat button away from the mouse).
    TButtonState PaintedGlyphState() const;
    TExButtonGlyph &ButtonGlyph() { return FGlyph; }

    // A click from code: shown down for a moment, then Click.
    void ButtonClick();
    virtual void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // Paints the face (frame, glyph, caption, mark) into p.
    virtual void PaintButton(QPainter &p);
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;

    TButtonState FState = bsUp;
    bool FDragging = false;
    bool FMenuTracking = false;

private:
    void GroupChanged();
    void ButtonPressed(TExSpeedButton *sender);
    void TimerExpired();
    void StopTimer();
    void FinishPress(bool inside, bool fromMenu);
    void UpdateTracking();
    bool NewStyle() const { return FStyle == bsNew || FStyle == bsAutoDetect; }

    TExButtonGlyph FGlyph;
    QString FCaption;
    bool FAllowAllUp = false;
    bool FAllowTimer = false;
    int FGroupIndex = 0;
    bool FDown = false;
    QPointer<QMenu> FDropDownMenu;
    TExDropDownMenuPos FMenuPosition = dmpBottom;
    bool FFlat = false;
    bool FGrayedInactive = true;
    int FInitPause = 500;
    TButtonLayout FLayout = blGlyphTop;
    int FMargin = -1;
    bool FMarkDropDown = true;
    TModalResult FModalResult = 0;
    int FRepeatInterval = 100;
    int FSpacing = 1;
    TButtonStyle FStyle = bsAutoDetect;
    bool FTransparent = false;
    TColor FColor = clBtnFace;
    TColor FFontColor = clBtnText;
    int FTag = 0;
    bool FMouseInControl = false;
    QTimer *FRepeatTimer = nullptr;
};
