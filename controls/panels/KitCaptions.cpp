#include "controls/panels/KitCaptions.h"

#include "controls/panels/KitApplication.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

// An assignment's frame: nothing from itself or from nothing, and the values
// copied by copyValues reported as one change.
template <class T, class F> void assignAsOneChange(T *dest, const T *source, F copyValues)
{
    if (!source || source == dest)
        return;
    dest->BeginUpdate();
    copyValues();
    dest->EndUpdate(true);
}

} // namespace

void TKitGlyphTextLayout::Assign(const TKitGlyphTextLayout *Source)
{
    assignAsOneChange(this, Source, [&] {
        SetAlignment(Source->Alignment());
        SetAlignText2Glyph(Source->AlignText2Glyph());
        SetOffset(0, Source->OffsetX());
        SetOffset(1, Source->OffsetY());
        SetSpacing(Source->Spacing());
    });
}

void TKitButtonLayout::Assign(const TKitGlyphTextLayout *Source)
{
    assignAsOneChange<TKitGlyphTextLayout>(this, Source, [&] {
        TKitGlyphTextLayout::Assign(Source);
        BeginUpdate(); // the base released the hold
        if (auto *b = qobject_cast<const TKitButtonLayout *>(Source)) {
            SetArrow(b->Arrow());
            SetArrowColor(b->ArrowColor());
            SetArrowIndent(b->ArrowIndent());
            SetArrowPosition(b->ArrowPosition());
            SetArrowSize(b->ArrowSize());
        }
    });
}

void TKit3DCaption::Assign(const TKit3DCaption *Source)
{
    assignAsOneChange(this, Source, [&] {
        SetDisabledStyle(Source->DisabledStyle());
        SetDepth(0, Source->LightDepth());
        SetDepth(1, Source->ShadowDepth());
        SetColor(0, Source->LightColor());
        SetColor(1, Source->ShadowColor());
        SetStyle(Source->Style());
        SetTracing(Source->Tracing());
    });
}

int TKit3DCaption::Depth() const
{
    switch (FStyle) {
    case tdSunken:
    case tdRaised: return LightDepth();
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised: return LightDepth() + ShadowDepth();
    case tdShadow: return ShadowDepth();
    default: return 0;
    }
}

void TKitFxCaption::SetPos(int X, int Y)
{
    BeginUpdate();
    SetPosXY(0, X);
    SetPosXY(1, Y);
    EndUpdate(false);
}

void TKitFxCaption::Assign(const TKit3DCaption *Source)
{
    assignAsOneChange<TKit3DCaption>(this, Source, [&] {
        TKit3DCaption::Assign(Source);
        BeginUpdate();
        if (auto *f = qobject_cast<const TKitFxCaption *>(Source)) {
            SetAngle(f->Angle());
            SetPosXY(0, f->PosX());
            SetPosXY(1, f->PosY());
        }
    });
}

void AlignRect(TKitAlignment a, const TRect &Inner, const TRect &Outer, TRect &Result)
{
    const int w = Inner.Width(), h = Inner.Height();
    int x = Outer.Left, y = Outer.Top;
    const int col = int(a) % 3, row = int(a) / 3;
    if (col == 1)
        x += Div(Outer.Width() - w, 2);
    else if (col == 2)
        x = Outer.Right - w;
    if (row == 1)
        y += Div(Outer.Height() - h, 2);
    else if (row == 2)
        y = Outer.Bottom - h;
    Result = Bounds(x, y, w, h);
}

void DrawArrow(QPainter &p, int X, int Y, bool Enabled, bool Down, TColor Color, int Size)
{
    if (Size < 2 || Size > 15)
        return;
    auto draw = [&](int x, int y, TColor c) {
        if (Down) {
            for (int k = 0; k <= Size - 2; ++k)
                FillRect(p, TRect(x + k, y + k, x + 2 * Size - k - 1, y + k + 1), c);
            SetPixel(p, x + Size - 1, y + Size - 1, c);
        } else {
            const int m = x + Size / 2;
            for (int k = 0; k <= Size - 1; ++k)
                FillRect(p, TRect(m - k, y + k, m + k + 1, y + k + 1), c);
        }
    };
    if (!Enabled) {
        draw(X + 1, Y + 1, clHighlightText);
        draw(X, Y, clGrayText);
    } else {
        draw(X, Y, Color);
    }
}

