// The one builder of the mother-account and bank-code statements: each
// screen's text as it is sent, and what it reads from a demo database.
#include "core/BankSql.h"
#include "core/MotherAccount.h"
#include "platform/AppServer.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

namespace {
QString S(const char *text) { return QString::fromUtf8(text); }
}

TEST(BankSql, EachScreensMotherAccountStatementComesOutAsItIsSent)
{
    EXPECT_EQ(BankSql::motherAccounts(),
              S("select      bankid,    mobankno,    bankname,    firmid,    sendname,    tr_gubuncode,    recvid from    "
                "bank order by bankid"));
    EXPECT_EQ(BankSql::motherAccounts({.passwords = true}),
              S("select      bankid,    mobankno,    bankname,    firmid,    passwd,    dblpasswd,    sendname,    "
                "tr_gubuncode,    recvid from    bank order by bankid"));
    EXPECT_EQ(BankSql::motherAccounts({.passwords = true, .ordered = false}),
              S("select      bankid,    mobankno,    bankname,    firmid,    passwd,    dblpasswd,    sendname,    "
                "tr_gubuncode,    recvid from    bank"));
    EXPECT_EQ(BankSql::motherAccounts({.virtualAccountBanksOnly = true}),
              S("select      bankid,    mobankno,    bankname,    firmid,    sendname,    tr_gubuncode,    recvid from    "
                "bank where TR_GubunCode = 'Y' order by bankid"));
}

TEST(BankSql, BankCodesEveryNamedOrOneQuoted)
{
    EXPECT_EQ(BankSql::bankCodes(), S("select * from allbank order by bankid"));
    EXPECT_EQ(BankSql::bankCodes(BankSql::BankCodeRows::Named),
              S("select * from allbank where not (bankid = bankname) order by bankid"));
    EXPECT_EQ(BankSql::bankCodes(BankSql::BankCodeRows::All, S("0'4")),
              S("select * from allbank where bankid = '0''4' order by bankid"));
}

// The statements the screens send word for word as they have always been worded.
TEST(BankSql, TheWordedStatementsComeOutLetterForLetter)
{
    EXPECT_EQ(BankSql::everyBankCode(), S("SELECT * FROM allbank"));
    EXPECT_EQ(BankSql::startScreenBanks(), S("select bankid, firmid, bankname from BANK order by bankid"));
    EXPECT_EQ(BankSql::bankCodeNames(), S("select bankid, bankname from allbank order by bankid"));
    EXPECT_EQ(BankSql::bankCodeNames(S("04")), S("select bankid, bankname from allbank where bankid = '04' order by bankid"));
    EXPECT_EQ(BankSql::everyMotherAccount(), S("select * from bank"));
    EXPECT_EQ(BankSql::bankCodes(BankSql::BankCodeRows::NamedSpaced),
              S("select * from allbank where not ( bankid = bankname) order by bankid"));
    EXPECT_EQ(BankSql::distinctMotherAccounts(),
              S("SELECT      Distinct MoBankNo,    bankid,    bankname,    firmid,    sendname,    tr_gubuncode,    "
                "recvid,    passwd,    dblpasswd FROM Bank order by bankid"));
}

TEST(BankSql, TheStatementsReadEveryAccountAndCodeOfTheDemoFirm)
{
    qvx::test::TestServer server;
    qvx::AppServer &link = server.client();
    const int accounts = server.query(S("select count(*) as n from bank")).valueInt(0, S("n"));
    ASSERT_GT(accounts, 0);
    const qvx::ResultSet all = link.select(BankSql::motherAccounts({.passwords = true}));
    ASSERT_EQ(all.recordCount(), accounts);
    const MotherAccount first = MotherAccount::FromRow(all, 0);
    EXPECT_FALSE(first.mobankno.isEmpty());
    EXPECT_FALSE(first.passwd.isEmpty());
    EXPECT_TRUE(MotherAccount::FromRow(link.select(BankSql::motherAccounts()), 0).passwd.isEmpty());
    EXPECT_EQ(link.select(BankSql::motherAccounts({.passwords = true, .ordered = false})).recordCount(), accounts);
    const int virtualBanks =
        server.query(S("select count(*) as n from bank where TR_GubunCode = 'Y'")).valueInt(0, S("n"));
    EXPECT_EQ(link.select(BankSql::motherAccounts({.virtualAccountBanksOnly = true})).recordCount(), virtualBanks);

    const int codes = server.query(S("select count(*) as n from allbank")).valueInt(0, S("n"));
    EXPECT_EQ(link.select(BankSql::bankCodes()).recordCount(), codes);
    const qvx::ResultSet one = link.select(BankSql::bankCodes(BankSql::BankCodeRows::All, S("04")));
    ASSERT_EQ(one.recordCount(), 1);
    EXPECT_EQ(one.value(0, S("bankid")), S("04"));
}
