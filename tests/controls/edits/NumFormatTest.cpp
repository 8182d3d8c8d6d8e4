// Number texts of the edit controls: the pattern engine, conversion, and the
// helpers of the edit's key filter.

#include "controls/edits/NumFormat.h"
#include "controls/edits/StrUtils.h"

#include "QStringPrint.h"

#include <gtest/gtest.h>

using qvx::Decimal;
using qvx::FormatFloat;

namespace {

Decimal num(const char *text)
{
    auto v = Decimal::parse(QString::fromLatin1(text));
    EXPECT_TRUE(v.has_value()) << text;
    return v.value_or(Decimal());
}

struct FormatCase
{
    const char *format;
    const char *value;
    const char *expected;
};

void checkFormats(std::initializer_list<FormatCase> cases)
{
    for (const auto &c : cases)
        EXPECT_EQ(FormatFloat(QString::fromLatin1(c.format), num(c.value)), QString::fromLatin1(c.expected))
            << "format \"" << c.format << "\" value " << c.value;
}

} // namespace

TEST(StrUtils, ReplaceAllTextNeverRescans)
{
    EXPECT_EQ(ReplaceAllText("Value %d to %d", "%d", "%.*f"), "Value %.*f to %.*f");
    EXPECT_EQ(ReplaceAllText("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAllText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllText("abab", "ab", ""), "");
}

TEST(StrUtils, TrimOnlyBlanksAndRepeat)
{
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces("\t 12 "), "\t 12");
    EXPECT_EQ(TrimLeadingSpaces("  a "), "a ");
    EXPECT_EQ(TrimTrailingSpaces("  a "), "  a");
    EXPECT_EQ(DeleteAllChar("1,234,567", ','), "1234567");
    EXPECT_EQ(RepeatChar('#', 3), "###");
    EXPECT_EQ(RepeatChar('#', 0), "");
    EXPECT_EQ(RepeatChar('#', -2), "");
}

// The two display formats of the forms and the edit-text patterns.
TEST(FormatFloat, AmountFormatOfTheForms)
{
    checkFormats({
        {",0.;-\\,0.", "0", "0"},
        {",0.;-\\,0.", "1", "1"},
        {",0.;-\\,0.", "999", "999"},
        {",0.;-\\,0.", "1000", "1,000"},
        {",0.;-\\,0.", "1234567", "1,234,567"},
        {",0.;-\\,0.", "9999999999999", "9,999,999,999,999"},
        {",0.;-\\,0.", "-1234567", "-\\1,234,567"},
        {",0.;-\\,0.", "-5", "-\\5"},
        {",0.;-\\,0.", "1234.5", "1,235"},
        {",0.;-\\,0.", "1234.4999", "1,234"},
        {",0.;-\\,0.", "-1234.5", "-\\1,235"},
        {",0.;-\\,0.", "999999.5", "1,000,000"},
        {",0.;-\\,0.", "123456789012345678", "123,456,789,012,345,678"},
    });
}

TEST(FormatFloat, RoundsHalfAwayFromZero)
{
    checkFormats({
        {"0", "0.5", "1"},
        {"0", "1.5", "2"},
        {"0", "2.5", "3"},
        {"0", "-2.5", "-3"},
        {"0.00", "1.005", "1.01"},
        {"0.00", "2.675", "2.68"},
        {"0.##", "1234.565", "1234.57"},
        {"0.##", "0.125", "0.13"},
    });
}

TEST(FormatFloat, CountAndEditPatterns)
{
    checkFormats({
        {"0", "0", "0"},
        {"0", "42", "42"},
        {"0", "-42", "-42"},
        {"0", "1234567", "1234567"},
        {"0,", "1234567", "1,234,567"},
        {"0.##", "1234.5", "1234.5"},
        {"0.##", "1234.567", "1234.57"},
        {"0.##", "1234", "1234"},
        {"0.##", "-0.5", "-0.5"},
        {"0.00", "3", "3.00"},
        {"#.##", "0.5", ".5"},
        {"#,##0.00", "1234567.891", "1,234,567.89"},
        {"000", "7", "007"},
    });
}

TEST(FormatFloat, SectionsAndRoundingToZero)
{
    checkFormats({
        {"0;(0)", "-5", "(5)"},
        {"0;(0);zero", "0", "zero"},
        {"0;;zero", "-5", "-5"},   // empty negative section: the first with a sign
        {"0;(0);'nil'", "-0.4", "nil"}, // rounds to zero: the zero section
        {"0;(0)", "-0.4", "0"},    // no zero section: the first, without a sign
        {",0.;-\\,0.", "-0.4", "0"},
        {"0;-0", "0.4", "0"},
    });
}

TEST(FormatFloat, LiteralsQuotesAndExponent)
{
    checkFormats({
        {"\\,0.", "1500", "\\1,500"},
        {"'#'0", "5", "#5"},
        {"\"Total \"0", "5", "Total 5"},
        {"0' won'", "5", "5 won"},
        {"0.00E+00", "12345", "1.23E+04"},
        {"0.00E-00", "0.00012345", "1.23E-04"},
        {"0.0E-0", "12345", "1.2E4"},
    });
    EXPECT_EQ(FormatFloat("", num("1234.5")), "1234.5");
    EXPECT_EQ(FormatFloat("0", num("1E20")), "1E20"); // beyond 18 integer digits: general format
}

TEST(FloatToStr, GeneralFormat)
{
    struct
    {
        const char *value;
        int precision;
        const char *expected;
    } cases[] = {
        {"0", 15, "0"},
        {"5", 15, "5"},
        {"-1234.5", 15, "-1234.5"},
        {"0.0001", 15, "0.0001"},
        {"0.00001", 15, "1E-5"},
        {"0.000015", 15, "1.5E-5"},
        {"100000000000000", 15, "100000000000000"},
        {"1000000000000000", 15, "1E15"},
        {"0.1234567890123456", 15, "0.123456789012346"},
        {"2.5", 1, "3"},
        {"123456", 2, "1.2E5"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qvx::FloatToStrGeneral(num(c.value), c.precision), QString::fromLatin1(c.expected)) << c.value;
}

TEST(Decimal, ParseKeepsEighteenDigits)
{
    EXPECT_EQ(num("123456789012345678").toPlainString(), "123456789012345678");
    EXPECT_EQ(num("1234567890123456785").toPlainString(), "1234567890123456790"); // 19th digit rounds
    EXPECT_EQ(num("0.1234567890123456789").toPlainString(), "0.123456789012345679");
    EXPECT_EQ(num("999999999999999999.5").toPlainString(), "1000000000000000000");
    EXPECT_EQ(num("-000.500").toPlainString(), "-0.5");
    EXPECT_EQ(num("1.").toPlainString(), "1");
    EXPECT_EQ(num(".5").toPlainString(), "0.5");
    EXPECT_EQ(num("+1e3").toPlainString(), "1000");
    EXPECT_EQ(num("-0").toPlainString(), "0");
    EXPECT_FALSE(num("-0").isNegative());
    for (const char *bad : {"", "-", "+", ".", "1e", "1e+", "e5", "1.2.3", "1,5", " 1", "1 ", "0x10", "1E5000"})
        EXPECT_FALSE(Decimal::parse(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_TRUE(num("1E-6000").isZero());
}

TEST(Decimal, OrderingAndConversions)
{
    EXPECT_LT(num("-2"), num("-1.5"));
    EXPECT_LT(num("-0.001"), Decimal(0));
    EXPECT_LT(num("99.99"), num("100"));
    EXPECT_GT(num("1E3"), num("999.999"));
    EXPECT_EQ(num("100.0"), Decimal(100));
    EXPECT_EQ(Decimal(1234.567).toPlainString(), "1234.567");
    EXPECT_EQ(Decimal(0.1).toPlainString(), "0.1");
    EXPECT_EQ(num("1000.5").toInt64(), 1001);
    EXPECT_EQ(num("-1000.5").toInt64(), -1001);
    EXPECT_EQ(num("1E30").toInt64(), std::numeric_limits<long long>::max());
    EXPECT_EQ(Decimal(std::numeric_limits<long long>::max()).toInt64(), std::numeric_limits<long long>::max());
    EXPECT_DOUBLE_EQ(num("1234.57").toDouble(), 1234.57);
    EXPECT_EQ(num("0.45").roundedToPlaces(1).toPlainString(), "0.5");
    EXPECT_EQ(num("0.05").roundedToPlaces(0).toPlainString(), "0");
    EXPECT_EQ(num("0.5").roundedToPlaces(0).toPlainString(), "1");
    EXPECT_EQ(num("1250").roundedToPlaces(-2).toPlainString(), "1300");
}

TEST(NumText, NormalizeForConversion)
{
    struct
    {
        const char *text;
        const char *expected;
    } cases[] = {
        {"", "0"},       {"   ", "0"},         {"-", "-0"},          {" 1,234 ", "1234"},
        {"1.5", "1.5"},  {"+", "+"},           {"1,234,567.5", "1234567.5"},
        {"\t5", "\t5"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(NormalizeNumText(QString::fromLatin1(c.text)), QString::fromLatin1(c.expected)) << c.text;
}

TEST(NumText, IsFloatTextAndStrToFloat)
{
    for (const char *good : {"0", "-0", "+5", "1.5", "1E5", "1e-5", ".5", "5."})
        EXPECT_TRUE(IsFloatText(QString::fromLatin1(good))) << good;
    for (const char *bad : {"", "+", "-", "1E", "abc", "1 2", "1,5", "--1", "1.2.3"})
        EXPECT_FALSE(IsFloatText(QString::fromLatin1(bad))) << bad;
    EXPECT_TRUE(IsFloatText("1" + QString(70, '0'))); // only the first 63 characters are converted
    EXPECT_EQ(qvx::StrToFloat(" 12.5 ").toPlainString(), "12.5");
    EXPECT_THROW(qvx::StrToFloat("abc"), qvx::ConvertError);
}

TEST(NumText, InsertThousands)
{
    EXPECT_EQ(InsertThousands("-1234567.5", true), "-1,234,567.5");
    EXPECT_EQ(InsertThousands("123", true), "123");
    EXPECT_EQ(InsertThousands("1234", true), "1,234");
    EXPECT_EQ(InsertThousands("+123456", true), "+123,456");
    EXPECT_EQ(InsertThousands("1234E5", true), "1,234E5");
    EXPECT_EQ(InsertThousands("1234567", false), "1234567");
    EXPECT_EQ(InsertThousands("", true), "");
}

TEST(Decimal, BuiltFromEveryIntegerType)
{
    EXPECT_EQ(Decimal(std::int64_t(-5)).toPlainString(), "-5");
    EXPECT_EQ(Decimal(5u).toPlainString(), "5");
    EXPECT_EQ(Decimal(std::numeric_limits<unsigned long long>::max()).toPlainString(), "18446744073709551600"); // 18 digits kept
    EXPECT_EQ(Decimal(std::numeric_limits<long long>::min()).toInt64(), std::numeric_limits<long long>::min());
}
