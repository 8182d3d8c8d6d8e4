#include "controls/panels/KitGraphics.h"

#include <QPainter>
#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The classic grey scheme, by index.
const TColor g_sysColors[SysColorCount] = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // desktop
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // application work space
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // tooltip text
    RGB(255, 255, 225), // tooltip background
    RGB(181, 181, 181), // (unused slot)
    RGB(0, 0, 128),     // hot-tracked item
    RGB(166, 202, 240), // active caption gradient
    RGB(192, 192, 192), // inactive caption gradient
    RGB(49, 106, 197),  // menu highlight
    RGB(236, 233, 216), // menu bar
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= SysColorCount)
        return 0;
    return g_sysColors[index];
}

TColor ColorToRGB(TColor c)
{
    if (IsSysColor(c))
        return GetSysColor(int(c & 0xFF));
    return c & 0xFFFFFF;
}

QColor ColorToQColor(TColor c)
{
    TColor v = ColorToRGB(c);
    return QColor(GetRValue(v), GetGValue(v), GetBValue(v));
}

TColor QColorToColor(const QColor &c)
{
    return RGB(c.red(), c.green(), c.blue());
}

bool UnionRect(TRect &dst, const TRect &a, const TRect &b)
{
    if (a.IsEmpty()) {
        dst = b;
    } else if (b.IsEmpty()) {
        dst = a;
    } else {
        dst = TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom));
    }
    return !dst.IsEmpty();
}

void RectSize(const TRect &r, int &width, int &height)
{
    width = r.Right - r.Left;
    height = r.Bottom - r.Top;
}

TRect FitRect(const TRect &Source, const TRect &Dest)
{
    const int sw = Source.Width(), sh = Source.Height();
    if (sw <= 0 || sh <= 0)
        return TRect(Dest.Left, Dest.Top, Dest.Left, Dest.Top);
    const double ratio = std::min(double(Dest.Width()) / sw, double(Dest.Height()) / sh);
    return Bounds(Dest.Left, Dest.Top, int(sw * ratio), int(sh * ratio));
}

TRect RotatedBounds(const TRect &r, int Angle)
{
    if (Angle == 0)
        return r;
    const double a = Angle * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
    const double cx = (r.Left + r.Right) / 2.0, cy = (r.Top + r.Bottom) / 2.0;
    const double xs[4] = {double(r.Left), double(r.Right), double(r.Right), double(r.Left)};
    const double ys[4] = {double(r.Top), double(r.Top), double(r.Bottom), double(r.Bottom)};
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    for (int i = 0; i < 4; ++i) {
        const double dx = xs[i] - cx, dy = ys[i] - cy;
        const int x = int(std::lround(cx + dx * c - dy * s));
        const int y = int(std::lround(cy + dx * s + dy * c));
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    return TRect(0, 0, maxX - minX, maxY - minY);
}

int MaxIntValue(std::initializer_list<int> values)
{
    return values.size() ? std::max(values) : 0;
}

int MinIntValue(std::initializer_list<int> values)
{
    return values.size() ? std::min(values) : 0;
}

double MinFloatValue(std::initializer_list<double> values)
{
    return values.size() ? std::min(values) : 0.0;
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    long long n = (long long)a * b;
    long long q = n / c;
    long long rem = n % c;
    // round half away from zero
    if (std::llabs(rem) * 2 >= std::llabs((long long)c))
        q += ((n < 0) != (c < 0)) ? -1 : 1;
    return int(q);
}

void FillRect(QPainter &p, const TRect &r, TColor c)
{
    if (r.IsEmpty())
        return;
    p.fillRect(r.toQRect(), ColorToQColor(c));
}

void FrameRect(QPainter &p, const TRect &r, TColor c)
{
    if (r.IsEmpty())
        return;
    QColor q = ColorToQColor(c);
    p.fillRect(QRect(r.Left, r.Top, r.Width(), 1), q);
    p.fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), q);
    p.fillRect(QRect(r.Left, r.Top, 1, r.Height()), q);
    p.fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), q);
}

