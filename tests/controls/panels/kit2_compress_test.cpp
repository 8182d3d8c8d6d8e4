// Block compression and the compressed-stream framing. Plain C++ (no Qt), so
// the sanitizer run of scripts/ci.d/kit-fuzz.sh builds this file as it is.
#include "controls/panels/KitDataStream.h"
#include "controls/panels/KitLzrw.h"

#include <gtest/gtest.h>

#include <random>

namespace {

KitBytes compressBlock(const KitBytes &in)
{
    KitBytes out(in.size() + KitCompressMargin);
    const int n = LZRWCompress(in.data(), out.data(), int(in.size()));
    out.resize(size_t(n));
    return out;
}

KitBytes decompressBlock(const KitBytes &block, int capacity = KitBlockSize)
{
    KitBytes out(size_t(capacity) + 1);
    const int n = LZRWDecompress(block.data(), out.data(), int(block.size()), capacity);
    if (n < 0)
        return {0xDE, 0xAD};
    out.resize(size_t(n));
    return out;
}

KitBytes repeat(uint8_t b, size_t n) { return KitBytes(n, b); }

KitBytes randomData(std::mt19937 &rng, size_t n)
{
    // a mix of noise, runs and repeated phrases so every item kind occurs
    KitBytes out;
    std::uniform_int_distribution<int> kind(0, 3), byte(0, 255), len(1, 40);
    while (out.size() < n) {
        switch (kind(rng)) {
        case 0: out.push_back(uint8_t(byte(rng))); break;
        case 1: out.insert(out.end(), size_t(len(rng)), uint8_t(byte(rng) & 3)); break;
        case 2:
            if (!out.empty()) {
                const size_t from = size_t(byte(rng)) % out.size();
                const size_t l = std::min<size_t>(size_t(len(rng)), out.size() - from);
                KitBytes copy(out.begin() + long(from), out.begin() + long(from + l));
                out.insert(out.end(), copy.begin(), copy.end());
            }
            break;
        default: out.push_back(uint8_t('a' + byte(rng) % 4)); break;
        }
    }
    out.resize(n);
    return out;
}

} // namespace

TEST(KitLzrw, SixteenEqualBytesAreOneRunItem)
{
    EXPECT_EQ(compressBlock(repeat('A', 16)), (KitBytes{0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'A'}));
    EXPECT_EQ(decompressBlock(compressBlock(repeat('A', 16))), repeat('A', 16));
}

TEST(KitLzrw, FifteenEqualBytesAreALiteralAndAReference)
{
    // literal 'A', then a reference of distance 1 and length 14: 1*16 + 11
    EXPECT_EQ(compressBlock(repeat('A', 15)), (KitBytes{0x40, 0x40, 0x00, 'A', 0x00, 0x1B}));
    EXPECT_EQ(decompressBlock(compressBlock(repeat('A', 15))), repeat('A', 15));
}

TEST(KitLzrw, LongRunStoresLengthMinusSixteenHighByteFirst)
{
    EXPECT_EQ(compressBlock(repeat(7, 4095)), (KitBytes{0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 7}));
    // 4096 bytes: one run of 4095, then a literal
    EXPECT_EQ(compressBlock(repeat(7, 4096)), (KitBytes{0x40, 0x80, 0x00, 0x00, 0x0F, 0xEF, 7, 7}));
}

TEST(KitLzrw, SeventeenthItemStartsASecondControlWord)
{
    KitBytes in;
    for (int i = 0; i < 17; ++i)
        in.insert(in.end(), 16, uint8_t(i % 2 ? 'B' : 'A'));
    KitBytes want{0x40, 0xFF, 0xFF};
    for (int i = 0; i < 16; ++i)
        want.insert(want.end(), {0x00, 0x00, 0x00, uint8_t(i % 2 ? 'B' : 'A')});
    want.insert(want.end(), {0x80, 0x00, 0x00, 0x00, 0x00, 'A'});
    EXPECT_EQ(compressBlock(in), want);
    EXPECT_EQ(decompressBlock(want), in);
}

TEST(KitLzrw, BlockThatDoesNotShrinkIsStored)
{
    EXPECT_EQ(compressBlock({'a', 'b', 'c'}), (KitBytes{0x80, 'a', 'b', 'c'}));
    EXPECT_EQ(compressBlock({}), (KitBytes{0x80}));
    EXPECT_EQ(compressBlock({'x'}), (KitBytes{0x80, 'x'}));
    std::mt19937 rng(1);
    KitBytes noise(1000);
    for (auto &b : noise)
        b = uint8_t(rng());
    const KitBytes block = compressBlock(noise);
    ASSERT_EQ(block.size(), noise.size() + 1);
    EXPECT_EQ(block[0], 0x80);
    EXPECT_EQ(decompressBlock(block), noise);
}

