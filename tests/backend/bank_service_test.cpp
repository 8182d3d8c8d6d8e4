// The bank plugged into a running server and relay: a registered balance
// request is answered and announced as 0610300 to its user; cms_senddesc
// answers 1, 0 (rows not committed) and -1 (bank overloaded); notices posted
// on demand are announced to everyone.

#include "backend/BankConsole.h"
#include "backend/BankService.h"
#include "backend/BankSetup.h"
#include "backend/ServerOptions.h"
#include "backend/RelayServer.h"
#include "backend/ServerContext.h"
#include "platform/FrameReader.h"
#include "tests/backend/relay_client.h"
#include "tests/backend/backend_databases.h"
#include "tests/backend/request_tables.h"
#include "support/Eventually.h"
#include "tests/support/TestServer.h"

#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include <mutex>

using namespace qvx;

namespace {

class BankServiceTest : public qvx::testing::BackendTest
{
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        server = std::make_unique<test::TestServer>(serverConfig());
        ASSERT_TRUE(relay.listen(QHostAddress::LocalHost, 0));
    }
    // The bank's thread stops before the relay it announces on goes away.
    void TearDown() override
    {
        if (server)
            server->setBatchSink(std::make_shared<NullBatchSink>());
    }

    std::shared_ptr<BankService> startBank(BankService::Settings settings)
    {
        ServerContext &ctx = server->context();
        BankService::Announcer announcer;
        announcer.toUser = [this](const QString &user, const QString &code) { relay.announce(user, code); };
        announcer.toAll = [this](const QString &code) {
            {
                std::lock_guard lock(mutex);
                broadcasts << code;
            }
            for (const QString &user : relay.connectedUsers())
                relay.announce(user, code);
        };
        auto bank = std::make_shared<BankService>(ctx.sharedDatabase(), [&ctx] { return ctx.now(); }, settings, announcer);
        server->setBatchSink(bank);
        return bank;
    }

    // Inserts one balance request of the 국민은행 account as number n.
    void insertBalanceRequest(TcpAppServer &app, int n)
    {
        const QString now = app.serverTime();
        app.execute(qvx::testing::requestInsert(
            QStringLiteral("amt_search"),
            {{"SendDate", now.left(8)}, {"SendTime", now.mid(8, 6)}, {"Service", "DY1"}, {"SeqNo", QString::number(n)},
             {"SendID", "QVX0000001"}, {"RecvID", "KBK0400"}, {"FirmID", "HB0401"}, {"BankID", "04"},
             {"USERID", "MAKER"}, {"SendFlag", "1"}, {"BankNo", "123401234567"}, {"sr_flag", "1"},
             {"up_gubuncode", "0600300"}}));
    }

    // A committed balance request registered by its maker: its number, with
    // what cms_senddesc answered in *sent.
    QString registerBalanceRequest(TcpAppServer &app, int *sent)
    {
        const int base = app.maxSeqNo(1);
        insertBalanceRequest(app, base + 1);
        app.execute(QStringLiteral("commit"));
        const QString no = QString::number(base + 1);
        *sent = app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000"));
        return no;
    }

    // A bank that answers at once and works from the server's stored
    // registrations, as the server runs it (not yet its batch hook).
    std::shared_ptr<BankService> registryBank()
    {
        ServerContext &ctx = server->context();
        return std::make_shared<BankService>(ctx.sharedDatabase(), [&ctx] { return ctx.now(); },
                                             BankService::Settings{.delayMs = 0}, BankService::Announcer{},
                                             ctx.sharedBatchRegistry());
    }

    std::unique_ptr<test::TestServer> server;
    RelayServer relay;
    std::mutex mutex;
    QStringList broadcasts;
};

} // namespace

