// The conversion of transfer files without screens: the three file forms,
// every refusal with its log and counters, the duplicate question.
#include "support/DayLogFile.h"
#include "ConvertDemo.h"
#include "transfers/ConvertRunLog.h"
#include "transfers/TransferConversion.h"
#include "transfers/TransferLog.h"
#include "transfers/TransferRules.h"

#include "core/BankCheckCode.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// bank, account, amount, other information, name
struct Line
{
    const char *bank, *account, *amount, *info, *name;
};

QString fixedLine(const Line &l)
{
    // The demo layout: 1/2, 3/15, 18/13, 51/20 other information, 31/20 name.
    return FixLenSpace(QString::fromUtf8(l.bank), 2, true) + FixLenSpace(QString::fromUtf8(l.account), 15, true) +
           FixLenSpace(QString::fromUtf8(l.amount), 13, false) + FixLenSpace(QString::fromUtf8(l.name), 20, true) +
           FixLenSpace(QString::fromUtf8(l.info), 20, true);
}

QString delimitedLine(const Line &l, QChar d)
{
    return QStringList{QString::fromUtf8(l.bank), QString::fromUtf8(l.account), QString::fromUtf8(l.amount),
                       QString::fromUtf8(l.info), QString::fromUtf8(l.name)}
        .join(d);
}

const TransferPositions DemoFixed{{1, 2}, {3, 15}, {18, 13}, {51, 20}, {31, 20}};

// The rows a run made, as the entry list holds them.
QVector<TransferRow> rowsOf(const ConvertedRows &made)
{
    QVector<TransferRow> rows;
    for (int i = 0; i < made.size(); ++i)
        rows << made.row(i);
    return rows;
}

struct Outcome
{
    ConvertCounters counters;
    QVector<TransferRow> rows;
    QStringList refused; // "<why>|<bank field>|<account field>"
    QStringList log;
    QStringList asked;
};

Outcome convert(const ConvertContext &context, DataForm form, const QStringList &lines, bool addDuplicates = false,
                const QList<TransferRow> &existing = {})
{
    Outcome o;
    TransferConversion conversion(context, form, DemoFixed);
    for (const TransferRow &r : existing)
        conversion.addExistingRow(r.name, r.money, r.info);
    ConvertHooks hooks;
    hooks.refused = [&](const TransferFields &cut, Refusal why) {
        o.refused << QString::number(int(why)) + QLatin1Char('|') + cut.bankId.shown() + QLatin1Char('|')
                      + cut.bankNo.shown();
    };
    hooks.log = [&](const QString &text) { o.log << text; };
    hooks.askDuplicate = [&](const QString &name, const QString &amountA) {
        o.asked << DuplicateQuestion(name, amountA);
        return addDuplicates;
    };
    QList<QStringView> views(lines.begin(), lines.end());
    ConvertedRows made;
    o.counters = conversion.run(views, hooks, &made);
    o.rows = rowsOf(made);
    return o;
}

const Line Good[] = {
    {"04", "123-45-6789012", "1500000", "3월 급여", "김민준"},
    {"88", "110123456789", "25000", "", "이서연 상사(주)"},
    {"03", "12301234567890", "7", "회비", "박"},
};

} // namespace

TEST(TransferConversion, TheThreeFileFormsGiveTheSameRows)
{
    QStringList fixed, comma, semicolon;
    for (const Line &l : Good) {
        fixed << fixedLine(l);
        comma << delimitedLine(l, QLatin1Char(','));
        semicolon << delimitedLine(l, QLatin1Char(';'));
    }
    const ConvertContext context = DemoConvertContext();
    const Outcome a = convert(context, DataForm::Fixed, fixed);
    const Outcome b = convert(context, DataForm::Comma, comma);
    const Outcome c = convert(context, DataForm::Semicolon, semicolon);
    ASSERT_EQ(a.rows.size(), 3);
    EXPECT_EQ(a.counters.errors, 0);
    EXPECT_EQ(a.counters.money, 1525007);
    for (const Outcome *o : {&b, &c}) {
        ASSERT_EQ(o->rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(o->rows[i].bankNo, a.rows[i].bankNo);
            EXPECT_EQ(o->rows[i].money, a.rows[i].money);
            EXPECT_EQ(o->rows[i].name, a.rows[i].name);
            EXPECT_EQ(o->rows[i].info, a.rows[i].info);
            EXPECT_EQ(o->rows[i].bankName, a.rows[i].bankName);
            EXPECT_EQ(o->rows[i].boki, a.rows[i].boki);
            EXPECT_EQ(o->rows[i].msgType, a.rows[i].msgType);
        }
    }
    const TransferRow &r = a.rows[0];
    EXPECT_EQ(r.name, QStringLiteral("김민준"));
    EXPECT_EQ(r.info, QStringLiteral("3월 급여"));
    EXPECT_EQ(r.money, QStringLiteral("1,500,000"));
    EXPECT_EQ(r.workDiv, QStringLiteral("당행"));
    EXPECT_EQ(r.msgType, QStringLiteral("0100100"));
    EXPECT_EQ(r.gubun, QStringLiteral("30"));
    EXPECT_EQ(r.moBankNo, FormatAcctNo(QStringLiteral("04"), QStringLiteral("123401234567")));
    EXPECT_EQ(a.rows[1].workDiv, QStringLiteral("타행"));
    EXPECT_EQ(a.rows[1].bankName, QStringLiteral("신한은행"));
    EXPECT_EQ(a.rows[1].msgType, QStringLiteral("0101100"));
}

