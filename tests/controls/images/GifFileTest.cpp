// GIF files as a whole: giflib's files read into every field, our files read
// back in giflib, round trips that keep every field, damaged and hostile
// files, and the picture the SMS screen shows.

#include "GiflibOracle.h"
#include "controls/images/GifImage.h"
#include "controls/images/GifImageBox.h"
#include "controls/images/GifPicture.h"
#include "controls/images/PictureFormats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMimeData>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Restores the damage tolerance a test changes.
struct ToleranceGuard
{
    bool saved = TGIFImage::TolerateCorruptGif;
    ~ToleranceGuard() { TGIFImage::TolerateCorruptGif = saved; }
};

GifColor entry(const std::vector<std::uint8_t> &table, int i)
{
    return GifColor(table[std::size_t(i) * 3]) | (GifColor(table[std::size_t(i) * 3 + 1]) << 8) |
           (GifColor(table[std::size_t(i) * 3 + 2]) << 16);
}

// Three frames: global and local tables, transparency, delays above 16
// bits of milliseconds, disposal modes, a loop, comments, plain text.
oracle::File animation()
{
    oracle::File f;
    f.gif89 = true;
    f.width = 40;
    f.height = 30;
    f.background = 2;
    f.globalColors = oracle::GreyTable(4);
    f.loopCount = 0;
    oracle::Frame a;
    a.width = 40;
    a.height = 30;
    a.pixels = oracle::Pattern(40, 30, 4, 1, false);
    a.gce = {true, 7000, 5, 1};
    a.comments = {"first frame", std::string(255, 'x')};
    oracle::Frame b;
    b.left = 3;
    b.top = 4;
    b.width = 17;
    b.height = 9;
    b.interlace = true;
    b.localColors = oracle::GreyTable(2);
    b.pixels = oracle::Pattern(17, 9, 2, 2, true);
    b.gce = {true, 12, -1, 2};
    oracle::Frame c;
    c.width = 10;
    c.height = 10;
    c.pixels = oracle::Pattern(10, 10, 4, 3, true);
    c.gce = {true, 50, 3, 3};
    c.plainTextBefore = true; // drops the graphic control block before it
    f.frames = {a, b, c};
    f.trailingComments = {"made by the tests"};
    return f;
}

void expectSameFrames(TGIFImage &a, TGIFImage &b)
{
    ASSERT_EQ(a.GifFrameCount(), b.GifFrameCount());
    EXPECT_EQ(a.Version, b.Version);
    EXPECT_EQ(a.ScreenWidth, b.ScreenWidth);
    EXPECT_EQ(a.ScreenHeight, b.ScreenHeight);
    EXPECT_EQ(a.BackgroundColor, b.BackgroundColor);
    EXPECT_EQ(a.Looping, b.Looping);
    EXPECT_EQ(a.RepeatCount, b.RepeatCount);
    EXPECT_EQ(a.Image->Comment, b.Image->Comment);
    EXPECT_EQ(a.Image->ColorMap, b.Image->ColorMap);
    EXPECT_EQ(a.Image->AspectRatio, b.Image->AspectRatio);
    for (int i = 0; i < a.GifFrameCount(); ++i) {
        SCOPED_TRACE(i);
        TGIFFrame &x = a.GifFrameAt(i), &y = b.GifFrameAt(i);
        EXPECT_EQ(x.Left, y.Left);
        EXPECT_EQ(x.Top, y.Top);
        EXPECT_EQ(x.Interlaced, y.Interlaced);
        EXPECT_EQ(x.LocalColors, y.LocalColors);
        EXPECT_EQ(x.TransparentColor, y.TransparentColor);
        EXPECT_EQ(x.TransparentIndex, y.TransparentIndex);
        EXPECT_EQ(x.AnimateInterval, y.AnimateInterval);
        EXPECT_EQ(x.Disposal, y.Disposal);
        EXPECT_EQ(x.FrameComment(), y.FrameComment());
        EXPECT_EQ(x.Item->ColorMap, y.Item->ColorMap);
        EXPECT_EQ(x.FrameBitmap().Pixels, y.FrameBitmap().Pixels);
        EXPECT_EQ(x.FrameBitmap().Width, y.FrameBitmap().Width);
    }
}

