// Sending a liquor-trade batch against a real server: the exact request rows,
// the registration and the hand-over of the range; a row failing in the
// middle rolls everything back, registers nothing and writes its log lines.
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorRules.h"
#include "liquor/LiquorSend.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/Prompt.h"
#include "platform/ProgramDir.h"
#include "platform/TextFile.h"
#include "support/CountingLink.h"
#include "support/TestServer.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// The real link, with an insert refused or the security-card read failing on demand.
class FaultyLink : public qvx::test::CountingLink
{
public:
    using CountingLink::CountingLink;
    void execute(const QString &sql) override
    {
        if (!refuseInsertOf.isEmpty() && sql.startsWith(S("insert")) && sql.contains(refuseInsertOf)) {
            statements.push_back(sql);
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, S("refused by the test"));
        }
        CountingLink::execute(sql);
    }
    qvx::ResultSet select(const QString &sql) override
    {
        if (failCardRead && sql.contains(S("SecuCard")))
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, S("card table unreadable"));
        return CountingLink::select(sql);
    }
    QString refuseInsertOf;
    bool failCardRead = false;
};

class LiquorSendTest : public ::testing::Test
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
        qvx::Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12)));
        session.LoginUserId = S("JURU");
        session.NetworkId = S("QVX0000001");
        session.ServiceDiv = S("DY1");
        session.SendFlagInit = S("1");
        server->setBatchSink(std::make_shared<qvx::NullBatchSink>());
        server->exec(S("delete from cmsjiche102"));
        server->exec(S("delete from cmsjiche103"));
        prompt.setDefaultAnswer(false);
    }
    void TearDown() override
    {
        qvx::Clock::reset();
        qvx::ProgramDir::setOverride(QString());
    }

    LiquorRow row(const QString &name, qint64 liquor, qint64 nonLiquor, const QString &moBankId = S("88")) const
    {
        MotherAccount account;
        account.bankid = moBankId;
        account.mobankno = moBankId == u"23" ? S("12345678901") : S("110123456789");
        account.bankname = S("신한은행");
        account.firmid = S("HB8801");
        account.recvid = S("SHB8800");
        account.passwd = S("5678");
        LiquorEntry entry;
        entry.name = name;
        entry.bankId = moBankId == u"23" ? S("23") : S("21");
        entry.bankName = S("조흥은행");
        entry.bankNo = S("56012345678901");
        entry.realNameNo = S("123-45-67890");
        entry.info = S("O'Neil 건");
        entry.amounts = CheckLiquorAmounts(QString::number(liquor), QString::number(nonLiquor),
                                           QString::number(liquor + nonLiquor));
        return MakeLiquorEntryRow(session, account, entry);
    }
    int stored(const char *table) { return server->query(S("select count(*) as n from ") + S(table)).valueInt(0, S("n")); }
    QStringList logLines() const
    {
        bool ok = false;
        const QList<QByteArray> lines = qvx::TextFile::readByteLines(DayLogFileName(), &ok);
        QStringList out;
        for (const QByteArray &l : lines)
            out << qvx::Cp949::decode(l);
        return out;
    }

    static qvx::test::TestServer *server;
    QTemporaryDir home;
    Session session;
    qvx::ScriptedPrompt prompt;
    FaultyLink link{server->client()};
};
qvx::test::TestServer *LiquorSendTest::server = nullptr;

} // namespace

