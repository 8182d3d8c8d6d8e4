// Speed button: glyph and caption layout arithmetic, glyph images and their
// shared cache, radio groups; the combo edit's ellipsis glyph.

#include "QStringPrint.h"
#include "controls/edits/ComboEdit.h"
#include "controls/edits/ExSpeedButton.h"

#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// 6 pixels a character, 13 a line.
class GridMeasurer : public TextMeasurer
{
public:
    int Width(const QString &text) const override { return 6 * int(text.size()); }
    QSize Extent(const QString &text, int, bool) const override { return QSize(Width(text), 13); }
};

GlyphTextLayout layout(TRect client, QSize glyph, const char *caption, TButtonLayout l, int margin, int spacing,
                       bool mark = false)
{
    return LayoutGlyphAndText(client, glyph, QString::fromLatin1(caption), l, margin, spacing, mark, false,
                              GridMeasurer());
}

// cells of cellWidth (the height by default), each with a dot of its own red.
QImage strip(int w, int h, int cellWidth = 0)
{
    if (cellWidth <= 0)
        cellWidth = h;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(qRgb(0x80, 0x80, 0));
    for (int cell = 0; cell * cellWidth + 2 < w; ++cell)
        img.setPixel(cell * cellWidth + 2, 2, qRgb(cell * 40, 0, 0));
    return img;
}

} // namespace

TEST(SpeedButtonLayout, MarginAndSpacingAlongTheAxis)
{
    const QSize g(16, 16);
    // both -1: the free width in three equal parts
    auto r = layout(TRect(0, 0, 100, 25), g, "Hello", blGlyphLeft, -1, -1);
    EXPECT_EQ(r.GlyphPos, QPoint(18, 4));
    EXPECT_EQ(r.TextBounds, Bounds(52, 6, 30, 13));
    EXPECT_EQ(100 - r.TextBounds.Right, 18);

    // margin -1, spacing given: the block centred
    r = layout(TRect(0, 0, 60, 50), g, "OK", blGlyphTop, -1, 1);
    EXPECT_EQ(r.GlyphPos, QPoint(22, 10));
    EXPECT_EQ(r.TextBounds, Bounds(24, 27, 12, 13));

    // margin given, spacing -1: the caption centred in what is left
    r = layout(TRect(0, 0, 100, 25), g, "Hello", blGlyphRight, 4, -1);
    EXPECT_EQ(r.GlyphPos, QPoint(80, 4));
    EXPECT_EQ(r.TextBounds.Left, 25);

    // glyph below the caption, both given
    r = layout(TRect(0, 0, 40, 60), g, "Hi", blGlyphBottom, 3, 2);
    EXPECT_EQ(r.GlyphPos, QPoint(12, 41));
    EXPECT_EQ(r.TextBounds, Bounds(14, 26, 12, 13));

    // the client rectangle's corner offsets both
    r = layout(TRect(2, 3, 102, 28), g, "Hello", blGlyphLeft, -1, -1);
    EXPECT_EQ(r.GlyphPos, QPoint(20, 7));
    EXPECT_EQ(r.TextBounds.Left, 54);
}

TEST(SpeedButtonLayout, CaptionRoomMarkAndEmptyParts)
{
    const QSize g(16, 16);
    // room 40 - 16 - 1 = 23: shortened from the end until it fits
    auto r = layout(TRect(0, 0, 40, 25), g, "Hello", blGlyphLeft, -1, 1);
    EXPECT_EQ(r.Caption, "...");
    r = layout(TRect(0, 0, 60, 25), g, "Hello", blGlyphLeft, -1, 1);
    EXPECT_EQ(r.Caption, "Hello");
    r = layout(TRect(0, 0, 100, 25), QSize(), "Trail   ", blGlyphLeft, -1, 1);
    EXPECT_EQ(r.Caption, "Trail");

    // no caption: no spacing, the glyph centred
    r = layout(TRect(0, 0, 25, 25), g, "", blGlyphTop, -1, 5);
    EXPECT_EQ(r.GlyphPos, QPoint(4, 4));
    EXPECT_EQ(r.TextBounds.Width(), 0);

    // drop-down mark: 9 more pixels for the caption without glyph, 6 for a glyph on top
    r = layout(TRect(0, 0, 100, 25), QSize(), "Menu", blGlyphLeft, -1, -1, true);
    EXPECT_EQ(r.TextBounds.Width(), 24 + 9);
    r = layout(TRect(0, 0, 60, 60), g, "Menu", blGlyphTop, -1, 1, true);
    EXPECT_EQ(r.GlyphPos.x(), 30 - (16 + 6) / 2);
}

