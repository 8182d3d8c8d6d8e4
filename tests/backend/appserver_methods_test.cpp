// Every application-server method end to end: a real QVXServer on loopback,
// called through TcpAppServer as the client calls it.

#include "backend/RelayServer.h"
#include "backend/ServerContext.h"
#include "support/TestServer.h"
#include "tests/backend/backend_databases.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

using qvx::AppServerError;
using qvx::test::TestServer;

namespace {

class RecordingSink : public qvx::BatchSink
{
public:
    bool acceptBatch(const qvx::SendBatch &batch) override
    {
        std::lock_guard lock(mutex);
        batches.push_back(batch);
        return accept;
    }
    std::mutex mutex;
    std::vector<qvx::SendBatch> batches;
    bool accept = true;
};

QString amtSearchInsert(qint64 seqNo, const QString &user = QStringLiteral("MAKER"))
{
    return QStringLiteral("insert into amt_search(SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, "
                          "USERID, SendFlag, BankNo, Sign, JanWon, Param1, Param2, Param3, AbleWon, Dummy, sr_flag, "
                          "COMMON_DUMMY, up_gubuncode) values('20240105','093000','DY1',%1,'QVX0000001','R1','F1','04',"
                          "'%2','1','123-456','','','','','','','','1','','0600300')")
        .arg(seqNo)
        .arg(user);
}

class AppServerMethods : public qvx::testing::BackendTest
{
};

} // namespace

TEST_P(AppServerMethods, SelectReturnsNamedColumnsAndRows)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    qvx::ResultSet rs = app.select(QStringLiteral("select bankid, bankname from allbank where bankid = '04'"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.columnNames(), (QStringList{QStringLiteral("bankid"), QStringLiteral("bankname")}));
    EXPECT_EQ(rs.value(0, QStringLiteral("BANKNAME")), QStringLiteral("국민은행"));

    // The other spelling of the method and the second dataset answer the same.
    const auto viaAlias = qvx::TcpAppServer::resultSetFromJson(
        app.call(QStringLiteral("cms_Select1"), QJsonArray{QStringLiteral("select count(*) as n from allbank")}));
    EXPECT_GT(viaAlias.valueInt(0, QStringLiteral("n")), 10);
    EXPECT_EQ(app.select2(QStringLiteral("select count(*) as n from allbank")).valueInt(0, QStringLiteral("n")),
              viaAlias.valueInt(0, QStringLiteral("n")));

    // NULL comes back as a null text.
    rs = app.select(QStringLiteral("select null as x, '' as y"));
    EXPECT_TRUE(rs.isNull(0, QStringLiteral("x")));
    EXPECT_FALSE(rs.isNull(0, QStringLiteral("y")));
}

TEST_P(AppServerMethods, SqlErrorIsRaisedWithTheMessageAndTheConnectionGoesOn)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    try {
        app.select(QStringLiteral("select nosuchcolumn from allbank"));
        FAIL() << "no error";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::Server);
        EXPECT_FALSE(e.connectionClosed());
        EXPECT_TRUE(e.message().contains(QStringLiteral("nosuchcolumn"))) << e.message().toStdString();
    }
    EXPECT_THROW(app.execute(QStringLiteral("insert into nosuchtable values (1)")), AppServerError);
    EXPECT_THROW(app.execute(QStringLiteral("delete from allbank; delete from bank")), AppServerError);
    EXPECT_TRUE(app.isOpen());
    EXPECT_GT(app.select(QStringLiteral("select * from bank")).recordCount(), 0);
}

TEST_P(AppServerMethods, ServerNamesOfClientAndToolAreAcceptedOthersRefused)
{
    TestServer server(serverConfig());
    EXPECT_NO_THROW(server.newClient(QStringLiteral("QVXServer.QVSERVER01")));
    auto tool = server.newClient(QStringLiteral("QVXServer.QVSERVER"));
    EXPECT_GT(tool->select(QStringLiteral("show tables")).recordCount(), 20);
    try {
        server.newClient(QStringLiteral("QVXServer.OTHER"));
        FAIL() << "accepted";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::Server);
    }
}