QImage FourToneImage(const QImage &Source)
{
    QImage dest = Source.convertToFormat(QImage::Format_RGB32);
    if (dest.isNull())
        return dest;
    const QRgb back = dest.pixel(0, 0);
    qint64 sum = 0, n = 0;
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x) {
            const QRgb c = dest.pixel(x, y);
            if (c != back) {
                sum += qRed(c) + qGreen(c) + qBlue(c);
                ++n;
            }
        }
    if (n == 0)
        return dest; // one colour: nothing to tone (and nothing to average)
    const double avg = double(sum) / double(n);
    const int b = int(std::nearbyint(avg - 200)); // ties to even
    const QRgb white = qRgb(255, 255, 255);
    const QRgb hi = ColorToQColor(clBtnHighlight).rgb();
    const QRgb sh = ColorToQColor(clBtnShadow).rgb();
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x) {
            const QRgb c = dest.pixel(x, y);
            if (c == back)
                continue;
            const int v = qRed(c) + qGreen(c) + qBlue(c);
            dest.setPixel(x, y, v > b + 550 ? white : v > b + 250 ? hi : v > b + 50 ? sh : qRgb(0, 0, 0));
        }
    return dest;
}

QImage MakeBitmapMask(const QImage &Source, TColor TransparentColor)
{
    QImage src = Source.convertToFormat(QImage::Format_RGB32);
    QImage mask(src.size(), QImage::Format_ARGB32);
    const QRgb t = ColorToQColor(TransparentColor).rgb();
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            mask.setPixel(x, y, (src.pixel(x, y) & 0xFFFFFF) == (t & 0xFFFFFF) ? 0 : 0xFF000000);
    return mask;
}

QImage DisabledImage(const QImage &Source, TColor TransparentColor)
{
    QImage src = Source.convertToFormat(QImage::Format_RGB32);
    QImage dest(src.size(), QImage::Format_RGB32);
    dest.fill(ColorToQColor(TransparentColor));
    const QRgb t = ColorToQColor(TransparentColor).rgb() & 0xFFFFFF;
    // the monochrome copy: dark pixels of the glyph (not the background)
    auto shows = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= src.width() || y >= src.height())
            return false;
        const QRgb c = src.pixel(x, y);
        if ((c & 0xFFFFFF) == t)
            return false;
        return qRed(c) + qGreen(c) + qBlue(c) < 3 * 192;
    };
    const QRgb hi = ColorToQColor(clBtnHighlight).rgb();
    const QRgb sh = ColorToQColor(clBtnShadow).rgb();
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x)
            if (shows(x - 1, y - 1))
                dest.setPixel(x, y, hi);
    for (int y = 0; y < dest.height(); ++y)
        for (int x = 0; x < dest.width(); ++x)
            if (shows(x, y))
                dest.setPixel(x, y, sh);
    return dest;
}

namespace {

int textFlags(int qtAlign, bool multiLine)
{
    return qtAlign | (multiLine ? int(Qt::TextWordWrap) : 0) | int(Qt::TextShowMnemonic) | int(Qt::TextExpandTabs);
}

} // namespace

