// Statements as the screens send them, run through the server on the SQLite
// database, with the rows and column names MySQL would give.

#include "backend/MySqlToSqlite.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

using qvx::test::TestServer;

namespace {

// Two waiting transfers of one batch and a third of another, at bank 04.
void addTransfers(TestServer &server)
{
    const QString row = QStringLiteral(
        "insert into giche (SendDate, SendTime, Service, SeqNo, FirmID, BankID, USERID, CFMID, MoBankNo, Gubun, Price, "
        "TRANS_BankID, BankNo, Name, sr_flag, up_gubuncode, ERRCODE) values ('20260105', '%1', '0100', %2, 'HB0401', "
        "'04', 'MAKER', 'APPR2', '123401234567', '30', '%3', '03', '1002', '홍길동', '0', '0101100', '%4')");
    server.exec(row.arg(QStringLiteral("093000")).arg(11).arg(QStringLiteral("1000"), QStringLiteral("0011")));
    server.exec(row.arg(QStringLiteral("093000")).arg(12).arg(QStringLiteral("2500"), QStringLiteral("9999")));
    server.exec(row.arg(QStringLiteral("101500")).arg(13).arg(QStringLiteral("7"), QString()));
}

QString transferSelect()
{
    return QStringLiteral(
        "SELECT giche.SENDDATE, giche.SENDTIME, giche.SERVICE, giche.SEQNO, giche.SENDID, giche.RECVID, giche.FIRMID, "
        "giche.BANKID, giche.USERID, giche.CFMID, giche.SENDFLAG, giche.UP_GUBUNCODE, giche.ERRCODE, giche.MOBANKNO, "
        "giche.PASSWD, giche.BOKI, giche.GUBUN, giche.PRICE, giche.SIGN, giche.REMAIN, giche.TRANS_BANKID, "
        "giche.BANKNO, giche.FEE, giche.CMSCODE, giche.NAME, giche.TAPROCNO, giche.TAERRFEE, giche.TAERRPRICE, "
        "giche.TAERRMONEY, giche.DUMMY, giche.SR_FLAG, giche.RECEIVETIME, giche.RECEIVEDATE, giche.COMMON_DUMMY, "
        "bank.BANKNAME AS MOBANKNAME, allbank.BANKNAME AS TRANSBANKNAME, upgubun.GUBUNCONTENTS, "
        "if(giche.errcode = error.errcode, error.errcontents, giche.errcode) as errcontents from upgubun, allbank, "
        "bank, giche left join error on giche.BANKID = error.BANKID AND giche.ERRCODE = error.ERRCODE WHERE "
        "giche.BANKID = bank.BANKID and giche.mobankno = bank.mobankno AND giche.UP_GUBUNCODE = "
        "upgubun.UP_GUBUNCODE AND giche.TRANS_BANKID = allbank.BANKID and giche.cfmid = 'APPR2' and giche.senddate "
        "= '20260105' and giche.sendtime = '093000' and giche.sr_flag = '0'");
}

} // namespace

