// The approval screens' statements: the exact texts, the maker named in every
// statement on a batch, quotes doubled.
#include "transfers/ApprovalSql.h"

#include "transfers/TransferLog.h"
#include "transfers/TransferRow.h"

#include <gtest/gtest.h>

namespace {

WaitingBatch Batch()
{
    WaitingBatch b;
    b.userid = QStringLiteral("MAKER");
    b.amount = QStringLiteral("1,500,000");
    b.dateText = QStringLiteral("2026-12-09");
    b.timeText = QStringLiteral("10:15:30");
    b.cfmid = QStringLiteral("APPR1");
    b.senddate = QStringLiteral("20261209");
    b.sendtime = QStringLiteral("101530");
    b.minSeqNo = QStringLiteral("41");
    b.maxSeqNo = QStringLiteral("43");
    b.gubun = QStringLiteral("30");
    return b;
}

} // namespace

TEST(ApprovalSql, ExactUpdateAndDeleteTexts)
{
    const WaitingBatch b = Batch();
    EXPECT_EQ(ApprovalSql::listDelete(b),
              QStringLiteral("delete from giche where cfmid = 'APPR1' and sendtime = '101530' and senddate = '20261209'"
                             " and sr_flag = '0' and userid = 'MAKER'"));
    EXPECT_EQ(ApprovalSql::forwardDelete(b),
              QStringLiteral("delete from giche where cfmid = 'APPR1' and sr_flag = '0' and sendtime = '101530'"
                             " and userid = 'MAKER' and senddate = '20261209'"));
    EXPECT_EQ(ApprovalSql::forwardOne(b, QStringLiteral("APPR2")),
              QStringLiteral("update giche set cfmid = 'APPR2' where cfmid = 'APPR1' and sr_flag = '0'"
                             " and sendtime = '101530' and userid = 'MAKER' and senddate = '20261209'"));
    EXPECT_EQ(ApprovalSql::forwardAll(b, QStringLiteral("APPR2")),
              QStringLiteral("update giche set cfmid = 'APPR2' where cfmid = 'APPR1' and sr_flag = '0'"
                             " and userid = 'MAKER' and senddate = '20261209'"));
    EXPECT_EQ(ApprovalSql::sendUpdate(b, QStringLiteral("APPR2")),
              QStringLiteral("update giche set sr_flag = '1' where cfmid = 'APPR2' and sendtime = '101530'"
                             " and senddate = '20261209' and sr_flag = '0' and userid = 'MAKER'"));
    EXPECT_EQ(ApprovalSql::sendDelete(b, QStringLiteral("APPR2")),
              QStringLiteral("delete from giche where cfmid = 'APPR2' and sendtime = '101530'"
                             " and senddate = '20261209' and sr_flag = '0' and userid = 'MAKER'"));
    EXPECT_EQ(ApprovalSql::detailDelete(QStringLiteral(" 42"), QStringLiteral("20261208")),
              QStringLiteral("delete from giche where seqno = 42 and senddate = '20261208' and sr_flag = '0'"));
}

TEST(ApprovalSql, DetailNamesTheMakerAndHidesNoRow)
{
    const QString sql = ApprovalSql::detailRows(Batch());
    EXPECT_TRUE(sql.contains(QStringLiteral("left join allbank on giche.TRANS_BANKID = allbank.BANKID")));
    EXPECT_TRUE(sql.contains(QStringLiteral("left join upgubun on")));
    EXPECT_TRUE(sql.endsWith(QStringLiteral("WHERE giche.cfmid = 'APPR1' and giche.senddate = '20261209'"
                                            " and giche.sendtime = '101530' and giche.sr_flag = '0'"
                                            " and giche.userid = 'MAKER' order by giche.seqno")));
}

TEST(ApprovalSql, QuotesAreDoubledAndSeqNoMustBeANumber)
{
    WaitingBatch b = Batch();
    b.userid = QStringLiteral("O'NEIL");
    EXPECT_TRUE(ApprovalSql::listDelete(b).endsWith(QStringLiteral("userid = 'O''NEIL'")));
    EXPECT_THROW(ApprovalSql::detailDelete(QStringLiteral("1 or 1=1"), QStringLiteral("20261209")), std::exception);
}

TEST(ApprovalSql, LogLine)
{
    EXPECT_EQ(ApprovalSql::logLine(QStringLiteral("자료삭제      작성자:"), Batch()),
              QStringLiteral("자료삭제      작성자:MAKER      이체금액:      1,500,000 요청일자:2026-12-09"
                             " 요청시각:10:15:30 승인자:APPR1     "));
}

// The day's log writes every figure whole, however wide: a batch's 14-digit
// total, a row's 13-digit amount.
TEST(ApprovalSql, LogLinesKeepTheWidestAmountsWhole)
{
    WaitingBatch b = Batch();
    b.amount = QStringLiteral("19,999,999,999,998");
    EXPECT_TRUE(ApprovalSql::logLine(QStringLiteral("자료삭제      작성자:"), b)
                    .contains(QStringLiteral(" 이체금액:19,999,999,999,998 요청일자:")));
    EXPECT_TRUE(ApprovalSql::detailLogLine(QStringLiteral("삭제 "), QStringLiteral("7"), QStringLiteral("MAKER"),
                                           QStringLiteral("9,999,999,999,999"), QStringLiteral("거래처"),
                                           QStringLiteral("국민은행"))
                    .contains(QStringLiteral(" 금액:9,999,999,999,999 거래처:")));
    TransferRow row;
    row.money = QStringLiteral("9,999,999,999,999");
    EXPECT_TRUE(TransferRowLogLine(QString(), row).contains(QStringLiteral(" 금액:9,999,999,999,999 송신자:")));
    row.money = QStringLiteral("1,000");
    EXPECT_TRUE(TransferRowLogLine(QString(), row).contains(QStringLiteral(" 금액:          1,000 송신자:")));
}
