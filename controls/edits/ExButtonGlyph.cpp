#include "controls/edits/ExButtonGlyph.h"

#include "controls/edits/CtlUtils.h"

namespace {

QRgb rgbOf(TColor c)
{
    const TColor v = ColorToRGB(c);
    return qRgb(GetRValue(v), GetGValue(v), GetBValue(v));
}

QImage clearColour(const QImage &src, QRgb mask)
{
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (mask & 0xFFFFFF))
                line[x] = 0;
    }
    return img;
}

} // namespace

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
    for (auto &img : FImages)
        img = QImage();
    FBuilt.fill(false);
}

QImage TExButtonGlyph::StateImage(TButtonState state)
{
    if (FOriginal.isNull())
        return QImage();
    if (state == bsDown && FNumGlyphs < 3)
        state = bsUp;
    const int s = static_cast<int>(state);
    if (!FBuilt[s]) {
        FImages[s] = BuildImage(state);
        FBuilt[s] = true;
    }
    return FImages[s];
}

QImage TExButtonGlyph::BuildImage(TButtonState state) const
{
    const int s = static_cast<int>(state);
    const QImage cell = CellBitmap(FOriginal, FNumGlyphs, s < FNumGlyphs ? s : 0, 1);
    const QRgb transparent = rgbOf(FTransparentColor);
    if (state == bsDisabled && FNumGlyphs < 2) {
        const QImage embossed = MakeGrayedBitmap(cell, FTransparentColor);
        return clearColour(embossed, rgbOf(clBtnFace));
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
        return clearColour(grey, transparent);
    }
    return clearColour(cell, transparent);
}