TEST(MySqlScreenStatements, TransferListJoinsNamesAndErrorTexts)
{
    TestServer server;
    addTransfers(server);
    auto rs = server.client().select(transferSelect() + QStringLiteral(" order by giche.seqno"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.columnNames().size(), 38);
    EXPECT_EQ(rs.columnNames().last(), QStringLiteral("errcontents"));
    EXPECT_EQ(rs.value(0, QStringLiteral("mobankname")), QStringLiteral("국민은행"));
    EXPECT_EQ(rs.value(0, QStringLiteral("transbankname")), QStringLiteral("기업은행"));
    EXPECT_EQ(rs.value(0, QStringLiteral("gubuncontents")), QStringLiteral("타행이체"));
    // A known code gives its text, an unknown one stays the raw code.
    EXPECT_FALSE(rs.value(0, QStringLiteral("errcontents")).isEmpty());
    EXPECT_NE(rs.value(0, QStringLiteral("errcontents")), QStringLiteral("0011"));
    EXPECT_EQ(rs.value(1, QStringLiteral("errcontents")), QStringLiteral("9999"));
    EXPECT_EQ(rs.valueInt(1, QStringLiteral("seqno")), 12);
}

TEST(MySqlScreenStatements, WaitingBatchesGroupWithWholeSums)
{
    TestServer server;
    addTransfers(server);
    const auto rs = server.client().select(
        QStringLiteral("select userid, sum(price), sendtime, cfmid, senddate, min(seqno), max(seqno), gubun from giche "
                       "where      cfmid = 'APPR2'  and sr_flag = '0'   and senddate = '20260105' group by      "
                       "sendtime, userid, cfmid, senddate, gubun"));
    EXPECT_EQ(rs.columnNames(),
              (QStringList{QStringLiteral("userid"), QStringLiteral("sum(price)"), QStringLiteral("sendtime"),
                           QStringLiteral("cfmid"), QStringLiteral("senddate"), QStringLiteral("min(seqno)"),
                           QStringLiteral("max(seqno)"), QStringLiteral("gubun")}));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.value(0, 1), QStringLiteral("3500"));
    EXPECT_EQ(rs.value(0, 5), QStringLiteral("11"));
    EXPECT_EQ(rs.value(0, 6), QStringLiteral("12"));
    EXPECT_EQ(rs.value(1, 1), QStringLiteral("7"));

    const auto latest = server.client().select(
        QStringLiteral("select max(sendtime) from giche where senddate='20260105'"));
    EXPECT_EQ(latest.columnNames(), QStringList{QStringLiteral("max(sendtime)")});
    EXPECT_EQ(latest.value(0, 0), QStringLiteral("101500"));
    const auto none = server.client().select(QStringLiteral("select max(sendtime) from trsum where senddate = '19990101'"));
    ASSERT_EQ(none.recordCount(), 1);
    EXPECT_TRUE(none.isNull(0, QStringLiteral("max(sendtime)")));
}

TEST(MySqlScreenStatements, NoticeListWithTwoLeftJoinsAndCounts)
{
    TestServer server;
    auto &app = server.client();
    for (const char *seq : {"000001", "000002", "000003"})
        server.exec(QStringLiteral("insert into deposit (SEQNO, FIRMID, BANKID, ERRCODE, DEPOSIT_SENDDATE, ORG_SEQNO, "
                                   "MOBANKNO, GUBUN, PRICE, COMMON_DUMMY) values (1, 'HB0401', '04', '0000', "
                                   "'20260105', '%1', '123401234567', '11', '500', '')")
                        .arg(QLatin1String(seq)));
    const auto rs = app.select(QStringLiteral(
        "SELECT  deposit.SERVICE, deposit.SEQNO,   deposit.SENDID,  deposit.RECVID,  deposit.FIRMID,  deposit.BANKID,  "
        "deposit.SENDFLAG, deposit.ERRCODE,  deposit.DEPOSIT_SENDDATE,  deposit.ORG_SEQNO, deposit.MOBANKNO,  "
        "deposit.GUBUN,     deposit.INBANKID,  deposit.PRICE,  deposit.SIGN,   deposit.REMAIN, deposit.BRCODE, "
        "deposit.NAME,   deposit.NOTENO, deposit.PARAM1, deposit.PARAM2, deposit.PARAM3, deposit.INCODE, "
        "deposit.INTIME, deposit.INDATE, deposit.DUMMY,  deposit.RECEIVETIME,  deposit.RECEIVEDATE,  "
        "deposit.COMMON_DUMMY, deposit.UP_GUBUNCODE, transdiv.transdivcontents, if(deposit.errcode=error.errcode, "
        "error.errcontents, deposit.errcode) as errcontents FROM      deposit   left join error on  deposit.BANKID = "
        "error.BANKID  AND  deposit.ERRCODE = error.ERRCODE  left join transdiv on  deposit.BANKID = "
        "transdiv.BANKID  AND  deposit.GUBUN = transdiv.TRANSDIVCODE  WHERE  transdiv.divflag  = '1' and "
        "deposit.gubun = '11'  and deposit.mobankno = '123401234567'   and deposit.bankid      = '04' and "
        "deposit.deposit_senddate between '20260101' and '20260105'  order by deposit.bankid, "
        "deposit.deposit_senddate, deposit.org_seqno, deposit.common_dummy"));
    ASSERT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.value(2, QStringLiteral("org_seqno")), QStringLiteral("000003"));
    EXPECT_EQ(rs.value(0, QStringLiteral("transdivcontents")), QStringLiteral("현금입금"));
    EXPECT_EQ(rs.value(0, QStringLiteral("errcontents")), QStringLiteral("정상처리"));

    const auto count = app.select(QStringLiteral(" SELECT Count(*) as Cnt FROM Deposit  WHERE Deposit_SendDate = "
                                                 "'20260105'       AND FirmID = 'HB0401' AND Org_SeqNo <= '000002'"));
    EXPECT_EQ(count.columnNames(), QStringList{QStringLiteral("Cnt")});
    EXPECT_EQ(count.valueInt(0, QStringLiteral("cnt")), 2);
}

