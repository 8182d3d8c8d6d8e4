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
