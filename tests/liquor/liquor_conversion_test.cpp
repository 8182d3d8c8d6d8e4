// The liquor conversion without a screen: the same transfers as a fixed, ','
// and ';' file and as .xlsx and .xls sheets give the same rows; every refusal
// with its log line, counter and error-list line; the mother account of
// "당행"; the error list on disk.
#include "support/DayLogFile.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/DayLog.h"
#include "liquor/LiquorConversion.h"
#include "liquor/LiquorConvertLog.h"
#include "liquor/LiquorLog.h"
#include "liquor/LiquorRules.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"
#include "platform/Spreadsheet.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

MotherAccount bank(const char *id, const char *no, const char *name)
{
    MotherAccount a;
    a.bankid = S(id);
    a.mobankno = S(no);
    a.bankname = S(name);
    a.firmid = S("F") + S(id);
    a.recvid = S("R") + S(id);
    a.passwd = S("1234");
    return a;
}

// One transfer: bank, account, liquor, non-liquor, transfer, other, name, kind, real-name.
using Transfer = std::array<const char *, 9>;
const Transfer first{"21", "56012345678", "1000000", "234567", "1234567", "3월분", "한빛주류", "30", "1234567890"};
const Transfer second{"88", "110123456789", "500", "0", "500", "", "다온상사", "", "2208112345"};

QString fixedLine(const Transfer &t)
{
    QString line;
    const LiquorLayout &l = LiquorDelimitedLayout();
    for (int f = 0; f < LiquorFieldCount; ++f) {
        const QString v = S(t[f]);
        line += v + QString(l[f].length - Cp949Width(v), QLatin1Char(' '));
    }
    return line;
}

struct Outcome
{
    LiquorConvertCounters counters;
    QVector<LiquorRow> rows;
    QStringList transferLog, log, messages, errorList;
};

class LiquorConversionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        session.PaymentMode = 1;
        session.NetworkId = S("QVX0000001");
        session.ServiceDiv = S("DY1");
        session.LoginUserId = S("JURU");
        session.SendFlagInit = S("1");
        context.session = &session;
        context.banks = {bank("21", "56011122233", "조흥은행"), bank("88", "110999888777", "신한은행")};
        context.today = S("20260101");
    }

    Outcome run(const LiquorLineSource &lines, bool declineDuplicates = true)
    {
        Outcome r;
        LiquorConversion conversion(context);
        LiquorConvertHooks hooks;
        hooks.transferLog = [&](const QString &kind, std::span<const QStringView> values) {
            QString line = kind;
            for (QStringView v : values)
                line += S("|") + v.toString();
            r.transferLog.append(line);
        };
        hooks.log = [&](const QString &text) { r.log.append(text); };
        hooks.message = [&](const QString &text) { r.messages.append(text); };
        hooks.askDuplicate = [&](const QString &, const QString &) { return !declineDuplicates; };
        hooks.progress = [&](const LiquorConvertCounters &c) {
            if (c.position == 0 && clockAfterChecks.isValid())
                qvx::Clock::setFixed(clockAfterChecks);
        };
        LiquorConvertedRows rows;
        r.counters = conversion.run(lines, hooks, &rows);
        for (int i = 0; i < rows.size(); ++i)
            r.rows.append(rows.row(i));
        r.errorList = conversion.errorList();
        return r;
    }

    Outcome runText(const QString &content, DataForm form)
    {
        const QList<QStringView> lines = SplitTransferLines(content);
        const LiquorLineCutter cutter(form, LiquorDelimitedLayout(), S("30"));
        return run(LiquorTextLines(lines, cutter));
    }

    Outcome runSheet(const QString &name, const qvx::Spreadsheet::Rows &rows)
    {
        const QString file = dir.filePath(name);
        QString error;
        EXPECT_TRUE(qvx::Spreadsheet::write(file, rows, &error)) << error.toStdString();
        qvx::SheetCells cells;
        EXPECT_TRUE(qvx::Spreadsheet::read(file, &cells, &error)) << error.toStdString();
        return run(LiquorSheetLines(LiquorSheetRows(cells)));
    }

    void TearDown() override { qvx::Clock::reset(); }

    Session session;
    LiquorConvertContext context;
    QDateTime clockAfterChecks; // valid: the clock is set to it once the lines are checked
    QTemporaryDir dir;
};