TEST(MySqlScreenStatements, BankListsWithDistinctAndLooseGrouping)
{
    TestServer server;
    auto &app = server.client();
    const auto banks = app.select(QStringLiteral("select distinct bankID, bankname from bank group by bankname order by bankid"));
    ASSERT_GE(banks.recordCount(), 2);
    EXPECT_EQ(banks.value(0, QStringLiteral("bankid")), QStringLiteral("03"));
    const auto firms = app.select(QStringLiteral("select      distinct bankid,    bankname,    firmid,    recvid from    "
                                                 "bank group by bankname, firmid, recvid order by bankid"));
    EXPECT_EQ(firms.recordCount(), banks.recordCount());
    const auto paren = app.select(QStringLiteral("select distinct(bankid), bankname, firmid, sendname, tr_gubuncode, "
                                                 "recvid, passwd, dblpasswd  from bank order by bankid"));
    EXPECT_EQ(paren.columnNames().at(0).toLower(), QStringLiteral("bankid"));
    EXPECT_EQ(paren.value(0, QStringLiteral("bankid")), QStringLiteral("03"));
    const auto errors = app.select(QStringLiteral(
        "select   distinct bank.bankID, bank.bankname, error.errcode, error.errcontents from  bank, error where   "
        "bank.bankID = error.bankID and bank.bankID = '04' and error.errcode = '0000'  group by bank.bankname, "
        "error.errcode, error.errcontents"));
    ASSERT_EQ(errors.recordCount(), 1);
    EXPECT_EQ(errors.value(0, QStringLiteral("errcode")), QStringLiteral("0000"));
    const auto names = app.select(QStringLiteral("select * from allbank where not ( bankid = bankname) order by bankid"));
    EXPECT_EQ(names.value(0, QStringLiteral("bankid")), QStringLiteral("01"));
}

TEST(MySqlScreenStatements, LiteralsAndCommentsHideWhatLooksLikeSql)
{
    TestServer server;
    auto &app = server.client();
    const auto rs = app.select(QStringLiteral(
        "select 'it''s; if(1,2,3)' as a, \"say \"\"if(\"\" ; left(x, 1)\" as b, /* if(; \"x\" */ 'c' as c, -- \"d\" ;\n"
        " concat('#', 'e') as d # it's; if(\n from allbank where bankid = '04';"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, QStringLiteral("a")), QStringLiteral("it's; if(1,2,3)"));
    EXPECT_EQ(rs.value(0, QStringLiteral("b")), QStringLiteral("say \"if(\" ; left(x, 1)"));
    EXPECT_EQ(rs.value(0, QStringLiteral("c")), QStringLiteral("c"));
    EXPECT_EQ(rs.value(0, QStringLiteral("d")), QStringLiteral("#e"));

    // A quote doubled inside a literal is written and found again.
    app.execute(QStringLiteral("update allbank set   bankname = 'it''s; \"ok\"' where bankid = '02'"));
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(app.select(QStringLiteral("select bankname from allbank where bankname = 'it''s; \"ok\"'")).value(0, 0),
              QStringLiteral("it's; \"ok\""));
    // Two statements in one text are refused, a semicolon inside a literal is not a second one.
    EXPECT_ANY_THROW(app.select(QStringLiteral("select 1; delete from allbank")));
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from allbank where bankid = '02'")).valueInt(0, QStringLiteral("n")), 1);
}

