#include "controls/panels/DDButton.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

TColor GradientStep(TColor from, TColor to, int i, int n)
{
    if (n == 0)
        return from & 0xFFFFFF;
    int r = GetRValue(from) + (i * (GetRValue(to) - GetRValue(from))) / n;
    int g = GetGValue(from) + (i * (GetGValue(to) - GetGValue(from))) / n;
    int b = GetBValue(from) + (i * (GetBValue(to) - GetBValue(from))) / n;
    return TColor(r & 0xFF) + TColor(g & 0xFF) * 256 + TColor(b & 0xFF) * 65536;
}

namespace {

void fill(QPainter &p, int l, int t, int r, int b, TColor c)
{
    if (r > l && b > t)
        p.fillRect(QRect(l, t, r - l, b - t), ColorToQColor(c & 0xFFFFFF));
}

// Kinds 6 to 9: bands painted into a bitmap of the rectangle's size.
void paintDiagonal(QPainter &dest, int Kind, int Left, int Top, int Wd, int Ht, TColor From, TColor To)
{
    if (Wd <= 0 || Ht <= 0)
        return;
    const qreal dpr = PaintPixelRatio(dest);
    QImage img(int(std::ceil(Wd * dpr)), int(std::ceil(Ht * dpr)), QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    const int k = 128;
    auto band = [&](QPoint a, QPoint b, QPoint c, QPoint d, TColor col) { FillPolygon(p, {a, b, c, d}, col); };
    if (Kind == 6 || Kind == 7) {
        for (int i = 0; i <= 256; ++i) {
            TColor col = GradientStep(From, To, i, 256);
            if (i < 128) {
                if (Kind == 6)
                    band({0, Ht * i / k}, {0, Ht * (i + 1) / k}, {Wd * (i + 1) / k, 0}, {Wd * i / k, 0}, col);
                else
                    band({Wd, Ht * i / k}, {Wd, Ht * (i + 1) / k}, {Wd - Wd * (i + 1) / k, 0}, {Wd - Wd * i / k, 0}, col);
            } else {
                int j = i - 128;
                if (Kind == 6)
                    band({Wd * j / k, Ht}, {Wd * (j + 1) / k, Ht}, {Wd, Ht * (j + 1) / k}, {Wd, Ht * j / k}, col);
                else
                    band({Wd - Wd * j / k, Ht}, {Wd - Wd * (j + 1) / k, Ht}, {0, Ht * (j + 1) / k}, {0, Ht * j / k}, col);
            }
        }
    } else {
        for (int i = 0; i <= 128; ++i) {
            TColor col = GradientStep(From, To, i, 128);
            if (Kind == 8) {
                band({0, Ht * i / k}, {0, Ht * (i + 1) / k}, {Wd * (i + 1) / k, 0}, {Wd * i / k, 0}, col);
                band({Wd - Wd * i / k, Ht}, {Wd - Wd * (i + 1) / k, Ht}, {Wd, Ht - Ht * (i + 1) / k}, {Wd, Ht - Ht * i / k}, col);
            } else {
                band({Wd, Ht * i / k}, {Wd, Ht * (i + 1) / k}, {Wd - Wd * (i + 1) / k, 0}, {Wd - Wd * i / k, 0}, col);
                band({Wd * i / k, Ht}, {Wd * (i + 1) / k, Ht}, {0, Ht - Ht * (i + 1) / k}, {0, Ht - Ht * i / k}, col);
            }
        }
    }
    p.end();
    dest.drawImage(Left, Top, img);
}

} // namespace

void PaintGradient(QPainter &p, int Kind, int Left, int Top, int Right, int Bottom, TColor ColorFrom, TColor ColorTo)
{
    if (Kind > 10 || Kind < 0)
        Kind = 2;
    const int Wd = Right - Left, Ht = Bottom - Top;
    switch (Kind) {
    case 0:
        FillRect(p, TRect(Left, Top, Right, Bottom), ColorFrom); // a solid fill shows system colours
        break;
    case 1:
        for (int i = 0; i <= 255; ++i)
            fill(p, Left + i * Wd / 255, Top, Left + (i + 1) * Wd / 255, Bottom, GradientStep(ColorFrom, ColorTo, i, 255));
        break;
    case 2:
        for (int i = 0; i <= 255; ++i)
            fill(p, Left, Top + i * Ht / 255, Right, Top + (i + 1) * Ht / 255, GradientStep(ColorFrom, ColorTo, i, 255));
        break;
    case 3: {
        int n = std::abs(Ht);
        if (Wd > Ht)
            n = std::abs(Wd);
        const int m = n / 2;
        if (m <= 0) {
            // Under 2 pixels there is no ring to step through: one solid fill.
            FillRect(p, TRect(Left, Top, Right, Bottom), ColorFrom);
            break;
        }
        TColor col = ColorFrom;
        TRect last;
        for (int i = 0; i <= m; ++i) {
            col = GradientStep(ColorFrom, ColorTo, i, m);
            last = TRect(Left + Wd * i / n, Top + Ht * i / n, Right - Wd * i / n, Bottom - Ht * i / n);
            FrameRect(p, last, col);
        }
        FillRect(p, last, col);
        break;
    }
    case 4:
        for (int i = 0; i <= 254; ++i) {
            TColor col = GradientStep(ColorFrom, ColorTo, i, 255);
            fill(p, Left, Top + Ht * i / 510, Right, Top + Ht * (i + 1) / 510, col);
            fill(p, Left, Bottom - Ht * (i + 1) / 510, Right, Bottom - Ht * i / 510, col);
        }
        fill(p, Left, Top + Ht * 255 / 510, Right, Bottom - Ht * 255 / 510, GradientStep(ColorFrom, ColorTo, 254, 255));
        break;
    case 5:
        for (int i = 0; i <= 254; ++i) {
            TColor col = GradientStep(ColorFrom, ColorTo, i, 255);
            fill(p, Left + Wd * i / 510, Top, Left + Wd * (i + 1) / 510, Bottom, col);
            fill(p, Right - Wd * (i + 1) / 510, Top, Right - Wd * i / 510, Bottom, col);
        }
        fill(p, Left + Wd * 255 / 510, Top, Right - Wd * 255 / 510, Bottom, GradientStep(ColorFrom, ColorTo, 254, 255));
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        paintDiagonal(p, Kind, Left, Top, Wd, Ht, ColorFrom, ColorTo);
        break;
    default: // 10: nothing
        break;
    }
}

// ================================================================ TDDButton

TDDButton::TDDButton(QWidget *parent) : TCustomControl(parent)
{
    resize(75, 25);
    SetTabStop(true);
    QFont f(QStringLiteral("굴림"));
    f.setPointSize(10);
    setFont(f);
    SetFontColor(clWhite);
    FTextColor = clWhite;
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    setAttribute(Qt::WA_NoSystemBackground, true);
    // The focus look follows the focus within this button's own form: a move
    // into another child window of the frame leaves this form's look alone.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        QWidget *form = KitParentForm(this);
        if (!form)
            return;
        if (now) {
            if (KitParentForm(now) == form)
                FocusChanged(now);
        } else if (old && KitParentForm(old) == form && window()->isActiveWindow()) {
            FocusChanged(nullptr); // the focus was taken from the form's control
        }
    });
    FRepaintRequests = 0;
}

