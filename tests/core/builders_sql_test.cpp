#include "core/Session.h"
#include "core/RequestSql.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

QString S(const char *utf8) { return QString::fromUtf8(utf8); }

QStringList columns(const char *list)
{
    QStringList c = QString::fromLatin1(list).split(QLatin1Char(','));
    for (QString &s : c)
        s = s.trimmed();
    return c;
}

// Distinct value per column; the message number at SeqNo.
QStringList valuesFor(const QStringList &cols, const QString &seqNo)
{
    QStringList v;
    for (int i = 0; i < cols.size(); ++i)
        v << (cols[i].compare(QLatin1String("SeqNo"), Qt::CaseInsensitive) == 0 ? seqNo
                                                                                 : QStringLiteral("c%1").arg(i));
    return v;
}

template <size_t N, class F>
QString callWith(F f, const QStringList &v)
{
    return [&]<size_t... I>(std::index_sequence<I...>) { return f(v[I]...); }(std::make_index_sequence<N>{});
}

class BuildersSql : public ::testing::Test
{
protected:
    Session session;
    static void SetUpTestSuite() { server = new qvx::test::TestServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    // Runs the statement through the server and checks that every listed
    // column of the stored row holds the expected value.
    void storeAndCheck(const QString &table, const QString &sql, const QStringList &cols, const QStringList &expected,
                       const QString &seqNo)
    {
        SCOPED_TRACE(table.toStdString());
        ASSERT_NO_THROW({
            server->client().execute(sql);
            server->client().execute(QStringLiteral("commit"));
        }) << sql.toStdString();
        const qvx::ResultSet rs =
            server->query(QStringLiteral("select * from %1 where SeqNo = %2").arg(table, seqNo));
        ASSERT_EQ(rs.recordCount(), 1);
        for (int i = 0; i < cols.size(); ++i)
            EXPECT_EQ(rs.value(0, cols[i]), expected[i]) << cols[i].toStdString();
    }

    static qvx::test::TestServer *server;
};
qvx::test::TestServer *BuildersSql::server = nullptr;

#define BUILDER_CASE(Builder, N, Table, ColumnList, Seq)                                                        \
    TEST_F(BuildersSql, Builder)                                                                                 \
    {                                                                                                            \
        const QStringList cols = columns(ColumnList);                                                            \
        ASSERT_EQ(cols.size(), N);                                                                               \
        const QStringList v = valuesFor(cols, QStringLiteral(Seq));                                              \
        const QString sql = callWith<N>([](auto &&...a) { return Builder(a...); }, v);                           \
        EXPECT_TRUE(sql.startsWith(QStringLiteral("insert into " Table "("))) << sql.toStdString();              \
        EXPECT_TRUE(sql.contains(QStringLiteral("," Seq ","))) << sql.toStdString();                             \
        storeAndCheck(QStringLiteral(Table), sql, cols, v, QStringLiteral(Seq));                                 \
    }

BUILDER_CASE(MakeTrsumSql, 33, "Trsum",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE, MoBankNo, "
             "TotalCnt, TotalGum, InOkCnt, InOkGum, InErrCnt, InErrGum, TaOkCnt, TaOkGum, TaErrCnt, TaErrGum, Fee, "
             "InSuCnt, InSuGum, InSuErrCnt, InSuErrGum, TrGubun, SelectArea1, Dummy, sr_flag, COMMON_DUMMY, "
             "up_gubuncode",
             "7001")
BUILDER_CASE(MakeGicheSql, 31, "giche",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag, MoBankNo, "
             "PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, BankNo, Fee, CmsCode, Name, TaProcNo, TaErrFee, "
             "TaErrPrice, TaErrMoney, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY",
             "7002")
BUILDER_CASE(MakeJiche102Sql, 32, "cmsjiche102",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag, bankNo, "
             "PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, MoBankNo, Fee, CmsCode, Name, TaProcNo, JuminNo, "
             "JuFlag, JuMoney, nonJuMoney, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY",
             "7003")
BUILDER_CASE(MakeJiche103Sql, 32, "CMSJICHE103",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, CFMID, SendFlag, MoBankNo, "
             "PassWd, Boki, Gubun, Price, Sign, Remain, TRANS_BankID, BankNo, Fee, CmsCode, Name, TaProcNo, JuminNo, "
             "JuFlag, JuMoney, nonJuMoney, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY",
             "7004")
BUILDER_CASE(MakeIcheResultSql, 28, "Icheresult",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ICHE_SendDate, "
             "org_seqno, MoBankNo, TRANS_BankID, BankNo, Gubun, Price, ProcTime, Fee, CmsCode, Name, SubSeq, "
             "ProcResult, TaProcNo, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode",
             "7005")
BUILDER_CASE(MakeIcheResult102Sql, 33, "icheresult_102",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE, "
             "ICHE_SendDate, ORG_SEQNO, BankNo, TRANS_BankID, MoBankNo, Dummy1, Price, ProcTime, Fee, CmsCode, Name, "
             "SubSeq, ProcResult, TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy2, up_gubuncode, sr_flag, "
             "COMMON_DUMMY",
             "7006")
BUILDER_CASE(MakeIcheResult103Sql, 33, "icheresult_103",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE, "
             "ICHE_SendDate, ORG_SEQNO, BankNo, TRANS_BankID, MoBankNo, Dummy1, Price, ProcTime, Fee, CmsCode, Name, "
             "SubSeq, ProcResult, TaProcNo, JuminNo, JuFlag, JuMoney, nonJuMoney, Dummy2, up_gubuncode, sr_flag, "
             "COMMON_DUMMY",
             "7007")
BUILDER_CASE(MakeAmtSearchSql, 21, "amt_search",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, BankNo, Sign, "
             "JanWon, Param1, Param2, Param3, AbleWon, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode",
             "7008")
BUILDER_CASE(MakeTCountSearchSql, 14, "tcount_search",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, searchDate, "
             "sr_flag, COMMON_DUMMY, up_gubuncode",
             "7009")
BUILDER_CASE(MakeTaNameSearchSql, 30, "TA_NAME_SEARCH",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, MoBankNo, "
             "MoPassWd, MoBoki, NotUse1, Price, NotUse2, NotUse3, TRANS_BankID, BankNo, Fee, NotUse4, Name, NotUse5, "
             "RRNoCheck, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode, RECEIVEDATE, RECEIVETIME",
             "7010")
BUILDER_CASE(MakeDepositOrderSql, 33, "DEPOSIT_ORDER",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, DEPOSIT_SendDate, "
             "ORG_SEQNO, MOBANKNO, Gubun, InBankID, Price, Sign, Remain, BrCode, Name, NoteNo, Param1, Param2, Param3, "
             "InCode, InTime, InDate, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode, RECEIVEDATE, RECEIVETIME",
             "7011")
BUILDER_CASE(MakeVDepositOrderSql, 34, "V_DEPOSIT_ORDER",
             "SENDDATE, SENDTIME, SERVICE, SEQNO, SENDID, RECVID, FIRMID, BANKID, USERID, SENDFLAG, ERRCODE, "
             "DEPOSIT_SENDDATE, ORG_SEQNO, MOBANKNO, GUBUN, INBANKID, PRICE, SIGN, REMAIN, BRCODE, NAME, JAGI, GAGAE, "
             "V_BANKNO, JUMINNO, INTIME, ORG_DATE, ORG_NO, DUMMY, RECEIVETIME, RECEIVEDATE, COMMON_DUMMY, "
             "up_gubuncode, SR_FLAG",
             "7012")
BUILDER_CASE(MakeTaIcheOrderSql, 32, "TA_ICHE_ORDER",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, errcode, "
             "TA_ICHE_SendDate, ORG_SEQNO, BANK_SEQNO, MoBankNo, TRANS_BankID, BankNo, Gubun, Price, ProcTime, Fee, "
             "CmsCode, Name, SubSeq, ProcResult, TaProcNo, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode, receivedate, "
             "receivetime",
             "7013")
BUILDER_CASE(MakeDraftOrderSql, 35, "DRAFT_ORDER",
             "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, DRAFT_SENDDATE, "
             "ORG_SEQNO, GUBUN, BANKNO, IBGUMCODE, DRAFTNO, DRAFTKIND, DRAFTMONEY, PUB_NAME, DEP_NAME, SUTAK_DATE, "
             "MANKI_DATE, PAY_BANKNAME, PAY_DEPARTNAME, DangTa_gubun, GYULJE_BANKNO, TRANS_DEPART, SELECTAREA1, "
             "SELECTAREA2, DUMMY, sr_flag, COMMON_DUMMY, up_gubuncode, RECEIVEDATE, RECEIVETIME",
             "7014")

TEST_F(BuildersSql, MakeVasTrsumSqlWritesItsFixedColumns)
{
    const QStringList all = columns(
        "SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, SendFlag, ERRCODE, TransDate, "
        "GiKwanCode, Ibgum_tot_gun, Ibgum_tot_money, Ibgum_cnl_gun, Ibgum_cnl_Money, Chul_tot_gun, Chul_tot_money, "
        "Chul_cnl_gun, Chul_cnl_money, Fee_gun, Fee_Money, Dummy, sr_flag, COMMON_DUMMY, up_gubuncode");
    QStringList given = all;
    given.removeAll(QStringLiteral("sr_flag"));
    given.removeAll(QStringLiteral("up_gubuncode"));
    ASSERT_EQ(given.size(), 25);
    const QStringList v = valuesFor(given, QStringLiteral("7015"));
    const QString sql = callWith<25>([](auto &&...a) { return MakeVasTrsumSql(a...); }, v);
    QStringList cols = given, expected = v;
    cols << QStringLiteral("sr_flag") << QStringLiteral("up_gubuncode");
    expected << QStringLiteral("1") << QStringLiteral("0300400");
    storeAndCheck(QStringLiteral("Vas_Trsum"), sql, cols, expected, QStringLiteral("7015"));
}

TEST_F(BuildersSql, MakeSmsTransSqlFillsHeaderAndRepeatsTheNumber)
{
    session.NetworkId = QStringLiteral("NET0001");
    qvx::Clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 30, 15)));
    const QString sql = MakeSmsTransSql(session, QStringLiteral("7016"), QStringLiteral("USER1"), S("홍길동"),
                                        QStringLiteral("01012345678"), QStringLiteral("0212345678"),
                                        QStringLiteral("20240306"), S("잔액 부족"), QString(), QString());
    qvx::Clock::reset();
    EXPECT_TRUE(sql.contains(QStringLiteral(",7016,"))) << sql.toStdString();
    const QStringList cols = columns(
        "SendDate, SendTime, Service, SeqNo, SendID, RecvID, BankID, USERID, SendFlag, TranSeqNo, RecvName, "
        "RecvTelNo, SendTelNo, ReserveDate, Message, Dummy, sr_flag, up_gubuncode, COMMON_DUMMY");
    const QStringList expected = {QStringLiteral("20240305"), QStringLiteral("093015"), QStringLiteral("DY2"),
                                  QStringLiteral("7016"), QStringLiteral("NET0001"), QStringLiteral("HELP002"),
                                  QStringLiteral("00"), QStringLiteral("USER1"), QStringLiteral("1"),
                                  QStringLiteral("7016"), S("홍길동"), QStringLiteral("01012345678"),
                                  QStringLiteral("0212345678"), QStringLiteral("20240306"), S("잔액 부족"),
                                  QString(), QStringLiteral("1"), QStringLiteral("0900900"), QString()};
    storeAndCheck(QStringLiteral("SMS_Trans"), sql, cols, expected, QStringLiteral("7016"));
}