TEST_P(AppServerMethods, StatementsWaitForCommitAndRollbackDiscards)
{
    TestServer server(serverConfig());
    auto &a = server.client();
    auto b = server.newClient();
    const QString count = QStringLiteral("select count(*) as n from daesang where name = '시험대상'");
    const QString insert = QStringLiteral("insert into daesang(name, bankno, bankid) values('시험대상', '111', '04')");

    a.execute(insert);
    EXPECT_EQ(a.select(count).valueInt(0, QStringLiteral("n")), 1); // its own transaction sees it
    EXPECT_EQ(b->select(count).valueInt(0, QStringLiteral("n")), 0); // others do not
    a.execute(QStringLiteral("rollback"));
    EXPECT_EQ(a.select(count).valueInt(0, QStringLiteral("n")), 0);

    a.execute(insert);
    a.execute(QStringLiteral("commit"));
    EXPECT_EQ(b->select(count).valueInt(0, QStringLiteral("n")), 1);
    EXPECT_EQ(server.query(count).valueInt(0, QStringLiteral("n")), 1);
    a.execute(QStringLiteral("COMMIT;")); // a commit with nothing open is harmless
}

TEST_P(AppServerMethods, DroppedConnectionRollsBack)
{
    TestServer server(serverConfig());
    auto a = server.newClient();
    a->execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('끊김', '222', '04')"));
    a.reset(); // closes the socket without "commit"

    // The rollback frees the write lock: a second client can write and sees no row.
    auto b = server.newClient();
    b->execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('다음', '333', '04')"));
    b->execute(QStringLiteral("commit"));
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from daesang where name = '끊김'"))
                  .valueInt(0, QStringLiteral("n")),
              0);
}

TEST_P(AppServerMethods, WaitingForALockDoesNotStopAnotherConnectionFromCommitting)
{
    TestServer server(serverConfig());
    auto &a = server.client();
    a.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('A', '1', '04')"));

    // B's change of A's row waits in the server for A's lock, on B's own thread.
    std::atomic<bool> bDone{false};
    QString bError;
    std::thread t([&] {
        try {
            auto b = server.newClient();
            b->execute(QStringLiteral("update daesang set bankno = '2' where name = 'A'"));
            b->execute(QStringLiteral("commit"));
        } catch (const AppServerError &e) {
            bError = e.message();
        }
        bDone = true;
    });
    // B's request has reached the server and waits there for A's lock.
    QDeadlineTimer arrived(10000);
    while (server.context().bufferedBytes() == 0 && !arrived.hasExpired())
        QThread::msleep(5);
    EXPECT_FALSE(bDone);
    a.execute(QStringLiteral("commit")); // answered at once although B waits
    t.join();
    EXPECT_TRUE(bError.isEmpty()) << bError.toStdString();
    // B went on after A's commit and found A's row.
    EXPECT_EQ(server.query(QStringLiteral("select bankno from daesang where name = 'A'")).value(0, QStringLiteral("bankno")),
              QStringLiteral("2"));
}

TEST_P(AppServerMethods, LockTimeoutGivesAnErrorNotAHang)
{
    TestServer server(serverConfig(TestServer::Config{true, [](qvx::ServerOptions &o) { o.lockTimeoutMs = 200; }}));
    auto &a = server.client();
    auto b = server.newClient();
    a.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('A', '1', '04')"));
    EXPECT_THROW(b->execute(QStringLiteral("update daesang set bankno = '2' where name = 'A'")), AppServerError);
    a.execute(QStringLiteral("commit"));
    b->execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('B', '2', '04')"));
    b->execute(QStringLiteral("commit"));
}