template <std::size_t N> std::vector<std::uint8_t> bytesOf(const char (&text)[N])
{
    return std::vector<std::uint8_t>(text, text + N - 1);
}

} // namespace

TEST(GifFile, GiflibAnimationReadsIntoEveryField)
{
    const oracle::File src = animation();
    TGIFImage gif;
    gif.LoadFromBytes(oracle::Encode(src));
    EXPECT_EQ(gif.Version, gv89a);
    EXPECT_EQ(gif.ScreenWidth, 40);
    EXPECT_EQ(gif.BackgroundColor, entry(src.globalColors, 2));
    EXPECT_TRUE(gif.Looping);
    EXPECT_EQ(gif.RepeatCount, 0);
    EXPECT_EQ(gif.Image->Comment, std::vector<std::string>{"made by the tests"});
    ASSERT_EQ(gif.GifFrameCount(), 3);

    TGIFFrame &a = gif.GifFrameAt(0);
    EXPECT_EQ(a.AnimateInterval, 70000); // 7000 hundredths: beyond 16 bits of milliseconds
    EXPECT_EQ(a.TransparentColor, entry(src.globalColors, 5));
    EXPECT_EQ(a.Disposal, 1);
    EXPECT_EQ(a.FrameComment(), src.frames[0].comments);
    EXPECT_FALSE(a.LocalColors);
    EXPECT_EQ(a.FrameBitmap().Pixels, src.frames[0].pixels);

    TGIFFrame &b = gif.GifFrameAt(1);
    EXPECT_TRUE(b.LocalColors);
    EXPECT_TRUE(b.Interlaced);
    EXPECT_EQ(b.Left, 3);
    EXPECT_EQ(b.Top, 4);
    EXPECT_EQ(b.TransparentColor, GifNoColor);
    EXPECT_EQ(b.AnimateInterval, 120);
    EXPECT_EQ(b.Disposal, 2);
    EXPECT_EQ(b.FrameBitmap().Pixels, src.frames[1].pixels);
    EXPECT_EQ(b.FrameBitmap().Bits, 2);

    TGIFFrame &c = gif.GifFrameAt(2);
    EXPECT_EQ(c.TransparentColor, GifNoColor); // the plain text dropped its control block
    EXPECT_EQ(c.AnimateInterval, 0);
    EXPECT_EQ(c.FrameBitmap().Pixels, src.frames[2].pixels);
}

TEST(GifFile, RoundTripKeepsEveryFieldAndGiflibAgrees)
{
    TGIFImage first;
    first.LoadFromBytes(oracle::Encode(animation()));
    const std::vector<std::uint8_t> written = first.SaveToBytes();
    TGIFImage second;
    second.LoadFromBytes(written);
    expectSameFrames(first, second);
    // Written again, the file is the same byte for byte.
    EXPECT_EQ(second.SaveToBytes(), written);

    const oracle::File seen = oracle::Decode(written);
    ASSERT_EQ(seen.frames.size(), 3u);
    EXPECT_EQ(seen.loopCount, 0);
    EXPECT_EQ(seen.frames[0].gce.delay, 7000);
    EXPECT_EQ(seen.frames[0].gce.transparent, 5);
    EXPECT_EQ(seen.frames[0].gce.disposal, 1);
    EXPECT_EQ(seen.frames[1].gce.disposal, 2);
    EXPECT_EQ(seen.frames[1].pixels, animation().frames[1].pixels);
    EXPECT_EQ(seen.trailingComments, std::vector<std::string>{"made by the tests"});
}

