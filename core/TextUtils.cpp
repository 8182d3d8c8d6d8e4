#include "core/TextUtils.h"

#include "core/Session.h"
#include "platform/AcctNo.h"
#include "platform/Cp949.h"
#include "platform/SqlText.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int TokenLimit = 1024;

[[noreturn]] void notANumber(const QString &text)
{
    throw ConvertError(QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다.").arg(text));
}

// A whole number with optional sign and blanks around it.
bool readInt64(const QString &text, qint64 *value)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

qint64 requireInt64(const QString &text)
{
    qint64 v = 0;
    if (!readInt64(text, &v))
        notANumber(text);
    return v;
}

// A decimal number read exactly: [+|-] digits [. digits] [(e|E) [+|-] digits]
// with blanks around it (C conventions, never the machine's locale). The
// exponent is applied to the digits, so nothing passes through binary
// floating point.
struct ExactDecimal
{
    bool negative = false;
    QString whole;     // digits before the point, no leading zeros ("" for 0)
    QString fraction;  // digits after the point

    bool isZero() const
    {
        return whole.isEmpty() && std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c == u'0'; });
    }
};

bool readDecimal(const QString &text, ExactDecimal *out)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    ExactDecimal d;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        d.negative = t[i++] == u'-';
    QString whole;
    QString fraction;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
        whole += t[i++];
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            fraction += t[i++];
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return false;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
            expNegative = t[i++] == u'-';
        QString expDigits;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            expDigits += t[i++];
        bool ok = false;
        const int exponent = expDigits.toInt(&ok);
        // Beyond the range of any amount (and of a double) the text is no number.
        if (!ok || exponent > 400)
            return false;
        if (expNegative) {
            if (whole.size() < exponent)
                whole = QString(exponent - whole.size(), u'0') + whole;
            fraction = whole.right(exponent) + fraction;
            whole.chop(exponent);
        } else {
            if (fraction.size() < exponent)
                fraction += QString(exponent - fraction.size(), u'0');
            whole += fraction.left(exponent);
            fraction.remove(0, exponent);
        }
    }
    if (i != t.size())
        return false;
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    d.whole = whole;
    d.fraction = fraction;
    if (out)
        *out = d;
    return true;
}

ExactDecimal requireDecimal(const QString &text)
{
    ExactDecimal d;
    if (!readDecimal(text, &d))
        notANumber(text);
    return d;
}

// Bytes of one character starting at i.
int charWidth(const QByteArray &bytes, int i)
{
    return qvx::Cp949::isLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
}

// Longest start of bytes of at most maxBytes that ends on a character boundary.
int safeCut(const QByteArray &bytes, int maxBytes)
{
    int i = 0;
    while (i < bytes.size()) {
        const int w = charWidth(bytes, i);
        if (i + w > maxBytes)
            break;
        i += w;
    }
    return i;
}

QString fixLen(const QString &text, int width, bool leftJustify, char pad)
{
    if (width <= 0)
        return QString();
    // ASCII text is its own CP949 bytes: cut or padded without converting.
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        if (text.size() >= width)
            return text.size() == width ? text : text.left(width);
        QString out(width, QLatin1Char(pad));
        std::copy(text.cbegin(), text.cend(), out.begin() + (leftJustify ? 0 : width - text.size()));
        return out;
    }
    const QByteArray bytes = qvx::Cp949::encode(text);
    if (bytes.size() > width) {
        // The byte a double-byte character leaves free takes the field's own pad.
        QByteArray cut = bytes.left(safeCut(bytes, width));
        cut.append(QByteArray(width - cut.size(), pad));
        return qvx::Cp949::decode(cut);
    }
    const QString padding(width - bytes.size(), QLatin1Char(pad));
    return leftJustify ? text + padding : padding + text;
}

} // namespace

int Cp949Length(const QString &text)
{
    return int(qvx::Cp949::encode(text).size());
}

