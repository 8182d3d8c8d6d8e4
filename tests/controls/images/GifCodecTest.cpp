// The LZW codec against giflib: what we write giflib decodes to the same
// indices, what giflib writes we decode to the same indices, and hand-made
// code streams (no leading clear, a full table kept without a clear) decode
// to the pixels they were made from.

#include "GiflibOracle.h"
#include "controls/images/GifImage.h"
#include "controls/images/GifLzw.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

IndexedImage picture(int w, int h, int bits, const std::vector<std::uint8_t> &pixels)
{
    IndexedImage img;
    img.Width = w;
    img.Height = h;
    img.Bits = bits;
    img.Pixels = pixels;
    img.Palette.Count = 1 << bits;
    const std::vector<std::uint8_t> table = oracle::GreyTable(bits);
    std::copy(table.begin(), table.end(), img.Palette.Rgb.begin());
    return img;
}

std::vector<std::uint8_t> ourFile(const IndexedImage &img)
{
    TGIFImage gif;
    gif.AddFrame(img);
    return gif.SaveToBytes();
}

// A plain LZW coder for hand-made streams: optionally without the leading
// clear code, and either clearing when the table is full or keeping the
// full table (12-bit codes, no new entries) to the end.
std::vector<std::uint8_t> craftStream(const std::vector<std::uint8_t> &pixels, int codeSize, bool leadingClear,
                                      bool clearWhenFull)
{
    std::vector<std::uint8_t> out{std::uint8_t(codeSize)};
    std::vector<std::uint8_t> bytes;
    std::uint32_t acc = 0;
    int nbits = 0;
    auto put = [&](int code, int width) {
        acc |= std::uint32_t(code) << nbits;
        nbits += width;
        while (nbits >= 8) {
            bytes.push_back(std::uint8_t(acc));
            acc >>= 8;
            nbits -= 8;
        }
    };
    const int clear = 1 << codeSize, eoi = clear + 1;
    std::map<std::pair<int, int>, int> table;
    int width = codeSize + 1, next = clear + 2;
    if (leadingClear)
        put(clear, width);
    int prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
        const int p = pixels[i];
        auto it = table.find({prefix, p});
        if (it != table.end()) {
            prefix = it->second;
            continue;
        }
        put(prefix, width);
        if (next >= (1 << width) && width < 12)
            ++width;
        if (next < 4096) {
            table[{prefix, p}] = next++;
        } else if (clearWhenFull) {
            put(clear, width);
            table.clear();
            width = codeSize + 1;
            next = clear + 2;
        }
        prefix = p;
    }
    put(prefix, width);
    if (next >= (1 << width) && width < 12)
        ++width;
    put(eoi, width);
    if (nbits)
        bytes.push_back(std::uint8_t(acc));
    for (std::size_t at = 0; at < bytes.size(); at += 255) {
        const std::size_t n = std::min<std::size_t>(255, bytes.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), bytes.begin() + std::ptrdiff_t(at), bytes.begin() + std::ptrdiff_t(at + n));
    }
    out.push_back(0);
    return out;
}

// A one-frame GIF around a data stream, for giflib.
std::vector<std::uint8_t> wrap(int w, int h, int bits, const std::vector<std::uint8_t> &data)
{
    std::vector<std::uint8_t> f = {'G', 'I', 'F', '8', '9', 'a', std::uint8_t(w), std::uint8_t(w >> 8),
                                   std::uint8_t(h), std::uint8_t(h >> 8), std::uint8_t(0x80 | ((bits - 1) << 4) | (bits - 1)), 0, 0};
    const std::vector<std::uint8_t> table = oracle::GreyTable(bits);
    f.insert(f.end(), table.begin(), table.end());
    f.insert(f.end(), {',', 0, 0, 0, 0, std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(h), std::uint8_t(h >> 8), 0});
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(';');
    return f;
}

IndexedImage decode(const std::vector<std::uint8_t> &data, int w, int h, int bits, bool interlace, bool tolerate,
                    bool &damaged)
{
    IndexedImage img;
    img.Width = w;
    img.Height = h;
    damaged = false;
    LzwDecode(data, img, interlace, bits, tolerate, damaged);
    return img;
}

} // namespace

