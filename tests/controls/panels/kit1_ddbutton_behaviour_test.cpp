#include "controls/panels/DDButton.h"
#include "KitTestOutput.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A form shown and activated once its controls are made.
struct Form {
    QWidget w;
    Form() { w.resize(300, 200); }
    void show()
    {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

// An edit that takes the focus back whenever it loses it.
class StubbornEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
protected:
    void focusOutEvent(QFocusEvent *e) override
    {
        QLineEdit::focusOutEvent(e);
        setFocus();
    }
};

} // namespace

TEST(DDButtonBehaviour, ClickComesBetweenMouseDownAndMouseUp)
{
    Form f;
    auto *b = new TDDButton(&f.w);
    b->SetFormLook();
    b->setGeometry(10, 10, 75, 25);
    f.show();
    QStringList log;
    b->OnMouseDown = [&](QObject *S, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log << "down";
        static_cast<TDDButton *>(S)->SetEndColor(DDPressedEndColor);
    };
    b->OnClick = [&](QObject *S) {
        log << "click";
        EXPECT_EQ(S, b);
        EXPECT_EQ(b->EndColor(), DDPressedEndColor); // still pressed while the handler runs
    };
    b->OnMouseUp = [&](QObject *S, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log << "up";
        static_cast<TDDButton *>(S)->SetEndColor(DDReleasedEndColor);
    };
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(log, QStringList({"down", "click", "up"}));
    EXPECT_EQ(b->EndColor(), DDReleasedEndColor);
    EXPECT_TRUE(b->Focused());

    // Released outside: no click.
    log.clear();
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(log, QStringList({"down", "up"}));

    // Right button: down and up, no click.
    log.clear();
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_EQ(log, QStringList({"down", "up"}));
}

TEST(DDButtonBehaviour, PressWhoseFocusIsRefusedGivesNoClick)
{
    Form f;
    auto *edit = new StubbornEdit(&f.w);
    edit->setGeometry(10, 50, 100, 20);
    auto *b = new TDDButton(&f.w);
    b->setGeometry(10, 10, 75, 25);
    f.show();
    edit->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(edit->hasFocus());
    int clicks = 0, downs = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    b->OnMouseDown = [&](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 0);
    EXPECT_FALSE(b->Pressed());
    EXPECT_TRUE(edit->hasFocus());
}

TEST(DDButtonBehaviour, EnterClicksSpaceDoesNot)
{
    Form f;
    auto *b = new TDDButton(&f.w);
    b->setGeometry(10, 10, 75, 25);
    f.show();
    b->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(b->Focused());
    QStringList log;
    b->OnClick = [&](QObject *) { log << "click"; };
    b->OnKeyPress = [&](QObject *, QChar &k) { log << QString("press %1").arg(k.unicode()); };
    b->OnKeyDown = [&](QObject *, int &k, Qt::KeyboardModifiers) { log << QString("down %1").arg(k); };
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"down 13", "click", "press 13"}));
    log.clear();
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(log, QStringList({"down 32", "press 32"}));
}

TEST(DDButtonBehaviour, DisablingAFocusedButtonDropsItsFocusAndInput)
{
    Form f;
    auto *other = new TDDButton(&f.w);
    other->setGeometry(100, 10, 75, 25);
    auto *b = new TDDButton(&f.w);
    b->SetFormLook();
    b->setGeometry(10, 10, 75, 25);
    f.show();
    b->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(b->Focused());
    ASSERT_TRUE(b->Active());
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    b->SetEnabled(false);
    EXPECT_FALSE(b->Enabled());
    EXPECT_FALSE(b->Focused());
    EXPECT_FALSE(other->Focused()); // the focus goes to no other control
    EXPECT_FALSE(b->isEnabled());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
    QImage img = kitGrab(b);
    EXPECT_EQ(kitPixel(img, 3, 3), 0x909090u);
    b->SetEnabled(true);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(DDButtonBehaviour, DisabledParentBlocksInputButDoesNotGreyTheButton)
{
    Form f;
    auto *panel = new TKitSimplePanel(&f.w);
    panel->setGeometry(0, 0, 200, 100);
    auto *b = new TDDButton(panel);
    b->SetFormLook();
    b->setGeometry(10, 10, 75, 25);
    f.show();
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    panel->SetEnabled(false);
    EXPECT_FALSE(panel->Enabled());
    EXPECT_TRUE(b->Enabled());
    QImage img = kitGrab(b);
    EXPECT_NE(kitPixel(img, 3, 3), 0x909090u);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 0);
    panel->SetEnabled(true);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(DDButtonBehaviour, SwapColorsExchangesWhileHeld)
{
    Form f;
    auto *b = new TDDButton(&f.w);
    b->setGeometry(10, 10, 75, 25);
    b->SetBeginColor(0x111111);
    b->SetEndColor(0x222222);
    b->SetSwapColors(true);
    f.show();
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->BeginColor(), 0x222222u);
    EXPECT_EQ(b->EndColor(), 0x111111u);
    EXPECT_TRUE(b->Pressed());
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->BeginColor(), 0x111111u);
    EXPECT_FALSE(b->Pressed());
}

