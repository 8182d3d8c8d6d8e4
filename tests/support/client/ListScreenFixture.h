#pragma once
// One fixture for the tests of a list screen: a real server with the
// simulated bank (answers after 50 ms), the screens of the test's library
// registered, a user logged in at the main window and at the relay, and the
// screen opened from its menu item. Qt's item-model tester watches the
// list grids the test names. A question the test did not queue an answer
// for fails it.
//
//   class DepositList : public ListScreenFixture {
//       void registerScreens() override { registerInquiryScreens(); }
//   };
//   TEST_F(DepositList, ...) {
//       auto *s = open<Tqv_deposit_frm>("qv_c2", "qv_deposit_frm");
//       watchModel(s->grd_deposit);
//       ClickControl(s->btn_search);
//   }

#include "ClientFixture.h"
#include "ScreenDriver.h"

#include "core/screens/ClientMainUnit.h"
#include "core/screens/ScreenRegistry.h"

#include <QAbstractItemModelTester>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <memory>

class TListGrid;

class ListScreenFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The screens the test opens (its library's registration function).
    virtual void registerScreens() {}
    // The user who logs in, and the options of the client and its server.
    virtual QString userId() const { return QStringLiteral("MAKER"); }
    virtual QString password() const { return QStringLiteral("1111"); }
    virtual ClientFixture::Options options() const;

    // The screen the menu item opens, shown; null (with a failure) when the
    // item is missing or disabled or no such screen opens.
    template <class Screen>
    Screen *open(const char *menuItem, const char *screenName)
    {
        if (!TriggerMenuItem(main, QString::fromLatin1(menuItem)))
            return nullptr;
        auto *screen = qobject_cast<Screen *>(FindScreen(main, QString::fromLatin1(screenName)));
        EXPECT_NE(screen, nullptr) << screenName;
        if (screen) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(screen)) << screenName;
        }
        return screen;
    }
    // Qt's item-model tester over the grid's model for the rest of the test:
    // every fill, clear and tick is checked against the model rules.
    void watchModel(TListGrid *grid);
    // A second Enter on a list's search button that has the focus: it
    // searches again there (the list as long as before), the button stays on
    // and keeps the focus, and no row goes to `requestTable`.
    void expectEnterSearchesAgain(QWidget *search, const std::function<int()> &listed, const char *requestTable);

    std::unique_ptr<ClientFixture> client;
    Tqv_frm *main = nullptr;
    QString today;

private:
    std::list<std::unique_ptr<QAbstractItemModelTester>> m_testers;
};
