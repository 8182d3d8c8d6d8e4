// The kit's combo box: nothing chosen after filling, change events only for
// the user's choice, recent entries, incremental search and the focus control.
#include "controls/panels/KitComboBox.h"

#include "KitTestOutput.h"
#include "support/Eventually.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Form
{
    QWidget w;
    TKitComboBox *cmb;
    QLineEdit *next;
    Form(TComboBoxStyle style = csDropDownList)
    {
        cmb = new TKitComboBox(&w);
        cmb->SetStyle(style);
        next = new QLineEdit(&w);
        next->move(0, 40);
        w.resize(300, 120);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w)) << "the window was not activated";
    }
    void fill(const QStringList &items)
    {
        cmb->Items().Clear();
        for (const QString &s : items)
            cmb->Items().Add(s);
    }
};

const QStringList banks{"[03] 기업은행", "[04] 국민은행", "[11] 농협", "[20] 우리은행", "[88] 신한은행", "[81] 하나은행", "[23] SC제일"};

} // namespace

TEST(KitComboBox, FilledListHasNothingChosenAndCodeDoesNotRaiseChange)
{
    Form f;
    int changes = 0;
    f.cmb->OnChange = [&](QObject *) { ++changes; };
    f.fill(banks);
    EXPECT_EQ(f.cmb->ItemIndex(), -1);
    EXPECT_EQ(f.cmb->Text(), "");
    f.cmb->SetItemIndex(2);
    EXPECT_EQ(f.cmb->Text(), "[11] 농협");
    f.cmb->SetItemIndex(-1);
    EXPECT_EQ(f.cmb->Text(), "");
    f.cmb->Items().Clear();
    f.cmb->Items().Add("[99] 기타");
    EXPECT_EQ(f.cmb->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);

    Form editable(csDropDown);
    editable.cmb->SetText("직접 입력");
    editable.fill(banks);
    EXPECT_EQ(editable.cmb->ItemIndex(), -1);
    EXPECT_EQ(editable.cmb->Text(), "직접 입력");
}

TEST(KitComboBox, UserChoiceRaisesChangeAndKeyPressIsSeen)
{
    Form f;
    f.fill(banks);
    QStringList events;
    f.cmb->OnChange = [&](QObject *) { events << "change:" + f.cmb->Text(); };
    f.cmb->OnKeyPress = [&](QObject *, QChar &k) {
        if (k == '\r')
            events << "enter";
    };
    f.cmb->setFocus();
    QTest::keyClick(f.cmb, Qt::Key_Down);
    EXPECT_EQ(f.cmb->ItemIndex(), 0);
    QTest::keyClick(f.cmb, Qt::Key_Return);
    EXPECT_EQ(events, (QStringList{"change:[03] 기업은행", "enter"}));
    EXPECT_TRUE(f.cmb->hasFocus()); // no FocusControl: nothing more
}

TEST(KitComboBox, FocusControlTakesTheFocusOnEnterAndOnATypedChoice)
{
    Form f;
    f.fill(banks);
    f.cmb->SetFocusControl(f.next);
    f.cmb->setFocus();
    QTest::keyClick(f.cmb, Qt::Key_Return);
    EXPECT_TRUE(f.next->hasFocus());

    f.cmb->setFocus();
    QTest::keyClick(f.cmb, Qt::Key_Down); // navigating: the focus stays
    EXPECT_TRUE(f.cmb->hasFocus());
    QTest::keyClicks(f.cmb, "[2");        // a typed choice moves it on
    EXPECT_EQ(f.cmb->Text(), "[20] 우리은행");
    EXPECT_TRUE(f.next->hasFocus());
}

TEST(KitComboBox, RecentEntriesGoOnTopAndTheOldestDropsOut)
{
    Form f;
    f.cmb->SetMRUList(true);
    EXPECT_EQ(f.cmb->Style(), csOwnerDrawFixed);
    f.fill(banks);
    f.cmb->setFocus();
    auto choose = [&](const QString &text) {
        const int i = f.cmb->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        ASSERT_GE(i, 0);
        emit f.cmb->activated(i);
    };
    const int n = int(banks.size());
    for (int i = 0; i < 5; ++i)
        choose(banks[i]);
    EXPECT_EQ(f.cmb->MRUCount(), 5);
    EXPECT_EQ(f.cmb->Items()[0], banks[4]);
    EXPECT_EQ(f.cmb->ItemIndex(), 0);
    choose(banks[2]); // already recent: no new entry
    EXPECT_EQ(f.cmb->MRUCount(), 5);
    EXPECT_EQ(f.cmb->Text(), banks[2]);
    choose(banks[5]); // the sixth different choice drops the oldest (banks[0])
    EXPECT_EQ(f.cmb->MRUCount(), 5);
    EXPECT_EQ(f.cmb->Items()[0], banks[5]);
    QStringList recent;
    for (int i = 0; i < 5; ++i)
        recent << f.cmb->Items()[i];
    EXPECT_FALSE(recent.contains(banks[0]));
    EXPECT_EQ(f.cmb->Items().Count(), n + 5);

    f.cmb->SetMRUMax(2);
    EXPECT_EQ(f.cmb->MRUCount(), 2);
    EXPECT_EQ(f.cmb->Items().Count(), n + 2);
    EXPECT_EQ(f.cmb->Items()[2], banks[0]); // the rest of the list is untouched

    f.cmb->SetMRUMax(0); // a limit of 0 keeps no recent entries and deletes nothing else
    choose(banks[6]);
    EXPECT_EQ(f.cmb->MRUCount(), 0);
    EXPECT_EQ(f.cmb->Items().Count(), n);

    f.cmb->SetMRUMax(5);
    choose(banks[1]);
    f.cmb->SetMRUList(false);
    EXPECT_EQ(f.cmb->MRUCount(), 0);
    EXPECT_EQ(f.cmb->Items().ToStringList(), banks);
}

