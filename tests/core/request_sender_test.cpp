#include "core/GapRequest.h"
#include "core/RequestRows.h"
#include "core/RunCommitted.h"
#include "core/RequestSender.h"
#include "core/RequestSql.h"
#include "core/Session.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ProgramDir.h"
#include "platform/SqlText.h"
#include "support/CountingLink.h"
#include "support/TestServer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Outcome = RequestResult::Outcome;
using qvx::test::CountingLink;

QString S(const char *s) { return QString::fromUtf8(s); }

class RequestSenderTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { server = new qvx::test::TestServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qvx::ProgramDir::setOverride(home.path());
        session.LoginUserId = S("MAKER");
        session.NetworkId = S("QVX0000001");
        session.ServiceDiv = S("DY2");
        server->setBatchSink(std::make_shared<qvx::NullBatchSink>());
        server->exec(S("delete from amt_search"));
        prompt.setDefaultAnswer(false); // a question nobody expected withdraws
    }
    void TearDown() override { qvx::ProgramDir::setOverride(QString()); }

    AmtSearchRow balanceRow(const QString &account) const
    {
        AmtSearchRow row;
        ApplyRequestHeader(row, RequestHeader::of(session));
        row.RecvID = S("KB0001");
        row.FirmID = S("F0001");
        row.BankID = S("04");
        row.BankNo = account;
        return row;
    }
    int storedRows() { return server->query(S("select count(*) as n from amt_search")).valueInt(0, S("n")); }

    static qvx::test::TestServer *server;
    QTemporaryDir home;
    Session session;
    qvx::ScriptedPrompt prompt;
    CountingLink link{server->client()};
};
qvx::test::TestServer *RequestSenderTest::server = nullptr;

TEST_F(RequestSenderTest, TypedRowsTakeTheReservedNumbersAndAreRegisteredAsOneRange)
{
    RequestSender sender(session, link);
    const RequestResult r = sender.sendRows(RequestBatch::bySeqNo(S("0600300"), S("amt_search")),
                                            QList<AmtSearchRow>{balanceRow(S("111")), balanceRow(S("222"))});
    ASSERT_EQ(r.outcome, Outcome::Sent);
    EXPECT_TRUE(r.sent());
    EXPECT_EQ(r.stored, 2);
    EXPECT_EQ(r.registration, 1);
    EXPECT_EQ(link.seqCalls, 1);
    const qvx::ResultSet rows = server->query(S("select seqno, bankno, sr_flag, up_gubuncode, userid, sendid "
                                                "from amt_search order by seqno"));
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value(0, S("seqno")).toLongLong(), r.base + 1);
    EXPECT_EQ(rows.value(1, S("seqno")).toLongLong(), r.base + 2);
    EXPECT_EQ(rows.value(1, S("bankno")), S("222"));
    EXPECT_EQ(rows.value(0, S("sr_flag")), S("1"));
    EXPECT_EQ(rows.value(0, S("up_gubuncode")), S("0600300"));
    EXPECT_EQ(rows.value(0, S("userid")), S("MAKER"));
    EXPECT_EQ(rows.value(0, S("sendid")), S("QVX0000001"));
    EXPECT_EQ(link.statements.back(), S("commit"));
}

