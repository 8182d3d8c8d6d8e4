// Check box and radio button of the kit, driven with QTest on the offscreen platform.
#include "controls/panels/KitGroup.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct Window
{
    QWidget w;
    Window()
    {
        w.resize(300, 200);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w)) << "the window was not activated";
    }
};

QPoint glyphPoint() { return QPoint(6, 8); }

} // namespace

TEST(KitCheckBox, ClickTogglesAndFiresChangeThenClick)
{
    Window win;
    auto *chk = new TKitCheckBox(&win.w);
    chk->SetCaption("보기");
    chk->show();
    QStringList events;
    chk->OnChange = [&](QObject *) { events << "change"; };
    chk->OnClick = [&](QObject *) { events << "click"; };
    EXPECT_EQ(chk->width(), 105);
    EXPECT_EQ(chk->height(), 17);
    EXPECT_FALSE(chk->Checked());
    QTest::mouseClick(chk, Qt::LeftButton, {}, glyphPoint());
    EXPECT_TRUE(chk->Checked());
    EXPECT_TRUE(chk->hasFocus());
    EXPECT_EQ(events, (QStringList{"change", "click"}));
    QTest::keyClick(chk, Qt::Key_Space);
    EXPECT_FALSE(chk->Checked());
    chk->SetChecked(true); // from code: no events
    EXPECT_EQ(events.size(), 3);
}

TEST(KitCheckBox, ReadOnlyIgnoresClicksAndSpaceButStillFiresClick)
{
    Window win;
    auto *chk = new TKitCheckBox(&win.w);
    chk->show();
    chk->ReadOnly = true;
    int clicks = 0, changes = 0;
    chk->OnClick = [&](QObject *) { ++clicks; };
    chk->OnChange = [&](QObject *) { ++changes; };
    QTest::mouseClick(chk, Qt::LeftButton, {}, glyphPoint());
    QTest::keyClick(chk, Qt::Key_Space);
    EXPECT_FALSE(chk->Checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0);
}

TEST(KitCheckBox, GrayedCycleAndGlyphChoice)
{
    TKitCheckBox chk;
    chk.AllowGrayed = true;
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        chk.Toggle();
        seen.push_back(chk.State());
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    EXPECT_EQ(chk.GlyphStrip().width(), 6 * 13);
    EXPECT_EQ(chk.GlyphCellWidth(), 13);
    chk.SetState(cbGrayed);
    EXPECT_EQ(chk.GlyphImageIndex(), 4);
    chk.setEnabled(false);
    EXPECT_EQ(chk.GlyphImageIndex(), 5);
    chk.SetGlyphNumber(0);
    EXPECT_EQ(chk.GlyphNumber(), 1);
    EXPECT_EQ(chk.GlyphImageIndex(), 1); // one state only
    chk.setEnabled(true);
    chk.SetGlyphNumber(2);
    EXPECT_EQ(chk.GlyphImageIndex(), 2); // grayed shows as checked with two states
}

TEST(KitCheckBox, AutoSizeFitsTheCaption)
{
    TKitCheckBox chk;
    chk.SetCaption("짧은");
    chk.SetAutoSize(true);
    const int shortWidth = chk.width();
    chk.SetCaption("훨씬 더 긴 캡션 글자");
    EXPECT_GT(chk.width(), shortWidth);
    EXPECT_GE(chk.height(), 13);
}

TEST(KitRadioButton, CheckingUnchecksSiblingsOfTheSameParentOnly)
{
    Window win;
    auto *a = new TKitRadioButton(&win.w);
    auto *b = new TKitRadioButton(&win.w);
    auto *other = new QWidget(&win.w);
    auto *c = new TKitRadioButton(other);
    c->SetChecked(true);
    a->SetChecked(true);
    EXPECT_TRUE(a->TabStop());
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_FALSE(a->TabStop());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(b->TabStop());
    EXPECT_TRUE(c->Checked());
    EXPECT_EQ(b->GlyphImageIndex(), 2);
    EXPECT_EQ(a->GlyphImageIndex(), 0);
    b->setEnabled(false);
    EXPECT_EQ(b->GlyphImageIndex(), 3);
    EXPECT_EQ(b->GlyphImageIndex(1), 1);
}

TEST(KitRadioButton, PressTakesTheFocusWhichChecks)
{
    Window win;
    auto *common = new TKitRadioButton(&win.w);
    auto *juru = new TKitRadioButton(&win.w);
    juru->move(0, 30);
    common->SetCaption("일반");
    juru->SetCaption("주류");
    common->show();
    juru->show();
    common->SetChecked(true);
    QStringList events;
    juru->OnClick = [&](QObject *) { events << QString("click:%1").arg(juru->Checked()); };
    QTest::mouseClick(juru, Qt::LeftButton, {}, glyphPoint());
    EXPECT_TRUE(juru->Checked());
    EXPECT_FALSE(common->Checked());
    EXPECT_EQ(events, QStringList{"click:1"});

    // an unchecked radio button that already has the focus only fires OnClick
    juru->SetChecked(false);
    ASSERT_TRUE(juru->hasFocus());
    QTest::mouseClick(juru, Qt::LeftButton, {}, glyphPoint());
    EXPECT_FALSE(juru->Checked());
    EXPECT_EQ(events.size(), 2);
}

