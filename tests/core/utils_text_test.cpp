#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/AcctNo.h"
#include "platform/Cp949.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

QString S(const char *utf8) { return QString::fromUtf8(utf8); }

// U+AC02 is 0x81 0x41 in CP949: its second byte is the letter 'A'.
const QString ExtSyllable = QString(QChar(0xAC02));

struct FixCase
{
    const char *text;
    int width;
    bool left;
    const char *expected;
};

TEST(UtilsText, FixLenSpaceCases)
{
    const FixCase cases[] = {
        {"AB", 5, true, "AB   "},
        {"AB", 5, false, "   AB"},
        {"ABCDEFG", 3, true, "ABC"},
        {"ABCDEFG", 3, false, "ABC"},
        {"", 3, true, "   "},
        {"AB", 0, true, ""},
        {"가", 4, true, "가  "},
        {"가", 4, false, "  가"},
        {"가나다", 4, true, "가나"},
        {"가나다", 5, true, "가나 "},   // the third syllable would be split: left out, blank instead
        {"가나다", 5, false, "가나 "},
        {"A가나", 4, true, "A가 "},
    };
    for (const FixCase &c : cases) {
        const QString got = FixLenSpace(S(c.text), c.width, c.left);
        EXPECT_EQ(got, S(c.expected)) << c.text << " / " << c.width;
        EXPECT_EQ(Cp949Length(got), c.width) << c.text << " / " << c.width;
    }
}

TEST(UtilsText, FixLenZeroCases)
{
    const FixCase cases[] = {
        {"42", 5, false, "00042"},
        {"42", 5, true, "42000"},
        {"12345678", 5, false, "12345"},
        {"", 2, false, "00"},
        {"금액", 3, false, "금0"},   // the byte before the cut character takes the zero pad
        {"금액", 3, true, "금0"},
    };
    for (const FixCase &c : cases)
        EXPECT_EQ(FixLenZero(S(c.text), c.width, c.left), S(c.expected)) << c.text;
}

TEST(UtilsText, FixLenNeverSplitsSyllableWithAsciiTrailByte)
{
    const QString two = ExtSyllable + ExtSyllable;  // 81 41 81 41
    const QString cut = FixLenSpace(two, 3, true);
    EXPECT_EQ(cut, ExtSyllable + QLatin1Char(' '));
    bool ok = false;
    qvx::Cp949::decode(qvx::Cp949::encode(cut), &ok);
    EXPECT_TRUE(ok);
}

TEST(UtilsText, GetDbcsSafeLenCases)
{
    EXPECT_EQ(GetDbcsSafeLen(S("ABCDEFGHIJ"), 12), -1);          // 10 bytes, n = 12
    EXPECT_EQ(GetDbcsSafeLen(S("ABCDEFGHIJKL"), 12), 12);
    EXPECT_EQ(GetDbcsSafeLen(S("ABCDEFGHIJK가"), 12), 11);       // 12th byte leads a syllable
    EXPECT_EQ(GetDbcsSafeLen(S("가나다라마바사아자차"), 12), 12); // 20 bytes of Korean
    EXPECT_EQ(GetDbcsSafeLen(S("A가나다라마바"), 12), 11);
    // Counting the high bytes would call the first three bytes of 81 41 81 41
    // a whole cut (two high bytes); reading from the start it is not.
    EXPECT_EQ(GetDbcsSafeLen(ExtSyllable + ExtSyllable, 3), 2);
    EXPECT_EQ(GetDbcsSafeLen(S("A") + ExtSyllable + S("가"), 4), 3);
    EXPECT_EQ(GetDbcsSafeLen(S(""), 0), 0);
}

TEST(UtilsText, LeftBytesKeepsWholeCharacters)
{
    EXPECT_EQ(LeftBytes(S("홍길동전자"), 12), S("홍길동전자"));
    EXPECT_EQ(LeftBytes(S("주식회사홍길동전자"), 12), S("주식회사홍길"));
    EXPECT_EQ(LeftBytes(S("A주식회사홍길동"), 12), S("A주식회사홍"));
    // A character CP949 lacks is kept as typed, not turned into '?'.
    EXPECT_EQ(LeftBytes(S("😀가나다라마바"), 12), S("😀가나다라마"));
    EXPECT_EQ(LeftBytes(S("가나다라마😀바"), 12), S("가나다라마😀"));
}

TEST(UtilsText, DelCharAndCommas)
{
    EXPECT_EQ(DelChar(S("123-45-678"), QLatin1Char('-')), S("12345678"));
    EXPECT_EQ(StripChar(S(" a b "), QLatin1Char(' ')), S("ab"));
    EXPECT_EQ(DelComma(S("1,234,567")), S("1234567"));
    EXPECT_EQ(DelComma(QString()), QString());
}