TEST_F(BuildersSql, QuotesInValuesAreStoredAsTyped)
{
    QStringList v = valuesFor(columns("a,b,c,SeqNo,e,f,g,h,i,j,k,l,m,n"), QStringLiteral("7017"));
    v[10] = QStringLiteral("O'Neil'); delete from bank; --");
    const QString sql = callWith<14>([](auto &&...a) { return MakeTCountSearchSql(a...); }, v);
    storeAndCheck(QStringLiteral("tcount_search"), sql, {QStringLiteral("searchDate")}, {v[10]},
                  QStringLiteral("7017"));
    EXPECT_GT(server->query(QStringLiteral("select count(*) as n from bank")).valueInt(0, QStringLiteral("n")), 0);
}

} // namespace

// --- without a server ------------------------------------------------------

namespace {

QString gicheWithName(const QString &name, const QString &seqNo = QStringLiteral("1001"))
{
    QStringList v;
    for (int i = 0; i < 31; ++i)
        v << QString();
    v[3] = seqNo;
    v[22] = name;
    return callWith<31>([](auto &&...a) { return MakeGicheSql(a...); }, v);
}

QString quoted(const QString &s) { return qvx::sqlQuote(s); }

TEST(BuildersText, TransferNamesAreCutToTwelveBytes)
{
    EXPECT_TRUE(gicheWithName(S("가나다라마바사아자차")).contains(quoted(S("가나다라마바")) + QLatin1Char(',')));
    EXPECT_TRUE(gicheWithName(S("A가나다라마바")).contains(quoted(S("A가나다라마")) + QLatin1Char(',')));
    EXPECT_TRUE(gicheWithName(S("ABCDEFGHIJ")).contains(quoted(S("ABCDEFGHIJ")) + QLatin1Char(',')));

    QStringList v(32);
    v[3] = QStringLiteral("5");
    v[22] = S("가나다라마바사아자차");
    for (const QString &sql : {callWith<32>([](auto &&...a) { return MakeJiche102Sql(a...); }, v),
                               callWith<32>([](auto &&...a) { return MakeJiche103Sql(a...); }, v)})
        EXPECT_TRUE(sql.contains(quoted(S("가나다라마바")) + QLatin1Char(','))) << sql.toStdString();

    // Result tables keep the name whole.
    QStringList r(28);
    r[3] = QStringLiteral("5");
    r[20] = S("가나다라마바사아자차");
    EXPECT_TRUE(callWith<28>([](auto &&...a) { return MakeIcheResultSql(a...); }, r)
                    .contains(quoted(S("가나다라마바사아자차"))));
}

TEST(BuildersText, MessageNumberMustBeAnInteger)
{
    Session session;
    EXPECT_THROW(gicheWithName(QStringLiteral("x"), QStringLiteral("1 or 1=1")), qvx::SqlValueError);
    EXPECT_THROW(gicheWithName(QStringLiteral("x"), QString()), qvx::SqlValueError);
    EXPECT_THROW(MakeSmsTransSql(session, QStringLiteral("12a"), {}, {}, {}, {}, {}, {}, {}, {}), qvx::SqlValueError);
    EXPECT_TRUE(gicheWithName(QStringLiteral("x"), QStringLiteral("1001")).contains(QStringLiteral("'',1001,''")));
}

TEST(BuildersText, FixedRecordWidths)
{
    EXPECT_EQ(MakeFixedRecord(QStringList()), QString(241, QLatin1Char(' ')));
    QStringList f(28);
    f[1] = QString(25, QLatin1Char('x'));
    EXPECT_EQ(Cp949Length(MakeFixedRecord(f)), 246);

    f = QStringList(28);
    f[0] = QStringLiteral("0001");
    f[9] = S("주류");
    f[15] = QStringLiteral("DY2");
    f[27] = QStringLiteral("AB");
    const QString line = MakeFixedRecord(f);
    EXPECT_EQ(Cp949Length(line), 241);
    EXPECT_TRUE(line.startsWith(QStringLiteral("0001") + QString(20 + 15 + 13 * 3 + 12 + 20 + 15, QLatin1Char(' '))
                                + S("주류  ")));
    EXPECT_TRUE(line.endsWith(QStringLiteral("AB  ")));
}

} // namespace