TEST(KitLzrw, ReferenceMayOverlapItsOwnOutput)
{
    // literal 'Z', then distance 1 length 18 (1*16 + 15)
    const KitBytes block{0x40, 0x40, 0x00, 'Z', 0x00, 0x1F};
    EXPECT_EQ(decompressBlock(block), repeat('Z', 19));
    // distance 2 repeats a pair
    EXPECT_EQ(decompressBlock({0x40, 0x20, 0x00, 'a', 'b', 0x00, 0x21}), (KitBytes{'a', 'b', 'a', 'b', 'a', 'b'}));
}

TEST(KitLzrw, RoundTripOfRandomBlocks)
{
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> size(0, 3000);
    for (int k = 0; k < 3000; ++k) {
        const KitBytes in = randomData(rng, size_t(k < 20 ? k : size(rng)));
        const KitBytes block = compressBlock(in);
        ASSERT_LE(block.size(), in.size() + 1);
        ASSERT_EQ(decompressBlock(block), in) << "case " << k;
    }
    const KitBytes full = randomData(rng, KitBlockSize);
    EXPECT_EQ(decompressBlock(compressBlock(full)), full);
}

TEST(KitLzrw, MalformedBlocksAreRejected)
{
    EXPECT_EQ(LZRWDecompress(nullptr, nullptr, 0), -1);
    const uint8_t two[] = {0x40, 0x80};
    uint8_t out[128];
    EXPECT_EQ(LZRWDecompress(two, out, 2, 64), -1);              // no room for a control word
    const uint8_t before[] = {0x40, 0x80, 0x00, 0x00, 0x1F};       // reference before the start
    EXPECT_EQ(LZRWDecompress(before, out, 5, 64), -1);
    const uint8_t cut[] = {0x40, 0x80, 0x00, 0x00, 0x00, 0x00};    // run item cut short
    EXPECT_EQ(LZRWDecompress(cut, out, 6, 64), -1);
    const uint8_t big[] = {0x40, 0x80, 0x00, 0x00, 0x00, 0x40, 'q'}; // run of 80 into 64
    EXPECT_EQ(LZRWDecompress(big, out, 7, 64), -1);
    EXPECT_EQ(LZRWDecompress(big, out, 7, 80), 80);
    const uint8_t stored[] = {0x80, 1, 2, 3};
    EXPECT_EQ(LZRWDecompress(stored, out, 4, 2), -1);
    EXPECT_EQ(LZRWDecompress(stored, out, 4, 3), 3);
}

TEST(KitLzrw, TruncatedAndFlippedBlocksNeverOverrun)
{
    std::mt19937 rng(99);
    for (int k = 0; k < 300; ++k) {
        const KitBytes in = randomData(rng, 200 + size_t(k) * 7);
        KitBytes block = compressBlock(in);
        for (size_t cut = 1; cut < block.size(); cut += 1 + block.size() / 16) {
            KitBytes part(block.begin(), block.begin() + long(cut));
            KitBytes out(in.size());
            const int n = LZRWDecompress(part.data(), out.data(), int(part.size()), int(out.size()));
            ASSERT_LE(n, int(out.size()));
        }
        block[1 + rng() % (block.size() - 1)] ^= uint8_t(1 + rng() % 255);
        KitBytes out(in.size());
        ASSERT_LE(LZRWDecompress(block.data(), out.data(), int(block.size()), int(out.size())), int(out.size()));
    }
}

TEST(KitCompressedStream, ExactFraming)
{
    EXPECT_EQ(KitCompressBytes({}), (KitBytes{0, 0, 0, 0}));
    EXPECT_EQ(KitCompressBytes(repeat('A', 16)),
              (KitBytes{11, 0, 0, 0, 7, 0, 0, 0, 0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 'A'}));
    EXPECT_EQ(KitCompressBytes({'a', 'b'}), (KitBytes{7, 0, 0, 0, 3, 0, 0, 0, 0x80, 'a', 'b'}));
}

