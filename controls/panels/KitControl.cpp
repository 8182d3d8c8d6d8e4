#include "controls/panels/KitControl.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>

bool KitIsFocused(const QWidget *w)
{
    if (!w)
        return false;
    if (w->hasFocus())
        return true;
    const QWidget *win = w->window();
    return !win->isActiveWindow() && win->focusWidget() == w;
}

void KitDefocus(QWidget *w)
{
    if (!w)
        return;
    QWidget *win = w->window();
    QWidget *focus = win ? win->focusWidget() : nullptr;
    if (!focus || (focus != w && !w->isAncestorOf(focus)))
        return;
    if (focus->hasFocus())
        focus->clearFocus();
    else if (win != w)
        win->setFocus(Qt::OtherFocusReason); // an inactive window: no focus events
    if (QWidget *left = win->focusWidget(); left && (left == w || w->isAncestorOf(left)))
        left->clearFocus();
}

QWidget *KitParentForm(QWidget *w)
{
    for (QWidget *at = w; at; at = at->parentWidget()) {
        if (at->isWindow() || qobject_cast<QMdiSubWindow *>(at->parentWidget()))
            return at;
    }
    return nullptr;
}

// =========================================================== TCustomControl

TCustomControl::TCustomControl(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
}

void TCustomControl::SetEnabled(bool v)
{
    if (!v && parentWidget())
        KitDefocus(this);
    setEnabled(v);
}

void TCustomControl::SetTabStop(bool v)
{
    FTabStop = v;
    setFocusPolicy(v ? Qt::StrongFocus : Qt::ClickFocus);
}

void TCustomControl::SetCtl3D(bool v)
{
    if (KitTakeNew(FCtl3D, v))
        Ctl3DChanged();
}

TRect TCustomControl::ClientRect() const
{
    int nc = NonClientWidth();
    return TRect(0, 0, std::max(0, width() - 2 * nc), std::max(0, height() - 2 * nc));
}

void TCustomControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TCustomControl::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomControl::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomControl::MouseMove(Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TCustomControl::KeyDown(int &Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TCustomControl::KeyUp(int &Key, Qt::KeyboardModifiers Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TCustomControl::KeyPress(QChar &Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TCustomControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TCustomControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TCustomControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TCustomControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    int nc = NonClientWidth();
    if (nc > 0) {
        PaintNonClient(p);
        p.translate(nc, nc);
        p.setClipRect(ClientRect().toQRect());
    }
    Paint(p);
}

static QPoint clientPos(const TCustomControl *c, QMouseEvent *e)
{
    QPoint pt = e->position().toPoint();
    return pt;
}

void TCustomControl::mousePressEvent(QMouseEvent *e)
{
    QPoint pt = clientPos(this, e);
    if (e->button() == Qt::LeftButton && ClickEvents)
        FClicked = true;
    QPointer<TCustomControl> guard(this);
    MouseDown(e->button(), e->modifiers(), pt.x(), pt.y());
    if (guard)
        e->accept();
}

void TCustomControl::mouseReleaseEvent(QMouseEvent *e)
{
    QPoint pt = clientPos(this, e);
    QPointer<TCustomControl> guard(this);
    if (e->button() == Qt::LeftButton && FClicked) {
        FClicked = false;
        if (rect().contains(pt))
            Click();
        if (!guard)
            return;
    }
    MouseUp(e->button(), e->modifiers(), pt.x(), pt.y());
    if (guard)
        e->accept();
}

void TCustomControl::mouseDoubleClickEvent(QMouseEvent *e)
{
    QPoint pt = clientPos(this, e);
    QPointer<TCustomControl> guard(this);
    if (e->button() == Qt::LeftButton && ClickEvents)
        DblClick();
    if (guard)
        MouseDown(e->button(), e->modifiers(), pt.x(), pt.y());
    if (guard)
        e->accept();
}

void TCustomControl::mouseMoveEvent(QMouseEvent *e)
{
    QPoint pt = clientPos(this, e);
    MouseMove(e->modifiers(), pt.x(), pt.y());
}

void TCustomControl::keyPressEvent(QKeyEvent *e)
{
    // A control that takes no focus sees keys only when a child passes them
    // up; they are not its own keys.
    if (focusPolicy() == Qt::NoFocus) {
        e->ignore();
        return;
    }
    QPointer<TCustomControl> guard(this);
    const int original = QtKeyToVK(e->key());
    int vk = original;
    bool handled = false;
    if (vk) {
        KeyDown(vk, e->modifiers());
        if (!guard)
            return;
        if (vk == 0)
            handled = true;
    }
    {
        // The typed characters follow the key-down even when a handler
        // cleared the key, as the platform's message loop delivers them.
        const QString text = e->text();
        for (QChar c : text) {
            QChar k = c;
            KeyPress(k);
            if (!guard)
                return;
            if (k.isNull())
                handled = true;
        }
    }
    // Keys stay with the control, except Enter and Esc that nobody consumed,
    // which go on to the dialog as its dialog keys.
    if (handled || (original != VK_RETURN && original != VK_ESCAPE))
        e->accept();
    else
        e->ignore();
}

void TCustomControl::keyReleaseEvent(QKeyEvent *e)
{
    if (focusPolicy() == Qt::NoFocus) {
        e->ignore();
        return;
    }
    int vk = QtKeyToVK(e->key());
    if (vk && !e->isAutoRepeat())
        KeyUp(vk, e->modifiers());
    e->accept();
}

// The focus coming back with its window (or from a menu) does not enter the
// control again, and leaving with the window does not exit it; the first
// focus of a newly shown window does enter it.
static bool windowFocusReason(const QFocusEvent *e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

void TCustomControl::focusInEvent(QFocusEvent *e)
{
    QWidget::focusInEvent(e);
    if (windowFocusReason(e) && FEntered)
        return;
    FEntered = true;
    DoEnter();
}

void TCustomControl::focusOutEvent(QFocusEvent *e)
{
    QWidget::focusOutEvent(e);
    if (windowFocusReason(e) || !FEntered)
        return;
    FEntered = false;
    DoExit();
}

void TCustomControl::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Resize();
}

void TCustomControl::enterEvent(QEnterEvent *e)
{
    QWidget::enterEvent(e);
    MouseEnterMsg();
}

void TCustomControl::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    MouseLeaveMsg();
}

void TCustomControl::changeEvent(QEvent *e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        FontChanged();
}

// ======================================================== TKitCustomControl

TKitCustomControl::TKitCustomControl(QWidget *parent) : TCustomControl(parent)
{
    FChangeLink.Sender = this;
    FChangeLink.OnChange = [this](QObject *Sender) { ImageListChanged(Sender); };
    resize(100, 40);
    SetTabStop(false);
    setFocusPolicy(Qt::NoFocus);
}

TKitCustomControl::~TKitCustomControl()
{
    FChangeLink.OnChange = nullptr;
    if (FImageList)
        FImageList->UnRegisterChanges(&FChangeLink);
}

void TKitCustomControl::SetFlat(bool v)
{
    if (KitTakeNew(FFlat, v))
        update();
}

void TKitCustomControl::SetTransparent(bool v)
{
    FTransparent = v;
    setAttribute(Qt::WA_OpaquePaintEvent, !v);
    update();
}

void TKitCustomControl::SetImageList(TKitImageSource *v)
{
    if (FImageList)
        FImageList->UnRegisterChanges(&FChangeLink);
    FImageList = v;
    if (FImageList)
        FImageList->RegisterChanges(&FChangeLink);
    ImageListChanged(nullptr);
}

void TKitCustomControl::SetIndex(int which, int v)
{
    if (v < 0)
        return;
    int &field = which == 0 ? FImageIndex : FListIndex;
    if (field == v)
        return;
    field = v;
    if (FImageList)
        ImageListChanged(nullptr);
}

bool TKitCustomControl::NoImage() const
{
    return !FImageList || !FImageList->HasImage(FListIndex, FImageIndex);
}

void TKitCustomControl::PaintBackground(QPainter &p)
{
    TRect r = ClientRect();
    if (TransparentActive() && CopyBackground(p, r, QPoint(x(), y())))
        return;
    FillRect(p, r, Color());
}

void TKitCustomControl::GetChange(QObject *)
{
    if (RepaintOnChange)
        update();
}

void TKitCustomControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    FMouseInside = true;
}

void TKitCustomControl::MouseExit()
{
    FMouseInside = false;
    if (!FHasFocus)
        PaintFlatBorder();
    if (OnMouseExit)
        OnMouseExit(this);
}

void TKitCustomControl::FillBackgroundRect(QPainter &p, const TRect &r)
{
    if (TransparentActive() && CopyBackground(p, r, QPoint(x(), y())))
        return;
    FillRect(p, r, Color());
}

void TKitCustomControl::BackChanged()
{
    if (TransparentActive()) {
        repaint();
        for (QObject *o : children())
            if (auto *k = qobject_cast<TKitCustomControl *>(o))
                k->BackChanged();
    } else {
        update();
    }
}

void TKitCustomControl::DoEnter()
{
    TCustomControl::DoEnter();
    FHasFocus = true;
    if (FFlat)
        PaintHotBorder();
}

void TKitCustomControl::DoExit()
{
    FHasFocus = false;
    PaintFlatBorder();
    TCustomControl::DoExit();
}

void TKitCustomControl::Paint(QPainter &p)
{
    PaintBackground(p);
    PaintFlatState(p);
}

void TKitCustomControl::PaintFlatState(QPainter &p)
{
    if (!FFlat)
        return;
    if (Focused() || FMouseInside)
        DrawHotBorder(p);
    else
        DrawFlatBorder(p);
}

void TKitCustomControl::DrawFlatBorder(QPainter &p)
{
    p.save();
    p.resetTransform();
    p.setClipping(false);
    TRect r(0, 0, width(), height());
    if (Ctl3D()) {
        FrameRect(p, r, GetSysColor(COLOR_BTNFACE));
        InflateRect(r, -1, -1);
    }
    FrameRect(p, r, GetSysColor(COLOR_BTNFACE));
    p.restore();
}

void TKitCustomControl::DrawHotBorder(QPainter &p)
{
    p.save();
    p.resetTransform();
    p.setClipping(false);
    TRect r(0, 0, width(), height());
    if (Ctl3D()) {
        FrameRect(p, TRect(r.Left + 1, r.Top + 1, r.Right, r.Bottom), GetSysColor(COLOR_WINDOWFRAME));
        FrameRect(p, TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), GetSysColor(COLOR_BTNFACE));
        DrawEdge(p, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        FrameRect(p, r, GetSysColor(COLOR_WINDOWFRAME));
    }
    p.restore();
}

void TKitCustomControl::focusInEvent(QFocusEvent *e)
{
    TCustomControl::focusInEvent(e);
    QPointer<TKitCustomControl> self(this);
    QMetaObject::invokeMethod(
        this, [self]() { if (self && self->OnFocusGained) self->OnFocusGained(self); }, Qt::QueuedConnection);
}

void TKitCustomControl::focusOutEvent(QFocusEvent *e)
{
    TCustomControl::focusOutEvent(e);
    QPointer<TKitCustomControl> self(this);
    QMetaObject::invokeMethod(
        this, [self]() { if (self && self->OnFocusLost) self->OnFocusLost(self); }, Qt::QueuedConnection);
}

void TKitCustomControl::moveEvent(QMoveEvent *e)
{
    TCustomControl::moveEvent(e);
    if (TransparentActive())
        update();
}

// ========================================================== TKitCustomPanel

TKitCustomPanel::TKitCustomPanel(QWidget *parent) : TKitCustomControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    SetColor(clBtnFace);
}