TEST_F(LiquorSendTest, CollectionsAreStoredRowByRowRegisteredAndHandedOver)
{
    session.PaymentMode = 0;
    const LiquorBatch batch = LiquorBatch::of(session, {row(S("가나상사"), 1000, 500), row(S("다라주류"), 2000, 0)});
    QList<int> shown;
    qint64 reservedBase = -1;
    LiquorSendProgress progress;
    progress.reserved = [&](qint64 base, int count) {
        reservedBase = base;
        EXPECT_EQ(count, 2);
    };
    progress.rowStored = [&](int k) { shown << k; };
    const LiquorSendOutcome out = SendLiquorBatch(session, link, batch, progress);
    ASSERT_EQ(out.status, LiquorSendOutcome::Sent) << qPrintable(out.error);
    EXPECT_EQ(reservedBase, out.seqBase);
    EXPECT_EQ(shown, (QList<int>{1, 2}));
    EXPECT_EQ(link.statements.front(), S("commit"));
    EXPECT_EQ(link.statements.back(), S("commit"));
    EXPECT_EQ(link.answers, std::vector<int>{1});
    EXPECT_EQ(session.SeqNoBase, out.seqBase);
    EXPECT_EQ(session.SeqNoLast, out.seqBase + 2);
    EXPECT_EQ(session.AcceptSeqBase, out.seqBase);
    EXPECT_EQ(session.AcceptSeqLast, out.seqBase + 2);
    EXPECT_EQ(stored("cmsjiche103"), 0);

    const qvx::ResultSet rs = server->query(S("select * from cmsjiche102 order by seqno"));
    ASSERT_EQ(rs.recordCount(), 2);
    const QStringList expected[] = {
        {S("SendDate"), S("20261209")},  {S("SendTime"), S("101112")},   {S("Service"), S("DY1")},
        {S("SendID"), S("QVX0000001")},  {S("RecvID"), S("SHB8800")},    {S("FirmID"), S("HB8801")},
        {S("BankID"), S("88")},          {S("USERID"), S("JURU")},       {S("CFMID"), S("")},
        {S("SendFlag"), S("1")},         {S("bankNo"), S("56012345678901")}, {S("PassWd"), S("5678")},
        {S("Boki"), S("")},              {S("Gubun"), S("20")},          {S("Price"), S("1500")},
        {S("Sign"), S("")},              {S("Remain"), S("")},           {S("TRANS_BankID"), S("21")},
        {S("MoBankNo"), S("110123456789")}, {S("Fee"), S("")},           {S("CmsCode"), S("")},
        {S("Name"), S("가나상사")},      {S("TaProcNo"), S("")},         {S("JuminNo"), S("1234567890")},
        {S("JuFlag"), S("1")},           {S("JuMoney"), S("1000")},      {S("nonJuMoney"), S("500")},
        {S("Dummy"), S("")},             {S("sr_flag"), S("1")},         {S("up_gubuncode"), S("0102100")},
        {S("COMMON_DUMMY"), S("O'Neil 건")},
    };
    for (const QStringList &pair : expected)
        EXPECT_EQ(rs.value(0, pair[0]), pair[1]) << qPrintable(pair[0]);
    EXPECT_EQ(rs.value(0, S("SeqNo")).toLongLong(), out.seqBase + 1);
    EXPECT_EQ(rs.value(1, S("SeqNo")).toLongLong(), out.seqBase + 2);
    EXPECT_EQ(rs.value(1, S("Price")), S("2000"));
    EXPECT_EQ(rs.value(1, S("nonJuMoney")), S("0"));
}

TEST_F(LiquorSendTest, PaymentsSwapTheAccountColumnsAndBank23GetsItsCodeAtSending)
{
    session.PaymentMode = 1;
    LiquorRow r23 = row(S("마바상사"), 3000, 0, S("23"));
    EXPECT_TRUE(LiquorEntryCheckCode(r23, &link).isEmpty());
    const LiquorBatch batch = LiquorBatch::of(session, {r23});
    const LiquorSendOutcome out = SendLiquorBatch(session, link, batch);
    ASSERT_EQ(out.status, LiquorSendOutcome::Sent) << qPrintable(out.error);
    const qvx::ResultSet rs = server->query(S("select * from cmsjiche103"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, S("MoBankNo")), S("12345678901"));
    EXPECT_EQ(rs.value(0, S("BankNo")), S("56012345678901"));
    EXPECT_EQ(rs.value(0, S("Gubun")), S("30"));
    EXPECT_EQ(rs.value(0, S("up_gubuncode")), S("0103100"));
    EXPECT_EQ(rs.value(0, S("Boki")), LiquorCheckCode(r23, QString::number(out.seqBase + 1), S("101112"), &link));
    EXPECT_FALSE(rs.value(0, S("Boki")).isEmpty());
}

