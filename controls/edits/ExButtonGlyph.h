#pragma once
// The glyph of a speed button: one source bitmap with up to five equal images
// side by side (up, disabled, down, exclusive, inactive). Images the source
// lacks are made once: an embossed one for disabled, a grey one for inactive.

#include "controls/panels/KitGraphics.h"

#include <QImage>
#include <QSize>
#include <array>
#include <functional>

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TExButtonGlyph
{
public:
    TExButtonGlyph() = default;
    TExButtonGlyph(const TExButtonGlyph &) = delete;
    TExButtonGlyph &operator=(const TExButtonGlyph &) = delete;

    const QImage &Bitmap() const { return FOriginal; }
    // Takes a copy; with a height, the image count becomes width / height
    // when the width is an exact multiple below 6 times the height, else 1.
    void SetBitmap(const QImage &bitmap);
    int NumGlyphs() const { return FNumGlyphs; }
    // Values above 5 become 5; 0 is ignored.
    void SetNumGlyphs(int n);
    // The source's bottom-left pixel.
    TColor TransparentColor() const { return FTransparentColor; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a) { FAlignment = a; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool w) { FWordWrap = w; }

    // Size of one image (0 x 0 without bitmap).
    QSize GlyphSize() const;
    // The image of a state with the transparent colour cleared; built on demand.
    QImage StateImage(TButtonState state);
    // Drops every built image (bitmap change, system colour change).
    void Invalidate();

    std::function<void()> OnChange;

private:
    QImage BuildImage(TButtonState state) const;

    QImage FOriginal;
    int FNumGlyphs = 1;
    TColor FTransparentColor = clOlive;
    TAlignment FAlignment = taCenter;
    bool FWordWrap = false;
    std::array<QImage, 5> FImages;
    std::array<bool, 5> FBuilt{};
};
