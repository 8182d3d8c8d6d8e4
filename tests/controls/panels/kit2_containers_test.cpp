// Containers, list items and image strips of the kit, with their stream records.
#include "controls/panels/KitContainers.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

KitBytes wav()
{
    KitBytes w{'R', 'I', 'F', 'F', 36, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0,
               0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 0, 0, 0, 0};
    return w;
}

} // namespace

TEST(KitContainer, EmptyItemIsTheSingleFlagsByte)
{
    TKitBitmapList list;
    list.Add();
    KitMemoryStream s;
    list.Items(0)->WriteToStream(s);
    EXPECT_EQ(s.Data(), KitBytes{0});
}

TEST(KitContainer, WrittenWithIndexAndReadBackInOrder)
{
    TKitStringList list;
    auto *a = static_cast<TKitStringListItem *>(list.Add());
    a->SetItems({"첫째 줄", "second"});
    a->SetDescription("설명");
    a->SetIdent(7);
    auto *b = static_cast<TKitStringListItem *>(list.Add());
    b->SetCompressed(true);
    b->SetItems(QStringList(50, "repeat repeat repeat"));
    KitMemoryStream s;
    list.WriteItems(s, true);

    TKitStringList back;
    s.Rewind();
    back.ReadItems(s, true);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Item(0)->Items(), (QStringList{"첫째 줄", "second"}));
    EXPECT_EQ(back.Item(0)->Description(), "설명");
    EXPECT_EQ(back.Item(0)->Ident(), 7);
    EXPECT_TRUE(back.Item(1)->Compressed());
    EXPECT_EQ(back.Item(1)->Items().size(), 50);
    // the index holds the position of each record
    s.Seek(4);
    const int32_t first = KitReadInt(s);
    EXPECT_EQ(first, 12);
    EXPECT_EQ(s.Data()[size_t(first)], 0x0E); // description, ident, content
}

TEST(KitContainer, CorruptStreamKeepsTheItemsAndRaises)
{
    TKitWaveList list;
    auto *w = static_cast<TKitWaveListItem *>(list.Add());
    const KitBytes bytes = wav();
    w->Wave()->SetData(&bytes);
    KitMemoryStream s;
    list.WriteItems(s, false);
    KitBytes cut(s.Data().begin(), s.Data().end() - 3);
    KitMemoryStream bad(cut);
    EXPECT_THROW(list.ReadItems(bad, false), EKitStreamError);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0)->Wave()->Data(), bytes);

    s.Rewind();
    TKitWaveList back;
    back.ReadItems(s, false);
    EXPECT_EQ(back.Item(0)->Wave()->Data(), bytes);
}