TEST_F(LiquorConversionTest, TextFormsAndSheetsGiveTheSameRows)
{
    const QString fixed = fixedLine(first) + S("\r\n") + fixedLine(second) + S("\r\n");
    const Outcome a = runText(fixed, DataForm::Fixed);
    ASSERT_EQ(a.rows.size(), 2) << a.transferLog.join(S("\n")).toStdString();
    EXPECT_EQ(a.counters.total, 2);
    EXPECT_EQ(a.counters.processed, 2);
    EXPECT_EQ(a.counters.money, 1234567 + 500);

    const LiquorRow &r = a.rows[0];
    EXPECT_EQ(r.transDiv, S("지급"));
    EXPECT_EQ(r.moBankName, S("조흥은행"));
    EXPECT_EQ(r.moBankNo, FormatAcctNo(S("21"), S("56011122233")));
    EXPECT_EQ(r.juMoney, S("1,000,000"));
    EXPECT_EQ(r.nonJuMoney, S("234,567"));
    EXPECT_EQ(r.money, S("1,234,567"));
    EXPECT_EQ(r.name, S("한빛주류"));
    EXPECT_EQ(r.bankNo, FormatAcctNo(S("21"), S("56012345678")));
    EXPECT_EQ(r.payKind, S("주류"));
    EXPECT_EQ(r.realNameNo, S("1234567890"));
    EXPECT_EQ(r.info, S("3월분"));
    EXPECT_EQ(r.recvId, S("R21"));
    EXPECT_EQ(r.gubun, S("30"));
    // Bank 88 in "당행" mode is paid from the bank-21 account.
    EXPECT_EQ(a.rows[1].moBankId, S("21"));
    EXPECT_EQ(a.rows[1].bankId, S("88"));

    const QString comma = S("21,560-12-345678,1000000,234567,1234567,3월분,한빛주류,30,1234567890\n"
                            "88,110123456789,500,0,500,,다온상사,2208112345");
    EXPECT_EQ(runText(comma, DataForm::Comma).rows, a.rows);
    const QString semi = S("21;56012345678; 1,000,000 ;234,567;1,234,567;3월분;한빛주류;30;1234567890\r\n"
                           "88;110123456789;500;0;500;;다온상사;220-811-2345\r\n");
    EXPECT_EQ(runText(semi, DataForm::Semicolon).rows, a.rows);

    // A title row, the header, a blank row between the data rows; the
    // amounts grouped (written as numbers) and a bank code of one digit
    // elsewhere in the sheet.
    const qvx::Spreadsheet::Rows rows{
        {S("주류 이체 자료")},
        {S(" no "), S("은행코드"), S("은행명"), S("거래계좌"), S("주류금액"), S("비주류금액"), S("이체금액"), S("기타"),
         S("거래처명"), S("거래구분"), S("실명번호")},
        {S("1"), S("21"), S("조흥"), S("560-12-345678"), S("1,000,000"), S("234,567"), S("1,234,567"), S("3월분"),
         S("한빛주류"), S("30"), S("1234567890")},
        {},
        {S("2"), S("88"), S("신한"), S("110123456789"), S("500"), S("0"), S("500"), S(""), S("다온상사"), S(""),
         S("2208112345")}};
    EXPECT_EQ(runSheet(S("a.xlsx"), rows).rows, a.rows);
    EXPECT_EQ(runSheet(S("a.xls"), rows).rows, a.rows);
}

TEST_F(LiquorConversionTest, AnAmountWithAStrayCommaIsRefusedInEveryForm)
{
    // The general amount rule: plain digits or correct thousands grouping.
    Transfer stray = first;
    stray[4] = "12,34";
    Transfer leadingZero = first;
    leadingZero[2] = "0,001";
    const QString fixed = fixedLine(stray) + S("\r\n") + fixedLine(leadingZero) + S("\r\n") + fixedLine(second);
    Outcome r = runText(fixed, DataForm::Fixed);
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0].name, S("다온상사"));
    EXPECT_EQ(r.counters.errors, 2);

    r = runText(S("21;56012345678;1000;0;12,34;;가;30;1\r\n21;56012345678;1,000;0;1,000;;나;30;1\r\n"),
                DataForm::Semicolon);
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.rows[0].money, S("1,000"));

    const qvx::Spreadsheet::Rows rows{
        {S("NO")},
        {S("1"), S("21"), S("조흥"), S("56012345678"), S("0"), S("0"), S("12,34"), S(""), S("가"), S("30"), S("1")}};
    EXPECT_TRUE(runSheet(S("b.xlsx"), rows).rows.isEmpty());
}

