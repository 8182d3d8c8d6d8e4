#include "backend/RelayProtocol.h"
#include "backend/RelayServer.h"
#include "backend/ServerOptions.h"
#include "relay_client.h"

#include <QThread>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

using qvx::FrameReader;
using qvx::RelayServer;
using qvx::testing::RelayTestClient;

namespace {

QByteArray f(const QByteArray &body)
{
    return FrameReader::frame(body);
}

// Polls a condition that the relay thread makes true.
template <typename Pred>
bool eventually(Pred pred, int ms = 3000)
{
    for (int i = 0; i < ms / 10; ++i) {
        if (pred())
            return true;
        QThread::msleep(10);
    }
    return pred();
}

class RelayTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0)) << relay.errorString().toStdString(); }

    std::unique_ptr<RelayTestClient> client(const QByteArray &id = {})
    {
        auto c = std::make_unique<RelayTestClient>();
        EXPECT_TRUE(c->connectTo(relay.port()));
        if (!id.isEmpty()) {
            EXPECT_TRUE(c->login(id));
        }
        return c;
    }

    RelayServer relay;
};

} // namespace

TEST_F(RelayTest, ApprovalNoticeReachesApproverAndSenderIsTold)
{
    auto maker = client("maker01");
    auto boss = client("boss01");
    ASSERT_TRUE(eventually([&] { return relay.isConnected("boss01") && relay.isConnected("MAKER01"); }));

    maker->send(f("Fboss01"));
    EXPECT_EQ(boss->nextFrame(), f("F"));
    EXPECT_EQ(maker->nextFrame(), f("FY"));

    // The approver is not connected: only the sender hears of it.
    maker->send(f("Fnobody"));
    EXPECT_EQ(maker->nextFrame(), f("FN"));
    EXPECT_TRUE(boss->quietFor(200));
    maker->send(f("F"));
    EXPECT_EQ(maker->nextFrame(), f("FN"));
    EXPECT_EQ(relay.stats().approvals, 1u);
}

TEST_F(RelayTest, DuplicateLoginRefusedAndClosed)
{
    auto first = client("user01");
    auto second = client();
    second->send(RelayTestClient::loginFrame("user01"));
    EXPECT_EQ(second->nextFrame(), f("CN"));
    EXPECT_TRUE(second->waitClosed());
    // The first connection keeps its login and still receives.
    EXPECT_TRUE(relay.isConnected("user01"));
    EXPECT_TRUE(relay.announce("user01", "0610300"));
    EXPECT_EQ(first->nextFrame(), f("Q0610300"));

    // Once the first one leaves, the id can log in again.
    first->socket().disconnectFromHost();
    ASSERT_TRUE(eventually([&] { return !relay.isConnected("user01"); }));
    auto third = client("user01");
    EXPECT_TRUE(relay.isConnected("user01"));
    EXPECT_EQ(relay.stats().refusedLogins, 1u);
}

TEST_F(RelayTest, ModuleLoginIsAcknowledged)
{
    auto module = client();
    module->send(RelayTestClient::loginFrame("sendmod", true));
    EXPECT_EQ(module->nextFrame(), f("CY"));
    EXPECT_EQ(module->nextFrame(), f("SR1"));
    auto plain = client();
    plain->send(RelayTestClient::loginFrame("plain"));
    EXPECT_EQ(plain->nextFrame(), f("CY"));
    EXPECT_TRUE(plain->quietFor(200));
}

TEST_F(RelayTest, SplitAndJoinedFramesAndPings)
{
    auto boss = client("boss");
    auto maker = client();
    // A login frame in three pieces, then a ping and an approval notice in one read.
    const QByteArray login = RelayTestClient::loginFrame("maker");
    maker->send(login.left(3));
    QThread::msleep(30);
    maker->send(login.mid(3, 7));
    QThread::msleep(30);
    maker->send(login.mid(10));
    EXPECT_EQ(maker->nextFrame(), f("CY"));
    maker->send("PINGmaker" + f("Fboss") + f("Fboss"));
    EXPECT_EQ(maker->nextFrame(), f("FY"));
    EXPECT_EQ(maker->nextFrame(), f("FY"));
    EXPECT_EQ(boss->nextFrame(), f("F"));
    EXPECT_EQ(boss->nextFrame(), f("F"));
    ASSERT_TRUE(eventually([&] { return relay.stats().pings == 1; }));
    EXPECT_EQ(relay.stats().badPackets, 0u);
}

