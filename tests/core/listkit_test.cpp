// The list screens' plain parts: gaps, fixed-width lines, export names,
// money cells, reply routes, cell texts, the column table and the totals.
#include "core/CellText.h"
#include "core/FixedLine.h"
#include "core/ListColumns.h"
#include "core/ResultTotals.h"
#include "core/ListExport.h"
#include "core/NoticeNumbers.h"
#include "core/ReplyRoutes.h"
#include "core/ReplySql.h"
#include "core/ReportParams.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

TEST(NoticeGaps, DuplicatesAndNonNumbersDoNotEndTheWalk)
{
    EXPECT_EQ(MissingNumbers({QStringLiteral("000001"), QStringLiteral("000001"), QStringLiteral("000003"),
                              QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("000006")}),
              (QList<int>{2, 4, 5}));
    EXPECT_EQ(HighestNoticeNumber({QStringLiteral("000009"), QStringLiteral("x")}), 9);
    // Out of order: the highest number counts, not the last row.
    EXPECT_EQ(MissingNumbers({QStringLiteral("000004"), QStringLiteral("000002")}), (QList<int>{1, 3}));
    EXPECT_TRUE(MissingNumbers({}).isEmpty());
    EXPECT_TRUE(MissingNumbers({QStringLiteral("1"), QStringLiteral("2")}).isEmpty());
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

TEST(ListExport, ASpreadsheetAlwaysEndsInItsExtensionAndATypedOneIsKeptOnce)
{
    for (ExportNaming naming : {ExportNaming::AddExtension, ExportNaming::KeepName}) {
        EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/예금통지"), 2, naming).file, QStringLiteral("/d/예금통지.xls"));
        EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/a.xls"), 2, naming).file, QStringLiteral("/d/a.xls"));
        EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/a.XLS"), 2, naming).file, QStringLiteral("/d/a.XLS"));
        EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/a.xlsx"), 2, naming).file, QStringLiteral("/d/a.xlsx"));
    }
    EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/a.txt"), 2).file, QStringLiteral("/d/a.xls"));
    // Text keeps the chosen name where the screen writes exactly that.
    EXPECT_EQ(ListExportTargetFor(QStringLiteral("/d/a.xls"), 1, ExportNaming::KeepName).file, QStringLiteral("/d/a.xls"));
}

TEST(ReportParams, MoneyCellsWithCommasAndNonNumbers)
{
    EXPECT_EQ(MoneyCellValue(QStringLiteral("1,234,567")), 1234567);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("-1,000")), -1000);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("")), 0);
    EXPECT_EQ(MoneyCellValue(QStringLiteral("해당없음")), 0);
    EXPECT_EQ(MoneyCellValue(QStringLiteral(" 12,000 ")), 12000);          // blanks around
    EXPECT_EQ(MoneyCellValue(QStringView(u"1,5009,99").left(5)), 1500);   // a view ends where it says
    EXPECT_EQ(MoneyCellValue(QStringLiteral("9,223,372,036,854,775,807")), 9223372036854775807LL);
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

TEST(CellText, DatesTimesMoneyAndKoreanDates)
{
    EXPECT_EQ(DashedDate(QStringLiteral("20261209")), QStringLiteral("2026-12-09"));
    EXPECT_EQ(DashedDate(QString()), QString());
    EXPECT_EQ(ColonTime(QStringLiteral("093005")), QStringLiteral("09:30:05"));
    EXPECT_EQ(ColonTime(QString()), QString());
    EXPECT_EQ(MoneyCellText(QStringLiteral(" 1234567 ")), QStringLiteral("1,234,567"));
    // Beyond a double's exact range, still exact.
    EXPECT_EQ(MoneyCellText(QStringLiteral("9007199254740993")), QStringLiteral("9,007,199,254,740,993"));
    EXPECT_EQ(MoneyCellText(QStringLiteral("-500")), QStringLiteral("-500"));
    EXPECT_EQ(MoneyCellText(QStringLiteral("없음")), QStringLiteral("0"));
    EXPECT_EQ(KoreanDateText(QDate(2026, 3, 7)), QStringLiteral("2026년 03월 07일"));
}