const QImage *TKitCustomPanel::GetBackBitmap() const
{
    auto *kp = qobject_cast<const TKitCustomControl *>(parentWidget());
    if (kp && BackBitmapAvailable())
        return kp->GetBackBitmap();
    return nullptr;
}

bool TKitCustomPanel::BackBitmapAvailable() const
{
    auto *kp = qobject_cast<const TKitCustomControl *>(parentWidget());
    return kp && Transparent() && kp->BackBitmapAvailable();
}

QPoint TKitCustomPanel::BackOffset(QPoint p) const
{
    QWidget *parent = parentWidget();
    auto *kp = qobject_cast<const TKitCustomControl *>(parent);
    if (kp && BackBitmapAvailable())
        return kp->BackOffset(QPoint(x(), y())) + p;
    if (parent && parent->isWindow())
        return QPoint(x() + p.x(), y() + p.y());
    return p;
}

bool TKitCustomPanel::CopyBackground(QPainter &p, const TRect &r, QPoint offset) const
{
    const QImage *bmp = GetBackBitmap();
    if (!bmp)
        return false;
    QPoint P = offset;
    if (width() != ClientWidth())
        P.rx() += (width() - ClientWidth()) / 2;
    if (height() != ClientHeight())
        P.ry() += (height() - ClientHeight()) / 2;
    QPoint src = P;
    if (auto *kp = qobject_cast<const TKitCustomControl *>(parentWidget()))
        src = kp->BackOffset(P);
    p.drawImage(r.toQRect(), *bmp, QRect(src, QSize(r.Width(), r.Height())));
    return true;
}

