// Colour reduction: what each of the six methods promises at 1, 4 and 8 bits
// per pixel, and the bitmap file images made from the results.

#include "controls/images/ColorReduction.h"

#include <gtest/gtest.h>
#include <set>

namespace {

RgbImage picture(int w, int h, std::uint32_t (*colour)(int x, int y))
{
    RgbImage img;
    img.Width = w;
    img.Height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.Pixels.push_back(colour(x, y) & 0xFFFFFF);
    return img;
}

GifColor asColor(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }

int distance(GifColor a, GifColor b)
{
    int d = 0;
    for (int s = 0; s < 24; s += 8) {
        const int v = int((a >> s) & 0xFF) - int((b >> s) & 0xFF);
        d += v * v;
    }
    return d;
}

std::uint32_t dibU32(const std::vector<std::uint8_t> &b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

} // namespace

TEST(ColorReduction, ColoursPerPixelFormat)
{
    EXPECT_EQ(FormatColors(1), 2);
    EXPECT_EQ(FormatColors(4), 16);
    EXPECT_EQ(FormatColors(8), 256);
    EXPECT_EQ(FormatColors(24), 0);
}

TEST(ColorReduction, EveryMethodGivesAFullPaletteAtEachDepth)
{
    const RgbImage img = picture(50, 40, [](int x, int y) { return std::uint32_t(x * 5 << 16 | y * 6 << 8 | (x + y) * 2); });
    for (int bits : {1, 4, 8})
        for (TReductionMethod m : {rmHistogram, rmMedianCut, rmTrunc784, rmTrunc666, rmStripes, rmGrayscale}) {
            SCOPED_TRACE(::testing::Message() << "bits " << bits << " method " << int(m));
            const IndexedImage out = ReduceColors(img, bits, m);
            EXPECT_EQ(out.Bits, bits);
            EXPECT_EQ(out.Palette.Count, 1 << bits);
            EXPECT_EQ(out.Width, 50);
            EXPECT_EQ(out.Height, 40);
            for (std::uint8_t p : out.Pixels)
                ASSERT_LT(p, 1 << bits);
        }
    EXPECT_THROW(ReduceColors(img, 24, rmHistogram), EInvalidGraphicOperation);
}

TEST(ColorReduction, HistogramKeepsFewColoursAndMapsTheRestToTheNearest)
{
    // 200 colours: every one kept exactly.
    const RgbImage few = picture(20, 10, [](int x, int y) { return std::uint32_t((x * 12) << 16 | (y * 25) << 8 | 7); });
    IndexedImage out = ReduceColors(few, 8, rmHistogram);
    for (std::size_t i = 0; i < few.Pixels.size(); ++i)
        ASSERT_EQ(out.Palette.Color(out.Pixels[i]), asColor(few.Pixels[i]));

    // At 4 bits: every pixel has its nearest entry.
    out = ReduceColors(few, 4, rmHistogram);
    for (std::size_t i = 0; i < few.Pixels.size(); ++i) {
        const GifColor c = asColor(few.Pixels[i]);
        int best = distance(out.Palette.Color(0), c);
        for (int e = 1; e < 16; ++e)
            best = std::min(best, distance(out.Palette.Color(e), c));
        ASSERT_EQ(distance(out.Palette.Color(out.Pixels[i]), c), best);
    }

    // 3000 colours: the lowest blue bit goes first, then red, then green.
    const RgbImage many = picture(60, 50, [](int x, int y) {
        const int i = y * 60 + x;
        return std::uint32_t((i % 15) * 17 << 16 | (i / 15 % 20) * 13 << 8 | ((i / 300) * 25 + 1));
    });
    out = ReduceColors(many, 8, rmHistogram);
    std::set<GifColor> entries;
    for (int e = 0; e < 256; ++e)
        entries.insert(out.Palette.Color(e));
    bool blueDropped = true;
    for (GifColor c : entries)
        if (c != 0x808080 && ((c >> 16) & 1))
            blueDropped = false;
    EXPECT_TRUE(blueDropped);
}

TEST(ColorReduction, MedianCutBoxes)
{
    const RgbImage flat = picture(9, 9, [](int, int) { return std::uint32_t(0x336699); });
    int used = 0;
    IndexedImage out = ReduceColors(flat, 8, rmMedianCut, &used);
    EXPECT_EQ(used, 1);
    EXPECT_EQ(std::count(out.Pixels.begin(), out.Pixels.end(), 0), 81);

    // One cell holding nearly every pixel: the first part still gets a cell,
    // so both colours survive as boxes of their own.
    const RgbImage skewed = picture(100, 1, [](int x, int) { return x == 99 ? 0xF0F0F0u : 0x101010u; });
    out = ReduceColors(skewed, 8, rmMedianCut, &used);
    EXPECT_EQ(used, 2);
    EXPECT_NE(out.Pixels[0], out.Pixels[99]);

    const RgbImage ramp = picture(64, 64, [](int x, int y) { return std::uint32_t(x * 4 << 16 | y * 4 << 8 | 0x80); });
    out = ReduceColors(ramp, 8, rmMedianCut, &used);
    EXPECT_GT(used, 200);
    EXPECT_LE(used, 256);
}

TEST(ColorReduction, FixedPalettesAndTheGreyFormula)
{
    const RgbImage img = picture(30, 30, [](int x, int y) { return std::uint32_t((x * 8) << 16 | (y * 8) << 8 | ((x * y) & 0xFF)); });
    int used = 0;
    IndexedImage out = ReduceColors(img, 8, rmTrunc666, &used);
    EXPECT_EQ(used, 216);
    EXPECT_EQ(out.Palette.Color(215), 0xFFFFFFu);
    EXPECT_EQ(out.Palette.Color(216), 0x808080u);
    out = ReduceColors(img, 8, rmTrunc784, &used);
    EXPECT_EQ(used, 224);
    EXPECT_EQ(out.Palette.Color(223), 0xFFFFFFu);
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) {
        // Each channel at its nearest level.
        const GifColor c = asColor(img.Pixels[i]), e = out.Palette.Color(out.Pixels[i]);
        ASSERT_LE(std::abs(int(c & 0xFF) - int(e & 0xFF)), 0x2B / 2 + 1);
        ASSERT_LE(std::abs(int((c >> 16) & 0xFF) - int((e >> 16) & 0xFF)), 0x55 / 2 + 1);
    }