TEST(TransferConversion, EveryRefusedLineIsLoggedAndCounted)
{
    ConvertContext context = DemoConvertContext();
    const QStringList comma = {
        QStringLiteral("04,123401234567,1,000,000,급여,김민준"),              // thousands separator
        QStringLiteral("04,1234012345678901234,1000,급여,김민준"),            // token longer than its place
        QStringLiteral("04,12345,1000,급여,김민준"),                          // bad account
        QStringLiteral("77,123401234567,1000,급여,김민준"),                   // unknown bank
        QStringLiteral("04,123401234567,0,급여,김민준"),                      // amount not positive
        QStringLiteral("04,123401234567,12345678901234,급여,김민준"),         // 14 digits: wider than its place
        QStringLiteral("04,123401234567,12a,급여,김민준"),                    // no number
        QStringLiteral("04,123401234567,1000,급여,김민준이라는아주긴이름입니다"), // name wider than 16 bytes
        QStringLiteral("04, 123401234567 ,1000,급여,김민준"),                 // fine
    };
    const Outcome o = convert(context, DataForm::Comma, comma);
    EXPECT_EQ(o.counters.total, 9);
    EXPECT_EQ(o.counters.errors, 8);
    EXPECT_EQ(o.counters.passed, 1);
    EXPECT_EQ(o.counters.processed, 1);
    ASSERT_EQ(o.rows.size(), 1);
    EXPECT_EQ(o.rows[0].money, QStringLiteral("1,000"));
    const auto why = [](Refusal r) { return QString::number(int(r)); };
    ASSERT_EQ(o.refused.size(), 8);
    EXPECT_TRUE(o.refused[0].startsWith(why(Refusal::ExtraTokens)));
    EXPECT_TRUE(o.refused[1].startsWith(why(Refusal::LongToken)));
    EXPECT_EQ(o.refused[2], why(Refusal::BadAccount) + QStringLiteral("|04|12345          "));
    EXPECT_TRUE(o.refused[3].startsWith(why(Refusal::UnknownBank)));
    EXPECT_TRUE(o.refused[4].startsWith(why(Refusal::BadAmount)));
    EXPECT_TRUE(o.refused[5].startsWith(why(Refusal::LongToken)));
    EXPECT_TRUE(o.refused[6].startsWith(why(Refusal::BadAmount)));

    EXPECT_TRUE(o.refused[7].startsWith(why(Refusal::LongToken)));

    // A ';' file keeps "1,000,000" whole and ignores what follows a fifth ';'.
    const Outcome s = convert(context, DataForm::Semicolon,
                              {QStringLiteral("04;123401234567;1,000,000;급여;김민준;뒤에 붙은 것")});
    ASSERT_EQ(s.rows.size(), 1);
    EXPECT_EQ(s.rows[0].money, QStringLiteral("1,000,000"));
    EXPECT_EQ(s.counters.errors, 0);
}

TEST(TransferConversion, AnAmountWithAStrayCommaIsRefusedAsAnAmount)
{
    const ConvertContext context = DemoConvertContext();
    const auto why = [](Refusal r) { return QString::number(int(r)); };
    const Outcome s = convert(context, DataForm::Semicolon,
                              {QStringLiteral("04;123401234567;1,0,0;급여;김민준"),
                               QStringLiteral("04;123401234567;,5;급여;김민준"),
                               QStringLiteral("04;123401234567;1,0,0,0,0,0,0,0,0;급여;김민준"),
                               QStringLiteral("04;123401234567;1,234,567,890,123;급여;김민준")});
    ASSERT_EQ(s.refused.size(), 3);
    for (const QString &r : s.refused)
        EXPECT_TRUE(r.startsWith(why(Refusal::BadAmount))) << r.toStdString();
    ASSERT_EQ(s.rows.size(), 1);
    EXPECT_EQ(s.rows[0].money, QStringLiteral("1,234,567,890,123"));

    // A fixed-width amount one byte off its field: "1,000,00" is no amount.
    const Outcome f = convert(context, DataForm::Fixed,
                              {fixedLine({"04", "123401234567", "1,000,00", "급여", "김민준"}),
                               fixedLine({"04", "123401234567", "1,000,000", "급여", "김민준"})});
    ASSERT_EQ(f.refused.size(), 1);
    EXPECT_TRUE(f.refused[0].startsWith(why(Refusal::BadAmount)));
    ASSERT_EQ(f.rows.size(), 1);
    EXPECT_EQ(f.counters.money, 1000000);
}

TEST(TransferConversion, ProgressIsReportedFromTheFirstLineChecked)
{
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << delimitedLine(Good[0], QLatin1Char(';')).replace(QStringLiteral("1500000"), QString::number(1000 + i));
    lines << QStringLiteral("77;123401234567;1000;급여;김민준"); // refused by its bank code
    const ConvertContext context = DemoConvertContext();
    TransferConversion conversion(context, DataForm::Semicolon, DemoFixed);
    QList<ConvertCounters> seen;
    ConvertHooks hooks;
    hooks.progress = [&](const ConvertCounters &c) { seen << c; };
    ConvertedRows rows;
    const QList<QStringView> views(lines.begin(), lines.end());
    conversion.run(views, hooks, &rows);
    ASSERT_EQ(rows.size(), 5);
    // Before the first line, then after each line of the checks.
    ASSERT_GE(seen.size(), 7);
    for (int i = 0; i <= 6; ++i) {
        EXPECT_EQ(seen[i].phase, ConvertCounters::Checking);
        EXPECT_EQ(seen[i].checked, i);
        EXPECT_EQ(seen[i].total, 6);
    }
    EXPECT_EQ(seen[6].errors, 1);
    EXPECT_EQ(seen[7].phase, ConvertCounters::Converting);
    EXPECT_EQ(seen[7].passed, 5);
    EXPECT_EQ(seen.last().position, 5);
}