TEST_F(LiquorConversionTest, SheetRowsStartAtRowOneWithoutHeaderAndPadTheBankCode)
{
    qvx::SheetCells cells;
    cells.set(0, 0, S("1"));
    cells.set(0, 1, S("3"));
    cells.set(2, 0, S("2"));
    cells.set(2, 1, S("21"));
    const QVector<QStringList> rows = LiquorSheetRows(cells);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(LiquorSheetLine(rows[0]).fields[lfBankId], S("03"));
    EXPECT_EQ(LiquorSheetLine(rows[1]).fields[lfBankId], S("21"));
}

TEST_F(LiquorConversionTest, EachRefusalIsLoggedAndCounted)
{
    const QString lines =
        S("21,56012345678,100,0,100,,이름이아주아주긴거래처명,30,1\n"          // name wider than 14: conversion error
          "x1,56012345678,100,0,100,,가,30,1\n"                                // bank code no number
          "21,56012345678,100,0,100,,나,30,8001011234567\n"                    // resident number refused
          "21,123,100,0,100,,다,30,1\n"                                        // account not of the bank
          "21,56012345678,100,0,12345678901234,,라,30,1\n"                     // amount of 14 digits
          "21,56012345678,100,0,0,,마,30,1\n"                                  // no transfer amount
          "21,56012345678,100,0,100,,바,20,1\n"                                // collection data on a payment screen
          "21,56012345678,100,0,100,,사,30,1\n"                                // accepted
          "21,56012345678,100,0,100,,사,30,1\n"                                // duplicate, declined
          "03,12345678901234,100,0,100,,아,30,1\n");                           // no mother account for bank 03
    const Outcome r = runText(lines, DataForm::Comma);
    EXPECT_EQ(r.rows.size(), 1);
    EXPECT_EQ(r.counters.total, 10);
    // The line without a mother account is dropped but counts as handled.
    EXPECT_EQ(r.counters.errors, 8);
    EXPECT_EQ(r.counters.processed, 2);
    EXPECT_EQ(r.counters.total, r.counters.errors + r.counters.processed);
    {
        // A sheet row without one counts as an error.
        context.sheet = true;
        const Outcome sheet = runText(lines, DataForm::Comma);
        context.sheet = false;
        EXPECT_EQ(sheet.counters.errors, 9);
        EXPECT_EQ(sheet.counters.processed, 1);
    }

    ASSERT_EQ(r.transferLog.size(), 7) << r.transferLog.join(S("\n")).toStdString();
    EXPECT_TRUE(r.transferLog[0].startsWith(S("1|21|56012345678|100|100|0|1|이름이아주아주긴거래처명|30|")));
    EXPECT_TRUE(r.transferLog[1].startsWith(S("1|x1|")));
    EXPECT_EQ(r.transferLog[2], S("1|21|56012345678|100|100|0|8001011234567|나|30|"));
    EXPECT_TRUE(r.transferLog[3].startsWith(S("1|21|123|")));
    EXPECT_TRUE(r.transferLog[4].startsWith(S("1|21|56012345678|12345678901234|")));
    EXPECT_TRUE(r.transferLog[5].startsWith(S("1|21|56012345678|0|")));
    EXPECT_TRUE(r.transferLog[6].startsWith(S("0|03|12345678901234|")));

    // Every line refused for its form or amounts says why, in the log and
    // the error list, as the real-name rule does; the account check is said
    // by its error line.
    ASSERT_EQ(r.errorList.size(), 4) << r.errorList.join(S("\n")).toStdString();
    EXPECT_TRUE(r.errorList[0].endsWith(S(" : 길이 오류(항목이 정해진 길이보다 깁니다.)")));
    EXPECT_EQ(r.errorList[1], S("21 56012345678 100 100 0 8001011234567 나 30  : 실명번호 오류(실명번호의 주민등록번호는 "
                                "생년월일로 대체 되었습니다.)"));
    EXPECT_TRUE(r.errorList[2].startsWith(S("21 56012345678 12345678901234 ")));
    EXPECT_EQ(r.errorList[3], S("21 56012345678 0 100 0 1 마 30  : 금액 오류(이체금액을 등록하시기 바랍니다.)"));
    EXPECT_EQ(r.messages, QStringList{S("지급이체자료가 아닙니다.")});
    ASSERT_EQ(r.log.size(), 5) << r.log.join(S("\n")).toStdString();
    EXPECT_EQ(r.log[0], S("자료변환 오류건 삭제 : 길이 오류(항목이 정해진 길이보다 깁니다.)"));
    EXPECT_EQ(r.log[1], S("자료변환 주민등록번호 입력건 삭제 : 실명번호의 주민등록번호는 생년월일로 대체 되었습니다."));
    EXPECT_EQ(r.log[3], S("자료변환 오류건 삭제 : 금액 오류(이체금액을 등록하시기 바랍니다.)"));
    EXPECT_TRUE(r.log[4].startsWith(S("자료변환 중복이체건 삭제 -> 거래처명 : 사  이체금액 : "))) << r.log[4].toStdString();
    EXPECT_TRUE(r.log[4].endsWith(S(" 원\r"))) << r.log[4].toStdString();

    // An amount that is no number is refused, and says so.
    const Outcome notANumber = runText(S("21,56012345678,100,0,1x0,,아,30,1\n"), DataForm::Comma);
    EXPECT_TRUE(notANumber.rows.isEmpty());
    EXPECT_EQ(notANumber.errorList,
              QStringList{S("21 56012345678 1x0 100 0 1 아 30  : 금액 오류(이체금액을 원 단위 숫자로 입력하시기 바랍니다.)")});
    EXPECT_EQ(notANumber.log, QStringList{S("자료변환 오류건 삭제 : 금액 오류(이체금액을 원 단위 숫자로 입력하시기 바랍니다.)")});
}