QString LeftBytes(const QString &text, int maxBytes)
{
    if (maxBytes <= 0)
        return QString();
    bool encodable = true;
    const QByteArray bytes = qvx::Cp949::encode(text, &encodable);
    if (bytes.size() <= maxBytes)
        return text;
    if (encodable)
        return qvx::Cp949::decode(bytes.left(safeCut(bytes, maxBytes)));
    // A character CP949 lacks would come back from the bytes as '?': the cut
    // is counted character by character and keeps the text's own characters.
    qsizetype end = 0;
    int used = 0;
    while (end < text.size()) {
        const qsizetype next = end + (text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1);
        used += int(qvx::Cp949::encode(text.mid(end, next - end)).size());
        if (used > maxBytes)
            break;
        end = next;
    }
    return text.left(end);
}

int GetDbcsSafeLen(const QByteArray &bytes, int n)
{
    if (bytes.size() < n)
        return -1;
    if (n <= 0)
        return 0;
    return safeCut(bytes, n);
}

int GetDbcsSafeLen(const QString &text, int n)
{
    return GetDbcsSafeLen(qvx::Cp949::encode(text), n);
}

QString FixLenSpace(const QString &text, int width, bool leftJustify)
{
    return fixLen(text, width, leftJustify, ' ');
}

QString FixLenZero(const QString &text, int width, bool leftJustify)
{
    return fixLen(text, width, leftJustify, '0');
}

QString PadSpace(const QString &text, int width, bool leftJustify)
{
    return fixLen(text, std::max(width, Cp949Length(text)), leftJustify, ' ');
}

QString DelChar(const QString &text, QChar c)
{
    // Most texts hold none: then the text itself, shared, not a copy.
    if (!text.contains(c))
        return text;
    QString result = text;
    result.remove(c);
    return result;
}

QString StripChar(const QString &text, QChar c)
{
    return DelChar(text, c);
}

QString DelComma(const QString &text)
{
    return DelChar(text, QLatin1Char(','));
}

QString CutToken(QString &text, QChar delimiter)
{
    const qsizetype at = text.indexOf(delimiter);
    if (at < 0) {
        const QString whole = LeftBytes(text, TokenLimit);
        text.clear();
        return whole;
    }
    const QString token = text.left(at);
    text = LeftBytes(text.mid(at + 1), TokenLimit);
    return token;
}

QChar RejectAsciiKey(QChar key)
{
    const ushort code = key.unicode();
    if (code <= 32 || code >= 127)
        return key;
    return QChar(0);
}

namespace {

// "1,234,567" of the digits of a magnitude, '-' in front when negative.
QString groupDigits(const QString &digits, bool negative)
{
    const int r = int(digits.size() % 3);
    QString result;
    result.reserve(digits.size() + digits.size() / 3 + 1);
    if (negative)
        result += QLatin1Char('-');
    result += QStringView(digits).left(r);
    for (int i = r; i < digits.size(); i += 3) {
        if (i > 0)
            result += QLatin1Char(',');
        result += QStringView(digits).mid(i, 3);
    }
    return result;
}

QString magnitude(qint64 whole)
{
    // The magnitude of the smallest 64-bit value has no positive twin.
    return whole == std::numeric_limits<qint64>::min() ? QStringLiteral("9223372036854775808")
                                                       : QString::number(whole < 0 ? -whole : whole);
}

} // namespace

QString FormatMoney(const QString &amount)
{
    if (amount.isEmpty())
        return QString();
    const ExactDecimal value = requireDecimal(amount);
    qint64 whole = 0;
    if (!readInt64(amount, &whole))
        whole = 0;  // a number that is not whole shows as 0
    return groupDigits(magnitude(whole), value.negative && !value.isZero());
}

