#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromLatin1(s); }

// Worked by hand for 4 August 2014 (yymmdd 140804), paying account
// 12345678901, counterpart 55555512345, amount 0000001234567.
class BankCheckCode : public ::testing::Test
{
protected:
    void SetUp() override { qvx::Clock::setFixed(QDateTime(QDate(2014, 8, 4), QTime(10, 0))); }
    void TearDown() override { qvx::Clock::reset(); }

    static QString code(const char *bank, const char *kind = "20", const char *amount = "0000001234567",
                        const char *pay = "12345678901", const char *counter = "55555512345")
    {
        return MakeBankCheckCode(S(bank), S(pay), S("04"), S(counter), S(amount), QString(), S(kind), S("999999"));
    }
};

TEST_F(BankCheckCode, Bank2AddsDigitsSwapsAndReverses)
{
    // X1 = 123456 (+) 555555 = 678901; X2 = X1 (+) 234567 = 802468; X3 = 468802;
    // X4 = X3 (+) 140804 = 508606; reversed 606805.
    EXPECT_EQ(code("2"), S("606805"));
    EXPECT_EQ(code("02"), S("606805"));
}

TEST_F(BankCheckCode, Bank3DoesNotReverseAndPadsShortAmounts)
{
    EXPECT_EQ(code("3"), S("508606"));
    // Amount 500 -> 000500: X2 = 678401, X3 = 401678, (+) 140804 = 541472.
    EXPECT_EQ(code("3", "20", "500"), S("541472"));
}

TEST_F(BankCheckCode, Banks2And3RefuseShortOrNonDigitAccounts)
{
    EXPECT_THROW(code("2", "20", "0000001234567", "12345"), ConvertError);
    EXPECT_THROW(code("3", "20", "0000001234567", "12345678901", "5555"), ConvertError);
    EXPECT_THROW(code("2", "20", "0000001234567", "12A45678901"), ConvertError);
    EXPECT_THROW(code("2", "20", "500"), ConvertError);  // fewer than six amount digits
}

TEST_F(BankCheckCode, Bank5DividesBySumOfDateParts)
{
    // A = 12345678901, B = 55555512345, N = 140804, D = 14 + 8 + 4 = 26:
    // (1234567 + A + B + 140804) / 26 = 2611637177.57... -> "2611637177" -> 7177.
    EXPECT_EQ(code("5"), S("7177"));
    // Short accounts are filled with zeros on the right: 12300000000 and
    // 45600000000; (1 + 12300000000 + 45600000000 + 140804) / 26 = 2226928492.5 -> 8492.
    EXPECT_EQ(code("5", "20", "1", "123", "4-5-6"), S("8492"));
    // Fewer than four digits are padded: (0 + 0 + 0 + 140804) / 26 = 5415.5 -> 5415;
    // on 1 January 2001, (0 + 10101) / 3 = 3367; with amount 0 and N 010101 -> "3367".
    qvx::Clock::setFixed(QDateTime(QDate(2001, 1, 1), QTime(10, 0)));
    EXPECT_EQ(code("5", "20", "0", "0", "0"), S("3367"));
    qvx::Clock::setFixed(QDateTime(QDate(2000, 1, 1), QTime(10, 0)));
    // D = 0 + 1 + 1 = 2, N = 101: (100 + 101) / 2 = 100.5 -> "100" -> "0100".
    EXPECT_EQ(code("5", "20", "100", "0", "0"), S("0100"));
    EXPECT_THROW(code("5", "20", "12x"), ConvertError);
}

TEST_F(BankCheckCode, Bank5IsExactForAmountsOfAnyLength)
{
    // (10^16 + A + B + N) / 26 = 384617996205078.84... -> ...5078, not the
    // exponent form a floating-point quotient would give.
    EXPECT_EQ(code("5", "20", "10000000000000000"), S("5078"));
    // 31 digits: 38461538461538461541073128155.8... -> 8155.
    EXPECT_EQ(code("5", "20", "1000000000000000000000000000000"), S("8155"));
}

TEST_F(BankCheckCode, Bank23RefusesANegativeOrOverflowingSum)
{
    // U + W + C below zero: its '-' is no digit to weigh.
    EXPECT_THROW(MakeBankCheckCode(S("23"), S("111"), S("04"), S("5555551234"), S("-9999999999999"), S("1001"),
                                   S("20"), S("093000"), nullptr),
                 ConvertError);
    // Beyond 64 bits.
    EXPECT_THROW(MakeBankCheckCode(S("23"), S("111"), S("04"), S("5555551234"), S("9223372036854775807"), S("1001"),
                                   S("20"), S("093000"), nullptr),
                 ConvertError);
}

TEST_F(BankCheckCode, Bank20DigitSumAndRemainder)
{
    // Kind 20 takes the paying bank code. Digit sum of "140804" "12345678901" "0000001234567" "20" "55555512345" = 138;
    // 1234567 mod 138 = 19 -> "138019".
    EXPECT_EQ(MakeBankCheckCode(S("20"), S("12345678901"), S("05"), S("55555512345"), S("0000001234567"), QString(),
                                S("20"), S("999999")),
              S("138019"));
    // Kind 30 takes the counterpart bank code "05": sum 141, 1234567 mod 141 = 112.
    EXPECT_EQ(MakeBankCheckCode(S("20"), S("12345678901"), S("05"), S("55555512345"), S("0000001234567"), QString(),
                                S("30"), S("999999")),
              S("141112"));
    EXPECT_EQ(code("20", "10"), QString());
}