TEST(DDButtonBehaviour, FocusLookFollowsTheFocusedButtonOrDefault)
{
    Form f;
    auto *a = new TDDButton(&f.w);
    a->setGeometry(10, 10, 75, 25);
    auto *b = new TDDButton(&f.w);
    b->setGeometry(100, 10, 75, 25);
    auto *edit = new QLineEdit(&f.w);
    edit->setGeometry(10, 60, 100, 20);
    f.show();
    b->SetDefault(true);
    a->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active()); // another button has the focus
    edit->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(b->Active()); // the default button shows the look
    // Enter in the edit does not click the default button.
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicks, 0);
}

TEST(DDButtonBehaviour, FocusLookStaysWithinItsOwnChildWindow)
{
    QMainWindow frame;
    auto *area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    frame.resize(700, 400);
    auto makeForm = [&](const char *name, TDDButton *&button, QLineEdit *&edit) {
        auto *form = new QWidget;
        form->setObjectName(QString::fromLatin1(name));
        form->resize(250, 120);
        button = new TDDButton(form);
        button->SetFormLook();
        button->setGeometry(10, 10, 75, 25);
        edit = new QLineEdit(form);
        edit->setGeometry(10, 60, 100, 20);
        area->addSubWindow(form)->show();
    };
    TDDButton *a = nullptr, *b = nullptr;
    QLineEdit *editA = nullptr, *editB = nullptr;
    makeForm("first_frm", a, editA);
    makeForm("second_frm", b, editB);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(20, 10));
    ASSERT_TRUE(a->hasFocus());
    EXPECT_TRUE(a->Active());
    // The focus moves to the other child window: the first form's button
    // is still its form's focused control and keeps the look.
    QTest::mouseClick(editB, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(editB->hasFocus());
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(b->Active());
    EXPECT_TRUE(a->Active());
    // Within the first form the focus moving to its edit takes the look.
    QTest::mouseClick(editA, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(editA->hasFocus());
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(b->Active());
}

TEST(DDButtonBehaviour, QtSetEnabledKeepsTheOwnFlagInStep)
{
    TDDButton b;
    b.setEnabled(false);
    EXPECT_FALSE(b.Enabled());
    b.setEnabled(true);
    EXPECT_TRUE(b.Enabled());
}

TEST(DDButtonBehaviour, ClicksReachAButtonOnAFormThatWasNeverShown)
{
    QWidget form;
    auto *b = new TDDButton(&form);
    b->setGeometry(10, 10, 75, 25);
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);
    // Screens and the data module may also run the handler directly.
    b->Click();
    EXPECT_EQ(clicks, 2);
}

TEST(DDButtonBehaviour, KeysOfAButtonDoNotReachItsPanel)
{
    QWidget form;
    auto *panel = new TKitSimplePanel(&form);
    panel->setGeometry(0, 0, 200, 100);
    auto *b = new TDDButton(panel);
    b->setGeometry(10, 10, 75, 25);
    int panelKeys = 0, clicks = 0;
    panel->OnKeyPress = [&](QObject *, QChar &) { ++panelKeys; };
    panel->OnKeyDown = [&](QObject *, int &, Qt::KeyboardModifiers) { ++panelKeys; };
    b->OnClick = [&](QObject *) { ++clicks; };
    QTest::keyClick(b, Qt::Key_A);
    QTest::keyClick(b, Qt::Key_Return);
    QTest::keyClick(b, Qt::Key_Escape);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(panelKeys, 0);
}

TEST(DDButtonBehaviour, FirstFocusOfAShownFormEntersTheButton)
{
    Form f;
    auto *a = new TDDButton(&f.w);
    a->setGeometry(10, 10, 75, 25);
    auto *b = new TDDButton(&f.w);
    b->setGeometry(100, 10, 75, 25);
    QStringList log;
    a->OnEnter = [&](QObject *) { log << "enter a"; };
    a->OnExit = [&](QObject *) { log << "exit a"; };
    b->OnEnter = [&](QObject *) { log << "enter b"; };
    f.show();
    QApplication::processEvents();
    ASSERT_TRUE(a->hasFocus()); // the first tab stop of the form
    EXPECT_TRUE(a->Active());
    EXPECT_EQ(log, QStringList({"enter a"}));
    b->SetFocus();
    EXPECT_EQ(log, QStringList({"enter a", "exit a", "enter b"}));
}

TEST(DDButtonBehaviour, DisablingAPanelWithTheFocusLeavesItWithTheForm)
{
    Form f;
    auto *panel = new TKitSimplePanel(&f.w);
    panel->setGeometry(0, 0, 200, 100);
    auto *inside = new TDDButton(panel);
    inside->setGeometry(10, 10, 75, 25);
    auto *outside = new TDDButton(&f.w);
    outside->setGeometry(10, 150, 75, 25);
    int outsideEnters = 0;
    outside->OnEnter = [&](QObject *) { ++outsideEnters; };
    f.show();
    inside->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(inside->hasFocus());
    outsideEnters = 0;
    panel->SetEnabled(false);
    EXPECT_FALSE(inside->Focused());
    EXPECT_FALSE(outside->Focused()); // not moved on to the next control
    EXPECT_EQ(outsideEnters, 0);
    EXPECT_TRUE(inside->Enabled()); // its own flag stays
    panel->SetEnabled(true);
    QTest::keyClick(&f.w, Qt::Key_Tab); // the keyboard still finds the controls
    EXPECT_TRUE(inside->hasFocus() || outside->hasFocus());
}