TEST(GifFile, PicturesMadeFromBitmapsWriteAndReadInGiflib)
{
    RgbImage rgb;
    rgb.Width = 30;
    rgb.Height = 20;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            rgb.Pixels.push_back(std::uint32_t((x % 16 * 16) << 16 | (y % 16 * 16) << 8 | 0x40));
    TGIFImage one;
    one.AddFrame(rgb);
    const std::vector<std::uint8_t> single = one.SaveToBytes();
    EXPECT_EQ(std::string(single.begin(), single.begin() + 6), "GIF87a");
    const oracle::File s = oracle::Decode(single);
    ASSERT_EQ(s.frames.size(), 1u);
    EXPECT_FALSE(s.frames[0].gce.present);
    EXPECT_EQ(s.globalColors.size(), 768u);
    for (int i = 0; i < 600; ++i) // at most 256 colours: every colour kept exactly
        EXPECT_EQ(entry(s.globalColors, s.frames[0].pixels[std::size_t(i)]), QRgbToGifColor(rgb.Pixels[std::size_t(i)]));

    TGIFImage two;
    two.AddFrame(rgb);
    IndexedImage four;
    four.Width = 7;
    four.Height = 3;
    four.Bits = 4;
    four.Pixels = oracle::Pattern(7, 3, 4, 11, true);
    four.Palette.Count = 16;
    two.AddFrame(four);
    two.GifFrameAt(1).AnimateInterval = 655350; // the longest delay a file holds
    two.Looping = true;
    two.RepeatCount = 3;
    const std::vector<std::uint8_t> both = two.SaveToBytes();
    EXPECT_EQ(std::string(both.begin(), both.begin() + 6), "GIF89a");
    const oracle::File d = oracle::Decode(both);
    ASSERT_EQ(d.frames.size(), 2u);
    EXPECT_EQ(d.frames[1].localColors.size(), 48u);
    EXPECT_EQ(d.frames[1].pixels, four.Pixels);
    EXPECT_EQ(d.frames[1].gce.delay, 65535);
    EXPECT_EQ(d.loopCount, 3);
    // The 4-bit frame is written with code size 4.
    TGIFImage back;
    back.LoadFromBytes(both);
    EXPECT_EQ(back.GifFrameAt(1).Item->ImageData[0], 4);
    EXPECT_EQ(back.GifFrameAt(1).FrameBitmap().Bits, 4);

    // A single frame never writes a loop.
    one.Looping = true;
    EXPECT_EQ(oracle::Decode(one.SaveToBytes()).loopCount, -1);
}

TEST(GifFile, TransparentIndexStaysWhereItWasAmongDuplicateColours)
{
    oracle::File f;
    f.gif89 = true;
    f.width = f.height = 4;
    f.globalColors = oracle::GreyTable(2);
    // Entries 1 and 3 hold the same colour; index 3 is the transparent one.
    for (int c = 0; c < 3; ++c)
        f.globalColors[9 + std::size_t(c)] = f.globalColors[3 + std::size_t(c)];
    oracle::Frame fr;
    fr.width = fr.height = 4;
    fr.pixels = oracle::Pattern(4, 4, 2, 1, true);
    fr.gce = {true, 0, 3, 0};
    f.frames = {fr};
    TGIFImage gif;
    gif.LoadFromBytes(oracle::Encode(f));
    EXPECT_EQ(gif.GifFrameAt(0).TransparentIndex, 3);
    EXPECT_EQ(oracle::Decode(gif.SaveToBytes()).frames[0].gce.transparent, 3);
    // A changed colour is looked up again.
    gif.GifFrameAt(0).TransparentColor = entry(f.globalColors, 2);
    EXPECT_EQ(oracle::Decode(gif.SaveToBytes()).frames[0].gce.transparent, 2);
}

TEST(GifFile, LongCommentsAreSplitNotCut)
{
    TGIFImage gif;
    IndexedImage img;
    img.Width = img.Height = 2;
    img.Bits = 1;
    img.Pixels = {0, 1, 1, 0};
    img.Palette.Count = 2;
    gif.AddFrame(img);
    std::string longLine;
    for (int i = 0; i < 700; ++i)
        longLine += char('a' + i % 26);
    gif.Image->Comment = {longLine};
    gif.GifFrameAt(0).SetFrameComment({"short", longLine});
    const oracle::File seen = oracle::Decode(gif.SaveToBytes());
    std::string joined;
    for (const std::string &s : seen.trailingComments)
        joined += s;
    EXPECT_EQ(joined, longLine);
    joined.clear();
    for (const std::string &s : seen.frames[0].comments)
        joined += s;
    EXPECT_EQ(joined, "short" + longLine);
}