TEST_F(RequestSenderTest, AllOrNothingRollsBackAtTheFirstRefusedRowAndRegistersNothing)
{
    RequestSender sender(session, link);
    const RequestResult r = sender.send(RequestBatch::bySeqNo(S("0600300"), S("amt_search")), 3,
                                        [this](int i, qint64 seqNo) {
                                            if (i == 1)
                                                return S("insert into no_such_table(a) values('x')");
                                            AmtSearchRow row = balanceRow(S("333"));
                                            SetRequestSeqNo(row, seqNo);
                                            return MakeInsertSql(row);
                                        });
    EXPECT_EQ(r.outcome, Outcome::InsertFailed);
    EXPECT_EQ(r.stored, 1);
    EXPECT_EQ(storedRows(), 0);
    EXPECT_TRUE(link.answers.empty());
    EXPECT_EQ(link.statements.back(), S("rollback"));
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(RequestSenderTest, SkipBadLineStoresTheOthersAndRegistersTheWholeRange)
{
    RequestSender sender(session, link);
    RequestBatch batch = RequestBatch::bySeqNo(S("0600300"), S("amt_search"));
    batch.policy = RequestBatch::Policy::SkipBadLine;
    QList<int> reported;
    batch.onRefused = [&reported](int row) { reported << row; };
    const RequestResult r = sender.send(batch, 3, [this](int i, qint64 seqNo) {
        if (i == 1)
            return S("insert into no_such_table(a) values('x')");
        AmtSearchRow row = balanceRow(S("444"));
        SetRequestSeqNo(row, seqNo);
        return MakeInsertSql(row);
    });
    EXPECT_EQ(r.outcome, Outcome::Sent);
    EXPECT_EQ(r.stored, 2);
    EXPECT_EQ(reported, QList<int>{1});
    EXPECT_EQ(r.refused, QList<int>{1});
    EXPECT_EQ(storedRows(), 2);
    EXPECT_EQ(r.firstNo(), QString::number(r.base + 1));
    EXPECT_EQ(r.lastNo(), QString::number(r.base + 3));
}

TEST_F(RequestSenderTest, AnEmptyBatchIsNeitherCommittedNorRegistered)
{
    RequestSender sender(session, link);
    const RequestResult none = sender.sendRows(RequestBatch::bySeqNo(S("0600300"), S("amt_search")),
                                               QList<AmtSearchRow>{});
    EXPECT_EQ(none.outcome, Outcome::Empty);
    EXPECT_EQ(link.seqCalls, 0);

    // Every line skipped by the caller: numbers were reserved, but no commit
    // and no registration follow.
    RequestBatch batch = RequestBatch::bySeqNo(S("0600300"), S("amt_search"));
    batch.policy = RequestBatch::Policy::SkipBadLine;
    const RequestResult skipped = sender.send(batch, 2, [](int, qint64) { return QString(); });
    EXPECT_EQ(skipped.outcome, Outcome::Empty);
    EXPECT_EQ(link.executes, 0);
    EXPECT_TRUE(link.answers.empty());
}

TEST_F(RequestSenderTest, AWithdrawnRegistrationLeavesTheCommittedRows)
{
    RequestSender sender(session, link);
    prompt.enqueueAnswer(false); // withdraw at the "not stored yet" question
    link.forced.assign(11, 0);
    const RequestResult r = sender.sendRows(RequestBatch::bySeqNo(S("0600300"), S("amt_search")),
                                            QList<AmtSearchRow>{balanceRow(S("555"))});
    EXPECT_EQ(r.outcome, Outcome::Withdrawn);
    EXPECT_EQ(r.registration, -2);
    EXPECT_EQ(storedRows(), 1);
    EXPECT_EQ(prompt.lastText(), S("작업을 철회하였습니다."));
}

TEST_F(RequestSenderTest, ByCfmIdUsesTheRowsOwnNumbersAndTheBatchTime)
{
    RequestSender sender(session, link);
    GicheRow row;
    ApplyRequestHeader(row, RequestHeader::of(session));
    row.SendTime = S("101010"); // the batch's time, which registers it
    row.SeqNo = S("777001");
    row.CFMID = S("MAKER");
    row.Name = S("가나다라마바사아자");  // 18 bytes: stored with its first 12
    server->exec(S("delete from giche where seqno = 777001"));
    const RequestResult r =
        sender.sendRows(RequestBatch::byCfmId(S("0100100"), S("giche"), S("101010")), QList<GicheRow>{row});
    EXPECT_EQ(r.outcome, Outcome::Sent);
    EXPECT_EQ(link.seqCalls, 0);
    const qvx::ResultSet stored = server->query(S("select name, sr_flag from giche where seqno = 777001"));
    ASSERT_EQ(stored.recordCount(), 1);
    EXPECT_EQ(stored.value(0, S("name")), S("가나다라마바"));
    server->exec(S("delete from giche where seqno = 777001"));
}

TEST(RequestRows, TheGenericBuilderWritesWhatThePositionalBuilderWrites)
{
    QStringList values;
    for (int i = 0; i < 31; ++i)
        values << QStringLiteral("v%1").arg(i);
    values[3] = S("1001");
    values[22] = S("O'Brien");
    const GicheRow row = RequestRowFromValues<GicheRow>(values);
    EXPECT_EQ(row.Name, S("O'Brien"));
    EXPECT_EQ(MakeInsertSql(row),
              MakeGicheSql(values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7],
                           values[8], values[9], values[10], values[11], values[12], values[13], values[14],
                           values[15], values[16], values[17], values[18], values[19], values[20], values[21],
                           values[22], values[23], values[24], values[25], values[26], values[27], values[28],
                           values[29], values[30]));
    EXPECT_TRUE(MakeInsertSql(row).contains(S(",1001,'v4',")));
    EXPECT_TRUE(MakeInsertSql(row).contains(S("'O''Brien'")));
}