TEST_P(BankServiceTest, BalanceRequestIsAnsweredAndAnnouncedToItsUser)
{
    auto bank = startBank({.delayMs = 100});
    qvx::testing::RelayTestClient maker, other;
    ASSERT_TRUE(maker.connectTo(relay.port()));
    ASSERT_TRUE(maker.login("MAKER"));
    ASSERT_TRUE(other.connectTo(relay.port()));
    ASSERT_TRUE(other.login("APPR1"));

    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(1);
    ASSERT_GE(base, 0);
    insertBalanceRequest(app, base + 1);
    app.execute(QStringLiteral("commit"));
    const QString no = QString::number(base + 1);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 1);

    EXPECT_EQ(maker.nextFrame(5000), FrameReader::frame("Q0610300"));
    EXPECT_TRUE(other.quietFor(200));
    ASSERT_TRUE(bank->waitIdle(5000));
    const ResultSet rs = app.select(QStringLiteral("select sr_flag, errcode, janwon, receivedate from amt_search "
                                                   "where seqno = ") + no);
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, QStringLiteral("sr_flag")), QStringLiteral("4"));
    EXPECT_EQ(rs.value(0, QStringLiteral("errcode")), QStringLiteral("0000"));
    EXPECT_EQ(rs.value(0, QStringLiteral("janwon")).size(), 13);
}

TEST_P(BankServiceTest, SendDescAnswersZeroUntilTheRowsAreCommitted)
{
    auto bank = startBank({.delayMs = 0});
    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(1);
    insertBalanceRequest(app, base + 1);
    const QString no = QString::number(base + 1);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 0);
    EXPECT_EQ(bank->pending(), 0);
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 1);
    ASSERT_TRUE(bank->waitIdle(5000));
    EXPECT_EQ(server->query(QStringLiteral("select sr_flag from amt_search where seqno = ") + no)
                  .value(0, QStringLiteral("sr_flag")),
              QStringLiteral("4"));
}

TEST_P(BankServiceTest, SendDescAnswersBusyWhenTheBankIsOverloaded)
{
    auto bank = startBank({.delayMs = 60000, .maxPending = 1});
    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(2);
    insertBalanceRequest(app, base + 1);
    insertBalanceRequest(app, base + 2);
    app.execute(QStringLiteral("commit"));
    const QString first = QString::number(base + 1), second = QString::number(base + 2);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), first, first, QStringLiteral("000000")), 1);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), second, second, QStringLiteral("000000")), -1);
    EXPECT_EQ(bank->pending(), 1);
    // Accepted but not yet due: the row stays waiting.
    EXPECT_EQ(server->query(QStringLiteral("select sr_flag from amt_search where seqno = ") + first)
                  .value(0, QStringLiteral("sr_flag")),
              QStringLiteral("1"));
}

TEST_P(BankServiceTest, NoticesOnDemandAreAnnouncedToEveryone)
{
    auto bank = startBank({.delayMs = 0});
    qvx::testing::RelayTestClient user;
    ASSERT_TRUE(user.connectTo(relay.port()));
    ASSERT_TRUE(user.login("APPR2"));

    bank->postNoticesNow();
    ASSERT_TRUE(bank->waitIdle(5000));
    EXPECT_EQ(user.nextFrame(5000), FrameReader::frame("Q0200300"));
    EXPECT_EQ(user.nextFrame(5000), FrameReader::frame("Q0200900"));
    EXPECT_GT(server->query(QStringLiteral("select count(*) as n from deposit")).valueInt(0, QStringLiteral("n")), 0);

    bank->postCommNotice(QStringLiteral("시스템 점검 안내"));
    bank->postSmsId(QStringLiteral("QVXSMS09"));
    ASSERT_TRUE(bank->waitIdle(5000));
    EXPECT_EQ(user.nextFrame(5000), FrameReader::frame("Q9000880"));
    EXPECT_EQ(user.nextFrame(5000), FrameReader::frame("Q9919100"));
    EXPECT_EQ(server->client().commMsg(1), QStringLiteral("시스템 점검 안내"));
    EXPECT_EQ(server->client().commMsg(2), QStringLiteral("QVXSMS09"));
}

TEST_P(BankServiceTest, ConsoleCommandsPostOnDemand)
{
    auto bank = startBank({.delayMs = 0});
    BankConsole console(*bank);
    EXPECT_TRUE(console.run(QStringLiteral("help")).contains(QStringLiteral("smsid")));
    EXPECT_TRUE(console.run(QStringLiteral("notice")).contains(QStringLiteral("bank commands"))); // no text
    console.run(QStringLiteral("NOTICES"));
    console.run(QStringLiteral("notice 금일 이체 마감은 17시입니다"));
    ASSERT_TRUE(bank->waitIdle(5000));
    std::lock_guard lock(mutex);
    EXPECT_TRUE(broadcasts.contains(QStringLiteral("0200300")));
    EXPECT_TRUE(broadcasts.contains(QStringLiteral("9000880")));
    EXPECT_EQ(server->query(QStringLiteral("select msg from srv_commmsg where kind = 1")).value(0, QStringLiteral("msg")),
              QStringLiteral("금일 이체 마감은 17시입니다"));
}

