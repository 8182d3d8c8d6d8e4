// The pieces a liquor conversion reads in place instead of through the
// shared text functions: each answers as the shared function it stands for.
// The bank rules asked once per code and length, the amount rule read from
// views, the duplicate index over one buffer, the cutter's width and
// byte checks.
#include "core/TextUtils.h"
#include "liquor/LiquorBankRules.h"
#include "liquor/LiquorCheckCodes.h"
#include "liquor/LiquorConversion.h"
#include "liquor/LiquorDuplicateIndex.h"
#include "liquor/LiquorRules.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferRules.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

TEST(LiquorBankRules, AccountsAndResidentNumbersAnswerAsTheSharedRules)
{
    const QStringList codes{S("02"), S("03"), S("05"), S("11"), S("20"), S("21"), S("23"), S("26"), S("31"),
                            S("48"), S("71"), S("81"), S("88"), S("99"), S("00"), S("3"), S("021")};
    LiquorBankRules rules(S("20140806"));
    LiquorTextBuffer out;
    for (const QString &code : codes) {
        // Every length twice: the second answer comes from the table.
        for (int pass = 0; pass < 2; ++pass)
            for (int length = 0; length <= 20; ++length) {
                const QString digits = QString::fromLatin1("98765432109876543210").left(length);
                EXPECT_EQ(rules.accountValid(code, digits), CheckAcctNo(code, digits)) << qPrintable(code) << length;
                EXPECT_EQ(rules.hyphenated(code, digits, out), FormatAcctNo(code, digits))
                    << qPrintable(code) << length;
            }
        for (const QString &odd : {S("1234a678901"), S("１２３４５６７８９０１")}) {
            EXPECT_EQ(rules.accountValid(code, odd), CheckAcctNo(code, odd));
            EXPECT_EQ(rules.hyphenated(code, odd, out), FormatAcctNo(code, odd));
        }
    }
    for (const char *day : {"20140803", "20140805", "20140806", "20140807"}) {
        LiquorBankRules dated(S(day));
        for (const QString &code : codes)
            for (const QString &number : {S("8001011234567"), S("800101123456"), S(" 800101123456 "),
                                          S("가나다라마바사"), S("가나다라마바"), QString()})
                EXPECT_EQ(dated.residentNoBanned(code, number), IsResidentNoBanned(code, number, S(day)))
                    << day << ' ' << qPrintable(code) << ' ' << qPrintable(number);
    }
    // A day that is no number fails as the shared rule does.
    LiquorBankRules undated(S("x"));
    EXPECT_THROW(undated.residentNoBanned(S("21"), S("1")), ConvertError);
}

TEST(LiquorCheckCodes, EveryBanksCodeIsTheSharedRulesOnTheRunsDate)
{
    auto account = [](const char *id, const char *no) {
        MotherAccount a;
        a.bankid = S(id);
        a.mobankno = S(no);
        return a;
    };
    const QVector<MotherAccount> banks{account("20", "1005-123-456789"), account("21", "56011122233"),
                                       account("02", "12345678901234"), account("03", "12345678901234"),
                                       account("05", "123456789012"), account("23", "56011122233"),
                                       account("x", "1"), account("020", "1005123456789")};
    QRandomGenerator random(20261209);
    for (const char *kind : {"20", "30"})
        for (const QDate day : {QDate(2026, 12, 9), QDate(2000, 1, 1), QDate(2099, 9, 29)}) {
            LiquorCheckCodes codes(banks, S(kind), day);
            for (int i = 0; i < 400; ++i) {
                const int mother = i % int(banks.size());
                const QString bankId = i % 3 ? S("20") : S("88");
                const QString plainBankNo = QString::number(random.bounded(1000000000)) + S("0123");
                const qint64 transfer = 1 + random.bounded(999999999) * qint64(random.bounded(10000));
                const QString plainMother = DelChar(FormatAcctNo(banks[mother].bankid, banks[mother].mobankno),
                                                    QLatin1Char('-'));
                QString expected, error;
                try {
                    expected = EntryCheckCode(banks[mother].bankid, plainMother, bankId, plainBankNo,
                                              AmountDigits(transfer), S(kind), day);
                } catch (const std::exception &e) {
                    error = S(e.what());
                }
                if (!error.isEmpty()) {
                    EXPECT_ANY_THROW(codes.make(mother, bankId, plainBankNo, transfer)) << mother;
                    continue;
                }
                EXPECT_EQ(codes.make(mother, bankId, plainBankNo, transfer), expected)
                    << kind << ' ' << mother << ' ' << qPrintable(plainBankNo) << ' ' << transfer;
            }
        }
}

TEST(LiquorRules, AmountsReadInPlaceAsFromTheirTexts)
{
    const QStringList texts{QString(),           S("0"),     S("000"),   S("0000000000000"), S("00000000000000"),
                            S("1"),              S("0001"),  S("1234567890123"), S("12345678901234"),
                            S("000001234567890123"), S("1,000"), S("1,0,0"), S("12a"), S(" 5 ")};
    auto same = [](const LiquorAmounts &a, const LiquorAmounts &b) {
        return a.faultField == b.faultField && a.message == b.message && (!a.ok() || (a.liquor == b.liquor
               && a.nonLiquor == b.nonLiquor && a.transfer == b.transfer));
    };
    for (const QString &t : texts) {
        const QString one = S("1"), zero = S("0");
        EXPECT_TRUE(same(CheckLiquorAmounts(QStringView(t), QStringView(zero), QStringView(one)),
                         CheckLiquorAmounts(t, zero, one))) << qPrintable(t);
        EXPECT_TRUE(same(CheckLiquorAmounts(QStringView(zero), QStringView(t), QStringView(one)),
                         CheckLiquorAmounts(zero, t, one))) << qPrintable(t);
        EXPECT_TRUE(same(CheckLiquorAmounts(QStringView(one), QStringView(zero), QStringView(t)),
                         CheckLiquorAmounts(one, zero, t))) << qPrintable(t);
    }
}