TEST(ListColumns, EveryCellFormatFromAResultSet)
{
    qvx::ResultSet rs({QStringLiteral("senddate"), QStringLiteral("sendtime"), QStringLiteral("price"),
                       QStringLiteral("bankid"), QStringLiteral("bankno"), QStringLiteral("name"),
                       QStringLiteral("sr_flag")},
                      {{QStringLiteral("20261209"), QStringLiteral("101112"), QStringLiteral("1000000"),
                        QStringLiteral("20"), QStringLiteral("1005123456789"), QStringLiteral(" 한빛 "),
                        QStringLiteral("4")},
                       {QStringLiteral("20261209"), QString(), QStringLiteral("x"), QStringLiteral("99"),
                        QStringLiteral("12-34"), QString(), QStringLiteral("0")}});
    ListColumn computed;
    computed.format = CellFormat::Computed;
    computed.compute = [](const qvx::ResultSet &r, int row) { return r.value(row, QStringLiteral("bankid")) + u'!'; };
    const ListColumns columns = {
        {QStringLiteral("순번"), 40, AlignLeft, "", CellFormat::RowNo},
        {QStringLiteral("일자"), 80, AlignCenter, "senddate", CellFormat::Date},
        {QStringLiteral("시각"), 80, AlignCenter, "sendtime", CellFormat::Time},
        {QStringLiteral("금액"), 80, AlignRight, "price", CellFormat::Money},
        {QStringLiteral("계좌"), 80, AlignCenter, "bankno", CellFormat::Account, "bankid"},
        {QStringLiteral("모계좌"), 80, AlignCenter, "name", CellFormat::NameAccount, "bankid", "bankno"},
        {QStringLiteral("이름"), 80, AlignCenter, "name", CellFormat::Trimmed},
        {QStringLiteral("원문"), 80, AlignCenter, "name"},
        {QStringLiteral("상태"), 80, AlignCenter, "sr_flag", CellFormat::SendFlag},
        computed,
        ListColumn::data("no_such_field"),
    };
    const QStringList first = {QStringLiteral("1"),          QStringLiteral("2026-12-09"),
                               QStringLiteral("10:11:12"),   QStringLiteral("1,000,000"),
                               QStringLiteral("1005-123-456789"), QStringLiteral(" 한빛 [1005-123-456789]"),
                               QStringLiteral("한빛"),        QStringLiteral(" 한빛 "),
                               QStringLiteral("수신"),        QStringLiteral("20!"),
                               QString()};
    const QStringList second = {QStringLiteral("2"), QStringLiteral("2026-12-09"), QString(), QStringLiteral("0"),
                                QStringLiteral("1234"), QStringLiteral("[1234]"), QString(), QString(),
                                QStringLiteral("작성"), QStringLiteral("99!"), QString()};
    ListCellTexts texts(columns, rs);
    for (int c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(CellText(columns[c], rs, 0), first[c]) << c;
        EXPECT_EQ(texts.text(c, 0), first[c]) << c;
        // The kept conversion gives way when the input changes.
        EXPECT_EQ(texts.text(c, 1), second[c]) << c;
        EXPECT_EQ(CellText(columns[c], rs, 1), second[c]) << c;
    }
    EXPECT_TRUE(columns.last().hidden);
}

TEST(ResultTotals, ByKindAndOutcomeWithCellsAddressedByRow)
{
    ResultTotals totals;
    totals.add(QStringLiteral("20"), QStringLiteral("4"), QStringLiteral("0000"), 1000);
    totals.add(QStringLiteral("30"), QStringLiteral("4"), QStringLiteral("0012"), 2500);
    // Answered "0000" but not yet received: not a normal transfer.
    totals.add(QStringLiteral("30"), QStringLiteral("2"), QStringLiteral("0000"), 500);
    const TotalsTable &t = totals.table();
    EXPECT_EQ(t.countText(3), QStringLiteral("3"));
    EXPECT_EQ(t.amountText(3), QStringLiteral("4,000"));
    EXPECT_EQ(t.amountText(2), QStringLiteral("3,000"));
    EXPECT_EQ(t.countText(4), QStringLiteral("1"));
    EXPECT_EQ(t.countText(8), QStringLiteral("2"));
    totals.clear();
    EXPECT_EQ(totals.table().countText(3), QStringLiteral("0"));

    // Two kinds in rows of their own under the same columns.
    TotalsTable byRow({{1, QStringLiteral("in"), 0}, {1, QStringLiteral("out"), 2}});
    byRow.add({QStringLiteral("in")}, 10);
    byRow.add({QStringLiteral("out")}, 7);
    byRow.add({QStringLiteral("out")}, 8);
    EXPECT_EQ(byRow.amount(1, 0), 10);
    EXPECT_EQ(byRow.amount(1, 2), 15);
    EXPECT_EQ(byRow.count(1, 2), 2);
}

TEST(FixedLine, ASeparatorStandsBetweenTheFields)
{
    FixedLine line(FixedLine::Overflow::Cut, QStringLiteral(";"));
    line.left(QStringLiteral("가나다"), 4).zeroLeft(QStringLiteral("7"), 3).right(QStringLiteral("x"), 2);
    EXPECT_EQ(line.text(), QStringLiteral("가나;007; x"));
}
