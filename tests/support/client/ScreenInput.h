#pragma once
// What the screen tests need beyond ScreenDriver: the core screens for one
// fixture, the main window shown, a screen opened from its menu item, list
// entries and drop-down choices, input-method text and saved pictures. Like
// ScreenDriver's, the helpers fail where a person would be stuck.
//
//   auto *screen = ScreenInput::openFromMenu<Tqv_ErrCode_frm>(main, "qv_a2_3", "qv_ErrCode_frm");
//   ScreenInput::choose(screen->cmb_bankname, 2);
//   ScreenInput::clickEntry(dialog.memo_show, 0);

#include "ScreenDriver.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/CoreScreens.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/KitComboBox.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
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

// The screen a menu item opens, shown; null (with a failure) when it is not there.
template <class Screen>
Screen *openFromMenu(Tqv_frm *main, const char *item, const char *name)
{
    if (!TriggerMenuItem(main, QString::fromLatin1(item)))
        return nullptr;
    auto *screen = qobject_cast<Screen *>(FindScreen(main, QString::fromLatin1(name)));
    EXPECT_NE(screen, nullptr) << name;
    if (screen) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(screen)) << name;
    }
    return screen;
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
    ASSERT_TRUE(Pick(box, item)) << qPrintable(box->objectName());
}

// Text as an input method commits it (Korean is typed this way).
inline void commitText(QWidget *field, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
}

// What the window shows, saved as <name>.png among the tests' pictures.
inline void savePicture(QWidget *w, const char *name) { SavePicture(w, name); }

} // namespace ScreenInput