TEST_F(LiquorConversionTest, AnAmountRefusalNamesTheFieldThatIsWrong)
{
    const Outcome r = runText(S("21;56012345678;12,34;0;100;;가;30;1\n"
                                "21;56012345678;100;1000.5;100;;나;30;1\n"
                                "21;56012345678;100;0;12,34;;다;30;1\n"
                                "21;56012345678;100;0;;;라;30;1\n"),
                              DataForm::Semicolon);
    EXPECT_TRUE(r.rows.isEmpty());
    EXPECT_EQ(r.counters.errors, 4);
    const QString head = S("자료변환 오류건 삭제 : 금액 오류(");
    EXPECT_EQ(r.log, (QStringList{head + S("주류금액을 원 단위 숫자로 입력하시기 바랍니다.)"),
                                  head + S("비주류금액을 원 단위 숫자로 입력하시기 바랍니다.)"),
                                  head + S("이체금액을 원 단위 숫자로 입력하시기 바랍니다.)"),
                                  head + S("이체금액을 등록하시기 바랍니다.)")}));
    ASSERT_EQ(r.errorList.size(), 4);
    EXPECT_TRUE(r.errorList[0].endsWith(S(" : 금액 오류(주류금액을 원 단위 숫자로 입력하시기 바랍니다.)")));

    // An amount too long for its field says which one (a sheet's cells have no width).
    const qvx::Spreadsheet::Rows rows{
        {S("NO")},
        {S("1"), S("21"), S("조흥"), S("56012345678"), S("0"), S("12345678901234"), S("100"), S(""), S("가"), S("30"), S("1")}};
    EXPECT_EQ(runSheet(S("long.xlsx"), rows).log,
              QStringList{head + S("비주류금액 : 금액을 초과하였습니다.)")});
}

// The account check takes the account trimmed; at fixed positions it also
// loses its tabs, in a delimited line it keeps them. A hyphenated account
// passes in every form.
TEST_F(LiquorConversionTest, TheAccountCheckDropsTabsOnlyAtFixedPositions)
{
    Transfer tabbed = first;
    tabbed[1] = "5601\t2345678";
    Transfer hyphenated = second;
    hyphenated[1] = "110-123-456789";
    const Outcome fixed = runText(fixedLine(tabbed) + S("\r\n") + fixedLine(hyphenated) + S("\r\n"), DataForm::Fixed);
    EXPECT_EQ(fixed.rows.size(), 2) << fixed.transferLog.join(S("\n")).toStdString();
    EXPECT_EQ(fixed.counters.errors, 0);

    const Outcome delimited = runText(S("21,5601\t2345678,100,0,100,,가,30,1\n"
                                        "88,110-123-456789,100,0,100,,나,30,1\n"),
                                      DataForm::Comma);
    ASSERT_EQ(delimited.rows.size(), 1);
    EXPECT_EQ(delimited.rows[0].name, S("나"));
    ASSERT_EQ(delimited.transferLog.size(), 1);
    EXPECT_TRUE(delimited.transferLog[0].startsWith(S("1|21|5601\t2345678|"))) << delimited.transferLog[0].toStdString();
}

