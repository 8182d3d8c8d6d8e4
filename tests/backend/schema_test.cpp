// The schema and the demo data: both scripts load, every request table takes
// the client's INSERT with its exact column list, and the long joined SELECTs
// of the screens run on the demo database and find what they should.

#include "backend/DemoDatabase.h"
#include "backend/SqliteDatabase.h"
#include "platform/ResultSet.h"
#include "tests/backend/backend_databases.h"
#include "tests/backend/request_tables.h"

#include <QTemporaryDir>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

using qvx::testing::insertSql;
using qvx::testing::kRequestTables;
using qvx::testing::RequestTable;

namespace {

// A fresh demo database through the server's own database layer (SQLite with
// the MySQL functions and translations the client's statements need, or an
// empty database of its own on the test MariaDB server).
class DemoDb
{
public:
    void open(qvx::testing::Backend backend)
    {
        if (backend == qvx::testing::Backend::MariaDb)
            m_database = qvx::testing::ScratchMariaDb::create(qvx::testing::ScratchMariaDb::Fill::Empty);
        else
            m_database = std::make_shared<qvx::SqliteDatabase>(m_dir.filePath(QStringLiteral("schema.sqlite")));
        m_db = m_database->connect();
    }

    void loadDemo()
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_EQ(script(qvx::schemaScript()), QString());
        ASSERT_EQ(script(qvx::demoScript()), QString());
    }

    // Runs statements; the error text, or empty.
    QString script(const QString &text)
    {
        try {
            m_db->execScript(text);
        } catch (const qvx::DbError &e) {
            return e.message().isEmpty() ? QStringLiteral("error") : e.message();
        }
        return QString();
    }
    QString exec(const QString &sql)
    {
        try {
            m_db->exec(sql);
        } catch (const qvx::DbError &e) {
            return e.message().isEmpty() ? QStringLiteral("error") : e.message();
        }
        return QString();
    }

    qvx::ResultSet query(const QString &sql)
    {
        try {
            return m_db->query(sql);
        } catch (const qvx::DbError &e) {
            ADD_FAILURE() << qPrintable(e.message()) << "\n" << qPrintable(sql);
            return {};
        }
    }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<qvx::Database> m_database;
    std::unique_ptr<qvx::DbConnection> m_db;
};

const QString kToday = QStringLiteral("20260415");

class SchemaTest : public qvx::testing::BackendTest
{
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        db.open(GetParam());
        db.loadDemo();
    }

    // A general transfer that the bank answered: payment from the 기업은행
    // mother account to 우리은행, result code given.
    void addAnsweredTransfer(int seqNo, const QString &errCode)
    {
        QStringList v{kToday, QStringLiteral("101500"), QStringLiteral("DY1"), QString::number(seqNo),
                      QStringLiteral("QVX0000001"), QStringLiteral("IBK0300"), QStringLiteral("HB0301"),
                      QStringLiteral("03"), QStringLiteral("MAKER"), QStringLiteral("APPR2"), QStringLiteral("1"),
                      QStringLiteral("12301234567890"), QStringLiteral("1234"), QString(), QStringLiteral("30"),
                      QStringLiteral("0000000150000"), QString(), QString(), QStringLiteral("20"),
                      QStringLiteral("1002345678901"), QString(), QString(), QStringLiteral("홍길동"), QString(),
                      QString(), QString(), QString(), QString(), QStringLiteral("1"), QStringLiteral("0101100"),
                      QStringLiteral("비고")};
        ASSERT_EQ(db.exec(insertSql(QStringLiteral("giche"), QLatin1String(kRequestTables[2].columns), v)), QString());
        ASSERT_EQ(db.exec(QStringLiteral("update giche set sr_flag = '4', errcode = '%1', receivedate = '%2', "
                                         "receivetime = '101503', fee = '500' where seqno = %3")
                              .arg(errCode, kToday)
                              .arg(seqNo)),
                  QString());
    }

    DemoDb db;
};

} // namespace