TEST(TransferConversion, ABareCrEndsALineAsCrLfAndLfDo)
{
    const QByteArray bytes = qvx::Cp949::encode(QStringLiteral("04;123401234567;1000;급여;김민준\r"
                                                               "04;123401234567;2000;급여;이서연\r\n"
                                                               "04;123401234567;3000;급여;박\n"
                                                               "04;123401234567;4000;급여;최\r"));
    const TransferFileText file = DecodeTransferFile(bytes);
    ASSERT_EQ(file.lines.size(), 4);
    EXPECT_EQ(file.lines[3], QStringLiteral("04;123401234567;4000;급여;최"));
    QStringList lines;
    for (QStringView line : file.lines)
        lines << line.toString();
    const Outcome o = convert(DemoConvertContext(), DataForm::Semicolon, lines);
    ASSERT_EQ(o.rows.size(), 4);
    EXPECT_EQ(o.rows[0].name, QStringLiteral("김민준"));
    EXPECT_EQ(o.counters.money, 10000);
    EXPECT_EQ(SplitTransferLines(u"a\r\rb"), (QList<QStringView>{u"a", u"", u"b"}));
}

TEST(TransferConversion, BankCodeAndAccountAreTrimmedInAFixedFile)
{
    // " 4" is no bank; "04" with blanks after the account and a hyphen in it
    // converts as the same account a delimited file gives.
    const ConvertContext context = DemoConvertContext();
    const Outcome o = convert(context, DataForm::Fixed, {fixedLine({"04", " 1234-0123-4567", "500", "", "가"})});
    ASSERT_EQ(o.rows.size(), 1);
    EXPECT_EQ(o.rows[0].bankId, QStringLiteral("04"));
    EXPECT_EQ(o.rows[0].bankNo, FormatAcctNo(QStringLiteral("04"), QStringLiteral("123401234567")));
}

TEST(TransferConversion, LinesWithoutAMotherAccountAreErrors)
{
    ConvertContext context = DemoConvertContext();
    context.chosen.reset(); // "당행": each line is paid from its own bank's account
    const Outcome o = convert(context, DataForm::Comma,
                              {QStringLiteral("88,110123456789,1000,,김민준"), QStringLiteral("04,123401234567,2000,,이서연")});
    EXPECT_EQ(o.counters.errors, 1);
    EXPECT_EQ(o.counters.processed, 2);
    ASSERT_EQ(o.rows.size(), 1);
    EXPECT_EQ(o.rows[0].name, QStringLiteral("이서연"));
    EXPECT_EQ(o.rows[0].moBankId, QStringLiteral("04"));
    ASSERT_EQ(o.refused.size(), 1);
    EXPECT_TRUE(o.refused[0].startsWith(QString::number(int(Refusal::NoMother))));
}

TEST(TransferConversion, ADuplicateAnsweredCancelIsDroppedAndLogged)
{
    ConvertContext context = DemoConvertContext();
    TransferRow onScreen;
    onScreen.name = QStringLiteral("김민준");
    onScreen.money = QStringLiteral("1,000");
    onScreen.info = QStringLiteral("3월");
    const QStringList lines = {QStringLiteral("04,123401234567,1000,4월,김민준"),
                               QStringLiteral("04,123401234567,2000,4월,이서연"),
                               QStringLiteral("04,123401234567,2000,5월,이서연")};

    const Outcome cancel = convert(context, DataForm::Comma, lines, false, {onScreen});
    // Name and amount only: the first line matches the screen, the third the second.
    EXPECT_EQ(cancel.rows.size(), 1);
    EXPECT_EQ(cancel.counters.errors, 2);
    EXPECT_EQ(cancel.counters.processed, 1);
    ASSERT_EQ(cancel.asked.size(), 2);
    EXPECT_EQ(cancel.asked[0], QStringLiteral("중복이체자료를 발견하였습니다.\r\r거래처명 : 김민준\r이체금액 :         1,000 원\r\r"
                                              "위의 자료는 이미 이체작성화면에 등록되어 있는 상태입니다.\r\r이체자료에 추가하시겠습니까?"));
    EXPECT_EQ(cancel.log.value(0), QStringLiteral("자료변환 중복이체건 삭제 -> 거래처명 : 김민준  이체금액 :         1,000 원"));

    const Outcome ok = convert(context, DataForm::Comma, lines, true, {onScreen});
    EXPECT_EQ(ok.rows.size(), 3);
    EXPECT_EQ(ok.counters.errors, 0);
    EXPECT_EQ(ok.log.value(0), QStringLiteral("자료변환 중복이체건 추가 -> 거래처명 : 김민준  이체금액 :         1,000 원"));

    // With the other information compared, different months are no duplicates.
    context.checkInfo = true;
    const Outcome withInfo = convert(context, DataForm::Comma, lines, false, {onScreen});
    EXPECT_EQ(withInfo.rows.size(), 3);
    EXPECT_TRUE(withInfo.asked.isEmpty());
}

TEST(TransferDuplicateIndex, FindsEveryRowAfterGrowingAndComparesInfoOnlyWhenAsked)
{
    // Rows added one by one from an empty index: it grows many times over,
    // and each row stays found with its own other information.
    TransferDuplicateIndex index;
    for (int i = 0; i < 5000; ++i)
        index.add(QStringLiteral("업체%1").arg(i % 2500), QString::number(1000 + i % 2500),
                  QStringLiteral("info%1").arg(i));
    EXPECT_EQ(index.size(), 5000);
    for (int i = 0; i < 2500; ++i) {
        const QString name = QStringLiteral("업체%1").arg(i), money = QString::number(1000 + i);
        ASSERT_TRUE(index.contains(name, money, QStringLiteral("N"))) << i;
        ASSERT_TRUE(index.contains(name, money, QStringLiteral("info%1").arg(i))) << i;
        ASSERT_TRUE(index.contains(name, money, QStringLiteral("info%1").arg(i + 2500))) << i;
        ASSERT_FALSE(index.contains(name, money, QStringLiteral("info%1").arg(i + 1))) << i;
        ASSERT_FALSE(index.contains(name, QString::number(1001 + i), QStringLiteral("N"))) << i;
    }
    index.clear();
    EXPECT_FALSE(index.contains(QStringLiteral("업체1"), QStringLiteral("1001"), QStringLiteral("N")));
}

