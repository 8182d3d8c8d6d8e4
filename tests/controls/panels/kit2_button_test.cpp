// Glyph cache, glyphs and the kit's glyph push button.
#include "controls/panels/KitButton.h"
#include "controls/panels/KitGlyph.h"
#include "controls/panels/KitPicture.h"
#include "support/Eventually.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QImage cells(int n, int size = 16)
{
    QImage img(n * size, size, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    for (int i = 0; i < n; ++i)
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x)
                img.setPixel(i * size + x, y, qRgb(i * 40, 0, 0));
    return img;
}

} // namespace

TEST(KitGlyph, CellCountFollowsTheBitmap)
{
    TKitGlyph g;
    g.SetBitmap(cells(4));
    EXPECT_EQ(g.NumGlyphs(), 4);
    g.SetBitmap(cells(6));
    EXPECT_EQ(g.NumGlyphs(), 1);
    g.SetNumGlyphs(2);
    QImage odd(20, 16, QImage::Format_RGB32);
    odd.fill(Qt::white);
    g.SetBitmap(odd);
    EXPECT_EQ(g.NumGlyphs(), 2); // not a multiple: the count stays
    EXPECT_EQ(g.TransparentColor(), 0xFFFFFFu);
}

TEST(KitGlyph, StatesShareCellsAndTheLastGlyphFreesItsStrip)
{
    {
        TKitGlyph g;
        ASSERT_NE(KitGlyphCache(), nullptr);
        g.SetBitmap(cells(1));
        const int up = g.GetImageIndex(0);
        const int disabled = g.GetImageIndex(1);
        EXPECT_NE(up, disabled);
        EXPECT_EQ(g.GetImageIndex(7), disabled);
        EXPECT_EQ(g.GetImageIndex(2), g.GetImageIndex(3)); // both slot 0? no: slot 0 for states past the cells
        EXPECT_EQ(g.GetImageIndex(2), up);
        const QImage disabledImg = g.GlyphList()->CopyImage(disabled);
        EXPECT_NE(disabledImg.pixel(6, 6), g.GlyphList()->CopyImage(up).pixel(6, 6));

        TKitGlyph other;
        other.SetBitmap(cells(2));
        other.GetImageIndex(0);
        EXPECT_EQ(other.GlyphList(), g.GlyphList()); // one strip per cell size
        EXPECT_EQ(KitGlyphCache()->ListCount(), 1);
        g.SetBitmap(QImage());
        EXPECT_EQ(KitGlyphCache()->ListCount(), 1);
        other.ReleaseImages();
        EXPECT_EQ(KitGlyphCache()->ListCount(), 0);
    }
    EXPECT_EQ(KitGlyphCache(), nullptr);
}

TEST(KitGlyph, FourToneStyleAndOneColourImage)
{
    TKitGlyph g;
    g.Style = 1;
    QImage flat(16, 16, QImage::Format_RGB32);
    flat.fill(Qt::gray);
    g.SetBitmap(flat);
    EXPECT_GE(g.GetImageIndex(0), 0); // one colour: no division by zero
    const QImage four = FourToneImage(cells(1));
    EXPECT_EQ(four.pixel(0, 0), QColor(Qt::magenta).rgb());
    // a one-colour figure sits at the average: it becomes the shadow colour
    EXPECT_EQ(four.pixel(6, 6), ColorToQColor(clBtnShadow).rgb());
}

TEST(KitButton, ClickEnterAndDefault)
{
    QDialog dlg;
    auto *edit = new QLineEdit(&dlg);
    auto *btn = new TKitButton(&dlg);
    btn->move(0, 40);
    btn->SetCaption("결번요청");
    int clicks = 0;
    btn->OnClick = [&](QObject *) { ++clicks; };
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 0); // Enter in an edit field does not click a non-default button
    EXPECT_TRUE(dlg.isVisible());
    QTest::mouseClick(btn, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    btn->setFocus();
    QTest::keyClick(btn, Qt::Key_Return);
    EXPECT_EVENTUALLY_EQ(clicks, 2);
    btn->SetDefault(true);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EVENTUALLY_EQ(clicks, 3);
    btn->Click();
    EXPECT_EQ(clicks, 4);
    EXPECT_EQ(btn->width(), 75);
}