TEST(KitCompressedStream, FortyThousandBytesAreTwoBlocks)
{
    std::mt19937 rng(7);
    const KitBytes in = randomData(rng, 40000);
    KitMemoryStream src(in), dst;
    WriteCompressed(src, dst, 40000);
    dst.Rewind();
    const int32_t total = KitReadInt(dst);
    const int32_t len1 = KitReadInt(dst);
    ASSERT_GT(len1, 0);
    dst.Seek(dst.Position() + len1);
    const int32_t len2 = KitReadInt(dst);
    EXPECT_EQ(total, len1 + len2 + 8);
    EXPECT_EQ(dst.Position() + len2, dst.Size());
    EXPECT_EQ(decompressBlock(KitBytes(dst.Data().begin() + 8, dst.Data().begin() + 8 + len1)).size(), 32781u);
    EXPECT_EQ(decompressBlock(KitBytes(dst.Data().end() - len2, dst.Data().end())).size(), 7219u);
    EXPECT_EQ(KitDecompressBytes(dst.Data()), in);
}

TEST(KitCompressedStream, WrittenInsideOtherDataAndAppendedOnRead)
{
    KitMemoryStream s;
    KitWriteInt(s, 0x01020304);
    KitMemoryStream src(repeat('x', 100));
    WriteCompressed(src, s, 100);
    KitWriteByte(s, 0x55);
    s.Rewind();
    EXPECT_EQ(KitReadInt(s), 0x01020304);
    KitMemoryStream dest(KitBytes{'p'});
    dest.Seek(1);
    ReadCompressed(s, dest);
    EXPECT_EQ(dest.Size(), 101);
    EXPECT_EQ(KitReadByte(s), 0x55);
}

TEST(KitCompressedStream, RandomRoundTrips)
{
    std::mt19937 rng(4242);
    std::uniform_int_distribution<int> size(0, 80000);
    for (int k = 0; k < 200; ++k) {
        const KitBytes in = randomData(rng, size_t(size(rng)));
        ASSERT_EQ(KitDecompressBytes(KitCompressBytes(in)), in);
    }
}

TEST(KitCompressedStream, TruncatedOrCorruptStreamsRaise)
{
    std::mt19937 rng(5);
    const KitBytes good = KitCompressBytes(randomData(rng, 50000));
    for (size_t cut = 0; cut < good.size(); cut += 1 + good.size() / 200)
        EXPECT_THROW(KitDecompressBytes(KitBytes(good.begin(), good.begin() + long(cut))), EKitStreamError) << cut;

    // a block length beyond what the total announces
    KitBytes wrongTotal = KitCompressBytes(repeat('A', 16));
    wrongTotal[0] = 10;
    EXPECT_THROW(KitDecompressBytes(wrongTotal), EKitStreamError);
    // a negative total, a zero block length, an oversized block length
    EXPECT_THROW(KitDecompressBytes({0xFF, 0xFF, 0xFF, 0xFF}), EKitStreamError);
    EXPECT_THROW(KitDecompressBytes({8, 0, 0, 0, 0, 0, 0, 0}), EKitStreamError);
    EXPECT_THROW(KitDecompressBytes({0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0, 0x80}), EKitStreamError);
    // a bad reference inside a well-framed block
    EXPECT_THROW(KitDecompressBytes({9, 0, 0, 0, 5, 0, 0, 0, 0x40, 0x80, 0x00, 0x00, 0x1F}), EKitStreamError);
}

TEST(KitDataStream, PlainFramingAndReadErrors)
{
    KitMemoryStream s;
    KitWriteInt(s, -2);
    KitWriteByte(s, 9);
    KitWriteShortString(s, "abc");
    KitWriteData(s, {1, 2}, false);
    EXPECT_EQ(s.Data(), (KitBytes{0xFE, 0xFF, 0xFF, 0xFF, 9, 3, 'a', 'b', 'c', 2, 0, 0, 0, 1, 2}));
    s.Rewind();
    EXPECT_EQ(KitReadInt(s), -2);
    EXPECT_EQ(KitReadByte(s), 9);
    EXPECT_EQ(KitReadShortString(s), "abc");
    EXPECT_EQ(KitReadData(s, false), (KitBytes{1, 2}));
    EXPECT_THROW(KitReadByte(s), EKitStreamError);

    KitMemoryStream longer;
    KitWriteShortString(longer, std::string(300, 'z'));
    EXPECT_EQ(longer.Size(), 256);

    KitMemoryStream lying(KitBytes{5, 0, 0, 0, 1, 2});
    EXPECT_THROW(KitReadData(lying, false), EKitStreamError);
    KitMemoryStream negative(KitBytes{0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(KitReadData(negative, false), EKitStreamError);
}