void SetPixel(QPainter &p, int x, int y, TColor c)
{
    p.fillRect(QRect(x, y, 1, 1), ColorToQColor(c));
}

namespace {

// One segment from a to b, b excluded; horizontal or vertical only (a
// diagonal segment is drawn with the painter's aliased line).
void segment(QPainter &p, QPoint a, QPoint b, const QColor &q)
{
    if (a.y() == b.y()) {
        if (a.x() == b.x())
            return;
        int x0 = a.x() < b.x() ? a.x() : b.x() + 1;
        int x1 = a.x() < b.x() ? b.x() - 1 : a.x();
        p.fillRect(QRect(x0, a.y(), x1 - x0 + 1, 1), q);
    } else if (a.x() == b.x()) {
        int y0 = a.y() < b.y() ? a.y() : b.y() + 1;
        int y1 = a.y() < b.y() ? b.y() - 1 : a.y();
        p.fillRect(QRect(a.x(), y0, 1, y1 - y0 + 1), q);
    } else {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(q, 1));
        p.drawLine(a, b);
        p.restore();
    }
}

} // namespace

void PolylineHV(QPainter &p, std::initializer_list<QPoint> pts, TColor c)
{
    QColor q = ColorToQColor(c);
    const QPoint *prev = nullptr;
    for (const QPoint &pt : pts) {
        if (prev)
            segment(p, *prev, pt, q);
        prev = &pt;
    }
}

void FillPolygon(QPainter &p, std::initializer_list<QPoint> pts, TColor c)
{
    QPolygon poly;
    for (const QPoint &pt : pts)
        poly << pt;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(ColorToQColor(c));
    p.drawPolygon(poly, Qt::OddEvenFill);
    p.restore();
}

namespace {

// Edge colour tables, indexed by the four edge bits (inner bits select the
// row, outer bits the column); -1 draws nothing.
const signed char LTInnerNormal[16] = {
    -1, -1, -1, -1,
    -1, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, -1,
    -1, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, -1,
    -1, -1, -1, -1};
const signed char LTOuterNormal[16] = {
    -1, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
    COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
    COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1,
    -1, COLOR_3DLIGHT, COLOR_BTNSHADOW, -1};
const signed char RBInnerNormal[16] = {
    -1, -1, -1, -1,
    -1, COLOR_BTNSHADOW, COLOR_BTNSHADOW, -1,
    -1, COLOR_3DLIGHT, COLOR_3DLIGHT, -1,
    -1, -1, -1, -1};
const signed char RBOuterNormal[16] = {
    -1, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
    COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
    COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1,
    -1, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, -1};
const signed char LTInnerSoft[16] = {
    -1, -1, -1, -1,
    -1, COLOR_3DLIGHT, COLOR_3DLIGHT, -1,
    -1, COLOR_BTNSHADOW, COLOR_BTNSHADOW, -1,
    -1, -1, -1, -1};
const signed char LTOuterSoft[16] = {
    -1, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, -1,
    COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, -1,
    COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, -1,
    -1, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, -1};

void line(QPainter &p, int idx, int x0, int y0, int x1, int y1)
{
    if (idx < 0)
        return;
    segment(p, QPoint(x0, y0), QPoint(x1, y1), ColorToQColor(GetSysColor(idx)));
}

} // namespace