TEST_P(SchemaTest, EveryRequestTableTakesTheClientInsert)
{
    for (const RequestTable &t : kRequestTables) {
        const QString columns = QLatin1String(t.columns);
        ASSERT_EQ(columns.split(QLatin1Char(',')).size(), t.count) << t.table;
        QStringList values;
        for (int i = 0; i < t.count; ++i)
            values << QStringLiteral("x");
        // SeqNo is the 4th column everywhere; TranSeqNo repeats it in SMS_Trans.
        values[3] = QStringLiteral("1001");
        if (QLatin1String(t.table) == QLatin1String("SMS_Trans"))
            values[9] = QStringLiteral("1001");
        EXPECT_EQ(db.exec(insertSql(QLatin1String(t.table), columns, values)), QString()) << t.table;
        // Empty texts are accepted in every quoted column.
        values.fill(QString());
        values[3] = QStringLiteral("1002");
        if (QLatin1String(t.table) == QLatin1String("SMS_Trans"))
            values[9] = QStringLiteral("1002");
        EXPECT_EQ(db.exec(insertSql(QLatin1String(t.table), columns, values)), QString()) << t.table;
        const auto rs = db.query(QStringLiteral("select count(*) as n from %1 where seqno = 1001").arg(QLatin1String(t.table)));
        EXPECT_EQ(rs.valueInt(0, QStringLiteral("n")), 1) << t.table;
    }
    // A wrong column name is refused: the check above would catch a schema typo.
    EXPECT_NE(db.exec(QStringLiteral("insert into giche(SendDate, NoSuchColumn) values('1','2')")), QString());
}

TEST_P(SchemaTest, DemoUsersLogInWithTheirAuthority)
{
    const auto rs = db.query(QStringLiteral(
        "select users.userid, users.authorcode, users.regdate, authority.authorcontents from users, authority "
        "where users.authorcode = authority.authorcode and users.pwd = '1111' and users.userid = 'MAKER'"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, QStringLiteral("authorcode")), QStringLiteral("0"));
    EXPECT_EQ(rs.value(0, QStringLiteral("authorcontents")), QStringLiteral("작성자"));

    for (const char *code : {"0", "1", "2", "3", "4", "8", "9"}) {
        const auto users = db.query(QStringLiteral("select userid from users, authority where users.authorcode = "
                                                   "authority.authorcode and users.authorcode = '%1'")
                                        .arg(QLatin1String(code)));
        EXPECT_GE(users.recordCount(), 1) << "authority " << code;
    }
    EXPECT_EQ(db.query(QStringLiteral("SELECT Value FROM OPT Where ID = 'PASS_CHK'")).value(0, QStringLiteral("VALUE")),
              QStringLiteral("90"));
    // The approver choice lists codes 1 and 2 (numbers compared with texts).
    EXPECT_EQ(db.query(QStringLiteral("select users.userid, users.username, users.authorcode, authority.authorcontents "
                                      "from users, authority where users.authorcode = authority.authorcode and "
                                      "users.authorcode in (1, 2) order by users.authorcode, users.username"))
                  .recordCount(),
              2);
}

TEST_P(SchemaTest, StartUpValuesAndReferenceData)
{
    const auto config = db.query(QStringLiteral("SELECT * FROM CONFIG"));
    ASSERT_EQ(config.recordCount(), 1);
    EXPECT_FALSE(config.value(0, QStringLiteral("nevarid")).isEmpty());
    EXPECT_FALSE(config.value(0, QStringLiteral("servicediv")).isEmpty());
    for (const char *col : {"serverip", "transport", "recvport", "transtime", "recvtime", "opt", "up_serverip", "up_transport"})
        EXPECT_TRUE(config.hasColumn(QLatin1String(col))) << col;
    EXPECT_EQ(db.query(QStringLiteral("SELECT * FROM OPT WHERE ID = 'DB_MODE'")).recordCount(), 1);

    const auto banks = db.query(QStringLiteral("SELECT * FROM allbank"));
    EXPECT_GT(banks.recordCount(), 20);
    for (int r = 0; r < banks.recordCount(); ++r) {
        const int code = banks.valueInt(r, QStringLiteral("BankId"));
        EXPECT_TRUE(code >= 1 && code <= 99) << code;
    }
    EXPECT_EQ(db.query(QStringLiteral("select * from allbank where not (bankid = bankname) order by bankid")).recordCount(),
              banks.recordCount() - 1);
    // Every mother account has its error codes, and its bank is named in allbank.
    EXPECT_EQ(db.query(QStringLiteral("select bank.bankid from bank left join allbank on bank.bankid = allbank.bankid "
                                      "where allbank.bankid is null"))
                  .recordCount(),
              0);
    EXPECT_EQ(db.query(QStringLiteral("select bank.bankid from bank left join error on bank.bankid = error.bankid "
                                      "and error.errcode = '0000' where error.bankid is null"))
                  .recordCount(),
              0);
    EXPECT_EQ(db.query(QStringLiteral("select bankid, mobankno, bankname, firmid, sendname, tr_gubuncode, recvid "
                                      "from bank where TR_GubunCode = 'Y' order by bankid"))
                  .recordCount(),
              1);
    // The secure card of bank 23: numbers 1 to 30.
    for (int n = 1; n <= 30; ++n)
        EXPECT_EQ(db.query(QStringLiteral("SELECT Code FROM SecuCard WHERE BankId = '23' AND No = %1").arg(n)).recordCount(), 1);
    const auto payees = db.query(QStringLiteral(
        "select  name ,TelNo_1 ,TelNo_2 ,TelNo_3 ,concat(TelNo_1 ,\"-\", TelNo_2 ,\"-\", TelNo_3) as PhoneNo from daesang"));
    ASSERT_GT(payees.recordCount(), 0);
    EXPECT_EQ(payees.value(0, QStringLiteral("PhoneNo")).count(QLatin1Char('-')), 2);
    // The drop-file layouts for the send module.
    EXPECT_EQ(db.query(QStringLiteral("select * from convertG_s")).recordCount(), 1);
    EXPECT_EQ(db.query(QStringLiteral("select * from convertJ_s")).valueInt(0, QStringLiteral("Jumins")), 96);
}