TDDButton::~TDDButton()
{
    // The widget's own destructor gives up the focus, which tells the watch
    // while this object is no button any more.
    disconnect(m_focusWatch);
}

void TDDButton::SetFormLook()
{
    SetBeginColor(DDFormBeginColor);
    SetEndColor(DDFormEndColor);
    SetBtnHiliteClr(DDFormHiliteColor);
    SetBtnShadowClr(DDFormShadowColor);
    SetFrameSize(1);
    SetDisableColor(DDFormDisableColor);
    SetGradientStyle(gsVertical);
    SetHTextLayout(tlCenter);
    SetVTextLayout(tlMiddle);
    SetFontColor(clWhite);
}

void TDDButton::RequestRepaint()
{
    ++FRepaintRequests;
    update();
}

void TDDButton::SetFrameSize(int v)
{
    if (v == FFrameSize)
        return;
    if (v > 10 || v < 1)
        v = 3;
    FFrameSize = v;
    RequestRepaint();
}

void TDDButton::SetImage(const QImage &v)
{
    FImage = v.isNull() ? QImage() : v.copy();
    RequestRepaint();
}

void TDDButton::SetDefault(bool v)
{
    FDefault = v;
    QWidget *form = KitParentForm(this);
    if (!form || form == this)
        return;
    QWidget *focus = form->focusWidget();
    for (TDDButton *b : form->findChildren<TDDButton *>())
        b->FocusChanged(focus);
}

void TDDButton::SetDisableColor(TColor v)
{
    if (KitTakeNew(FDisableColor, v))
        RequestRepaint();
}

void TDDButton::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    EnabledChanged();
    RequestRepaint();
}

void TDDButton::EnabledChanged()
{
    if (!FEnabled && parentWidget())
        KitDefocus(this); // the focus goes to the form, to no other control
    QWidget::setEnabled(FEnabled);
}

void TDDButton::changeEvent(QEvent *e)
{
    TCustomControl::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        // Qt's own setEnabled on this button keeps the flag in step.
        bool own = !testAttribute(Qt::WA_ForceDisabled);
        if (own != FEnabled) {
            FEnabled = own;
            RequestRepaint();
        }
    }
}

