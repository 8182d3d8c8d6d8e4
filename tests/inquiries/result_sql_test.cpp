// The result inquiry's statements and totals.
#include "core/TotalsTable.h"
#include "inquiries/ResultInquirySql.h"

#include <gtest/gtest.h>

using ResultInquirySql::Refusal;

namespace {
ResultFilter Filter()
{
    ResultFilter f;
    f.userId = QStringLiteral("MAKER");
    f.dateFrom = QStringLiteral("20261201");
    f.dateTo = QStringLiteral("20261209");
    return f;
}
} // namespace

TEST(ResultInquirySql, FilterClausesInOrder)
{
    ResultFilter f = Filter();
    f.bankCode = QStringLiteral("04");
    f.collection = true;
    f.seqFrom = 5;
    f.seqTo = 5;
    f.sendName = QStringLiteral("상'사");
    Refusal refusal;
    const QString sql = ResultInquirySql::byFilter(f, &refusal);
    EXPECT_EQ(refusal, Refusal::None);
    EXPECT_TRUE(sql.startsWith(ResultInquirySql::head()));
    EXPECT_EQ(sql.mid(ResultInquirySql::head().size()),
              QStringLiteral(" and  giche.userid  = 'MAKER'  and giche.bankid = '04'  and giche.gubun = '20' "
                             " and giche.senddate >= '20261201' and giche.senddate <= '20261209' "
                             " and giche.seqno between 5 and 5 and giche.name like '%상''사%' "
                             " order by giche.senddate, giche.seqno, giche.sr_flag"));
}

TEST(ResultInquirySql, StateClausesAndRefusals)
{
    struct Case { bool r, w, e; const char *clause; };
    const Case cases[] = {
        {true, true, false, " and giche.sr_flag = '4'"},
        {false, true, true, " and giche.sr_flag in ('2', '3', '4') and giche.errcode <> '0000'"},
        {true, false, true, " and giche.sr_flag in ('2', '3', '4') and giche.errcode in ('', '0000') "},
        {true, false, false, " and giche.sr_flag = '4' and giche.errcode = '0000' "},
        {false, true, false, " and giche.sr_flag = '4' and giche.errcode <> '0000' "},
        {false, false, true, " and giche.sr_flag <> '4'"},
    };
    for (const Case &c : cases) {
        ResultFilter f = Filter();
        f.right = c.r;
        f.wrong = c.w;
        f.errSend = c.e;
        Refusal refusal;
        EXPECT_TRUE(ResultInquirySql::byFilter(f, &refusal)
                        .contains(QStringLiteral(" and giche.gubun = '30' ") + QString::fromUtf8(c.clause)
                                  + QStringLiteral(" and giche.senddate >= ")))
            << c.clause;
    }
    ResultFilter none = Filter();
    none.right = none.wrong = none.errSend = false;
    Refusal refusal;
    EXPECT_TRUE(ResultInquirySql::byFilter(none, &refusal).isEmpty());
    EXPECT_EQ(refusal, Refusal::NoStateOption);

    ResultFilter reversed = Filter();
    reversed.seqFrom = 7; // an empty end number reads 0
    EXPECT_TRUE(ResultInquirySql::byFilter(reversed, &refusal).isEmpty());
    EXPECT_EQ(refusal, Refusal::SeqRangeReversed);
}

TEST(ResultInquirySql, RangeIgnoresTheUser)
{
    EXPECT_EQ(ResultInquirySql::byRange(41, 43, QStringLiteral("20261209")),
              ResultInquirySql::head()
                  + QStringLiteral(" and giche.seqno >= 41 and giche.seqno <= 43 and giche.senddate = '20261209'"
                                   " order by giche.seqno"));
}

TEST(ResultInquirySql, TotalsByKindAndOutcome)
{
    TotalsTable totals = ResultInquirySql::totalsTable();
    totals.add(ResultInquirySql::totalsCodes(QStringLiteral("20"), QStringLiteral("4"), QStringLiteral("0000")), 1000);
    totals.add(ResultInquirySql::totalsCodes(QStringLiteral("30"), QStringLiteral("4"), QStringLiteral("0012")), 2500);
    // Answered "0000" but not yet received: not a normal transfer.
    totals.add(ResultInquirySql::totalsCodes(QStringLiteral("30"), QStringLiteral("2"), QStringLiteral("0000")), 500);
    EXPECT_EQ(totals.countText(3), QStringLiteral("3"));
    EXPECT_EQ(totals.amountText(3), QStringLiteral("4,000"));
    EXPECT_EQ(totals.amountText(1), QStringLiteral("1,000"));
    EXPECT_EQ(totals.amountText(2), QStringLiteral("3,000"));
    EXPECT_EQ(totals.countText(4), QStringLiteral("1"));
    EXPECT_EQ(totals.countText(5), QStringLiteral("0"));
    EXPECT_EQ(totals.countText(8), QStringLiteral("2"));
    EXPECT_EQ(totals.amountText(9), QStringLiteral("3,000"));
}