TEST_P(SchemaTest, TransferResultInquiryJoinsBankNamesAndErrorText)
{
    addAnsweredTransfer(501, QStringLiteral("0000"));
    addAnsweredTransfer(502, QStringLiteral("0012"));
    const QString base = QStringLiteral(
        "SELECT            giche.SENDDATE,  giche.SENDTIME,  giche.SERVICE,   giche.SEQNO,     giche.SENDID,    "
        "giche.RECVID,    giche.FIRMID,    giche.BANKID,    giche.USERID,    giche.CFMID,     giche.SENDFLAG,  "
        "giche.UP_GUBUNCODE,  giche.ERRCODE,   giche.MOBANKNO,  giche.PASSWD,    giche.BOKI,      giche.GUBUN,     "
        "giche.PRICE,     giche.SIGN,      giche.REMAIN,    giche.TRANS_BANKID,  giche.BANKNO,      giche.FEE,         "
        "giche.CMSCODE,     giche.NAME,        giche.TAPROCNO,    giche.TAERRFEE,    giche.TAERRPRICE,  "
        "giche.TAERRMONEY,  giche.DUMMY,       giche.SR_FLAG,     giche.RECEIVETIME, giche.RECEIVEDATE, "
        "giche.COMMON_DUMMY,  bank.BANKNAME AS MOBANKNAME,     allbank.BANKNAME AS TRANSBANKNAME,  "
        "if(giche.errcode = error.errcode, error.errcontents, giche.errcode) as errcontents from      allbank,  "
        "bank,     giche     left join error on giche.BANKID = error.BANKID AND  giche.ERRCODE = error.ERRCODE "
        "WHERE     giche.BANKID = bank.BANKID  and  giche.mobankno = bank.mobankno  AND  giche.TRANS_BANKID = "
        "allbank.BANKID ");
    const auto range = db.query(base + QStringLiteral(" and giche.seqno >= 501 and giche.seqno <= 502 and "
                                                      "giche.senddate = '%1' order by giche.seqno")
                                           .arg(kToday));
    ASSERT_EQ(range.recordCount(), 2);
    EXPECT_EQ(range.value(0, QStringLiteral("mobankname")), QStringLiteral("기업은행"));
    EXPECT_EQ(range.value(0, QStringLiteral("transbankname")), QStringLiteral("우리은행"));
    EXPECT_EQ(range.value(0, QStringLiteral("errcontents")), QStringLiteral("정상처리"));
    EXPECT_EQ(range.value(1, QStringLiteral("errcontents")), QStringLiteral("해지된 계좌"));

    const auto filtered = db.query(
        base + QStringLiteral(" and  giche.userid  = 'MAKER'  and giche.bankid = '03'  and giche.gubun = '30'  and "
                              "giche.sr_flag = '4' and giche.errcode <> '0000'  and giche.senddate >= '%1' and "
                              "giche.senddate <= '%1'  and giche.seqno between 500 and 600 and giche.name like '%길%' "
                              " order by giche.senddate, giche.seqno, giche.sr_flag")
                   .arg(kToday));
    ASSERT_EQ(filtered.recordCount(), 1);
    EXPECT_EQ(filtered.valueInt(0, QStringLiteral("seqno")), 502);

    // The single-result answer reads the inquiry row by its quoted number.
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("Icheresult"), QLatin1String(kRequestTables[5].columns),
                                {kToday, QStringLiteral("101600"), QStringLiteral("DY1"), QStringLiteral("601"),
                                 QStringLiteral("QVX0000001"), QStringLiteral("IBK0300"), QStringLiteral("HB0301"),
                                 QStringLiteral("03"), QStringLiteral("MAKER"), QStringLiteral("1"), kToday,
                                 QStringLiteral("502"), QStringLiteral("12301234567890"), QStringLiteral("20"),
                                 QStringLiteral("1002345678901"), QStringLiteral("30"), QStringLiteral("150000"),
                                 QStringLiteral("101503"), QStringLiteral("500"), QString(), QStringLiteral("홍길동"),
                                 QString(), QStringLiteral("0012"), QString(), QString(), QStringLiteral("4"), QString(),
                                 QStringLiteral("0600100")})),
              QString());
    ASSERT_EQ(db.exec(QStringLiteral("update icheresult set errcode = '0012' where seqno = 601")), QString());
    const auto single = db.query(QStringLiteral(
        "select icheresult.*, bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME AS TRANSBANKNAME, error.errcontents, "
        "error.errcontents as proccontents from bank, icheresult left join allbank on icheresult.TRANS_BANKID = "
        "allbank.BANKID left join error on icheresult.BANKID = error.BANKID and icheresult.ERRCODE = error.ERRCODE "
        "and icheresult.procresult = error.errcode where icheresult.BANKID = bank.BANKID and icheresult.sr_flag  > '0' "
        "and icheresult.senddate = '%1' and icheresult.seqno    = '601'")
                                     .arg(kToday));
    ASSERT_GE(single.recordCount(), 1);
    EXPECT_EQ(single.value(0, QStringLiteral("proccontents")), QStringLiteral("해지된 계좌"));
    EXPECT_EQ(single.value(0, QStringLiteral("transbankname")), QStringLiteral("우리은행"));
}