TEST_F(RelayTest, GarbageFromOneClientDoesNotDisturbOthers)
{
    auto good = client("good");
    auto bad = client("bad");
    bad->send(QByteArrayLiteral("\xFF\xFE garbage \x03\x03"));
    bad->send(QByteArray(20000, 'x'));                      // a long run outside any frame
    bad->send("\x02" + QByteArray(10000, 'y'));             // a frame that never ends
    bad->send(f("Zunknown"));
    EXPECT_TRUE(relay.announce("good", "0110100"));
    EXPECT_EQ(good->nextFrame(), f("Q0110100"));
    good->send(f("Fbad"));
    EXPECT_EQ(good->nextFrame(), f("FY"));
    // The misbehaving client is still served once it sends sense again.
    EXPECT_EQ(bad->nextFrame(), f("F"));
    bad->send(f("Fgood"));
    EXPECT_EQ(bad->nextFrame(), f("FY"));
    EXPECT_EQ(good->nextFrame(), f("F"));
    EXPECT_GE(relay.stats().badPackets, 3u);
}

TEST_F(RelayTest, AnnounceReachesOnlyTheRightUser)
{
    auto a = client("alice");
    auto b = client("bob");
    std::thread bank([&] { EXPECT_TRUE(relay.announce("ALICE", "0610300")); });
    bank.join();
    EXPECT_EQ(a->nextFrame(), f("Q0610300"));
    EXPECT_TRUE(b->quietFor(200));

    EXPECT_FALSE(relay.announce("carol", "0610300"));  // not connected
    EXPECT_FALSE(relay.announce("alice", "061030"));   // not seven digits
    EXPECT_FALSE(relay.announce("alice", "061030x"));
    EXPECT_TRUE(a->quietFor(200));
}

TEST_F(RelayTest, LongUserIdReachedByItsFullId)
{
    // The login frame carries the first 10 bytes of a 12-character id.
    auto c = client("longuserid12");
    EXPECT_TRUE(relay.isConnected("longuserid12"));
    EXPECT_TRUE(relay.isConnected("longuserid"));
    EXPECT_TRUE(relay.announce("longuserid12", "0600300"));
    EXPECT_EQ(c->nextFrame(), f("Q0600300"));
}

TEST_F(RelayTest, LoginWithoutIdRefused)
{
    auto c = client();
    c->send(f("C          SR0"));
    EXPECT_EQ(c->nextFrame(), f("CN"));
    EXPECT_TRUE(c->waitClosed());
}

TEST_F(RelayTest, SilentClientIsClosedAndPortCanBeReused)
{
    relay.setIdleTimeoutMs(300);
    auto c = client("sleepy");
    EXPECT_TRUE(c->waitClosed(5000));
    ASSERT_TRUE(eventually([&] { return !relay.isConnected("sleepy") && relay.clientCount() == 0; }));

    const quint16 port = relay.port();
    relay.close();
    EXPECT_FALSE(relay.isListening());
    RelayServer other;
    EXPECT_TRUE(other.listen(QHostAddress::LocalHost, port));
    RelayServer clash;
    EXPECT_FALSE(clash.listen(QHostAddress::LocalHost, port));
    EXPECT_FALSE(clash.errorString().isEmpty());
}

TEST(RelayProtocol, LoginParsing)
{
    using qvx::relay::parseLogin;
    auto l = parseLogin("Cuser01    SR1");
    EXPECT_EQ(l.userId, QStringLiteral("user01"));
    EXPECT_TRUE(l.module);
    l = parseLogin("Cabcdefghij" "SR0");
    EXPECT_EQ(l.userId, QStringLiteral("abcdefghij"));
    EXPECT_FALSE(l.module);
    l = parseLogin("Cshort");
    EXPECT_EQ(l.userId, QStringLiteral("short"));
    EXPECT_EQ(qvx::relay::userKey(QStringLiteral("관리자계정01")), QStringLiteral("관리자계정"));
    EXPECT_EQ(qvx::relay::userKey(QStringLiteral("가나다라마바")), QStringLiteral("가나다라마"));
    EXPECT_EQ(qvx::relay::userKey(QStringLiteral("a가나다라마")), QStringLiteral("a가나다라"));
}

TEST(RelayOptions, RelayPortOption)
{
    qvx::ServerOptions o;
    EXPECT_EQ(o.relayPort, 20001);
    QString error;
    ASSERT_TRUE(qvx::parseServerOptions({"QVXServer", "--relay-port", "20555"}, o, &error));
    EXPECT_EQ(o.relayPort, 20555);
    EXPECT_FALSE(qvx::parseServerOptions({"QVXServer", "--relay-port", "70000"}, o, &error));
    EXPECT_FALSE(qvx::parseServerOptions({"QVXServer", "--relay-port", "x"}, o, &error));
}

