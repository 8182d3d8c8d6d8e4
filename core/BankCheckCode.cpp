#include "core/BankCheckCode.h"

#include "core/TextUtils.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

[[noreturn]] void fail(const QString &why)
{
    throw ConvertError(why);
}

qint64 readInt64(const QString &text, bool *ok)
{
    return text.trimmed().toLongLong(ok);
}

qint64 requireInt64(const QString &text)
{
    bool ok = false;
    const qint64 v = readInt64(text, &ok);
    if (!ok)
        fail(QStringLiteral("'%1' is not a valid integer").arg(text));
    return v;
}

qint64 int64OrZero(const QString &text)
{
    bool ok = false;
    const qint64 v = readInt64(text, &ok);
    return ok ? v : 0;
}

// A whole number of any length read exactly: [+|-] digits, blanks around it.
__int128 requireWhole(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        negative = t[i++] == u'-';
    if (i >= t.size() || t.size() - i > 36)
        fail(QStringLiteral("'%1' is not a valid number").arg(text));
    __int128 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            fail(QStringLiteral("'%1' is not a valid number").arg(text));
        v = v * 10 + (t[i].unicode() - u'0');
    }
    return negative ? -v : v;
}

QString wholeText(__int128 v)
{
    const bool negative = v < 0;
    unsigned __int128 m = negative ? (unsigned __int128)(-(v + 1)) + 1 : (unsigned __int128)v;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(m % 10)));
        m /= 10;
    } while (m != 0);
    return negative ? QLatin1Char('-') + digits : digits;
}

// Six digits of a check code being made, in place.
using Six = std::array<char16_t, 6>;

QStringView viewOf(const Six &six)
{
    return QStringView(six.data(), 6);
}

// Per position 1..6: (a[i] + b[i]) mod 10. Each position must hold a digit.
Six digitAdd(QStringView a, QStringView b)
{
    if (a.size() < 6 || b.size() < 6)
        fail(QStringLiteral("check code: '%1' / '%2' shorter than six characters").arg(a, b));
    Six result;
    for (int i = 0; i < 6; ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x < u'0' || x > u'9' || y < u'0' || y > u'9')
            fail(QStringLiteral("check code: '%1' / '%2' holds no digit at %3").arg(a, b).arg(i + 1));
        result[size_t(i)] = char16_t(u'0' + ((x - u'0') + (y - u'0')) % 10);
    }
    return result;
}

// "yyMMdd" of a date, made without a date format.
Six yymmddOf(const QDate &date)
{
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day); // one calendar walk, not three
    const int parts[3] = {year % 100, month, day};
    Six text;
    for (int i = 0; i < 3; ++i) {
        text[size_t(2 * i)] = char16_t(u'0' + parts[i] / 10);
        text[size_t(2 * i + 1)] = char16_t(u'0' + parts[i] % 10);
    }
    return text;
}

// FixLenZero(QString::number(v), 3, false), written directly for 0..999.
QString threeDigits(qint64 v)
{
    if (v < 0 || v > 999)
        return FixLenZero(QString::number(v), 3, false);
    QString text(3, Qt::Uninitialized);
    text[0] = QChar(u'0' + int(v / 100));
    text[1] = QChar(u'0' + int(v / 10 % 10));
    text[2] = QChar(u'0' + int(v % 10));
    return text;
}

Six swapHalves(const Six &six)
{
    Six swapped;
    std::rotate_copy(six.cbegin(), six.cbegin() + 3, six.cend(), swapped.begin());
    return swapped;
}

QStringView lastChars(QStringView text, int n)
{
    return text.size() > n ? text.right(n) : text;
}

QString bank2(QStringView payAcct, QStringView counterAcct, QStringView amount, const Six &yymmdd)
{
    const Six x1 = digitAdd(payAcct.left(6), counterAcct.left(6));
    const Six x2 = digitAdd(viewOf(x1), lastChars(amount, 6));
    Six x4 = digitAdd(viewOf(swapHalves(x2)), viewOf(yymmdd));
    std::reverse(x4.begin(), x4.end());
    return viewOf(x4).toString();
}

QString bank3(QStringView payAcct, QStringView counterAcct, const QString &amount, const Six &yymmdd)
{
    const Six x1 = digitAdd(payAcct.left(6), counterAcct.left(6));
    // Six ASCII characters are already their own six-byte field.
    const QStringView last = lastChars(amount, 6);
    const bool sixAscii =
        last.size() == 6 && std::all_of(last.begin(), last.end(), [](QChar c) { return c.unicode() < 0x80; });
    const Six x2 = sixAscii ? digitAdd(viewOf(x1), last) : digitAdd(viewOf(x1), FixLenZero(last.toString(), 6, false));
    return viewOf(digitAdd(viewOf(swapHalves(x2)), viewOf(yymmdd))).toString();
}

// The quotient's whole part as text, computed exactly on integers (amounts of
// any length keep every digit; no exponent form).
QString bank5(const QString &payAcct, const QString &counterAcct, const QString &amount, const QDate &today)
{
    const __int128 a = requireWhole(FixLenZero(StripChar(payAcct, QLatin1Char('-')), 11, true));
    const __int128 b = requireWhole(FixLenZero(StripChar(counterAcct, QLatin1Char('-')), 11, true));
    const int d = (today.year() % 100) + today.month() + today.day();
    const __int128 n = requireWhole(viewOf(yymmddOf(today)).toString());
    const __int128 total = requireWhole(amount) + a + b + n;
    // Everything from the point on is dropped: the whole part, toward zero.
    const __int128 q = total / d;
    QString text = wholeText(q);
    if (q == 0 && total < 0)
        text = QStringLiteral("-0");
    return text.size() >= 4 ? text.right(4) : FixLenZero(text, 4, false);
}

