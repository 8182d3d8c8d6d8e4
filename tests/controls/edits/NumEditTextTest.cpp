// How the three kinds of number field read the same texts, without a widget.

#include "controls/edits/NumEditText.h"
#include "controls/edits/NumFormat.h"

#include <gtest/gtest.h>

TEST(NumEditText, OneReadingForWholeWonWholeNumberAndDecimalFields)
{
    const NumEditText won(true, 2, false);
    const NumEditText whole(false, 0, false);
    const NumEditText decimal(false, 2, false);
    EXPECT_EQ(won.typedSeparator(QLatin1Char(',')), QLatin1Char(','));
    EXPECT_EQ(whole.typedSeparator(QLatin1Char(',')), QLatin1Char('.'));
    EXPECT_EQ(decimal.typedSeparator(QLatin1Char(',')), QLatin1Char('.'));

    // Kept while typing in the whole kinds, to be judged on leaving.
    for (const char *text : {"5,00,0", "1000.5", ".5", "-", "+5"}) {
        EXPECT_TRUE(won.acceptable(QString::fromLatin1(text))) << text;
        EXPECT_TRUE(whole.acceptable(QString::fromLatin1(text))) << text;
    }
    for (const char *text : {"5 000", "1e3", "abc", "1.5,"}) {
        EXPECT_FALSE(won.acceptable(QString::fromLatin1(text))) << text;
        EXPECT_FALSE(whole.acceptable(QString::fromLatin1(text))) << text;
    }
    EXPECT_FALSE(won.acceptable(QStringLiteral("9\uFF18")));
    EXPECT_TRUE(decimal.acceptable(QStringLiteral("1.5E3")));
    EXPECT_FALSE(decimal.acceptable(QStringLiteral("1.555")));
    EXPECT_FALSE(NumEditText(true, 2, true).acceptable(QStringLiteral("-5")));

    EXPECT_EQ(won.onExit(QStringLiteral("12,34")), NumEditText::KeepAsTyped);
    EXPECT_EQ(won.onExit(QStringLiteral("5,000")), NumEditText::ReadIt);
    EXPECT_EQ(whole.onExit(QStringLiteral("2.5")), NumEditText::RefuseIt);
    EXPECT_EQ(whole.onExit(QStringLiteral("+")), NumEditText::ReadIt);
    EXPECT_EQ(whole.value(QStringLiteral("+")), qvx::Decimal());
    EXPECT_EQ(decimal.onExit(QStringLiteral("2.5")), NumEditText::ReadIt);
    EXPECT_THROW(won.value(QStringLiteral("12,34")), qvx::ConvertError);
    EXPECT_EQ(won.value(QStringLiteral("1,234,567")), qvx::Decimal(1234567));

    // Past 18 digits the text is never rewritten from the value ("1E19").
    EXPECT_TRUE(won.followsValue(QStringLiteral("123456789012345678")));
    EXPECT_FALSE(won.followsValue(QStringLiteral("1234567890123456789")));
    EXPECT_FALSE(whole.followsValue(QStringLiteral("1234567890123456789")));
    EXPECT_TRUE(decimal.followsValue(QStringLiteral("1.5")));
}