TEST(GifFile, VersionsSignaturesAndLoopCounts)
{
    oracle::File f;
    f.width = f.height = 2;
    f.globalColors = oracle::GreyTable(1);
    oracle::Frame fr;
    fr.width = fr.height = 2;
    fr.pixels = {0, 1, 1, 0};
    f.frames = {fr, fr};
    f.loopCount = 40000;
    std::vector<std::uint8_t> bytes = oracle::Encode(f);
    TGIFImage gif;
    int changes = 0;
    gif.OnChange = [&](TGIFImage &) { ++changes; };
    gif.LoadFromBytes(bytes);
    EXPECT_EQ(gif.RepeatCount, 30000);
    EXPECT_EQ(changes, 1); // whoever shows the picture learns of every read
    std::memcpy(bytes.data(), "gif87a", 6);
    gif.LoadFromBytes(bytes);
    EXPECT_EQ(gif.Version, gv87a);
    EXPECT_EQ(changes, 2);
    std::memcpy(bytes.data(), "GIF90a", 6);
    try {
        gif.LoadFromBytes(bytes);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Unknown GIF version");
    }
    EXPECT_EQ(gif.GifFrameCount(), 0);
    EXPECT_EQ(changes, 2); // a failed read tells nobody

    TGIFImage empty;
    try {
        empty.SaveToBytes();
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "No GIF Data to write");
    }
    EXPECT_EQ(empty.Width(), 0);
    try {
        empty.SetWidth(3);
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Cannot change the Size of a GIF image");
    }

    // A copy shares the picture's data until it is read again.
    TGIFImage copy;
    copy.Assign(gif);
    EXPECT_TRUE(copy.Equals(gif));
    copy.ResetImage();
    EXPECT_FALSE(copy.Equals(gif));
}

TEST(GifFile, DamagedFilesLoadAsFarAsTheyGoOrRaise)
{
    ToleranceGuard guard;
    oracle::File f;
    f.width = 50;
    f.height = 40;
    f.globalColors = oracle::GreyTable(8);
    oracle::Frame fr;
    fr.width = 50;
    fr.height = 40;
    fr.pixels = oracle::Pattern(50, 40, 8, 4, true);
    f.frames = {fr, fr};
    const std::vector<std::uint8_t> whole = oracle::Encode(f);
    // Cut inside the second frame's data.
    const std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 700);

    TGIFImage::TolerateCorruptGif = true;
    TGIFImage gif;
    gif.LoadFromBytes(cut);
    ASSERT_EQ(gif.GifFrameCount(), 2);
    EXPECT_FALSE(gif.GifFrameAt(0).Corrupted);
    TGIFFrame &second = gif.GifFrameAt(1);
    EXPECT_TRUE(second.Corrupted);
    const IndexedImage &part = second.FrameBitmap();
    EXPECT_TRUE(std::equal(fr.pixels.begin(), fr.pixels.begin() + 50 * 5, part.Pixels.begin()));
    // It still writes a well-formed file that reads back the same.
    TGIFImage again;
    again.LoadFromBytes(gif.SaveToBytes());
    ASSERT_EQ(again.GifFrameCount(), 2);
    EXPECT_EQ(again.GifFrameAt(1).FrameBitmap().Pixels, part.Pixels);

    TGIFImage::TolerateCorruptGif = false;
    TGIFImage strict;
    try {
        strict.LoadFromBytes(cut);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_EQ(strict.GifFrameCount(), 1); // the frames before the damage stay
    EXPECT_EQ(strict.FrameIndex, -1);

    // Codes that run out inside one whole frame.
    TGIFImage::TolerateCorruptGif = false;
    TGIFImage tail;
    std::vector<std::uint8_t> noData(whole.begin(), whole.begin() + 13 + 768 + 10 + 1 + 1 + 40);
    noData.insert(noData.end(), {0, ';'});
    noData[13 + 768 + 10 + 1] = 40;
    EXPECT_THROW(tail.LoadFromBytes(noData), EInvalidGraphicOperation);
    EXPECT_EQ(tail.GifFrameCount(), 0); // the failing first frame is removed
    TGIFImage::TolerateCorruptGif = true;
    tail.LoadFromBytes(noData);
    EXPECT_TRUE(tail.GifFrameAt(0).Corrupted);
}

