#include "controls/edits/Decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace qvx {

namespace {

constexpr uint64_t Pow10[] = {1ULL,
                              10ULL,
                              100ULL,
                              1000ULL,
                              10000ULL,
                              100000ULL,
                              1000000ULL,
                              10000000ULL,
                              100000000ULL,
                              1000000000ULL,
                              10000000000ULL,
                              100000000000ULL,
                              1000000000000ULL,
                              10000000000000ULL,
                              100000000000000ULL,
                              1000000000000000ULL,
                              10000000000000000ULL,
                              100000000000000000ULL,
                              1000000000000000000ULL,
                              10000000000000000000ULL};

int digitCount(uint64_t v)
{
    int n = 1;
    while (n < 20 && v >= Pow10[n])
        ++n;
    return n;
}

} // namespace

Decimal::Decimal(bool neg, uint64_t coef, long long exp) : m_neg(neg), m_coef(coef)
{
    normalize(exp);
}

void Decimal::normalize(long long exp)
{
    if (m_coef == 0) {
        m_neg = false;
        m_exp = 0;
        return;
    }
    // Keep at most 18 digits (only values built from 64-bit integers can have 19 or 20).
    int n = digitCount(m_coef);
    if (n > Digits) {
        const int drop = n - Digits;
        const uint64_t q = m_coef / Pow10[drop];
        const uint64_t r = m_coef % Pow10[drop];
        m_coef = q + (r >= 5 * Pow10[drop - 1] ? 1 : 0);
        exp += drop;
        if (m_coef == Pow10[Digits]) {
            m_coef /= 10;
            ++exp;
        }
    }
    while (m_coef % 10 == 0) {
        m_coef /= 10;
        ++exp;
    }
    const long long adjusted = exp + digitCount(m_coef) - 1;
    if (adjusted < -(MaxExponent + Digits + 1)) { // below any representable magnitude
        m_coef = 0;
        m_neg = false;
        m_exp = 0;
        return;
    }
    m_exp = static_cast<int>(exp);
}

Decimal::Decimal(long long v)
{
    m_neg = v < 0;
    m_coef = m_neg ? 0ULL - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    normalize(0);
}

Decimal::Decimal(unsigned long long v)
{
    m_coef = v;
    normalize(0);
}

Decimal::Decimal(double v)
{
    if (!std::isfinite(v) || v == 0.0)
        return;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    *res.ptr = 0;
    *this = parse(QString::fromLatin1(buf, res.ptr - buf)).value_or(Decimal());
}

std::optional<Decimal> Decimal::parse(QStringView text, QChar decimalSeparator)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool neg = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        neg = text[i] == QLatin1Char('-');
        ++i;
    }
    uint64_t coef = 0;
    int kept = 0;         // significant digits kept in coef
    long long exp = 0;    // power of ten of coef's last digit
    int mantissaDigits = 0;
    int roundDigit = -1;  // first digit not kept
    bool seenPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == decimalSeparator && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        const int d = c.unicode() - '0';
        ++mantissaDigits;
        if (kept == 0 && d == 0) {
            if (seenPoint)
                --exp;
            continue;
        }
        if (kept < Digits) {
            coef = coef * 10 + d;
            ++kept;
            if (seenPoint)
                --exp;
        } else {
            if (roundDigit < 0)
                roundDigit = d;
            if (!seenPoint)
                ++exp;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        ++i;
        bool eneg = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            eneg = text[i] == QLatin1Char('-');
            ++i;
        }
        long long e = 0;
        int expDigits = 0;
        for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
            if (e < 1000000)
                e = e * 10 + (text[i].unicode() - '0');
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
        exp += eneg ? -e : e;
    }
    if (i != n)
        return std::nullopt;
    if (roundDigit >= 5)
        ++coef; // may reach 10^18; normalize folds it back
    if (coef == 0)
        return Decimal();
    if (exp + digitCount(coef) - 1 > MaxExponent)
        return std::nullopt;
    return Decimal(neg, coef, exp);
}

Decimal Decimal::operator-() const
{
    Decimal r = *this;
    if (r.m_coef != 0)
        r.m_neg = !r.m_neg;
    return r;
}

Decimal Decimal::abs() const
{
    Decimal r = *this;
    r.m_neg = false;
    return r;
}