TEST_F(LiquorConversionTest, MotherAccountOfTheLineOrTheChosenOne)
{
    context.banks = {bank("21", "56011122233", "조흥은행"), bank("26", "26011122233", "신한(구)"),
                     bank("88", "110999888777", "신한은행")};
    const QString lines = S("26,56012345678,100,0,100,,가,30,1\n88,110123456789,200,0,200,,나,30,1\n");
    // Text lines: bank 26 keeps its own account, 88 takes bank 21's.
    Outcome r = runText(lines, DataForm::Comma);
    ASSERT_EQ(r.rows.size(), 2);
    EXPECT_EQ(r.rows[0].moBankId, S("26"));
    EXPECT_EQ(r.rows[1].moBankId, S("21"));
    // Sheet rows: both take bank 21's.
    context.sheet = true;
    r = runText(lines, DataForm::Comma);
    EXPECT_EQ(r.rows[0].moBankId, S("21"));
    EXPECT_EQ(r.rows[1].moBankId, S("21"));
    // A chosen account pays every line; one the bank table no longer holds
    // refuses them like lines without a mother account.
    context.chosen = context.banks[2];
    r = runText(lines, DataForm::Comma);
    EXPECT_EQ(r.rows[0].moBankId, S("88"));
    EXPECT_EQ(r.rows[0].moBankName, S("신한은행"));
    context.chosen->mobankno = S("999");
    r = runText(lines, DataForm::Comma);
    EXPECT_TRUE(r.rows.isEmpty());
    EXPECT_EQ(r.counters.errors, 2);
    EXPECT_TRUE(r.transferLog[0].startsWith(S("0|26|")));
}

TEST_F(LiquorConversionTest, ARunsCheckCodesKeepTheDateItStartedOnAcrossMidnight)
{
    // Bank 20's check code depends on the date.
    context.banks = {bank("20", "1005123456789", "우리은행")};
    const QString lines = S("20,1002123456789,1000,0,1000,,가,30,1\n20,1002987654321,2500,500,3000,,나,30,1\n");
    const QDateTime beforeMidnight(QDate(2026, 12, 9), QTime(23, 59, 59, 900));
    const QDateTime afterMidnight(QDate(2026, 12, 10), QTime(0, 0, 0, 100));
    auto rows = [&](const QDateTime &start, const QDateTime &afterChecks) {
        qvx::Clock::setFixed(start);
        clockAfterChecks = afterChecks;
        return runText(lines, DataForm::Comma).rows;
    };
    auto codes = [](const QVector<LiquorRow> &rows) {
        QStringList out;
        for (const LiquorRow &r : rows)
            out << r.boki;
        return out;
    };
    const QVector<LiquorRow> before = rows(beforeMidnight, {});
    ASSERT_EQ(before.size(), 2);
    EXPECT_EQ(codes(rows(beforeMidnight, afterMidnight)), codes(before));
    EXPECT_NE(codes(rows(afterMidnight, {})), codes(before)); // the codes do depend on the date
    // The codes rows made by hand get on that day.
    qvx::Clock::setFixed(beforeMidnight);
    EXPECT_EQ(before[0].boki, LiquorEntryCheckCode(before[0]));
    EXPECT_EQ(before[1].boki, LiquorEntryCheckCode(before[1]));
    EXPECT_FALSE(before[0].boki.isEmpty());
}