TEST(GifFile, HostileSizesAreRefusedBeforeAllocating)
{
    // Form data that declares more bytes than it holds.
    std::vector<std::uint8_t> form = {0xFF, 0xFF, 0xFF, 0x7F};
    const std::vector<std::uint8_t> tiny = bytesOf("GIF89a\x01\x00\x01\x00\x00\x00\x00;");
    form.insert(form.end(), tiny.begin(), tiny.end());
    TGIFImage gif;
    EXPECT_THROW(gif.ReadData(form.data(), form.size()), EInvalidGraphicOperation);

    // A 65535 x 65535 frame with a few bytes of data.
    const std::vector<std::uint8_t> huge = {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0x80, 0, 0,
                                            0, 0, 0, 255, 255, 255, ',', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0,
                                            2, 2, 0x4C, 0x01, 0, ';'};
    try {
        gif.LoadFromBytes(huge);
        FAIL() << "no error";
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "GIF encoded data is corrupt");
    }
    EXPECT_EQ(gif.GifFrameCount(), 0);

    // An unknown extension and a stray byte.
    EXPECT_THROW(gif.LoadFromBytes(bytesOf("GIF89a\x01\x00\x01\x00\x00\x00\x00!\x77\x00;")), EInvalidGraphicOperation);
    try {
        gif.LoadFromBytes(bytesOf("GIF89a\x01\x00\x01\x00\x00\x00\x00!\x77\x00;"));
    } catch (const EInvalidGraphicOperation &e) {
        EXPECT_STREQ(e.what(), "Unrecognized extension block: 77");
    }
    EXPECT_THROW(gif.LoadFromBytes(bytesOf("GIF89a\x01\x00\x01\x00\x00\x00\x00Z;")), EInvalidGraphicOperation);
}

namespace {

// A GIF of a few dozen bytes whose frame declares width x height: two
// colours (black, white), entry 1 transparent, one pixel of data.
std::vector<std::uint8_t> declaredCanvas(int width, int height, bool interlaced)
{
    const auto lo = [](int v) { return std::uint8_t(v & 0xFF); };
    const auto hi = [](int v) { return std::uint8_t(v >> 8); };
    return {'G', 'I', 'F', '8', '9', 'a', lo(width), hi(width), lo(height), hi(height), 0x80, 0, 0,
            0, 0, 0, 255, 255, 255, '!', 0xF9, 4, 1, 0, 0, 1, 0,
            ',', 0, 0, 0, 0, lo(width), hi(width), lo(height), hi(height), std::uint8_t(interlaced ? 0x40 : 0),
            2, 2, 0x4C, 0x01, 0, ';'};
}

} // namespace

TEST(GifPicture, ALargeDeclaredCanvasLoadsAndDrawsFromItsOneCopy)
{
    for (bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced ? "interlaced" : "plain");
        const std::vector<std::uint8_t> file = declaredCanvas(8192, 8192, interlaced);
        ASSERT_LT(file.size(), 50u);
        // Loaded: one byte a pixel, the colour table carrying the transparency.
        QString error;
        const QImage picture =
            LoadGifPicture(QByteArray(reinterpret_cast<const char *>(file.data()), qsizetype(file.size())), &error);
        ASSERT_FALSE(picture.isNull()) << error.toStdString();
        EXPECT_EQ(picture.size(), QSize(8192, 8192));
        EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
        EXPECT_EQ(picture.sizeInBytes(), qsizetype(8192) * 8192);
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0); // the one pixel of data: white, the transparent colour
        EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 0, 0));

        // The frame's picture is its decoded pixels themselves, not a copy.
        TGIFImage gif;
        gif.LoadFromBytes(file);
        TGIFFrame &frame = gif.GifFrameAt(0);
        const QImage shown = GifFrameImage(frame);
        EXPECT_EQ(shown.constBits(), frame.FrameBitmap().Pixels.data());

        // Drawn stretched into a small window from those same pixels.
        QImage canvas(64, 64, QImage::Format_RGB32);
        canvas.fill(qRgb(0, 0, 255));
        QPainter p(&canvas);
        DrawGif(p, canvas.rect(), gif);
        p.end();
        EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(frame.FrameBitmap().Pixels.data(), shown.constBits());
    }

    // Above 64 megapixels the picture is refused, as the decoder refuses it.
    QString error;
    const std::vector<std::uint8_t> over = declaredCanvas(8193, 8192, false);
    EXPECT_TRUE(LoadGifPicture(QByteArray(reinterpret_cast<const char *>(over.data()), qsizetype(over.size())), &error)
                    .isNull());
    EXPECT_EQ(error, QStringLiteral("GIF encoded data is corrupt"));
}

