#pragma once
// The number held by the numeric edits: a decimal floating-point value that
// keeps 18 significant digits, so whole-won amounts and the fraction digits a
// field shows are exact and round the way people expect (half away from zero),
// not as binary fractions do.

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>

namespace qvx {

class Decimal
{
public:
    static constexpr int Digits = 18;        // significant digits kept
    static constexpr int MaxExponent = 4932; // larger magnitudes do not convert

    Decimal() = default;
    Decimal(int v) : Decimal(static_cast<long long>(v)) {}
    Decimal(long long v);
    Decimal(long v) : Decimal(static_cast<long long>(v)) {}
    Decimal(unsigned v) : Decimal(static_cast<long long>(v)) {}
    Decimal(unsigned long v) : Decimal(static_cast<unsigned long long>(v)) {}
    Decimal(unsigned long long v);
    // Shortest decimal form of v; infinities and NaN become 0.
    Decimal(double v);

    // Strict number syntax: [+|-] digits [sep digits] [(E|e) [+|-] digits],
    // at least one mantissa digit, no blanks. Extra digits are rounded half
    // away from zero. Empty when the text is not a number or out of range.
    static std::optional<Decimal> parse(QStringView text, QChar decimalSeparator = QLatin1Char('.'));

    bool isZero() const { return m_coef == 0; }
    bool isNegative() const { return m_neg; }
    Decimal operator-() const;
    Decimal abs() const;

    // Rounded to `places` fraction digits (negative: to tens, hundreds...),
    // half away from zero.
    Decimal roundedToPlaces(int places) const;
    // Rounded to `digits` significant digits, half away from zero.
    Decimal roundedToDigits(int digits) const;
    // The value times 10^power.
    Decimal scaled(int power) const;

    // value = +-coefficient * 10^exponent; coefficient has no trailing zeros.
    uint64_t coefficient() const { return m_coef; }
    int exponent() const { return m_exp; }
    // Decimal digits of the coefficient ("0" for zero).
    QString digitText() const;
    // Power of ten of the first significant digit (0 for 1..9, -1 for 0.1..;
    // 0 for zero).
    int adjustedExponent() const;

    double toDouble() const;
    // Rounded half away from zero to a whole number, saturating at the limits
    // of a 64-bit integer.
    long long toInt64() const;
    // Plain text without exponent and separators, e.g. "-1234.5".
    QString toPlainString() const;

    friend bool operator==(const Decimal &a, const Decimal &b) = default;
    friend std::strong_ordering operator<=>(const Decimal &a, const Decimal &b);

private:
    Decimal(bool neg, uint64_t coef, long long exp);
    void normalize(long long exp);

    bool m_neg = false;
    uint64_t m_coef = 0;
    int m_exp = 0;
};

} // namespace qvx