TEST_F(LiquorSendTest, AFailingRowInTheMiddleRollsBackAndRegistersNothing)
{
    session.PaymentMode = 0;
    link.refuseInsertOf = S("'둘째'");
    const LiquorBatch batch =
        LiquorBatch::of(session, {row(S("첫째"), 100, 0), row(S("둘째"), 200, 0), row(S("셋째"), 300, 0)});
    const LiquorSendOutcome out = SendLiquorBatch(session, link, batch);
    EXPECT_EQ(out.status, LiquorSendOutcome::RowFailed);
    EXPECT_FALSE(out.committed());
    EXPECT_EQ(out.failedRow, 2);
    EXPECT_EQ(stored("cmsjiche102"), 0);
    EXPECT_TRUE(link.answers.empty());
    EXPECT_EQ(link.statements.back(), S("rollback"));
    EXPECT_EQ(session.SeqNoBase, 0);
    EXPECT_EQ(session.AcceptSeqBase, 0);
    EXPECT_EQ(LiquorSendFailureMessage(out),
              S("데이터베이스에 저장되지 않았습니다. 자료를 재작성한 후 송신하시기 바랍니다."));

    const QStringList lines = logLines();
    const QString first = QString::number(out.seqBase + 1);
    EXPECT_TRUE(lines.filter(S("수납이체자료 저장 실패 User : JURU  은행계좌 : ")).size() == 1) << qPrintable(lines.join('\n'));
    // The row's line first, then the statement that failed.
    const qsizetype failed = lines.indexOf(lines.filter(S("수납이체자료 저장 실패")).value(0));
    ASSERT_GE(failed, 0);
    ASSERT_LT(failed + 1, lines.size());
    EXPECT_TRUE(lines[failed + 1].contains(S("'둘째'"))) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines[failed + 1].toLower().contains(S("insert into cmsjiche102"))) << qPrintable(lines.join('\n'));
    EXPECT_EQ(lines.filter(S("'둘째'")).size(), 1) << qPrintable(lines.join('\n'));
    EXPECT_TRUE(lines.contains(S("이체송신 Error -> 20261209 101112 ") + first + S(" 88 ") + batch.rows[1].moBankNo
                               + S(" 200 200 0 123-45-67890 둘째 20 O'Neil 건")))
        << qPrintable(lines.join('\n'));
}

TEST_F(LiquorSendTest, ABank23CheckCodeFailureIsARowFailure)
{
    session.PaymentMode = 1;
    link.failCardRead = true;
    const LiquorBatch batch = LiquorBatch::of(session, {row(S("첫째"), 100, 0), row(S("둘째"), 200, 0, S("23"))});
    const LiquorSendOutcome out = SendLiquorBatch(session, link, batch);
    EXPECT_EQ(out.status, LiquorSendOutcome::RowFailed);
    EXPECT_EQ(out.failedRow, 2);
    EXPECT_EQ(stored("cmsjiche103"), 0);
    EXPECT_TRUE(link.answers.empty());
}

TEST_F(LiquorSendTest, AWithdrawnRegistrationKeepsTheCommittedRows)
{
    session.PaymentMode = 0;
    link.forced.assign(11, 0);
    prompt.enqueueAnswer(false);
    const LiquorSendOutcome out = SendLiquorBatch(session, link, LiquorBatch::of(session, {row(S("첫째"), 100, 0)}));
    EXPECT_EQ(out.status, LiquorSendOutcome::Withdrawn);
    EXPECT_TRUE(out.committed());
    EXPECT_EQ(stored("cmsjiche102"), 1);
    EXPECT_EQ(prompt.lastText(), S("작업을 철회하였습니다."));
    EXPECT_TRUE(LiquorSendFailureMessage(out).isEmpty());
}
