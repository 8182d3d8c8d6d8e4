#include "controls/edits/NumFormat.h"

#include "controls/edits/StrUtils.h"

#include <QList>
#include <QStringView>

namespace qvx {

ConvertError::ConvertError(const QString &text, Kind kind)
    : std::runtime_error((kind == Whole ? QStringLiteral("'%1'은(는) 올바른 정수가 아닙니다.")
                                        : QStringLiteral("'%1'은(는) 올바른 숫자가 아닙니다."))
                             .arg(text)
                             .toStdString())
{
}

QString WithWonSign(const QString &formatted)
{
    QString out = formatted;
    out.replace(QLatin1Char('\\'), NumLocale::WonSign);
    return out;
}

RangeError::RangeError(const QString &message) : std::runtime_error(message.toStdString()) {}

namespace {

constexpr QChar D = NumLocale::DecimalSeparator;
constexpr QChar T = NumLocale::ThousandSeparator;

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

// Follows quoted text through a format, one character at a time.
class QuoteTracker
{
public:
    // True for a quote and for what stands between a pair of them.
    bool Takes(QChar c)
    {
        if (!m_quote.isNull()) {
            if (c == m_quote)
                m_quote = QChar();
            return true;
        }
        if (isQuote(c)) {
            m_quote = c;
            return true;
        }
        return false;
    }

private:
    QChar m_quote;
};

// Sections split at ';' outside quotes (at most three).
QList<QStringView> splitSections(QStringView format)
{
    QList<QStringView> sections;
    qsizetype start = 0;
    QuoteTracker quotes;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (quotes.Takes(c))
            continue;
        if (c == QLatin1Char(';')) {
            sections.append(format.mid(start, i - start));
            start = i + 1;
            if (sections.size() == 3)
                return sections;
        }
    }
    sections.append(format.mid(start));
    return sections;
}

bool isExponentAt(QStringView s, qsizetype i)
{
    return (s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e')) && i + 1 < s.size()
           && (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'));
}

struct SectionInfo
{
    int intPlaceholders = 0;
    int minInt = 0;           // placeholders from the first integer '0' on
    int fracPlaceholders = 0;
    int minFrac = 0;          // up to the last fraction '0'
    bool thousands = false;
    bool scientific = false;
    bool expAlwaysSign = false;
    int expDigits = 0;
};

SectionInfo scanSection(QStringView s)
{
    SectionInfo info;
    bool inFrac = false;
    int firstZero = -1;
    QuoteTracker quotes;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (quotes.Takes(c))
            continue;
        if (!info.scientific && isExponentAt(s, i)) {
            info.scientific = true;
            info.expAlwaysSign = s[i + 1] == QLatin1Char('+');
            i += 2;
            while (i < s.size() && s[i] == QLatin1Char('0')) {
                ++info.expDigits;
                ++i;
            }
            --i;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (info.scientific)
                continue; // placeholders after the exponent digits count for nothing
            if (inFrac) {
                ++info.fracPlaceholders;
                if (c == QLatin1Char('0'))
                    info.minFrac = info.fracPlaceholders;
            } else {
                if (c == QLatin1Char('0') && firstZero < 0)
                    firstZero = info.intPlaceholders;
                ++info.intPlaceholders;
            }
        } else if (c == QLatin1Char('.')) {
            inFrac = true;
        } else if (c == QLatin1Char(',')) {
            info.thousands = true;
        }
    }
    info.minInt = firstZero < 0 ? 0 : info.intPlaceholders - firstZero;
    if (info.expDigits > 4)
        info.expDigits = 4;
    return info;
}

// Integer and fraction digits of a non-negative value.
void splitDigits(const Decimal &v, QString &intDigits, QString &fracDigits)
{
    intDigits.clear();
    fracDigits.clear();
    if (v.isZero())
        return;
    const QString digits = v.digitText();
    const int exp = v.exponent();
    if (exp >= 0) {
        intDigits = digits + QString(exp, QLatin1Char('0'));
    } else {
        const int frac = -exp;
        if (frac >= digits.size()) {
            fracDigits = QString(frac - digits.size(), QLatin1Char('0')) + digits;
        } else {
            intDigits = digits.left(digits.size() - frac);
            fracDigits = digits.right(frac);
        }
    }
}

QString applySection(QStringView s, const SectionInfo &info, const Decimal &magnitude, bool minus)
{
    Decimal v = magnitude;
    int exp10 = 0;
    const int intSlots = qMax(1, info.intPlaceholders);
    if (info.scientific) {
        v = v.roundedToDigits(qMin(Decimal::Digits, intSlots + info.fracPlaceholders));
        if (!v.isZero()) {
            exp10 = v.adjustedExponent() - (intSlots - 1);
            v = v.scaled(-exp10);
        }
    }
    QString intDigits, fracDigits;
    splitDigits(v, intDigits, fracDigits);
    if (intDigits.size() < info.minInt)
        intDigits = QString(info.minInt - intDigits.size(), QLatin1Char('0')) + intDigits;
    while (fracDigits.size() > info.minFrac && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    if (fracDigits.size() < info.minFrac)
        fracDigits += QString(info.minFrac - fracDigits.size(), QLatin1Char('0'));

    QString out;
    if (minus)
        out += QLatin1Char('-');
    auto putInt = [&](qsizetype j) {
        out += intDigits[j];
        const qsizetype remaining = intDigits.size() - 1 - j;
        if (info.thousands && remaining > 0 && remaining % 3 == 0)
            out += T;
    };
    bool intFlushed = false;
    auto flushAllInt = [&]() { // a section without integer placeholders still shows the integer part
        if (!intFlushed && info.intPlaceholders == 0) {
            for (qsizetype j = 0; j < intDigits.size(); ++j)
                putInt(j);
        }
        intFlushed = true;
    };
    int intSeen = 0;
    int fracSeen = 0;
    bool inFrac = false;
    bool expDone = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (isQuote(c)) {
            qsizetype j = i + 1;
            while (j < s.size() && s[j] != c)
                out += s[j++];
            i = j;
            continue;
        }
        if (info.scientific && !expDone && isExponentAt(s, i)) {
            flushAllInt();
            expDone = true;
            out += c;
            if (exp10 < 0)
                out += QLatin1Char('-');
            else if (info.expAlwaysSign)
                out += QLatin1Char('+');
            QString e = QString::number(exp10 < 0 ? -exp10 : exp10);
            if (e.size() < info.expDigits)
                e = QString(info.expDigits - e.size(), QLatin1Char('0')) + e;
            out += e;
            i += 2;
            while (i < s.size() && s[i] == QLatin1Char('0'))
                ++i;
            --i;
            continue;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (expDone)
                continue;
            if (!inFrac) {
                if (intSeen == 0) {
                    intFlushed = true;
                    for (qsizetype j = 0; j < intDigits.size() - info.intPlaceholders; ++j)
                        putInt(j);
                }
                const qsizetype j = intDigits.size() - info.intPlaceholders + intSeen;
                if (j >= 0)
                    putInt(j);
                ++intSeen;
            } else {
                if (fracSeen < fracDigits.size())
                    out += fracDigits[fracSeen];
                ++fracSeen;
            }
        } else if (c == QLatin1Char('.')) {
            if (!inFrac) {
                flushAllInt();
                inFrac = true;
                if (!fracDigits.isEmpty())
                    out += D;
            }
        } else if (c == QLatin1Char(',')) {
            // grouping flag only
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString FormatFloat(const QString &format, const Decimal &value)
{
    if (format.isEmpty())
        return FloatToStr(value);
    const QList<QStringView> sections = splitSections(format);
    auto usable = [&](int idx) { return idx < sections.size() && !sections[idx].isEmpty(); };

    int idx = value.isZero() ? 2 : value.isNegative() ? 1 : 0;
    if (!usable(idx))
        idx = 0;
    SectionInfo info = scanSection(sections[idx]);
    Decimal magnitude = value.abs();
    if (!info.scientific) {
        magnitude = magnitude.roundedToPlaces(info.fracPlaceholders);
        if (magnitude.isZero() && !value.isZero()) {
            idx = usable(2) ? 2 : 0;
            info = scanSection(sections[idx]);
        }
        if (magnitude.adjustedExponent() >= Decimal::Digits)
            return FloatToStr(value);
    }
    const bool minus = value.isNegative() && idx == 0 && !magnitude.isZero();
    return applySection(sections[idx], info, magnitude, minus);
}

QString FloatToStrGeneral(const Decimal &value, int precision)
{
    if (precision < 1)
        precision = 1;
    if (precision > Decimal::Digits)
        precision = Decimal::Digits;
    const Decimal r = value.roundedToDigits(precision);
    if (r.isZero())
        return QStringLiteral("0");
    const QString digits = r.digitText();
    const int adj = r.adjustedExponent();
    const int x = adj + 1; // digits before the decimal point
    QString s;
    if (x > precision || x < -3) {
        s = digits.left(1);
        if (digits.size() > 1)
            s += D + digits.mid(1);
        s += QLatin1Char('E');
        if (adj < 0)
            s += QLatin1Char('-');
        s += QString::number(adj < 0 ? -adj : adj);
    } else if (x <= 0) {
        s = QLatin1Char('0') + QString(D) + QString(-x, QLatin1Char('0')) + digits;
    } else if (x >= digits.size()) {
        s = digits + QString(x - digits.size(), QLatin1Char('0'));
    } else {
        s = digits.left(x) + D + digits.mid(x);
    }
    return r.isNegative() ? QLatin1Char('-') + s : s;
}

std::optional<Decimal> TryStrToFloat(const QString &text)
{
    return Decimal::parse(TrimSpaces(text), D);
}

Decimal StrToFloat(const QString &text)
{
    if (auto v = TryStrToFloat(text))
        return *v;
    throw ConvertError(text);
}

} // namespace qvx

using qvx::NumLocale;

QString NormalizeNumText(const QString &text)
{
    constexpr QChar D = NumLocale::DecimalSeparator;
    constexpr QChar T = NumLocale::ThousandSeparator;
    QString s = TrimSpaces(text);
    if (D != T)
        s = DeleteAllChar(s, T);
    if (D != QLatin1Char('.') && T != QLatin1Char('.'))
        s = ReplaceAllText(s, QStringLiteral("."), QString(D));
    if (D != QLatin1Char(',') && T != QLatin1Char(','))
        s = ReplaceAllText(s, QStringLiteral(","), QString(D));
    if (s.isEmpty())
        return QStringLiteral("0");
    if (s == QLatin1String("-"))
        return QStringLiteral("-0");
    return s;
}

bool IsFloatText(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        const bool ok = c == QLatin1Char('+') || c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                        || c == QLatin1Char('E') || c == QLatin1Char('e') || c == NumLocale::DecimalSeparator;
        if (!ok)
            return false;
    }
    return qvx::Decimal::parse(QStringView(text).left(63), NumLocale::DecimalSeparator).has_value();
}

QString InsertThousands(const QString &text, bool separators)
{
    QString s = text;
    QString sign;
    if (!s.isEmpty() && (s[0] == QLatin1Char('+') || s[0] == QLatin1Char('-'))) {
        sign = s.left(1);
        s.remove(0, 1);
    }
    qsizetype end = s.size();
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == NumLocale::DecimalSeparator || s[i] == QLatin1Char('E') || s[i] == QLatin1Char('e')) {
            end = i;
            break;
        }
    }
    const QString tail = s.mid(end);
    QString result;
    int count = 0;
    for (qsizetype i = end - 1; i >= 0; --i) {
        result.prepend(s[i]);
        ++count;
        if (separators && count % 3 == 0 && i > 0)
            result.prepend(NumLocale::ThousandSeparator);
    }
    return sign + result + tail;
}