TEST(KitComboBox, SearchSortsAndCompletesTypedText)
{
    Form f(csDropDown);
    f.fill({"delta", "abz", "abc", "b"});
    f.cmb->SetSearch(true);
    EXPECT_TRUE(f.cmb->Sorted());
    EXPECT_EQ(f.cmb->Items().ToStringList(), (QStringList{"abc", "abz", "b", "delta"}));
    f.cmb->Interval = 100;
    f.cmb->setFocus();
    QTest::keyClicks(f.cmb, "ab");
    EXPECT_EQ(f.cmb->Text(), "ab");
    EXPECT_EVENTUALLY_EQ(f.cmb->Text(), QString("abc"));
    EXPECT_EQ(f.cmb->lineEdit()->selectedText(), "c");
    EXPECT_EQ(f.cmb->ItemIndex(), 0);

    // the completion step on its own: exact prefix, first in list order
    f.cmb->lineEdit()->setText("de");
    f.cmb->SearchComplete();
    EXPECT_EQ(f.cmb->Text(), "delta");
    f.cmb->lineEdit()->setText("x");
    f.cmb->SearchComplete();
    EXPECT_EQ(f.cmb->Text(), "x");
}

TEST(KitComboBox, FlatLookOnlyWhileNotHoveredOrFocused)
{
    Form f;
    EXPECT_FALSE(f.cmb->FlatLookShown());
    f.cmb->SetFlat(true);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(f.cmb, &leave);
    f.next->setFocus();
    EXPECT_TRUE(f.cmb->FlatLookShown());
    f.cmb->setFocus();
    EXPECT_FALSE(f.cmb->FlatLookShown());
    f.cmb->grab(); // paints both looks without trouble
}

TEST(KitComboBox, DropDownListKeepsAFocusGivenBeforeEventsRunAndEntersOnFirstShow)
{
    QWidget w;
    w.resize(300, 120);
    auto *first = new TKitComboBox(&w);
    first->SetStyle(csDropDownList);
    int enters = 0;
    first->OnEnter = [&](QObject *) { ++enters; };
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QApplication::processEvents();
    EXPECT_TRUE(first->hasFocus()); // the form's first control
    EXPECT_EQ(enters, 1);

    // A list made and focused at once (as a screen's start-up does) keeps
    // the focus when the edit part it no longer needs goes away.
    auto *cmb = new TKitComboBox(&w);
    cmb->SetStyle(csDropDownList);
    cmb->move(0, 40);
    cmb->show();
    cmb->SetFocus();
    ASSERT_TRUE(cmb->hasFocus());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_TRUE(cmb->hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), cmb);
}

TEST(KitComboBox, WheelChangesOnlyTheFocusedList)
{
    Form f;
    f.fill(banks);
    f.cmb->SetItemIndex(1);
    int changes = 0;
    f.cmb->OnChange = [&](QObject *) { ++changes; };
    auto wheel = [&](int delta) {
        const QPointF at(10, 10);
        QWheelEvent e(at, f.cmb->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.cmb, &e);
        return e.isAccepted();
    };
    f.next->setFocus();
    ASSERT_FALSE(f.cmb->hasFocus());
    EXPECT_FALSE(wheel(-120)); // passed on to the window
    EXPECT_EQ(f.cmb->ItemIndex(), 1);
    EXPECT_EQ(changes, 0);

    f.cmb->setFocus();
    ASSERT_TRUE(f.cmb->hasFocus());
    wheel(-120);
    EXPECT_EQ(f.cmb->ItemIndex(), 2);
    EXPECT_EQ(f.cmb->Text(), banks[2]);
    EXPECT_EQ(changes, 1);
}

TEST(KitComboBox, EnabledIsTheOwnFlag)
{
    Form f;
    auto *panel = new QWidget(&f.w);
    auto *cmb = new TKitComboBox(panel);
    panel->setEnabled(false); // a disabled panel blocks the list's input
    EXPECT_FALSE(cmb->isEnabled());
    EXPECT_TRUE(cmb->Enabled());
    cmb->SetEnabled(false);
    panel->setEnabled(true);
    EXPECT_FALSE(cmb->Enabled());
    EXPECT_FALSE(cmb->isEnabled());
    cmb->SetEnabled(true);
    EXPECT_TRUE(cmb->isEnabled());
}

TEST(KitComboBox, DisablingTheFocusedListLeavesTheFocusWithTheForm)
{
    Form f;
    f.cmb->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(f.cmb->hasFocus());
    f.cmb->SetEnabled(false);
    EXPECT_FALSE(f.cmb->hasFocus());
    EXPECT_FALSE(f.next->hasFocus()); // not moved on to the next control
}

TEST(KitComboBox, DroppedRowsAreTallEnoughForKoreanText)
{
    Form f;
    QFont font(QStringLiteral("굴림체"));
    font.setPixelSize(12);
    f.w.setFont(font);
    f.cmb->setGeometry(10, 10, 200, 21);
    f.fill(banks);
    f.cmb->SetFocus();
    QTest::keyClick(f.cmb, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView *view = f.cmb->view();
    EXPECT_EVENTUALLY(view->isVisible());
    // Korean glyphs fill the whole em: each row leaves room above and below them.
    const int glyphs = QFontMetrics(view->font()).tightBoundingRect(QStringLiteral("신한은행")).height();
    for (int row = 0; row < banks.size(); ++row) {
        const QRect r = view->visualRect(view->model()->index(row, 0));
        EXPECT_GE(r.height(), glyphs + 2) << "row " << row;
    }
    kitSavePicture(view->window()->grab().toImage(), "combo_dropped_korean");
}