TEST(GifCodec, OurFilesDecodeInGiflibToTheSameIndices)
{
    struct Case { int w, h, bits; bool noisy; };
    std::vector<Case> cases;
    for (int bits = 1; bits <= 8; ++bits) {
        cases.push_back({37, 23, bits, false});
        cases.push_back({64, 50, bits, true});
    }
    cases.push_back({4096, 1, 8, false}); // one colour: the table is cleared within 12-bit codes
    cases.push_back({300, 300, 8, true}); // many full tables
    cases.push_back({1, 1, 1, false});
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " bits " << c.bits << (c.noisy ? " noisy" : ""));
        std::vector<std::uint8_t> pixels = c.w == 4096 ? std::vector<std::uint8_t>(4096, 3)
                                                       : oracle::Pattern(c.w, c.h, c.bits, unsigned(c.w * c.bits), c.noisy);
        const IndexedImage img = picture(c.w, c.h, c.bits, pixels);
        const std::vector<std::uint8_t> file = ourFile(img);
        EXPECT_EQ(file[13 + 3 * (1 << c.bits) + 10], std::max(2, c.bits)); // the code size byte
        const oracle::File decoded = oracle::Decode(file);
        ASSERT_EQ(decoded.frames.size(), 1u);
        EXPECT_EQ(decoded.frames[0].pixels, pixels);
        EXPECT_EQ(decoded.globalColors, oracle::GreyTable(c.bits));
    }
}

TEST(GifCodec, GiflibFilesOfEveryDepthAndInterlaceDecodeToTheSameIndices)
{
    for (int bits = 1; bits <= 8; ++bits)
        for (bool interlace : {false, true})
            for (bool noisy : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "bits " << bits << " interlace " << interlace << " noisy " << noisy);
                oracle::File f;
                f.width = 61;
                f.height = 45;
                f.globalColors = oracle::GreyTable(bits);
                oracle::Frame fr;
                fr.width = 61;
                fr.height = 45;
                fr.interlace = interlace;
                fr.pixels = oracle::Pattern(61, 45, bits, unsigned(bits), noisy);
                f.frames.push_back(fr);
                const std::vector<std::uint8_t> bytes = oracle::Encode(f);
                TGIFImage gif;
                gif.LoadFromBytes(bytes);
                ASSERT_EQ(gif.GifFrameCount(), 1);
                TGIFFrame &frame = gif.GifFrameAt(0);
                EXPECT_EQ(frame.Interlaced, interlace);
                EXPECT_FALSE(frame.Corrupted);
                EXPECT_EQ(frame.FrameBitmap().Pixels, fr.pixels);
                EXPECT_EQ(frame.FrameBitmap().Bits, bits);
            }
}

TEST(GifCodec, StreamsWithoutLeadingClearOrWithAFullTableDecodeRight)
{
    const int w = 200, h = 200;
    const std::vector<std::uint8_t> pixels = oracle::Pattern(w, h, 8, 7, true);
    const std::vector<std::uint8_t> smooth = oracle::Pattern(w, h, 4, 9, false);
    struct Case { const std::vector<std::uint8_t> *px; int bits; bool leadingClear, clearWhenFull; };
    const Case cases[] = {{&pixels, 8, true, true},  {&pixels, 8, true, false}, {&pixels, 8, false, true},
                          {&pixels, 8, false, false}, {&smooth, 4, false, true}, {&smooth, 4, true, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "bits " << c.bits << " leading clear " << c.leadingClear
                                          << " clear when full " << c.clearWhenFull);
        const std::vector<std::uint8_t> data = craftStream(*c.px, c.bits, c.leadingClear, c.clearWhenFull);
        bool damaged = false;
        const IndexedImage ours = decode(data, w, h, c.bits, false, false, damaged);
        EXPECT_FALSE(damaged);
        EXPECT_EQ(ours.Pixels, *c.px);
        // giflib reads the same stream to the same indices.
        EXPECT_EQ(oracle::Decode(wrap(w, h, c.bits, data)).frames.at(0).pixels, *c.px);
    }
}