void Draw3DText(QPainter &p, const QString &Text, const TKit3DCaption *Caption, const TRect &R, unsigned Flags,
                int QtAlign, TColor FontColor)
{
    if (Text.isEmpty() || R.IsEmpty())
        return;
    p.save();
    const int flags = textFlags(QtAlign, true);
    if (!Caption) {
        p.setPen(ColorToQColor((Flags & KitGtEnabled) ? FontColor : clGrayText));
        p.drawText(R.toQRect(), flags, Text);
        p.restore();
        return;
    }
    TColor text = FontColor;
    TKitThreeDStyle style = Caption->Style();
    const bool enabled = (Flags & KitGtEnabled) || Caption->DisabledStyle() == dsNone;
    if (!enabled) {
        text = clGrayText;
        if (Caption->DisabledStyle() == ds3d || (Caption->DisabledStyle() == dsAuto && (Flags & KitGtDisabled3D)))
            style = tdSunken;
    }
    if (Caption->Tracing() != 0) {
        QFont f = p.font();
        f.setLetterSpacing(QFont::AbsoluteSpacing, Caption->Tracing());
        p.setFont(f);
    }
    const int L = Caption->LightDepth(), S = Caption->ShadowDepth();
    struct Pass { int offset; TColor color; };
    std::vector<Pass> passes;
    int reduce = 0;
    switch (style) {
    case tdNone: passes = {{0, text}}; break;
    case tdSunken: reduce = L; passes = {{L, Caption->LightColor()}, {-L, text}}; break;
    case tdRaised: reduce = L; passes = {{0, Caption->LightColor()}, {L, text}}; break;
    case tdSunkenShadow:
    case tdPColorSunken:
        reduce = L + S;
        passes = {{0, Caption->ShadowColor()}, {L + S, Caption->LightColor()}, {-L, text}};
        break;
    case tdRaisedShadow:
    case tdPColorRaised:
        reduce = L + S;
        passes = {{L + S, Caption->ShadowColor()}, {-(L + S), Caption->LightColor()}, {L, text}};
        break;
    case tdShadow: reduce = S; passes = {{S, Caption->ShadowColor()}, {-S, text}}; break;
    }
    TRect r = R;
    r.Bottom -= reduce;
    int off = 0;
    auto *fx = qobject_cast<const TKitFxCaption *>(Caption);
    for (const Pass &ps : passes) {
        off += ps.offset;
        p.setPen(ColorToQColor(ps.color));
        if (fx && fx->Angle() != 0) {
            p.save();
            p.translate(R.Left + fx->PosX() + off, R.Top + fx->PosY() + off);
            p.rotate(-fx->Angle());
            p.drawText(QPoint(0, p.fontMetrics().ascent()), Text);
            p.restore();
        } else {
            TRect t = r;
            OffsetRect(t, off, off);
            p.drawText(t.toQRect(), flags, Text);
        }
    }
    p.restore();
}

TRect MeasureCaption(QPainter &p, const QString &Text, const TKit3DCaption *Caption, bool MultiLine, int Margin)
{
    QFont f = p.font();
    if (Caption && Caption->Tracing() != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, Caption->Tracing());
    const QFontMetrics fm(f);
    const QString t = Text.isEmpty() ? QString(" ") : Text;
    QRect b = fm.boundingRect(QRect(0, 0, 10000, 10000), textFlags(Qt::AlignLeft | Qt::AlignTop, MultiLine), t);
    TRect r(0, 0, b.width(), b.height());
    if (Caption) {
        r.Right += Caption->Depth();
        r.Bottom += Caption->Depth();
    }
    r.Right += 2 * Margin + 2;
    r.Bottom += 2 * Margin + 2;
    return r;
}

