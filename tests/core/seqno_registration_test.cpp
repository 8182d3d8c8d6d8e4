#include "core/DayLog.h"
#include "core/Session.h"
#include "core/SeqNo.h"
#include "platform/Prompt.h"
#include "platform/ProgramDir.h"
#include "support/CountingLink.h"
#include "support/TestServer.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

using qvx::test::CountingLink;

// The questions as the user reads them.
const QString NotStoredQuestion = QStringLiteral(
    "데이터베이스에서 이체자료를 아직 처리하지 못하고 있습니다.\r\r처리할 때까지 대기하시려면 확인 버튼을 "
    "클릭하시고\r\r이체 업무를   철회하시려면 취소 버튼을 클릭하시기 바랍니다.");
const QString BusyQuestion = QStringLiteral(
    "서버의 처리량이 많습니다. \r\r재시도 하시려면 확인 버튼을 클릭하시고, \r\r잠시후 하시려면 취소 버튼을 "
    "클릭하시기 바랍니다.");

class RefusingSink : public qvx::BatchSink
{
public:
    bool acceptBatch(const qvx::SendBatch &) override { return false; }
};

class SeqNoTest : public ::testing::Test
{
protected:
    Session session;
    static void SetUpTestSuite()
    {
        qvx::test::TestServer::Config config;
        config.adjust = [](qvx::ServerOptions &o) { o.seqLockTimeoutMs = 50; };
        server = new qvx::test::TestServer(config);
    }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qvx::ProgramDir::setOverride(home.path());
        session.LoginUserId = S("TESTER");
        server->setBatchSink(std::make_shared<qvx::NullBatchSink>());
        if (server->query(S("select count(*) as n from srv_seqno")).valueInt(0, S("n")) != 1) {
            server->exec(S("delete from srv_seqno"));
            server->exec(S("insert into srv_seqno(lastno) values(5000)"));
        }
    }
    void TearDown() override
    {
        qvx::ProgramDir::setOverride(QString());
    }

    QString dayLog() const
    {
        QFile f(DayLogFileName());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Stores and commits `rows` amt_search rows from `first` on.
    void storeRows(qint64 first, int rows)
    {
        for (int i = 0; i < rows; ++i)
            server->exec(S("insert into amt_search(SeqNo, sr_flag) values(%1, '1')").arg(first + i));
    }

    static qvx::test::TestServer *server;
    QTemporaryDir home;
    qvx::ScriptedPrompt prompt;
};
qvx::test::TestServer *SeqNoTest::server = nullptr;

TEST_F(SeqNoTest, ReservesConsecutiveBlocks)
{
    const qint64 a = ReserveSeqNo(3, SeqNoLimitMs, &server->client());
    const qint64 b = ReserveSeqNo(2, SeqNoLimitMs, &server->client());
    EXPECT_GE(a, 0);
    EXPECT_EQ(b, a + 3);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SeqNoTest, ZeroIsAValidBase)
{
    server->exec(S("update srv_seqno set lastno = 0"));
    EXPECT_EQ(ReserveSeqNo(4, SeqNoLimitMs, &server->client()), 0);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SeqNoTest, DatabaseErrorShowsItsMessageUnlessSilent)
{
    server->exec(S("delete from srv_seqno"));
    CountingLink link(server->client());
    EXPECT_EQ(ReserveSeqNo(1, SeqNoLimitMs, &link), SeqNoDbError);
    EXPECT_EQ(link.seqCalls, 1);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("데이터베이스에 오류가 발생하였습니다.")});

    prompt.clear();
    EXPECT_EQ(ReserveSeqNo(1, SeqNoLimitMs, &link, SeqNoDbErrorNotice::Silent), SeqNoDbError);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SeqNoTest, BusyServerTimesOutWithOneMessage)
{
    // Another connection holds the write lock: every max_seqno answers -1.
    qvx::DbConnection &holder = server->db();
    holder.begin();
    CountingLink link(server->client());
    const qint64 result = ReserveSeqNo(1, 400, &link);
    holder.rollback();
    EXPECT_EQ(result, SeqNoTimedOut);
    EXPECT_GT(link.seqCalls, 1);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("현재 서버 처리량이 많습니다. 잠시 후 전송하시기 바랍니다.\r\n [전문번호 생성 실패]")});
    // Free again: numbers come.
    EXPECT_GE(ReserveSeqNo(1, SeqNoLimitMs, &server->client()), 0);
}

