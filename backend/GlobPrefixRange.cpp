#include "backend/GlobPrefixRange.h"

#include "backend/SqlLexer.h"

#include <array>
#include <vector>

namespace qvx {

namespace {

using Token = SqlLexer::Token;

bool isAnyWord(const Token &t, std::initializer_list<const char *> words)
{
    for (const char *word : words)
        if (t.isWord(word))
            return true;
    return false;
}

bool isName(const Token &t)
{
    return t.kind == SqlLexer::Word || t.kind == SqlLexer::QuotedName;
}

// What may stand before and after a condition that is one term of a WHERE:
// the condition is then read alone, whatever is put in its place.
bool opensTerm(const Token &t)
{
    return t.is('(') || isAnyWord(t, {"where", "and", "or", "not", "on"});
}

bool closesTerm(const Token &t)
{
    return t.kind == SqlLexer::End || t.is(')') || t.is(';')
           || isAnyWord(t, {"and", "or", "order", "group", "limit", "having"});
}

// The one table a statement reads or changes, with its alias; false when it
// reaches more than one table or holds a statement of its own.
bool oneTable(const std::vector<Token> &tokens, QString *table, QString *alias)
{
    size_t at = 0;
    while (at < tokens.size() && isAnyWord(tokens[at], {"explain", "query", "plan"}))
        ++at;
    if (at >= tokens.size() || !isAnyWord(tokens[at], {"select", "update", "delete"}))
        return false;
    const bool update = tokens[at].isWord("update");
    size_t tableAt = 0;
    for (size_t i = at + 1; i < tokens.size(); ++i) {
        const Token &t = tokens[i];
        // A second statement inside (a subquery, a compound, a join, a list
        // of tables) or a word that reads the next condition as its own.
        if (isAnyWord(t, {"select", "with", "union", "intersect", "except", "join", "between", "values", "from"})
            && !(t.isWord("from") && tableAt == 0 && !update))
            return false;
        if (tableAt == 0 && ((update && i == at + 1) || (!update && t.isWord("from"))))
            tableAt = update ? i : i + 1;
    }
    if (tableAt == 0 || tableAt >= tokens.size() || !isName(tokens[tableAt]))
        return false;
    *table = tokens[tableAt].text;
    size_t next = tableAt + 1;
    if (next < tokens.size() && tokens[next].isWord("as"))
        ++next;
    alias->clear();
    if (next < tokens.size() && isName(tokens[next])
        && !isAnyWord(tokens[next], {"where", "set", "order", "group", "limit", "indexed", "not"}))
        *alias = tokens[next++].text;
    return next >= tokens.size() || !tokens[next].is(',');
}

QString bytesLiteral(QByteArray bytes)
{
    return QStringLiteral("cast(x'%1' as text)").arg(QString::fromLatin1(bytes.toHex()));
}

} // namespace

QString withGlobPrefixRanges(const QString &sql, const BinaryTextColumn &binaryTextColumn)
{
    if (!sql.contains(QLatin1String("glob"), Qt::CaseInsensitive))
        return sql;
    std::vector<Token> tokens;
    SqlLexer lexer(sql);
    for (Token t = lexer.next(); t.kind != SqlLexer::End; t = lexer.next())
        tokens.push_back(t);
    tokens.push_back(Token{SqlLexer::End, QString(), sql.size(), sql.size()});
    QString table, alias;
    if (!oneTable(tokens, &table, &alias))
        return sql;
    // Only the conditions of the WHERE: the list of columns keeps its texts,
    // by which the answer names its columns.
    size_t whereAt = 0;
    while (whereAt < tokens.size() && !tokens[whereAt].isWord("where"))
        ++whereAt;
    QString out;
    qsizetype copied = 0;
    for (size_t i = whereAt + 2; i + 2 < tokens.size(); ++i) {
        if (!tokens[i].isWord("glob") || tokens[i + 1].kind != SqlLexer::Literal || !closesTerm(tokens[i + 2]))
            continue;
        // The column, bare or named with its table.
        size_t columnAt = i - 1;
        if (!isName(tokens[columnAt]) || isAnyWord(tokens[columnAt], {"not", "and", "or", "where"}))
            continue;
        if (columnAt >= 2 && tokens[columnAt - 1].is('.')) {
            const QString &qualifier = tokens[columnAt - 2].text;
            if (qualifier.compare(table, Qt::CaseInsensitive) != 0 && qualifier.compare(alias, Qt::CaseInsensitive) != 0)
                continue;
            columnAt -= 2;
        }
        if (columnAt == 0 || !opensTerm(tokens[columnAt - 1]) || !binaryTextColumn(table, tokens[i - 1].text))
            continue;
        const QString &pattern = tokens[i + 1].text;
        qsizetype wildcard = 0;
        while (wildcard < pattern.size() && !QStringLiteral("*?[").contains(pattern.at(wildcard)))
            ++wildcard;
        const QByteArray low = pattern.left(wildcard).toUtf8();
        if (low.isEmpty())
            continue;
        // The first text past every one with this beginning: its last byte one
        // higher (UTF-8 text never holds 0xff).
        QByteArray high = low;
        high.back() = char(static_cast<unsigned char>(high.back()) + 1);
        const qsizetype from = tokens[columnAt].from;
        const qsizetype to = tokens[i + 1].to;
        const QString column = sql.mid(from, tokens[i - 1].to - from);
        out += sql.mid(copied, from - copied);
        // A beginning and one '*' after it is the range itself, as the
        // library reads it when it looks the range up.
        const bool rangeAlone = wildcard == pattern.size() - 1 && pattern.back() == QLatin1Char('*');
        const QString range = QStringLiteral("%1 >= %2 and %1 < %3").arg(column, bytesLiteral(low), bytesLiteral(high));
        out += rangeAlone ? QStringLiteral("(%1)").arg(range)
                          : QStringLiteral("(%1 and %2)").arg(sql.mid(from, to - from), range);
        copied = to;
    }
    if (copied == 0)
        return sql;
    return out + sql.mid(copied);
}

} // namespace qvx
