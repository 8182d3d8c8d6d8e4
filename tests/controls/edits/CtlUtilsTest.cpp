// Drawing and memory helpers, and the calculator panel's keys.

#include "QStringPrint.h"
#include "controls/edits/CtlUtils.h"
#include "controls/edits/ExCalc.h"
#include "controls/panels/KitContainers.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

TEST(CtlUtils, ShortenTextAndMemoryBlocks)
{
    auto width = [](const QString &s) { return 6 * int(s.size()); };
    EXPECT_EQ(ShortenText("Amount", width, 36), "Amount");
    EXPECT_EQ(ShortenText("Amount", width, 29), "A...");
    EXPECT_EQ(ShortenText("Amount", width, 35), "Am...");
    EXPECT_EQ(ShortenText("Amount", width, 20), "...");
    EXPECT_EQ(ShortenText("A", width, 1), "...");   // never fits: "..." alone
    EXPECT_EQ(MaxOf(-3, 2), 2);
    EXPECT_EQ(MinOf(-3, 2), -3);

    EXPECT_EQ(AllocZeroBlock(0), nullptr);
    EXPECT_EQ(AllocZeroBlock(-5), nullptr);
    void *none = nullptr;
    FreeZeroBlock(none);
    EXPECT_EQ(none, nullptr);
    void *block = AllocZeroBlock(16);
    ASSERT_NE(block, nullptr);
    const char zeros[16] = {};
    EXPECT_TRUE(SameBytes(block, zeros, 16));
    CopyBytes(OffsetPtr(block, 1), "ab", 2);
    EXPECT_FALSE(SameBytes(block, zeros, 16));
    FreeZeroBlock(block);
    EXPECT_EQ(block, nullptr);
}