TEST_F(SeqNoTest, StoredRangeIsAcceptedAtOnce)
{
    const qint64 base = ReserveSeqNo(2, SeqNoLimitMs, &server->client());
    storeRows(base + 1, 2);
    EXPECT_EQ(SendDescBySeqNo(session, S("0600300"), session.LoginUserId, QString::number(base + 1), QString::number(base + 2),
                              S("000000"), S("amt_search"), &server->client()),
              SendDescAccepted);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SeqNoTest, RowsNotStoredAskAfterElevenAnswersAndOkCountsAgain)
{
    // Nothing stored in the range: the server answers 0 every time.
    CountingLink link(server->client());
    prompt.enqueueAnswer(true);   // wait: eleven more
    prompt.enqueueAnswer(false);  // withdraw
    EXPECT_EQ(SendDescBySeqNo(session, S("0600300"), session.LoginUserId, S("900001"), S("900002"), S("000000"), S("amt_search"), &link),
              SendDescWithdrawn);
    EXPECT_EQ(link.count(0), 22);
    EXPECT_EQ(prompt.texts(),
              (QStringList{NotStoredQuestion, NotStoredQuestion, QStringLiteral("작업을 철회하였습니다.")}));
    EXPECT_EQ(prompt.entries().first().kind, qvx::ScriptedPrompt::Confirm);
    EXPECT_EQ(prompt.entries().first().caption, S("확인"));
    EXPECT_FALSE(dayLog().contains(S("gubun :")));  // by number range: no log line
}

TEST_F(SeqNoTest, CfmIdRegistrationLogsAtTheNotStoredQuestion)
{
    CountingLink link(server->client());
    prompt.enqueueAnswer(false);
    EXPECT_EQ(SendDescByCfmId(session, S("0100100"), S("BOSS"), S("0"), S("0"), S("235959"), S("giche"), &link),
              SendDescWithdrawn);
    EXPECT_EQ(link.count(0), 11);
    EXPECT_TRUE(dayLog().contains(
        S("gubun :0100100 userid :BOSS minno :0 maxno :0 time :235959 tablename :giche")));
}

TEST_F(SeqNoTest, BusyAnswersAskTheBusyQuestion)
{
    server->setBatchSink(std::make_shared<RefusingSink>());
    const qint64 base = ReserveSeqNo(1, SeqNoLimitMs, &server->client());
    storeRows(base + 1, 1);
    const QString first = QString::number(base + 1);

    CountingLink bySeq(server->client());
    prompt.enqueueAnswer(true);   // retry: eleven more busy answers
    prompt.enqueueAnswer(false);
    EXPECT_EQ(SendDescBySeqNo(session, S("0600300"), session.LoginUserId, first, first, S("000000"), S("amt_search"), &bySeq),
              SendDescWithdrawn);
    EXPECT_EQ(bySeq.count(-1), 22);
    EXPECT_EQ(prompt.texts(), (QStringList{BusyQuestion, BusyQuestion, QStringLiteral("작업을 철회하였습니다.")}));

    // The transfer batch's variant answers -1 for the busy withdrawal and logs
    // only when the user chose to retry.
    server->exec(S("insert into giche(SeqNo, CFMID, SendTime, SendDate, sr_flag) values(1, 'BOSS', '101010', '%1', '1')")
                     .arg(server->client().serverTime().left(8)));
    prompt.clear();
    CountingLink byCfm(server->client());
    prompt.enqueueAnswer(false);
    EXPECT_EQ(SendDescByCfmId(session, S("0100100"), S("BOSS"), S("0"), S("0"), S("101010"), S("giche"), &byCfm),
              SendDescWithdrawnBusy);
    EXPECT_FALSE(dayLog().contains(S("time :101010")));
    prompt.clear();
    prompt.enqueueAnswer(true);
    prompt.enqueueAnswer(false);
    EXPECT_EQ(SendDescByCfmId(session, S("0100100"), S("BOSS"), S("0"), S("0"), S("101010"), S("giche"), &byCfm),
              SendDescWithdrawnBusy);
    EXPECT_EQ(dayLog().count(S("time :101010")), 1);
}

TEST_F(SeqNoTest, MixedAnswersCountSeparately)
{
    CountingLink link(server->client());
    for (int i = 0; i < 10; ++i) {
        link.forced.push_back(0);
        link.forced.push_back(-1);
    }
    link.forced.push_back(1);
    EXPECT_EQ(SendDescBySeqNo(session, S("0600300"), session.LoginUserId, S("1"), S("1"), S("000000"), S("amt_search"), &link),
              SendDescAccepted);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SeqNoTest, UnknownAnswersCountAsBusy)
{
    CountingLink link(server->client());
    for (int i = 0; i < 11; ++i)
        link.forced.push_back(7);
    prompt.enqueueAnswer(false);
    EXPECT_EQ(SendDescBySeqNo(session, S("0600300"), session.LoginUserId, S("1"), S("1"), S("000000"), S("amt_search"), &link),
              SendDescWithdrawn);
    EXPECT_EQ(prompt.texts(), (QStringList{BusyQuestion, QStringLiteral("작업을 철회하였습니다.")}));
}

} // namespace