TEST(RelayLimits, ConnectionsThatNeverLogInAreClosedAndMakeRoomForUsers)
{
    RelayServer relay;
    relay.setLimits(400, 3);
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<RelayTestClient>> silent;
    for (int i = 0; i < 3; ++i) {
        silent.push_back(std::make_unique<RelayTestClient>());
        ASSERT_TRUE(silent.back()->connectTo(relay.port()));
    }
    ASSERT_TRUE(eventually([&] { return relay.clientCount() == 3; }));
    // Every place is taken by a silent connection: a user still gets in.
    RelayTestClient user;
    ASSERT_TRUE(user.connectTo(relay.port()));
    EXPECT_TRUE(user.login("user01"));
    EXPECT_TRUE(silent.front()->waitClosed());
    // The others are closed once the login time is up; the user stays.
    EXPECT_TRUE(silent.back()->waitClosed());
    EXPECT_TRUE(eventually([&] { return relay.clientCount() == 1; }));
    EXPECT_TRUE(relay.isConnected("user01"));

    // With every place held by a logged-in user of one address, a new login
    // from it takes the place of that address's oldest login.
    RelayTestClient second, third, fourth;
    ASSERT_TRUE(second.connectTo(relay.port()));
    ASSERT_TRUE(second.login("user02"));
    ASSERT_TRUE(third.connectTo(relay.port()));
    ASSERT_TRUE(third.login("user03"));
    ASSERT_TRUE(fourth.connectTo(relay.port()));
    EXPECT_TRUE(fourth.login("user04"));
    EXPECT_TRUE(user.waitClosed());
    EXPECT_TRUE(eventually([&] { return !relay.isConnected("user01"); }));
    EXPECT_TRUE(relay.isConnected("user02") && relay.isConnected("user03") && relay.isConnected("user04"));
    EXPECT_EQ(relay.stats().loginsClosedForRoom, 1u);
}

// A peer with several addresses fills every place with invented ids, each
// address within its bound: the users of another address still log in, each
// taking a place from the address that holds the most.
TEST(RelayLimits, APeerWithManyAddressesCannotKeepUsersOut)
{
    RelayServer relay;
    relay.setLimits(5000, 10);
    relay.setMaxLoginsPerAddress(5);
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<RelayTestClient>> flood;
    for (const char *address : {"127.0.0.2", "127.0.0.3"}) {
        for (int i = 0; i < 5; ++i) {
            flood.push_back(std::make_unique<RelayTestClient>());
            ASSERT_TRUE(flood.back()->connectFrom(QHostAddress(QString::fromLatin1(address)), relay.port()));
            ASSERT_TRUE(flood.back()->login("fake" + QByteArray::number(int(flood.size()))));
        }
    }
    ASSERT_TRUE(eventually([&] { return relay.clientCount() == 10; }));

    RelayTestClient maker, appr1, appr2;
    ASSERT_TRUE(maker.connectTo(relay.port()));
    EXPECT_TRUE(maker.login("MAKER"));
    ASSERT_TRUE(appr1.connectTo(relay.port()));
    EXPECT_TRUE(appr1.login("APPR1"));
    ASSERT_TRUE(appr2.connectTo(relay.port()));
    EXPECT_TRUE(appr2.login("APPR2"));
    EXPECT_EQ(relay.stats().loginsClosedForRoom, 3u);
    EXPECT_TRUE(eventually([&] { return relay.clientCount() == 10; }));

    // The flood logging in again only displaces itself.
    RelayTestClient again;
    ASSERT_TRUE(again.connectFrom(QHostAddress(QStringLiteral("127.0.0.3")), relay.port()));
    EXPECT_TRUE(again.login("fake99"));
    EXPECT_TRUE(eventually([&] { return relay.clientCount() == 10; }));
    EXPECT_TRUE(relay.isConnected("MAKER") && relay.isConnected("APPR1") && relay.isConnected("APPR2"));
    EXPECT_TRUE(maker.quietFor(100));
}

namespace {

// Counts the relay's log lines while it lives.
class RelayLogLines
{
public:
    RelayLogLines()
    {
        s_lines = 0;
        m_previous = qInstallMessageHandler(&RelayLogLines::handler);
    }
    ~RelayLogLines() { qInstallMessageHandler(m_previous); }
    int count() const { return s_lines; }

private:
    static void handler(QtMsgType, const QMessageLogContext &context, const QString &)
    {
        if (context.category && std::strcmp(context.category, "qvx.relay") == 0)
            ++s_lines;
    }
    static inline std::atomic<int> s_lines{0};
    QtMessageHandler m_previous;
};

} // namespace

// A megabyte of STX bytes is a million bad packets: the log gets a few lines
// for them, the sender is closed, and every other user is served meanwhile.
TEST_F(RelayTest, AStreamOfGarbageCostsTheLogAFewLinesAndItsSenderIsClosed)
{
    RelayLogLines lines;
    auto good = client("good");
    auto bad = client("bad");
    const int before = lines.count();
    const QByteArray stx(64 * 1024, '\x02');
    for (int i = 0; i < 16 && bad->socket().state() == QAbstractSocket::ConnectedState; ++i) {
        bad->socket().write(stx);
        bad->socket().waitForBytesWritten(5000);
    }
    EXPECT_TRUE(bad->waitClosed(20000));
    ASSERT_TRUE(eventually([&] { return !relay.isConnected("bad"); }, 10000));
    EXPECT_EQ(relay.stats().garbageClosed, 1u);
    EXPECT_LE(lines.count() - before, 10);
    EXPECT_TRUE(relay.announce("good", "0610300"));
    EXPECT_EQ(good->nextFrame(), f("Q0610300"));
}