TEST_P(BankServiceTest, BatchWaitsForAClientsOpenTransaction)
{
    auto bank = startBank({.delayMs = 0});
    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(1);
    insertBalanceRequest(app, base + 1);
    app.execute(QStringLiteral("commit"));

    // Another client holds the request row in its open transaction for a while.
    const QString no = QString::number(base + 1);
    auto other = server->newClient();
    other->execute(QStringLiteral("update amt_search set sr_flag = sr_flag where seqno = ") + no);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 1);
    QThread::msleep(300);
    EXPECT_EQ(bank->pending(), 1);
    other->execute(QStringLiteral("rollback"));
    ASSERT_TRUE(bank->waitIdle(15000));
    EXPECT_EQ(server->query(QStringLiteral("select sr_flag from amt_search where seqno = ") + no)
                  .value(0, QStringLiteral("sr_flag")),
              QStringLiteral("4"));
}

TEST(BankOptions, CommandLine)
{
    ServerOptions o;
    QString error;
    ASSERT_TRUE(parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--bank-delay"), QStringLiteral("250"),
                                    QStringLiteral("--bank-notices"), QStringLiteral("30"), QStringLiteral("--bank-console"),
                                    QStringLiteral("--bank-max-pending"), QStringLiteral("5")},
                                   o, &error))
        << qPrintable(error);
    EXPECT_EQ(o.bankDelayMs, 250);
    EXPECT_EQ(o.bankNoticeSeconds, 30);
    EXPECT_EQ(o.bankMaxPending, 5);
    EXPECT_TRUE(o.bankConsole);
    ServerOptions d;
    ASSERT_TRUE(parseServerOptions({QStringLiteral("QVXServer")}, d, &error));
    EXPECT_EQ(d.bankDelayMs, 1000);
    EXPECT_EQ(d.bankNoticeSeconds, 0);
    EXPECT_FALSE(d.bankConsole);
    EXPECT_FALSE(parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--bank-delay"), QStringLiteral("-5")}, d, &error));
}

TEST_P(BankServiceTest, ServerWiringAnnouncesThroughTheRelay)
{
    auto bank = qvx::startBank(server->context(), &relay); // the options' defaults: one second
    qvx::testing::RelayTestClient maker;
    ASSERT_TRUE(maker.connectTo(relay.port()));
    ASSERT_TRUE(maker.login("MAKER"));
    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(1);
    insertBalanceRequest(app, base + 1);
    app.execute(QStringLiteral("commit"));
    const QString no = QString::number(base + 1);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 1);
    EXPECT_EQ(maker.nextFrame(5000), FrameReader::frame("Q0610300"));
    bank.reset();
    // Taken off the hook: registrations are still accepted, nothing answers them.
    const QString next = QString::number(app.maxSeqNo(1) + 1);
    insertBalanceRequest(app, next.toInt());
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), next, next, QStringLiteral("000000")), 1);
    // An answered batch is no batch waiting to be sent.
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 0);
}

namespace {

SendBatch registration(const QString &code, const QString &table, const QString &user, qint64 no, const QString &date)
{
    SendBatch b;
    b.serviceCode = code;
    b.table = table;
    b.userId = user;
    b.firstNo = no;
    b.lastNo = no;
    b.time = QStringLiteral("000000");
    b.date = date;
    b.rowCount = 1;
    return b;
}

} // namespace

