// The one builder of the mother-account and bank-code statements: each
// screen's text as it is sent, and what it reads from a demo database.
#include "core/BankSql.h"
#include "core/MotherAccount.h"
#include "platform/AppServer.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
QString S(const char *text) { return QString::fromUtf8(text); }
}

// Each statement as the screens word it, once: a typo in the builder fails here.
TEST(BankSql, EachWordedStatementComesOutLetterForLetter)
{
    const std::pair<QString, const char *> worded[] = {
        {BankSql::motherAccounts(), "select      bankid,    mobankno,    bankname,    firmid,    sendname,    "
                                    "tr_gubuncode,    recvid from    bank order by bankid"},
        {BankSql::motherAccounts({.passwords = true}),
         "select      bankid,    mobankno,    bankname,    firmid,    passwd,    dblpasswd,    sendname,    "
         "tr_gubuncode,    recvid from    bank order by bankid"},
        {BankSql::motherAccounts({.passwords = true, .ordered = false}),
         "select      bankid,    mobankno,    bankname,    firmid,    passwd,    dblpasswd,    sendname,    "
         "tr_gubuncode,    recvid from    bank"},
        {BankSql::motherAccounts({.virtualAccountBanksOnly = true}),
         "select      bankid,    mobankno,    bankname,    firmid,    sendname,    tr_gubuncode,    recvid from    "
         "bank where TR_GubunCode = 'Y' order by bankid"},
        {BankSql::distinctMotherAccounts(),
         "SELECT      Distinct MoBankNo,    bankid,    bankname,    firmid,    sendname,    tr_gubuncode,    "
         "recvid,    passwd,    dblpasswd FROM Bank order by bankid"},
        {BankSql::everyMotherAccount(), "select * from bank"},
        {BankSql::startScreenBanks(), "select bankid, firmid, bankname from BANK order by bankid"},
        {BankSql::bankCodes(), "select * from allbank order by bankid"},
        {BankSql::bankCodes(BankSql::BankCodeRows::Named), "select * from allbank where not (bankid = bankname) order by bankid"},
        {BankSql::bankCodes(BankSql::BankCodeRows::NamedSpaced),
         "select * from allbank where not ( bankid = bankname) order by bankid"},
        {BankSql::everyBankCode(), "SELECT * FROM allbank"},
        {BankSql::bankCodeNames(S("04")), "select bankid, bankname from allbank where bankid = '04' order by bankid"},
    };
    for (const auto &[built, text] : worded)
        EXPECT_EQ(built, S(text));
}

TEST(BankSql, AChosenBankCodeIsQuoted)
{
    EXPECT_EQ(BankSql::bankCodes(BankSql::BankCodeRows::All, S("0'4")),
              S("select * from allbank where bankid = '0''4' order by bankid"));
    EXPECT_EQ(BankSql::bankCodeNames(S("0'4")), S("select bankid, bankname from allbank where bankid = '0''4' order by bankid"));
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
