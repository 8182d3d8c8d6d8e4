// The bank's answer rules: reply codes, the failing-account rule, fees and
// the deterministic balances and names.

#include "backend/BankRules.h"

#include <gtest/gtest.h>

using namespace qvx::bank;

TEST(BankRules, ReplyCodeSetsTheThirdDigit)
{
    EXPECT_EQ(replyCode(QStringLiteral("0600300")), QStringLiteral("0610300"));
    EXPECT_EQ(replyCode(QStringLiteral("0100100")), QStringLiteral("0110100"));
    EXPECT_EQ(replyCode(QStringLiteral("0103100")), QStringLiteral("0113100"));
    EXPECT_EQ(replyCode(QStringLiteral("9000990")), QStringLiteral("9010990"));
    EXPECT_EQ(replyCode(QStringLiteral("0400640")), QStringLiteral("0410640"));
    EXPECT_EQ(replyCode(QStringLiteral("06")), QStringLiteral("06"));
}

TEST(BankRules, TransferResults)
{
    const auto ok = transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("100-234-5678901"),
                                   QStringLiteral("0000000150000"));
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(ok.fee, OtherBankFee);
    EXPECT_EQ(transferResult(QStringLiteral("03"), QStringLiteral("03"), QStringLiteral("123456"), QStringLiteral("1")).fee, 0);
    // Closed accounts begin with 999; hyphens do not hide them.
    EXPECT_EQ(transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("999-000-111222"),
                             QStringLiteral("10000")).errCode,
              QLatin1String(CodeClosed));
    EXPECT_EQ(transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("12-345"), QStringLiteral("10000")).errCode,
              QLatin1String(CodeBadAccount));
    EXPECT_EQ(transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("1234567"), QStringLiteral("abc")).errCode,
              QLatin1String(CodeOther));
    EXPECT_EQ(transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("1234567"), QStringLiteral("100000000")).errCode,
              QLatin1String(CodeOk));
    const auto broke = transferResult(QStringLiteral("03"), QStringLiteral("20"), QStringLiteral("1234567"),
                                      QStringLiteral("100000001"));
    EXPECT_EQ(broke.errCode, QLatin1String(CodeNoFunds));
    EXPECT_EQ(broke.fee, 0);
}

TEST(BankRules, DeterministicValues)
{
    const qint64 b = openingBalance(QStringLiteral("03"), QStringLiteral("12301234567890"));
    EXPECT_EQ(b, openingBalance(QStringLiteral("03"), QStringLiteral("123-0123-4567890")));
    EXPECT_GE(b, 50000000);
    EXPECT_LT(b, 500000000);
    EXPECT_EQ(b % 1000, 0);
    EXPECT_EQ(holderName(QStringLiteral("04"), QStringLiteral("1")), holderName(QStringLiteral("04"), QStringLiteral("1")));
    EXPECT_EQ(stableHash(QStringLiteral("a")), 0xe40c292cu); // FNV-1a
    EXPECT_EQ(amount13(-1500), QStringLiteral("0000000001500"));
    EXPECT_EQ(amountOf(QStringLiteral(" 1,500 ")), 1500);
    EXPECT_EQ(otherBankProcNo(QStringLiteral("03"), QStringLiteral("20"), QDate(2026, 4, 15), 1234567),
              QStringLiteral("260415234567"));
    EXPECT_TRUE(lostOnFirstDelivery(8));
    EXPECT_FALSE(lostOnFirstDelivery(7));
    EXPECT_FALSE(lostOnFirstDelivery(0));
}