// What a restart finds: rows of every request table committed as sent whose
// registration never came (their senders were told the send failed) are
// never answered; registered ones are.
TEST_P(BankServiceTest, AtStartUpOnlyRegisteredBatchesOfAnyTableAreAnswered)
{
    ServerContext &ctx = server->context();
    TcpAppServer &app = server->client();
    const QString today = app.serverTime().left(8);
    const int base = app.maxSeqNo(5);
    ASSERT_GE(base, 0);
    const auto liquor = [&](int n) {
        return qvx::testing::requestInsert(
            QStringLiteral("cmsjiche102"),
            {{"SendDate", today}, {"SendTime", "120000"}, {"SeqNo", QString::number(n)}, {"BankID", "03"},
             {"USERID", "JURU"}, {"Gubun", "20"}, {"Price", "0000000050000"}, {"TRANS_BankID", "20"},
             {"bankNo", "1002345678901"}, {"MoBankNo", "12301234567890"}, {"sr_flag", "1"},
             {"up_gubuncode", "0102100"}});
    };
    app.execute(liquor(base + 1));
    app.execute(liquor(base + 2));
    insertBalanceRequest(app, base + 3);
    insertBalanceRequest(app, base + 4);
    app.execute(qvx::testing::requestInsert(
        QStringLiteral("giche"),
        {{"SendDate", today}, {"SendTime", "121000"}, {"SeqNo", QString::number(base + 5)}, {"BankID", "03"},
         {"USERID", "MAKER"}, {"CFMID", "APPR2"}, {"Gubun", "30"}, {"Price", "0000000150000"},
         {"TRANS_BankID", "20"}, {"BankNo", "1002345678901"}, {"MoBankNo", "12301234567890"}, {"sr_flag", "1"},
         {"up_gubuncode", "0100100"}}));
    app.execute(QStringLiteral("commit"));
    ctx.batchRegistry().record(registration(QStringLiteral("0102100"), QStringLiteral("cmsjiche102"),
                                            QStringLiteral("JURU"), base + 1, today));
    ctx.batchRegistry().record(registration(QStringLiteral("0600300"), QStringLiteral("amt_search"),
                                            QStringLiteral("MAKER"), base + 4, today));

    auto bank = registryBank();
    bank->resumeStoredBatches();
    ASSERT_TRUE(bank->waitIdle(15000));
    const auto flag = [&](const char *table, int n) {
        return server->query(QStringLiteral("select sr_flag from %1 where seqno = %2").arg(QLatin1String(table)).arg(n))
            .value(0, QStringLiteral("sr_flag"));
    };
    EXPECT_EQ(flag("cmsjiche102", base + 1), QStringLiteral("4"));
    EXPECT_EQ(flag("cmsjiche102", base + 2), QStringLiteral("3"));
    EXPECT_EQ(flag("amt_search", base + 3), QStringLiteral("3"));
    EXPECT_EQ(flag("amt_search", base + 4), QStringLiteral("4"));
    EXPECT_EQ(flag("giche", base + 5), QStringLiteral("0")); // back on the final approver's list
    EXPECT_TRUE(ctx.batchRegistry().pending().isEmpty());
}

// A connection that commits rows as sent and ends without registering them
// (its link dropped, or the registration failed) leaves nothing for a later
// inquiry or registration to have paid: as at a restart, its rows become
// send errors and its released transfers go back to the final approver.
// Rows of a registered batch, or of another connection still open, are left.
TEST_P(BankServiceTest, RowsACommittingConnectionNeverRegisteredAreReturnedWhenItEnds)
{
    auto bank = startBank({.delayMs = 60000});
    const QString today = server->client().serverTime().left(8);
    const int base = server->client().maxSeqNo(10);
    ASSERT_GE(base, 0);
    const auto liquor = [&](int n) {
        return qvx::testing::requestInsert(
            QStringLiteral("cmsjiche102"),
            {{"SendDate", today}, {"SendTime", "120000"}, {"SeqNo", QString::number(n)}, {"BankID", "03"},
             {"USERID", "JURU"}, {"Gubun", "20"}, {"Price", "0000000050000"}, {"TRANS_BankID", "20"},
             {"bankNo", "1002345678901"}, {"MoBankNo", "12301234567890"}, {"sr_flag", "1"},
             {"up_gubuncode", "0102100"}});
    };
    const auto flag = [&](const char *table, int n) {
        return server->query(QStringLiteral("select sr_flag from %1 where seqno = %2").arg(QLatin1String(table)).arg(n))
            .value(0, QStringLiteral("sr_flag"));
    };
    server->exec(qvx::testing::requestInsert(
        QStringLiteral("giche"),
        {{"SendDate", today}, {"SendTime", "121000"}, {"SeqNo", QString::number(base + 9)}, {"BankID", "03"},
         {"USERID", "MAKER"}, {"CFMID", "APPR2"}, {"Gubun", "30"}, {"Price", "0000000150000"},
         {"TRANS_BankID", "20"}, {"BankNo", "1002345678901"}, {"MoBankNo", "12301234567890"}, {"sr_flag", "0"},
         {"up_gubuncode", "0100100"}}));

    auto still = server->newClient(); // committed, not registered, still connected
    still->execute(liquor(base + 7));
    still->execute(QStringLiteral("commit"));
    auto registered = server->newClient();
    registered->execute(liquor(base + 4));
    registered->execute(liquor(base + 5));
    registered->execute(QStringLiteral("commit"));
    const QString first = QString::number(base + 4), last = QString::number(base + 5);
    ASSERT_EQ(registered->sendDesc(QStringLiteral("0102100"), QStringLiteral("JURU"), first, last,
                                   QStringLiteral("120000")), 1);
    auto dropped = server->newClient();
    for (int n = 1; n <= 3; ++n)
        dropped->execute(liquor(base + n));
    dropped->execute(QStringLiteral("commit"));
    auto approver = server->newClient();
    approver->execute(QStringLiteral("update giche set sr_flag = '1' where cfmid = 'APPR2' and sendtime = '121000' "
                                     "and sr_flag = '0'"));
    approver->execute(QStringLiteral("commit"));
    ASSERT_EQ(flag("giche", base + 9), QStringLiteral("1"));

    dropped.reset();
    approver.reset();
    registered.reset();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EVENTUALLY_EQ(flag("cmsjiche102", base + n), QStringLiteral("3"));
    EXPECT_EVENTUALLY_EQ(flag("giche", base + 9), QStringLiteral("0"));
    EXPECT_EQ(flag("cmsjiche102", base + 4), QStringLiteral("1")); // the bank answers it in its time
    EXPECT_EQ(flag("cmsjiche102", base + 5), QStringLiteral("1"));
    EXPECT_EQ(flag("cmsjiche102", base + 7), QStringLiteral("1"));
    still.reset();
    EXPECT_EVENTUALLY_EQ(flag("cmsjiche102", base + 7), QStringLiteral("3"));
    EXPECT_EQ(bank->pending(), 1);
}

