// Animated cursors and icon lists, from small files built here.

#include "controls/images/AniCursor.h"
#include "controls/images/GifImage.h"
#include "controls/images/GifPicture.h"
#include "controls/images/IconList.h"

#include "platform/Prompt.h"

#include <QBuffer>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put32(Bytes &b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i)));
}

Bytes chunk(const char *id, const Bytes &data)
{
    Bytes b(id, id + 4);
    put32(b, std::uint32_t(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() % 2)
        b.push_back(0);
    return b;
}

Bytes list(const char *type, const std::vector<Bytes> &chunks)
{
    Bytes data(type, type + 4);
    for (const Bytes &c : chunks)
        data.insert(data.end(), c.begin(), c.end());
    return chunk("LIST", data);
}

Bytes riff(const std::vector<Bytes> &chunks)
{
    Bytes data{'A', 'C', 'O', 'N'};
    for (const Bytes &c : chunks)
        data.insert(data.end(), c.begin(), c.end());
    return chunk("RIFF", data);
}

Bytes anih(std::uint32_t frames, std::uint32_t steps, std::uint32_t rate, std::uint32_t flags = 1, int extra = 0)
{
    Bytes b;
    for (std::uint32_t v : {36u + std::uint32_t(extra), frames, steps, 0u, 0u, 0u, 0u, rate, flags})
        put32(b, v);
    b.insert(b.end(), std::size_t(extra), 0xEE);
    return chunk("anih", b);
}

Bytes value(const char *id, std::uint32_t v)
{
    Bytes b;
    put32(b, v);
    return chunk(id, b);
}

QImage square(QRgb colour, int side = 8)
{
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(colour);
    img.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return img;
}

Bytes iconBytes(QRgb colour) { return IconFromImage(square(colour)).FileBytes; }

// A 4-bit icon file (16 colours) with a transparency mask.
Bytes fourBitIcon(int colourIndex)
{
    const int w = 8, h = 8;
    Bytes img;
    for (std::uint32_t v : {40u, std::uint32_t(w), std::uint32_t(h * 2)})
        put32(img, v);
    img.insert(img.end(), {1, 0, 4, 0});
    for (int i = 0; i < 6; ++i)
        put32(img, 0);
    for (int i = 0; i < 16; ++i)
        img.insert(img.end(), {std::uint8_t(i * 16), std::uint8_t(255 - i * 16), std::uint8_t(i * 8), 0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            img.push_back(std::uint8_t(colourIndex << 4 | colourIndex));
    for (int y = 0; y < h; ++y)
        put32(img, 0); // mask: all seen
    Bytes file = {0, 0, 2, 0, 1, 0, std::uint8_t(w), std::uint8_t(h), 16, 0, 3, 0, 4, 0};
    put32(file, std::uint32_t(img.size()));
    put32(file, 22);
    file.insert(file.end(), img.begin(), img.end());
    return file;
}

TAnimatedCursorImage load(const Bytes &file)
{
    TAnimatedCursorImage cursor;
    cursor.LoadFromBytes(file.data(), file.size());
    return cursor;
}

} // namespace

TEST(AnimatedCursor, FramesRatesTitlesAndExtraIcons)
{
    const std::string longTitle(300, 'T');
    const Bytes file = riff({anih(3, 3, 10), value("rate", 25), value("rate", 99),
                             list("INFO", {chunk("INAM", Bytes(longTitle.begin(), longTitle.end())),
                                           chunk("IART", Bytes{'m', 'e', 0})}),
                             list("fram", {chunk("icon", iconBytes(qRgb(255, 0, 0))), chunk("icon", iconBytes(qRgb(0, 255, 0))),
                                           chunk("icon", iconBytes(qRgb(0, 0, 255))), chunk("icon", iconBytes(qRgb(9, 9, 9)))})});
    TAnimatedCursorImage cursor = load(file);
    ASSERT_EQ(cursor.FrameCount(), 4); // an icon beyond the header's count makes a frame of its own
    EXPECT_EQ(cursor.Header.Steps, 4u);
    EXPECT_EQ(cursor.IconAt(1)->Image.pixel(3, 3), qRgb(0, 255, 0));
    EXPECT_EQ(cursor.IconFrames[3].IconNumber, -1);
    // One value from each rate chunk: frames 0 and 1.
    EXPECT_EQ(cursor.IconFrames[0].JiffyRate, 25u);
    EXPECT_EQ(cursor.IconFrames[1].JiffyRate, 99u);
    EXPECT_EQ(cursor.IconFrames[2].JiffyRate, 10u);
    EXPECT_EQ(cursor.Title, std::string(255, 'T'));
    EXPECT_EQ(cursor.Creator, "me");
    EXPECT_EQ(cursor.IconFrames[0].HotSpotX, 4); // an icon's hot spot is its centre

    // As a GIF: one frame per icon, delays from the rates.
    TGIFImage gif;
    cursor.AssignToGif(gif, qRgb(255, 255, 255));
    ASSERT_EQ(gif.GifFrameCount(), 4);
    EXPECT_EQ(gif.GifFrameAt(0).AnimateInterval, 25 * 100 / 6);
    EXPECT_EQ(gif.GifFrameAt(2).AnimateInterval, 10 * 100 / 6);
    TGIFImage back;
    back.LoadFromBytes(gif.SaveToBytes());
    EXPECT_EQ(back.GifFrameCount(), 4);
    EXPECT_EQ(qAlpha(GifFrameImage(back.GifFrameAt(0)).pixel(0, 0)), 0);

    // As an icon list.
    TIconList icons;
    cursor.AssignToIconList(icons);
    EXPECT_EQ(icons.GetCount(), 4);
}

TEST(AnimatedCursor, SharedIconNumbersLongHeadersAndStrips)
{
    // The sequence shows icon 0 twice; a 40-byte header is read in its first
    // 36 bytes.
    const Bytes file = riff({anih(3, 3, 6, 1, 4), value("seq ", 0), value("seq ", 0), value("seq ", 1),
                             list("fram", {chunk("icon", fourBitIcon(3)), chunk("icon", fourBitIcon(12))})});
    TAnimatedCursorImage cursor = load(file);
    ASSERT_EQ(cursor.FrameCount(), 3);
    EXPECT_EQ(cursor.IconAt(2)->Image.pixel(1, 1), qRgb(12 * 8, 255 - 12 * 16, 12 * 16)); // table entries are blue, green, red
    EXPECT_EQ(cursor.Header.DisplayRate, 6u);
    EXPECT_NE(cursor.IconAt(0), cursor.IconAt(1)); // each frame owns its icon
    EXPECT_EQ(cursor.IconAt(0)->Image.pixel(1, 1), cursor.IconAt(1)->Image.pixel(1, 1));
    EXPECT_FALSE(cursor.IconFrames[0].FromIcon);
    EXPECT_EQ(cursor.IconFrames[0].HotSpotX, 3); // a cursor's own hot spot
    EXPECT_EQ(cursor.SourceColors, 16);
    {
        TAnimatedCursorImage copy;
        copy.Assign(cursor);
        copy.IconFrames.erase(copy.IconFrames.begin());
    }
    EXPECT_EQ(cursor.IconAt(1)->Width(), 8);

    const QImage strip = cursor.PaintFrames(qRgb(255, 255, 255), false, true);
    EXPECT_EQ(strip.size(), QSize(24, 8));
    const QImage tall = cursor.PaintFrames(qRgb(255, 255, 255), true, false);
    EXPECT_EQ(tall.size(), QSize(8, 24));
}

TEST(AnimatedCursor, BadFilesAreRefused)
{
    const auto refused = [](const Bytes &file) {
        TAnimatedCursorImage cursor;
        cursor.Title = "old";
        EXPECT_THROW(cursor.LoadFromBytes(file.data(), file.size()), EReadError);
        EXPECT_EQ(cursor.FrameCount(), 0);
        EXPECT_TRUE(cursor.Title.empty());
    };
    const Bytes icons = list("fram", {chunk("icon", iconBytes(qRgb(1, 2, 3)))});
    refused(Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'A', 'C', 'O', 'N'});
    refused(riff({anih(1, 1, 5, 0), icons}));           // no icon flag
    refused(riff({anih(1, 0, 5), icons}));              // no steps
    refused(riff({anih(1000000000, 1, 5), icons}));     // more frames than the file can hold
    refused(riff({anih(1, 1, 5), list("fram", {chunk("icon", Bytes{1, 2, 3})})})); // no loadable icon
    // A chunk that claims more than is left ends the reading; what was read stays.
    Bytes cut = riff({anih(1, 1, 5), icons, value("rate", 7)});
    cut.resize(cut.size() - 2);
    EXPECT_EQ(load(cut).FrameCount(), 1);
}

TEST(IconList, UpdatesStorageAndClipboard)
{
    TIconList list;
    int notified = 0;
    list.OnListChange = [&](TIconList &) { ++notified; };
    const TIcon red = IconFromImage(square(qRgb(255, 0, 0)));
    list.LockUpdates();
    list.Add(&red);
    list.Add(nullptr);
    list.Add(&red);
    list.UnlockUpdates();
    EXPECT_EQ(notified, 1);
    list.Exchange(0, 1);
    EXPECT_EQ(notified, 2);
    list.PutIcon(3, &red);
    EXPECT_EQ(list.GetCount(), 4);

    const Bytes stored = list.SaveToBytes();
    TIconList back;
    back.LoadFromBytes(stored.data(), stored.size());
    ASSERT_EQ(back.GetCount(), 4);
    EXPECT_EQ(back.GetIcon(0), nullptr); // an empty icon is stored with size 0, read as a missing one
    EXPECT_EQ(back.GetIcon(1)->Image, red.Image);
    EXPECT_EQ(back.SaveToBytes(), stored);
    EXPECT_FALSE(back.ShouldStore(&list));
    back.Delete(3);
    EXPECT_TRUE(back.ShouldStore(&list));
    EXPECT_FALSE(TIconList().ShouldStore(nullptr));

    Bytes nil;
    put32(nil, 1);
    put32(nil, 0);
    back.LoadFromBytes(nil.data(), nil.size());
    EXPECT_EQ(back.GetIcon(0), nullptr);

    for (Bytes bad : {Bytes{1, 2}, Bytes{0xFF, 0xFF, 0xFF, 0x0F, 0, 0, 0, 0}, Bytes{1, 0, 0, 0, 0xFF, 0, 0, 0, 1}}) {
        TIconList hostile;
        EXPECT_THROW(hostile.LoadFromBytes(bad.data(), bad.size()), EReadError);
    }

    QMimeData mime;
    SaveIconToMimeData(red, mime);
    EXPECT_TRUE(mime.hasFormat("image/vnd.microsoft.icon"));
    TIcon pasted;
    ASSERT_TRUE(LoadIconFromMimeData(pasted, mime));
    EXPECT_EQ(pasted.Image, red.Image);

    // Assigning no icon empties the list, in one change.
    notified = 0;
    list.OnListChange = [&](TIconList &) { ++notified; };
    list.AssignIcon(nullptr);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(notified, 1);
    list.AssignIcon(&red);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetIcon(0)->Image, red.Image);
}

