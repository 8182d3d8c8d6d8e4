#include "controls/panels/DDButton.h"
#include "KitTestOutput.h"

#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Row y of a vertical gradient painted over Ht rows: the last strip that covers it.
unsigned referenceVerticalRow(int y, int Ht, TColor from, TColor to)
{
    unsigned colour = 0xFFFFFFFF;
    for (int i = 0; i <= 255; ++i) {
        int y0 = i * Ht / 255, y1 = (i + 1) * Ht / 255;
        if (y >= y0 && y < y1) {
            int r = GetRValue(from) + i * (GetRValue(to) - GetRValue(from)) / 255;
            int g = GetGValue(from) + i * (GetGValue(to) - GetGValue(from)) / 255;
            int b = GetBValue(from) + i * (GetBValue(to) - GetBValue(from)) / 255;
            colour = unsigned(r) | unsigned(g) << 8 | unsigned(b) << 16;
        }
    }
    return colour;
}

TDDButton *formButton(QWidget *parent, const QString &caption = QString())
{
    auto *b = new TDDButton(parent);
    b->SetFormLook();
    b->SetCaption(caption);
    return b;
}

} // namespace

TEST(GradientArithmetic, StepsTruncateTowardZeroPerChannel)
{
    EXPECT_EQ(GradientStep(0xCFBCA9, 0x5F4934, 0, 255), 0xCFBCA9u);
    EXPECT_EQ(GradientStep(0xCFBCA9, 0x5F4934, 255, 255), 0x5F4934u);
    // 16 + (1 * -16) div 255 = 16 (toward zero), not 15.
    EXPECT_EQ(GradientStep(0x000010, 0x000000, 1, 255), 0x000010u);
    EXPECT_EQ(GradientStep(0x000000, 0x0000FF, 128, 255), 0x000080u);
    // A system colour constant is split like any other value (top byte dropped).
    EXPECT_EQ(GradientStep(clBtnFace, clBtnFace, 3, 255), 0x00000Fu);
}

TEST(GradientArithmetic, RectangleUnderTwoPixelsIsASolidFill)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    PaintGradient(p, 3, 0, 0, 1, 1, 0x0000FF, 0x00FF00); // would divide by zero
    PaintGradient(p, 3, 2, 2, 2, 2, 0x0000FF, 0x00FF00); // empty
    p.end();
    EXPECT_EQ(kitPixel(img, 0, 0), 0x0000FFu);
    EXPECT_EQ(kitPixel(img, 1, 1), 0x000000u);
}

TEST(GradientArithmetic, SolidFillShowsSystemColours)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    PaintGradient(p, 0, 0, 0, 4, 4, clBtnFace, clBtnFace);
    p.end();
    EXPECT_EQ(img.pixel(1, 1), ColorToQColor(clBtnFace).rgb());
    EXPECT_NE(kitPixel(img, 1, 1), 0x00000Fu); // not the constant's low bytes
}

TEST(GradientArithmetic, KindsOutsideTheRangeActAsVertical)
{
    QImage a(20, 40, QImage::Format_RGB32), b(20, 40, QImage::Format_RGB32);
    a.fill(Qt::black);
    b.fill(Qt::black);
    QPainter pa(&a), pb(&b);
    PaintGradient(pa, 11, 0, 0, 20, 40, 0x102030, 0xA0B0C0);
    PaintGradient(pb, 2, 0, 0, 20, 40, 0x102030, 0xA0B0C0);
    pa.end();
    pb.end();
    EXPECT_EQ(a, b);
    QImage c(5, 5, QImage::Format_RGB32);
    c.fill(Qt::black);
    QPainter pc(&c);
    PaintGradient(pc, 10, 0, 0, 5, 5, 0xFFFFFF, 0xFFFFFF); // draws nothing
    pc.end();
    EXPECT_EQ(kitPixel(c, 2, 2), 0u);
}

