#include "backend/MySqlToSqlite.h"

#include "backend/SqliteBoundedFunctions.h"
#include "platform/Clock.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace qvx {

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Where the word starting at from ends.
qsizetype wordEnd(const QString &sql, qsizetype from)
{
    qsizetype end = from;
    while (end < sql.size() && isWordChar(sql.at(end)))
        ++end;
    return end;
}

struct Out
{
    TranslatedSql t;
    void put(QChar c, int from)
    {
        t.text.append(c);
        t.origin.append(from);
    }
    void put(const QString &s, int from)
    {
        for (QChar c : s)
            put(c, from);
    }
};

} // namespace

QString TranslatedSql::originalOf(const QString &original, const QString &span) const
{
    if (!changed || span.isEmpty() || original.contains(span))
        return span; // an alias, or an expression that was not rewritten
    // The select list comes first, so the first occurrence is the expression.
    const qsizetype at = text.indexOf(span);
    if (at < 0)
        return span;
    const int from = origin.at(at);
    const int to = origin.at(at + span.size() - 1);
    if (from < 0 || to < from || to >= original.size())
        return span;
    return original.mid(from, to - from + 1);
}

TranslatedSql translateMySqlToSqlite(const QString &sql)
{
    Out out;
    out.t.text.reserve(sql.size() + 16);
    out.t.origin.reserve(sql.size() + 16);
    const qsizetype n = sql.size();
    QChar prevSignificant; // last character outside blanks and comments
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('`')) {
            // Literal or quoted name: copied as it stands (a doubled quote stays inside).
            const QChar q = c;
            out.put(c, int(i++));
            while (i < n) {
                out.put(sql.at(i), int(i));
                if (sql.at(i) == q) {
                    if (i + 1 < n && sql.at(i + 1) == q) {
                        out.put(sql.at(i + 1), int(i + 1));
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            prevSignificant = q;
            continue;
        }
        if (c == QLatin1Char('"')) {
            // A double-quoted text is a literal in MySQL: write it single-quoted.
            out.t.changed = true;
            out.put(QLatin1Char('\''), int(i++));
            while (i < n) {
                const QChar d = sql.at(i);
                if (d == QLatin1Char('"')) {
                    if (i + 1 < n && sql.at(i + 1) == QLatin1Char('"')) {
                        out.put(d, int(i));
                        i += 2;
                        continue;
                    }
                    out.put(QLatin1Char('\''), int(i++));
                    break;
                }
                if (d == QLatin1Char('\''))
                    out.put(QStringLiteral("''"), int(i));
                else
                    out.put(d, int(i));
                ++i;
            }
            prevSignificant = QLatin1Char('\'');
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                out.put(sql.at(i), int(i)), ++i;
            continue;
        }
        if (c == QLatin1Char('#')) {
            out.t.changed = true;
            out.put(QStringLiteral("--"), int(i++));
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                out.put(sql.at(i), int(i)), ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            while (i < stop)
                out.put(sql.at(i), int(i)), ++i;
            continue;
        }
        if (isWordChar(c)) {
            const qsizetype j = wordEnd(sql, i);
            const QString word = sql.mid(i, j - i);
            // Function names SQLite reads as keywords: if( -> iif(, left( -> mysql_left(, ...
            QString prefix;
            if (prevSignificant != QLatin1Char('.')) {
                const QString lower = word.toLower();
                if (lower == QLatin1String("if"))
                    prefix = QStringLiteral("i");
                else if (lower == QLatin1String("left") || lower == QLatin1String("right"))
                    prefix = QStringLiteral("mysql_");
                if (!prefix.isEmpty()) {
                    qsizetype k = j;
                    while (k < n && sql.at(k).isSpace())
                        ++k;
                    if (k >= n || sql.at(k) != QLatin1Char('('))
                        prefix.clear();
                }
            }
            if (!prefix.isEmpty()) {
                out.t.changed = true;
                out.put(prefix, int(i)); // the added letters map onto the word's first
            }
            for (qsizetype k = i; k < j; ++k)
                out.put(sql.at(k), int(k));
            prevSignificant = sql.at(j - 1);
            i = j;
            continue;
        }
        out.put(c, int(i));
        if (!c.isSpace())
            prevSignificant = c;
        ++i;
    }
    return out.t;
}

QStringList writtenColumnNames(const QString &sql)
{
    // Split the list between the leading SELECT and the first FROM (or the
    // end) on the commas outside brackets, literals and comments.
    const qsizetype n = sql.size();
    QStringList items;
    QString item;
    int depth = 0;
    bool started = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const qsizetype from = i++;
            while (i < n) {
                if (sql.at(i) == c) {
                    if (i + 1 < n && sql.at(i + 1) == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            item += sql.mid(from, i - from);
            continue;
        }
        const bool lineComment = c == QLatin1Char('#') || (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-'));
        if (lineComment || (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*'))) {
            if (lineComment) {
                while (i < n && sql.at(i) != QLatin1Char('\n'))
                    ++i;
            } else {
                const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
                i = end < 0 ? n : end + 2;
            }
            item += QLatin1Char(' ');
            continue;
        }
        if (isWordChar(c)) {
            const qsizetype j = wordEnd(sql, i);
            const QString word = sql.mid(i, j - i);
            const QString lower = word.toLower();
            if (!started) {
                if (lower != QLatin1String("select"))
                    return {};
                started = true;
            } else if (depth == 0 && (lower == QLatin1String("from") || lower == QLatin1String("union")
                                      || lower == QLatin1String("into"))) {
                break;
            } else if (depth == 0 && items.isEmpty() && item.trimmed().isEmpty()
                       && (lower == QLatin1String("distinct") || lower == QLatin1String("all")
                           || lower == QLatin1String("distinctrow"))) {
                // a modifier of the list, not part of its first item
            } else {
                item += word;
            }
            i = j;
            continue;
        }
        if (!started) {
            if (!c.isSpace())
                return {};
            ++i;
            continue;
        }
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        if (c == QLatin1Char(',') && depth == 0) {
            items << item.trimmed();
            item.clear();
        } else {
            item += c;
        }
        ++i;
    }
    if (!started)
        return {};
    items << item.trimmed();

    // A plain column: name, table.name or `name`, perhaps in brackets.
    static const QRegularExpression column(
        QStringLiteral("^\\(*\\s*(?:(?:`[^`]+`|[\\w$]+)\\s*\\.\\s*)*(`[^`]+`|[\\w$]+)\\s*\\)*$"));
    QStringList names;
    for (const QString &it : items) {
        if (it == QLatin1String("*") || it.endsWith(QLatin1String(".*")))
            return {};
        const QRegularExpressionMatch m = column.match(it);
        QString name;
        if (m.hasMatch()) {
            name = m.captured(1);
            if (name.startsWith(QLatin1Char('`')))
                name = name.mid(1, name.size() - 2);
            else if (name.at(0).isDigit())
                name.clear(); // a number, not a name
        }
        names << name;
    }
    return names;
}

bool parseShowTables(const QString &sql, QString *pattern)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*show\\s+(?:full\\s+)?tables(?:\\s+(?:from|in)\\s+[`\\w]+)?"
                       "(?:\\s+like\\s+(?:'((?:[^']|'')*)'|\"((?:[^\"]|\"\")*)\"))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(sql);
    if (!m.hasMatch())
        return false;
    if (pattern) {
        if (m.capturedLength(1) > 0)
            *pattern = m.captured(1).replace(QStringLiteral("''"), QStringLiteral("'"));
        else
            *pattern = m.captured(2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    return true;
}

QString realToText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 9.0e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// ---- MySQL functions ------------------------------------------------------

namespace {

QString argText(sqlite3_value *v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT) // 1000.0 reads "1000", as MySQL writes a whole double
        return realToText(sqlite3_value_double(v));
    const unsigned char *t = sqlite3_value_text(v);
    return t ? QString::fromUtf8(reinterpret_cast<const char *>(t), sqlite3_value_bytes(v)) : QString();
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
}

// The texts of concat's arguments, as MySQL writes them, without copying
// what SQLite already holds as text.
class ArgTexts
{
public:
    void add(sqlite3_value *v)
    {
        if (sqlite3_value_type(v) == SQLITE_FLOAT) {
            m_floats.push_back(realToText(sqlite3_value_double(v)).toUtf8());
            m_parts.push_back({m_floats.back().constData(), m_floats.back().size()});
            return;
        }
        const auto *t = reinterpret_cast<const char *>(sqlite3_value_text(v));
        m_parts.push_back({t ? t : "", t ? sqlite3_value_bytes(v) : 0});
    }
    qint64 bytes(qint64 separatorBytes = 0) const
    {
        qint64 total = 0;
        for (const auto &p : m_parts)
            total += p.second;
        return total + (m_parts.empty() ? 0 : separatorBytes * qint64(m_parts.size() - 1));
    }
    // The parts joined by `separator`, built only when the result stays within
    // the connection's longest value: a statement cannot make this function
    // hold more than that.
    void result(sqlite3_context *ctx, const char *separator = "", qint64 separatorBytes = 0) const
    {
        const qint64 total = bytes(separatorBytes);
        if (total > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1))
            return sqlite3_result_error_toobig(ctx);
        char *out = static_cast<char *>(sqlite3_malloc64(sqlite3_uint64(total) + 1));
        if (!out)
            return sqlite3_result_error_nomem(ctx);
        char *to = out;
        for (size_t i = 0; i < m_parts.size(); ++i) {
            if (i > 0) {
                std::memcpy(to, separator, size_t(separatorBytes));
                to += separatorBytes;
            }
            std::memcpy(to, m_parts[i].first, size_t(m_parts[i].second));
            to += m_parts[i].second;
        }
        sqlite3_result_text64(ctx, out, sqlite3_uint64(total), sqlite3_free, SQLITE_UTF8);
    }

private:
    std::vector<std::pair<const char *, qint64>> m_parts;
    std::deque<QByteArray> m_floats; // kept in place: the parts point into them
};

void fnConcat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    ArgTexts parts;
    for (int i = 0; i < argc; ++i)
        parts.add(argv[i]);
    parts.result(ctx);
}

void fnConcatWs(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QByteArray sep = argText(argv[0]).toUtf8();
    ArgTexts parts;
    for (int i = 1; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) != SQLITE_NULL)
            parts.add(argv[i]);
    parts.result(ctx, sep.constData(), sep.size());
}

// left(s, n) and right(s, n).
void side(sqlite3_context *ctx, sqlite3_value **argv, bool left)
{
    if (anyNull(2, argv))
        return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    const qint64 n = qMax<qint64>(0, sqlite3_value_int64(argv[1]));
    resultText(ctx, left ? s.left(n) : s.right(n));
}

void fnLeft(sqlite3_context *ctx, int, sqlite3_value **argv) { side(ctx, argv, true); }
void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv) { side(ctx, argv, false); }

void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    qint64 pos = sqlite3_value_int64(argv[1]);
    const qint64 len = argc > 2 ? sqlite3_value_int64(argv[2]) : s.size();
    if (pos < 0)
        pos = s.size() + pos + 1;
    if (pos < 1 || pos > s.size() || len <= 0)
        return resultText(ctx, QString(""));
    resultText(ctx, s.mid(pos - 1, len));
}

void pad(sqlite3_context *ctx, sqlite3_value **argv, bool left)
{
    if (anyNull(3, argv))
        return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    const qint64 len = sqlite3_value_int64(argv[1]);
    const QString p = argText(argv[2]);
    if (len < 0)
        return sqlite3_result_null(ctx);
    if (s.size() >= len)
        return resultText(ctx, s.left(len));
    if (p.isEmpty() || len > 1000000)
        return sqlite3_result_null(ctx);
    QString fill;
    while (fill.size() < len - s.size())
        fill += p;
    fill.truncate(len - s.size());
    resultText(ctx, left ? fill + s : s + fill);
}

void fnLpad(sqlite3_context *ctx, int, sqlite3_value **argv) { pad(ctx, argv, true); }
void fnRpad(sqlite3_context *ctx, int, sqlite3_value **argv) { pad(ctx, argv, false); }

void changeCase(sqlite3_context *ctx, sqlite3_value **argv, bool upper)
{
    if (anyNull(1, argv))
        return sqlite3_result_null(ctx);
    const QString s = argText(argv[0]);
    resultText(ctx, upper ? s.toUpper() : s.toLower());
}

void fnUcase(sqlite3_context *ctx, int, sqlite3_value **argv) { changeCase(ctx, argv, true); }
void fnLcase(sqlite3_context *ctx, int, sqlite3_value **argv) { changeCase(ctx, argv, false); }

void fnCharLength(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, argText(argv[0]).size());
}

void fnLocate(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 from = argc > 2 ? sqlite3_value_int64(argv[2]) : 1;
    if (from < 1)
        return sqlite3_result_int64(ctx, 0);
    // Without regard to case: both folded one UTF-16 unit at a time, so
    // positions stay where they were.
    auto folded = [](sqlite3_value *v) {
        std::u16string out;
        for (const QChar c : argText(v))
            out += char16_t(c.toCaseFolded().unicode());
        return out;
    };
    const std::u16string sub = folded(argv[0]);
    const std::u16string s = folded(argv[1]);
    CallMeter meter(ctx);
    const qsizetype at = findUtf16(s.data(), qsizetype(s.size()), sub.data(), qsizetype(sub.size()), from - 1, meter);
    if (at == -2)
        return;
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

double roundHalfAway(double x, int d)
{
    const double f = std::pow(10.0, d);
    return std::round(x * f) / f;
}

void fnFormat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const int d = int(std::clamp<qint64>(sqlite3_value_int64(argv[1]), 0, 30));
    const double x = roundHalfAway(sqlite3_value_double(argv[0]), d);
    QString digits = QString::number(std::fabs(x), 'f', d);
    QString whole = digits.section(QLatin1Char('.'), 0, 0);
    const QString frac = d > 0 ? digits.section(QLatin1Char('.'), 1) : QString();
    for (qsizetype at = whole.size() - 3; at > 0; at -= 3)
        whole.insert(at, QLatin1Char(','));
    QString s = (x < 0 ? QStringLiteral("-") : QString()) + whole;
    if (d > 0)
        s += QLatin1Char('.') + frac;
    resultText(ctx, s);
}

void fnTruncate(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const int d = int(std::clamp<qint64>(sqlite3_value_int64(argv[1]), -30, 30));
    const double f = std::pow(10.0, d);
    const double v = std::trunc(sqlite3_value_double(argv[0]) * f) / f;
    if (d <= 0 && std::fabs(v) < 9.0e15)
        sqlite3_result_int64(ctx, qint64(v));
    else
        sqlite3_result_double(ctx, v);
}

void clockText(sqlite3_context *ctx, const char *format)
{
    resultText(ctx, Clock::now().toString(QString::fromLatin1(format)));
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **) { clockText(ctx, "yyyy-MM-dd HH:mm:ss"); }
void fnCurdate(sqlite3_context *ctx, int, sqlite3_value **) { clockText(ctx, "yyyy-MM-dd"); }
void fnCurtime(sqlite3_context *ctx, int, sqlite3_value **) { clockText(ctx, "HH:mm:ss"); }

QDateTime parseDateTime(const QString &s)
{
    const QString t = s.trimmed();
    for (const char *f : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd", "yyyyMMddHHmmss", "yyyyMMdd", "yyyy-MM-ddTHH:mm:ss"}) {
        QDateTime d = QDateTime::fromString(t, QString::fromLatin1(f));
        if (d.isValid())
            return d;
    }
    return {};
}

void fnDateFormat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QDateTime d = parseDateTime(argText(argv[0]));
    if (!d.isValid())
        return sqlite3_result_null(ctx);
    const QString f = argText(argv[1]);
    // Each part is worked out once, not once per specifier of a long format.
    const QString parts[] = {d.toString(QStringLiteral("yyyy")), d.toString(QStringLiteral("yy")),
                             d.toString(QStringLiteral("MM")),   d.toString(QStringLiteral("M")),
                             d.toString(QStringLiteral("dd")),   d.toString(QStringLiteral("d")),
                             d.toString(QStringLiteral("HH")),   d.toString(QStringLiteral("H")),
                             d.toString(QStringLiteral("mm")),   d.toString(QStringLiteral("ss")),
                             d.toString(QStringLiteral("HH:mm:ss"))};
    QString s;
    for (qsizetype i = 0; i < f.size(); ++i) {
        if (f.at(i) != QLatin1Char('%') || i + 1 >= f.size()) {
            s += f.at(i);
            continue;
        }
        const QChar k = f.at(++i);
        switch (k.toLatin1()) {
        case 'Y': s += parts[0]; break;
        case 'y': s += parts[1]; break;
        case 'm': s += parts[2]; break;
        case 'c': s += parts[3]; break;
        case 'd': s += parts[4]; break;
        case 'e': s += parts[5]; break;
        case 'H': s += parts[6]; break;
        case 'k': s += parts[7]; break;
        case 'i': s += parts[8]; break;
        case 's':
        case 'S': s += parts[9]; break;
        case 'T': s += parts[10]; break;
        default: s += k; break;
        }
    }
    resultText(ctx, s);
}

// A function the statements call, as registered: name, argument count (-1:
// any), implementation, and whether it gives the same result for the same
// arguments.
struct MySqlFunction
{
    const char *name;
    int nArg;
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
    bool deterministic = true;
};

const MySqlFunction MySqlFunctions[] = {
    {"concat", -1, fnConcat}, {"concat_ws", -1, fnConcatWs}, {"mysql_left", 2, fnLeft}, {"mysql_right", 2, fnRight},
    {"mid", 3, fnMid}, {"mid", 2, fnMid}, {"lpad", 3, fnLpad}, {"rpad", 3, fnRpad}, {"ucase", 1, fnUcase},
    {"lcase", 1, fnLcase}, {"char_length", 1, fnCharLength}, {"locate", 2, fnLocate}, {"locate", 3, fnLocate},
    {"format", 2, fnFormat}, {"truncate", 2, fnTruncate}, {"now", 0, fnNow, false}, {"sysdate", 0, fnNow, false},
    {"curdate", 0, fnCurdate, false}, {"curtime", 0, fnCurtime, false}, {"date_format", 2, fnDateFormat},
};

} // namespace

void registerMySqlFunctions(sqlite3 *db, const StatementStop *stop)
{
    for (const MySqlFunction &f : MySqlFunctions)
        sqlite3_create_function_v2(db, f.name, f.nArg, SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0),
                                   const_cast<StatementStop *>(stop), f.fn, nullptr, nullptr, nullptr);
}

} // namespace qvx
