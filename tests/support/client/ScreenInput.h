#pragma once
// Reaching a screen's controls as a person does: the helpers fail where a
// person would be stuck (a hidden or disabled button, a list that is not
// there), and act through the mouse, the keyboard and the input method.
//
//   ScreenInput::click(screen->btn_search);
//   ScreenInput::clickCell(screen->grd_error, 1, row);
//   ScreenInput::choose(screen->cmb_bankname, 2);
//   ScreenInput::retype(screen->edt_regcontents, "잔액 부족");

#include "core/screens/ClientMainUnit.h"
#include "core/screens/CoreScreens.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace ScreenInput {

// The core screens registered for the life of a test fixture: what it added
// is removed again, so tests of the registry itself find it as they left it.
class CoreScreensRegistered
{
public:
    CoreScreensRegistered() : m_before(ScreenRegistry::instance().names()) { registerCoreScreens(); }
    ~CoreScreensRegistered()
    {
        for (const QString &name : ScreenRegistry::instance().names())
            if (!m_before.contains(name))
                ScreenRegistry::instance().remove(name);
    }
    CoreScreensRegistered(const CoreScreensRegistered &) = delete;
    CoreScreensRegistered &operator=(const CoreScreensRegistered &) = delete;

private:
    QStringList m_before;
};

// Shows a started client's main window and waits until it is active.
inline void showMainWindow(Tqv_frm *main)
{
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
}

// Chooses a menu item, which must be there and enabled.
inline void chooseMenu(Tqv_frm *main, const char *item)
{
    QAction *action = main->item(QString::fromLatin1(item));
    ASSERT_NE(action, nullptr) << item;
    ASSERT_TRUE(action->isEnabled()) << item;
    action->trigger();
}

// The screen a menu item opens, shown; null (with a failure) when it is not there.
template <class Screen>
Screen *openFromMenu(Tqv_frm *main, const char *item, const char *name)
{
    chooseMenu(main, item);
    auto *screen = qobject_cast<Screen *>(FindScreen(main, QString::fromLatin1(name)));
    EXPECT_NE(screen, nullptr) << name;
    if (screen)
        EXPECT_TRUE(QTest::qWaitForWindowExposed(screen)) << name;
    return screen;
}

// A mouse click in the middle of a button that is shown and enabled.
inline void click(TDDButton *button)
{
    ASSERT_TRUE(button->isVisible()) << qPrintable(button->objectName());
    ASSERT_TRUE(button->Enabled()) << qPrintable(button->objectName());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
}

// The middle of a grid cell on screen, scrolled into view first.
inline QPoint cellCentre(TListGrid *grid, int col, int row)
{
    const QModelIndex index = grid->gridModel()->index(row, col);
    grid->scrollTo(index);
    return grid->visualRect(index).center();
}

inline void clickCell(TListGrid *grid, int col, int row)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, col, row));
}

inline void doubleClickCell(TListGrid *grid, int col, int row)
{
    const QPoint at = cellCentre(grid, col, row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// A click on an entry of a list; with twice, a double click.
inline void clickEntry(QListWidget *list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Chooses an item of a drop-down list with the keyboard, from the top.
inline void choose(TKitComboBox *box, int item)
{
    ASSERT_TRUE(box->isVisible() && box->isEnabled()) << qPrintable(box->objectName());
    box->SetFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < item; ++i)
        QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->ItemIndex(), item);
}

// Text as an input method commits it (Korean is typed this way).
inline void commitText(QWidget *field, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
}

// Replaces what a field holds with the text.
inline void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    commitText(edit, text);
}

// What the window shows, saved as <name>.png among the tests' pictures.
inline void savePicture(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    w->grab().save(dir + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png"));
}

} // namespace ScreenInput