TEST(UtilsText, FormatMoneyCases)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},           {"0", "0"},           {"100", "100"},
        {"1000", "1,000"},  {"123456", "123,456"}, {"1234567", "1,234,567"},
        {"-1234", "-1,234"}, {"-1000000", "-1,000,000"}, {"12.5", "0"},
        {"-0", "0"},        {"0001000", "1,000"},  {"9223372036854775807", "9,223,372,036,854,775,807"},
    };
    for (const auto &[in, out] : cases)
        EXPECT_EQ(FormatMoney(S(in)), S(out)) << in;
    EXPECT_THROW(FormatMoney(S("abc")), ConvertError);
    EXPECT_THROW(FormatMoney(S("1,000")), ConvertError);
}

TEST(UtilsText, MoneyConversions)
{
    EXPECT_EQ(MoneyStrToCurr(S("1,234,567")), 1234567);
    EXPECT_EQ(MoneyStrToCurr(S("-1,000")), -1000);
    EXPECT_EQ(MoneyStrToCurr(S("1000.5")), 1001);
    EXPECT_EQ(MoneyStrToCurr(S("9,223,372,036,854,775,807")), std::numeric_limits<qint64>::max());
    EXPECT_THROW(MoneyStrToCurr(S("12a")), ConvertError);
    EXPECT_THROW(MoneyStrToCurr(S("")), ConvertError);
}

TEST(UtilsText, MoneyIsReadExactlyAndRoundedHalfAwayFromZero)
{
    // A double would read this as ...776.5 and round up.
    EXPECT_EQ(MoneyStrToCurr(S("1099511627776.4999")), 1099511627776);
    EXPECT_EQ(MoneyStrToCurr(S("1,099,511,627,776.5")), 1099511627777);
    EXPECT_EQ(MoneyStrToCurr(S("-2.4999999999999999999")), -2);
    EXPECT_EQ(MoneyStrToCurr(S("-0.5")), -1);
    EXPECT_EQ(MoneyStrToCurr(S(".5")), 1);
    EXPECT_EQ(MoneyStrToCurr(S("1.5e3")), 1500);
    EXPECT_EQ(MoneyStrToCurr(S("-9223372036854775808")), std::numeric_limits<qint64>::min());
    EXPECT_EQ(MoneyStrToCurr(S("9223372036854775806.5")), std::numeric_limits<qint64>::max());
    EXPECT_THROW(MoneyStrToCurr(S("9223372036854775807.5")), ConvertError);
    EXPECT_THROW(MoneyStrToCurr(S("99999999999999999999")), ConvertError);
    EXPECT_THROW(MoneyStrToCurr(S("1.2.3")), ConvertError);
    EXPECT_THROW(MoneyStrToCurr(S("inf")), ConvertError);
    EXPECT_EQ(SafeStrToCurr(S("0.4999999999999999999999"), 7), 0);
    EXPECT_EQ(FormatMoney(S("-0")), S("0"));
    EXPECT_EQ(FormatMoney(S("-0.0")), S("0"));
    EXPECT_EQ(CurrToMoneyStr(-1234), S("-1,234"));
    EXPECT_EQ(CurrToMoneyStr(0), S("0"));
    EXPECT_EQ(CurrToMoneyStr(999), S("999"));
    EXPECT_EQ(CurrToMoneyStr(1000), S("1,000"));
    EXPECT_EQ(CurrToMoneyStr(9999999999999), S("9,999,999,999,999"));
    EXPECT_EQ(CurrToMoneyStr(std::numeric_limits<qint64>::min()), S("-9,223,372,036,854,775,808"));
    EXPECT_EQ(SafeStrToCurr(S("x"), 7), 7);
    EXPECT_EQ(SafeStrToCurr(S("2000"), 7), 2000);
    EXPECT_EQ(SafeStrToCurr(S("2,000"), 7), 7);  // no comma removal here, unlike MoneyStrToCurr
    EXPECT_EQ(SafeStrToCurr(QString(), 7), 7);
}

TEST(UtilsText, CutTokenCases)
{
    QString text = S("a,b,c");
    EXPECT_EQ(CutToken(text, QLatin1Char(',')), S("a"));
    EXPECT_EQ(text, S("b,c"));
    EXPECT_EQ(CutToken(text, QLatin1Char(',')), S("b"));
    EXPECT_EQ(CutToken(text, QLatin1Char(',')), S("c"));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(CutToken(text, QLatin1Char(',')), QString());

    QString empties = S(";;x");
    EXPECT_EQ(CutToken(empties, QLatin1Char(';')), QString());
    EXPECT_EQ(empties, S(";x"));

    QString longRest = S("head;") + QString(2000, QLatin1Char('x'));
    EXPECT_EQ(CutToken(longRest, QLatin1Char(';')), S("head"));
    EXPECT_EQ(longRest.size(), 1024);

    QString korean = QString(1023, QLatin1Char('x')) + S("가나");  // 1027 bytes, no delimiter
    EXPECT_EQ(CutToken(korean, QLatin1Char(';')), QString(1023, QLatin1Char('x')));
    EXPECT_TRUE(korean.isEmpty());
}

