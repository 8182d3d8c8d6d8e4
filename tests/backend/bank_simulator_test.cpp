// The simulated bank against a demo database: every service code gets its
// answer rows, the failing-account rule, balances that follow the day's
// transfers, and notices with gaps that the gap requests fill.

#include "backend/BankRules.h"
#include "backend/BankSimulator.h"
#include "backend/DemoDatabase.h"
#include "backend/SqliteDatabase.h"
#include "tests/backend/backend_databases.h"
#include "tests/backend/request_tables.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvx;
using qvx::testing::requestInsert;

namespace {

const QString kToday = QStringLiteral("20260415");
using Values = QList<QPair<QString, QString>>;

class BankSimulatorTest : public qvx::testing::BackendTest
{
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        if (onMariaDb()) {
            database = freshDatabase();
        } else {
            ASSERT_TRUE(dir.isValid());
            const QString file = dir.filePath(QStringLiteral("bank.sqlite"));
            createDemoDatabase(file);
            database = std::make_shared<SqliteDatabase>(file);
        }
        db = database->connect();
        BankSimulator::ensureTables(*db);
        bank = std::make_unique<BankSimulator>(*db, [] {
            return QDateTime(QDate(2026, 4, 15), QTime(10, 30, 0));
        });
    }

    void insert(const QString &table, const Values &values) { db->exec(requestInsert(table, values)); }

    // The header of a request row of the demo company.
    static Values header(qint64 seqNo, const QString &bankId, const QString &code, const QString &time = "101000")
    {
        return {{"SendDate", kToday}, {"SendTime", time}, {"Service", "DY1"}, {"SeqNo", QString::number(seqNo)},
                {"SendID", "QVX0000001"}, {"BankID", bankId}, {"USERID", "MAKER"}, {"SendFlag", "1"},
                {"sr_flag", "1"}, {"up_gubuncode", code}};
    }

    // A general transfer from the 기업은행 mother account, released by APPR2 at 101000.
    void transfer(qint64 seqNo, const QString &gubun, const QString &transBank, const QString &account,
                  const QString &price)
    {
        Values v = header(seqNo, "03", "0101100");
        v << qMakePair(QStringLiteral("CFMID"), QStringLiteral("APPR2"))
          << qMakePair(QStringLiteral("RecvID"), QStringLiteral("IBK0300"))
          << qMakePair(QStringLiteral("FirmID"), QStringLiteral("HB0301"))
          << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("12301234567890"))
          << qMakePair(QStringLiteral("Gubun"), gubun) << qMakePair(QStringLiteral("Price"), price)
          << qMakePair(QStringLiteral("TRANS_BankID"), transBank) << qMakePair(QStringLiteral("BankNo"), account)
          << qMakePair(QStringLiteral("Name"), QStringLiteral("한빛상사"));
        insert(QStringLiteral("giche"), v);
    }

    BankSimulator::Reply answer(const QString &code, const QString &table, qint64 first, qint64 last,
                                const QString &user = "MAKER", const QString &time = "000000")
    {
        SendBatch b;
        b.serviceCode = code;
        b.table = table;
        b.userId = user;
        b.firstNo = first;
        b.lastNo = last;
        b.time = time;
        return bank->answer(b);
    }

    ResultSet row(const QString &table, qint64 seqNo)
    {
        return db->query(QStringLiteral("select * from %1 where seqno = %2").arg(table).arg(seqNo));
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> database;
    std::unique_ptr<DbConnection> db;
    std::unique_ptr<BankSimulator> bank;
};

} // namespace