TEST(KitButton, KeyHandlersSeeTheKeyFirstAndCanConsumeIt)
{
    QDialog dlg;
    auto *btn = new TKitButton(&dlg);
    int clicks = 0;
    QStringList log;
    btn->OnClick = [&](QObject *) { ++clicks; };
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    btn->setFocus();

    btn->OnKeyDown = [&](QObject *s, int &k, Qt::KeyboardModifiers) {
        EXPECT_EQ(s, btn);
        log << QString("down %1").arg(k);
        if (k == VK_RETURN)
            k = 0;
    };
    btn->OnKeyPress = [&](QObject *, QChar &k) {
        log << QString("press %1").arg(k.unicode());
        if (k == QLatin1Char('x'))
            k = QChar(0);
    };
    btn->OnKeyUp = [&](QObject *, int &k, Qt::KeyboardModifiers) { log << QString("up %1").arg(k); };
    QTest::keyClick(btn, Qt::Key_Return); // key-down cleared it: no press, no click
    QTest::keyClick(btn, Qt::Key_X);      // the typed character cleared
    QTest::keyClick(btn, Qt::Key_Space);  // passed on: the button clicks
    EXPECT_EQ(log, QStringList({"down 13", "up 13", "down 88", "press 120", "up 88", "down 32", "press 32",
                                "up 32"}));
    EXPECT_EQ(clicks, 1);

    // A handler that closes the control ends the key there.
    btn->OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) { delete btn; };
    QTest::keyPress(btn, Qt::Key_A);
    EXPECT_TRUE(dlg.findChildren<TKitButton *>().isEmpty());
}

TEST(KitButton, ImageListGlyphAndIndexRules)
{
    TKitImageList list;
    auto *item = static_cast<TKitImageListItem *>(list.Add());
    const QImage two = cells(2);
    const QImage first = two.copy(0, 0, 16, 16), second = two.copy(16, 0, 16, 16);
    item->Add(&first, nullptr);
    item->Add(&second, nullptr);
    TKitButton btn;
    btn.SetImageList(&list);
    btn.SetImageIndex(1);
    EXPECT_EQ(btn.Glyph().size(), QSize(16, 16));
    EXPECT_EQ(btn.Glyph().pixel(6, 6), two.pixel(22, 6));
    btn.SetImageIndex(-1);
    EXPECT_EQ(btn.ImageIndex(), 1);
    btn.SetImageIndex(5); // past the images: no glyph
    EXPECT_TRUE(btn.Glyph().isNull());
    btn.SetGlyph(cells(2));
    EXPECT_EQ(btn.ImageList(), nullptr); // a glyph of its own detaches the list
    EXPECT_EQ(btn.NumGlyphs(), 2);
    btn.grab();
    btn.SetImageList(&list);
    {
        TKitImageList gone;
        btn.SetImageList(&gone);
    }
    EXPECT_EQ(btn.ImageList(), nullptr);
}

TEST(KitButton, MenuOpensAfterTheClickEvent)
{
    QWidget w;
    auto *btn = new TKitButton(&w);
    QMenu menu;
    menu.addAction("x");
    btn->SetDropDownMenu(&menu);
    btn->DropDownIndent = 3;
    w.show();
    QStringList events;
    btn->OnClick = [&](QObject *) { events << "click"; };
    btn->OnDropDown = [&](QObject *) {
        events << "drop";
        EXPECT_TRUE(btn->Dropped());
        QTimer::singleShot(0, &menu, [&] {
            events << "menu";
            btn->Click(); // a click while the menu is open is an ordinary click
            menu.close();
        });
    };
    btn->Click();
    EXPECT_EQ(events, (QStringList{"click", "drop", "menu", "click"}));
    EXPECT_FALSE(btn->Dropped());
    EXPECT_EQ(btn->DropDownPoint(), btn->mapToGlobal(QPoint(3, btn->height())));
}

TEST(KitButton, RotatedCaptionKeepsAScalableFont)
{
    TKitButton btn;
    btn.FontFx()->SetAngle(90);
    EXPECT_TRUE(btn.FontFx()->Angle() == 0 || IsTrueTypeFont(btn.font()));
    btn.FontFx()->SetAngle(360);
    EXPECT_EQ(btn.FontFx()->Angle(), 0);
}