TEST_F(LiquorConversionTest, CompactRowsReadBackAsTheRowsAnEntryMakes)
{
    // Bank 20's check code, a name with a tab, an account with '-', a line
    // without its kind, a non-liquor part equal to the transfer.
    context.banks = {bank("20", "1005123456789", "우리은행"), bank("21", "56011122233", "조흥은행")};
    session.IcheCheckFlag = 1;
    qvx::Clock::setFixed(QDateTime(QDate(2026, 3, 4), QTime(10, 0)));
    const QString lines = S("20,1002-123-456789,1000,0,1000,1월분,가나\t상사,30,1234567890\n"
                            "21, 56012345678 ,2500,500,3000,,  다온 ,2208112345\n"
                            "88,110123456789,0,700,700,N,라마,30,1\n");
    LiquorConversion conversion(context);
    LiquorConvertedRows rows;
    const LiquorConvertCounters counters =
        conversion.run(LiquorTextLines(SplitTransferLines(lines), LiquorLineCutter(DataForm::Comma,
                                                                                   LiquorDelimitedLayout(), S("30"))),
                       LiquorConvertHooks(), &rows);
    ASSERT_EQ(counters.accepted, 3);
    ASSERT_EQ(rows.size(), 3);

    struct Made
    {
        int mother;
        const char *name, *bankId, *bankNo, *realNameNo, *info;
        qint64 liquor, nonLiquor, transfer;
    };
    const Made made[3] = {{0, "가나상사", "20", "1002123456789", "1234567890", "1월분", 1000, 0, 1000},
                          {1, "다온", "21", "56012345678", "2208112345", "", 2500, 500, 3000},
                          {1, "라마", "88", "110123456789", "1", "N", 0, 700, 700}};
    for (int i = 0; i < 3; ++i) {
        LiquorEntry entry;
        entry.name = S(made[i].name);
        entry.bankId = S(made[i].bankId);
        entry.bankName = context.banks[made[i].mother].bankname;
        entry.bankNo = S(made[i].bankNo);
        entry.realNameNo = S(made[i].realNameNo);
        entry.info = S(made[i].info);
        entry.amounts.liquor = made[i].liquor;
        entry.amounts.nonLiquor = made[i].nonLiquor;
        entry.amounts.transfer = made[i].transfer;
        LiquorRow expected = MakeLiquorEntryRow(session, context.banks[made[i].mother], entry);
        expected.boki = LiquorEntryCheckCode(expected);
        EXPECT_EQ(rows.row(i), expected) << i;
        EXPECT_EQ(rows.money(i), made[i].transfer);
        for (int col = lcTransDiv; col < LiquorColumnCount; ++col)
            EXPECT_EQ(rows.cell(i, LiquorColumn(col)), expected.value(LiquorColumn(col))) << i << ' ' << col;
        EXPECT_TRUE(rows.cell(i, lcNo).isNull());
    }
    EXPECT_FALSE(rows.row(0).boki.isEmpty());
    EXPECT_EQ(rows.row(1).bankNo, S("560-12-345678"));
}

TEST_F(LiquorConversionTest, ALineWhoseCheckCodeCannotBeMadeIsRefusedInItsTurn)
{
    // The code is made while the lines are checked, its refusal said when
    // the line's turn comes among the others of the second pass.
    // Bank 2's code needs six digits of the mother account.
    context.banks = {bank("21", "56011122233", "조흥은행"), bank("02", "12345", "산업은행")};
    const QString lines = S("21,56012345678,100,0,100,,가,20,1\n"
                            "21,56012345678,100,0,100,,나,30,1\n"
                            "02,12345678901,100,0,100,,다,30,1\n"
                            "21,56012345678,100,0,100,,라,20,1\n");
    QStringList said;
    LiquorConversion conversion(context);
    LiquorConvertHooks hooks;
    hooks.message = [&](const QString &text) { said << text; };
    hooks.transferLog = [&](const QString &kind, std::span<const QStringView> values) {
        said << kind + S("|") + values[0].toString() + S("|") + values[6].toString();
    };
    LiquorConvertedRows rows;
    const QList<QStringView> split = SplitTransferLines(lines);
    conversion.run(LiquorTextLines(split, LiquorLineCutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"))), hooks,
                   &rows);
    EXPECT_EQ(said, (QStringList{S("지급이체자료가 아닙니다."), S("1|02|다"), S("지급이체자료가 아닙니다.")}));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.row(0).name, S("나"));
}

