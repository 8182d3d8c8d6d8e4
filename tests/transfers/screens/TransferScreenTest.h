#pragma once
// What the transfer screen tests share beyond the screen driver: the active
// main window, choices in drop-down lists, answers for the modal dialogs that
// the screens open, and pictures for review.

#include "ClientFixture.h"
#include "ScreenDriver.h"

#include "core/screens/ClientMainUnit.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "transfers/screens/TransferScreens.h"
#include "transfers/screens/IcheMakeUnit.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace transfertest {

// Shows the main window and waits until it is the active window, as it is
// for a person working in it.
inline void ShowActive(QWidget *main)
{
    main->show();
    main->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(main));
}

// Every button of the form is wired to a handler through the binding helper.
inline void ExpectButtonsBound(QWidget *form)
{
    for (TDDButton *button : form->findChildren<TDDButton *>())
        EXPECT_FALSE(BoundHandler(button).isEmpty()) << "button not wired: " << qPrintable(button->objectName());
}

// Chooses item `index` of a drop-down list with the keyboard (Home, then Down).
inline void Pick(TKitComboBox *combo, int index)
{
    combo->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

// The first item whose text contains `part`.
inline int ItemWith(TKitComboBox *combo, const QString &part)
{
    for (int i = 0; i < combo->Items().Count(); ++i)
        if (combo->Items()[i].contains(part))
            return i;
    return -1;
}

// Runs `act` on the next modal dialog as soon as it is shown (the test's
// action that opens it runs after this call and blocks until it closes).
inline void OnNextModal(std::function<void(QDialog *)> act)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [timer, act, weak = std::weak_ptr<std::function<void()>>(poll)] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            if (dialog->isVisible()) {
                act(dialog);
                return;
            }
        }
        if (timer->elapsed() > 10000)
            return;
        if (auto self = weak.lock())
            QTimer::singleShot(10, [self] { (*self)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

// Clicks a button of the dialog by its component name.
inline void ClickIn(QDialog *dialog, const char *button)
{
    auto *b = dialog->findChild<TDDButton *>(QString::fromLatin1(button));
    if (!ClickControl(b))
        dialog->reject();
}

// Runs `act` on the next modal dialog of type T once it is shown; other
// modal windows (the one that opens it) are left alone.
template <typename T>
inline void OnModal(std::function<void(T *)> act, int timeoutMs = 60000)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [timer, act, timeoutMs, weak = std::weak_ptr<std::function<void()>>(poll)] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            if (dialog->isVisible()) {
                act(dialog);
                return;
            }
        }
        if (timer->elapsed() > timeoutMs)
            return;
        if (auto self = weak.lock())
            QTimer::singleShot(10, [self] { (*self)(); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(); });
}

inline void SavePicture(QWidget *w, const char *name)
{
    const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
    QDir().mkpath(dir);
    w->grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png"));
}

// A maker logged in on the main window, for the tests of the entry screen and
// of what fills it.
class MakerOnEntryScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerTransferScreens();
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        main = client.mainWindow();
        ShowActive(main);
    }

    // The entry screen for payments (qv_b2) or collections (qv_b1).
    Tqv_IcheMake_frm *openEntry(bool payment)
    {
        TriggerMenuItem(main, payment ? QStringLiteral("qv_b2") : QStringLiteral("qv_b1"));
        auto *screen = qobject_cast<Tqv_IcheMake_frm *>(FindScreen(main, QStringLiteral("qv_IcheMake_frm")));
        EXPECT_NE(screen, nullptr);
        return screen;
    }

    ClientFixture client;
    Tqv_frm *main = nullptr;
};

} // namespace transfertest