    out = ReduceColors(img, 8, rmGrayscale);
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) {
        const std::uint32_t p = img.Pixels[i];
        ASSERT_EQ(out.Pixels[i], (77 * (p >> 16 & 0xFF) + 150 * (p >> 8 & 0xFF) + 29 * (p & 0xFF)) >> 8);
    }
    EXPECT_EQ(out.Palette.Color(200), 0xC8C8C8u);

    out = ReduceColors(img, 8, rmStripes);
    // The bottom-left pixel is memory row 0, column 0: it keeps red.
    const std::uint32_t bl = img.Pixels[29 * 30];
    EXPECT_EQ(out.Pixels[29 * 30], (bl >> 16 & 0xFF) >> 2);
    EXPECT_EQ(out.Pixels[29 * 30 + 1], 64 + ((img.Pixels[29 * 30 + 1] >> 8 & 0xFF) >> 2)); // the next one green
    EXPECT_EQ(out.Palette.Color(64 + 10), 40u << 8);
}

TEST(ColorReduction, BitmapFileImages)
{
    const RgbImage img = picture(5, 3, [](int x, int y) { return std::uint32_t(x * 40 << 16 | y * 80 << 8 | 9); });
    // 24 bits: the picture unchanged.
    const std::vector<std::uint8_t> dib24 = BitmapToDibStream(img, 24, rmGrayscale);
    EXPECT_EQ(dib24[0], 'B');
    EXPECT_EQ(dib24[28], 24);
    EXPECT_EQ(dibU32(dib24, 10), 54u);
    EXPECT_EQ(dib24.size(), 54u + 3 * 16);
    // Bottom row first: pixel (1, 2) at row 0, blue green red.
    EXPECT_EQ(dib24[54 + 3], 9);
    EXPECT_EQ(dib24[54 + 4], 160);
    EXPECT_EQ(dib24[54 + 5], 40);

    const std::vector<std::uint8_t> dib8 = BitmapToDibStream(img, 8, rmTrunc666);
    EXPECT_EQ(dib8[28], 8);
    EXPECT_EQ(dibU32(dib8, 46), 216u);
    EXPECT_EQ(dibU32(dib8, 10), 54u + 1024);
    const std::vector<std::uint8_t> dib1 = BitmapToDibForColors(img, 2);
    EXPECT_EQ(dib1[28], 1);
    EXPECT_EQ(dib1.size(), 54u + 8 + 4 * 3);
    EXPECT_EQ(BitmapToDibForColors(img, 300)[28], 24);
}

TEST(ColorReduction, OneAndFourBitsGoThroughTheSystemPaletteWhateverTheMethod)
{
    static constexpr GifColor standard[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                              0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                              0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    // Few colours, none of them standard: a method of its own would keep them.
    const RgbImage img = picture(12, 10, [](int x, int y) { return std::uint32_t((x * 20 + 3) << 16 | (y * 25 + 5) << 8 | 0x31); });
    for (TReductionMethod m : {rmHistogram, rmMedianCut, rmTrunc784, rmTrunc666, rmStripes, rmGrayscale}) {
        SCOPED_TRACE(::testing::Message() << "method " << int(m));
        const IndexedImage four = ReduceColors(img, 4, m);
        for (int e = 0; e < 16; ++e)
            ASSERT_EQ(four.Palette.Color(e), standard[e]);
        const IndexedImage one = ReduceColors(img, 1, m);
        EXPECT_EQ(one.Palette.Color(0), 0x000000u);
        EXPECT_EQ(one.Palette.Color(1), 0xFFFFFFu);
        for (std::size_t i = 0; i < img.Pixels.size(); ++i) {
            const GifColor c = asColor(img.Pixels[i]);
            int best = distance(standard[0], c);
            for (GifColor s : standard)
                best = std::min(best, distance(s, c));
            ASSERT_EQ(distance(four.Palette.Color(four.Pixels[i]), c), best);
            ASSERT_EQ(one.Pixels[i], distance(0xFFFFFF, c) < distance(0, c) ? 1 : 0);
        }
        // The bitmap file image of 16 colours carries the same table.
        const std::vector<std::uint8_t> dib = BitmapToDibStream(img, 4, m);
        EXPECT_EQ(dib[28], 4);
        EXPECT_EQ(dib[54 + 12 * 4], 0xFF);     // entry 12, pure blue: blue, green, red, reserved
        EXPECT_EQ(dib[54 + 12 * 4 + 2], 0x00);
    }
}