TEST(AnimatedCursor, WritingIsNotProvidedAndSaysSo)
{
    qvx::ScriptedPrompt prompt;
    const TAnimatedCursorImage cursor = load(riff({anih(1, 1, 10), list("fram", {chunk("icon", iconBytes(qRgb(0, 0, 255)))})}));
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    EXPECT_THROW(cursor.SaveToStream(out), EAbort);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Function not yet implemented"));
    EXPECT_EQ(out.size(), 0);
}

TEST(IconList, IconsComeFromTheProgramsResources)
{
    TIconList list;
    int notified = 0;
    list.OnListChange = [&](TIconList &) { ++notified; };
    const TIcon white = IconFromImage(square(qRgb(255, 255, 255)));
    list.Add(&white);
    EXPECT_EQ(list.AddResource(QStringLiteral(":/test/icons/red-white.ico")), 1);
    list.InsertResource(0, QStringLiteral("test/icons/red-white.ico"));
    EXPECT_EQ(notified, 3);
    ASSERT_EQ(list.GetCount(), 3);
    for (int i : {0, 2}) {
        ASSERT_NE(list.GetIcon(i), nullptr);
        EXPECT_EQ(list.GetIcon(i)->Image.size(), QSize(16, 16));
        EXPECT_EQ(list.GetIcon(i)->Image.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(list.GetIcon(i)->Image.pixel(15, 15), qRgb(255, 255, 255));
    }
    EXPECT_EQ(list.GetIcon(1)->Image, white.Image);

    // A name the resources do not hold adds an empty icon, as the system
    // gives no icon for it.
    EXPECT_EQ(list.AddResource(QStringLiteral(":/test/icons/missing.ico")), 3);
    ASSERT_NE(list.GetIcon(3), nullptr);
    EXPECT_TRUE(list.GetIcon(3)->Empty());
}