TEST(RequestRows, DefaultsAndBareNumbers)
{
    VasTrsumRow vas;
    EXPECT_EQ(vas.sr_flag, S("1"));
    EXPECT_EQ(vas.up_gubuncode, S("0300400"));
    SmsTransRow sms;
    SetRequestSeqNo(sms, 42);
    EXPECT_EQ(sms.SeqNo, S("42"));
    EXPECT_EQ(sms.TranSeqNo, S("42"));
    EXPECT_EQ(sms.RecvID, S("HELP002"));

    VDepositOrderRow capitals;
    Session session;
    session.NetworkId = S("NET");
    ApplyRequestHeader(capitals, RequestHeader::of(session));
    EXPECT_EQ(capitals.SENDID, S("NET"));
    EXPECT_EQ(*RequestField(capitals, "sendid"), S("NET"));

    AmtSearchRow row;
    row.SeqNo = S("9223372036854775807");
    EXPECT_NO_THROW(MakeInsertSql(row));
    row.SeqNo = S("12345678901234567890"); // 20 digits: beyond 64 bits
    EXPECT_THROW(MakeInsertSql(row), qvx::SqlValueError);
    row.SeqNo = S("12a");
    EXPECT_THROW(MakeInsertSql(row), qvx::SqlValueError);
}

} // namespace

namespace {

TEST_F(RequestSenderTest, ABatchStoredForApprovalIsCommittedButNotRegistered)
{
    RequestSender sender(session, link);
    RequestBatch batch = RequestBatch::bySeqNo(S("0600300"), S("amt_search"));
    batch.registration = RequestBatch::Registration::None;
    const RequestResult r = sender.sendRows(batch, QList<AmtSearchRow>{balanceRow(S("333"))});
    ASSERT_EQ(r.outcome, Outcome::Sent);
    EXPECT_EQ(r.registration, 0);
    EXPECT_TRUE(link.answers.empty());
    EXPECT_EQ(link.statements.back(), S("commit"));
    EXPECT_EQ(storedRows(), 1);
}

} // namespace

namespace {

// The link with a reservation that fails the way the test says, or an
// insert refused when its statement holds a given text.
class FailingLink : public CountingLink
{
public:
    using CountingLink::CountingLink;
    int reserveAnswer = 0;      // 0: the server's own answer
    QString refuseContaining;   // "": nothing refused
    int maxSeqNo(int n) override { return reserveAnswer != 0 ? reserveAnswer : CountingLink::maxSeqNo(n); }
    void execute(const QString &sql) override
    {
        if (!refuseContaining.isEmpty() && sql.contains(refuseContaining))
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, QStringLiteral("refused"));
        CountingLink::execute(sql);
    }
};

} // namespace

TEST_F(RequestSenderTest, AFailedReservationSaysWhetherItTimedOutOrTheDatabaseFailed)
{
    FailingLink failing{server->client()};
    RequestSender sender(session, failing);
    RequestBatch batch = RequestBatch::bySeqNo(S("0600300"), S("amt_search"));
    batch.reserveLimitMs = 50;
    failing.reserveAnswer = -1; // busy for the whole time limit
    const RequestResult busy = sender.sendRows(batch, QList<AmtSearchRow>{balanceRow(S("1"))});
    EXPECT_EQ(busy.outcome, Outcome::ReserveFailed);
    EXPECT_TRUE(busy.reserveTimedOut());
    EXPECT_FALSE(busy.reserveDbFailed());
    failing.reserveAnswer = -2;
    const RequestResult broken = sender.sendRows(batch, QList<AmtSearchRow>{balanceRow(S("1"))});
    EXPECT_TRUE(broken.reserveDbFailed());
    EXPECT_FALSE(broken.reserveTimedOut());
    EXPECT_EQ(prompt.lastText(), SeqNoDbErrorMessage);
    EXPECT_EQ(storedRows(), 0);
}