TEST(KitRadioButton, ArrowsAndAcceleratorMoveTheCheck)
{
    Window win;
    auto *a = new TKitRadioButton(&win.w);
    auto *b = new TKitRadioButton(&win.w);
    b->move(0, 30);
    a->SetCaption("&A 전체선택");
    b->SetCaption("&B 선택해제");
    a->show();
    b->show();
    a->SetChecked(true);
    a->setFocus();
    QTest::keyClick(a, Qt::Key_Down);
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(b->hasFocus());
    QTest::keyClick(&win.w, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());

    a->ReadOnly = true;
    b->ReadOnly = true;
    QTest::keyClick(&win.w, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(b->hasFocus());
    EXPECT_FALSE(b->Checked()); // read-only: the focus arrives, the check does not move
}

TEST(KitCheckBox, ActionGivesCaptionEnabledAndChecked)
{
    TKitCheckBox chk;
    QAction act("자동 전송");
    act.setCheckable(true);
    act.setChecked(true);
    chk.SetAction(&act);
    EXPECT_EQ(chk.Caption(), "자동 전송");
    EXPECT_TRUE(chk.Checked());
    act.setEnabled(false);
    EXPECT_FALSE(chk.isEnabled());
    act.setChecked(false);
    EXPECT_FALSE(chk.Checked());
}

TEST(KitRadioButton, FocusOfANewlyShownFormChecksAndEnters)
{
    QWidget w;
    w.resize(300, 200);
    auto *common = new TKitRadioButton(&w);
    common->SetCaption("일반");
    common->move(10, 10);
    auto *juru = new TKitRadioButton(&w);
    juru->SetCaption("주류");
    juru->move(10, 40);
    common->SetChecked(true);
    juru->setFocus(); // the form's active control before it shows
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QApplication::processEvents();
    ASSERT_TRUE(juru->hasFocus());
    EXPECT_TRUE(juru->HasFocus());
    EXPECT_TRUE(juru->Checked());
    EXPECT_FALSE(common->Checked());
}

TEST(KitCheckBox, DisablingTheFocusedBoxLeavesTheFocusWithTheForm)
{
    Window win;
    auto *chk = new TKitCheckBox(&win.w);
    chk->SetCaption("보기");
    chk->move(10, 10);
    chk->show();
    auto *next = new TKitCheckBox(&win.w);
    next->SetCaption("전체");
    next->move(10, 40);
    next->show();
    int nextEnters = 0;
    next->OnEnter = [&](QObject *) { ++nextEnters; };
    chk->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(chk->hasFocus());
    nextEnters = 0;
    chk->SetEnabled(false);
    EXPECT_FALSE(chk->Focused());
    EXPECT_FALSE(next->Focused()); // not moved on to the next control
    EXPECT_EQ(nextEnters, 0);
    EXPECT_FALSE(chk->HasFocus());
}

// Rendered at a device pixel ratio of 2, the 13-pixel check and radio glyphs
// are drawn with twice the pixels, not from a 1x strip scaled up; their place
// and size on screen stay the same.
TEST(KitCheckBox, GlyphsArePaintedAtTheDevicePixelRatio)
{
    TKitCheckBox chk;
    chk.SetCaption(QStringLiteral("오류건"));
    chk.SetChecked(true);
    TKitRadioButton radio;
    radio.SetCaption(QStringLiteral("전체"));
    radio.SetChecked(true);
    for (TKitButtonControl *control : {static_cast<TKitButtonControl *>(&chk), static_cast<TKitButtonControl *>(&radio)}) {
        control->resize(90, 17);
        auto rendered = [&](qreal dpr) {
            QPixmap pm(control->size() * dpr);
            pm.setDevicePixelRatio(dpr);
            pm.fill(Qt::white);
            control->render(&pm);
            return pm.toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage once = rendered(1);
        const TRect at1 = control->ContentRect();
        const QImage twice = rendered(2);
        EXPECT_EQ(control->GlyphStrip().devicePixelRatio(), 2.0);
        EXPECT_EQ(control->GlyphCellWidth(), 13);
        const TRect at2 = control->ContentRect();
        EXPECT_EQ(at2.Left, at1.Left);
        EXPECT_EQ(at2.Width(), at1.Width());
        // Only the glyph's 13 x 13 pixels at the left are compared.
        const QImage doubled = once.scaled(once.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        int differing = 0;
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 30; ++x)
                differing += twice.pixel(x, y) != doubled.pixel(x, y);
        // The check's frame and tick are whole-pixel fills and look the same
        // either way; the radio's circle is rounder.
        if (control == &radio) {
            EXPECT_GT(differing, 10);
        }
    }
}