// The SMS screen's picture: 149 x 224, a 256-entry global table, one
// graphic-control block with entry 159 transparent, one frame of code size 8,
// held in form data.
TEST(GifPicture, SmsScreenPictureLoadsFromFormDataAndDrawsTransparent)
{
    oracle::File f;
    f.gif89 = true;
    f.width = 149;
    f.height = 224;
    f.globalColors = oracle::GreyTable(8);
    oracle::Frame fr;
    fr.width = 149;
    fr.height = 224;
    fr.pixels = oracle::Pattern(149, 224, 8, 17, false);
    for (int y = 0; y < 224; ++y)
        for (int x = 0; x < 20; ++x)
            fr.pixels[std::size_t(y) * 149 + std::size_t(x)] = 159;
    fr.gce = {true, 0, 159, 0};
    f.frames = {fr};
    const std::vector<std::uint8_t> file = oracle::Encode(f);
    QByteArray form(4, 0);
    const std::uint32_t n = std::uint32_t(file.size());
    for (int i = 0; i < 4; ++i)
        form[i] = char(n >> (8 * i));
    form.append(reinterpret_cast<const char *>(file.data()), qsizetype(file.size()));

    QString error;
    const QImage picture = LoadGifFormData(form, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.size(), QSize(149, 224));
    EXPECT_EQ(qAlpha(picture.pixel(5, 100)), 0);
    const std::uint8_t inside = fr.pixels[100 * 149 + 80];
    if (inside != 159) {
        EXPECT_EQ(picture.pixel(80, 100), qRgb(f.globalColors[inside * 3], f.globalColors[inside * 3 + 1],
                                               f.globalColors[inside * 3 + 2]));
    }

    // Drawn stretched and transparent over a background.
    TGIFImage gif;
    gif.ReadData(reinterpret_cast<const std::uint8_t *>(form.constData()), std::size_t(form.size()));
    EXPECT_TRUE(gif.GetTransparent());
    EXPECT_EQ(gif.Width(), 149);
    QImage canvas(298, 448, QImage::Format_RGB32);
    canvas.fill(qRgb(0, 0, 255));
    QPainter p(&canvas);
    DrawGif(p, QRect(0, 0, 298, 448), gif);
    p.end();
    EXPECT_EQ(canvas.pixel(10, 200), qRgb(0, 0, 255));
    EXPECT_NE(canvas.pixel(200, 200), qRgb(0, 0, 255));
    const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath()) + "/controls-images";
    QDir().mkpath(dir);
    canvas.save(dir + "/sms-picture-drawn.png");

    // In a picture box on a form, the form shows through the transparent part.
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 0));
    window.setPalette(pal);
    window.resize(200, 260);
    TGifImageBox box(&window);
    box.setGeometry(10, 10, 150, 225);
    ASSERT_TRUE(box.LoadFromFormData(form));
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(dir + "/sms-picture-box.png");
    EXPECT_EQ(shot.pixel(15, 100), qRgb(255, 255, 0));
    EXPECT_EQ(shot.pixel(10 + 80, 10 + 100), picture.pixel(80, 100) | 0xFF000000);
    EXPECT_FALSE(box.LoadFromBytes("GIF89a", &error));
    EXPECT_TRUE(box.Picture().Empty());

    // Files and bytes load the same way; junk gives a null picture and a reason.
    EXPECT_EQ(LoadGifPicture(QByteArray(reinterpret_cast<const char *>(file.data()), qsizetype(file.size()))), picture);
    EXPECT_TRUE(LoadGifPicture("not a picture", &error).isNull());
    EXPECT_EQ(error, "Unknown GIF version");
}