// An answer that fails for a reason other than a lock (the database down or
// out of memory, here a trigger that refuses it) is tried again while the
// server runs, and the batch is answered once the database takes it.
TEST_P(BankServiceTest, AnAnswerThatFailedIsTriedAgainUntilItIsStored)
{
    auto bank = startBank({.delayMs = 0});
    server->exec(onMariaDb() ? QStringLiteral("create trigger qvx_refuse_answer before update on amt_search for each row "
                                              "begin if new.sr_flag = '4' then signal sqlstate '45000' set "
                                              "message_text = 'the test refuses the answer'; end if; end")
                             : QStringLiteral("create trigger qvx_refuse_answer before update of sr_flag on amt_search "
                                              "when new.sr_flag = '4' begin select raise(abort, 'the test refuses the "
                                              "answer'); end"));
    int sent = 0;
    const QString no = registerBalanceRequest(server->client(), &sent);
    EXPECT_EQ(sent, 1);
    const QString flag = QStringLiteral("select sr_flag from amt_search where seqno = ") + no;
    // The bank took the row ('2') and failed to store its answer.
    EXPECT_EVENTUALLY_EQ(server->query(flag).value(0, QStringLiteral("sr_flag")), QStringLiteral("2"));
    EXPECT_EQ(bank->pending(), 1);
    server->exec(QStringLiteral("drop trigger qvx_refuse_answer"));
    ASSERT_TRUE(bank->waitIdle(10000));
    const ResultSet rs = server->query(QStringLiteral("select sr_flag, errcode from amt_search where seqno = ") + no);
    EXPECT_EQ(rs.value(0, QStringLiteral("sr_flag")), QStringLiteral("4"));
    EXPECT_EQ(rs.value(0, QStringLiteral("errcode")), QStringLiteral("0000"));
}

