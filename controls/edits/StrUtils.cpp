#include "controls/edits/StrUtils.h"

QString ReplaceAllText(const QString &text, const QString &search, const QString &replacement)
{
    if (search.isEmpty())
        return text;
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(search, from);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QString DeleteAllChar(const QString &text, QChar ch)
{
    QString result;
    result.reserve(text.size());
    for (QChar c : text)
        if (c != ch)
            result += c;
    return result;
}

QString TrimLeadingSpaces(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}

QString TrimTrailingSpaces(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return text.left(n);
}

QString TrimSpaces(const QString &text)
{
    return TrimLeadingSpaces(TrimTrailingSpaces(text));
}

QString RepeatChar(QChar ch, int count)
{
    return count <= 0 ? QString() : QString(count, ch);
}