TEST_P(BankSimulatorTest, TransferBatchFoundByApproverAndTimeWithFailingAccounts)
{
    transfer(11, "30", "20", "1002345678901", "0000000150000");  // other bank: fee
    transfer(12, "30", "03", "12345678901234", "0000000070000"); // same bank: no fee
    transfer(13, "30", "20", "9990001112223", "0000000050000");  // closed account
    transfer(14, "30", "20", "12-3", "0000000010000");           // too short
    transfer(15, "30", "20", "1002345678901", "0000200000000");  // beyond the funds
    transfer(16, "20", "04", "123456789012", "0000000030000");   // collection
    // Another approver's batch at the same time stays untouched.
    transfer(17, "30", "20", "1002345678901", "0000000010000");
    db->exec(QStringLiteral("update giche set cfmid = 'APPR1' where seqno = 17"));

    const auto reply = answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"),
                              QStringLiteral("101000"));
    EXPECT_EQ(reply.code, QStringLiteral("0110100"));
    EXPECT_EQ(reply.userId, QStringLiteral("APPR2"));
    EXPECT_EQ(reply.rows, 6);

    const auto rs = db->query(QStringLiteral("select seqno, sr_flag, errcode, fee, taprocno, receivedate, taerrprice "
                                             "from giche order by seqno"));
    ASSERT_EQ(rs.recordCount(), 7);
    const char *codes[] = {"0000", "0000", "0012", "0011", "0013", "0000"};
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(rs.value(r, "sr_flag"), QStringLiteral("4")) << r;
        EXPECT_EQ(rs.value(r, "errcode"), QLatin1String(codes[r])) << r;
        EXPECT_EQ(rs.value(r, "receivedate"), kToday);
    }
    EXPECT_EQ(rs.value(0, "fee"), QStringLiteral("500"));
    EXPECT_EQ(rs.value(0, "taprocno"), QStringLiteral("260415000011"));
    EXPECT_EQ(rs.value(1, "fee"), QStringLiteral("0"));
    EXPECT_EQ(rs.value(1, "taprocno"), QString());
    EXPECT_EQ(rs.value(2, "taerrprice"), QStringLiteral("50000"));
    EXPECT_EQ(rs.value(6, "sr_flag"), QStringLiteral("1"));

    // The failed other-bank payments come back as failure notices, numbered per bank and day.
    const auto notices = db->query(QStringLiteral("select bank_seqno, org_seqno, procresult, bankno from ta_iche_err "
                                                  "where err_senddate = '%1' order by bank_seqno").arg(kToday));
    ASSERT_EQ(notices.recordCount(), 3);
    EXPECT_EQ(notices.value(0, "bank_seqno"), QStringLiteral("000001"));
    EXPECT_EQ(notices.value(0, "org_seqno"), QStringLiteral("13"));
    EXPECT_EQ(notices.value(0, "procresult"), QStringLiteral("0012"));

    // A second registration of the same batch answers nothing again.
    EXPECT_EQ(answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"),
                     QStringLiteral("101000")).rows,
              0);
}

TEST_P(BankSimulatorTest, TheAnswerReplacesTheRealNameNumberInTheUnprocessedFigures)
{
    // The request carries the payee's real-name number 800101-1234567 in TAERRFEE and TAERRPRICE.
    transfer(21, "30", "03", "12345678901234", "0000000070000"); // same bank, done
    transfer(22, "30", "20", "1002345678901", "0000000150000");  // other bank, done
    transfer(23, "30", "20", "9990001112223", "0000000050000");  // other bank, closed account
    db->exec(QStringLiteral("update giche set taerrfee = '80010', taerrprice = '11234567'"));
    answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"), QStringLiteral("101000"));
    const auto rs = db->query(QStringLiteral("select taerrfee, taerrprice, taerrmoney from giche order by seqno"));
    ASSERT_EQ(rs.recordCount(), 3);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(rs.value(r, "taerrfee"), QStringLiteral("0")) << r;
        EXPECT_EQ(rs.value(r, "taerrprice"), QStringLiteral("0")) << r;
        EXPECT_EQ(rs.value(r, "taerrmoney"), QStringLiteral("0")) << r;
    }
    EXPECT_EQ(rs.value(2, "taerrfee"), QStringLiteral("0"));
    EXPECT_EQ(rs.value(2, "taerrprice"), QStringLiteral("50000"));
    EXPECT_EQ(rs.value(2, "taerrmoney"), QStringLiteral("50000"));
}