TEST(TransferConversion, FixedWidthCutsNeverSplitADoubleByteCharacter)
{
    const QString line = QStringLiteral("04가나다ab");
    EXPECT_EQ(CutBytes(line, 3, 4), QStringLiteral("가나"));
    EXPECT_EQ(CutBytes(line, 4, 4), QStringLiteral("나")); // starts inside 가, ends inside 다
    EXPECT_EQ(CutBytes(line, 9, 10), QStringLiteral("ab"));
    EXPECT_EQ(CutBytes(line, 20, 3), QString());
    EXPECT_EQ(Cp949Width(line), 10);

    QByteArray bytes = qvx::Cp949::encode(QStringLiteral("첫줄\r\n둘째\n셋째\r\n"));
    const TransferFileText file = DecodeTransferFile(bytes);
    ASSERT_EQ(file.lines.size(), 3);
    EXPECT_EQ(file.lines[0], QStringLiteral("첫줄"));
    EXPECT_EQ(file.lines[2], QStringLiteral("셋째"));
    bytes = QByteArray("04,123401234567,1000,a,\xB0") + "\r\n";
    const ParsedLine bad = TransferFileParser(DataForm::Comma, {}).parse(DecodeTransferFile(bytes).lines.value(0));
    EXPECT_EQ(bad.fault, LineFault::BadBytes);
}

TEST(TransferConversion, SummaryLogLine)
{
    EXPECT_EQ(ConvertSummaryLog(3, 2, 1525007, QStringLiteral("QVX0000001"), QStringLiteral("a.txt")),
              QStringLiteral("자료변환  정상건수:    3 오류건수:    2 이체금액:        1525007 송신자:QVX0000001 파일명:a.txt") +
                  QString(45, QLatin1Char(' ')));
}

namespace {

// The demo context paying from a 우리은행 (20) account, whose check code
// depends on the date.
ConvertContext Bank20Context()
{
    ConvertContext context = DemoConvertContext();
    context.banks.append({QStringLiteral("20"), QStringLiteral("1005123456789"), QStringLiteral("우리은행"),
                          QStringLiteral("HB2001"), QStringLiteral("한빛상사"), QStringLiteral("3456"),
                          QStringLiteral("345678"), QStringLiteral("WRB2000"), QString()});
    context.bankNames.insert(QStringLiteral("20"), QStringLiteral("우리은행"));
    context.chosen = context.banks.last();
    return context;
}

// The check codes of a run over lines, the clock set to `startAt` and,
// when `midnightAt` is valid, moved to it once the checks are done.
QStringList checkCodes(const QStringList &lines, const QDateTime &startAt, const QDateTime &midnightAt = {})
{
    const ConvertContext context = Bank20Context();
    TransferConversion conversion(context, DataForm::Comma, DemoFixed);
    ConvertHooks hooks;
    hooks.progress = [&](const ConvertCounters &c) {
        if (c.position == 0 && midnightAt.isValid())
            qvx::Clock::setFixed(midnightAt);
    };
    qvx::Clock::setFixed(startAt);
    ConvertedRows rows;
    conversion.run(QList<QStringView>(lines.begin(), lines.end()), hooks, &rows);
    QStringList codes;
    for (const TransferRow &r : rowsOf(rows))
        codes << r.boki;
    return codes;
}

struct ClockReset
{
    ~ClockReset() { qvx::Clock::reset(); }
};

} // namespace

TEST(TransferConversion, ARunsCheckCodesKeepTheDateItStartedOnAcrossMidnight)
{
    ClockReset reset;
    const QStringList lines = {QStringLiteral("04,123401234567,1500000,급여,김민준"),
                               QStringLiteral("88,110123456789,25000,,이서연"),
                               QStringLiteral("20,1002123456789,7000,회비,박")};
    const QDate day(2026, 12, 9);
    const QDateTime beforeMidnight(day, QTime(23, 59, 59, 900));
    const QDateTime afterMidnight(day.addDays(1), QTime(0, 0, 0, 100));

    const QStringList before = checkCodes(lines, beforeMidnight);
    const QStringList across = checkCodes(lines, beforeMidnight, afterMidnight);
    const QStringList nextDay = checkCodes(lines, afterMidnight);
    ASSERT_EQ(before.size(), 3);
    EXPECT_EQ(across, before);
    EXPECT_NE(nextDay, before); // the codes do depend on the date
    // The same codes a row made by hand gets on that day.
    qvx::Clock::setFixed(beforeMidnight);
    EXPECT_EQ(before[0], MakeBankCheckCode(QStringLiteral("20"), QStringLiteral("1005123456789"), QStringLiteral("04"),
                                           QStringLiteral("123401234567"), QStringLiteral("0000001500000"), QString(),
                                           QStringLiteral("30"), QStringLiteral("999999")));
}

namespace {

class ConvertRunLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qvx::ProgramDir::setOverride(dir.path());
        qvx::Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 0)));
        session.LoginUserId = QStringLiteral("MAKER");
    }
    void TearDown() override
    {
        qvx::Clock::reset();
        qvx::ProgramDir::setOverride(QString());
    }
    // Runs the lines with the run's log, the duplicate question answered "no".
    ConvertCounters run(const QStringList &lines, bool *flushed)
    {
        const ConvertContext context = DemoConvertContext();
        TransferConversion conversion(context, DataForm::Comma, DemoFixed);
        conversion.addExistingRow(QStringLiteral("김민준"), QStringLiteral("1,000"), QString());
        ConvertHooks hooks;
        ConvertRunLog runLog(session, QStringLiteral("30"));
        runLog.attach(hooks);
        hooks.askDuplicate = [](const QString &, const QString &) { return false; };
        ConvertedRows rows;
        const ConvertCounters counters = conversion.run(QList<QStringView>(lines.begin(), lines.end()), hooks, &rows);
        *flushed = runLog.flush();
        return counters;
    }
    QStringList logLines() const
    {
        QFile f(dir.path() + QStringLiteral("/log/log20240105.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = qvx::Cp949::decode(f.readAll()).split(QStringLiteral("\r\n"));
        if (lines.value(lines.size() - 1).isEmpty())
            lines.removeLast();
        return lines;
    }
    QTemporaryDir dir;
    Session session;
};

const QStringList RunLines = {
    QStringLiteral("04,123401234567,1000,급여,김민준"),  // the row already on the screen
    QStringLiteral("77,123401234567,2000,급여,이서연"),  // unknown bank
    QStringLiteral("04,123401234567,3000,급여,박"),      // fine
    QStringLiteral("04,12345,4000,급여,최"),             // bad account
};

} // namespace