QString bank20(const QString &payBank, QStringView payAcct, const QString &counterBank, QStringView counterAcct,
               const QString &amount, const QString &kind, const Six &yymmdd)
{
    // The digits of date, paying account, amount, the bank of the kind and
    // the counterpart account, summed.
    const QString *bank = nullptr;
    if (kind == QLatin1String("20"))
        bank = &payBank;
    else if (kind == QLatin1String("30"))
        bank = &counterBank;
    else
        return QString();
    qint64 sum = 0;
    for (const QStringView part : {viewOf(yymmdd), payAcct, QStringView(amount), QStringView(*bank), counterAcct})
        for (QChar c : part)
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                sum += c.unicode() - '0';
    const QString k = threeDigits(sum);
    const qint64 divisor = requireInt64(k);
    if (divisor == 0)
        fail(QStringLiteral("check code: digit sum of 0"));
    const qint64 m = requireInt64(amount) % divisor;
    return k + threeDigits(m);
}

QString bank23(const QString &payBank, const QString &counterAcct, const QString &amount, const QString &seqNo,
               const QString &code, int day, qvx::AppServer *server)
{
    static const int Weights[13] = {61, 53, 51, 49, 47, 43, 41, 37, 31, 29, 23, 19, 17};
    const qint64 u = int64OrZero(StripChar(counterAcct, QLatin1Char('-')).left(10));
    const qint64 w = int64OrZero(amount);
    const qint64 c = int64OrZero(code);
    // The weights read the sum's digits: a negative sum (whose sign is no
    // digit) or one beyond 64 bits has no card number.
    qint64 sum = 0;
    if (__builtin_add_overflow(u, w, &sum) || __builtin_add_overflow(sum, c, &sum))
        fail(QStringLiteral("check code: the sum of account, amount and code is beyond 64 bits"));
    if (sum < 0)
        fail(QStringLiteral("check code: the sum of account, amount and code is negative"));
    const QString t = FixLenZero(QString::number(sum), 13, false);
    qint64 h = 0;
    for (int i = 0; i < 13; ++i)
        h += qint64(t[i].unicode() - '0') * Weights[i];
    const qint64 seq = requireInt64(seqNo);
    const qint64 n = ((((h + seq) % 13) * day) % 30) + 1;

    qvx::AppServer *link = server;
    if (!link)
        throw qvx::AppServerError(qvx::AppServerError::Kind::ConnectionClosed,
                                  QStringLiteral("no application-server connection"));
    const qvx::ResultSet rs = link->select(QStringLiteral("SELECT Code FROM SecuCard WHERE BankId = ")
                                           + qvx::sqlQuote(payBank) + QStringLiteral(" AND No = ")
                                           + QString::number(n));
    return rs.isEmpty() ? QString() : rs.value(0, QStringLiteral("Code"));
}

} // namespace

bool HasBankCheckRule(const QString &payBankId)
{
    // The usual code, two digits as they stand, without reading a number.
    if (payBankId.size() == 2 && payBankId[0].isDigit() && payBankId[1].isDigit() &&
        payBankId[0].unicode() < 0x80 && payBankId[1].unicode() < 0x80) {
        const int bank = (payBankId[0].unicode() - u'0') * 10 + (payBankId[1].unicode() - u'0');
        return bank == 2 || bank == 3 || bank == 5 || bank == 20 || bank == 23;
    }
    bool ok = false;
    const int bank = payBankId.trimmed().toInt(&ok);
    return ok && (bank == 2 || bank == 3 || bank == 5 || bank == 20 || bank == 23);
}

QString MakeBankCheckCode(const QString &payBankId, const QString &payAcctNo, const QString &counterBankId,
                          const QString &counterAcctNo, const QString &amount, const QString &seqNo,
                          const QString &kind, const QString &code, qvx::AppServer *server)
{
    return MakeBankCheckCode(payBankId, payAcctNo, counterBankId, counterAcctNo, amount, seqNo, kind, code,
                             qvx::Clock::date(), server);
}

QString MakeBankCheckCode(const QString &payBankId, const QString &payAcctNo, const QString &counterBankId,
                          const QString &counterAcctNo, const QString &amount, const QString &seqNo,
                          const QString &kind, const QString &code, const QDate &today, qvx::AppServer *server)
{
    const qint64 bank = requireInt64(payBankId);
    const Six yymmdd = yymmddOf(today);
    switch (bank) {
    case 2: return bank2(payAcctNo, counterAcctNo, amount, yymmdd);
    case 3: return bank3(payAcctNo, counterAcctNo, amount, yymmdd);
    case 5: return bank5(payAcctNo, counterAcctNo, amount, today);
    case 20: return bank20(payBankId, payAcctNo, counterBankId, counterAcctNo, amount, kind, yymmdd);
    case 23: return bank23(payBankId, counterAcctNo, amount, seqNo, code, today.day(), server);
    default: return QString();
    }
}