namespace {

// A released transfer (sr_flag '1') of the 기업은행 account: message number
// n, final approver `approver`, made by `maker`, released at `time` of `date`.
QString releasedTransfer(const QString &date, const QString &time, int n, const QString &approver,
                         const QString &maker = QStringLiteral("MAKER"))
{
    return qvx::testing::requestInsert(
        QStringLiteral("giche"),
        {{"SendDate", date}, {"SendTime", time}, {"SeqNo", QString::number(n)}, {"BankID", "03"}, {"USERID", maker},
         {"CFMID", approver}, {"Gubun", "30"}, {"Price", "0000000150000"}, {"TRANS_BankID", "20"},
         {"BankNo", "1002345678901"}, {"MoBankNo", "12301234567890"}, {"sr_flag", "1"}, {"up_gubuncode", "0100100"}});
}

// The sr_flag of a transfer batch's rows in number order ("444").
QString transferFlags(test::TestServer &server, const QString &approver, const QString &time)
{
    const ResultSet rs = server.query(QStringLiteral("select sr_flag from giche where cfmid = '%1' and sendtime = '%2' "
                                                     "order by seqno, userid")
                                          .arg(approver, time));
    QString flags;
    for (int r = 0; r < rs.recordCount(); ++r)
        flags += rs.value(r, 0);
    return flags;
}

// Batch X: APPR1's transfers numbered 1-3 released at 10:15:00, committed
// and registered on `client`.
void registerBatchX(TcpAppServer &client, const QString &today)
{
    for (int n = 1; n <= 3; ++n)
        client.execute(releasedTransfer(today, QStringLiteral("101500"), n, QStringLiteral("APPR1")));
    client.execute(QStringLiteral("commit"));
    ASSERT_EQ(client.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR1"), QStringLiteral("0"),
                              QStringLiteral("0"), QStringLiteral("101500")),
              1);
}

} // namespace

// Message numbers repeat (a drop file brings its own, manual batches start at
// 1 each day): batch X of APPR1 numbered 1-3 registered; one row numbered 2
// of APPR3, and then batch Y of APPR2 numbered 1-3, each committed by a
// connection that ends without registering. Only their own rows go back to
// their approver's list; X stays registered and is paid whole.
TEST_P(BankServiceTest, AnUnregisteredBatchIsReturnedAloneBesideARegisteredOneOfTheSameNumbers)
{
    server->setBatchSink(std::make_shared<NullBatchSink>()); // registered, answered later
    const QString today = server->client().serverTime().left(8);
    auto x = server->newClient();
    ASSERT_NO_FATAL_FAILURE(registerBatchX(*x, today));
    auto half = server->newClient();
    half->execute(releasedTransfer(today, QStringLiteral("101700"), 2, QStringLiteral("APPR3"), QStringLiteral("OTHER")));
    half->execute(QStringLiteral("commit"));
    auto y = server->newClient();
    for (int n = 1; n <= 3; ++n)
        y->execute(releasedTransfer(today, QStringLiteral("101600"), n, QStringLiteral("APPR2")));
    y->execute(QStringLiteral("commit"));

    half.reset();
    EXPECT_EVENTUALLY_EQ(transferFlags(*server, QStringLiteral("APPR3"), QStringLiteral("101700")), QStringLiteral("0"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("111"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("111"));
    y.reset();
    EXPECT_EVENTUALLY_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("000"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("111"));
    x.reset();
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("111"));

    ServerContext &ctx = server->context();
    auto bank = registryBank();
    bank->resumeStoredBatches();
    ASSERT_TRUE(bank->waitIdle(15000));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("444"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("000"));
    EXPECT_TRUE(ctx.batchRegistry().pending().isEmpty());
}

// The same after a crash: at start-up X (registered) and Y (never
// registered, one row of Y's numbered 2 made by another user) are both still
// waiting; only Y's rows go back, and X is paid whole.
TEST_P(BankServiceTest, AtStartUpAnUnregisteredBatchIsReturnedAloneBesideARegisteredOneOfTheSameNumbers)
{
    ServerContext &ctx = server->context();
    const QString today = server->client().serverTime().left(8);
    for (int n = 1; n <= 3; ++n) {
        server->exec(releasedTransfer(today, QStringLiteral("101500"), n, QStringLiteral("APPR1")));
        server->exec(releasedTransfer(today, QStringLiteral("101600"), n, QStringLiteral("APPR2")));
    }
    server->exec(releasedTransfer(today, QStringLiteral("101700"), 2, QStringLiteral("APPR2"), QStringLiteral("OTHER")));
    SendBatch x;
    x.serviceCode = QStringLiteral("0100100");
    x.table = QStringLiteral("giche");
    x.userId = QStringLiteral("APPR1");
    x.time = QStringLiteral("101500");
    x.date = today;
    x.rowCount = 3;
    ctx.batchRegistry().record(x);

    auto bank = registryBank();
    bank->resumeStoredBatches();
    ASSERT_TRUE(bank->waitIdle(15000));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("444"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("000"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101700")), QStringLiteral("0"));
}

// A batch released at 23:59:59 and registered after midnight: it is answered
// 1 and the bank processes exactly those rows (of their own date). Rows
// already answered or returned are no batch waiting to be sent.
TEST_P(BankServiceTest, ABatchReleasedBeforeMidnightAndRegisteredAfterIsProcessed)
{
    ServerContext &ctx = server->context();
    const QDateTime midnight(QDate(2026, 4, 16), QTime(0, 0, 1));
    ctx.setClock([midnight] { return midnight; });
    auto bank = startBank({.delayMs = 0});
    auto approver = server->newClient();
    for (int n = 1; n <= 2; ++n)
        approver->execute(releasedTransfer(QStringLiteral("20260415"), QStringLiteral("235959"), n, QStringLiteral("APPR2")));
    approver->execute(QStringLiteral("commit"));
    ASSERT_EQ(approver->sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR2"), QStringLiteral("0"),
                                 QStringLiteral("0"), QStringLiteral("235959")),
              1);
    ASSERT_TRUE(bank->waitIdle(15000));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("235959")), QStringLiteral("44"));
    approver.reset();
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("235959")), QStringLiteral("44"));

    // Answered ('4') and returned ('3') rows are not waiting: 0, and nothing is registered.
    const qsizetype stored = ctx.batchRegistry().pending().size();
    TcpAppServer &app = server->client();
    EXPECT_EQ(app.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR2"), QStringLiteral("0"), QStringLiteral("0"),
                           QStringLiteral("235959")),
              0);
    const int base = app.maxSeqNo(1);
    insertBalanceRequest(app, base + 1);
    app.execute(QStringLiteral("commit"));
    const QString no = QString::number(base + 1);
    server->exec(QStringLiteral("update amt_search set sr_flag = '3' where seqno = ") + no);
    EXPECT_EQ(app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 0);
    EXPECT_EQ(bank->pending(), 0);
    EXPECT_EQ(ctx.batchRegistry().pending().size(), stored);
}