TEST_P(BankSimulatorTest, ResultInquiriesAreAnsweredFromTheTransfers)
{
    transfer(21, "30", "20", "9990001112223", "0000000050000");
    transfer(22, "30", "20", "1002345678901", "0000000060000");
    answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"), QStringLiteral("101000"));
    transfer(23, "30", "20", "1002345678901", "0000000070000"); // released, registered, not yet answered
    transfer(24, "30", "20", "1002345678901", "0000000080000");
    db->exec(QStringLiteral("update giche set sr_flag = '0' where seqno = 24")); // waiting for approval
    Values unregistered = header(25, "03", "0101100", "102000"); // released, its registration never came
    unregistered << qMakePair(QStringLiteral("CFMID"), QStringLiteral("APPR2"))
                 << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("12301234567890"))
                 << qMakePair(QStringLiteral("Gubun"), QStringLiteral("30"))
                 << qMakePair(QStringLiteral("Price"), QStringLiteral("0000000090000"))
                 << qMakePair(QStringLiteral("TRANS_BankID"), QStringLiteral("20"))
                 << qMakePair(QStringLiteral("BankNo"), QStringLiteral("1002345678901"));
    insert(QStringLiteral("giche"), unregistered);
    BatchRegistry registry(database);
    SendBatch released;
    released.serviceCode = QStringLiteral("0100100");
    released.table = QStringLiteral("giche");
    released.userId = QStringLiteral("APPR2");
    released.time = QStringLiteral("101000");
    released.date = kToday;
    registry.record(released);
    bank = std::make_unique<BankSimulator>(*db, [] { return QDateTime(QDate(2026, 4, 15), QTime(10, 30, 0)); },
                                           &registry);

    int seq = 31;
    for (const char *org : {"21", "22", "23", "24", "99", "25"}) {
        Values v = header(seq++, "03", "0600100");
        v << qMakePair(QStringLiteral("ICHE_SendDate"), kToday) << qMakePair(QStringLiteral("org_seqno"), QString::fromLatin1(org));
        insert(QStringLiteral("Icheresult"), v);
    }
    const auto reply = answer(QStringLiteral("0600100"), QStringLiteral("Icheresult"), 31, 36);
    EXPECT_EQ(reply.code, QStringLiteral("0610100"));
    EXPECT_EQ(reply.rows, 6);
    EXPECT_EQ(row("icheresult", 31).value(0, "errcode"), QStringLiteral("0012"));
    EXPECT_EQ(row("icheresult", 31).value(0, "procresult"), QStringLiteral("0012"));
    EXPECT_EQ(row("icheresult", 32).value(0, "procresult"), QStringLiteral("0000"));
    EXPECT_EQ(row("icheresult", 32).value(0, "price"), QStringLiteral("0000000060000"));
    EXPECT_EQ(row("icheresult", 32).value(0, "fee"), QStringLiteral("500"));
    EXPECT_EQ(row("icheresult", 32).value(0, "gubun"), QStringLiteral("30"));
    // The registered pending transfer is processed by the inquiry and shows its result in both tables.
    EXPECT_EQ(row("icheresult", 33).value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(row("giche", 23).value(0, "sr_flag"), QStringLiteral("4"));
    EXPECT_EQ(row("icheresult", 34).value(0, "errcode"), QLatin1String(bank::CodeNoOriginal));
    EXPECT_EQ(row("giche", 24).value(0, "sr_flag"), QStringLiteral("0"));
    EXPECT_EQ(row("icheresult", 35).value(0, "errcode"), QLatin1String(bank::CodeNoOriginal));
    // One whose sender was told the send failed is not the bank's to pay.
    EXPECT_EQ(row("icheresult", 36).value(0, "errcode"), QLatin1String(bank::CodeNoOriginal));
    EXPECT_EQ(row("giche", 25).value(0, "sr_flag"), QStringLiteral("1"));
    EXPECT_TRUE(row("giche", 25).value(0, "errcode").trimmed().isEmpty());
}