bool DrawEdge(QPainter &p, TRect &rc, unsigned edge, unsigned flags)
{
    TRect in = rc;
    unsigned t = edge & (BDR_INNER | BDR_OUTER);
    int ltInner, ltOuter, rbInner, rbOuter;
    if (flags & (BF_MONO | BF_FLAT)) {
        int c = (flags & BF_MONO) ? COLOR_WINDOWFRAME : COLOR_BTNSHADOW;
        int ci = (flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE;
        ltOuter = rbOuter = (t & BDR_OUTER) ? c : ((t & BDR_INNER) ? c : -1);
        ltInner = rbInner = ((t & BDR_INNER) && (t & BDR_OUTER)) ? ci : -1;
    } else if (flags & BF_SOFT) {
        ltInner = LTInnerSoft[t];
        ltOuter = LTOuterSoft[t];
        rbInner = RBInnerNormal[t];
        rbOuter = RBOuterNormal[t];
    } else {
        ltInner = LTInnerNormal[t];
        ltOuter = LTOuterNormal[t];
        rbInner = RBInnerNormal[t];
        rbOuter = RBOuterNormal[t];
    }
    int lbPlus = (flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT ? 1 : 0;
    int rtPlus = (flags & BF_TOPRIGHT) == BF_TOPRIGHT ? 1 : 0;
    int rbPlus = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT ? 1 : 0;
    int ltPlus = (flags & BF_TOPLEFT) == BF_TOPLEFT ? 1 : 0;

    if (flags & BF_TOP)
        line(p, ltOuter, in.Left, in.Top, in.Right, in.Top);
    if (flags & BF_LEFT)
        line(p, ltOuter, in.Left, in.Top, in.Left, in.Bottom);
    if (flags & BF_BOTTOM)
        line(p, rbOuter, in.Left, in.Bottom - 1, in.Right, in.Bottom - 1);
    if (flags & BF_RIGHT)
        line(p, rbOuter, in.Right - 1, in.Top, in.Right - 1, in.Bottom);

    if (flags & BF_TOP)
        line(p, ltInner, in.Left + ltPlus, in.Top + 1, in.Right - rtPlus, in.Top + 1);
    if (flags & BF_LEFT)
        line(p, ltInner, in.Left + 1, in.Top + ltPlus, in.Left + 1, in.Bottom - lbPlus);
    if (flags & BF_BOTTOM)
        line(p, rbInner, in.Left + lbPlus, in.Bottom - 2, in.Right - rbPlus, in.Bottom - 2);
    if (flags & BF_RIGHT)
        line(p, rbInner, in.Right - 2, in.Top + rtPlus, in.Right - 2, in.Bottom - rbPlus);

    if (flags & (BF_MIDDLE | BF_ADJUST)) {
        // A present outer part counts one pixel, a present inner part one more
        // (an inner-only edge is drawn in the outer position).
        int add = ((t & BDR_OUTER) || (t & BDR_INNER) ? 1 : 0) + (((t & BDR_INNER) && (t & BDR_OUTER)) ? 1 : 0);
        if (flags & BF_LEFT) in.Left += add;
        if (flags & BF_RIGHT) in.Right -= add;
        if (flags & BF_TOP) in.Top += add;
        if (flags & BF_BOTTOM) in.Bottom -= add;
        if (flags & BF_MIDDLE)
            FillRect(p, in, GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
        if (flags & BF_ADJUST)
            rc = in;
    }
    return true;
}

void Frame3D(QPainter &p, TRect &r, TColor topColor, TColor bottomColor, int width)
{
    r.Bottom -= 1;
    r.Right -= 1;
    while (width > 0) {
        --width;
        QPoint topRight(r.Right, r.Top), bottomLeft(r.Left, r.Bottom), topLeft(r.Left, r.Top),
            bottomRight(r.Right, r.Bottom);
        PolylineHV(p, {bottomLeft, topLeft, topRight}, topColor);
        bottomLeft.rx() -= 1;
        PolylineHV(p, {topRight, bottomRight, bottomLeft}, bottomColor);
        InflateRect(r, -1, -1);
    }
    r.Bottom += 1;
    r.Right += 1;
}

void DrawFocusRect(QPainter &p, const TRect &r)
{
    if (r.IsEmpty())
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QColor white(255, 255, 255);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            p.fillRect(QRect(x, y, 1, 1), white);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 != r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 != r.Left)
            dot(r.Right - 1, y);
    }
    p.restore();
}

qreal PaintPixelRatio(const QPainter &p)
{
    // The painter's scale holds the pixel ratio of the device it really paints
    // on, also when a widget is rendered into a high-density pixmap or a page.
    const QTransform t = p.deviceTransform();
    qreal ratio = std::hypot(t.m11(), t.m12());
    if (p.device())
        ratio = std::max(ratio, p.device()->devicePixelRatioF());
    return std::clamp<qreal>(ratio, 1, 8);
}
