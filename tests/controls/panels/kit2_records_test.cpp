// Item and container records, image strip records and the wave data checks.
// Plain C++ (no Qt): built as it is by the sanitizer run.
#include "controls/panels/KitStreamRecords.h"
#include "controls/panels/KitWaveData.h"

#include <gtest/gtest.h>

namespace {

KitBytes wavFile(const char *third = "WAVE", size_t dataBytes = 4)
{
    KitBytes w;
    w.reserve(44 + dataBytes); // sized once: GCC 12 takes the growth of a small vector for an overrun
    w.insert(w.end(), {'R', 'I', 'F', 'F', 0, 0, 0, 0});
    w.insert(w.end(), third, third + 4);
    const uint8_t fmt[] = {'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0, 0x44, 0xAC, 0, 0,
                           0x10, 0xB1, 2, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a'};
    w.insert(w.end(), fmt, fmt + sizeof fmt);
    KitMemoryStream s;
    KitWriteInt(s, int32_t(dataBytes));
    w.insert(w.end(), s.Data().begin(), s.Data().end());
    w.insert(w.end(), dataBytes, 0x11);
    const uint32_t riff = uint32_t(w.size() - 8);
    w[4] = uint8_t(riff);
    w[5] = uint8_t(riff >> 8);
    return w;
}

// A minimal bitmap file image header of the given size (the checks only read
// the header).
KitBytes bmpHeader(int32_t w, int32_t h)
{
    KitMemoryStream s;
    s.Write("BM", 2);
    KitWriteInt(s, 54);
    KitWriteInt(s, 0);
    KitWriteInt(s, 54);
    KitWriteInt(s, 40);
    KitWriteInt(s, w);
    KitWriteInt(s, h);
    while (s.Size() < 54)
        KitWriteByte(s, 0);
    return s.Data();
}

} // namespace

TEST(KitItemRecord, EmptyItemIsOneZeroByte)
{
    KitMemoryStream s;
    KitWriteItemHeader(s, KitItemHeader{});
    EXPECT_EQ(s.Data(), KitBytes{0});
    s.Rewind();
    const KitItemHeader h = KitReadItemHeader(s);
    EXPECT_EQ(h.description, "");
    EXPECT_EQ(h.ident, 0);
    EXPECT_FALSE(h.hasContent);
    EXPECT_FALSE(h.compressed);
}

TEST(KitItemRecord, FlagsDescriptionIdentInOrder)
{
    KitItemHeader h;
    h.compressed = true;
    h.description = "ab";
    h.ident = 7;
    h.hasContent = true;
    h.pixelFormat = KitPf4Bit;
    KitMemoryStream s;
    KitWriteItemHeader(s, h);
    EXPECT_EQ(s.Data(), (KitBytes{0x2F, 2, 'a', 'b', 7, 0, 0, 0}));
    s.Rewind();
    const KitItemHeader r = KitReadItemHeader(s);
    EXPECT_TRUE(r.compressed);
    EXPECT_EQ(r.description, "ab");
    EXPECT_EQ(r.ident, 7);
    EXPECT_TRUE(r.hasContent);
    EXPECT_EQ(r.pixelFormat, KitPf4Bit);

    h = {};
    h.pixelFormat = KitPfMono;
    EXPECT_EQ(KitItemFlags(h), 0x10);
    h.pixelFormat = KitPf8Bit;
    EXPECT_EQ(KitItemFlags(h), 0x40);

    KitMemoryStream cut(KitBytes{0x06, 5, 'a'});
    EXPECT_THROW(KitReadItemHeader(cut), EKitStreamError);
}

TEST(KitContainerStream, IndexHoldsRecordPositions)
{
    KitMemoryStream s;
    KitWriteItems(s, 2, true, [&](int i) {
        KitItemHeader h;
        h.ident = i ? 3 : 0;
        KitWriteItemHeader(s, h);
    });
    EXPECT_EQ(s.Data(), (KitBytes{2, 0, 0, 0, 12, 0, 0, 0, 13, 0, 0, 0, 0x00, 0x04, 3, 0, 0, 0}));
    s.Rewind();
    std::vector<int32_t> idents;
    EXPECT_EQ(KitReadItems(s, true, [&](int) { idents.push_back(KitReadItemHeader(s).ident); }), 2);
    EXPECT_EQ(idents, (std::vector<int32_t>{0, 3}));

    KitMemoryStream plain;
    KitWriteItems(plain, 1, false, [&](int) { KitWriteItemHeader(plain, {}); });
    EXPECT_EQ(plain.Data(), (KitBytes{1, 0, 0, 0, 0}));
}

TEST(KitContainerStream, CountBeyondTheStreamIsRejectedBeforeReading)
{
    int calls = 0;
    KitMemoryStream huge(KitBytes{0xFF, 0xFF, 0xFF, 0x7F, 0});
    EXPECT_THROW(KitReadItems(huge, false, [&](int) { ++calls; }), EKitStreamError);
    KitMemoryStream negative(KitBytes{0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_THROW(KitReadItems(negative, false, [&](int) { ++calls; }), EKitStreamError);
    KitMemoryStream noIndex(KitBytes{2, 0, 0, 0, 0, 0});
    EXPECT_THROW(KitReadItems(noIndex, true, [&](int) { ++calls; }), EKitStreamError);
    EXPECT_EQ(calls, 0);
}

TEST(KitImageStripRecord, WritesSizesThenStrips)
{
    KitImageStripRecord r;
    r.count = 3;
    r.masked = true;
    r.image = bmpHeader(48, 16);
    r.mask = bmpHeader(48, 16);
    KitMemoryStream s;
    KitWriteImageStrip(s, r, false);
    const KitBytes &d = s.Data();
    ASSERT_EQ(d.size(), 17u + 2 * (4 + 54));
    EXPECT_EQ(KitBytes(d.begin(), d.begin() + 21), (KitBytes{16, 0, 0, 0, 16, 0, 0, 0, 4, 0, 0, 0, 1, 3, 0, 0, 0, 54, 0, 0, 0}));
    s.Rewind();
    const KitImageStripRecord back = KitReadImageStrip(s, false);
    EXPECT_EQ(back.count, 3);
    EXPECT_TRUE(back.masked);
    EXPECT_EQ(back.image, r.image);
    EXPECT_EQ(back.mask, r.mask);

    KitImageStripRecord empty;
    KitMemoryStream e;
    KitWriteImageStrip(e, empty, true);
    EXPECT_EQ(e.Size(), 17);
}

TEST(KitImageStripRecord, RecordsThatDisagreeWithTheirStripAreRejected)
{
    auto roundTrip = [](KitImageStripRecord r) {
        KitMemoryStream s;
        KitWriteImageStrip(s, r, true);
        s.Rewind();
        return KitReadImageStrip(s, true);
    };
    KitImageStripRecord r;
    r.count = 2;
    r.image = bmpHeader(32, 16);
    EXPECT_NO_THROW(roundTrip(r));
    r.image = bmpHeader(48, 16); // wider than two images
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r.image = bmpHeader(32, 15); // not Height high
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r.image = {'n', 'o'};
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r.image = bmpHeader(32, 16);
    r.masked = true;
    r.mask = bmpHeader(16, 16);
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r = {};
    r.width = 0;
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r = {};
    r.count = 2049; // more than 32768 pixels of strip
    EXPECT_THROW(roundTrip(r), EKitStreamError);
    r = {};
    r.count = -1;
    EXPECT_THROW(roundTrip(r), EKitStreamError);
}

TEST(KitWaveData, HeaderCheck)
{
    KitWaveHeader h;
    ASSERT_TRUE(KitGetWaveData(wavFile(), h));
    EXPECT_EQ(h.samplesPerSec, 44100u);
    EXPECT_EQ(h.channels, 2);
    EXPECT_TRUE(h.pcm);
    EXPECT_EQ(h.blockAlign, 4);
    EXPECT_EQ(h.riffSize, wavFile().size() - 8);
    EXPECT_FALSE(KitGetWaveData({}, h));
    EXPECT_FALSE(KitGetWaveData(wavFile("WAVX"), h));
    const KitBytes tenBytes{'R', 'I', 'F', 'F', 1, 0, 0, 0, 'W', 'A'};
    EXPECT_THROW(KitGetWaveData(tenBytes, h), EErrorCheckingWave);
}

TEST(KitWaveData, StreamFormsAndRefusals)
{
    const KitBytes wav = wavFile("WAVE", 300);
    for (bool compressed : {false, true}) {
        KitMemoryStream s;
        KitWriteWave(s, wav, compressed);
        KitWriteWave(s, {}, compressed);
        s.Rewind();
        EXPECT_EQ(KitReadWave(s, compressed), wav);
        EXPECT_TRUE(KitReadWave(s, compressed).empty()); // an empty wave saved with size 0
        EXPECT_EQ(s.Remaining(), 0);
    }
    KitMemoryStream plainEmpty;
    KitWriteWave(plainEmpty, {}, false);
    EXPECT_EQ(plainEmpty.Data(), (KitBytes{0, 0, 0, 0}));

    KitMemoryStream notWave;
    KitWriteWave(notWave, wavFile("WAVX"), false);
    notWave.Rewind();
    EXPECT_THROW(KitReadWave(notWave, false), EInvalidWave);

    KitMemoryStream cut(KitBytes{100, 0, 0, 0, 'R', 'I'});
    EXPECT_THROW(KitReadWave(cut, false), EKitStreamError);
}