TEST_P(SchemaTest, ApprovalQueueGroupsTheWaitingBatch)
{
    addAnsweredTransfer(701, QStringLiteral("0000"));
    addAnsweredTransfer(702, QStringLiteral("0000"));
    ASSERT_EQ(db.exec(QStringLiteral("update giche set sr_flag = '0' where seqno in (701, 702)")), QString());
    const auto rs = db.query(QStringLiteral(
        "select userid, sum(price), sendtime, cfmid, senddate, min(seqno), max(seqno), gubun from giche where      "
        "cfmid = 'APPR2'  and sr_flag = '0'   and senddate = '%1' group by      sendtime, userid, cfmid, senddate, gubun")
                                 .arg(kToday));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.valueInt64(0, QStringLiteral("sum(price)")), 300000);
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("min(seqno)")), 701);
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("max(seqno)")), 702);
}

TEST_P(SchemaTest, AnswerSelectsOfBalanceNameAndSummaries)
{
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("amt_search"), QLatin1String(kRequestTables[8].columns),
                                {kToday, QStringLiteral("110000"), QStringLiteral("DY1"), QStringLiteral("801"),
                                 QStringLiteral("QVX0000001"), QStringLiteral("KBK0400"), QStringLiteral("HB0401"),
                                 QStringLiteral("04"), QStringLiteral("MAKER"), QStringLiteral("1"),
                                 QStringLiteral("123401234567"), QStringLiteral("+"), QStringLiteral("0000012345678"),
                                 QString(), QString(), QString(), QStringLiteral("0000012000000"), QString(),
                                 QStringLiteral("4"), QStringLiteral("보통예금"), QStringLiteral("0600300")})),
              QString());
    ASSERT_EQ(db.exec(QStringLiteral("update amt_search set errcode = '0000', receivedate = '%1' where seqno = 801").arg(kToday)),
              QString());
    const auto latest = db.query(QStringLiteral("select max(sendtime) from amt_search where senddate='%1'").arg(kToday));
    ASSERT_EQ(latest.value(0, 0), QStringLiteral("110000"));
    const auto amt = db.query(QStringLiteral(
        "SELECT AMT_SEARCH.SENDDATE, AMT_SEARCH.SENDTIME, AMT_SEARCH.SEQNO, AMT_SEARCH.BANKID, AMT_SEARCH.BANKNO, "
        "AMT_SEARCH.SIGN, AMT_SEARCH.JANWON, AMT_SEARCH.ABLEWON, AMT_SEARCH.SR_FLAG, AMT_SEARCH.RECEIVEDATE, "
        "AMT_SEARCH.RECEIVETIME, AMT_SEARCH.COMMON_DUMMY, bank.BANKNAME AS MOBANKNAME, "
        "IF(error.ERRCODE = AMT_SEARCH.ERRCODE, error.ERRCONTENTS, AMT_SEARCH.ERRCODE) AS ERRCONTENTS "
        "FROM bank, AMT_SEARCH LEFT JOIN error ON AMT_SEARCH.BANKID  = error.BANKID AND AMT_SEARCH.ERRCODE = "
        "error.ERRCODE WHERE AMT_SEARCH.BANKID = bank.BANKID AND AMT_SEARCH.BANKNO  = bank.MOBANKNO and  "
        "AMT_SEARCH.bankid = '04' and  AMT_SEARCH.sendtime = '110000'"));
    ASSERT_EQ(amt.recordCount(), 1);
    EXPECT_EQ(amt.value(0, QStringLiteral("mobankname")), QStringLiteral("국민은행"));
    EXPECT_EQ(amt.valueInt64(0, QStringLiteral("janwon")), 12345678);
    EXPECT_EQ(amt.value(0, QStringLiteral("errcontents")), QStringLiteral("정상처리"));

    ASSERT_EQ(db.exec(insertSql(QStringLiteral("TA_NAME_SEARCH"), QLatin1String(kRequestTables[11].columns),
                                {kToday, QStringLiteral("111000"), QStringLiteral("DY1"), QStringLiteral("802"),
                                 QStringLiteral("QVX0000001"), QStringLiteral("IBK0300"), QStringLiteral("HB0301"),
                                 QStringLiteral("03"), QStringLiteral("MAKER"), QStringLiteral("1"),
                                 QStringLiteral("12301234567890"), QStringLiteral("1234"), QStringLiteral("123456"),
                                 QString(), QStringLiteral("0000000000001"), QString(), QString(), QStringLiteral("20"),
                                 QStringLiteral("1002345678901"), QStringLiteral("0"), QString(), QStringLiteral("홍길동"),
                                 QString(), QStringLiteral("800101"), QString(), QStringLiteral("4"), QString(),
                                 QStringLiteral("0600600"), kToday, QStringLiteral("111002")})),
              QString());
    const auto names = db.query(QStringLiteral(
        "select ta_name_search.*, bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME, upgubun.GUBUNCONTENTS, "
        "if(ta_name_search.errcode = error.errcode, error.errcontents, ta_name_search.errcode) as errcontents "
        "from bank, upgubun, allbank, ta_name_search left join error on ta_name_search.BANKID = error.BANKID and "
        "ta_name_search.ERRCODE = error.ERRCODE where ta_name_search.BANKID = bank.BANKID and "
        "ta_name_search.MOBANKNO = bank.MOBANKNO and ta_name_search.TRANS_BANKID = allbank.BANKID and "
        "ta_name_search.UP_GUBUNCODE = upgubun.UP_GUBUNCODE and ta_name_search.sendtime = '111000'"));
    ASSERT_EQ(names.recordCount(), 1);
    EXPECT_EQ(names.value(0, QStringLiteral("bankname")), QStringLiteral("우리은행"));
    EXPECT_EQ(names.value(0, QStringLiteral("rrnocheck")), QStringLiteral("800101"));

    // Summaries: the trsum and vas_trsum selects of the answer fill.
    QStringList trsum(33);
    trsum[0] = kToday; trsum[1] = QStringLiteral("112000"); trsum[3] = QStringLiteral("803");
    trsum[7] = QStringLiteral("20"); trsum[11] = QStringLiteral("1005123456789"); trsum[12] = QStringLiteral("3");
    trsum[30] = QStringLiteral("4"); trsum[32] = QStringLiteral("0700100");
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("Trsum"), QLatin1String(kRequestTables[0].columns), trsum)), QString());
    EXPECT_EQ(db.query(QStringLiteral(
                  "select trsum.*, bank.BANKNAME AS MOBANKNAME, if(trsum.errcode = error.errcode, error.errcontents, "
                  "trsum.errcode) as errcontents from bank, trsum left join error on trsum.BANKID = error.BANKID and "
                  "trsum.ERRCODE = error.ERRCODE where trsum.BANKID = bank.BANKID and trsum.MOBANKNO = bank.MOBANKNO "
                  " and trsum.bankid = '20'  and trsum.sendtime = '112000'"))
                  .valueInt(0, QStringLiteral("totalcnt")),
              3);
    QStringList vas(27);
    vas[0] = kToday; vas[1] = QStringLiteral("113000"); vas[2] = QStringLiteral("VAS"); vas[3] = QStringLiteral("804");
    vas[7] = QStringLiteral("21"); vas[11] = kToday; vas[24] = QStringLiteral("4"); vas[26] = QStringLiteral("0300400");
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("Vas_Trsum"), QLatin1String(kRequestTables[1].columns), vas)), QString());
    EXPECT_EQ(db.query(QStringLiteral(
                  "select vt.*, b.BankName, if(vt.errcode = error.errcode, error.errcontents, vt.errcode) as errcontents "
                  "from bank b, vas_trsum vt left join error on vt.BANKID = error.BANKID and vt.ERRCODE = error.ERRCODE "
                  "where vt.BANKID = b.BANKID and vt.SendDate = '%1' AND SR_FLAG = '4' and vt.sendtime = '113000'")
                           .arg(kToday))
                  .value(0, QStringLiteral("BankName")),
              QStringLiteral("조흥은행"));
}

