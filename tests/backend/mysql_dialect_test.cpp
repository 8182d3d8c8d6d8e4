// The client's MySQL-flavoured statements on the SQLite database, through the
// server as the screens send them.

#include "backend/MySqlToSqlite.h"
#include "support/TestServer.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using qvx::test::TestServer;

TEST(MySqlTranslation, RewritesOnlyOutsideLiteralsAndComments)
{
    const auto t = qvx::translateMySqlToSqlite(
        QStringLiteral("select IF(a = 'if(x)', \"it's\", \"-\") as k, t.if(1), `if`(2) from t -- if(3)"));
    EXPECT_EQ(t.text, QStringLiteral("select iIF(a = 'if(x)', 'it''s', '-') as k, t.if(1), `if`(2) from t -- if(3)"));
    EXPECT_TRUE(t.changed);
    // The column name of a rewritten expression is the original text.
    EXPECT_EQ(t.originalOf(QStringLiteral("select IF(a = 'if(x)', \"it's\", \"-\") as k"),
                           QStringLiteral("iIF(a = 'if(x)', 'it''s', '-')")),
              QStringLiteral("IF(a = 'if(x)', \"it's\", \"-\")"));
    EXPECT_EQ(qvx::translateMySqlToSqlite(QStringLiteral("create table if not exists x (a int)")).text,
              QStringLiteral("create table if not exists x (a int)"));
    EXPECT_EQ(qvx::translateMySqlToSqlite(QStringLiteral("select 'a\"b' # note")).text,
              QStringLiteral("select 'a\"b' -- note"));
    EXPECT_FALSE(qvx::translateMySqlToSqlite(QStringLiteral("select 'x'")).changed);
}

TEST(MySqlTranslation, RealsPrintAsMySqlPrintsThem)
{
    EXPECT_EQ(qvx::realToText(1000.0), QStringLiteral("1000"));
    EXPECT_EQ(qvx::realToText(-5.0), QStringLiteral("-5"));
    EXPECT_EQ(qvx::realToText(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(qvx::realToText(2.5), QStringLiteral("2.5"));
}

TEST(MySqlDialect, IfConcatAndDoubleQuotedLiterals)
{
    TestServer server;
    auto &app = server.client();
    server.exec(QStringLiteral("insert into daesang(name, bankno, bankid, TelNo_1, TelNo_2, TelNo_3) "
                               "values('전화', '1', '04', '02', '123', '4567')"));
    auto rs = app.select(QStringLiteral(
        "select concat(daesang.TelNo_1,\"-\",daesang.TelNo_2,\"-\",daesang.TelNo_3) as PhoneNo, "
        "ConCat(TelNo_1, \"-\") , if(bankid = '04', \"국민\", 'other') as kind, IF(bankid = 'zz', 1, 2) "
        "from daesang where name = \"전화\""));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, QStringLiteral("phoneno")), QStringLiteral("02-123-4567"));
    EXPECT_EQ(rs.value(0, QStringLiteral("kind")), QStringLiteral("국민"));
    EXPECT_EQ(rs.columnNames().at(1), QStringLiteral("ConCat(TelNo_1, \"-\")"));
    EXPECT_EQ(rs.columnNames().at(3), QStringLiteral("IF(bankid = 'zz', 1, 2)"));
    EXPECT_EQ(rs.value(0, 3), QStringLiteral("2"));
    // concat with a NULL is NULL, as in MySQL.
    EXPECT_TRUE(app.select(QStringLiteral("select concat('a', null) as c")).isNull(0, QStringLiteral("c")));
}

TEST(MySqlDialect, ErrorTextJoinOfTheResultScreens)
{
    TestServer server;
    auto &app = server.client();
    const auto err = server.query(QStringLiteral("select bankid, errcode, errcontents from error limit 1"));
    ASSERT_EQ(err.recordCount(), 1);
    const auto rs = app.select(QStringLiteral("select if(e.errcode = '%1', e.errcontents, 'none') as ERRCONTENTS "
                                              "from allbank a left join error e on a.bankid = e.bankid and e.errcode = '%1' "
                                              "where a.bankid = '%2'")
                                   .arg(err.value(0, QStringLiteral("errcode")), err.value(0, QStringLiteral("bankid"))));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.fieldByName(QStringLiteral("errcontents")), err.value(0, QStringLiteral("errcontents")));
}

TEST(MySqlDialect, ShowTablesNamesTheDatabase)
{
    TestServer server;
    const auto rs = server.client().select(QStringLiteral("show tables"));
    EXPECT_EQ(rs.columnNames(), QStringList{QStringLiteral("Tables_in_quvex")});
    QStringList names;
    for (int r = 0; r < rs.recordCount(); ++r)
        names << rs.value(r, QStringLiteral("tables_in_quvex"));
    EXPECT_TRUE(names.contains(QStringLiteral("giche")));
    EXPECT_TRUE(names.contains(QStringLiteral("cmsjiche103"))); // names as MariaDB keeps them (lower case)
    EXPECT_FALSE(names.contains(QStringLiteral("sqlite_sequence")));
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    EXPECT_EQ(server.client().select(QStringLiteral("SHOW TABLES LIKE 'giche%'")).recordCount(), 1);
}