TEST(DDButtonLook, FormButtonShowsVerticalGradientBlackBorderAndPressedLook)
{
    QWidget form;
    TDDButton *b = formButton(&form, QStringLiteral("조 회"));
    b->setGeometry(0, 0, 75, 25);
    QImage img = kitGrab(b);
    kitSavePicture(img, "ddbutton_form");
    // One-pixel black outline covers the one-pixel bevel.
    EXPECT_EQ(kitPixel(img, 0, 0), 0u);
    EXPECT_EQ(kitPixel(img, 74, 24), 0u);
    EXPECT_EQ(kitPixel(img, 0, 12), 0u);
    EXPECT_EQ(kitPixel(img, 74, 12), 0u);
    // Gradient rows along a column clear of the caption (painted over H + 1 rows).
    for (int y = 1; y < 24; ++y)
        EXPECT_EQ(kitPixel(img, 3, y), referenceVerticalRow(y, 26, 0xCFBCA9, 0x5F4934)) << "row " << y;
    // The screens' mouse-down handler gives the pressed look.
    b->SetEndColor(DDPressedEndColor);
    QImage pressed = kitGrab(b);
    kitSavePicture(pressed, "ddbutton_form_pressed");
    for (int y = 1; y < 24; ++y)
        EXPECT_EQ(kitPixel(pressed, 3, y), referenceVerticalRow(y, 26, 0xCFBCA9, 0xC5AC94)) << "row " << y;
}

namespace {

// White text pixels in [x0, x1) x [y0, y1).
int whiteIn(const QImage &im, int x0, int x1, int y0, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            QRgb c = im.pixel(x, y);
            if (qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230)
                ++n;
        }
    return n;
}