TEST(LiquorDuplicateIndex, FindsEveryRowAfterGrowingAndKeepsTheTextsApart)
{
    LiquorDuplicateIndex index;
    for (int i = 0; i < 5000; ++i)
        index.add(S("거래처") + QString::number(i % 2500), CurrToMoneyStr(1000 + i), S("기타") + QString::number(i));
    for (int i = 0; i < 5000; i += 7) {
        const QString name = S("거래처") + QString::number(i % 2500), money = CurrToMoneyStr(1000 + i);
        EXPECT_TRUE(index.contains(name, money, QString(), true)) << i;
        EXPECT_TRUE(index.contains(name, money, S("기타") + QString::number(i), false)) << i;
        EXPECT_FALSE(index.contains(name, money, S("기타"), false)) << i;
    }
    EXPECT_FALSE(index.contains(S("거래처1"), CurrToMoneyStr(999), QString(), true));
    // Name and amount are two texts, not one run of characters.
    index.add(S("AB"), S("1"), S("x"));
    EXPECT_FALSE(index.contains(S("A"), S("B1"), S("x"), true));
    EXPECT_TRUE(index.contains(S("AB"), S("1"), S("x"), false));
}

TEST(LiquorLineCutter, FixedFieldsAreTheCharactersWhollyInsideTheirBytes)
{
    // Random lines of ASCII and Hangul against random layouts, fields
    // overlapping, out of order, past the line's end and of no length among them.
    QRandomGenerator random(4242);
    for (int round = 0; round < 300; ++round) {
        QString line;
        const int chars = random.bounded(0, 60);
        for (int i = 0; i < chars; ++i)
            line += random.bounded(3) == 0 ? QChar(char16_t(0xAC00 + random.bounded(100)))
                                           : QChar(char16_t(u'0' + random.bounded(10)));
        if (round % 50 == 7)
            line += QChar(QChar::ReplacementCharacter);
        LiquorLayout layout;
        for (ConvField &field : layout)
            field = {random.bounded(-1, 90), random.bounded(-1, 20)};
        const LiquorLine cut = LiquorLineCutter(DataForm::Fixed, layout, S("30")).cut(line);
        for (int f = 0; f < LiquorFieldCount; ++f)
            EXPECT_EQ(cut.fields[LiquorField(f)], CutBytesView(line, layout[f].start, layout[f].length))
                << qPrintable(line) << ' ' << layout[f].start << '/' << layout[f].length;
        EXPECT_EQ(cut.fault == LiquorRefusal::BadBytes, line.contains(QChar(QChar::ReplacementCharacter)));
    }
}

TEST(LiquorLineCutter, DelimitedWidthsCountBytesAndForeignBytesRefuse)
{
    const LiquorLineCutter cutter(DataForm::Comma, LiquorDelimitedLayout(), S("30"));
    auto fault = [&](const QString &name) {
        return cutter.cut(S("21,56012345678,100,0,100,,") + name + S(",30,1")).fault;
    };
    EXPECT_EQ(fault(S("ABCDEFGHIJKLMN")), LiquorRefusal::None); // 14 bytes
    EXPECT_EQ(fault(S("ABCDEFGHIJKLMNO")), LiquorRefusal::LongToken);
    EXPECT_EQ(fault(S("가나다라마바사")), LiquorRefusal::None); // 14 bytes
    EXPECT_EQ(fault(S("가나다라마바사A")), LiquorRefusal::LongToken);
    EXPECT_EQ(fault(S("가") + QChar(QChar::ReplacementCharacter)), LiquorRefusal::BadBytes);
    // A real-name number in the eighth place, wider than its 13 bytes once
    // its '-' are gone.
    EXPECT_EQ(cutter.cut(S("21,56012345678,100,0,100,,가,800101-1234567")).fault, LiquorRefusal::None);
    EXPECT_EQ(cutter.cut(S("21,56012345678,100,0,100,,가,800101-12345678")).fault, LiquorRefusal::LongToken);
    const LiquorLineCutter semicolons(DataForm::Semicolon, LiquorDelimitedLayout(), S("30"));
    const LiquorLine line = semicolons.cut(S("21;560-12-345678; 1,000 ;0;100;;가;800101-1234567"));
    EXPECT_EQ(line.fields[lfBankNo], S("56012345678"));
    EXPECT_EQ(line.fields[lfJuMoney], S("1000"));
    EXPECT_EQ(line.fields[lfGubun], S("30"));
    EXPECT_EQ(line.fields[lfJumin], S("8001011234567"));
    // A copied line keeps its changed fields.
    const LiquorLine copy = line;
    EXPECT_EQ(copy.fields[lfBankNo], S("56012345678"));
}

} // namespace
