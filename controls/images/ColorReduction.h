#pragma once
// Colour reduction of true-colour pictures to 1, 4 or 8 bits per pixel by
// one of six methods, and the bitmap file image (file header, information
// header, colour table, bottom-up rows) of the result.

#include "controls/images/GifTypes.h"

#include <cstdint>
#include <vector>

enum TReductionMethod : std::uint8_t {
    rmHistogram = 0,  // the most frequent colours
    rmMedianCut = 1,  // boxes of the colour cube split at their median
    rmTrunc784 = 2,   // 7 reds x 8 greens x 4 blues
    rmTrunc666 = 3,   // 6 levels each
    rmStripes = 4,    // one channel per pixel, in diagonal stripes
    rmGrayscale = 5   // 77 R + 150 G + 29 B, over 256
};

// The method used where none is named.
extern TReductionMethod DefaultReduction;

// Colours of a pixel format: 1 bit 2, 4 bits 16, 8 bits 256, others 0.
int FormatColors(int bits);

// Reduces the picture to bits (1, 4 or 8) per pixel. The palette holds
// 2^bits entries; colorsUsed receives the colour-used count of the bitmap
// header (the boxes made by median cut, 224 and 216 for the truncations,
// 0 otherwise). The methods make 8-bit pictures; at 1 and 4 bits every method
// gives the system's conversion: each pixel the nearest of black and white,
// or of the sixteen standard colours. Other bit counts raise "GIF image
// encoding error".
IndexedImage ReduceColors(const RgbImage &image, int bits, TReductionMethod method, int *colorsUsed = nullptr);

// The bitmap file image of the picture at bits per pixel (1, 4, 8 reduced
// by the method; 24 the picture unchanged).
std::vector<std::uint8_t> BitmapToDibStream(const RgbImage &image, int bits, TReductionMethod method);
// 1 bit up to 2 colours, 4 up to 16, 8 up to 256, 24 above; DefaultReduction.
std::vector<std::uint8_t> BitmapToDibForColors(const RgbImage &image, int colors);

// The bitmap file image of an indexed picture (its bits rounded up to 1, 4
// or 8), with colorsUsed in the header.
std::vector<std::uint8_t> IndexedToDib(const IndexedImage &image, int colorsUsed = 0);
