#include "ClientFixture.h"

#include "core/AppControl.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/LoginUnit.h"
#include "controls/panels/DDButton.h"
#include "platform/Clock.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Startup, LoginCancelledEndsTheProgram)
{
    ClientFixture client;
    const bool started = client.start([](Tqv_login_frm &dialog) {
        dialog.show();
        QTest::mouseClick(dialog.btn_Close, Qt::LeftButton);
        return dialog.result();
    });
    EXPECT_FALSE(started);
    EXPECT_EQ(client.startup().stoppedAt(), QStringLiteral("login"));
    EXPECT_FALSE(client.dm()->Timer1->isActive());
    EXPECT_TRUE(client.session().LoginUserId.isEmpty());
}

TEST(Startup, DemoUserReachesTheMainWindowWithTheServersValues)
{
    ClientFixture client;
    // The server's clock runs an hour ahead: the client takes its time.
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.startup().stoppedAt(), QString());
    Tqv_frm *main = client.mainWindow();
    EXPECT_EQ(main->UserIdField, QStringLiteral("MAKER"));
    EXPECT_EQ(client.session().NetworkId, QStringLiteral("QVX0000001"));
    EXPECT_EQ(client.session().ServiceDiv, QStringLiteral("DY1"));
    EXPECT_EQ(client.session().SendFlagInit, QStringLiteral("1"));
    EXPECT_EQ(client.session().MainCaption, QStringLiteral("QUVEX_Client V3.3  [ 한빛상사(주) ] 사용자 : MAKER"));
    EXPECT_TRUE(main->windowTitle().startsWith(client.session().MainCaption));
    EXPECT_EQ(client.session().BankNames[3], QStringLiteral("기업은행"));
    EXPECT_EQ(client.session().DbMode, 1);
    EXPECT_TRUE(client.dm()->Timer1->isActive());
    EXPECT_FALSE(client.dm()->Timer2->isActive());
    EXPECT_FALSE(main->item(QStringLiteral("qv_a6"))->isEnabled());

    // The day's log has the connect line.
    QFile log(client.home() + QStringLiteral("/log/log") + qvx::Clock::today() + QStringLiteral(".txt"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("MAKER ] "));
}

TEST(Startup, MissingConfigRowStopsAfterTheCaptionStep)
{
    ClientFixture client;
    client.server().exec(QStringLiteral("delete from CONFIG"));
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.startup().stoppedAt(), QStringLiteral("config"));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("환경설정이 되지 않았습니다.")));
    EXPECT_TRUE(client.session().NetworkId.isEmpty());
    EXPECT_TRUE(client.session().ServiceDiv.isEmpty());
    EXPECT_EQ(client.mainWindow()->windowTitle(), QStringLiteral("QUVEX_Client"));
    // The relay and the keep-alive still started.
    EXPECT_TRUE(client.dm()->Timer1->isActive());
}

TEST(Startup, SendModuleModeWithoutALayoutRowStops)
{
    ClientFixture::Options options;
    options.sendModule = true;
    ClientFixture client(options);
    client.server().exec(QStringLiteral("delete from convertG_s"));
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.session().SendModuleMode, 2);
    EXPECT_EQ(client.startup().stoppedAt(), QStringLiteral("layout"));
    Tqv_frm *main = client.mainWindow();
    EXPECT_FALSE(main->item(QStringLiteral("qv_a3"))->isEnabled());
    EXPECT_FALSE(main->item(QStringLiteral("qv_a4"))->isEnabled());
    EXPECT_FALSE(main->item(QStringLiteral("qv2"))->isEnabled());
    EXPECT_TRUE(main->item(QStringLiteral("qv_a6"))->isEnabled());
    EXPECT_FALSE(client.dm()->Timer2->isActive());
}

TEST(Startup, SendModuleModeLoadsTheLayoutAndStartsTheModule)
{
    ClientFixture::Options options;
    options.sendModule = true;
    ClientFixture client(options);
    // The demo database has the standard layout row.
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.startup().stoppedAt(), QString());
    EXPECT_TRUE(client.dm()->Timer2->isActive());
    EXPECT_EQ(client.session().ConvLayout[cvMoBankNo].start, 3);
    EXPECT_EQ(client.session().ConvLayout[cvMoBankNo].length, 15);
    EXPECT_EQ(client.session().ConvLayout[cvSeqNo].start, 90);
    EXPECT_EQ(client.session().ConvLayout[cvGubun].length, 2);
    EXPECT_EQ(client.session().ConvLayout[cvJumin].start, 0);
}

} // namespace
