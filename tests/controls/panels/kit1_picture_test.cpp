#include "controls/panels/KitPicture.h"
#include "KitTestOutput.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

TEST(KitPicturePlacement, TilesCentresStretchesAndFits)
{
    TRect drawn;
    auto tiles = PlacePicture(TRect(0, 0, 25, 25), 10, 10, dbTile, drawn);
    ASSERT_EQ(tiles.size(), 9u); // 3 x 3 cells, the last ones cut by the destination
    EXPECT_EQ(tiles.back(), TRect(20, 20, 30, 30));
    EXPECT_EQ(drawn, TRect(0, 0, 25, 25));
    auto c = PlacePicture(TRect(0, 0, 25, 20), 10, 10, dbCenter, drawn);
    EXPECT_EQ(c.front(), TRect(7, 5, 17, 15));
    c = PlacePicture(TRect(0, 0, 5, 5), 10, 10, dbCenter, drawn);
    EXPECT_EQ(c.front(), TRect(-2, -2, 8, 8)); // half of -5 toward zero
    c = PlacePicture(TRect(0, 0, 40, 30), 10, 20, dbStretch, drawn);
    EXPECT_EQ(c.front(), TRect(0, 0, 40, 30));
    c = PlacePicture(TRect(0, 0, 40, 30), 10, 20, dbStretch | dbKeepWidth, drawn);
    EXPECT_EQ(c.front(), TRect(0, 0, 40, 80));
    c = PlacePicture(TRect(0, 0, 40, 30), 10, 20, dbStretch | dbKeepHeight, drawn);
    EXPECT_EQ(c.front(), TRect(0, 0, 15, 30));
    c = PlacePicture(TRect(5, 5, 45, 35), 10, 20, dbStretch | dbKeepWidth | dbKeepHeight, drawn);
    EXPECT_EQ(c.front(), TRect(5, 5, 20, 35));
    EXPECT_TRUE(PlacePicture(TRect(0, 0, 0, 10), 10, 10, 0, drawn).empty());
    EXPECT_TRUE(drawn.IsEmpty());
    EXPECT_EQ(FitRect(TRect(0, 0, 100, 50), TRect(10, 10, 60, 110)), TRect(10, 10, 60, 35));
    EXPECT_EQ(RotatedBounds(TRect(0, 0, 40, 10), 90), TRect(0, 0, 10, 40));
    EXPECT_EQ(RotatedBounds(TRect(3, 3, 40, 10), 0), TRect(3, 3, 40, 10));
    int width = 0;
    int height = 0;
    RectSize(TRect(3, 4, 40, 10), width, height);
    EXPECT_EQ(width, 37);
    EXPECT_EQ(height, 6);
    EXPECT_EQ(MaxIntValue({3, -7, 12, 0}), 12);
    EXPECT_EQ(MinIntValue({3, -7, 12, 0}), -7);
    EXPECT_EQ(MinFloatValue({2.5, -0.5, 1.0}), -0.5);
    EXPECT_EQ(MaxIntValue({}), 0);
    EXPECT_EQ(MinFloatValue({}), 0.0);
}

TEST(KitPictureDrawing, TransparentColourAndMaskLeaveTheBackground)
{
    QImage glyph(4, 4, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255)); // transparent colour
    glyph.setPixelColor(1, 1, Qt::red);
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    TRect drawn;
    DrawBitmap(p, TRect(0, 0, 10, 10), glyph, drawn, RGB(255, 0, 255), dbTransparent);
    EXPECT_EQ(drawn, TRect(0, 0, 4, 4));
    DrawBitmap(p, TRect(5, 5, 10, 10), glyph, drawn, 0, dbBrushCopy); // bottom-left pixel is the key
    DrawBitmap(p, TRect(0, 5, 4, 9), glyph, drawn, 0, 0);              // opaque
    p.end();
    EXPECT_EQ(kitPixel(canvas, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(kitPixel(canvas, 1, 1), 0x0000FFu);
    EXPECT_EQ(kitPixel(canvas, 5, 5), 0xFFFFFFu);
    EXPECT_EQ(kitPixel(canvas, 6, 6), 0x0000FFu);
    EXPECT_EQ(kitPixel(canvas, 0, 5), 0xFF00FFu);
    QImage mask, image;
    MakeMask(glyph, TRect(0, 0, 4, 4), mask, image, RGB(255, 0, 255));
    EXPECT_EQ(mask.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(mask.pixel(1, 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
}

TEST(KitPictureDib, FileImageHasHeadersTableAndPaddedRows)
{
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixelColor(0, 0, Qt::black);
    for (int colors : {0, 2, 16, 256}) {
        const int bits = DIBBitsPerPixel(colors);
        QByteArray dib = BuildDIBFile(img, colors);
        const int stride = (3 * bits + 31) / 32 * 4;
        const int table = bits <= 8 ? (1 << bits) * 4 : 0;
        ASSERT_EQ(dib.size(), 14 + 40 + table + 2 * stride) << colors;
        EXPECT_EQ(dib.left(2), QByteArray("BM"));
        EXPECT_EQ(qFromLittleEndian<quint32>(dib.constData() + 2), quint32(dib.size()));
        EXPECT_EQ(qFromLittleEndian<quint32>(dib.constData() + 10), quint32(14 + 40 + table));
        EXPECT_EQ(qFromLittleEndian<quint16>(dib.constData() + 28), bits);
        EXPECT_EQ(qFromLittleEndian<quint32>(dib.constData() + 34), quint32(2 * stride));
    }
    // 24 bits: the top row is stored last; its first pixel is black.
    QByteArray dib = BuildDIBFile(img, 0);
    EXPECT_EQ(dib.mid(14 + 40 + 12, 3), QByteArray(3, '\0'));
    EXPECT_EQ(dib.mid(14 + 40, 3), QByteArray(3, '\xff'));
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    EXPECT_TRUE(WriteBitmapDIB(buf, img.convertToFormat(QImage::Format_Mono), 0));
    EXPECT_EQ(buf.pos(), 0);
    EXPECT_EQ(qFromLittleEndian<quint16>(buf.data().constData() + 28), 1);
    EXPECT_FALSE(WriteDIB(buf, QImage(), 0, true));
}