TEST_P(BankSimulatorTest, LiquorTransfersAndTheirResultInquiries)
{
    Values c = header(41, "20", "0102100");
    c << qMakePair(QStringLiteral("bankNo"), QStringLiteral("9990001112223")) // counterpart, closed
      << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("1005123456789")) << qMakePair(QStringLiteral("Gubun"), QStringLiteral("20"))
      << qMakePair(QStringLiteral("Price"), QStringLiteral("0000000100000")) << qMakePair(QStringLiteral("TRANS_BankID"), QStringLiteral("04"))
      << qMakePair(QStringLiteral("JuminNo"), QStringLiteral("2118812345")) << qMakePair(QStringLiteral("JuMoney"), QStringLiteral("60000"));
    insert(QStringLiteral("cmsjiche102"), c);
    Values p = header(42, "20", "0103100");
    p << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("1005123456789"))
      << qMakePair(QStringLiteral("BankNo"), QStringLiteral("110987654321")) << qMakePair(QStringLiteral("Gubun"), QStringLiteral("30"))
      << qMakePair(QStringLiteral("Price"), QStringLiteral("0000000200000")) << qMakePair(QStringLiteral("TRANS_BankID"), QStringLiteral("88"));
    insert(QStringLiteral("CMSJICHE103"), p);
    EXPECT_EQ(answer(QStringLiteral("0102100"), QStringLiteral("cmsjiche102"), 41, 41).code, QStringLiteral("0112100"));
    EXPECT_EQ(answer(QStringLiteral("0103100"), QStringLiteral("CMSJICHE103"), 42, 42).code, QStringLiteral("0113100"));
    EXPECT_EQ(row("cmsjiche102", 41).value(0, "errcode"), QStringLiteral("0012"));
    EXPECT_EQ(row("cmsjiche103", 42).value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(row("cmsjiche103", 42).value(0, "fee"), QStringLiteral("500"));

    Values q1 = header(43, "20", "0601100");
    q1 << qMakePair(QStringLiteral("ICHE_SendDate"), kToday) << qMakePair(QStringLiteral("ORG_SEQNO"), QStringLiteral("41"));
    insert(QStringLiteral("icheresult_102"), q1);
    Values q2 = header(44, "20", "0602100");
    q2 << qMakePair(QStringLiteral("ICHE_SendDate"), kToday) << qMakePair(QStringLiteral("ORG_SEQNO"), QStringLiteral("42"));
    insert(QStringLiteral("icheresult_103"), q2);
    EXPECT_EQ(answer(QStringLiteral("0601100"), QStringLiteral("icheresult_102"), 43, 43).code, QStringLiteral("0611100"));
    EXPECT_EQ(answer(QStringLiteral("0602100"), QStringLiteral("icheresult_103"), 44, 44).code, QStringLiteral("0612100"));
    const auto r102 = row("icheresult_102", 43);
    EXPECT_EQ(r102.value(0, "procresult"), QStringLiteral("0012"));
    EXPECT_EQ(r102.value(0, "jumoney"), QStringLiteral("60000"));
    EXPECT_EQ(r102.value(0, "juminno"), QStringLiteral("2118812345"));
    EXPECT_EQ(row("icheresult_103", 44).value(0, "procresult"), QStringLiteral("0000"));
    EXPECT_EQ(row("icheresult_103", 44).value(0, "sr_flag"), QStringLiteral("4"));
}

