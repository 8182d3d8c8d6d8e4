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

// A relay that cannot be reached at start-up is a lost line: the user is asked
// to quit or to stay offline, instead of waiting for answers that never come.
TEST(Startup, UnreachableRelayIsHandledAsALostConnection)
{
    const QString question = QStringLiteral(
        "서버에서 강제 종료를 하여 이체 및 기타 은행과의 전문 전송이 불가능합니다. 바로 프로그램을 종료하시겠습니까?");
    {
        ClientFixture::Options options;
        options.server.relay = false; // the relay port refuses the connection
        ClientFixture client(options);
        client.prompt().enqueueAnswer(false);
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        ASSERT_TRUE(client.waitFor([&] { return client.session().ServerState == 1; }, 10000));
        EXPECT_TRUE(client.prompt().contains(question));
        EXPECT_TRUE(client.prompt().contains(QStringLiteral("서버와의 작업은 불가능하며, 현재 화면에서의 작업만 가능합니다.")));
        EXPECT_FALSE(client.mainWindow()->item(QStringLiteral("qv2"))->isEnabled());
        EXPECT_EQ(client.terminateRequests(), 0);
    }
    {
        ClientFixture client;
        client.config().writeString(QStringLiteral("Network"), QStringLiteral("RecvPort"), QStringLiteral("20OO1"));
        client.prompt().enqueueAnswer(true);
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        ASSERT_TRUE(client.waitFor([&] { return client.terminateRequests() == 1; }, 10000));
        EXPECT_TRUE(client.prompt().contains(question));
        EXPECT_TRUE(client.prompt().contains(QStringLiteral("프로그램을 종료하겠습니다. 저장되지 않은 정보는 모두 유실됩니다.")));
        QFile log(client.home() + QStringLiteral("/log/log") + qvx::Clock::today() + QStringLiteral(".txt"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        EXPECT_TRUE(log.readAll().contains("CSCKT socket error occured"));
    }
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