TEST(UtilsText, RejectAsciiKeyCases)
{
    EXPECT_EQ(RejectAsciiKey(QChar(8)), QChar(8));
    EXPECT_EQ(RejectAsciiKey(QChar(' ')), QChar(' '));
    EXPECT_EQ(RejectAsciiKey(QChar(0xAC00)), QChar(0xAC00));
    EXPECT_EQ(RejectAsciiKey(QChar(127)), QChar(127));
    EXPECT_EQ(RejectAsciiKey(QChar('A')), QChar(0));
    EXPECT_EQ(RejectAsciiKey(QChar('1')), QChar(0));
    EXPECT_EQ(RejectAsciiKey(QChar('~')), QChar(0));
}

TEST(UtilsText, GetBankNameCases)
{
    Session session;
    session.BankNames[4] = S("국민은행");
    EXPECT_EQ(GetBankName(session, S("4")), S("국민은행"));
    EXPECT_EQ(GetBankName(session, S("04")), S("국민은행"));
    EXPECT_EQ(GetBankName(session, S("5")), QString());  // code in range, name empty
    EXPECT_EQ(GetBankName(session, S("0")), S("0"));
    EXPECT_EQ(GetBankName(session, S("100")), S("100"));
    EXPECT_EQ(GetBankName(session, S("xx")), S("xx"));
}

TEST(UtilsText, HyphenRealNameNoCases)
{
    EXPECT_EQ(HyphenRealNameNo(S("1234567890")), S("123-45-67890"));
    EXPECT_EQ(HyphenRealNameNo(S("8001011234567")), S("800101-1234567"));
    EXPECT_EQ(HyphenRealNameNo(S("800101")), S("800101"));
    EXPECT_EQ(HyphenRealNameNo(QString()), QString());
}

TEST(UtilsText, IsResidentNoBannedByDateAndBank)
{
    const QString rrn = S("8001011234567");
    EXPECT_FALSE(IsResidentNoBanned(S("2"), rrn, S("20140804")));
    EXPECT_TRUE(IsResidentNoBanned(S("2"), rrn, S("20140805")));
    EXPECT_TRUE(IsResidentNoBanned(S("03"), rrn, S("20140804")));
    EXPECT_FALSE(IsResidentNoBanned(S("3"), rrn, S("20140803")));
    EXPECT_FALSE(IsResidentNoBanned(S("21"), rrn, S("20140805")));
    EXPECT_TRUE(IsResidentNoBanned(S("88"), rrn, S("20140806")));
    EXPECT_FALSE(IsResidentNoBanned(S("10"), rrn, S("20140806")));
    EXPECT_TRUE(IsResidentNoBanned(S("10"), rrn, S("20140807")));
    EXPECT_TRUE(IsResidentNoBanned(S("18"), rrn, S("20140807")));
    EXPECT_FALSE(IsResidentNoBanned(S("1"), rrn, S("20991231")));
    EXPECT_FALSE(IsResidentNoBanned(S("76"), rrn, S("20991231")));
    EXPECT_FALSE(IsResidentNoBanned(S("4"), S("  800101  "), S("20991231")));
    EXPECT_FALSE(IsResidentNoBanned(S("4"), S("800101123456"), S("20991231")));  // 12 bytes
    EXPECT_THROW(IsResidentNoBanned(S("4"), rrn, S("2014-08-04")), ConvertError);
    EXPECT_THROW(IsResidentNoBanned(S(""), rrn, S("20140804")), ConvertError);
}

TEST(UtilsText, SendFlagNames)
{
    const char *names[] = {"작성", "송신대기", "송신완료", "송신오류", "수신"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GetSendFlagName(i), S(names[i]));
    EXPECT_EQ(GetSendFlagName(5), QString());
    EXPECT_EQ(GetSendFlagName(-1), QString());
}

TEST(UtilsText, AccountNumbersGoThroughTheBankRules)
{
    EXPECT_EQ(FormatAcctNo(S("4"), S("123-4567-8901")), qvx::AcctNo::hyphenate(S("4"), S("12345678901")));
    EXPECT_EQ(FormatAcctNo(S("77"), S("1-2-3-4-5-6")), qvx::AcctNo::hyphenate(S("77"), S("123456")));
    EXPECT_FALSE(FormatAcctNo(S("99"), S("123456789")).isEmpty());
    EXPECT_EQ(CheckAcctNo(S("4"), S("12345678901")), qvx::AcctNo::isValid(S("4"), S("12345678901")));
    EXPECT_FALSE(CheckAcctNo(S("4"), S("12-34")));
}

} // namespace

TEST(UtilsText, StoredAccountNoTakesDigitsAndHyphensOnly)
{
    EXPECT_EQ(StoredAccountNo(QStringLiteral("123-456-789012")), QStringLiteral("123456789012"));
    EXPECT_EQ(StoredAccountNo(QStringLiteral(" 1002345678901 ")), QStringLiteral("1002345678901"));
    EXPECT_EQ(StoredAccountNo(QString()), QString());
    for (const QString &refused : {QStringLiteral("일이삼사오육칠팔구"), QStringLiteral("한글계좌번호"),
                                   QStringLiteral("1234a5678"), QStringLiteral("12 345678"), QStringLiteral("---"),
                                   QStringLiteral("１２３４５６"), QStringLiteral("123.456")})
        EXPECT_FALSE(StoredAccountNo(refused).has_value()) << qPrintable(refused);
}