TEST_P(BankSimulatorTest, BalanceFollowsTheDaysTransfers)
{
    auto ask = [this](qint64 seq, const QString &bankId, const QString &account) {
        Values v = header(seq, bankId, "0600300");
        v << qMakePair(QStringLiteral("BankNo"), account);
        insert(QStringLiteral("amt_search"), v);
        const auto reply = answer(QStringLiteral("0600300"), QStringLiteral("amt_search"), seq, seq);
        EXPECT_EQ(reply.code, QStringLiteral("0610300"));
        return row("amt_search", seq);
    };
    const qint64 opening = bank::openingBalance(QStringLiteral("03"), QStringLiteral("12301234567890"));
    auto first = ask(51, QStringLiteral("03"), QStringLiteral("12301234567890"));
    EXPECT_EQ(first.value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(first.value(0, "sr_flag"), QStringLiteral("4"));
    EXPECT_EQ(first.valueInt64(0, "janwon"), opening);
    EXPECT_EQ(first.valueInt64(0, "ablewon"), opening - bank::BalanceHold);
    EXPECT_EQ(first.value(0, "janwon").size(), 13);

    transfer(52, "30", "20", "1002345678901", "0000000150000"); // -150,000 - 500 fee
    transfer(53, "20", "04", "123456789012", "0000000030000");  // +30,000 - 500 fee
    transfer(54, "30", "20", "9990001112223", "0000000050000"); // failed: no change
    answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"), QStringLiteral("101000"));
    EXPECT_EQ(ask(55, QStringLiteral("03"), QStringLiteral("12301234567890")).valueInt64(0, "janwon"),
              opening - 150000 - 500 + 30000 - 500);
    // Not an account of the company.
    EXPECT_EQ(ask(56, QStringLiteral("03"), QStringLiteral("55555555555")).value(0, "errcode"), QStringLiteral("0011"));
}

TEST_P(BankSimulatorTest, AccountHolderNames)
{
    auto ask = [this](qint64 seq, const QString &bankId, const QString &account, const QString &idNo) {
        Values v = header(seq, "03", "0600600");
        v << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("12301234567890"))
          << qMakePair(QStringLiteral("Price"), QStringLiteral("0000000000001"))
          << qMakePair(QStringLiteral("TRANS_BankID"), bankId) << qMakePair(QStringLiteral("BankNo"), account)
          << qMakePair(QStringLiteral("RRNoCheck"), idNo);
        insert(QStringLiteral("TA_NAME_SEARCH"), v);
        EXPECT_EQ(answer(QStringLiteral("0600600"), QStringLiteral("TA_NAME_SEARCH"), seq, seq).code,
                  QStringLiteral("0610600"));
        return row("ta_name_search", seq);
    };
    const auto payee = ask(61, "20", "1002345678901", "800101");
    EXPECT_EQ(payee.value(0, "name"), QStringLiteral("홍길동"));
    EXPECT_EQ(payee.value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(ask(62, "20", "1002345678901", "900101").value(0, "errcode"), QStringLiteral("0014"));
    const auto stranger = ask(63, "04", "123456780000", "");
    EXPECT_EQ(stranger.value(0, "name"), bank::holderName(QStringLiteral("04"), QStringLiteral("123456780000")));
    EXPECT_FALSE(stranger.value(0, "name").isEmpty());
    EXPECT_EQ(ask(64, "20", "9990001112223", "").value(0, "errcode"), QStringLiteral("0012"));
}

TEST_P(BankSimulatorTest, NoticesLoseEveryFourthNumberAndGapRequestsBringThemBack)
{
    for (int round = 0; round < 5; ++round) {
        const QStringList codes = bank->postNotices();
        EXPECT_TRUE(codes.contains(QStringLiteral("0200300")) || round == 3) << round;
    }
    // Account 03: numbers 1, 2, 3, 5 stored; 4 lost.
    const auto stored = db->query(QStringLiteral("select org_seqno from deposit where bankid = '03' and "
                                                 "deposit_senddate = '%1' order by org_seqno").arg(kToday));
    ASSERT_EQ(stored.recordCount(), 4);
    EXPECT_EQ(stored.value(3, "org_seqno"), QStringLiteral("000005"));
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from V_deposit where bankid = '21'")).valueInt(0, "n"), 4);
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from draft where bankid = '04'")).valueInt(0, "n"), 4);

    // The counts answer reports what the bank sent, lost ones included.
    Values c = header(71, "03", "9000990");
    c << qMakePair(QStringLiteral("FirmID"), QStringLiteral("HB0301")) << qMakePair(QStringLiteral("searchDate"), kToday);
    insert(QStringLiteral("tcount_search"), c);
    EXPECT_EQ(answer(QStringLiteral("9000990"), QStringLiteral("tcount_search"), 71, 71).code, QStringLiteral("9010990"));
    const auto counts = db->query(QStringLiteral(" SELECT  DepositCnt, BGDataCnt, TaErrCnt, SearchDate  FROM "
                                                 "TCount_Search  WHERE SeqNo = 71  AND  SendDate = '%1'  AND  SR_Flag = '4' ")
                                      .arg(kToday));
    ASSERT_EQ(counts.recordCount(), 1);
    EXPECT_EQ(counts.valueInt(0, "DepositCnt"), 5);
    EXPECT_EQ(counts.valueInt(0, "BGDataCnt"), 5);
    EXPECT_EQ(counts.valueInt(0, "TaErrCnt"), 0);

    // Gap requests: number 4 comes back, number 9 was never sent.
    auto gap = [this](const QString &table, const QString &code, qint64 seq, const QString &bankId,
                      const QString &firm, const Values &extra) {
        Values v = header(seq, bankId, code);
        v[2].second = QStringLiteral("DY2");
        v << qMakePair(QStringLiteral("FirmID"), firm) << extra;
        insert(table, v);
        return answer(code, table, seq, seq);
    };
    EXPECT_EQ(gap(QStringLiteral("DEPOSIT_ORDER"), QStringLiteral("0200640"), 72, "03", "HB0301",
                  {{"DEPOSIT_SendDate", kToday}, {"ORG_SEQNO", "4"}})
                  .code,
              QStringLiteral("0210640"));
    EXPECT_EQ(row("deposit_order", 72).value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(row("deposit_order", 72).value(0, "org_seqno"), QStringLiteral("000004"));
    EXPECT_FALSE(row("deposit_order", 72).value(0, "price").isEmpty());
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from deposit where bankid = '03' and org_seqno = '000004'"))
                  .valueInt(0, "n"),
              1);
    gap(QStringLiteral("DEPOSIT_ORDER"), QStringLiteral("0200640"), 73, "03", "HB0301",
        {{"DEPOSIT_SendDate", kToday}, {"ORG_SEQNO", "9"}});
    EXPECT_EQ(row("deposit_order", 73).value(0, "errcode"), QLatin1String(bank::CodeNoNotice));
    // Asking again for one already there stores no second copy.
    gap(QStringLiteral("DEPOSIT_ORDER"), QStringLiteral("0200640"), 74, "03", "HB0301",
        {{"DEPOSIT_SendDate", kToday}, {"ORG_SEQNO", "4"}});
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from deposit where bankid = '03' and org_seqno = '000004'"))
                  .valueInt(0, "n"),
              1);

    EXPECT_EQ(gap(QStringLiteral("V_DEPOSIT_ORDER"), QStringLiteral("0200970"), 75, "21", "HB2101",
                  {{"DEPOSIT_SENDDATE", kToday}, {"ORG_SEQNO", "4"}})
                  .code,
              QStringLiteral("0210970"));
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from V_deposit where bankid = '21'")).valueInt(0, "n"), 5);
    EXPECT_FALSE(row("v_deposit_order", 75).value(0, "v_bankno").isEmpty());

    EXPECT_EQ(gap(QStringLiteral("DRAFT_ORDER"), QStringLiteral("0200650"), 76, "04", "HB0401",
                  {{"DRAFT_SENDDATE", kToday}, {"ORG_SEQNO", "4"}})
                  .code,
              QStringLiteral("0210650"));
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from draft where bankid = '04'")).valueInt(0, "n"), 5);

    // A failure notice that went missing is sent again.
    transfer(77, "30", "20", "9990001112223", "0000000050000");
    answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"), QStringLiteral("101000"));
    db->exec(QStringLiteral("delete from ta_iche_err"));
    EXPECT_EQ(gap(QStringLiteral("TA_ICHE_ORDER"), QStringLiteral("0400640"), 78, "03", "HB0301",
                  {{"TA_ICHE_SendDate", kToday}, {"BANK_SEQNO", "1"}})
                  .code,
              QStringLiteral("0410640"));
    EXPECT_EQ(row("ta_iche_order", 78).value(0, "errcode"), QStringLiteral("0012"));
    EXPECT_EQ(db->query(QStringLiteral("select count(*) as n from ta_iche_err where bank_seqno = '000001'")).valueInt(0, "n"), 1);
}