void TDDButton::FontChanged()
{
    FTextColor = FontColor();
    RequestRepaint();
}

void TDDButton::FocusChanged(QWidget *now)
{
    bool active = qobject_cast<TDDButton *>(now) ? now == this : FDefault;
    if (active != FActive) {
        FActive = active;
        update();
    }
}

void TDDButton::focusInEvent(QFocusEvent *e)
{
    TCustomControl::focusInEvent(e);
    FocusChanged(this);
}

bool TDDButton::TakeFocusForPress()
{
    if (Focused())
        return true;
    FClicksDisabled = true;
    QPointer<TDDButton> self(this);
    setFocus(Qt::MouseFocusReason);
    if (!self)
        return false;
    FClicksDisabled = false;
    return Focused();
}

void TDDButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton) {
        QPointer<TDDButton> self(this);
        if (!TakeFocusForPress()) {
            if (self)
                e->accept();
            return; // the focus was refused: the press is dropped
        }
    }
    TCustomControl::mousePressEvent(e);
}

void TDDButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        QPointer<TDDButton> self(this);
        if (!TakeFocusForPress()) {
            if (self)
                e->accept();
            return;
        }
    }
    TCustomControl::mouseDoubleClickEvent(e);
}

void TDDButton::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    QPointer<TDDButton> self(this);
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (!self)
        return;
    FPressed = true;
    if (FSwapColors)
        std::swap(FBeginColor, FEndColor);
    update();
}

void TDDButton::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    FPressed = false;
    QPointer<TDDButton> self(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!self)
        return;
    if (FSwapColors)
        std::swap(FBeginColor, FEndColor);
    update();
}

void TDDButton::KeyPress(QChar &Key)
{
    QPointer<TDDButton> self(this);
    if (Key == QChar(13))
        Click();
    if (self)
        TCustomControl::KeyPress(Key);
}

void TDDButton::DrawFrame(QPainter &p, int Kind, int X1, int Y1, int X2, int Y2, int FrameWidth, TColor ColorFrom,
                          TColor ColorTo)
{
    if (Kind == 0 && (std::abs(X2 - X1) <= FrameWidth || std::abs(Y2 - Y1) <= FrameWidth))
        Kind = 1;
    int Left = std::min(X1, X2), Right = std::max(X1, X2);
    int Top = std::min(Y1, Y2), Bottom = std::max(Y1, Y2);
    const int half = FrameWidth / 2 + 1;
    if (Kind == 0) {
        if (ColorFrom == ColorTo) {
            p.save();
            QPen pen(ColorToQColor(ColorFrom));
            pen.setWidth(FrameWidth);
            pen.setJoinStyle(Qt::MiterJoin);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(Left, Top, Right + 1 - Left - 1, Bottom + 1 - Top - 1));
            p.restore();
        } else {
            Left += half;
            Top += half;
            Right -= half;
            Bottom -= half;
            for (int j = 0; j <= half; ++j) {
                int d = half - j;
                TColor c = GradientStep(ColorFrom, ColorTo, j, half);
                FrameRect(p, TRect(Left - d, Top - d, Right + d + 1, Bottom + d + 1), c);
                FrameRect(p, TRect(Left + d, Top + d, Right - d + 1, Bottom - d + 1), c);
            }
        }
    } else if (Kind <= 9) {
        PaintGradient(p, Kind, Left, Top, Right + 1, Bottom + 1, ColorFrom, ColorTo);
    } else {
        DrawFrame(p, 0, Left, Top, Right + 1, Bottom + 1, FrameWidth, ColorFrom, ColorTo);
        Left += half;
        Top += half;
        Right -= half;
        Bottom -= half;
        PaintGradient(p, 1, Left + 1, Top + 1, Right, Bottom, ColorFrom, ColorFrom);
    }
}

void TDDButton::PaintElliptic(QPainter &p)
{
    const double W = width(), H = height();
    double left = -W / 4, top = -H / 4, right = W + W / 4, bottom = H + H / 4;
    const double stepX = (W / 4 + W / 2) / 155, stepY = (H / 4 + H / 2) / 155;
    p.save();
    p.setPen(Qt::NoPen);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i <= 155; ++i) {
        left += stepX;
        top += stepY;
        right -= stepX;
        bottom -= stepY;
        int r = (GetRValue(FBeginColor) + MulDiv(i, GetRValue(FEndColor) - GetRValue(FBeginColor), 155)) & 0xFF;
        int g = (GetGValue(FBeginColor) + MulDiv(i, GetGValue(FEndColor) - GetGValue(FBeginColor), 155)) & 0xFF;
        int b = (GetBValue(FBeginColor) + MulDiv(i, GetBValue(FEndColor) - GetBValue(FBeginColor), 155)) & 0xFF;
        p.setBrush(QColor(r, g, b));
        int l = int(left), t = int(top), rr = int(right), bb = int(bottom);
        p.drawEllipse(QRect(l, t, rr - l, bb - t));
    }
    p.restore();
}