TEST_P(AppServerMethods, MaxSeqNoHandsOutConsecutiveBlocks)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    const int b1 = app.maxSeqNo(3);
    ASSERT_GE(b1, 0);
    EXPECT_EQ(app.maxSeqNo(1), b1 + 3);
    EXPECT_EQ(app.maxSeqNo(5), b1 + 4);
    // The block starts above every message number already in the demo data.
    const auto used = server.query(QStringLiteral("select max(SeqNo) as m from giche"));
    EXPECT_GE(b1, used.valueInt(0, QStringLiteral("m")));
    EXPECT_THROW(app.maxSeqNo(-1), AppServerError);
}

TEST_P(AppServerMethods, MaxSeqNoRunsOutsideTheCallersTransaction)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    const int base = app.maxSeqNo(2);
    app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('X', '1', '04')"));
    app.execute(QStringLiteral("commit"));
    app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('Y', '1', '04')"));
    app.execute(QStringLiteral("rollback"));
    // The rollback did not take the reservation back.
    EXPECT_EQ(app.maxSeqNo(1), base + 2);
}

TEST_P(AppServerMethods, MaxSeqNoAnswersBusyWhileTheLockIsHeld)
{
    TestServer server(serverConfig(TestServer::Config{true, [](qvx::ServerOptions &o) { o.seqLockTimeoutMs = 100; }}));
    auto &a = server.client();
    auto b = server.newClient();
    // A holds the message-number row (on SQLite: any write holds the whole database).
    a.execute(QStringLiteral("update srv_seqno set lastno = lastno"));
    EXPECT_EQ(b->maxSeqNo(1), -1);
    a.execute(QStringLiteral("commit"));
    EXPECT_GE(b->maxSeqNo(1), 0);
}

TEST_P(AppServerMethods, SendDescAnswersOnlyForStoredRowsAndHandsTheBatchOn)
{
    TestServer server(serverConfig());
    auto sink = std::make_shared<RecordingSink>();
    server.setBatchSink(sink);
    auto &app = server.client();
    const int base = app.maxSeqNo(2);
    const QString first = QString::number(base + 1), last = QString::number(base + 2);

    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), first, last, QStringLiteral("000000")), 0);
    app.execute(amtSearchInsert(base + 1));
    app.execute(amtSearchInsert(base + 2));
    // Not committed yet: not stored.
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), first, last, QStringLiteral("000000")), 0);
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), first, last, QStringLiteral("000000")), 1);
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0].table, QStringLiteral("amt_search"));
    EXPECT_EQ(sink->batches[0].firstNo, base + 1);
    EXPECT_EQ(sink->batches[0].lastNo, base + 2);
    EXPECT_EQ(sink->batches[0].rowCount, 2);

    sink->accept = false; // the bank is overloaded
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), first, last, QStringLiteral("000000")), -1);

    EXPECT_THROW(app.sendDesc(QStringLiteral("1234567"), QStringLiteral("MAKER"), first, last, QStringLiteral("000000")),
                 AppServerError);
    EXPECT_THROW(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), QStringLiteral("1 or 1=1"), last,
                              QStringLiteral("000000")),
                 AppServerError);
}