TEST(CtlUtils, TransparentDrawingAndCells)
{
    QImage bmp(4, 2, QImage::Format_RGB32);
    bmp.fill(qRgb(255, 0, 0));
    bmp.setPixel(0, 1, qRgb(0, 255, 0)); // bottom-left pixel
    bmp.setPixel(3, 0, qRgb(0, 255, 0));
    auto drawn = [&](TColor mask) {
        QImage target(4, 2, QImage::Format_RGB32);
        target.fill(qRgb(0, 0, 255));
        QPainter p(&target);
        DrawBitmapTransparent(p, bmp, mask, 0, 0);
        p.end();
        return target;
    };
    const QImage opaque = drawn(MaskNone);
    EXPECT_EQ(opaque.pixel(3, 0), qRgb(0, 255, 0));
    const QImage masked = drawn(MaskBottomLeft);
    EXPECT_EQ(masked.pixel(3, 0), qRgb(0, 0, 255)); // the bottom-left colour is transparent
    EXPECT_EQ(masked.pixel(1, 0), qRgb(255, 0, 0));

    QImage cells(30, 20, QImage::Format_RGB32);
    cells.fill(Qt::white);
    cells.setPixel(20, 10, qRgb(1, 2, 3)); // cell 5 of 3 x 2
    const QImage cell = CellBitmap(cells, 3, 5, 2);
    EXPECT_EQ(cell.size(), QSize(10, 10));
    EXPECT_EQ(cell.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(CellBitmap(cells, 0, -1, 0).size(), QSize(30, 20));

    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(qRgb(0x80, 0x80, 0));
    glyph.setPixel(1, 1, qRgb(0, 0, 0));
    const QImage grey = MakeDisabledBitmap(glyph, RGB(0x80, 0x80, 0), clWhite, true, clBlack, RGB(1, 1, 1));
    EXPECT_EQ(grey.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(grey.pixel(1, 1), qRgb(0, 0, 0));   // shadow at the shape
    EXPECT_EQ(grey.pixel(2, 2), qRgb(1, 1, 1));   // highlight one down and right
}

TEST(CalculatorPanel, KeysLayoutsAndMemoryMark)
{
    TCalculatorPanel full(nullptr, clDialog);
    EXPECT_EQ(full.size(), QSize(240, 129));
    EXPECT_EQ(full.KeyButtons().size(), 28);
    EXPECT_EQ(full.KeyButton(21)->geometry(), QRect(145, 6, 44, 22));
    EXPECT_EQ(full.KeyButton(1)->geometry(), QRect(47, 104, 36, 22));
    EXPECT_TRUE(full.KeyButton(27)->Caption().isEmpty()); // OK has a glyph instead
    EXPECT_FALSE(full.KeyButton(27)->Glyph().isNull());
    EXPECT_EQ(full.KeyButton(17)->Caption(), "sqrt");
    EXPECT_EQ(full.KeyButton(20)->Tag(), 19);
    EXPECT_EQ(full.KeyButton(23)->Tag(), -1);
    EXPECT_EQ(full.KeyButton(13)->FontColor(), clPurple);
    EXPECT_EQ(full.KeyButton(26)->FontColor(), clNavy);
    EXPECT_EQ(full.KeyButton(22)->FontColor(), clMaroon);

    full.CalcKeyPress('9');
    full.KeyClick(24); // MS
    EXPECT_EQ(full.MemoryLabel()->text(), "M");
    full.KeyClick(26); // MC
    EXPECT_EQ(full.MemoryLabel()->text(), "");
    int oks = 0;
    full.OnOk = [&](QObject *) { ++oks; };
    full.KeyClick(27);
    EXPECT_EQ(oks, 1);

    TCalculatorPanel popup(nullptr, clPopup);
    EXPECT_EQ(popup.size(), QSize(98, 124));
    EXPECT_EQ(popup.KeyButtons().size(), 19);
    EXPECT_EQ(popup.KeyButton(20)->width(), 44);
    EXPECT_EQ(popup.KeyButton(17), nullptr); // no sqrt, %, 1/x, memory, OK or Cancel
    for (char c : {'1', '2', '+', '3', '%'})
        popup.CalcKeyPress(c); // '%' has no key here: straight to the engine
    EXPECT_EQ(popup.DisplayText(), "12.36");
}

// The disabled look of an image-list image: its shape in the highlight
// colour one pixel down and right, then in the shadow colour.
TEST(CtlUtils, DrawDisabledImagePaintsTheMaskShapeInShadowAndHighlight)
{
    TKitImageListItem list;
    list.SetWidth(3);
    list.SetHeight(3);
    list.SetMasked(true);
    QImage glyph(3, 3, QImage::Format_RGB32);
    glyph.fill(qRgb(0x80, 0x80, 0)); // the transparent colour
    glyph.setPixel(1, 1, qRgb(0xFF, 0, 0));
    ASSERT_EQ(list.AddMasked(glyph, RGB(0x80, 0x80, 0)), 0);
    auto drawn = [&](bool highlight) {
        QImage target(5, 5, QImage::Format_RGB32);
        target.fill(Qt::white);
        QPainter p(&target);
        p.setBrush(Qt::green);
        DrawDisabledImage(list, p, 1, 1, 0, highlight, clBlack, RGB(0, 0, 0xFF));
        EXPECT_EQ(p.brush().color(), QColor(Qt::green)); // the brush is kept
        p.end();
        return target;
    };
    const QImage withHighlight = drawn(true);
    EXPECT_EQ(withHighlight.pixel(2, 2), qRgb(0, 0, 0));       // the shadow at the shape
    EXPECT_EQ(withHighlight.pixel(3, 3), qRgb(0, 0, 0xFF));    // the highlight one down and right
    EXPECT_EQ(withHighlight.pixel(1, 1), qRgb(255, 255, 255)); // transparent stays
    const QImage flat = drawn(false);
    EXPECT_EQ(flat.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(flat.pixel(3, 3), qRgb(255, 255, 255));
    // An index outside the list draws nothing.
    QImage untouched(5, 5, QImage::Format_RGB32);
    untouched.fill(Qt::white);
    QPainter p(&untouched);
    DrawDisabledImage(list, p, 0, 0, 1, true, clBlack, clBlack);
    p.end();
    EXPECT_EQ(untouched.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(CtlUtils, OwnsActiveWindowWhenOneOfOurWindowsIsActive)
{
    {
        QWidget window;
        window.resize(100, 50);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_TRUE(OwnsActiveWindow());
    }
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == nullptr; }, 5000));
    EXPECT_FALSE(OwnsActiveWindow());
}