TEST(MySqlScreenStatements, ExpressionColumnsAreNamedAsWritten)
{
    TestServer server;
    addTransfers(server);
    const auto rs = server.client().select(QStringLiteral(
        "select count(*), sum(price) as total, Sum( price ), if(sr_flag = \"0\", 'wait', 'sent'), "
        "concat(name, \"님\"), left(mobankno, 4), 1 + 2, ifnull(errcode, '') from giche where seqno = 11"));
    EXPECT_EQ(rs.columnNames(),
              (QStringList{QStringLiteral("count(*)"), QStringLiteral("total"), QStringLiteral("Sum( price )"),
                           QStringLiteral("if(sr_flag = \"0\", 'wait', 'sent')"), QStringLiteral("concat(name, \"님\")"),
                           QStringLiteral("left(mobankno, 4)"), QStringLiteral("1 + 2"),
                           QStringLiteral("ifnull(errcode, '')")}));
    EXPECT_EQ(rs.value(0, 3), QStringLiteral("wait"));
    EXPECT_EQ(rs.value(0, 4), QStringLiteral("홍길동님"));
    EXPECT_EQ(rs.value(0, 5), QStringLiteral("1234"));
    EXPECT_EQ(rs.value(0, 6), QStringLiteral("3"));
}

TEST(MySqlScreenStatements, PlainColumnsKeepTheirWrittenCase)
{
    EXPECT_EQ(qvx::writtenColumnNames(QStringLiteral(
                  " select distinct(bankID), b.BankName, `firmid`, price p, count(*), 'x,y' as q /* , z */ from bank b")),
              (QStringList{QStringLiteral("bankID"), QStringLiteral("BankName"), QStringLiteral("firmid"), QString(),
                           QString(), QString()}));
    EXPECT_TRUE(qvx::writtenColumnNames(QStringLiteral("select *, a from t")).isEmpty());
    EXPECT_TRUE(qvx::writtenColumnNames(QStringLiteral("update t set a = 1")).isEmpty());

    TestServer server;
    const auto rs = server.client().select(QStringLiteral("select BankId, b.bankname, MoBankNo as acct from bank b order by 1"));
    EXPECT_EQ(rs.columnNames(),
              (QStringList{QStringLiteral("BankId"), QStringLiteral("bankname"), QStringLiteral("acct")}));
    // "*" keeps the names the table declares.
    EXPECT_EQ(server.client().select(QStringLiteral("select * from allbank")).columnNames().first(), QStringLiteral("bankid"));
}

TEST(MySqlScreenStatements, WholeSumsInsideTextFunctions)
{
    TestServer server;
    addTransfers(server);
    const auto rs = server.client().select(QStringLiteral(
        "select concat(sum(price), '원') as a, lpad(sum(price), 6, '0') as b, concat(0.5 + 1, '') as c from giche"));
    EXPECT_EQ(rs.value(0, QStringLiteral("a")), QStringLiteral("3507원"));
    EXPECT_EQ(rs.value(0, QStringLiteral("b")), QStringLiteral("003507"));
    EXPECT_EQ(rs.value(0, QStringLiteral("c")), QStringLiteral("1.5"));
}
