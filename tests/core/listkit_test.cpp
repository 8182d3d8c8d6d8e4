// The list screens' plain parts: gaps, fixed-width lines, export names,
// report pages, money cells, reply routes.
#include "core/FixedLine.h"
#include "core/ListExport.h"
#include "core/NoticeGaps.h"
#include "core/ReplyRoutes.h"
#include "core/ReplySql.h"
#include "core/ReportParams.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

TEST(NoticeGaps, DuplicatesAndNonNumbersDoNotEndTheWalk)
{
    EXPECT_EQ(FindNoticeGaps({QStringLiteral("000001"), QStringLiteral("000001"), QStringLiteral("000003"),
                              QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("000006")}),
              (QList<int>{2, 4, 5}));
    EXPECT_EQ(HighestNoticeNumber({QStringLiteral("000009"), QStringLiteral("x")}), 9);
    // Out of order: the highest number counts, not the last row.
    EXPECT_EQ(FindNoticeGaps({QStringLiteral("000004"), QStringLiteral("000002")}), (QList<int>{1, 3}));
    EXPECT_TRUE(FindNoticeGaps({}).isEmpty());
    EXPECT_TRUE(FindNoticeGaps({QStringLiteral("1"), QStringLiteral("2")}).isEmpty());
}

TEST(FixedLine, WidthsCountCp949BytesAndCutsNeverSplitACharacter)
{
    FixedLine keep;
    keep.left(QStringLiteral("한빛"), 6).zeroLeft(QStringLiteral("42"), 6).right(QStringLiteral("1,000"), 8);
    EXPECT_EQ(keep.text(), QStringLiteral("한빛  000042   1,000"));
    EXPECT_EQ(keep.bytes(), 20);
    // A longer value stays whole (the record grows) ...
    EXPECT_EQ(FixedLine().left(QStringLiteral("한빛상사"), 4).text(), QStringLiteral("한빛상사"));
    // ... or is cut at a character boundary with the pad taking the freed byte.
    FixedLine cut(FixedLine::Overflow::Cut);
    cut.left(QStringLiteral("한빛상사"), 5);
    EXPECT_EQ(qvx::Cp949::encode(cut.text()), qvx::Cp949::encode(QStringLiteral("한빛 ")));
}

TEST(ListExport, NameAndExtensionRulesAndTheMessageNamesTheFile)
{
    auto text = ListExportTargetFor(QStringLiteral("/d/지급_재처리.TXT"), 1);
    EXPECT_EQ(text.kind, ListExportTarget::Text);
    EXPECT_EQ(text.file, QStringLiteral("/d/지급_재처리.txt"));
    EXPECT_EQ(text.message(), QStringLiteral("/d/지급_재처리.txt 를 저장하였습니다."));
    auto sheet = ListExportTargetFor(QStringLiteral("/d/a"), 2);
    EXPECT_EQ(sheet.kind, ListExportTarget::Spreadsheet);
    EXPECT_EQ(sheet.message(), QStringLiteral("/d/a.xls 를 저장하였습니다."));
    EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/b"), 1, ExportNaming::KeepName).file, QStringLiteral("/d/b"));
}

TEST(ReportParams, PagesOf31And37Lines)
{
    const ReportParams params;
    EXPECT_EQ(params.linesPerPage(0), (QList<int>{31}));
    EXPECT_EQ(params.linesPerPage(31), (QList<int>{31}));
    EXPECT_EQ(params.linesPerPage(37), (QList<int>{31, 37}));
    EXPECT_EQ(params.linesPerPage(38), (QList<int>{31, 37}));
    EXPECT_EQ(params.linesPerPage(69), (QList<int>{31, 37, 37}));
    ReportParams unfilled;
    unfilled.fillLastPage = false;
    EXPECT_EQ(unfilled.linesPerPage(38), (QList<int>{31, 7}));
}

TEST(ReportParams, MoneyCellsWithCommasAndNonNumbers)
{
    EXPECT_EQ(MoneyCellValue(QStringLiteral("1,234,567")), 1234567);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("-1,000")), -1000);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("")), 0);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("해당없음")), 0);
}

TEST(ReplyRoutes, EveryCodeHasItsScreen)
{
    EXPECT_EQ(RouteOfReply(110100).screen, QStringLiteral("qv_ichesearch_frm"));
    EXPECT_EQ(RouteOfReply(113100).action, ReplyAction::JuruResultRange);
    EXPECT_FALSE(RouteOfReply(113100).collection);
    EXPECT_TRUE(RouteOfReply(112100).collection);
    EXPECT_EQ(RouteOfReply(612100).table, QStringLiteral("icheresult_103"));
    EXPECT_EQ(RouteOfReply(610100).dialog, QStringLiteral("qv_ichesearchsub_frm"));
    EXPECT_EQ(RouteOfReply(0).action, ReplyAction::PacketError);
    EXPECT_EQ(RouteOfReply(123456).action, ReplyAction::None);
    EXPECT_EQ(RoutedReplyCodes().size(), 22);
}

TEST(ReplySql, WaitingBatchesAndLatestTime)
{
    EXPECT_EQ(ReplySql::waitingBatches(QStringLiteral("APPR1"), QStringLiteral("20261209"), false),
              QStringLiteral("select userid, senddate, sendtime, cfmid, sum(price), min(seqno), max(seqno), gubun "
                             "from giche where cfmid = 'APPR1'  and sr_flag = '0'  and senddate = '20261209' "
                             "group by userid, senddate, sendtime, cfmid, gubun"));
    EXPECT_TRUE(ReplySql::waitingBatches(QStringLiteral("A"), QStringLiteral("1"), true)
                    .contains(QStringLiteral("and sr_flag = '0'   and senddate")));
    EXPECT_EQ(ReplySql::latestSendTime(QStringLiteral("AMT_SEARCH"), QStringLiteral("20261209")),
              QStringLiteral("select max(sendtime) from AMT_SEARCH where senddate='20261209'"));
    EXPECT_EQ(ReplySql::latestSendTime(QStringLiteral("trsum"), QStringLiteral("20261209")),
              QStringLiteral("select max(sendtime) from trsum where senddate = '20261209'"));
    EXPECT_TRUE(ReplySql::balances(QStringLiteral("101010"), QString())
                    .endsWith(QStringLiteral("bank.MOBANKNO and  AMT_SEARCH.sendtime = '101010'")));
    EXPECT_TRUE(ReplySql::balances(QStringLiteral("101010"), QStringLiteral("04"))
                    .contains(QStringLiteral(" AMT_SEARCH.bankid = '04' and  AMT_SEARCH.sendtime")));
}