// A result inquiry names a transfer by date and number, which repeat: it
// concerns the row that reached the bank (of registered batch X), and the
// bank processes that row alone, never the row of the same number of batch
// Y that was never registered.
TEST_P(BankServiceTest, AResultInquiryProcessesOnlyTheRegisteredRowOfItsNumber)
{
    server->setBatchSink(std::make_shared<NullBatchSink>()); // X registered, not yet answered
    const QString today = server->client().serverTime().left(8);
    auto x = server->newClient();
    ASSERT_NO_FATAL_FAILURE(registerBatchX(*x, today));
    auto y = server->newClient(); // committed, not registered, still connected
    for (int n = 1; n <= 3; ++n)
        y->execute(releasedTransfer(today, QStringLiteral("101600"), n, QStringLiteral("APPR2")));
    y->execute(QStringLiteral("update giche set price = '0000000990000' where cfmid = 'APPR2'"));
    y->execute(QStringLiteral("commit"));

    auto bank = registryBank();
    server->setBatchSink(bank);
    TcpAppServer &app = server->client();
    const int base = app.maxSeqNo(1);
    const QString no = QString::number(base + 1);
    app.execute(qvx::testing::requestInsert(
        QStringLiteral("icheresult"),
        {{"SendDate", today}, {"SendTime", "110000"}, {"Service", "DY1"}, {"SeqNo", no}, {"BankID", "03"},
         {"USERID", "MAKER"}, {"ICHE_SendDate", today}, {"org_seqno", "2"}, {"sr_flag", "1"}, {"up_gubuncode", "0600100"}}));
    app.execute(QStringLiteral("commit"));
    ASSERT_EQ(app.sendDesc(QStringLiteral("0600100"), QStringLiteral("MAKER"), no, no, QStringLiteral("000000")), 1);
    ASSERT_TRUE(bank->waitIdle(15000));
    const ResultSet answer = server->query(QStringLiteral("select sr_flag, errcode, price from icheresult where seqno = ") + no);
    EXPECT_EQ(answer.value(0, QStringLiteral("sr_flag")), QStringLiteral("4"));
    EXPECT_EQ(answer.value(0, QStringLiteral("price")), QStringLiteral("0000000150000")); // X's row
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("141"));
    EXPECT_EQ(transferFlags(*server, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("111"));
    server->setBatchSink(std::make_shared<NullBatchSink>());
}

QVX_ON_EVERY_BACKEND(BankServiceTest);