void TDDButton::DrawCaption(QPainter &p, int Offset)
{
    const QString cap = Caption();
    if (cap.isEmpty())
        return;
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = cap.split(breaks);
    const int n = int(lines.size());
    const int W = width(), H = height();
    p.save();
    p.setFont(font());
    p.setPen(ColorToQColor(FTextColor));
    QFontMetrics fm(font());
    const int h = fm.height();
    for (int i = 0; i < n; ++i) {
        const QString &line = lines[i];
        const QPoint at = CaptionPos(FHTextLayout, FVTextLayout, W, H, fm.horizontalAdvance(line), h, n, i, Offset);
        if (!line.isEmpty())
            p.drawText(at.x(), at.y() + fm.ascent(), line);
    }
    p.restore();
}

QPoint TDDButton::CaptionPos(THTextLayout HLayout, TVTextLayout VLayout, int W, int H, int w, int h, int n, int i,
                             int Offset)
{
    int x = 0, y = 0;
    switch (HLayout) {
    case tlLeft: x = 7 + Offset; break;
    case tlCenter: x = (W - w) / 2 + Offset; break;
    case tlRight: x = W - w - 7 - Offset; break;
    }
    switch (VLayout) {
    case tlTop: y = 7 + Offset + i * (h + 1); break;
    case tlMiddle: y = (H - ((h + 1) * n - 1)) / 2 + Offset + i * (h + 1); break;
    case tlBottom: y = H - ((h + 1) * n + 1) - 7 - Offset + i * (h + 1); break;
    }
    return QPoint(x, y);
}

void TDDButton::DrawFocus(QPainter &p)
{
    const int W = width(), H = height();
    int a = (FGradientStyle == gsImage || FGradientStyle == gsTextOnly) ? 2 : int(std::lround(FFrameSize * 1.6));
    TRect r(a, a, W - a, H - a);
    if (r.Right > r.Left && r.Bottom > r.Top)
        DrawFocusRect(p, r);
}

const QImage &TDDButton::RenderImage(qreal dpr)
{
    const int W = width(), H = height();
    // Painted at the device's pixel ratio: scaled up from 1x, every caption
    // on a high-density display would be blocky.
    dpr = std::max<qreal>(dpr, 1);
    const QSize pixels(std::max(1, int(std::ceil(W * dpr))), std::max(1, int(std::ceil(H * dpr))));
    if (FBitmap.size() != pixels || FBitmap.devicePixelRatio() != dpr) {
        FBitmap = QImage(pixels, QImage::Format_RGB32);
        FBitmap.setDevicePixelRatio(dpr);
    }
    QPainter p(&FBitmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());

    // background
    if (!FEnabled && FGradientStyle != gsImage) {
        FillRect(p, TRect(0, 0, W, H), FDisableColor);
    } else {
        switch (FGradientStyle) {
        case gsElliptic:
            PaintElliptic(p);
            break;
        case gsNone:
        case gsTextOnly:
            FillRect(p, TRect(0, 0, W, H), FBeginColor);
            break;
        case gsImage:
            break;
        default:
            DrawFrame(p, int(FGradientStyle) + 1, 0, 0, W, H, 0, FBeginColor, FEndColor);
            break;
        }
    }

    if (FGradientStyle == gsImage) {
        FillRect(p, TRect(0, 0, W, H), clBtnFace);
        TRect r(0, 0, W, H);
        if (FPressed)
            Frame3D(p, r, FBtnShadowClr, FBtnHiliteClr, 2);
        else
            Frame3D(p, r, FBtnHiliteClr, FBtnShadowClr, 2);
        FrameRect(p, TRect(0, 0, W, H), clBlack);
        if (!FImage.isNull())
            p.drawImage((W - FImage.width()) / 2, (H - FImage.height()) / 2, FImage);
    } else if (FGradientStyle == gsTextOnly) {
        DrawCaption(p, FPressed ? 1 : 0);
    } else {
        int offset;
        TRect r(0, 0, W, H);
        if (FPressed && FMouseDownEffect) {
            Frame3D(p, r, FBtnShadowClr, FBtnHiliteClr, FFrameSize);
            offset = 2;
        } else {
            Frame3D(p, r, FBtnHiliteClr, FBtnShadowClr, FFrameSize);
            offset = 1;
        }
        FrameRect(p, TRect(0, 0, W, H), FBorderColor);
        DrawCaption(p, offset);
    }
    if (FActive)
        DrawFocus(p);
    p.end();
    return FBitmap;
}

void TDDButton::Paint(QPainter &p)
{
    p.drawImage(0, 0, RenderImage(PaintPixelRatio(p)));
}