TEST(SpeedButtonGlyph, ImageCountAndStateImages)
{
    TExSpeedButton b;
    b.SetGlyph(strip(28, 12, 14));
    EXPECT_EQ(b.NumGlyphs(), 1); // not a multiple of the height: the count is set by hand
    b.SetNumGlyphs(2);
    EXPECT_EQ(b.ButtonGlyph().GlyphSize(), QSize(14, 12));
    // disabled shows image 1 (its dot is in column 1 of the strip)
    const QImage disabled = b.ButtonGlyph().StateImage(bsDisabled);
    EXPECT_EQ(QColor(disabled.pixel(2, 2)).red(), 40);
    // down with fewer than three images uses the up image
    EXPECT_EQ(QColor(b.ButtonGlyph().StateImage(bsDown).pixel(2, 2)).red(), 0);
    // the transparent colour (bottom-left pixel) is cleared
    EXPECT_EQ(qAlpha(disabled.pixel(0, 11)), 0);

    b.SetGlyph(strip(60, 12));
    EXPECT_EQ(b.NumGlyphs(), 5);
    b.SetGlyph(strip(72, 12));
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetGlyph(strip(20, 12)); // not a multiple: the count stays
    EXPECT_EQ(b.NumGlyphs(), 1);
    b.SetNumGlyphs(9);
    EXPECT_EQ(b.NumGlyphs(), 5);
    b.SetNumGlyphs(0);
    EXPECT_EQ(b.NumGlyphs(), 5);

    // inactive with one image: grey by 77/150/29
    TExSpeedButton grey;
    QImage one(12, 12, QImage::Format_RGB32);
    one.fill(qRgb(0x80, 0x80, 0));
    one.setPixel(3, 3, qRgb(200, 100, 50));
    grey.SetGlyph(one);
    const QImage inactive = grey.ButtonGlyph().StateImage(bsInactive);
    const int g = (77 * 200 + 150 * 100 + 29 * 50) >> 8;
    EXPECT_EQ(QColor(inactive.pixel(3, 3)), QColor(g, g, g));
}

TEST(SpeedButtonGlyph, ImagesShareTheKitGlyphCache)
{
    auto *a = new TExSpeedButton;
    auto *b = new TExSpeedButton;
    a->SetGlyph(strip(14, 13));
    b->SetGlyph(strip(14, 13));
    a->ButtonGlyph().StateImage(bsUp);
    b->ButtonGlyph().StateImage(bsUp);
    b->ButtonGlyph().StateImage(bsDisabled);
    ASSERT_NE(KitGlyphCache(), nullptr);
    TKitGlyphList *list = a->ButtonGlyph().GlyphList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, b->ButtonGlyph().GlyphList()); // one strip per image size
    EXPECT_EQ(list->CellsInUse(), 3);
    delete a;
    EXPECT_EQ(list->CellsInUse(), 2);
    const int lists = KitGlyphCache()->ListCount();
    delete b; // the last glyph of the size frees its strip (and the cache with it)
    EXPECT_TRUE(KitGlyphCache() == nullptr || KitGlyphCache()->ListCount() == lists - 1);
}