TEST(GifCodec, InterlacedRowsAreWrittenAndReadOnce)
{
    for (int height : {1, 2, 3, 5, 9, 17}) {
        SCOPED_TRACE(height);
        std::multiset<int> rows;
        int pass = 0;
        for (int row = 0; row < height; row = NextInterlacedRow(row, height, pass))
            rows.insert(row);
        EXPECT_EQ(int(rows.size()), height);
        for (int r = 0; r < height; ++r)
            EXPECT_EQ(rows.count(r), 1u);

        const IndexedImage img = picture(13, height, 8, oracle::Pattern(13, height, 8, unsigned(height), true));
        std::vector<std::uint8_t> data;
        LzwEncode(data, img, true);
        bool damaged = false;
        EXPECT_EQ(decode(data, 13, height, 8, true, false, damaged).Pixels, img.Pixels);
        // giflib de-interlaces our rows the same way.
        std::vector<std::uint8_t> file = wrap(13, height, 8, data);
        file[13 + 768 + 9] = 0x40;
        EXPECT_EQ(oracle::Decode(file).frames.at(0).pixels, img.Pixels);
    }
}

TEST(GifCodec, BadCodeSizeAndBadCodes)
{
    std::vector<std::uint8_t> data = craftStream(std::vector<std::uint8_t>(50, 1), 8, true, true);
    data[0] = 12;
    bool damaged = false;
    const IndexedImage img = decode(data, 10, 5, 8, false, true, damaged);
    EXPECT_TRUE(damaged);
    EXPECT_EQ(img.Pixels.size(), 50u);
    try {
        decode(data, 10, 5, 8, false, false, damaged);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "GIF code size not in range 2 to 9");
    }

    // A code beyond the next free one.
    std::vector<std::uint8_t> bad = {2, 2, 0x04 | (7 << 3), 0x00, 0};
    EXPECT_THROW(decode(bad, 4, 1, 2, false, false, damaged), EInvalidGraphicOperation);
    EXPECT_NO_THROW(decode(bad, 4, 1, 2, false, true, damaged));
    EXPECT_TRUE(damaged);

    // A frame whose table has 8 entries keeps pixel values below 8.
    const IndexedImage three = picture(20, 3, 3, oracle::Pattern(20, 3, 3, 5, true));
    std::vector<std::uint8_t> enc;
    LzwEncode(enc, three, false);
    EXPECT_EQ(enc[0], 3);
    EXPECT_EQ(decode(enc, 20, 3, 3, false, false, damaged).Pixels, three.Pixels);

    // A pixel beyond the picture's bits cannot be written.
    IndexedImage wrong = picture(4, 1, 1, {0, 1, 2, 1});
    enc.clear();
    EXPECT_THROW(LzwEncode(enc, wrong, false), EInvalidGraphicOperation);
}

TEST(GifCodec, TruncatedDataKeepsTheRowsDecodedSoFar)
{
    const int w = 40, h = 30;
    const IndexedImage img = picture(w, h, 8, oracle::Pattern(w, h, 8, 3, true));
    std::vector<std::uint8_t> data;
    LzwEncode(data, img, false);
    // Keep the code-size byte and the first sub-block only, cut short.
    std::vector<std::uint8_t> cut(data.begin(), data.begin() + 1 + 1 + 255);
    cut.push_back(0);
    bool damaged = false;
    const IndexedImage part = decode(cut, w, h, 8, false, true, damaged);
    EXPECT_TRUE(damaged);
    // The first rows are there, the last row is zero.
    EXPECT_TRUE(std::equal(img.Pixels.begin(), img.Pixels.begin() + w * 3, part.Pixels.begin()));
    EXPECT_EQ(std::count(part.Pixels.end() - w, part.Pixels.end(), 0), w);
    try {
        decode(cut, w, h, 8, false, false, damaged);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}