TEST_F(LiquorConversionTest, TheRunsDayLogHoldsWhatTheLineByLineWritersWrote)
{
    qvx::ProgramDir::setOverride(dir.path());
    qvx::Clock::setFixed(QDateTime(QDate(2026, 1, 2), QTime(9, 30, 0)));
    // Refusals of both passes, a resident number, a duplicate taken and one
    // declined, a line without a mother account, between accepted lines.
    QString lines = S("21,56012345678,100,0,100,,가,30,1\n"
                      "x1,56012345678,100,0,100,,나,30,1\n"
                      "21,56012345678,100,0,100,,다,30,8001011234567\n"
                      "21,56012345678,100,0,100,,가,30,1\n"
                      "03,12345678901234,100,0,100,기타,라,30,1\n");
    // Enough refused lines for more than one block of the log.
    for (int i = 0; i < 3000; ++i)
        lines += S("21,123,%1,0,%1,,마,30,1\n").arg(100 + i);
    const QList<QStringView> split = SplitTransferLines(lines);
    const LiquorLineCutter cutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"));
    auto convert = [&](bool batched, bool takeDuplicate) {
        LiquorConversion conversion(context);
        LiquorConvertHooks hooks;
        LiquorConvertLog runLog(session);
        if (batched) {
            runLog.attach(hooks);
        } else {
            hooks.transferLog = [](const QString &kind, std::span<const QStringView> values) {
                QStringList list;
                for (QStringView v : values)
                    list << v.toString();
                WriteLiquorTransferLog(kind, QString(6, QLatin1Char(' ')), list);
            };
            hooks.log = [this](const QString &text) { WriteLog(session, text); };
        }
        hooks.askDuplicate = [&](const QString &, const QString &) { return takeDuplicate; };
        LiquorConvertedRows rows;
        conversion.run(LiquorTextLines(split, cutter), hooks, &rows);
        EXPECT_TRUE(runLog.flush());
    };
    for (bool takeDuplicate : {false, true}) {
        convert(false, takeDuplicate);
        const QByteArray lineByLine = TakeDayLog();
        convert(true, takeDuplicate);
        const QByteArray batched = TakeDayLog();
        EXPECT_EQ(batched, lineByLine);
        EXPECT_EQ(batched.count("\r\n"), 3 + 3000 + 1 + 1);
        EXPECT_TRUE(qvx::Cp949::decode(batched).contains(S("database Error -> 20260102 093000       -03")));
    }
    qvx::ProgramDir::setOverride(QString());
}

