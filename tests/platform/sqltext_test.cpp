#include "platform/SqlText.h"

#include <gtest/gtest.h>

using namespace qvx;

TEST(SqlText, QuoteDoublesSingleQuotes)
{
    EXPECT_EQ(sqlQuote(QString()), QStringLiteral("''"));
    EXPECT_EQ(sqlQuote(QStringLiteral("abc")), QStringLiteral("'abc'"));
    EXPECT_EQ(sqlQuote(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(sqlQuote(QStringLiteral("'; drop table users; --")), QStringLiteral("'''; drop table users; --'"));
    // Backslashes stay as they are (the server runs without backslash escapes).
    EXPECT_EQ(sqlQuote(QStringLiteral("a\\'b")), QStringLiteral("'a\\''b'"));
    EXPECT_EQ(sqlQuote(QStringLiteral("홍길동")), QStringLiteral("'홍길동'"));
}

TEST(SqlText, IntegerCheck)
{
    EXPECT_TRUE(isInteger(QStringLiteral("0")));
    EXPECT_TRUE(isInteger(QStringLiteral("-12")));
    EXPECT_TRUE(isInteger(QStringLiteral("000123")));
    EXPECT_FALSE(isInteger(QString()));
    EXPECT_FALSE(isInteger(QStringLiteral("-")));
    EXPECT_FALSE(isInteger(QStringLiteral("+1")));
    EXPECT_FALSE(isInteger(QStringLiteral(" 1")));
    EXPECT_FALSE(isInteger(QStringLiteral("1.5")));
    EXPECT_FALSE(isInteger(QStringLiteral("1 or 1=1")));
    EXPECT_FALSE(isInteger(QStringLiteral("١٢"))); // non-ASCII digits

    EXPECT_EQ(sqlInt(QStringLiteral("42")), QStringLiteral("42"));
    EXPECT_EQ(sqlInt(qint64(-7)), QStringLiteral("-7"));
    EXPECT_THROW(sqlInt(QStringLiteral("42; delete from giche")), SqlValueError);
    try {
        sqlInt(QStringLiteral("x"));
    } catch (const SqlValueError &e) {
        EXPECT_EQ(e.value(), QStringLiteral("x"));
    }
}