// One frame past the size cap does not open the way for an endless stream:
// what follows it counts as bad data, and its sender is closed.
TEST_F(RelayTest, AStreamAfterAnOversizedFrameIsCountedAndItsSenderClosed)
{
    auto good = client("good");
    auto bad = client("bad");
    bad->send(QByteArray("\x02" "F") + QByteArray(8000, 'x'));
    const QByteArray tail(64 * 1024, 'y');
    for (int i = 0; i < 16 && bad->socket().state() == QAbstractSocket::ConnectedState; ++i) {
        bad->socket().write(tail);
        bad->socket().waitForBytesWritten(5000);
    }
    EXPECT_TRUE(bad->waitClosed(20000));
    ASSERT_TRUE(eventually([&] { return !relay.isConnected("bad"); }, 10000));
    EXPECT_EQ(relay.stats().garbageClosed, 1u);
    EXPECT_TRUE(relay.announce("good", "0610300"));
    EXPECT_EQ(good->nextFrame(), f("Q0610300"));
}

// A client that mixes bad packets with keep-alives and frames stays, and its
// bad packets are summed up rather than written one a line.
TEST_F(RelayTest, BadPacketsBetweenGoodFramesAreSummedUp)
{
    RelayLogLines lines;
    auto c = client("mixed");
    const int before = lines.count();
    QByteArray burst;
    for (int i = 0; i < 300; ++i)
        burst += f("Z??") + QByteArray("PINGmixed"); // a frame of no known kind, a keep-alive
    c->send(burst);
    ASSERT_TRUE(eventually([&] { return relay.stats().badPackets >= 300; }, 10000));
    EXPECT_LE(lines.count() - before, 2);
    c->send(f("Fmixed"));
    EXPECT_EQ(c->nextFrame(), f("F"));
    EXPECT_EQ(relay.stats().garbageClosed, 0u);
    // What was not reported yet is said when the connection ends.
    const int open = lines.count();
    c->socket().disconnectFromHost();
    ASSERT_TRUE(eventually([&] { return relay.clientCount() == 0; }));
    EXPECT_GE(lines.count() - open, 1);
}

// Invented ids from one peer cannot take every place: its logins stop at the
// bound, and other peers still log in.
TEST(RelayLimits, LoginsFromOneAddressAreBounded)
{
    RelayServer relay;
    relay.setMaxLoginsPerAddress(3);
    ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    std::vector<std::unique_ptr<RelayTestClient>> flood;
    for (int i = 0; i < 3; ++i) {
        flood.push_back(std::make_unique<RelayTestClient>());
        ASSERT_TRUE(flood.back()->connectTo(relay.port()));
        ASSERT_TRUE(flood.back()->login("fake" + QByteArray::number(i)));
    }
    RelayTestClient fourth;
    ASSERT_TRUE(fourth.connectTo(relay.port()));
    fourth.send(RelayTestClient::loginFrame("fake3"));
    EXPECT_EQ(fourth.nextFrame(), f("CN"));
    EXPECT_TRUE(fourth.waitClosed());
    EXPECT_FALSE(relay.isConnected("fake3"));

    // Another peer is not held to the first one's logins.
    RelayTestClient other;
    ASSERT_TRUE(other.connectFrom(QHostAddress(QStringLiteral("127.0.0.2")), relay.port()));
    EXPECT_TRUE(other.login("user01"));

    // Once one of the first peer's connections leaves, it logs in again.
    flood.front()->socket().disconnectFromHost();
    ASSERT_TRUE(eventually([&] { return !relay.isConnected("fake0"); }));
    RelayTestClient again;
    ASSERT_TRUE(again.connectTo(relay.port()));
    EXPECT_TRUE(again.login("fake4"));
}

TEST(RelayOptions, LoginsPerAddressOption)
{
    qvx::ServerOptions o;
    EXPECT_EQ(o.relayMaxLoginsPerAddress, 200);
    QString error;
    ASSERT_TRUE(qvx::parseServerOptions({"QVXServer", "--relay-max-logins-per-address", "500"}, o, &error));
    EXPECT_EQ(o.relayMaxLoginsPerAddress, 500);
    EXPECT_FALSE(qvx::parseServerOptions({"QVXServer", "--relay-max-logins-per-address", "-1"}, o, &error));
}
