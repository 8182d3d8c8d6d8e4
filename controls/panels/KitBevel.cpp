#include "controls/panels/KitBevel.h"

#include <QPainter>
#include <algorithm>
#include <iterator>

void TKitObject::Change()
{
    if (Updating != 1 && OnChange)
        OnChange(this);
}

void TKitObject::EndUpdate(bool DoChange)
{
    Updating = 0;
    if (DoChange)
        Change();
}

// ---------------------------------------------------------------- TKitBevel

// A shadow style is set on both sides at once, and leaving it clears the other side.
static bool takeStyle(TKitBevelStyle &style, TKitBevelStyle &partner, TKitBevelStyle v)
{
    if (v == style)
        return false;
    if (v == bvShadow)
        partner = bvShadow;
    else if (style == bvShadow)
        partner = bvNone;
    style = v;
    return true;
}

void TKitBevel::SetStyleInner(TKitBevelStyle v)
{
    if (takeStyle(FStyleInner, FStyleOuter, v))
        Change();
}

void TKitBevel::SetStyleOuter(TKitBevelStyle v)
{
    if (takeStyle(FStyleOuter, FStyleInner, v))
        Change();
}

void TKitBevel::SetWidthInner(int v) { set(FWidthInner, quint8(std::clamp(v, 0, 50))); }
void TKitBevel::SetWidthOuter(int v) { set(FWidthOuter, quint8(std::clamp(v, 0, 50))); }

void TKitBevel::SetColor(int index, TColor v)
{
    if (index >= 0 && index <= 2)
        set(FColors[index], v);
}

void TKitBevel::SetBorderSides(TKitFrameSides v)
{
    v &= fsAllSides;
    set(FBorderSides, v);
}

void TKitBevel::SetBorderWidth(int v) { set(FBorderWidth, quint8(std::clamp(v, 0, 255))); }
void TKitBevel::SetBorderInnerWidth(int v) { set(FBorderInnerWidth, quint8(std::clamp(v, 0, 255))); }
void TKitBevel::SetEdgeStyle(TKitEdgeStyle v) { set(FEdgeStyle, v); }

void TKitBevel::SetMode(TKitBevelMode v)
{
    if (v == FMode)
        return;
    if (WindowsBorder && (v == bmWindows || FMode == bmWindows))
        ModeSwitched = true;
    FMode = v;
    Change();
}

void TKitBevel::SetStandardStyle(TKitBorderStyle v)
{
    if (KitTakeNew(FStandardStyle, v) && FMode == bmStandard)
        Change();
}

void TKitBevel::Assign(const QObject *Source)
{
    auto *src = qobject_cast<const TKitBevel *>(Source);
    if (!src) {
        const char *name = Source ? Source->metaObject()->className() : "nil";
        throw EConvertError(std::string("Cannot assign a ") + name + " to a TKitBevel");
    }
    FStyleInner = src->FStyleInner;
    FStyleOuter = src->FStyleOuter;
    FWidthInner = src->FWidthInner;
    FWidthOuter = src->FWidthOuter;
    std::copy(std::begin(src->FColors), std::end(src->FColors), std::begin(FColors));
    FBorderSides = src->FBorderSides;
    FBorderWidth = src->FBorderWidth;
    FBorderInnerWidth = src->FBorderInnerWidth;
    FEdgeStyle = src->FEdgeStyle;
    FMode = src->FMode;
    FStandardStyle = src->FStandardStyle;
    WindowsBorder = src->WindowsBorder;
    Change();
}

void TKitBevel::Change()
{
    Extent = GetExtent();
    ExtentRightBottom = Extent;
    if (FMode == bmCustom && FStyleOuter == bvShadow)
        ExtentRightBottom = FWidthInner + FWidthOuter + FBorderInnerWidth;
    TKitObject::Change();
}

static bool isFrameStyle(TKitBevelStyle s) { return s == bvFrameLowered || s == bvFrameRaised; }

int StandardStyleWidth(TKitBorderStyle Style)
{
    switch (Style) {
    case lsNone: return 0;
    case lsSingle:
    case lsSingleRaised:
    case lsSingleLowered: return 1;
    default: return 2;
    }
}

int TKitBevel::GetExtent() const
{
    switch (FMode) {
    case bmCustom: {
        if (FStyleInner == bvShadow)
            return FWidthInner + FBorderInnerWidth;
        int e = FBorderWidth + FBorderInnerWidth;
        if (!(FStyleInner == bvNone && FStyleOuter == bvNone)) {
            if (FStyleOuter != bvNone)
                e += FWidthOuter;
            if (isFrameStyle(FStyleOuter))
                e += 1;
            if (FStyleInner != bvNone)
                e += FWidthInner;
            if (isFrameStyle(FStyleInner))
                e += 1;
        }
        return e;
    }
    case bmStandard:
        return StandardStyleWidth(FStandardStyle) + FBorderInnerWidth;
    case bmEdge:
        return (FBorderSides != 0 ? 2 : 0) + FBorderInnerWidth;
    case bmWindows:
        return WindowsBorder ? 0 : FBorderInnerWidth + 2;
    }
    return 0;
}

