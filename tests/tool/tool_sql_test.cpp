#include "tool/ToolSql.h"

#include <gtest/gtest.h>

using namespace tool;

namespace {
const QDate April1(2026, 4, 1);
const QDate April30(2026, 4, 30);
} // namespace

TEST(ToolSql, RequestTablesGetTheSendDateRangeAndOrder)
{
    for (const char *table : {"CMSJICHE102", "CMSJICHE103", "AMT_SEARCH", "GICHE", "ICHERESULT", "ICHERESULT_102",
                              "ICHERESULT_103", "TRSUM", "VAS_TRSUM"}) {
        EXPECT_EQ(BrowseTableSql(QString::fromLatin1(table), April1, April30),
                  QStringLiteral("select * from %1 where senddate >= '20260401' and senddate <= '20260430'  "
                                 "order by senddate, bankid, seqno")
                      .arg(QLatin1String(table)))
            << table;
    }
}

TEST(ToolSql, DepositAndDraftUseTheirOwnDateColumn)
{
    EXPECT_EQ(BrowseTableSql(QStringLiteral("DEPOSIT"), April1, April30),
              QStringLiteral("select * from DEPOSIT where deposit_senddate >= '20260401' and deposit_senddate <= "
                             "'20260430'  order by deposit_senddate, bankid, org_seqno"));
    EXPECT_EQ(BrowseTableSql(QStringLiteral("DRAFT"), April1, April30),
              QStringLiteral("select * from DRAFT where DRAFT_senddate >= '20260401' and DRAFT_senddate <= "
                             "'20260430'  order by DRAFT_senddate, bankid, org_seqno"));
}

// The server lists its tables in small letters; they are the same tables.
TEST(ToolSql, TableNamesAsTheServerListsThemGetTheirRange)
{
    EXPECT_EQ(BrowseTableSql(QStringLiteral("cmsjiche102"), April1, April30),
              QStringLiteral("select * from cmsjiche102 where senddate >= '20260401' and senddate <= '20260430'  "
                             "order by senddate, bankid, seqno"));
    EXPECT_EQ(BrowseTableSql(QStringLiteral("deposit"), April1, April1),
              QStringLiteral("select * from deposit where deposit_senddate >= '20260401' and deposit_senddate <= "
                             "'20260401'  order by deposit_senddate, bankid, org_seqno"));
}

TEST(ToolSql, OtherTablesAreBrowsedWhole)
{
    EXPECT_EQ(BrowseTableSql(QStringLiteral("BANK"), April1, April30), QStringLiteral("select * from BANK"));
    EXPECT_EQ(BrowseTableSql(QStringLiteral("deposit_order"), April1, April30),
              QStringLiteral("select * from deposit_order"));
    EXPECT_EQ(BrowseTableSql(QStringLiteral("v_deposit"), April1, April30), QStringLiteral("select * from v_deposit"));
}

TEST(ToolSql, SelectIsTheFirstLinesFirstWordInAnyCase)
{
    EXPECT_TRUE(StartsWithSelect(QStringLiteral("select * from bank")));
    EXPECT_TRUE(StartsWithSelect(QStringLiteral("SeLeCt\n* from bank")));
    EXPECT_TRUE(StartsWithSelect(QStringLiteral("selectx")));
    EXPECT_FALSE(StartsWithSelect(QStringLiteral("  select * from bank")));
    EXPECT_FALSE(StartsWithSelect(QStringLiteral("update bank set x = 1\nselect")));
    EXPECT_FALSE(StartsWithSelect(QStringLiteral("\nselect * from bank")));
    EXPECT_FALSE(StartsWithSelect(QString()));
}

TEST(ToolSql, ServerAddressWithOrWithoutPort)
{
    ServerAddress a = ParseServerAddress(QStringLiteral(" 10.1.2.3 "));
    EXPECT_EQ(a.host, QStringLiteral("10.1.2.3"));
    EXPECT_EQ(a.port, 211);
    a = ParseServerAddress(QStringLiteral("127.0.0.1:50211"));
    EXPECT_EQ(a.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(a.port, 50211);
    a = ParseServerAddress(QStringLiteral("server:99999"));
    EXPECT_EQ(a.host, QStringLiteral("server"));
    EXPECT_EQ(a.port, 211);
    a = ParseServerAddress(QStringLiteral("::1"));
    EXPECT_EQ(a.host, QStringLiteral("::1"));
    EXPECT_EQ(a.port, 211);
}

TEST(ToolSql, TableNamesOfShowTables)
{
    const qvx::ResultSet quvex({QStringLiteral("Tables_in_quvex")},
                               {{QStringLiteral("allbank")}, {QStringLiteral("bank")}});
    EXPECT_EQ(TableNames(quvex), QStringList({QStringLiteral("allbank"), QStringLiteral("bank")}));
    // A database of another name: the answer's one column.
    const qvx::ResultSet other({QStringLiteral("Tables_in_test")}, {{QStringLiteral("users")}});
    EXPECT_EQ(TableNames(other), QStringList({QStringLiteral("users")}));
    EXPECT_TRUE(TableNames(qvx::ResultSet({QStringLiteral("a"), QStringLiteral("b")}, {{"1", "2"}})).isEmpty());
}