namespace {

// The currency value of a plain number (no separators): whole won, a
// fractional part rounded half away from zero on the exact decimal.
Currency requireCurrency(const QString &plain, const QString &shown)
{
    qint64 whole = 0;
    if (readInt64(plain, &whole))
        return whole;
    ExactDecimal d;
    if (!readDecimal(plain, &d))
        notANumber(shown);
    // At most 19 digits, so the magnitude fits 64 unsigned bits.
    if (d.whole.size() > 19)
        notANumber(shown);
    quint64 magnitude = d.whole.isEmpty() ? 0 : d.whole.toULongLong();
    if (!d.fraction.isEmpty() && d.fraction[0] >= u'5') {
        if (magnitude == std::numeric_limits<quint64>::max())
            notANumber(shown);
        ++magnitude;
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (d.negative ? 1 : 0);
    if (magnitude > limit)
        notANumber(shown);
    return d.negative ? qint64(0 - magnitude) : qint64(magnitude);
}

} // namespace

Currency MoneyStrToCurr(const QString &amount)
{
    return requireCurrency(DelComma(amount), amount);
}

void AppendMoneyStr(QString &out, Currency value)
{
    // Written backwards into one buffer: lists of many rows call this once a row.
    char16_t text[32];
    int n = 0;
    quint64 rest = value < 0 ? 0 - quint64(value) : quint64(value);
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0)
            text[n++] = u',';
        text[n++] = char16_t(u'0' + rest % 10);
        rest /= 10;
        ++digits;
    } while (rest != 0);
    if (value < 0)
        text[n++] = u'-';
    std::reverse(text, text + n);
    out.append(QStringView(text, n));
}

QString CurrToMoneyStr(Currency value)
{
    QString out;
    out.reserve(27);
    AppendMoneyStr(out, value);
    return out;
}

Currency SafeStrToCurr(const QString &text, Currency defaultValue)
{
    try {
        return requireCurrency(text, text);  // separators are no part of a number here
    } catch (const ConvertError &) {
        return defaultValue;
    }
}

QString GetBankName(const Session &session, const QString &bankCode)
{
    qint64 code = 0;
    if (!readInt64(bankCode, &code))
        code = 0;
    if (code >= 1 && code <= 99)
        return session.BankNames[size_t(code)];
    return bankCode;
}

QString HyphenRealNameNo(const QString &number)
{
    const QByteArray bytes = qvx::Cp949::encode(number);
    if (bytes.size() != number.size())
        return number;  // not plain ASCII: no number of this kind
    if (bytes.size() == 10)
        return number.left(3) + QLatin1Char('-') + number.mid(3, 2) + QLatin1Char('-') + number.mid(5);
    if (bytes.size() == 13)
        return number.left(6) + QLatin1Char('-') + number.mid(6);
    return number;
}

bool IsResidentNoBanned(const QString &bankCode, const QString &realNameNo, const QString &yyyymmdd)
{
    const qint64 date = requireInt64(yyyymmdd);
    const qint64 bank = requireInt64(bankCode);

    auto in = [bank](std::initializer_list<int> codes) {
        for (int c : codes)
            if (bank == c)
                return true;
        return false;
    };
    bool applies = false;
    if (date >= 20140804
        && in({3, 4, 6, 7, 9, 19, 20, 22, 24, 25, 27, 29, 31, 33, 34, 35, 36, 37, 39, 45, 46, 47, 48, 49, 53,
               71, 72, 73, 74, 75, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87}))
        applies = true;
    if (date >= 20140805 && in({2, 5}))
        applies = true;
    if (date >= 20140806 && in({21, 26, 28, 88}))
        applies = true;
    if (date >= 20140807 && ((bank >= 10 && bank <= 18) || in({23, 32})))
        applies = true;
    if (!applies)
        return false;
    return Cp949Length(realNameNo.trimmed()) > 12;
}

QString GetSendFlagName(int code)
{
    switch (code) {
    case 0: return QStringLiteral("작성");
    case 1: return QStringLiteral("송신대기");
    case 2: return QStringLiteral("송신완료");
    case 3: return QStringLiteral("송신오류");
    case 4: return QStringLiteral("수신");
    default: return QString();
    }
}

QString FormatAcctNo(const QString &bankCode, const QString &acctNo)
{
    return qvx::AcctNo::hyphenate(bankCode, StripChar(acctNo, QLatin1Char('-')));
}

bool CheckAcctNo(const QString &bankCode, const QString &acctNo)
{
    return qvx::AcctNo::isValid(bankCode, acctNo);
}

std::optional<QString> StoredAccountNo(const QString &typed)
{
    const QString text = typed.trimmed();
    const QString digits = DelChar(text, u'-');
    if (text.isEmpty())
        return QString();
    if (digits.isEmpty() || !qvx::isAsciiDigits(digits))
        return std::nullopt;
    return digits;
}