TEST_F(RequestSenderTest, AGapRequestAsksForEachMissingNumberUpToTheBoundAllOrNothing)
{
    server->exec(S("delete from deposit_order"));
    const QStringList received = {S("000001"), S("000002"), S("000005"), S("000005"), S("x")};
    EXPECT_EQ(MissingNumbers(received), (QList<int>{3, 4}));
    EXPECT_EQ(MissingNumbers(received, 7), (QList<int>{3, 4, 6, 7}));
    EXPECT_EQ(MissingNumbers({}, 2), (QList<int>{1, 2}));
    EXPECT_TRUE(MissingNumbers({S("1"), S("2")}, 2).isEmpty());

    auto orderRow = [this](int missing) {
        DepositOrderRow row;
        ApplyRequestHeader(row, RequestHeader::of(session));
        row.BankID = S("20");
        row.FirmID = S("HB2001");
        row.DEPOSIT_SendDate = S("20261209");
        row.ORG_SEQNO = QString::number(missing);
        return row;
    };
    const RequestBatch batch = RequestBatch::bySeqNo(S(DepositOrderRow::ServiceCode), S("deposit_order"));

    // The second order row is refused: none of them stays, nothing is registered.
    FailingLink failing{server->client()};
    failing.refuseContaining = S("'6'");
    RequestSender refusing(session, failing);
    const RequestResult refused =
        SendGapRequest<DepositOrderRow>(refusing, batch, MissingNumbers(received, 7), orderRow);
    EXPECT_EQ(refused.outcome, Outcome::InsertFailed);
    EXPECT_EQ(server->query(S("select count(*) as n from deposit_order")).valueInt(0, S("n")), 0);
    EXPECT_TRUE(failing.answers.empty());

    RequestSender sender(session, link);
    const RequestResult sent = SendGapRequest<DepositOrderRow>(sender, batch, MissingNumbers(received, 7), orderRow);
    ASSERT_EQ(sent.outcome, Outcome::Sent);
    const qvx::ResultSet rows = server->query(S("select seqno, org_seqno, up_gubuncode from deposit_order order by seqno"));
    ASSERT_EQ(rows.recordCount(), 4);
    EXPECT_EQ(rows.value(0, S("org_seqno")), S("3"));
    EXPECT_EQ(rows.value(3, S("org_seqno")), S("7"));
    EXPECT_EQ(rows.value(3, S("seqno")).toLongLong(), sent.base + 4);
    EXPECT_EQ(rows.value(0, S("up_gubuncode")), S("0200640"));
    EXPECT_EQ(link.answers.size(), 1u);

    // Nothing missing: nothing is sent.
    const RequestResult none = SendGapRequest<DepositOrderRow>(sender, batch, {}, orderRow);
    EXPECT_EQ(none.outcome, Outcome::Empty);
    server->exec(S("delete from deposit_order"));
}

TEST_F(RequestSenderTest, RunCommittedStoresOneStatementOrRollsItBack)
{
    server->exec(S("delete from error where bankid = '99'"));
    QString error;
    EXPECT_TRUE(RunCommitted(link, S("insert into error (bankid, errcode, errcontents) values ('99', 'E1', '가')"),
                             &error));
    EXPECT_EQ(link.statements.front(), S("commit"));
    EXPECT_EQ(link.statements.back(), S("commit"));
    EXPECT_FALSE(RunCommitted(link, S("insert into no_such_table (a) values ('x')"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(link.statements.back(), S("rollback"));
    EXPECT_EQ(server->query(S("select count(*) as n from error where bankid = '99'")).valueInt(0, S("n")), 1);
    server->exec(S("delete from error where bankid = '99'"));
}
