#include "controls/edits/ExButtonGlyph.h"

#include "controls/edits/CtlUtils.h"

namespace {

QRgb rgbOf(TColor c)
{
    const TColor v = ColorToRGB(c);
    return qRgb(GetRValue(v), GetGValue(v), GetBValue(v));
}

} // namespace

TExButtonGlyph::TExButtonGlyph()
{
    FSlots.fill(-1);
}

TExButtonGlyph::~TExButtonGlyph()
{
    OnChange = nullptr;
    Invalidate();
}

void TExButtonGlyph::SetBitmap(const QImage &bitmap)
{
    Invalidate();
    FOriginal = bitmap;
    if (bitmap.height() > 0) {
        const QRgb px = bitmap.pixel(0, bitmap.height() - 1);
        FTransparentColor = RGB(qRed(px), qGreen(px), qBlue(px));
        if (bitmap.width() % bitmap.height() == 0) {
            const int n = bitmap.width() / bitmap.height();
            FNumGlyphs = n < 6 ? n : 1;
        }
    }
    if (OnChange)
        OnChange();
}

void TExButtonGlyph::SetNumGlyphs(int n)
{
    if (n == 0)
        return;
    if (n > 5)
        n = 5;
    if (n < 1)
        n = 1;
    if (n == FNumGlyphs)
        return;
    Invalidate();
    FNumGlyphs = n;
    if (OnChange)
        OnChange();
}

QSize TExButtonGlyph::GlyphSize() const
{
    if (FOriginal.isNull() || FNumGlyphs < 1)
        return QSize(0, 0);
    return QSize(FOriginal.width() / FNumGlyphs, FOriginal.height());
}

void TExButtonGlyph::Invalidate()
{
    for (int &slot : FSlots) {
        if (slot >= 0 && FList)
            FList->Remove(slot);
        slot = -1;
    }
    if (FList && KitGlyphCache())
        KitGlyphCache()->Release(FList);
    FList = nullptr;
}

QImage TExButtonGlyph::StateImage(TButtonState state)
{
    if (FOriginal.isNull())
        return QImage();
    if (state == bsDown && FNumGlyphs < 3)
        state = bsUp;
    const int s = static_cast<int>(state);
    if (FSlots[s] < 0) {
        const QSize size = GlyphSize();
        if (!FList)
            FList = KitGlyphCache()->GetList(size.width(), size.height());
        FSlots[s] = FList->AddBitmap(BuildImage(state), FTransparentColor);
    }
    // the cell with its masked pixels cleared
    QImage cell = FList->CopyImage(FSlots[s]).convertToFormat(QImage::Format_ARGB32);
    const QImage mask = FList->MaskStrip().copy(FList->XOf(FSlots[s]), 0, FList->Width(), FList->Height());
    for (int y = 0; y < cell.height() && y < mask.height(); ++y)
        for (int x = 0; x < cell.width() && x < mask.width(); ++x)
            if ((mask.pixel(x, y) & 0xFFFFFF) != 0)
                cell.setPixel(x, y, 0);
    return cell;
}

QImage TExButtonGlyph::BuildImage(TButtonState state) const
{
    const int s = static_cast<int>(state);
    const QImage cell = CellBitmap(FOriginal, FNumGlyphs, s < FNumGlyphs ? s : 0, 1);
    const QRgb transparent = rgbOf(FTransparentColor);
    if (state == bsDisabled && FNumGlyphs < 2) {
        // embossed on the face colour, which then stands for transparent
        QImage embossed = MakeGrayedBitmap(cell, FTransparentColor);
        const QRgb face = rgbOf(clBtnFace);
        for (int y = 0; y < embossed.height(); ++y)
            for (int x = 0; x < embossed.width(); ++x)
                if ((embossed.pixel(x, y) & 0xFFFFFF) == (face & 0xFFFFFF))
                    embossed.setPixel(x, y, transparent);
        return embossed;
    }
    if (state == bsInactive && FNumGlyphs < 5) {
        QImage grey = cell.convertToFormat(QImage::Format_RGB32);
        const QRgb face = rgbOf(clBtnFace);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x) {
                const QRgb px = grey.pixel(x, y);
                if ((px & 0xFFFFFF) == (transparent & 0xFFFFFF) || (px & 0xFFFFFF) == (face & 0xFFFFFF))
                    continue;
                const int g = (77 * qRed(px) + 150 * qGreen(px) + 29 * qBlue(px)) >> 8;
                grey.setPixel(x, y, qRgb(g, g, g));
            }
        return grey;
    }
    return cell.convertToFormat(QImage::Format_RGB32);
}