TEST_F(BankCheckCode, Bank20PadsSmallSums)
{
    // "001010" (2) + "000" + 13 zeros + "20" (2) + "000": K = 004, 0 mod 4 = 0.
    qvx::Clock::setFixed(QDateTime(QDate(2000, 10, 10), QTime(10, 0)));
    EXPECT_EQ(MakeBankCheckCode(S("20"), S("000"), S("00"), S("000"), S("0000000000000"), QString(), S("20"),
                                S("999999")),
              S("004000"));
    EXPECT_THROW(code("20", "20", "12.5"), ConvertError);
}

TEST_F(BankCheckCode, OtherBanksHaveNoRule)
{
    EXPECT_EQ(code("7"), QString());
    EXPECT_EQ(code("4"), QString());
    EXPECT_THROW(code(""), ConvertError);
    EXPECT_THROW(code("x1"), ConvertError);
}

TEST_F(BankCheckCode, Bank23LooksTheCardCodeUp)
{
    qvx::test::TestServer server;
    server.exec(S("delete from SecuCard where BankId = '23'"));
    server.exec(S("insert into SecuCard(BankId, No, Code) values('23', 9, 'K9X')"));
    // U = 5555551234, W = 1234567, C = 93000: T = 0005556878801,
    // H = 5*49 + 5*47 + 5*43 + 6*41 + 8*37 + 7*31 + 8*29 + 8*23 + 0*19 + 1*17 = 1887;
    // n = ((((1887 + 1001) mod 13) * 4) mod 30) + 1 = ((2 * 4) mod 30) + 1 = 9.
    EXPECT_EQ(MakeBankCheckCode(S("23"), S("111"), S("04"), S("555-555-12345"), S("0000001234567"), S("1001"), S("20"),
                                S("093000"), &server.client()),
              S("K9X"));
    // Another number lands on a card row that does not exist: empty.
    EXPECT_EQ(MakeBankCheckCode(S("23"), S("111"), S("04"), S("555-555-12345"), S("0000001234567"), S("1002"), S("20"),
                                S("093000"), &server.client()),
              QString());
    EXPECT_THROW(MakeBankCheckCode(S("23"), S("111"), S("04"), S("5555551234"), S("1"), QString(), S("20"),
                                   S("093000"), &server.client()),
                 ConvertError);
}

TEST_F(BankCheckCode, OneCoderForManyRowsGivesEachRowItsOwnCodeOrFailure)
{
    // Rows of every sort in turn through one coder, against each row's code made alone.
    const char *pays[] = {"12345678901", "1005123456789", "12345", "12A45678901", "000"};
    const char *counters[] = {"55555512345", "123401234567", "5555", "000000", "555-555-12345"};
    const char *amounts[] = {"0000001234567", "0000000010000", "500", "0000000000000", "12.5", "-0000000000042",
                             "10000000000000000"};
    for (const char *bank : {"02", "3", "05", "20", " 20", "020", "7", "x1", ""})
        for (const char *kind : {"20", "30", "10"})
            for (const QDate day : {QDate(2014, 8, 4), QDate(2000, 10, 10)}) {
                BankCheckCoder coder(S(bank), S(kind), day);
                BankCheckCoder::Room room;
                for (const char *pay : pays)
                    for (const char *counter : counters)
                        for (const char *amount : amounts)
                            for (const char *counterBank : {"04", "020"}) {
                                const auto make = [&] {
                                    return coder.make(S(pay), S(counterBank), S(counter), S(amount), QStringView(),
                                                      u"999999", room);
                                };
                                const std::string row = std::string(bank) + '/' + kind + '/' + pay + '/' + counter +
                                                        '/' + amount + '/' + counterBank;
                                QString alone;
                                try {
                                    alone = MakeBankCheckCode(S(bank), S(pay), S(counterBank), S(counter), S(amount),
                                                              QString(), S(kind), S("999999"), day);
                                } catch (const ConvertError &) {
                                    EXPECT_THROW(make(), ConvertError) << row;
                                    continue;
                                }
                                const QStringView code = make();
                                EXPECT_EQ(code.toString(), alone) << row;
                                // The usual banks' codes stand in the caller's room.
                                if (code.size() == 6 && bank != std::string("05")) {
                                    EXPECT_EQ(code.data(), QStringView(room.data(), 6).data()) << row;
                                }
                            }
            }
    // Bank 20 on a day without digits and a kind whose bank code has none: a
    // digit sum of 0. Bank 23 with its message number needs the server.
    BankCheckCoder::Room room;
    EXPECT_THROW(BankCheckCoder(S("20"), S("30"), QDate()).make(u"000000", u"00", u"000000", u"0000000000000", {},
                                                                u"999999", room),
                 ConvertError);
    EXPECT_THROW(BankCheckCoder(S("23"), S("20"), QDate(2014, 8, 4)).make(u"111", u"04", u"5555551234", u"1", u"1001",
                                                                          u"093000", room),
                 qvx::AppServerError);
}

} // namespace