TEST_P(BankSimulatorTest, SummariesAndSms)
{
    transfer(81, "30", "20", "1002345678901", "0000000150000");
    transfer(82, "30", "03", "12345678901234", "0000000070000");
    transfer(83, "30", "20", "9990001112223", "0000000050000");
    transfer(84, "20", "04", "123456789012", "0000000030000");
    answer(QStringLiteral("0100100"), QStringLiteral("giche"), 0, 0, QStringLiteral("APPR2"), QStringLiteral("101000"));

    Values t = header(85, "03", "0700100");
    t << qMakePair(QStringLiteral("MoBankNo"), QStringLiteral("12301234567890"));
    insert(QStringLiteral("Trsum"), t);
    EXPECT_EQ(answer(QStringLiteral("0700100"), QStringLiteral("Trsum"), 85, 85).code, QStringLiteral("0710100"));
    const auto s = row("trsum", 85);
    EXPECT_EQ(s.value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(s.valueInt(0, "totalcnt"), 4);
    EXPECT_EQ(s.valueInt64(0, "totalgum"), 300000);
    EXPECT_EQ(s.valueInt(0, "inokcnt"), 1);
    EXPECT_EQ(s.valueInt(0, "taokcnt"), 1);
    EXPECT_EQ(s.valueInt(0, "taerrcnt"), 1);
    EXPECT_EQ(s.valueInt64(0, "taerrgum"), 50000);
    EXPECT_EQ(s.valueInt(0, "insucnt"), 1);
    EXPECT_EQ(s.valueInt(0, "fee"), 1000); // two other-bank transfers went through

    bank->postNotices();
    bank->postNotices();
    Values v = header(86, "21", "0300400");
    v[2].second = QStringLiteral("VAS");
    v << qMakePair(QStringLiteral("TransDate"), kToday) << qMakePair(QStringLiteral("GiKwanCode"), QStringLiteral("HB2101"));
    insert(QStringLiteral("Vas_Trsum"), v);
    EXPECT_EQ(answer(QStringLiteral("0300400"), QStringLiteral("Vas_Trsum"), 86, 86).code, QStringLiteral("0310400"));
    const auto vs = row("vas_trsum", 86);
    EXPECT_EQ(vs.value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(vs.valueInt(0, "ibgum_tot_gun") + vs.valueInt(0, "chul_tot_gun"), 2);

    Values m = {{"SendDate", kToday}, {"SendTime", "101000"}, {"Service", "DY2"}, {"SeqNo", "87"},
                {"SendID", "QVX0000001"}, {"RecvID", "HELP002"}, {"BankID", "00"}, {"USERID", "MAKER"},
                {"SendFlag", "1"}, {"TranSeqNo", "87"}, {"RecvName", "1"}, {"RecvTelNo", "010-1234-5678"},
                {"SendTelNo", "0212345678"}, {"Message", "안녕하세요"}, {"sr_flag", "1"}, {"up_gubuncode", "0900900"}};
    insert(QStringLiteral("SMS_Trans"), m);
    m[3].second = m[9].second = QStringLiteral("88");
    m[11].second = QStringLiteral("0101");
    insert(QStringLiteral("SMS_Trans"), m);
    const auto reply = answer(QStringLiteral("0900900"), QStringLiteral("SMS_Trans"), 87, 88);
    EXPECT_EQ(reply.code, QStringLiteral("0910900"));
    EXPECT_EQ(reply.rows, 2);
    EXPECT_EQ(row("sms_trans", 87).value(0, "errcode"), QStringLiteral("0000"));
    EXPECT_EQ(row("sms_trans", 88).value(0, "errcode"), QStringLiteral("0011"));
}

TEST_P(BankSimulatorTest, CommMessagesReplaceTheServerTexts)
{
    bank->setCommNotice(QStringLiteral("오늘 18시 이후 이체는 익일 처리됩니다."));
    bank->setSmsId(QStringLiteral("QVXSMS02"));
    EXPECT_EQ(db->query(QStringLiteral("select msg from srv_commmsg where kind = 1")).value(0, "msg"),
              QStringLiteral("오늘 18시 이후 이체는 익일 처리됩니다."));
    EXPECT_EQ(db->query(QStringLiteral("select msg from srv_commmsg where kind = 2")).value(0, "msg"),
              QStringLiteral("QVXSMS02"));
}

QVX_ON_EVERY_BACKEND(BankSimulatorTest);