TEST_P(AppServerMethods, SendDescOfATransferBatchFindsItByConfirmingUserAndTime)
{
    TestServer server(serverConfig());
    auto sink = std::make_shared<RecordingSink>();
    server.setBatchSink(sink);
    auto &app = server.client();
    const QString insert = QStringLiteral(
        "insert into giche(SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag, "
        "MoBankNo, PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, BankNo, Fee, CmsCode, Name, TaProcNo, "
        "TaErrFee, TaErrPrice, TaErrMoney, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY) values('20240105','101010',"
        "'DY1',%1,'N','R','F','04','MAKER','APPR2','1','111','','','20','1000','','','04','222','0','','갑','','','','',"
        "'','%2','0100100','')");
    app.execute(insert.arg(9001).arg(QStringLiteral("0")));
    app.execute(QStringLiteral("commit"));
    // Rows still waiting for approval are no batch yet.
    EXPECT_EQ(app.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR2"), QStringLiteral("0"), QStringLiteral("0"),
                           QStringLiteral("101010")),
              0);
    app.execute(QStringLiteral("update giche set sr_flag = '1' where cfmid = 'APPR2' and sendtime = '101010'"));
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(app.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR2"), QStringLiteral("0"), QStringLiteral("0"),
                           QStringLiteral("101010")),
              1);
    ASSERT_EQ(sink->batches.size(), 1u);
    EXPECT_EQ(sink->batches[0].table, QStringLiteral("giche"));
    EXPECT_EQ(sink->batches[0].userId, QStringLiteral("APPR2"));
    EXPECT_EQ(sink->batches[0].time, QStringLiteral("101010"));
    // A quote in the user id is only text.
    EXPECT_EQ(app.sendDesc(QStringLiteral("0100100"), QStringLiteral("x' or '1'='1"), QStringLiteral("0"),
                           QStringLiteral("0"), QStringLiteral("101010")),
              0);
}

TEST_P(AppServerMethods, ServerTimeFollowsTheServersClock)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{14}$")).match(app.serverTime()).hasMatch());
    server.context().setClock([] { return QDateTime(QDate(2024, 1, 5), QTime(9, 3, 7)); });
    EXPECT_EQ(app.serverTime(), QStringLiteral("20240105090307"));
}

TEST_P(AppServerMethods, CommMsgReadsNoticeAndSmsIdFromTheDatabase)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    EXPECT_FALSE(app.commMsg(1).isEmpty());
    EXPECT_EQ(app.commMsg(2), QStringLiteral("QVXSMS01"));
    EXPECT_EQ(app.commMsg(3), QString());
    server.exec(QStringLiteral("delete from srv_commmsg where kind = 2"));
    EXPECT_EQ(app.commMsg(2), QString()); // SMS not in use
}

TEST_P(AppServerMethods, BankStateOpensBanks)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    const auto bank = server.query(QStringLiteral("select bankid, firmid from bank order by bankid"));
    ASSERT_GT(bank.recordCount(), 1);
    const QString id0 = bank.value(0, QStringLiteral("bankid")), firm0 = bank.value(0, QStringLiteral("firmid"));
    const QString id1 = bank.value(1, QStringLiteral("bankid")), firm1 = bank.value(1, QStringLiteral("firmid"));
    EXPECT_EQ(app.bankState(id0, firm0, QStringLiteral("1")), QStringLiteral("N"));
    app.bankState(id0, firm0, QStringLiteral("3"));
    EXPECT_EQ(app.bankState(id0, firm0, QStringLiteral("1")), QStringLiteral("Y"));
    EXPECT_EQ(app.bankState(id1, firm1, QStringLiteral("1")), QStringLiteral("N"));
    EXPECT_EQ(app.bankState(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2")), QStringLiteral("2"));
    EXPECT_EQ(app.bankState(id1, firm1, QStringLiteral("1")), QStringLiteral("Y"));
    EXPECT_THROW(app.bankState(id1, firm1, QStringLiteral("9")), AppServerError);
}

QVX_ON_EVERY_BACKEND(AppServerMethods);

TEST(TestServerHelper, StartsARelayUnlessToldNot)
{
    TestServer withRelay;
    EXPECT_NE(withRelay.relayPort(), 0);
    ASSERT_NE(withRelay.relay(), nullptr);
    EXPECT_TRUE(withRelay.relay()->isListening());

    TestServer::Config config;
    config.relay = false;
    TestServer without(config);
    EXPECT_EQ(without.relayPort(), 0);
    EXPECT_EQ(without.relay(), nullptr);
    EXPECT_GT(without.client().select(QStringLiteral("select * from users")).recordCount(), 0);
}
