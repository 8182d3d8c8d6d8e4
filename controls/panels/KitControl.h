#pragma once
// Control bases of the kits and the bevelled panels.
//
// TCustomControl is our stand-in for the class library's self-painting
// windowed control: it turns Qt's events into the dynamic operations and
// events the forms use (Click, MouseDown/OnMouseDown, KeyPress/OnKeyPress,
// DoEnter/OnEnter, Resize/OnResize, ...) with the class library's order:
// on a left button release over the control OnClick runs before OnMouseUp.
//
// Property style: a getter named as the property and a setter with "Set":
//     pnl_top->SetAlign(alTop); pnl_top->SetColor(0xCFBCA9);
//     pnl_top->Bevel()->SetBorderWidth(5);
//     btn_search->SetCaption("조 회"); btn_search->Caption();
// Event handlers are std::function members (see KitTypes.h):
//     btn_search->OnClick = [this](QObject *Sender) { btn_searchClick(Sender); };

#include "controls/panels/KitAlignLayout.h"
#include "controls/panels/KitBevel.h"
#include "controls/panels/KitGraphics.h"
#include "controls/panels/KitTypes.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdint>

class QPainter;

// Whether the widget is the focused control of its window (also while the
// window itself is not active).
bool KitIsFocused(const QWidget *w);
// Takes the focus of its window away from the control or a control inside it,
// to no other control (the form keeps the focus itself).
void KitDefocus(QWidget *w);
// The form a control sits on: the child window of a multiple-document frame
// that holds it, or else its top-level window.
QWidget *KitParentForm(QWidget *w);

class TCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget *parent = nullptr);

    // ---- properties ----
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t v) { FTag = v; }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &v) { if (KitTakeNew(FCaption, v)) TextChanged(); }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { if (KitTakeNew(FColor, v)) ColorChanged(); }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { if (KitTakeNew(FFontColor, v)) FontChanged(); }
    TAlign Align() const { return GetAlign(this); }
    void SetAlign(TAlign v) { ::SetAlign(this, v); }
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool v) { setVisible(v); }
    // The control's own enabled flag; false also disables every control
    // inside, and a focus within the control goes to the form, not to the
    // next control.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool v);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool v);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool v);
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    // Size changes re-align the docked siblings at once (also while hidden).
    void SetLeft(int v) { move(v, y()); }
    void SetTop(int v) { move(x(), v); }
    void SetWidth(int v) { resize(v, height()); RealignParent(this); }
    void SetHeight(int v) { resize(width(), v); RealignParent(this); }
    void SetBounds(int l, int t, int w, int h) { setGeometry(l, t, w, h); RealignParent(this); }
    bool Focused() const { return KitIsFocused(this); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // The client area: the control less the border drawn outside it.
    TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    // ---- events ----
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // ---- dynamic operations (override to change behaviour, call the base to fire the event) ----
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void KeyDown(int &Key, Qt::KeyboardModifiers Shift);
    virtual void KeyUp(int &Key, Qt::KeyboardModifiers Shift);
    virtual void KeyPress(QChar &Key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Resize();

    // Repaints at once (the platform's Repaint); Invalidate asks for a later paint.
    void Repaint() { repaint(); }
    void Invalidate() { update(); }

protected:
    // Paints the client area; the painter's origin is the client's top left.
    virtual void Paint(QPainter &p) {}
    // Width of a border drawn outside the client area (a window border).
    virtual int NonClientWidth() const { return 0; }
    virtual void PaintNonClient(QPainter &p) {}
    virtual void TextChanged() { update(); }
    virtual void FontChanged() { update(); }
    virtual void ColorChanged() { update(); }
    virtual void Ctl3DChanged() { update(); }
    virtual void MouseEnterMsg() {}
    virtual void MouseLeaveMsg() {}
    // Whether a left press starts a click (csClickEvents).
    bool ClickEvents = true;

    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    std::intptr_t FTag = 0;
    QString FCaption;
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    bool FTabStop = false;
    bool FCtl3D = true;
    bool FClicked = false;
    bool FEntered = false; // between DoEnter and DoExit
};

class TKitChangeLink;

// What a control needs of an image list of the kit: change registration and
// whether it can supply an image.
class TKitImageSource {
public:
    virtual ~TKitImageSource() = default;
    virtual void RegisterChanges(TKitChangeLink *link) = 0;
    virtual void UnRegisterChanges(TKitChangeLink *link) = 0;
    virtual bool HasImage(int ListIndex, int ImageIndex) const = 0;
};

// A link through which an image list tells a control that it changed.
class TKitChangeLink {
public:
    QObject *Sender = nullptr;
    TNotifyEvent OnChange;
    void Change() { if (OnChange) OnChange(Sender); }
};

// The base of all windowed controls of the kit.
class TKitCustomControl : public TCustomControl {
    Q_OBJECT
public:
    explicit TKitCustomControl(QWidget *parent = nullptr);
    ~TKitCustomControl() override;

    QString About;
    bool MouseInside() const { return FMouseInside; }
    bool HasFocus() const { return FHasFocus; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool RepaintOnChange = true;

    TKitImageSource *ImageList() const { return FImageList; }
    void SetImageList(TKitImageSource *v);
    int ImageIndex() const { return FImageIndex; }
    int ListIndex() const { return FListIndex; }
    void SetImageIndex(int v) { SetIndex(0, v); }
    void SetListIndex(int v) { SetIndex(1, v); }
    void SetIndex(int which, int v); // 0 = ImageIndex, 1 = ListIndex
    bool NoImage() const;
    TKitChangeLink *ChangeLink() { return &FChangeLink; }

    TNotifyEvent OnFocusGained;
    TNotifyEvent OnFocusLost;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    virtual bool TransparentActive() const { return FTransparent && BackBitmapAvailable(); }
    virtual void PaintBackground(QPainter &p);
    virtual void GetChange(QObject *Sender);
    virtual bool NeedsDesignFrame() const { return true; }
    virtual void ImageListChanged(QObject *Sender) { GetChange(Sender); }
    virtual void MouseEnter();
    virtual void MouseExit();
    // Ask for the flat (unfocused, not hovered) or the hot frame look.
    virtual void PaintFlatBorder() { update(); }
    virtual void PaintHotBorder() { update(); }
    // Background chain of transparent controls.
    virtual const QImage *GetBackBitmap() const { return nullptr; }
    virtual bool BackBitmapAvailable() const { return false; }
    virtual bool CopyBackground(QPainter &p, const TRect &r, QPoint offset) const { return false; }
    virtual QPoint BackOffset(QPoint p) const { return p; }
    virtual bool BackBitmapQuery() const { return false; }

    void FillBackgroundRect(QPainter &p, const TRect &r);
    // Tells the control (and, while transparent, its children) that the
    // background behind it changed.
    void BackChanged();

    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint(QPainter &p) override;
    // What the flat and hot frame looks draw (in window coordinates).
    virtual void DrawFlatBorder(QPainter &p);
    virtual void DrawHotBorder(QPainter &p);
    // Draws the hot or flat frame when Flat asks for one.
    void PaintFlatState(QPainter &p);
    void MouseEnterMsg() override { MouseEnter(); }
    void MouseLeaveMsg() override { MouseExit(); }
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void moveEvent(QMoveEvent *e) override;

    bool FMouseInside = false;
    bool FHasFocus = false;
    bool FFlat = false;
    bool FTransparent = false;

private:
    TKitImageSource *FImageList = nullptr;
    int FImageIndex = 0;
    int FListIndex = 0;
    TKitChangeLink FChangeLink;
};

class TKitCustomPanel : public TKitCustomControl {
    Q_OBJECT
public:
    explicit TKitCustomPanel(QWidget *parent = nullptr);
    bool Locked = false;

    const QImage *GetBackBitmap() const override;
    bool BackBitmapAvailable() const override;
    bool CopyBackground(QPainter &p, const TRect &r, QPoint offset) const override;
    QPoint BackOffset(QPoint p) const override;
};

class TKitCustomBevelPanel : public TKitCustomPanel {
    Q_OBJECT
public:
    explicit TKitCustomBevelPanel(QWidget *parent = nullptr);
    ~TKitCustomBevelPanel() override;

    TKitBevel *Bevel() const { return FBevel; }
    void SetBevel(const TKitBevel *v);

    void GetChange(QObject *Sender) override;
    bool NeedsDesignFrame() const override;
    void MouseEnter() override;
    void DoEnter() override;

    // Times the window was "recreated" for a change of the windows border.
    int RecreateCount() const { return FRecreateCount; }

protected:
    void Paint(QPainter &p) override;
    void DrawFlatBorder(QPainter &p) override;
    void DrawHotBorder(QPainter &p) override;
    int NonClientWidth() const override;
    void PaintNonClient(QPainter &p) override;
    void resizeEvent(QResizeEvent *e) override;
    void Ctl3DChanged() override;
    // Puts the frame (and the window border) into the contents margins so the
    // align layout docks children inside it.
    void AlignControls();
    void RecreateWnd();

private:
    TKitBevel *FBevel;
    bool FWindowsBorderStyle = false; // the window was created with a border
    int FRecreateCount = 0;
};

// The bevelled container panel of the forms.
class TKitSimplePanel : public TKitCustomBevelPanel {
    Q_OBJECT
public:
    explicit TKitSimplePanel(QWidget *parent = nullptr) : TKitCustomBevelPanel(parent) {}
};