Decimal Decimal::roundedToPlaces(int places) const
{
    if (m_coef == 0 || m_exp >= -places)
        return *this;
    const long long drop = -static_cast<long long>(places) - m_exp; // digits to remove, > 0
    const int n = digitCount(m_coef);
    if (drop > n)
        return Decimal();
    if (drop == n) {
        // Only the leading digit decides: 0.5 at that place rounds up to one unit.
        const uint64_t lead = m_coef / Pow10[n - 1];
        return lead >= 5 ? Decimal(m_neg, 1, -static_cast<long long>(places)) : Decimal();
    }
    const uint64_t q = m_coef / Pow10[drop];
    const uint64_t r = m_coef % Pow10[drop];
    return Decimal(m_neg, q + (r >= 5 * Pow10[drop - 1] ? 1 : 0), -static_cast<long long>(places));
}

Decimal Decimal::roundedToDigits(int digits) const
{
    if (m_coef == 0)
        return *this;
    if (digits < 1)
        digits = 1;
    const int n = digitCount(m_coef);
    if (n <= digits)
        return *this;
    // places = number of fraction digits that leave `digits` significant digits
    return roundedToPlaces(digits - 1 - adjustedExponent());
}

Decimal Decimal::scaled(int power) const
{
    if (m_coef == 0)
        return *this;
    return Decimal(m_neg, m_coef, static_cast<long long>(m_exp) + power);
}

QString Decimal::digitText() const
{
    return QString::number(m_coef);
}

int Decimal::adjustedExponent() const
{
    return m_coef == 0 ? 0 : m_exp + digitCount(m_coef) - 1;
}

double Decimal::toDouble() const
{
    if (m_coef == 0)
        return 0.0;
    const std::string s = std::to_string(m_coef) + "e" + std::to_string(m_exp);
    double v = 0.0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range)
        v = m_exp > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return m_neg ? -v : v;
}

long long Decimal::toInt64() const
{
    const Decimal r = roundedToPlaces(0);
    if (r.m_coef == 0)
        return 0;
    if (r.adjustedExponent() >= 19)
        return r.m_neg ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
    // r.m_exp >= 0 here and the digit count is at most 19
    const unsigned __int128 mag = static_cast<unsigned __int128>(r.m_coef) * Pow10[r.m_exp];
    if (r.m_neg) {
        if (mag > static_cast<unsigned __int128>(std::numeric_limits<long long>::max()) + 1)
            return std::numeric_limits<long long>::min();
        return static_cast<long long>(0 - static_cast<uint64_t>(mag));
    }
    if (mag > static_cast<unsigned __int128>(std::numeric_limits<long long>::max()))
        return std::numeric_limits<long long>::max();
    return static_cast<long long>(mag);
}

QString Decimal::toPlainString() const
{
    if (m_coef == 0)
        return QStringLiteral("0");
    QString digits = digitText();
    QString s;
    if (m_exp >= 0) {
        s = digits + QString(m_exp, QLatin1Char('0'));
    } else {
        const int frac = -m_exp;
        if (frac >= digits.size())
            s = QStringLiteral("0.") + QString(frac - digits.size(), QLatin1Char('0')) + digits;
        else
            s = digits.left(digits.size() - frac) + QLatin1Char('.') + digits.right(frac);
    }
    return m_neg ? QLatin1Char('-') + s : s;
}

std::strong_ordering operator<=>(const Decimal &a, const Decimal &b)
{
    if (a.m_neg != b.m_neg)
        return a.m_neg ? std::strong_ordering::less : std::strong_ordering::greater;
    std::strong_ordering mag = std::strong_ordering::equal;
    if (a.m_coef == 0 || b.m_coef == 0) {
        mag = (a.m_coef != 0) <=> (b.m_coef != 0);
    } else if (a.adjustedExponent() != b.adjustedExponent()) {
        mag = a.adjustedExponent() <=> b.adjustedExponent();
    } else {
        const uint64_t x = a.m_coef * Pow10[Decimal::Digits - digitCount(a.m_coef)];
        const uint64_t y = b.m_coef * Pow10[Decimal::Digits - digitCount(b.m_coef)];
        mag = x <=> y;
    }
    if (a.m_neg)
        return 0 <=> mag; // reversed for negatives
    return mag;
}

} // namespace qvx