// ===================================================== TKitCustomBevelPanel

TKitCustomBevelPanel::TKitCustomBevelPanel(QWidget *parent) : TKitCustomPanel(parent), FBevel(new TKitBevel(this))
{
    FBevel->WindowsBorder = true;
    FBevel->OnChange = [this](QObject *Sender) { GetChange(Sender); };
}

TKitCustomBevelPanel::~TKitCustomBevelPanel()
{
    FBevel->OnChange = nullptr;
}

void TKitCustomBevelPanel::SetBevel(const TKitBevel *v)
{
    FBevel->Assign(v);
}

void TKitCustomBevelPanel::GetChange(QObject *Sender)
{
    if (Sender == FBevel) {
        FBevel->WindowsBorder = true;
        if (FBevel->TakeModeSwitched())
            RecreateWnd();
        AlignControls();
    }
    TKitCustomPanel::GetChange(Sender);
}

bool TKitCustomBevelPanel::NeedsDesignFrame() const
{
    return FBevel->Extent == 0 && FBevel->Mode() != bmWindows;
}

void TKitCustomBevelPanel::MouseEnter()
{
    if (!Focused() && FFlat && !FHasFocus)
        PaintHotBorder();
    TKitCustomPanel::MouseEnter();
}

void TKitCustomBevelPanel::DoEnter()
{
    if (!Focused() && FFlat)
        PaintHotBorder();
    TKitCustomPanel::DoEnter();
}

void TKitCustomBevelPanel::Paint(QPainter &p)
{
    PaintBackground(p);
    if (Focused() || !FFlat) {
        TRect inner;
        FBevel->PaintBevel(p, ClientRect(), Transparent(), inner);
    } else if (FMouseInside) {
        DrawHotBorder(p);
    } else {
        DrawFlatBorder(p);
    }
}

void TKitCustomBevelPanel::DrawFlatBorder(QPainter &p)
{
    if (FBevel->Mode() == bmWindows) {
        TKitCustomPanel::DrawFlatBorder(p);
        return;
    }
    const int e = FBevel->Extent, erb = FBevel->ExtentRightBottom;
    const int W = ClientWidth(), H = ClientHeight();
    FillBackgroundRect(p, TRect(0, 0, W, e));
    FillBackgroundRect(p, TRect(0, e, e, H));
    FillBackgroundRect(p, TRect(e, H - erb - 1, W, H));
    FillBackgroundRect(p, TRect(W - erb, e, W, H - erb));
}

void TKitCustomBevelPanel::DrawHotBorder(QPainter &p)
{
    if (FBevel->Mode() == bmWindows) {
        TKitCustomPanel::DrawHotBorder(p);
        return;
    }
    TRect inner;
    FBevel->PaintBevel(p, ClientRect(), true, inner);
}

int TKitCustomBevelPanel::NonClientWidth() const
{
    if (!FWindowsBorderStyle)
        return 0;
    return Ctl3D() ? 2 : 1;
}

void TKitCustomBevelPanel::PaintNonClient(QPainter &p)
{
    TRect r(0, 0, width(), height());
    if (Ctl3D())
        DrawEdge(p, r, EDGE_SUNKEN, BF_RECT);
    else
        FrameRect(p, r, GetSysColor(COLOR_WINDOWFRAME));
}

void TKitCustomBevelPanel::resizeEvent(QResizeEvent *e)
{
    TKitCustomPanel::resizeEvent(e);
    AlignControls();
}

void TKitCustomBevelPanel::Ctl3DChanged()
{
    if (FBevel->Mode() == bmWindows)
        RecreateWnd();
    update();
}

void TKitCustomBevelPanel::AlignControls()
{
    const int nc = NonClientWidth();
    TRect client = ClientRect();
    TRect inner = FBevel->InnerRect(client);
    QMargins m(nc + inner.Left, nc + inner.Top, nc + client.Right - inner.Right, nc + client.Bottom - inner.Bottom);
    if (contentsMargins() != m)
        setContentsMargins(m);
    if (auto *l = qobject_cast<TKitAlignLayout *>(layout()))
        l->realign();
}

void TKitCustomBevelPanel::RecreateWnd()
{
    FWindowsBorderStyle = FBevel->Mode() == bmWindows;
    ++FRecreateCount;
    AlignControls();
    update();
}
