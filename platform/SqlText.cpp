#include "platform/SqlText.h"

namespace qvx {

SqlValueError::SqlValueError(const QString &value)
    : TextError(QStringLiteral("not an integer for SQL: \"") + value.left(64) + QLatin1Char('"')), m_value(value)
{
}

QString sqlQuote(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : text) {
        if (c == QLatin1Char('\''))
            out += QLatin1Char('\'');
        out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

bool isInteger(const QString &text)
{
    return isAsciiDigits(text.startsWith(QLatin1Char('-')) ? QStringView(text).sliced(1) : QStringView(text));
}

bool isAsciiDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    return true;
}

QString sqlInt(const QString &text)
{
    // A number that does not fit 64 bits would be read differently by each
    // database: refused like any other text that is no integer.
    bool fits = false;
    if (isInteger(text))
        text.toLongLong(&fits);
    if (!fits)
        throw SqlValueError(text);
    return text;
}

QString sqlInt(qint64 value)
{
    return QString::number(value);
}

} // namespace qvx