TEST(KitContainer, EmptyWaveAndBitmapFormatsRoundTrip)
{
    TKitWave wave;
    KitMemoryStream s;
    wave.SaveToStreamWithSize(s);
    EXPECT_EQ(s.Data(), (KitBytes{0, 0, 0, 0}));
    s.Rewind();
    const KitBytes bytes = wav();
    wave.SetData(&bytes);
    wave.LoadFromStreamWithSize(s);
    EXPECT_TRUE(wave.Empty());

    for (auto fmt : {KitPfDefault, KitPfMono, KitPf4Bit, KitPf8Bit})
        for (bool compressed : {false, true}) {
            TKitBitmapList list;
            auto *it = static_cast<TKitBitmapListItem *>(list.Add());
            QImage img = solid(10, 6, Qt::white);
            img.setPixel(2, 3, qRgb(0, 0, 0));
            it->SetBitmap(img);
            it->SetPixelFormat(fmt);
            it->SetCompressed(compressed);
            KitMemoryStream out;
            list.WriteItems(out, false);
            out.Rewind();
            TKitBitmapList back;
            back.ReadItems(out, false);
            ASSERT_EQ(back.Count(), 1);
            const QImage got = back.Item(0)->Bitmap();
            ASSERT_EQ(got.size(), QSize(10, 6)) << fmt << compressed;
            EXPECT_EQ(got.pixel(2, 3) & 0xFFFFFF, 0u);
            EXPECT_EQ(got.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
            EXPECT_EQ(back.Item(0)->PixelFormat(), fmt);
        }
}

TEST(KitContainer, LinksHearChangesAndLoseTheirSenderWhenTheContainerGoes)
{
    auto *list = new TKitImageList;
    TKitChangeLink a, b;
    QStringList order;
    a.OnChange = [&](QObject *) { order << "a"; };
    b.OnChange = [&](QObject *) { order << "b"; };
    list->RegisterChanges(&a);
    list->RegisterChanges(&b);
    EXPECT_EQ(a.Sender, list);
    list->Add();
    EXPECT_EQ(order, (QStringList{"a", "b"}));
    TKitCustomPanel panel;
    panel.SetImageList(list);
    delete list;
    EXPECT_EQ(a.Sender, nullptr);
    EXPECT_EQ(b.Sender, nullptr);
    EXPECT_EQ(panel.ImageList(), nullptr);
}

TEST(KitContainer, GlobalListsAndTheirInternalReference)
{
    TKitContainer *g = KitGlobalContainer();
    EXPECT_EQ(KitInternalReference(g->ImageList()), "KitIML30");
    EXPECT_EQ(KitInternalReference(g->BitmapList()), "KitBML30");
    TKitImageList own;
    EXPECT_EQ(KitInternalReference(&own), "");
    EXPECT_EQ(KitListFromReference("KitBML30"), g->BitmapList());
    EXPECT_EQ(KitListFromReference("KitWVL30"), nullptr);
}

TEST(KitImageStrip, AddCutsAndChecksSizes)
{
    TKitImageList list;
    auto *item = static_cast<TKitImageListItem *>(list.Add());
    QImage wide = solid(32, 16, Qt::red);
    QPainter(&wide).fillRect(16, 0, 16, 16, Qt::blue);
    EXPECT_EQ(item->Add(&wide, nullptr), 0);
    EXPECT_EQ(item->Count(), 1);
    EXPECT_EQ(item->CopyImage(0).pixel(15, 15), qRgb(255, 0, 0));
    const QImage odd = solid(17, 16, Qt::red);
    EXPECT_THROW(item->Add(&odd, nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(item->Count(), 1);
    EXPECT_EQ(item->Add(nullptr, nullptr), 1); // a bare slot
    const QImage mask = solid(16, 16, Qt::black);
    EXPECT_EQ(item->Add(nullptr, &mask), -1);
    EXPECT_TRUE(list.IsValidImage(0, 1));
    EXPECT_FALSE(list.IsValidImage(0, 2));
    EXPECT_EQ(list.ImageCount(3), -1);
    EXPECT_EQ(list.ImageRect(0, 1), TRect(16, 0, 32, 16));
}

TEST(KitImageStrip, GrowthLimitLeavesTheStripConsistent)
{
    TKitImageListItem item;
    const QImage img = solid(16, 16, Qt::green);
    item.Add(&img, nullptr);
    EXPECT_EQ(item.ImageStrip().width(), 64);
    for (int i = 1; i < 2048; ++i)
        item.Add(nullptr, nullptr);
    EXPECT_EQ(item.Count(), 2048);
    EXPECT_THROW(item.Add(&img, nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(item.Count(), 2048);
    EXPECT_EQ(item.UsedWidth(), 32768);
    EXPECT_EQ(item.ImageStrip().width(), 32768);
}

TEST(KitImageStrip, WritesTheUsedStripAndReadsItBack)
{
    TKitImageList list;
    auto *item = static_cast<TKitImageListItem *>(list.Add());
    item->SetMasked(true);
    QImage glyph = solid(16, 16, Qt::magenta);
    QPainter(&glyph).fillRect(4, 4, 8, 8, Qt::darkBlue);
    for (int i = 0; i < 3; ++i)
        item->AddMasked(glyph, QColorToColor(Qt::magenta));
    EXPECT_EQ(item->ImageStrip().width(), 64);
    KitMemoryStream s;
    item->WriteToStream(s);
    s.Rewind();
    EXPECT_EQ(KitReadByte(s), 0); // no content bit for image strips
    const KitImageStripRecord r = KitReadImageStrip(s, false);
    int32_t w = 0, h = 0;
    ASSERT_TRUE(KitBitmapFileSize(r.image, w, h));
    EXPECT_EQ(w, 48);
    EXPECT_EQ(r.count, 3);

    s.Rewind();
    TKitImageListItem back;
    back.ReadFromStream(s);
    EXPECT_EQ(back.Count(), 3);
    EXPECT_TRUE(back.Masked());
    EXPECT_EQ(back.UsedWidth(), 48);
    EXPECT_EQ(back.MaskStrip().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu); // transparent corner
    EXPECT_EQ(back.MaskStrip().pixel(20, 5) & 0xFFFFFF, 0u);       // shown pixel
    QImage canvas = solid(16, 16, Qt::white);
    {
        QPainter p(&canvas);
        back.DrawImage(p, 2, 0, 0);
    }
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(5, 5), QColor(Qt::darkBlue).rgb());
}
