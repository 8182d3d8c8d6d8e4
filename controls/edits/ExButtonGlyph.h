#pragma once
// The glyph of a speed button: one source bitmap with up to five equal images
// side by side (up, disabled, down, exclusive, inactive). Images the source
// lacks are made once: an embossed one for disabled, a grey one for inactive.
// Built images live in the kit's process-wide glyph cache, one shared strip
// per image size, beside the kit's own button glyphs.

#include "controls/panels/KitGlyph.h"
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
    TExButtonGlyph();
    ~TExButtonGlyph();
    Q_DISABLE_COPY(TExButtonGlyph)

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
    // Drops every built image (bitmap change, system colour change) and
    // gives its cells back to the shared strip.
    void Invalidate();
    // The shared strip of this glyph's image size (none before an image is built).
    TKitGlyphList *GlyphList() const { return FList; }
    // Cell of a state in GlyphList, -1 when not built.
    int Slot(TButtonState state) const { return FSlots[static_cast<int>(state)]; }

    std::function<void()> OnChange;

private:
    QImage BuildImage(TButtonState state) const;

    QImage FOriginal;
    int FNumGlyphs = 1;
    TColor FTransparentColor = clOlive;
    TAlignment FAlignment = taCenter;
    bool FWordWrap = false;
    std::array<int, 5> FSlots;
    TKitGlyphList *FList = nullptr;
    // Keeps the kit's glyph cache alive while this glyph exists (the cache
    // lives from the first glyph to the last).
    TKitGlyph FCacheHold;
};