static int qtAlignOf(TKitAlignment a)
{
    static const int h[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const int v[3] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[int(a) % 3] | v[int(a) / 3];
}

TRect DrawGlyphText(QPainter &p, const QString &Text, const TKit3DCaption *Caption, unsigned Flags, bool MultiLine,
                    const TKitGlyphTextLayout *Layout, const QImage &Glyph, bool Transparent, TColor TransparentColor,
                    const TRect &R, TColor FontColor, TRect *Used)
{
    const bool hasText = !Text.isEmpty();
    // A glyph drawn at a high pixel ratio is laid out by its size on screen.
    const QSize glyphSize = Glyph.deviceIndependentSize().toSize();
    const bool hasGlyph = !Glyph.isNull() && glyphSize.width() > 0 && glyphSize.height() > 0;
    TRect tr = hasText ? MeasureCaption(p, Text, Caption, MultiLine) : TRect();
    if (hasText && MultiLine && tr.Width() > R.Width())
        tr.Right = tr.Left + std::max(0, R.Width());
    TRect gr = hasGlyph ? TRect(0, 0, glyphSize.width(), glyphSize.height()) : TRect();
    const int spacing = hasText && hasGlyph && Layout ? Layout->Spacing() : 0;
    auto *bl = qobject_cast<const TKitButtonLayout *>(Layout);
    const bool arrow = bl && bl->Arrow();
    const int arrowW = arrow ? 2 * bl->ArrowSize() - 1 + bl->ArrowIndent() : 0;
    const bool arrowByGlyph = arrow && (bl->ArrowPosition() == apRightGlyph || bl->ArrowPosition() == apLeftGlyph);
    if (arrow) {
        if (arrowByGlyph)
            gr.Right += arrowW;
        else
            tr.Right += arrowW;
    }
    const TKitTextArrange arr = Layout ? Layout->AlignText2Glyph() : taRight;
    const int tw = tr.Width(), th = tr.Height(), gw = gr.Width(), gh = gr.Height();
    int bw, bh, tx = 0, ty = 0, gx = 0, gy = 0;
    // Text and glyph one after the other along one axis, centred across it
    // (a smaller glyph at the start instead when glyphAtStart).
    auto place = [spacing](int tAlong, int gAlong, int tAcross, int gAcross, bool textFirst, bool glyphAtStart,
                           int &bAlong, int &bAcross, int &txAlong, int &gxAlong, int &txAcross, int &gxAcross) {
        bAlong = tAlong + spacing + gAlong;
        bAcross = std::max(tAcross, gAcross);
        txAlong = textFirst ? 0 : gAlong + spacing;
        gxAlong = textFirst ? tAlong + spacing : 0;
        txAcross = Div(bAcross - tAcross, 2);
        gxAcross = glyphAtStart && gAcross < tAcross ? 0 : Div(bAcross - gAcross, 2);
    };
    switch (arr) {
    case taLeft:
    case taLeftTop:
    case taRight:
    case taRightTop:
        place(tw, gw, th, gh, arr == taLeft || arr == taLeftTop, arr == taLeftTop || arr == taRightTop, bw, bh, tx,
              gx, ty, gy);
        break;
    default:
        place(th, gh, tw, gw, arr == taTop || arr == taTopLeft, arr == taTopLeft || arr == taBottomLeft, bh, bw, ty,
              gy, tx, gx);
        break;
    }
    TRect block;
    AlignRect((Flags & KitGtForceTopLeft) || !Layout ? agTopLeft : Layout->Alignment(), TRect(0, 0, bw, bh), R, block);
    const int ox = Layout ? Layout->OffsetX() : 0, oy = Layout ? Layout->OffsetY() : 0;
    TRect textR = Bounds(block.Left + tx + 1 + ox, block.Top + ty + 1 + oy, tw, th);
    TRect glyphR = Bounds(block.Left + gx + ox, block.Top + gy + oy, gw, gh);
    if (arrow && bl->ArrowPosition() == apLeftText)
        OffsetRect(textR, arrowW, 0);
    if (Used)
        *Used = Bounds(block.Left, block.Top, bw + 1, bh + 1);

    const bool measureOnly = Flags & KitGtMeasure;
    if (!measureOnly && hasText) {
        TRect t = textR;
        if (arrow && !arrowByGlyph)
            t.Right -= arrowW;
        Draw3DText(p, Text, Caption, t, Flags, MultiLine ? qtAlignOf(Layout ? Layout->Alignment() : agTopLeft) : int(Qt::AlignLeft | Qt::AlignTop),
                   FontColor);
    }
    if (arrow) {
        const int as = bl->ArrowSize();
        int ax, ay = textR.Top + Div(th - as, 2);
        switch (bl->ArrowPosition()) {
        case apRightText: ax = textR.Right - 2 * as + 1; break;
        case apLeftText: ax = textR.Left - arrowW; break;
        case apRightGlyph: ax = glyphR.Right - 2 * as + 1; ay = glyphR.Top + Div(gh - as, 2); break;
        default: ax = glyphR.Left; ay = glyphR.Top + Div(gh - as, 2); break;
        }
        DrawArrow(p, ax, ay, Flags & KitGtEnabled, true, bl->ArrowColor(), as);
    }
    if (!measureOnly && hasGlyph) {
        QImage img = Glyph;
        if (Transparent) {
            img = Glyph.convertToFormat(QImage::Format_ARGB32);
            const QRgb t = ColorToQColor(TransparentColor).rgb() & 0xFFFFFF;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if ((img.pixel(x, y) & 0xFFFFFF) == t)
                        img.setPixel(x, y, 0);
        }
        int gxDraw = glyphR.Left + (arrow && bl->ArrowPosition() == apLeftGlyph ? arrowW : 0);
        p.drawImage(QPoint(gxDraw, glyphR.Top), img);
    }

    TRect focus = R;
    bool any = false;
    if (Flags & KitGtFocusText) {
        focus = textR;
        InflateRect(focus, 1, 1);
        any = true;
    }
    if (Flags & KitGtFocusGlyph) {
        focus = glyphR;
        any = true;
    }
    if (Flags & KitGtFocusBoth) {
        UnionRect(focus, textR, glyphR);
        InflateRect(focus, 1, 1);
        any = true;
    }
    if (!any)
        InflateRect(focus, -1, -1);
    if (measureOnly)
        InflateRect(focus, 1, 1);
    return focus;
}

bool DrawButtonFace(QPainter &p, TRect &R, TColor Color, unsigned Flags, int State, int Style)
{
    if (Style == 0)
        Style = 2;
    const bool pressed = State == 3 || State == 4 || State == 6 || State == 7;
    if (State == 3) {
        p.fillRect(R.toQRect(), QBrush(KitApplication()->CheckerBitmap(Color)));
    } else {
        FillRect(p, R, Color);
    }
    if (!pressed && (Flags & 0x0022)) {
        TRect t = R;
        DrawEdge(p, t, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | ((Flags & 0x10) ? unsigned(BF_MIDDLE) : 0u));
        t = R;
        DrawEdge(p, t, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        InflateRect(R, -1, -1);
    }
    TRect C = R;
    if (Style == 1) {
        TRect t = R;
        DrawEdge(p, t, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT);
        t = R;
        DrawEdge(p, t, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
        InflateRect(R, -1, -1);
        if (pressed) {
            t = R;
            DrawEdge(p, t, BDR_SUNKENINNER, BF_TOPLEFT);
        } else {
            DrawEdge(p, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
            DrawEdge(p, R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        }
        InflateRect(C, -1, -1);
    } else if (Flags & 0x0004) {
        TRect t = R;
        if (!pressed)
            DrawStandardStyle(p, t, lsRaisedspb, BF_RECT);
        else if (Flags & 0x0008)
            DrawEdge(p, t, EDGE_SUNKEN, BF_RECT);
        else
            DrawStandardStyle(p, t, lsLowered, BF_RECT);
    } else {
        TRect t = R;
        if (pressed) {
            FrameRect(p, t, clBlack);
            InflateRect(t, -1, -1);
            FrameRect(p, t, 0x808080);
        } else if (Flags & 0x0002) {
            DrawEdge(p, t, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | BF_ADJUST);
            DrawEdge(p, t, BDR_RAISEDINNER, BF_BOTTOMRIGHT | BF_ADJUST);
        } else {
            DrawStandardStyle(p, t, lsRaisedspb, BF_RECT);
        }
    }
    if (Flags & 0x0002) {
        TRect f = C;
        InflateRect(f, pressed ? -4 : -3, pressed ? -4 : -3);
        DrawFocusRect(p, f);
    }
    InflateRect(C, -3, -3);
    if (pressed)
        OffsetRect(C, 1, 1);
    R = C;
    return true;
}
