// The result inquiry's statements and totals.
#include "inquiries/ResultList.h"

#include <QHash>
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

TEST(ResultList, TwentyOneShownColumnsAndTheReprocessingRecord)
{
    const ListColumns &columns = ResultList::Columns();
    EXPECT_EQ(columns.size(), ResultList::cCfmId + 1);
    for (int c = 0; c < columns.size(); ++c)
        EXPECT_EQ(columns[c].hidden, c > ResultList::cDummy) << c;
    const qvx::ResultSet rs({QStringLiteral("gubun")}, {{QStringLiteral("20")}, {QStringLiteral("30")}});
    EXPECT_EQ(CellText(columns[ResultList::cKind], rs, 0), QStringLiteral("수납"));
    EXPECT_EQ(CellText(columns[ResultList::cKind], rs, 1), QStringLiteral("지급"));

    QHash<int, QString> cells{{ResultList::cRecvDate, QStringLiteral("2026-12-09")},
                              {ResultList::cRecvTime, QStringLiteral("10:11:12")},
                              {ResultList::cBankId2, QStringLiteral("20")},
                              {ResultList::cPrice, QStringLiteral("1,000")},
                              {ResultList::cName, QStringLiteral("한빛")},
                              {ResultList::cSeqNo, QStringLiteral("42")}};
    const QString record = ResultList::SaveRecord([&cells](int col) { return cells.value(col); });
    EXPECT_TRUE(record.startsWith(QStringLiteral("2026120910111220")));
    EXPECT_TRUE(record.contains(QStringLiteral("1000         ")));
    EXPECT_TRUE(record.endsWith(QStringLiteral("000042")));
    EXPECT_TRUE(record.contains(QString(26, u' ') + QStringLiteral("한빛")));
}
