// The client against the server's own relay.
#include "ClientFixture.h"

#include "core/AppControl.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "backend/RelayServer.h"

#include <QAction>
#include <gtest/gtest.h>

namespace {

TEST(RelayLive, LoggedInClientHearsAnnouncementsAndGoesOfflineWhenTheRelayStops)
{
    ClientFixture client;
    ASSERT_NE(client.server().relay(), nullptr);
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    std::vector<int> codes;
    client.dm()->setServiceHandler([&codes](int code, const QByteArray &) { codes.push_back(code); });
    qvx::RelayServer &relay = *client.server().relay();
    ASSERT_TRUE(ClientFixture::waitFor([&] { return relay.isConnected(QStringLiteral("MAKER")); }));

    ASSERT_TRUE(relay.announce(QStringLiteral("MAKER"), QStringLiteral("0610300")));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return !codes.empty(); }));
    EXPECT_EQ(codes, std::vector<int>{610300});
    EXPECT_EQ(client.prompt().count(), 0);

    // The relay goes away; the user stays offline.
    client.prompt().clear();
    client.prompt().enqueueAnswer(false);
    relay.close();
    ASSERT_TRUE(ClientFixture::waitFor([&client] { return client.session().ServerState == 1; }));
    EXPECT_EQ(client.terminateRequests(), 0);
    EXPECT_FALSE(client.mainWindow()->item(QStringLiteral("qv2"))->isEnabled());
    client.prompt().clear();
    client.mainWindow()->qv_a4Click();
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다."));
}

TEST(RelayLive, SecondLoginOfTheSameIdEndsThatClient)
{
    ClientFixture client;
    ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    qvx::RelayServer &relay = *client.server().relay();
    ASSERT_TRUE(ClientFixture::waitFor([&] { return relay.isConnected(QStringLiteral("MAKER")); }));

    // A second client of the same id, with a session of its own.
    {
        Session secondSession = client.session();
        Tdm second(secondSession);
        second.setDisconnectWaitMs(0);
        second.ActivateRelay(QStringLiteral("127.0.0.1"), client.server().relayPort());
        ASSERT_TRUE(ClientFixture::waitFor([] { return TerminateRequests() > 0; }));
        EXPECT_EQ(secondSession.DupLoginFlag, 1);
        EXPECT_EQ(client.session().DupLoginFlag, 0);
        EXPECT_TRUE(client.prompt().contains(
            QStringLiteral("MAKER ID는 이미 사용중이므로 로그인 할 수 없습니다.관리자에게 문의하시기 바랍니다.")));
    }
    EXPECT_TRUE(relay.isConnected(QStringLiteral("MAKER")));
}

} // namespace