TEST(MySqlDialect, SumsKeepTheirWrittenNameAndWholeNumbers)
{
    TestServer server;
    auto &app = server.client();
    server.exec(QStringLiteral("create table t (g varchar(2), price varchar(20), amount real)"));
    server.exec(QStringLiteral("insert into t values ('a', '1000', 1000.0), ('a', '2500', 0.5), ('b', '7', 2)"));
    const auto rs = app.select(
        QStringLiteral("select g, sum(price), sum(amount), count(*), max(price) from t group by g order by g"));
    EXPECT_EQ(rs.columnNames(), (QStringList{QStringLiteral("g"), QStringLiteral("sum(price)"),
                                             QStringLiteral("sum(amount)"), QStringLiteral("count(*)"),
                                             QStringLiteral("max(price)")}));
    EXPECT_EQ(rs.value(0, QStringLiteral("sum(price)")), QStringLiteral("3500"));
    EXPECT_EQ(rs.value(0, QStringLiteral("SUM(AMOUNT)")), QStringLiteral("1000.5"));
    EXPECT_EQ(rs.value(1, QStringLiteral("sum(amount)")), QStringLiteral("2"));
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("count(*)")), 2);
    // Loose group by: a column outside the grouping is accepted.
    EXPECT_EQ(app.select(QStringLiteral("select g, price from t group by g")).recordCount(), 2);
}

TEST(MySqlDialect, NamesWithoutRegardToCase)
{
    TestServer server;
    auto &app = server.client();
    const auto a = app.select(QStringLiteral("SELECT BANKNAME FROM ALLBANK WHERE BANKID = '04'"));
    const auto b = app.select(QStringLiteral("select bankname from allbank where bankid = '04'"));
    EXPECT_EQ(a.value(0, QStringLiteral("bankname")), b.value(0, QStringLiteral("BANKNAME")));
    EXPECT_NO_THROW(app.select(QStringLiteral("select * from GICHE")));
    EXPECT_NO_THROW(app.select(QStringLiteral("select * from Giche")));
}

TEST(MySqlDialect, StringFunctions)
{
    TestServer server;
    auto &app = server.client();
    const auto rs = app.select(QStringLiteral(
        "select left('국민은행', 2) as l, right('20240105', 4) as r, substring('abcdef', 2, 3) as s, "
        "ifnull(null, 'x') as n, format(1234567.891, 2) as f, format(-1234.5, 0) as f0, lpad('7', 3, '0') as p, "
        "ucase('ab') as u, Right('abc', 1) as r1, mid('abcdef', 3) as m, length('abc') as len, date_format('2024-01-05 09:03:07', '%Y%m%d%H%i%s') as d"));
    EXPECT_EQ(rs.value(0, QStringLiteral("l")), QStringLiteral("국민"));
    EXPECT_EQ(rs.value(0, QStringLiteral("r")), QStringLiteral("0105"));
    EXPECT_EQ(rs.value(0, QStringLiteral("s")), QStringLiteral("bcd"));
    EXPECT_EQ(rs.value(0, QStringLiteral("n")), QStringLiteral("x"));
    EXPECT_EQ(rs.value(0, QStringLiteral("f")), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(rs.value(0, QStringLiteral("f0")), QStringLiteral("-1,235"));
    EXPECT_EQ(rs.value(0, QStringLiteral("p")), QStringLiteral("007"));
    EXPECT_EQ(rs.value(0, QStringLiteral("u")), QStringLiteral("AB"));
    EXPECT_EQ(rs.value(0, QStringLiteral("r1")), QStringLiteral("c"));
    EXPECT_EQ(rs.value(0, QStringLiteral("m")), QStringLiteral("cdef"));
    EXPECT_EQ(app.select(QStringLiteral("select left(bankname, 1) from allbank where bankid = '04'")).columnNames(),
              QStringList{QStringLiteral("left(bankname, 1)")});
    EXPECT_EQ(rs.value(0, QStringLiteral("len")), QStringLiteral("3"));
    EXPECT_EQ(rs.value(0, QStringLiteral("d")), QStringLiteral("20240105090307"));
}

TEST(MySqlDialect, CaseSidesAndTheClock)
{
    TestServer server;
    auto &app = server.client();
    const auto rs = app.select(QStringLiteral(
        "select lcase('AbC') as lc, ucase(null) as un, left('abc', -1) as ln, right('abc', 9) as rw, "
        "right(null, 1) as rn, now() as n, curdate() as d, curtime() as t"));
    EXPECT_EQ(rs.value(0, QStringLiteral("lc")), QStringLiteral("abc"));
    EXPECT_TRUE(rs.isNull(0, QStringLiteral("un")));
    EXPECT_EQ(rs.value(0, QStringLiteral("ln")), QString());
    EXPECT_FALSE(rs.isNull(0, QStringLiteral("ln")));
    EXPECT_EQ(rs.value(0, QStringLiteral("rw")), QStringLiteral("abc"));
    EXPECT_TRUE(rs.isNull(0, QStringLiteral("rn")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                    .match(rs.value(0, QStringLiteral("n"))).hasMatch()) << rs.value(0, QStringLiteral("n")).toStdString();
    EXPECT_TRUE(rs.value(0, QStringLiteral("n")).startsWith(rs.value(0, QStringLiteral("d")) + QLatin1Char(' ')));
    EXPECT_EQ(rs.value(0, QStringLiteral("d")).size(), 10);
    EXPECT_EQ(rs.value(0, QStringLiteral("t")).size(), 8);
}

TEST(MySqlDialect, QuotesInsideLiteralsAreKept)
{
    TestServer server;
    auto &app = server.client();
    app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('O''Brien', \"a\"\"b\", '04')"));
    app.execute(QStringLiteral("commit"));
    const auto rs = server.query(QStringLiteral("select name, bankno from daesang where name like 'O%'"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0, QStringLiteral("name")), QStringLiteral("O'Brien"));
    EXPECT_EQ(rs.value(0, QStringLiteral("bankno")), QStringLiteral("a\"b"));
}