TEST(GifPicture, ClipboardCarriesTheWholeGif)
{
    TGIFImage gif;
    QImage img(8, 6, QImage::Format_ARGB32);
    img.fill(qRgba(0, 0, 0, 0));
    img.setPixel(2, 2, qRgb(10, 200, 30));
    AddGifFrame(gif, img);
    EXPECT_EQ(gif.GifFrameAt(0).TransparentColor, QRgbToGifColor(qRgb(255, 0, 255)));
    QMimeData mime;
    SaveGifToMimeData(gif, mime);
    ASSERT_TRUE(mime.hasFormat("image/gif"));
    TGIFImage pasted;
    ASSERT_TRUE(LoadGifFromMimeData(pasted, mime));
    ASSERT_EQ(pasted.GifFrameCount(), 1);
    const QImage back = GifFrameImage(pasted.GifFrameAt(0));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(2, 2), qRgb(10, 200, 30));
}

TEST(GifPicture, AssignmentsNotifyAndHandThePictureOn)
{
    TGIFImage gif;
    int changes = 0;
    gif.OnChange = [&](TGIFImage &) { ++changes; };

    // Without frames: no palette; the current bitmap makes an empty frame.
    EXPECT_EQ(gif.GetPalette().Count, 0);
    EXPECT_TRUE(gif.CurrentBitmap().Empty());
    EXPECT_EQ(gif.GifFrameCount(), 1);
    EXPECT_EQ(gif.FrameIndex, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(gif.Empty());
    EXPECT_TRUE(GifPictureImage(gif).isNull());

    IndexedImage bitmap;
    bitmap.Resize(3, 2);
    bitmap.Bits = 1;
    bitmap.Palette.Count = 2;
    bitmap.Palette.SetColor(0, 0x0000FF); // red
    bitmap.Palette.SetColor(1, 0x00FF00); // green
    bitmap.Pixels = {0, 1, 0, 1, 1, 1};
    gif.AssignBitmap(bitmap);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(gif.GetPalette().Count, 2);
    EXPECT_EQ(gif.GetPalette().Color(1), 0x00FF00u);
    gif.GifFrameAt(0).TransparentColor = 0x0000FF;

    // To a bitmap: the current frame with its transparent colour see-through.
    const QImage picture = GifPictureImage(gif);
    ASSERT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(picture.pixel(1, 0), qRgb(0, 255, 0));

    // To another picture: it shares this one's data and is told of it.
    TGIFImage copy;
    int copyChanges = 0;
    copy.OnChange = [&](TGIFImage &) { ++copyChanges; };
    gif.AssignTo(copy);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_TRUE(copy.Equals(gif));
    EXPECT_EQ(copy.GifFrameCount(), 1);

    // A frame to a picture, then nothing to it.
    TGIFImage single;
    gif.GifFrameAt(0).AssignTo(single);
    EXPECT_EQ(single.GifFrameCount(), 1);
    EXPECT_EQ(single.Width(), 3);
    copy.AssignNone();
    EXPECT_EQ(copyChanges, 2);
    EXPECT_EQ(copy.GifFrameCount(), 0);
    EXPECT_EQ(changes, 2);
}

TEST(GifPicture, GifFilesAreKnownToTheProgramsPictureLoading)
{
    const PictureFormats::Format *format = PictureFormats::forFile(QStringLiteral("logo.GIF"));
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->extension, QStringLiteral("gif"));
    EXPECT_EQ(format->description, QStringLiteral("CompuServe GIF Image"));
    EXPECT_EQ(format->mimeType, QStringLiteral("image/gif"));
    EXPECT_TRUE(PictureFormats::filters().contains(QStringLiteral("CompuServe GIF Image (*.gif)")));

    // A file loads through the registered reader: the transparent colour
    // see-through, one byte a pixel.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logo.gif"));
    const std::vector<std::uint8_t> bytes = declaredCanvas(4, 3, false);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    f.close();
    QString error;
    const QImage picture = PictureFormats::load(file, &error);
    ASSERT_FALSE(picture.isNull()) << error.toStdString();
    EXPECT_EQ(picture.size(), QSize(4, 3));
    EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_TRUE(PictureFormats::load(dir.filePath(QStringLiteral("none.gif")), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}