TEST_F(ConvertRunLogTest, EveryRefusedLineAndDuplicateIsWrittenInOrder)
{
    bool flushed = false;
    // Many runs' worth of refused lines, more than one block of the log.
    QStringList lines = RunLines;
    for (int i = 0; i < 5000; ++i)
        lines << QStringLiteral("04,12345,%1,급여,최").arg(5000 + i);
    const ConvertCounters counters = run(lines, &flushed);
    EXPECT_TRUE(flushed);
    EXPECT_EQ(counters.errors, 5003);
    const QStringList log = logLines();
    ASSERT_EQ(log.size(), 5003);
    // The checks' refusals in file order, then the duplicate of the second pass.
    EXPECT_EQ(log[0], QStringLiteral("자료변환 Error -> 20240105 093000       77 123401234567    2000          "
                                     "이서연           30 급여") + QString(32, QLatin1Char(' ')));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("자료변환 Error -> 20240105 093000       04 12345           4000 ")));
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(log[2 + i].contains(QStringLiteral(" %1 ").arg(5000 + i))) << i;
    EXPECT_EQ(log[5002], QStringLiteral("[2024-01-05 09:30:00 MAKER ] 자료변환 중복이체건 삭제 -> 거래처명 : 김민준  "
                                        "이체금액 :         1,000 원"));
}

TEST_F(ConvertRunLogTest, TheRunsDayLogHoldsWhatTheLineByLineWritersWrote)
{
    // Refused lines of both passes with characters CP949 lacks, a line of
    // bytes that were no CP949, a duplicate declined, in both file forms; a
    // fixed cut that falls inside a character outside the BMP; enough lines
    // for more than one block of the log.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QStringList comma = RunLines;
    comma << QStringLiteral("77,123401234567,2000,급여 ") + emoji + QStringLiteral(",이서연")
          << QStringLiteral("04,12345,4000,caf\u00E9,최")
          << QStringLiteral("04,1234\uFFFD01234567,3000,급여,박")
          << QStringLiteral("04,123401234567,3500,급여,") + emoji;
    for (int i = 0; i < 3000; ++i)
        comma << QStringLiteral("04,12345,%1,급여 %2,최").arg(5000 + i).arg(i % 3 == 0 ? emoji : QString());
    const QString name = QStringLiteral("가나다라마바사아자") + emoji; // the cut ends inside the last character
    const QStringList fixed = {
        QStringLiteral("77123401234567            2000") + name + QStringLiteral("급여"),
        QStringLiteral("04123401234567            2500가") + QString(18, QLatin1Char(' ')) + QStringLiteral("급\uFFFD여"),
    };
    const ConvertContext context = DemoConvertContext();
    auto convert = [&](DataForm form, const QStringList &lines, bool batched) {
        TransferConversion conversion(context, form, DemoFixed);
        conversion.addExistingRow(QStringLiteral("김민준"), QStringLiteral("1,000"), QString());
        ConvertHooks hooks;
        ConvertRunLog runLog(session, QStringLiteral("30"));
        if (batched) {
            runLog.attach(hooks);
        } else {
            hooks.refused = [](const TransferFields &cut, Refusal) {
                WriteTransferLog(QStringLiteral("1"), QStringLiteral("      "),
                                 {cut.bankId.shown(), cut.bankNo.shown(), cut.money.shown(), cut.sName.shown(),
                                  QStringLiteral("30"), cut.cInfo.shown()});
            };
            hooks.log = [this](const QString &text) { WriteLog(session, text); };
        }
        hooks.askDuplicate = [](const QString &, const QString &) { return false; };
        ConvertedRows rows;
        conversion.run(QList<QStringView>(lines.begin(), lines.end()), hooks, &rows);
        EXPECT_TRUE(runLog.flush());
    };
    for (bool batched : {false, true}) {
        convert(DataForm::Comma, comma, batched);
        convert(DataForm::Fixed, fixed, batched);
    }
    const QByteArray byLine = TakeDayLog();
    ASSERT_EQ(byLine.size() % 2, 0);
    const QByteArray batched = byLine.sliced(byLine.size() / 2), oneByOne = byLine.first(byLine.size() / 2);
    EXPECT_EQ(batched.count("\r\n"), 3008);
    EXPECT_TRUE(oneByOne.contains("? "));
    EXPECT_TRUE(batched == oneByOne);
}

TEST_F(ConvertRunLogTest, WhatWasLoggedIsInTheFileWhileTheDuplicateQuestionWaits)
{
    const ConvertContext context = DemoConvertContext();
    TransferConversion conversion(context, DataForm::Comma, DemoFixed);
    conversion.addExistingRow(QStringLiteral("김민준"), QStringLiteral("1,000"), QString());
    const QStringList lines = {RunLines[1], RunLines[3], RunLines[0], RunLines[0]};
    ConvertHooks hooks;
    ConvertRunLog runLog(session, QStringLiteral("30"));
    runLog.attach(hooks);
    QList<int> seen; // lines in the file at each question
    hooks.askDuplicate = [&](const QString &, const QString &) {
        seen << logLines().size();
        return false;
    };
    ConvertedRows rows;
    conversion.run(QList<QStringView>(lines.begin(), lines.end()), hooks, &rows);
    EXPECT_TRUE(runLog.flush());
    // Both refusals before the first question, its answer before the second.
    EXPECT_EQ(seen, QList<int>({2, 3}));
    EXPECT_EQ(logLines().size(), 4);
}

