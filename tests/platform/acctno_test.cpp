#include "platform/AcctNo.h"

#include <gtest/gtest.h>

using qvx::AcctNo;

TEST(AcctNo, HyphenatesByBankAndLength)
{
    EXPECT_EQ(AcctNo::hyphenate("04", "12345612123456"), QStringLiteral("123456-12-123456"));
    EXPECT_EQ(AcctNo::hyphenate("4", "12345612123456"), QStringLiteral("123456-12-123456"));
    EXPECT_EQ(AcctNo::hyphenate("20", "1002123456789"), QStringLiteral("1002-123-456789"));
    EXPECT_EQ(AcctNo::hyphenate("88", "110123456789"), QStringLiteral("110-123-456789"));
    EXPECT_TRUE(AcctNo::isValid("04", "12345612123456"));
    EXPECT_TRUE(AcctNo::isValid("88", "11012345678"));
}

TEST(AcctNo, UnknownOrUnfitGivesTextBack)
{
    EXPECT_EQ(AcctNo::hyphenate("99", "123456789"), QStringLiteral("123456789"));
    EXPECT_EQ(AcctNo::hyphenate("abc", "123456789"), QStringLiteral("123456789"));
    EXPECT_EQ(AcctNo::hyphenate("04", "123"), QStringLiteral("123"));
    EXPECT_EQ(AcctNo::hyphenate("04", "1234-5612"), QStringLiteral("1234-5612"));
    EXPECT_EQ(AcctNo::hyphenate("04", ""), QString());
}

TEST(AcctNo, ValidityChecksDigitsAndLength)
{
    EXPECT_FALSE(AcctNo::isValid("04", "123"));
    EXPECT_FALSE(AcctNo::isValid("04", "123456-12-123456"));
    EXPECT_FALSE(AcctNo::isValid("04", "1234561212345 "));
    EXPECT_FALSE(AcctNo::isValid("04", ""));
    EXPECT_TRUE(AcctNo::isValid("99", "123456"));
    EXPECT_FALSE(AcctNo::isValid("99", "12345"));
    EXPECT_FALSE(AcctNo::isValid("99", "12345678901234567"));
}
