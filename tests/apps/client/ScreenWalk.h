#pragma once
// The client program as a whole for the walks over its screens: every
// screen library the program registers, and ADMIN logged in at the main
// window.

#include "ClientFixture.h"

#include "core/screens/ClientMainUnit.h"
#include "core/screens/CoreScreens.h"
#include "inquiries/screens/InquiryScreens.h"
#include "liquor/screens/LiquorScreens.h"
#include "transfers/screens/TransferScreens.h"

#include <QTest>
#include <gtest/gtest.h>

class ScreenWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerCoreScreens();
        registerTransferScreens();
        registerInquiryScreens();
        registerLiquorScreens();
        ASSERT_TRUE(client.start(QStringLiteral("ADMIN"), QStringLiteral("9999")));
        main = client.mainWindow();
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        client.prompt().setDefaultAnswer(false);
    }

    ClientFixture client;
    Tqv_frm *main = nullptr;
};