TEST_P(SchemaTest, NoticeListsJoinTheirKindTables)
{
    ASSERT_EQ(db.exec(QStringLiteral(
                  "insert into deposit (SENDDATE, SENDTIME, SERVICE, SEQNO, SENDID, RECVID, FIRMID, BANKID, SENDFLAG, "
                  "ERRCODE, DEPOSIT_SENDDATE, ORG_SEQNO, MOBANKNO, GUBUN, INBANKID, PRICE, SIGN, REMAIN, NAME, INTIME, "
                  "INDATE, RECEIVEDATE, RECEIVETIME, UP_GUBUNCODE, SR_FLAG) values ('%1', '090000', 'DY2', 901, "
                  "'IBK0300', 'QVX0000001', 'HB0301', '03', '1', '0000', '%1', '000001', '12301234567890', '11', '20', "
                  "'50000', '+', '1050000', '홍길동', '085959', '%1', '%1', '090001', '0200300', '4')")
                  .arg(kToday)),
              QString());
    const QString depositSelect = QStringLiteral(
        "SELECT  deposit.SERVICE, deposit.SEQNO,   deposit.SENDID,  deposit.RECVID,  deposit.FIRMID,  deposit.BANKID,  "
        "deposit.SENDFLAG, deposit.ERRCODE,  deposit.DEPOSIT_SENDDATE,  deposit.ORG_SEQNO, deposit.MOBANKNO,  "
        "deposit.GUBUN,     deposit.INBANKID,  deposit.PRICE,  deposit.SIGN,   deposit.REMAIN, deposit.BRCODE, "
        "deposit.NAME,   deposit.NOTENO, deposit.PARAM1, deposit.PARAM2, deposit.PARAM3, deposit.INCODE, "
        "deposit.INTIME, deposit.INDATE, deposit.DUMMY,  deposit.RECEIVETIME,  deposit.RECEIVEDATE,  "
        "deposit.COMMON_DUMMY, deposit.UP_GUBUNCODE, transdiv.transdivcontents, if(deposit.errcode=error.errcode, "
        "error.errcontents, deposit.errcode) as errcontents FROM      deposit   left join error on  deposit.BANKID = "
        "error.BANKID  AND  deposit.ERRCODE = error.ERRCODE  left join transdiv on  deposit.BANKID = transdiv.BANKID  "
        "AND  deposit.GUBUN = transdiv.TRANSDIVCODE  WHERE  transdiv.divflag  = '1'");
    const auto dep = db.query(depositSelect + QStringLiteral(
                                  "  and deposit.bankid      = '03' and deposit.deposit_senddate between '%1' and '%1'  "
                                  "order by deposit.bankid, deposit.deposit_senddate, deposit.org_seqno, deposit.common_dummy")
                                                  .arg(kToday));
    ASSERT_EQ(dep.recordCount(), 1);
    EXPECT_EQ(dep.value(0, QStringLiteral("transdivcontents")), QStringLiteral("현금입금"));

    ASSERT_EQ(db.exec(QStringLiteral(
                  "insert into draft (SENDDATE, SEQNO, BANKID, FIRMID, ERRCODE, DRAFT_SENDDATE, ORG_SEQNO, GUBUN, "
                  "BANKNO, DRAFTNO, DRAFTKIND, DRAFTMONEY, DANGTA_GUBUN, SR_FLAG) values ('%1', 902, '04', 'HB0401', "
                  "'0000', '%1', '000001', '20', '123401234567', '가12345678', '1', '3000000', '2', '4')")
                  .arg(kToday)),
              QString());
    const auto draft = db.query(QStringLiteral(
        "SELECT         draft.SERVICE,  draft.SEQNO,    draft.SENDID,   draft.RECVID,   draft.FIRMID,   draft.BANKID,   "
        "draft.SENDFLAG, draft.ERRCODE,  draft.DRAFT_SENDDATE,  draft.ORG_SEQNO, draft.GUBUN,      draft.BANKNO,     "
        "draft.IBGUMCODE,  draft.DRAFTNO,    draft.DRAFTKIND,  draft.DRAFTMONEY, draft.PUB_NAME,   draft.DEP_NAME,   "
        "draft.SUTAK_DATE, draft.MANKI_DATE, draft.PAY_BANKNAME,    draft.PAY_DEPARTNAME,  draft.DANGTA_GUBUN,    "
        "draft.GYULJE_BANKNO,   draft.TRANS_DEPART,    draft.SELECTAREA1,     draft.SELECTAREA2,     draft.DUMMY,      "
        "     draft.RECEIVETIME,     draft.RECEIVEDATE,     draft.COMMON_DUMMY,    draft.UP_GUBUNCODE,    "
        "transdiv.TRANSDIVCONTENTS, draftkind.DRAFTKINDCONTENTS,  dangtagubun.DANGTACONTENTS, bank.BANKNAME AS "
        "MOBANKNAME,  if(draft.errcode = error.errcode, error.errcontents, draft.errcode) as errcontents FROM        "
        "bank,       transdiv,   draftkind,  draft       left join error on  draft.BANKID = error.BANKID  AND  "
        "draft.ERRCODE = error.ERRCODE  left join dangtagubun on  draft.BANKID = dangtagubun.BANKID AND  "
        "draft.DANGTA_GUBUN = dangtagubun.DANGTACODE WHERE      draft.BANKID = bank.BANKID  and  draft.BANKID = "
        "transdiv.BANKID and  draft.BANKID = draftkind.BANKID AND  draft.DRAFTKIND = draftkind.DRAFTKINDCODE AND  "
        "draft.GUBUN = transdiv.TRANSDIVCODE and  transdiv.divflag = '2'  and draft.draft_senddate >= '%1'  and "
        "draft.draft_senddate <= '%1'  group by draft_senddate, draft.bankid, draft.org_seqno")
                                    .arg(kToday));
    ASSERT_EQ(draft.recordCount(), 1);
    EXPECT_EQ(draft.value(0, QStringLiteral("TRANSDIVCONTENTS")), QStringLiteral("수탁"));
    EXPECT_EQ(draft.value(0, QStringLiteral("DANGTACONTENTS")), QStringLiteral("타행"));
    EXPECT_EQ(draft.value(0, QStringLiteral("DRAFTKINDCONTENTS")), QStringLiteral("약속어음"));

    ASSERT_EQ(db.exec(QStringLiteral(
                  "insert into ta_iche_err (SENDDATE, SEQNO, BANKID, FIRMID, ERRCODE, ERR_SENDDATE, BANK_SEQNO, "
                  "ORG_SEQNO, MOBANKNO, TRANS_BANKID, BANKNO, GUBUN, PRICE, PROCRESULT, SR_FLAG) values ('%1', 903, "
                  "'20', 'HB2001', '0012', '%1', '000001', '502', '1005123456789', '04', '123456789012', '30', '70000', "
                  "'0012', '4')")
                  .arg(kToday)),
              QString());
    const auto err = db.query(QStringLiteral(
        "SELECT          ta_iche_err.SERVICE,   ta_iche_err.SEQNO,     ta_iche_err.BANK_SEQNO,      "
        "ta_iche_err.ORG_SEQNO,       ta_iche_err.MOBANKNO,        ta_iche_err.TRANS_BANKID,    ta_iche_err.BANKNO, "
        "    ta_iche_err.PROCRESULT,   bank.BANKNAME AS MOBANKNAME,    allbank.BANKNAME AS transBANKNAME,      "
        "if(ta_iche_err.errcode = error.errcode, error.errcontents, ta_iche_err.errcode) as errcontents   FROM        "
        "   allbank,       ta_iche_err    left join bank on    ta_iche_err.BANKID = bank.BANKID   left join error on  "
        "  ta_iche_err.BANKID  = error.BANKID   AND  ta_iche_err.ERRCODE = error.ERRCODE   AND  ta_iche_err.PROCRESULT "
        "= error.ERRCODE   WHERE          ta_iche_err.TRANS_BANKID = allbank.BANKID     AND  ta_iche_err.MOBANKNO = "
        "bank.MOBANKNO    and ta_iche_err.err_senddate >= '%1'  and ta_iche_err.err_senddate <= '%1'  order by "
        "ta_iche_err.err_senddate, ta_iche_err.bank_seqno")
                                  .arg(kToday));
    ASSERT_EQ(err.recordCount(), 1);
    EXPECT_EQ(err.value(0, QStringLiteral("errcontents")), QStringLiteral("해지된 계좌"));
    EXPECT_EQ(err.value(0, QStringLiteral("transbankname")), QStringLiteral("국민은행"));

    // The counts answer and the stored-count check.
    QStringList count(14);
    count[0] = kToday; count[3] = QStringLiteral("904"); count[7] = QStringLiteral("03"); count[10] = kToday;
    count[11] = QStringLiteral("4"); count[13] = QStringLiteral("9000990");
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("tcount_search"), QLatin1String(kRequestTables[9].columns), count)), QString());
    ASSERT_EQ(db.exec(QStringLiteral("update tcount_search set DepositCnt = '3', BGDataCnt = '1', TaErrCnt = '1', "
                                     "SearchDate = '%1' where seqno = 904")
                          .arg(kToday)),
              QString());
    const auto counts = db.query(QStringLiteral(" SELECT  DepositCnt, BGDataCnt, TaErrCnt, SearchDate  FROM "
                                                "TCount_Search  WHERE SeqNo = 904  AND  SendDate = '%1'  AND  SR_Flag = '4' ")
                                     .arg(kToday));
    ASSERT_EQ(counts.recordCount(), 1);
    EXPECT_EQ(counts.valueInt(0, QStringLiteral("DepositCnt")), 3);
    EXPECT_EQ(db.query(QStringLiteral(" SELECT Count(*) as Cnt FROM Deposit  WHERE Deposit_SendDate = '%1'       AND "
                                      "FirmID = 'HB0301' AND Org_SeqNo <= '000003'")
                           .arg(kToday))
                  .valueInt(0, QStringLiteral("Cnt")),
              1);
}

