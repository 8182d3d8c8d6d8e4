#include "platform/AmountText.h"

namespace qvx {

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QStringView trimmedView(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start].isSpace())
        ++start;
    while (end > start && text[end - 1].isSpace())
        --end;
    return text.mid(start, end - start);
}

} // namespace

bool IsThousandsGrouped(QStringView text)
{
    const qsizetype firstComma = text.indexOf(QLatin1Char(','));
    // A grouped amount does not start with a zero ("0,001", "01,000").
    if (firstComma < 1 || firstComma > 3 || text[0] == QLatin1Char('0'))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Commas stand exactly every fourth character counted from the end.
        const bool commaPlace = (text.size() - i) % 4 == 0;
        const QChar c = text[i];
        if (commaPlace ? c != QLatin1Char(',') : !isDigit(c))
            return false;
    }
    return true;
}

WholeAmount ReadWholeAmount(QStringView text)
{
    WholeAmount out;
    QStringView s = trimmedView(text);
    if (s.isEmpty())
        return out;
    out.shape = AmountShape::NotWhole;
    if (s[0] == QLatin1Char('-') || s[0] == QLatin1Char('+')) {
        out.negative = s[0] == QLatin1Char('-');
        s = s.mid(1);
    }
    if (s.isEmpty())
        return out;
    const bool grouped = s.contains(QLatin1Char(','));
    if (grouped && !IsThousandsGrouped(s))
        return out;
    for (QChar c : s) {
        if (c == QLatin1Char(',') && grouped)
            continue;
        if (!isDigit(c))
            return out;
        ++out.digits;
        if (out.significantDigits == 0 && c == QLatin1Char('0'))
            continue;
        if (++out.significantDigits <= 18)
            out.value = out.value * 10 + (c.unicode() - u'0');
    }
    if (out.significantDigits > 18)
        out.value = 0;
    out.shape = AmountShape::Whole;
    return out;
}

QString WholeAmountDigits(QStringView text)
{
    if (!ReadWholeAmount(text).isWhole())
        return QString();
    QString out;
    for (QChar c : trimmedView(text))
        if (c != QLatin1Char(',') && c != QLatin1Char('+'))
            out.append(c);
    return out;
}

bool IsAmountChar(QChar c)
{
    return isDigit(c) || c == QLatin1Char(',') || c == QLatin1Char('.') || c == QLatin1Char('-') ||
           c == QLatin1Char('+');
}

} // namespace qvx