TEST_F(ConvertRunLogTest, EachLineIsStampedWithTheSecondItWasWritten)
{
    ConvertRunLog runLog(session, QStringLiteral("20"));
    const QString name = QStringLiteral("김민준");
    const TransferFields cut{{u"04"}, {u"12345", 10}, {u"4000", 9}, {u"급여"}, {name, 10}};
    runLog.refused(cut);
    qvx::Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 1)));
    runLog.refused(cut);
    runLog.log(QStringLiteral("x"));
    qvx::Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 0)));
    runLog.refused(cut);
    EXPECT_TRUE(runLog.flush());
    const QString values = QStringLiteral("      04 12345           4000          김민준           20 급여");
    EXPECT_EQ(logLines(), QStringList({QStringLiteral("자료변환 Error -> 20240105 093000 ") + values,
                                       QStringLiteral("자료변환 Error -> 20240105 093001 ") + values,
                                       QStringLiteral("[2024-01-05 09:30:01 MAKER ] x"),
                                       QStringLiteral("자료변환 Error -> 20240105 093000 ") + values}));
}

TEST_F(ConvertRunLogTest, AFailedWriteIsReportedAndTheRunGoesOn)
{
    // A file where the log folder should be.
    QFile blocker(dir.path() + QStringLiteral("/log"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    bool flushed = true;
    testing::internal::CaptureStderr();
    const ConvertCounters counters = run(RunLines, &flushed);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(flushed);
    EXPECT_NE(said.find("WriteLog: cannot write"), std::string::npos) << said;
    EXPECT_EQ(counters.errors, 3);
    EXPECT_EQ(counters.accepted, 1);
}

namespace {

// The row the entry rules make for a line paid from mother m: the account
// hyphenated for its bank, the amount grouped, the codes compared as they
// stand, and the check code made from the row itself. Throws ConvertError
// where the bank's check code cannot be made.
TransferRow expectedRow(const ConvertContext &context, const MotherAccount &m, const Line &l, qint64 amount,
                        const QDate &today)
{
    const QString bank = QString::fromUtf8(l.bank);
    TransferRow r;
    r.moBankName = m.bankname;
    r.moBankNo = FormatAcctNo(m.bankid, m.mobankno);
    r.passWd = m.passwd;
    r.workDiv = m.bankid == bank ? QStringLiteral("당행") : QStringLiteral("타행");
    r.transDiv = context.transDiv;
    r.money = CurrToMoneyStr(amount);
    r.bankName = context.bankNames.value(bank);
    r.bankNo = FormatAcctNo(bank, QString::fromUtf8(l.account));
    r.name = QString::fromUtf8(l.name);
    r.sendId = context.networkId;
    r.recvId = m.recvid;
    r.firmId = m.firmid;
    r.userId = context.userId;
    r.info = QString::fromUtf8(l.info);
    r.sendFlag = context.sendFlagInit;
    r.gubun = context.kind();
    r.msgType = TransferMessageType(m.bankid, bank);
    r.moBankId = m.bankid;
    r.bankId = bank;
    r.boki = EntryCheckCode(r, today);
    return r;
}

} // namespace

TEST(ConvertedRows, EveryCellReadsBackAsTheEntryRulesMakeItInEachFormFromEachMother)
{
    ClockReset reset;
    const QDate today(2026, 12, 9);
    qvx::Clock::setFixed(QDateTime(today, QTime(10, 0)));
    // A '-' in the account and a grouped amount where the form allows one
    // (a ',' line would split "1,500,000").
    const Line lines[] = {
        {"04", "1234-0123-4567", "1,500,000", "3월 급여", "김민준"},
        {"88", "110-123-456789", "25000", "", "이서연 상사(주)"},
        {"03", "12301234567890", "7", "회비", "박"},
        {"20", " 1002123456789", "0007000", "회비", "최"},
    };
    const qint64 amounts[] = {1500000, 25000, 7, 7000};
    ConvertContext context = Bank20Context();
    int codesMade = 0;
    // Mothers 03 and 20 have check-code rules (20's depends on the date), 04 none.
    for (const MotherAccount &mother : QVector<MotherAccount>(context.banks)) {
        context.chosen = mother;
        for (const DataForm form : {DataForm::Fixed, DataForm::Comma, DataForm::Semicolon}) {
            QStringList text;
            for (Line l : lines) {
                if (form == DataForm::Comma && QByteArray(l.amount).contains(','))
                    l.amount = "1500000";
                text << (form == DataForm::Fixed ? fixedLine(l) : delimitedLine(l, DelimiterOf(form)));
            }
            const Outcome o = convert(context, form, text);
            SCOPED_TRACE(mother.bankid.toStdString() + " form " + std::to_string(int(form)));
            ASSERT_EQ(o.counters.errors, 0);
            ASSERT_EQ(o.rows.size(), 4);
            for (int i = 0; i < 4; ++i) {
                Line l = lines[i];
                l.account = i == 3 ? "1002123456789" : l.account;
                const TransferRow expected = expectedRow(context, mother, l, amounts[i], today);
                for (int col = 0; col < TransferColumnCount; ++col)
                    EXPECT_EQ(o.rows[i].value(TransferColumn(col)), expected.value(TransferColumn(col)))
                        << "line " << i << " column " << col;
                codesMade += !expected.boki.isEmpty();
            }
            EXPECT_EQ(o.counters.money, 1532007);
        }
    }
    EXPECT_EQ(codesMade, 2 * 3 * 4); // every line's code from both mothers with a rule
}

TEST(TransferFileParser, AFixedLineIsCutWhereByteCutsCutItWhateverTheLayout)
{
    // Fields in any order, overlapping, past the line's end, of no length,
    // and bounds inside double-byte characters.
    int layouts = 0;
    const QString part = QStringLiteral("04가 나12-34다라마 바사 abc아");
    for (const QString &line : {part, part.repeated(4) + QStringLiteral("123456789")}) {
        const int width = Cp949Width(line);
        for (int start = 0; start <= width + 2; ++start)
            for (int length = -1; length <= width + 2 - start; ++length) {
                const TransferPositions p{{start, length},
                                          {width + 2 - start - length, length + 1},
                                          {length + 1, start},
                                          {start / 2 + 1, length * 2},
                                          {width - start, 3}};
                const ParsedLine cut = TransferFileParser(DataForm::Fixed, p).parse(line);
                const ConvField *fields[5] = {&p.bankId, &p.bankNo, &p.money, &p.cInfo, &p.sName};
                const QStringView got[5] = {cut.bankId, cut.bankNo, cut.money, cut.cInfo, cut.sName};
                for (int f = 0; f < 5; ++f)
                    ASSERT_EQ(got[f], CutBytesView(line, fields[f]->start, fields[f]->length))
                        << start << "/" << length << " field " << f;
                ++layouts;
            }
    }
    EXPECT_GT(layouts, 5000);

    // The account without its '-' and the blanks then at its ends, the
    // amount trimmed.
    const QString fixed = fixedLine({"04", "- 1234-0123-456", " 1,000", "", "가"});
    const ParsedLine p = TransferFileParser(DataForm::Fixed, DemoFixed).parse(fixed); // views into fixed
    EXPECT_EQ(p.account.view(), u"12340123456");
    EXPECT_EQ(p.amount.view(), u"1,000");
}

TEST(TransferFileParser, AnAccountTooLongForItsRoomIsHeldWholeAndLoggedWhole)
{
    // 40 digits with hyphens: refused as too long, the log shows all of it.
    const QString account = QStringLiteral("1234-5678-9012-3456-7890-1234-5678-9012-3456-7890");
    const QString digits = QString(account).remove(QLatin1Char('-'));
    const TransferFileParser parser(DataForm::Semicolon, {});
    const QString line = QStringLiteral("04; %1 ;1,000;급여;김민준").arg(account);
    const ParsedLine p = parser.parse(line); // its fields are views into line
    EXPECT_EQ(p.fault, LineFault::LongToken);
    EXPECT_EQ(p.account.view(), digits);
    EXPECT_EQ(p.amount.view(), u"1000");
    const ParsedLine copy = p; // the copy reads its own room
    EXPECT_EQ(copy.account.view(), digits);
    TransferFields cut;
    parser.logFields(parser.parse(QStringLiteral("04;1-2-3;1,000;급여;김민준")), &cut);
    parser.logFields(p, &cut); // the same fields reused for the next refused line
    EXPECT_EQ(cut.bankNo.shown(), digits);
    EXPECT_EQ(cut.money.shown(), QStringLiteral("1000") + QString(9, QLatin1Char(' ')));
    EXPECT_EQ(cut.sName.shown(), QStringLiteral("김민준") + QString(10, QLatin1Char(' ')));
}

TEST(TransferConversion, LinesOfEveryLengthAreSplitAtEachKindOfLineEnd)
{
    // Lines long and short, the ends found many characters at a time.
    static const char16_t *ends[] = {u"\r\n", u"\n", u"\r"};
    QString text;
    QStringList expected;
    for (int length = 0; length <= 40; ++length) {
        QString line;
        for (int i = 0; i < length; ++i)
            line += i % 7 == 3 ? QChar(u'가' + i) : QChar(u'a' + i % 26);
        expected << line;
        text += line + QString::fromUtf16(ends[length % 3]);
    }
    text += QStringLiteral("끝"); // a last line without its end
    expected << QStringLiteral("끝");
    const QList<QStringView> lines = SplitTransferLines(text);
    ASSERT_EQ(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << i;
}

TEST(TransferFileParser, DelimitedTokensAndBadBytesAreFoundWhereverTheyStand)
{
    // Delimiters and a character from bad bytes at every place of lines
    // long and short, many characters read at a time; the tokens are those
    // of a plain split at the first five delimiters.
    for (const DataForm form : {DataForm::Comma, DataForm::Semicolon}) {
        const QChar d = DelimiterOf(form);
        const TransferFileParser parser(form, {});
        for (int length = 0; length <= 40; ++length)
            for (int step = 1; step <= 9; ++step)
                for (int bad = -1; bad < length; bad += 7) {
                    QString line;
                    for (int i = 0; i < length; ++i)
                        line += i % step == step - 1 ? d : QChar(i % 5 == 0 ? u'가' : u'a' + i % 26);
                    if (bad >= 0)
                        line[bad] = QChar(0xFFFD);
                    const QList<QStringView> split = QStringView(line).split(d);
                    const QStringView tokens[5] = {split.value(0), split.value(1), split.value(2), split.value(3),
                                                   split.value(4)};
                    const ParsedLine p = parser.parse(line);
                    const QString at = QStringLiteral("%1 %2 %3").arg(line).arg(step).arg(bad);
                    ASSERT_EQ(p.bankId, tokens[0].trimmed()) << qPrintable(at);
                    ASSERT_EQ(p.bankNo, tokens[1]) << qPrintable(at);
                    ASSERT_EQ(p.money, tokens[2]) << qPrintable(at);
                    ASSERT_EQ(p.cInfo, tokens[3].trimmed()) << qPrintable(at);
                    ASSERT_EQ(p.sName, tokens[4].trimmed()) << qPrintable(at);
                    const bool badBytes = line.contains(QChar(0xFFFD));
                    if (badBytes)
                        ASSERT_EQ(p.fault, LineFault::BadBytes) << qPrintable(at);
                    else if (form == DataForm::Comma && split.size() > 5)
                        ASSERT_EQ(p.fault, LineFault::ExtraTokens) << qPrintable(at);
                    else
                        ASSERT_NE(p.fault, LineFault::ExtraTokens) << qPrintable(at);
                }
    }
}

TEST(TransferFileParser, FieldsAreTrimmedOfEveryBlankQtKnowsAndNoOther)
{
    // Every character of the planes the files use: trimmed exactly where
    // QStringView::trimmed trims.
    for (int u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u < 0xE000)
            continue;
        const QChar c{char16_t(u)};
        const QString text = QString(c) + QStringLiteral("가") + QString(c);
        ASSERT_EQ(TrimmedView(text), QStringView(text).trimmed()) << std::hex << u;
    }
    // Runs of blanks of every length around a text, read many at a time,
    // with another blank or a character that is none somewhere in them.
    for (int before = 0; before <= 20; ++before)
        for (int after = 0; after <= 20; ++after)
            for (int at = -1; at < before + after; ++at)
                for (const QChar other : {QChar(u'\t'), QChar(u'x'), QChar(0x3000)}) {
                    QString text = QString(before, QLatin1Char(' ')) + QStringLiteral("가 a")
                                   + QString(after, QLatin1Char(' '));
                    if (at >= 0)
                        text[at < before ? at : at + 3] = other;
                    ASSERT_EQ(TrimmedView(text), QStringView(text).trimmed()) << before << " " << after << " " << at;
                }
}

// A file long enough to be checked in parts side by side gives what one pass
// from the top gives: rows, refused lines and questions in the order of its
// lines, the gauge moving a line at a time.
TEST(TransferConversion, ALongFileKeepsTheOrderOfItsLinesInRowsLogAndQuestions)
{
    const ConvertContext context = DemoConvertContext();
    constexpr int Count = 3 * 4096 + 123;
    QStringList lines;
    QStringList names, refused, asked;
    for (int i = 0; i < Count; ++i) {
        const QString account = QStringLiteral("1234%1").arg(i, 8, 10, QLatin1Char('0'));
        QString name = QStringLiteral("이름%1").arg(i, 5, 10, QLatin1Char('0'));
        QString amount = QString::number(1000 + i);
        QString bank = QStringLiteral("04");
        if (i % 7 == 3) {
            amount = QStringLiteral("12a");
            refused << QString::number(int(Refusal::BadAmount)) + QStringLiteral("|04|") + account;
        } else if (i % 11 == 5) {
            bank = QStringLiteral("77");
            refused << QString::number(int(Refusal::UnknownBank)) + QStringLiteral("|77|") + account;
        } else if (i % 1000 == 500 && !names.isEmpty()) {
            // The payee and amount of the row before it, again: asked, and dropped.
            name = names.last();
            amount = QString::number(1000 + name.mid(2).toInt());
            asked << DuplicateQuestion(name, CurrToMoneyStr(amount.toLongLong()));
        } else {
            names << name;
        }
        lines << QStringList{bank, account, amount, QStringLiteral("급여"), name}.join(QLatin1Char(','));
    }

    TransferConversion conversion(context, DataForm::Comma, DemoFixed);
    ConvertHooks hooks;
    QStringList gotRefused, gotAsked;
    QVector<int> checked;
    hooks.refused = [&](const TransferFields &cut, Refusal why) {
        gotRefused << QString::number(int(why)) + QLatin1Char('|') + cut.bankId.shown().trimmed()
                          + QLatin1Char('|') + cut.bankNo.shown().trimmed();
    };
    hooks.askDuplicate = [&](const QString &name, const QString &money) {
        gotAsked << DuplicateQuestion(name, money);
        return false;
    };
    hooks.progress = [&](const ConvertCounters &c) {
        if (c.phase == ConvertCounters::Checking)
            checked << c.checked;
    };
    QList<QStringView> views(lines.begin(), lines.end());
    ConvertedRows made;
    const ConvertCounters c = conversion.run(views, hooks, &made);

    ASSERT_EQ(made.size(), names.size());
    for (int i = 0; i < made.size(); ++i)
        ASSERT_EQ(made.cell(i, tcName), names[i]) << i;
    EXPECT_EQ(made.cell(made.size() - 1, tcMoney), CurrToMoneyStr(1000 + names.last().mid(2).toInt()));
    EXPECT_EQ(gotRefused, refused);
    EXPECT_EQ(gotAsked, asked);
    EXPECT_EQ(c.total, Count);
    EXPECT_EQ(c.accepted, names.size());
    EXPECT_EQ(c.errors, refused.size() + asked.size());
    ASSERT_EQ(checked.size(), Count + 1);
    for (int i = 0; i <= Count; ++i)
        ASSERT_EQ(checked[i], i);
}

// A file of some megabytes is decoded in pieces: its lines are those of the
// whole text decoded at once, whatever ends its lines and wherever a bad byte
// or a double-byte character falls.
TEST(TransferConversion, AFileDecodedInPiecesHasTheLinesOfTheWholeText)
{
    const QByteArray name = qvx::Cp949::encode(QStringLiteral("김민준 상사"));
    const char *ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n"};
    QByteArray bytes;
    for (int i = 0; bytes.size() < (5 << 20); ++i) {
        bytes += "04,123401234567," + QByteArray::number(1000 + i) + ",info," + name;
        if (i % 13 == 0)
            bytes += '\x81'; // a lead byte without its second byte
        if (i % 17 == 0)
            bytes += "\xB0"; // the same, just before the line end
        bytes += ends[i % 5];
    }
    const TransferFileText file = DecodeTransferFile(bytes);
    const QString whole = qvx::Cp949::decode(bytes);
    const QList<QStringView> expected = SplitTransferLines(whole);
    ASSERT_EQ(file.lines.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        ASSERT_EQ(file.lines[i], expected[i]) << i;
}
