#pragma once

#include <QString>

namespace qvx {

// The pieces of a statement's text: words, quoted names, literals and single
// characters, with blanks and comments left out.
class SqlLexer
{
public:
    enum Kind { End, Word, QuotedName, Literal, Other };
    struct Token
    {
        Kind kind = End;
        QString text;     // a literal's or quoted name's without its quotes
        qsizetype from = 0; // where the token stands in the statement
        qsizetype to = 0;
        bool isWord(const char *word) const { return kind == Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0; }
        bool is(char c) const { return kind == Other && text.size() == 1 && text.at(0) == QLatin1Char(c); }
    };

    explicit SqlLexer(const QString &sql) : m_sql(sql) {}

    Token next()
    {
        skipBlanksAndComments();
        Token t = read();
        t.to = m_at;
        return t;
    }

private:
    Token read()
    {
        const qsizetype n = m_sql.size();
        if (m_at >= n)
            return {End, QString(), n, n};
        const QChar c = m_sql.at(m_at);
        const qsizetype from = m_at;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            QString text;
            ++m_at;
            while (m_at < n) {
                if (m_sql.at(m_at) == close) {
                    if (close != QLatin1Char(']') && m_at + 1 < n && m_sql.at(m_at + 1) == close) {
                        text += close;
                        m_at += 2;
                        continue;
                    }
                    ++m_at;
                    break;
                }
                text += m_sql.at(m_at++);
            }
            return {c == QLatin1Char('\'') ? Literal : QuotedName, text, from};
        }
        if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c.unicode() >= 0x80) {
            while (m_at < n && (m_sql.at(m_at).isLetterOrNumber() || m_sql.at(m_at) == QLatin1Char('_')
                                || m_sql.at(m_at) == QLatin1Char('$') || m_sql.at(m_at).unicode() >= 0x80))
                ++m_at;
            return {Word, m_sql.mid(from, m_at - from), from};
        }
        ++m_at;
        return {Other, QString(c), from};
    }

    void skipBlanksAndComments()
    {
        const qsizetype n = m_sql.size();
        while (m_at < n) {
            if (m_sql.at(m_at).isSpace()) {
                ++m_at;
            } else if (m_sql.at(m_at) == QLatin1Char('-') && m_at + 1 < n && m_sql.at(m_at + 1) == QLatin1Char('-')) {
                while (m_at < n && m_sql.at(m_at) != QLatin1Char('\n'))
                    ++m_at;
            } else if (m_sql.at(m_at) == QLatin1Char('/') && m_at + 1 < n && m_sql.at(m_at + 1) == QLatin1Char('*')) {
                const qsizetype end = m_sql.indexOf(QLatin1String("*/"), m_at + 2);
                m_at = end < 0 ? n : end + 2;
            } else {
                return;
            }
        }
    }

    const QString &m_sql;
    qsizetype m_at = 0;
};

} // namespace qvx