// A file of more than three parts, checked side by side: its rows, its log
// lines, messages and questions, the error list, the counters and the gauge
// are those of one pass from the top, refusals of both passes and
// duplicates spread through every part.
TEST_F(LiquorConversionTest, ALongFileKeepsTheOrderOfItsLinesInRowsLogAndQuestions)
{
    constexpr int Count = 3 * 4096 + 123;
    const QString residentLog = S("자료변환 주민등록번호 입력건 삭제 : 실명번호의 주민등록번호는 생년월일로 대체 되었습니다.");
    QStringList lines;
    // What the hooks must say, first those of the lines' own checks, then
    // those of the lines that passed them.
    QStringList checks, decided, errorList, names;
    int firstPassRefused = 0, secondPassRefused = 0, asked = 0, withoutMother = 0;
    qint64 money = 0;
    QVector<qint64> accepted; // the amount of each row, by row
    for (int i = 0; i < Count; ++i) {
        QString bank = S("21"), account = S("560%1").arg(i, 8, 10, QLatin1Char('0')), kind = S("30");
        QString realName = S("1234567890"), name = S("이름%1").arg(i, 5, 10, QLatin1Char('0'));
        qint64 amount = 1000 + i;
        const QString info = S("%1월분").arg(1 + i % 12);
        if (i % 7 == 3) {
            account = S("123");
            checks << S("1|21|123");
            ++firstPassRefused;
        } else if (i % 11 == 5) {
            realName = S("8001011234567");
            const QString shown = S("21 %1 %2 %2 0 8001011234567 %3 30 %4").arg(account).arg(amount).arg(name, info);
            errorList << shown + LiquorResidentNoErrorTail;
            checks << S("L") + residentLog << S("1|21|") + account;
            ++firstPassRefused;
        } else if (i % 13 == 6) {
            kind = S("20");
            decided << S("M지급이체자료가 아닙니다.");
            ++secondPassRefused;
        } else if (i % 17 == 8) {
            bank = S("03");
            account = S("1234%1").arg(i, 10, 10, QLatin1Char('0'));
            decided << S("0|03|") + account;
            ++withoutMother; // dropped, yet counted as handled
        } else if (i % 250 == 125 && !names.isEmpty()) {
            // The name and amount of the last row again: asked, every
            // second one taken.
            name = names.last();
            amount = accepted.last();
            const QString grouped = CurrToMoneyStr(amount);
            const bool take = asked++ % 2 == 1;
            decided << S("Q") + name + S("|") + grouped
                    << S("L자료변환 중복이체건 ") + (take ? S("추가") : S("삭제")) + S(" -> ")
                           + DuplicateLogTail(name, grouped) + S("\r");
            if (take) {
                names << name;
                accepted << amount;
                money += amount;
            } else {
                ++secondPassRefused;
            }
        } else {
            names << name;
            accepted << amount;
            money += amount;
        }
        const QString a = QString::number(amount);
        lines << QStringList{bank, account, a, S("0"), a, info, name, kind, realName}.join(QLatin1Char(','));
    }

    QStringList said;
    QVector<int> gauge;
    int questions = 0;
    LiquorConversion conversion(context);
    LiquorConvertHooks hooks;
    hooks.transferLog = [&](const QString &kind, std::span<const QStringView> values) {
        said << kind + S("|") + values[0].toString() + S("|") + values[1].toString();
    };
    hooks.log = [&](const QString &text) { said << S("L") + text; };
    hooks.message = [&](const QString &text) { said << S("M") + text; };
    hooks.askDuplicate = [&](const QString &name, const QString &grouped) {
        said << S("Q") + name + S("|") + grouped;
        return questions++ % 2 == 1;
    };
    hooks.progress = [&](const LiquorConvertCounters &c) { gauge << c.position; };
    const QList<QStringView> views(lines.cbegin(), lines.cend());
    LiquorConvertedRows rows;
    const LiquorConvertCounters c = conversion.run(
        LiquorTextLines(views, LiquorLineCutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"))), hooks, &rows);

    ASSERT_EQ(rows.size(), names.size());
    for (int i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(rows.cell(i, lcName), names[i]) << i;
        ASSERT_EQ(rows.money(i), accepted[i]) << i;
    }
    EXPECT_EQ(rows.cell(rows.size() - 1, lcMoney), CurrToMoneyStr(accepted.last()));
    EXPECT_EQ(said, checks + decided);
    EXPECT_EQ(conversion.errorList(), errorList);
    EXPECT_GT(asked, 20);
    EXPECT_EQ(c.total, Count);
    EXPECT_EQ(c.passed, Count - firstPassRefused);
    EXPECT_EQ(c.accepted, names.size());
    EXPECT_EQ(c.processed, names.size() + withoutMother);
    EXPECT_EQ(c.errors, firstPassRefused + secondPassRefused);
    EXPECT_EQ(c.money, money);
    // Once when the checks are done, then a line at a time.
    ASSERT_EQ(gauge.size(), c.passed + 1);
    EXPECT_EQ(gauge[0], 0);
    for (int i = 0; i < c.passed; ++i)
        ASSERT_EQ(gauge[i + 1], i);
}

// A line that cannot be read ends the run there, as in one pass from the
// top: the refused lines before it, also those of its own part, are said
// first, none after it, and the failure reaches the caller.
TEST_F(LiquorConversionTest, ALineThatFailsEndsTheRunAfterTheLinesBeforeItAreSaid)
{
    constexpr int Count = 3 * 4096 + 10, Failing = 2 * 4096 + 100;
    struct FailingLines : LiquorLineSource
    {
        explicit FailingLines(const LiquorLineSource &lines) : lines(lines) {}
        int count() const override { return lines.count(); }
        void read(int i, LiquorLine *line) const override
        {
            if (i == Failing)
                throw std::runtime_error("unreadable line");
            lines.read(i, line);
        }
        const LiquorLineSource &lines;
    };
    QStringList lines, refused;
    for (int i = 0; i < Count; ++i) {
        const QString account = i % 7 == 3 ? S("12%1").arg(i) : S("560%1").arg(i, 8, 10, QLatin1Char('0'));
        lines << S("21,%1,100,0,100,,가%2,30,1").arg(account).arg(i);
        if (i % 7 == 3 && i < Failing)
            refused << S("1|21|") + account;
    }
    QStringList said;
    LiquorConversion conversion(context);
    LiquorConvertHooks hooks;
    hooks.transferLog = [&](const QString &kind, std::span<const QStringView> values) {
        said << kind + S("|") + values[0].toString() + S("|") + values[1].toString();
    };
    hooks.progress = [&](const LiquorConvertCounters &) { said << S("progress"); };
    const QList<QStringView> views(lines.cbegin(), lines.cend());
    const LiquorLineCutter cutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"));
    const LiquorTextLines text(views, cutter);
    LiquorConvertedRows rows;
    EXPECT_THROW(conversion.run(FailingLines(text), hooks, &rows), std::runtime_error);
    EXPECT_EQ(said, refused);
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(LiquorConversionTest, ErrorListIsWrittenInItsFolderMadeWhenMissing)
{
    const QString folder = dir.filePath(S("log"));
    QString error;
    const QString path = SaveLiquorErrorList(folder, {S("가 : 오류"), S("b")}, &error);
    ASSERT_EQ(path, QDir(folder).filePath(S("ErrorList.Txt"))) << error.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), qvx::Cp949::encode(S("가 : 오류\r\nb\r\n")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{S("ErrorList.Txt")});
}

} // namespace