TRect TKitBevel::InnerRect(const TRect &r) const
{
    TRect res = r;
    if (FMode == bmCustom && FStyleOuter == bvShadow) {
        res.Left += FWidthInner + FBorderInnerWidth;
        res.Top += FWidthInner + FBorderInnerWidth;
        res.Right -= FWidthInner + FWidthOuter + FBorderInnerWidth;
        res.Bottom -= FWidthInner + FWidthOuter + FBorderInnerWidth;
    } else {
        InflateRect(res, -Extent, -Extent);
    }
    return res;
}

void TKitBevel::PaintBevel(QPainter &p, const TRect &r, bool Transparent, TRect &Inner) const
{
    if (Extent == 0) {
        Inner = r;
        return;
    }
    TRect R = r;
    switch (FMode) {
    case bmCustom:
        if (FStyleOuter == bvShadow) {
            DrawShadowBevel(p, R, LightColor(), ShadowColor(), BorderColor(), FWidthOuter, FWidthInner, Transparent);
        } else {
            DrawBevelStyle(p, R, FStyleOuter, FWidthOuter, ShadowColor(), LightColor());
            FillBorder(p, R, FBorderWidth, BorderColor(), Transparent);
            DrawBevelStyle(p, R, FStyleInner, FWidthInner, ShadowColor(), LightColor());
        }
        break;
    case bmStandard:
        DrawStandardStyle(p, R, FStandardStyle);
        break;
    case bmEdge:
        if (FBorderSides != 0) {
            static const unsigned edges[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                             EDGE_BUMP, EDGE_ETCHED, EDGE_RAISED, EDGE_SUNKEN};
            unsigned sides = 0;
            if (FBorderSides & fsBottom) sides |= BF_BOTTOM;
            if (FBorderSides & fsLeft) sides |= BF_LEFT;
            if (FBorderSides & fsRight) sides |= BF_RIGHT;
            if (FBorderSides & fsTop) sides |= BF_TOP;
            DrawEdge(p, R, edges[FEdgeStyle], sides);
            InflateRect(R, -2, -2);
        }
        break;
    case bmWindows:
        DrawStandardStyle(p, R, lsLoweredExt);
        break;
    }
    FillBorder(p, R, FBorderInnerWidth, BorderColor(), Transparent);
    Inner = R;
}

bool TKitBevel::TakeModeSwitched()
{
    bool res = ModeSwitched || (FMode == bmWindows && WindowsBorder);
    ModeSwitched = false;
    return res;
}

// ------------------------------------------------------------- procedures

void FillBorder(QPainter &p, TRect &R, int N, TColor Color, bool Transparent)
{
    if (Transparent) {
        InflateRect(R, -N, -N);
        return;
    }
    for (int i = 0; i < N; ++i) {
        FrameRect(p, R, Color);
        InflateRect(R, -1, -1);
    }
}

bool DrawBevelStyle(QPainter &p, TRect &R, TKitBevelStyle Style, int Width, TColor ShadowColor, TColor LightColor)
{
    if (Width == 0 || Style == bvNone || Style == bvShadow)
        return false;
    TColor D = 0, L = 0;
    switch (Style) {
    case bvRaised:
    case bvFrameRaised: D = ShadowColor; L = LightColor; break;
    case bvLowered:
    case bvFrameLowered: D = LightColor; L = ShadowColor; break;
    default: D = L = clBlack; break;
    }
    if (isFrameStyle(Style)) {
        for (int k = 0; k < Width; ++k) {
            FrameRect(p, TRect(R.Left + k + 1, R.Top + k + 1, R.Right, R.Bottom), D);
            FrameRect(p, TRect(R.Left, R.Top, R.Right - k - 1, R.Bottom - k - 1), L);
        }
        R = TRect(R.Left + Width + 1, R.Top + Width + 1, R.Right - Width - 1, R.Bottom - Width - 1);
        return true;
    }
    R.Bottom -= 1;
    if (Width == 1) {
        R.Right -= 1;
        PolylineHV(p, {QPoint(R.Left, R.Bottom), QPoint(R.Left, R.Top), QPoint(R.Right, R.Top)}, L);
        PolylineHV(p, {QPoint(R.Right, R.Top), QPoint(R.Right, R.Bottom), QPoint(R.Left, R.Bottom)}, D);
        InflateRect(R, -1, -1);
    } else {
        const int W = Width;
        TRect I(R.Left + W, R.Top + W, R.Right - W, R.Bottom - W);
        FillPolygon(p, {QPoint(R.Left, R.Bottom + 1), QPoint(I.Left, I.Bottom), QPoint(I.Right, I.Bottom),
                        QPoint(I.Right, I.Top), QPoint(R.Right, R.Top), QPoint(R.Right, R.Bottom + 1)}, D);
        FillPolygon(p, {QPoint(R.Left, R.Bottom), QPoint(I.Left, I.Bottom), QPoint(I.Left, I.Top),
                        QPoint(I.Right - 1, I.Top), QPoint(R.Right - 1, R.Top), QPoint(R.Left, R.Top)}, L);
        InflateRect(R, -W, -W);
        R.Right -= 1;
    }
    R.Right += 1;
    R.Bottom += 1;
    return true;
}