TEST(SpeedButton, FlatGreyUntilHoveredAndMarginCheck)
{
    TExSpeedButton b;
    b.SetGlyph(strip(12, 12));
    b.SetFlat(true);
    EXPECT_EQ(b.PaintedGlyphState(), bsInactive);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&b, &enter);
    EXPECT_EQ(b.PaintedGlyphState(), bsUp);
    b.SetGrayedInactive(false);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&b, &leave);
    EXPECT_EQ(b.PaintedGlyphState(), bsUp);

    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetMargin(3);
    EXPECT_EQ(b.Margin(), 3);
}

TEST(SpeedButton, ClicksAndRadioGroups)
{
    QWidget parent;
    auto *one = new TExSpeedButton(&parent);
    auto *two = new TExSpeedButton(&parent);
    one->setGeometry(0, 0, 25, 25);
    two->setGeometry(30, 0, 25, 25);
    int clicks = 0;
    one->OnClick = [&](QObject *) { ++clicks; };
    QTest::mouseClick(one, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(one->State(), bsUp);
    one->ButtonClick();
    EXPECT_EQ(clicks, 2);

    one->SetGroupIndex(1);
    two->SetGroupIndex(1);
    QTest::mouseClick(one, Qt::LeftButton);
    EXPECT_TRUE(one->Down());
    EXPECT_EQ(one->State(), bsExclusive);
    QTest::mouseClick(two, Qt::LeftButton);
    EXPECT_TRUE(two->Down());
    EXPECT_FALSE(one->Down());
    two->SetDown(false); // not without AllowAllUp
    EXPECT_TRUE(two->Down());
    two->SetAllowAllUp(true);
    QTest::mouseClick(two, Qt::LeftButton);
    EXPECT_FALSE(two->Down());

    one->SetEnabled(false);
    one->ButtonClick();
    EXPECT_EQ(clicks, 3); // the grouped click above; a disabled button does not click
}

TEST(ComboEditButton, EllipsisGlyphAndButtonWidth)
{
    const QImage dots = TCustomComboEdit::EllipsisGlyph(20); // width 14, gap 3, first dot at 1
    ASSERT_EQ(dots.size(), QSize(14, 4));
    auto black = [&](int x, int y) { return (dots.pixel(x, y) & 0xFFFFFF) == 0; };
    for (int x : {1, 2, 6, 7, 11, 12}) {
        EXPECT_TRUE(black(x, 1)) << x;
        EXPECT_TRUE(black(x, 2)) << x;
    }
    EXPECT_FALSE(black(0, 1));
    EXPECT_FALSE(black(3, 1));
    EXPECT_FALSE(black(1, 0));
    EXPECT_EQ(TCustomComboEdit::EllipsisGlyph(10).width(), 4); // gap at least 1
    EXPECT_EQ(TCustomComboEdit::EllipsisGlyph(3).width(), 1);

    TCustomComboEdit e;
    e.SetButtonWidth(1);
    EXPECT_FALSE(e.ButtonContainer()->isVisibleTo(&e));
    EXPECT_EQ(e.textMargins().right(), 3);
    e.SetButtonWidth(25);
    EXPECT_TRUE(e.ButtonContainer()->isVisibleTo(&e));
    EXPECT_EQ(e.ButtonContainer()->width(), 25);
    e.SetGlyphKind(gkEllipsis);
    EXPECT_EQ(e.Glyph().width(), 19);
}

TEST(SpeedButton, AutoRepeatWhileHeld)
{
    TExSpeedButton b;
    b.resize(25, 25);
    b.SetAllowTimer(true);
    b.SetInitPause(20);
    b.SetRepeatInterval(10);
    int clicks = 0;
    b.OnClick = [&](QObject *) { ++clicks; };
    QTest::mousePress(&b, Qt::LeftButton);
    EXPECT_EQ(b.State(), bsDown);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks >= 2; }, 5000));
    const int whileHeld = clicks;
    QTest::mouseRelease(&b, Qt::LeftButton);
    EXPECT_EQ(clicks, whileHeld + 1); // the release inside clicks once more
    for (const QTimer *timer : b.findChildren<QTimer *>())
        EXPECT_FALSE(timer->isActive()); // and the repeat has stopped
    EXPECT_EQ(b.State(), bsUp);
}