TEST_P(SchemaTest, LiquorResultListUnionsBothTables)
{
    QStringList row(32);
    row[0] = kToday; row[1] = QStringLiteral("120000"); row[3] = QStringLiteral("950"); row[7] = QStringLiteral("20");
    row[8] = QStringLiteral("JURU"); row[11] = QStringLiteral("1002345678901"); row[14] = QStringLiteral("20");
    row[15] = QStringLiteral("100000"); row[18] = QStringLiteral("20"); row[19] = QStringLiteral("1005123456789");
    row[29] = QStringLiteral("4"); row[30] = QStringLiteral("0102100");
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("cmsjiche102"), QLatin1String(kRequestTables[3].columns), row)), QString());
    row[3] = QStringLiteral("951"); row[11] = QStringLiteral("1005123456789"); row[19] = QStringLiteral("1002345678901");
    row[14] = QStringLiteral("30"); row[30] = QStringLiteral("0103100");
    ASSERT_EQ(db.exec(insertSql(QStringLiteral("CMSJICHE103"), QLatin1String(kRequestTables[4].columns), row)), QString());
    auto statement = [](const QString &t, const QString &main, const QString &payee) {
        return QStringLiteral(
                   "SELECT %1.SENDDATE as senddate, %1.SENDTIME, %1.BANKID, %1.USERID, %1.ERRCODE, %1.%2 AS MAINBANKNO, "
                   "%1.GUBUN, %1.PRICE, %1.TRANS_BANKID, %1.%3 AS BANKNO, %1.NAME, %1.JUMINNO AS RESIDENTNO, %1.JUFLAG, "
                   "%1.JUMONEY, %1.NONJUMONEY, %1.SR_FLAG, %1.RECEIVETIME, %1.RECEIVEDATE, %1.SEQNO as seqno, "
                   "%1.COMMON_DUMMY, bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME AS TRANSBANKNAME, "
                   "IF(error.ERRCODE = %1.ERRCODE, error.ERRCONTENTS, %1.ERRCODE) AS ERRCONTENTS FROM allbank, bank, %1 "
                   "LEFT JOIN error ON %1.BANKID = error.BANKID AND %1.ERRCODE = error.ERRCODE WHERE %1.BANKID = "
                   "bank.BANKID AND %1.mobankno = bank.mobankno AND %1.TRANS_BANKID = allbank.BANKID and %1.seqno >= 950 "
                   "and %1.seqno <= 951 and %1.userid = 'JURU' and %1.senddate = '20260415'")
            .arg(t, main, payee);
    };
    const auto rs = db.query(statement(QStringLiteral("cmsjiche102"), QStringLiteral("BANKNO"), QStringLiteral("moBANKNO")) +
                             QStringLiteral(" union all ") +
                             statement(QStringLiteral("cmsjiche103"), QStringLiteral("moBANKNO"), QStringLiteral("BANKNO")) +
                             QStringLiteral(" order by senddate, seqno"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("seqno")), 950);
    EXPECT_EQ(rs.value(1, QStringLiteral("MOBANKNAME")), QStringLiteral("우리은행"));
}

QVX_ON_EVERY_BACKEND(SchemaTest);