void DrawShadowBevel(QPainter &p, TRect &R, TColor LightColor, TColor ShadowColor, TColor BorderColor,
                     int WidthOuter, int WidthInner, bool Transparent)
{
    const int S = WidthOuter;
    FillRect(p, TRect(R.Right - S, R.Top + S, R.Right, R.Bottom), ShadowColor);
    FillRect(p, TRect(R.Left + S, R.Bottom - S, R.Right, R.Bottom), ShadowColor);
    if (!Transparent) {
        FillRect(p, TRect(R.Right - S, R.Top, R.Right, R.Top + S), BorderColor);
        FillRect(p, TRect(R.Left, R.Bottom - S, R.Left + S, R.Bottom), BorderColor);
    }
    R = TRect(R.Left, R.Top, R.Right - S, R.Bottom - S);
    for (int i = 0; i < WidthInner; ++i) {
        FrameRect(p, R, LightColor);
        InflateRect(R, -1, -1);
    }
}

namespace {

// One edge of a standard border: the edge kind and sides drawn, whether it
// moves the rectangle inward (otherwise it is drawn on a copy), and a shift
// of one pixel after it (+1 the top-left corner in, -1 the bottom-right).
struct BorderEdge
{
    unsigned Edge = 0;
    unsigned Sides = 0;
    bool Adjust = true;
    int Shift = 0;
};

// The edges of each standard border style, in the order of TKitBorderStyle.
const BorderEdge StandardBorders[][2] = {
    /* lsNone */ {},
    /* lsSingle */ {{BDR_SUNKENOUTER, BF_LEFT | BF_TOP | BF_SOFT}, {BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM, false}},
    /* lsLowered */ {{EDGE_SUNKEN, BF_RECT | BF_SOFT}},
    /* lsRaised */ {{EDGE_RAISED, BF_RECT | BF_SOFT}},
    /* lsRaisedspb */ {{BDR_RAISEDOUTER, BF_RECT | BF_SOFT}, {BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM}},
    /* lsLoweredspb */ {{BDR_SUNKENOUTER, BF_RECT}, {BDR_SUNKENINNER, BF_LEFT | BF_TOP}},
    /* lsRaisedExt */ {{BDR_RAISEDOUTER, BF_RECT | BF_SOFT}, {BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM, true, +1}},
    /* lsLoweredExt */ {{BDR_SUNKENOUTER, BF_RECT}, {BDR_SUNKENINNER, BF_LEFT | BF_TOP, true, -1}},
    /* lsFrameInset */ {{EDGE_ETCHED, BF_RECT}},
    /* lsFrameOffset */ {{BDR_RAISEDINNER, BF_RECT}, {BDR_SUNKENOUTER, BF_RECT}},
    /* lsWindowBorder */ {{BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM, true, +1}, {BDR_RAISEDINNER, BF_RECT}},
    /* lsSingleRaised */ {{BDR_RAISEDINNER, BF_RECT}},
    /* lsSingleLowered */ {{BDR_SUNKENOUTER, BF_RECT}},
    /* lsDoubleRaised */ {{BDR_RAISEDINNER, BF_RECT}, {BDR_RAISEDINNER, BF_RECT}},
    /* lsDoubleLowered */ {{BDR_SUNKENOUTER, BF_RECT}, {BDR_SUNKENOUTER, BF_RECT}},
};
static_assert(std::size(StandardBorders) == lsDoubleLowered + 1);

} // namespace

void DrawStandardStyle(QPainter &p, TRect &R, TKitBorderStyle Style, unsigned ExtraFlags)
{
    if (Style < lsNone || Style > lsDoubleLowered)
        return;
    for (const BorderEdge &e : StandardBorders[Style]) {
        if (e.Sides == 0)
            continue;
        if (e.Adjust) {
            DrawEdge(p, R, e.Edge, e.Sides | BF_ADJUST | ExtraFlags);
        } else {
            TRect copy = R;
            DrawEdge(p, copy, e.Edge, e.Sides | ExtraFlags);
        }
        if (e.Shift > 0) {
            R.Left += 1;
            R.Top += 1;
        } else if (e.Shift < 0) {
            R.Right -= 1;
            R.Bottom -= 1;
        }
    }
}