// The box around the white text pixels inside the border.
QRect whiteBox(const QImage &im)
{
    QRect box;
    for (int y = 1; y < im.height() - 1; ++y)
        for (int x = 1; x < im.width() - 1; ++x)
            if (whiteIn(im, x, x + 1, y, y + 1))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(DDButtonLook, FormButtonCaptionIsCentredInTenPointGulim)
{
    QWidget form;
    TDDButton *b = formButton(&form, QStringLiteral("저 장"));
    b->setGeometry(0, 0, 75, 25);
    EXPECT_EQ(b->font().pointSize(), 10);
    EXPECT_EQ(b->HTextLayout(), tlCenter);
    EXPECT_EQ(b->VTextLayout(), tlMiddle);
    QImage img = kitGrab(b);
    kitSavePicture(img, "ddbutton_form_caption");
    const QRect box = whiteBox(img);
    ASSERT_FALSE(box.isEmpty());
    // The text's middle lies within a few pixels of the button's (glyph
    // bearings and the one-pixel caption offset).
    EXPECT_LE(std::abs(box.left() + box.right() - 74), 6) << box.left() << " " << box.right();
    EXPECT_LE(std::abs(box.top() + box.bottom() - 24), 6) << box.top() << " " << box.bottom();
}

TEST(DDButtonLook, CaptionAnchoredBottomRightMovesWhenPressed)
{
    QWidget form;
    TDDButton *b = formButton(&form, QStringLiteral("WWW"));
    b->SetHTextLayout(tlRight);
    b->SetVTextLayout(tlBottom);
    b->setGeometry(0, 0, 90, 40);
    QImage img = kitGrab(b);
    // Text sits in the bottom-right corner, 7 pixels in: the left half has none.
    EXPECT_EQ(whiteIn(img, 1, 30, 1, 39), 0);
    EXPECT_GT(whiteIn(img, 40, 89, 1, 39), 10);
    EXPECT_EQ(whiteIn(img, 84, 89, 1, 39), 0); // the 7-pixel right margin (less the offset)
}

TEST(DDButtonLook, DisabledShowsFlatDisableColorUnderBevelAndBorder)
{
    QWidget form;
    TDDButton *b = formButton(&form, QStringLiteral("확인"));
    b->setGeometry(0, 0, 75, 25);
    b->SetEnabled(false);
    QImage img = kitGrab(b);
    kitSavePicture(img, "ddbutton_disabled");
    EXPECT_EQ(kitPixel(img, 3, 3), 0x909090u);
    EXPECT_EQ(kitPixel(img, 3, 20), 0x909090u);
    EXPECT_EQ(kitPixel(img, 0, 0), 0u);
}

TEST(DDButtonLook, EveryGradientStyleHasItsColoursWhereExpected)
{
    QWidget form;
    const TColor from = 0x0000FF, to = 0xFF0000;
    for (int s = gsHorizontal; s <= gsTextOnly; ++s) {
        auto *b = new TDDButton(&form);
        b->setGeometry(0, 0, 120, 60);
        b->SetBeginColor(from);
        b->SetEndColor(to);
        b->SetFrameSize(1);
        b->SetBtnHiliteClr(0x00FF00);
        b->SetBtnShadowClr(0x00FF00);
        b->SetGradientStyle(TGradientStyle(s));
        QImage img = kitGrab(b);
        kitSavePicture(img, QString("ddbutton_style_%1").arg(s));
        unsigned tl = kitPixel(img, 2, 2), br = kitPixel(img, 117, 57), mid = kitPixel(img, 60, 30);
        auto near = [](unsigned c, unsigned want) {
            return std::abs(GetRValue(c) - GetRValue(want)) < 40 && std::abs(GetGValue(c) - GetGValue(want)) < 40 &&
                   std::abs(GetBValue(c) - GetBValue(want)) < 40;
        };
        switch (s) {
        case gsHorizontal:
            EXPECT_TRUE(near(tl, from));
            EXPECT_TRUE(near(br, to));
            EXPECT_TRUE(near(kitPixel(img, 2, 57), from));
            break;
        case gsVertical:
            EXPECT_TRUE(near(tl, from));
            EXPECT_TRUE(near(br, to));
            EXPECT_TRUE(near(kitPixel(img, 117, 2), from));
            break;
        case gsRectangle:
        case gsVertCenter:
        case gsHorizCenter:
            EXPECT_TRUE(near(tl, from)) << s;
            EXPECT_TRUE(near(mid, to)) << s;
            break;
        case gsLeftTop:
            EXPECT_TRUE(near(tl, from));
            EXPECT_TRUE(near(br, to));
            break;
        case gsRightTop:
            EXPECT_TRUE(near(kitPixel(img, 117, 2), from));
            EXPECT_TRUE(near(kitPixel(img, 2, 57), to));
            break;
        case gsLeftTopRightBottom:
            EXPECT_TRUE(near(tl, from));
            EXPECT_TRUE(near(br, from));
            break;
        case gsRightTopLeftBottom:
            EXPECT_TRUE(near(kitPixel(img, 117, 2), from));
            EXPECT_TRUE(near(kitPixel(img, 2, 57), from));
            break;
        case gsElliptic:
            EXPECT_TRUE(near(tl, from));
            EXPECT_TRUE(near(mid, to));
            break;
        case gsNone:
        case gsTextOnly:
            EXPECT_EQ(tl, from);
            EXPECT_EQ(mid, from);
            break;
        case gsImage:
            EXPECT_EQ(mid, ColorToRGB(clBtnFace));
            EXPECT_EQ(kitPixel(img, 0, 0), 0u);
            break;
        }
    }
}

TEST(DDButtonLook, FocusRectangleIsInsetByFrameSizeTimesOnePointSix)
{
    QWidget form;
    TDDButton *b = formButton(&form);
    b->SetBeginColor(0x000000);
    b->SetEndColor(0x000000);
    b->setGeometry(0, 0, 75, 25);
    b->SetDefault(true); // the focus look without the focus
    ASSERT_TRUE(b->Active());
    QImage img = kitGrab(b);
    kitSavePicture(img, "ddbutton_focus");
    // dotted XOR rectangle at (2, 2, 73, 23) on black: white dots
    EXPECT_EQ(kitPixel(img, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(kitPixel(img, 3, 2), 0u);
    EXPECT_EQ(kitPixel(img, 1, 1), 0u);
    b->SetDefault(false);
    EXPECT_FALSE(b->Active());
}

TEST(DDButtonProperties, InitialValuesAndSettersThatIgnoreEqualValues)
{
    TDDButton b;
    EXPECT_EQ(b.width(), 75);
    EXPECT_EQ(b.height(), 25);
    EXPECT_EQ(b.BeginColor(), 0x7D7D7Du);
    EXPECT_EQ(b.EndColor(), 0x4E4E4Eu);
    EXPECT_EQ(b.GradientStyle(), gsLeftTop);
    EXPECT_EQ(b.HTextLayout(), tlRight);
    EXPECT_EQ(b.VTextLayout(), tlBottom);
    EXPECT_EQ(b.FrameSize(), 3);
    EXPECT_EQ(b.DisableColor(), 0x909090u);
    EXPECT_EQ(b.FontColor(), clWhite);
    EXPECT_TRUE(b.TabStop());
    EXPECT_TRUE(b.Enabled());

    int n = b.RepaintRequests();
    b.SetEndColor(0x4E4E4E);
    b.SetEnabled(true);
    b.SetFrameSize(3);
    EXPECT_EQ(b.RepaintRequests(), n);
    b.SetSwapColors(true);
    b.SetMouseDownEffect(false);
    EXPECT_EQ(b.RepaintRequests(), n);
    b.SetEndColor(0x123456);
    EXPECT_EQ(b.RepaintRequests(), n + 1);
    for (int bad : {0, -5, 11}) {
        b.SetFrameSize(5);
        b.SetFrameSize(bad);
        EXPECT_EQ(b.FrameSize(), 3) << bad;
    }
}

TEST(DDButtonCaption, LinesAreAnchoredToTheirCornerAndOnePixelApart)
{
    // 75 x 25 button, one line 30 wide, 13 high.
    EXPECT_EQ(TDDButton::CaptionPos(tlRight, tlBottom, 75, 25, 30, 13, 1, 0, 1), QPoint(75 - 30 - 7 - 1, 25 - 15 - 7 - 1));
    EXPECT_EQ(TDDButton::CaptionPos(tlRight, tlBottom, 75, 25, 30, 13, 1, 0, 2), QPoint(36, 1)); // pressed: up-left
    EXPECT_EQ(TDDButton::CaptionPos(tlLeft, tlTop, 75, 25, 30, 13, 1, 0, 2), QPoint(9, 9));      // pressed: down-right
    EXPECT_EQ(TDDButton::CaptionPos(tlCenter, tlMiddle, 75, 25, 30, 13, 1, 0, 1), QPoint(23, 7));
    // Two lines centred as a block of 2h + 1 pixels; the second 1 pixel below the first.
    QPoint a = TDDButton::CaptionPos(tlCenter, tlMiddle, 80, 41, 20, 13, 2, 0, 0);
    QPoint b = TDDButton::CaptionPos(tlCenter, tlMiddle, 80, 41, 20, 13, 2, 1, 0);
    EXPECT_EQ(a, QPoint(30, (41 - 27) / 2));
    EXPECT_EQ(b.y() - a.y(), 14);
    // Negative free space rounds toward zero.
    EXPECT_EQ(TDDButton::CaptionPos(tlCenter, tlTop, 10, 25, 15, 13, 1, 0, 0).x(), -2);
}

TEST(DDButtonCaption, EmptyCaptionDrawsNoText)
{
    QWidget form;
    auto *a = new TDDButton(&form);
    a->SetFormLook();
    a->setGeometry(0, 0, 75, 25);
    QImage empty = kitGrab(a);
    a->SetCaption("\r\n");
    EXPECT_EQ(kitGrab(a), empty);
    a->SetCaption(QStringLiteral("가"));
    EXPECT_NE(kitGrab(a), empty);
}

// At a device pixel ratio of 2 the button is painted at 2x, not painted at 1x
// and scaled up: the caption's edges are finer than a doubled 1x image.
TEST(DDButtonLook, PaintedAtTheDevicePixelRatio)
{
    QWidget form;
    TDDButton *b = formButton(&form, QStringLiteral("자료작성"));
    b->setGeometry(0, 0, 75, 25);
    auto rendered = [&](qreal dpr) {
        QPixmap pm(QSize(75, 25) * dpr);
        pm.setDevicePixelRatio(dpr);
        pm.fill(Qt::white);
        b->render(&pm);
        return pm.toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage once = rendered(1);
    const QImage twice = rendered(2);
    ASSERT_EQ(twice.size(), QSize(150, 50));
    const QImage &off = b->RenderImage(2);
    EXPECT_EQ(off.size(), QSize(150, 50));
    EXPECT_EQ(off.devicePixelRatio(), 2.0);
    EXPECT_EQ(b->RenderImage(1).size(), QSize(75, 25));
    const QImage doubled = once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
            differing += twice.pixel(x, y) != doubled.pixel(x, y);
    EXPECT_GT(differing, 50); // the caption drawn with twice the pixels
}
