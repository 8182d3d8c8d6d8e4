#include "controls/panels/KitCaptions.h"
#include "KitTestOutput.h"

#include <QPainter>
#include <gtest/gtest.h>

TEST(KitCaptionLayout, AlignRectUsesHalfTheFreeSpaceTowardZero)
{
    TRect r;
    AlignRect(agCenter, TRect(0, 0, 10, 6), TRect(0, 0, 25, 15), r);
    EXPECT_EQ(r, TRect(7, 4, 17, 10));
    AlignRect(agBottomRight, TRect(0, 0, 10, 6), TRect(5, 5, 25, 15), r);
    EXPECT_EQ(r, TRect(15, 9, 25, 15));
    AlignRect(agTopCenter, TRect(0, 0, 31, 6), TRect(0, 0, 20, 15), r);
    EXPECT_EQ(r.Left, -5); // (20 - 31) div 2
}

TEST(KitCaptionLayout, ArrowRowsAndSizesOutsideTheRange)
{
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawArrow(p, 0, 0, true, true, clBlack, 1);
    DrawArrow(p, 0, 0, true, true, clBlack, 16);
    p.end();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(kitPixel(img, x, y), 0xFFFFFFu);
    p.begin(&img);
    DrawArrow(p, 2, 2, true, true, clBlack, 3); // rows of 5, 3, 1 pixels
    p.end();
    auto row = [&](int y) {
        int n = 0;
        for (int x = 0; x < 20; ++x)
            n += kitPixel(img, x, y) == 0;
        return n;
    };
    EXPECT_EQ(row(2), 5);
    EXPECT_EQ(row(3), 3);
    EXPECT_EQ(row(4), 1);
    EXPECT_EQ(kitPixel(img, 4, 4), 0u); // the tip under the middle
}

TEST(KitCaptionLayout, AngleOf360IsStoredAsZeroAndSetPosRaisesNoChange)
{
    TKitFxCaption c;
    int changes = 0;
    c.OnChange = [&](QObject *) { ++changes; };
    c.SetAngle(90);
    c.SetAngle(360);
    EXPECT_EQ(c.Angle(), 0);
    EXPECT_EQ(changes, 2);
    c.SetPos(5, 6);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(c.PosX(), 5);
    EXPECT_EQ(c.PosY(), 6);
}

TEST(KitCaptionLayout, GlyphAndTextArrangement)
{
    QImage canvas(200, 100, QImage::Format_RGB32);
    QPainter p(&canvas);
    QImage glyph(16, 30, QImage::Format_RGB32);
    glyph.fill(Qt::red);
    TKitButtonLayout layout;
    layout.SetAlignment(agTopLeft);
    // taRight: the text to the right of the glyph, Spacing apart, one pixel further in.
    TRect used;
    TRect focus = DrawGlyphText(p, "AB", nullptr, KitGtMeasure | KitGtFocusBoth, false, &layout, glyph, false, 0,
                                TRect(10, 10, 190, 90), clBlack, &used);
    EXPECT_EQ(used.Left, 10);
    EXPECT_EQ(used.Top, 10);
    EXPECT_GE(used.Width(), 16 + 2 + 1);
    EXPECT_EQ(used.Height(), 30 + 1); // the taller glyph sets the block height
    // taBottom: the text below the glyph, Spacing apart.
    layout.SetAlignText2Glyph(taBottom);
    DrawGlyphText(p, "AB", nullptr, KitGtMeasure, false, &layout, glyph, false, 0, TRect(10, 10, 190, 90), clBlack,
                  &used);
    EXPECT_GT(used.Height(), 30 + 2);
    // No flag: the whole rectangle shrunk by 1.
    focus = DrawGlyphText(p, "", nullptr, 0, false, &layout, QImage(), false, 0, TRect(10, 10, 190, 90), clBlack);
    EXPECT_EQ(focus, TRect(11, 11, 189, 89));
    p.end();
}

TEST(KitButtonFace, TheMaskIsClearOnlyWhereTheTransparentColourIs)
{
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(255, 0, 255));
    img.setPixel(1, 0, qRgb(0, 0, 0));
    img.setPixel(2, 0, qRgb(255, 0, 254));
    const QImage mask = MakeBitmapMask(img, RGB(255, 0, 255));
    EXPECT_EQ(qAlpha(mask.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(mask.pixel(1, 0)), 255);
    EXPECT_EQ(qAlpha(mask.pixel(2, 0)), 255);
}

TEST(KitButtonFace, ContentRectangleAndPressedShift)
{
    QImage img(60, 30, QImage::Format_RGB32);
    QPainter p(&img);
    TRect r(0, 0, 60, 30);
    EXPECT_TRUE(DrawButtonFace(p, r, clBtnFace, 0, 0, 2));
    EXPECT_EQ(r, TRect(3, 3, 57, 27));
    r = TRect(0, 0, 60, 30);
    DrawButtonFace(p, r, clBtnFace, 0, 4, 2); // pressed
    EXPECT_EQ(r, TRect(4, 4, 58, 28));
    r = TRect(0, 0, 60, 30);
    DrawButtonFace(p, r, clBtnFace, 0x0002, 0, 2); // default: outer frame first
    EXPECT_EQ(r, TRect(4, 4, 56, 26));
    p.end();
    kitSavePicture(img, "button_face");
}
