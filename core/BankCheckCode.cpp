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

[[noreturn]] void failNoInteger(QStringView text)
{
    fail(QStringLiteral("'%1'은(는) 올바른 정수가 아닙니다.").arg(text));
}

qint64 readInt64(QStringView text, bool *ok)
{
    return text.trimmed().toLongLong(ok);
}

qint64 requireInt64(QStringView text)
{
    bool ok = false;
    const qint64 v = readInt64(text, &ok);
    if (!ok)
        failNoInteger(text);
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
        fail(QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다.").arg(text));
    __int128 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < u'0' || t[i] > u'9')
            fail(QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다.").arg(text));
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
using Six = BankCheckCoder::Room;

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

// FixLenZero(QString::number(v), 3, false) written into out[0..2]: the
// number's first three characters, or the number with zeros in front.
void writeThreeDigits(qint64 v, char16_t *out)
{
    char16_t reversed[20]; // the digits and sign of any qint64, last first
    int n = 0;
    quint64 m = v < 0 ? 0 - quint64(v) : quint64(v);
    do {
        reversed[n++] = char16_t(u'0' + int(m % 10));
        m /= 10;
    } while (m != 0);
    if (v < 0)
        reversed[n++] = u'-';
    const int pad = n < 3 ? 3 - n : 0;
    for (int i = 0; i < 3; ++i)
        out[i] = i < pad ? u'0' : reversed[n - 1 - (i - pad)];
}

qint64 digitSum(QStringView text)
{
    qint64 sum = 0;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            sum += c.unicode() - '0';
    return sum;
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

void bank2(QStringView payAcct, QStringView counterAcct, QStringView amount, const Six &yymmdd, Six &code)
{
    const Six x1 = digitAdd(payAcct.left(6), counterAcct.left(6));
    const Six x2 = digitAdd(viewOf(x1), lastChars(amount, 6));
    code = digitAdd(viewOf(swapHalves(x2)), viewOf(yymmdd));
    std::reverse(code.begin(), code.end());
}

void bank3(QStringView payAcct, QStringView counterAcct, QStringView amount, const Six &yymmdd, Six &code)
{
    const Six x1 = digitAdd(payAcct.left(6), counterAcct.left(6));
    // Six ASCII characters are already their own six-byte field.
    const QStringView last = lastChars(amount, 6);
    const bool sixAscii =
        last.size() == 6 && std::all_of(last.begin(), last.end(), [](QChar c) { return c.unicode() < 0x80; });
    const Six x2 = sixAscii ? digitAdd(viewOf(x1), last) : digitAdd(viewOf(x1), FixLenZero(last.toString(), 6, false));
    code = digitAdd(viewOf(swapHalves(x2)), viewOf(yymmdd));
}

// The quotient's whole part as text, computed exactly on integers (amounts of
// any length keep every digit; no exponent form).
QString bank5(const QString &payAcct, const QString &counterAcct, const QString &amount, const QDate &today,
              const Six &yymmdd)
{
    const __int128 a = requireWhole(FixLenZero(StripChar(payAcct, QLatin1Char('-')), 11, true));
    const __int128 b = requireWhole(FixLenZero(StripChar(counterAcct, QLatin1Char('-')), 11, true));
    const int d = (today.year() % 100) + today.month() + today.day();
    const __int128 n = requireWhole(viewOf(yymmdd).toString());
    const __int128 total = requireWhole(amount) + a + b + n;
    // Everything from the point on is dropped: the whole part, toward zero.
    const __int128 q = total / d;
    QString text = wholeText(q);
    if (q == 0 && total < 0)
        text = QStringLiteral("-0");
    return text.size() >= 4 ? text.right(4) : FixLenZero(text, 4, false);
}

// digitSum: of the date, paying account, amount, the bank of the kind and the
// counterpart account. Its first three digits (zeros in front) divide the
// amount; the code is those three and the remainder's three.
void bank20(qint64 digitSum, QStringView amount, Six &code)
{
    writeThreeDigits(digitSum, code.data());
    // A sum is never negative: three digits.
    const qint64 divisor = (code[0] - u'0') * 100 + (code[1] - u'0') * 10 + (code[2] - u'0');
    if (divisor == 0)
        fail(QStringLiteral("check code: digit sum of 0"));
    writeThreeDigits(requireInt64(amount) % divisor, code.data() + 3);
}

QString bank23(const QString &payBank, const QString &counterAcct, const QString &amount, QStringView seqNo,
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
    BankCheckCoder::Room room;
    return BankCheckCoder(payBankId, kind, today, server)
        .make(payAcctNo, counterBankId, counterAcctNo, amount, seqNo, code, room)
        .toString();
}

BankCheckCoder::BankCheckCoder(const QString &payBankId, const QString &kind, const QDate &today,
                               qvx::AppServer *server)
    : m_payBankId(payBankId), m_today(today), m_yymmdd(yymmddOf(today)), m_server(server)
{
    m_bank = readInt64(payBankId, &m_bankIsNumber);
    if (kind == QLatin1String("20"))
        m_kindBank = KindBank::Paying;
    else if (kind == QLatin1String("30"))
        m_kindBank = KindBank::Counterpart;
    m_fixedDigitSum = digitSum(viewOf(m_yymmdd)) + (m_kindBank == KindBank::Paying ? digitSum(payBankId) : 0);
}

QStringView BankCheckCoder::make(QStringView payAcctNo, QStringView counterBankId, QStringView counterAcctNo,
                                 QStringView amount, QStringView seqNo, QStringView code, Room &room)
{
    if (!m_bankIsNumber)
        failNoInteger(m_payBankId);
    switch (m_bank) {
    case 2:
        bank2(payAcctNo, counterAcctNo, amount, m_yymmdd, room);
        return viewOf(room);
    case 3:
        bank3(payAcctNo, counterAcctNo, amount, m_yymmdd, room);
        return viewOf(room);
    case 5:
        m_made = bank5(payAcctNo.toString(), counterAcctNo.toString(), amount.toString(), m_today, m_yymmdd);
        return m_made;
    case 20:
        if (m_kindBank == KindBank::None)
            return {};
        bank20(m_fixedDigitSum + digitSum(payAcctNo) + digitSum(amount) +
                   (m_kindBank == KindBank::Counterpart ? digitSum(counterBankId) : 0) + digitSum(counterAcctNo),
               amount, room);
        return viewOf(room);
    case 23:
        m_made = bank23(m_payBankId, counterAcctNo.toString(), amount.toString(), seqNo, code.toString(),
                        m_today.day(), m_server);
        return m_made;
    default:
        return {};
    }
}
