#include "platform/ResultSetJson.h"

#include <QHash>

#include <cstring>

namespace qvx {

namespace {

const char Hex[] = "0123456789abcdef";

void AppendEscaped(QByteArray &out, const char *p, qsizetype n)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(p + start, i - start);
        start = i + 1;
        switch (c) {
        case '"': out.append("\\\"", 2); break;
        case '\\': out.append("\\\\", 2); break;
        case '\n': out.append("\\n", 2); break;
        case '\r': out.append("\\r", 2); break;
        case '\t': out.append("\\t", 2); break;
        default: {
            const char u[6] = {'\\', 'u', '0', '0', Hex[c >> 4], Hex[c & 15]};
            out.append(u, 6);
        }
        }
    }
    out.append(p + start, n - start);
}

// A reader of the shapes above over the body's bytes.
class Reader
{
public:
    explicit Reader(const QByteArray &body) : m_p(body.constData()), m_end(body.constData() + body.size()) {}

    bool answer(QueryAnswer *a)
    {
        if (!take('{'))
            return false;
        bool haveResult = false;
        if (take('}'))
            return false;
        do {
            QString key;
            if (!string(&key) || !take(':'))
                return false;
            if (key == QLatin1String("id")) {
                if (literal("null")) {
                    a->idNull = true;
                } else if (!integer(&a->id)) {
                    return false;
                } else {
                    a->idNull = false;
                }
            } else if (key == QLatin1String("ok")) {
                if (literal("true"))
                    a->ok = true;
                else if (literal("false"))
                    a->ok = false;
                else
                    return false;
            } else if (key == QLatin1String("error")) {
                if (!string(&a->error))
                    return false;
            } else if (key == QLatin1String("result")) {
                if (!resultSet(&a->rows))
                    return false;
                haveResult = true;
            } else {
                return false;
            }
        } while (take(','));
        if (!take('}'))
            return false;
        skipSpace();
        return m_p == m_end && (haveResult || !a->ok);
    }

private:
    bool resultSet(ResultSet *rs)
    {
        QStringList columns;
        QList<QStringList> rows;
        bool haveColumns = false, haveRows = false;
        if (!take('{'))
            return false;
        do {
            QString key;
            if (!string(&key) || !take(':'))
                return false;
            if (key == QLatin1String("columns")) {
                if (!stringArray(&columns, false))
                    return false;
                haveColumns = true;
            } else if (key == QLatin1String("rows")) {
                if (!take('['))
                    return false;
                if (!take(']')) {
                    do {
                        QStringList row;
                        if (!columns.isEmpty())
                            row.reserve(columns.size());
                        if (!rowArray(&row))
                            return false;
                        rows.append(std::move(row));
                    } while (take(','));
                    if (!take(']'))
                        return false;
                }
                haveRows = true;
            } else {
                return false;
            }
        } while (take(','));
        if (!take('}') || !haveColumns || !haveRows)
            return false;
        *rs = ResultSet(std::move(columns), std::move(rows));
        return true;
    }

    // One row. A text whose bytes equal those of the same column in the row
    // above shares that row's text; one that the column held before shares
    // that one's, as long as the column keeps repeating itself (names,
    // amounts, codes): a long answer then holds each such text once.
    bool rowArray(QStringList *out)
    {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        qsizetype c = 0;
        do {
            if (c >= m_above.size())
                m_above.resize(c + 1);
            Cell &above = m_above[c];
            skipSpace();
            const char *start = m_p;
            QByteArrayView raw;
            QString s;
            if (literal("null")) {
                out->append(QString());
            } else if (above.size >= 0 && m_end - m_p >= above.size && *m_p == '"'
                       && std::memcmp(m_p, above.start, size_t(above.size)) == 0
                       && m_p + above.size < m_end && (m_p[above.size] == ',' || m_p[above.size] == ']')) {
                m_p += above.size;
                out->append(above.text);
            } else if (plainString(&raw)) {
                above.start = start;
                above.size = m_p - start;
                above.text = above.shared(raw);
                out->append(above.text);
            } else if (string(&s)) {
                above.start = start;
                above.size = m_p - start;
                above.text = s;
                out->append(std::move(s));
            } else {
                return false;
            }
            ++c;
        } while (take(','));
        return take(']');
    }

    // A string without escapes: its bytes between the quotes. False, with
    // nothing taken, for anything else.
    bool plainString(QByteArrayView *raw)
    {
        if (m_p >= m_end || *m_p != '"')
            return false;
        const char *start = m_p + 1;
        const char *p = start;
        while (p < m_end && *p != '"' && *p != '\\')
            ++p;
        if (p >= m_end || *p != '"')
            return false;
        *raw = QByteArrayView(start, p - start);
        m_p = p + 1;
        return true;
    }

    bool stringArray(QStringList *out, bool nullAllowed)
    {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        do {
            QString s;
            if (nullAllowed && literal("null"))
                out->append(QString());
            else if (string(&s))
                out->append(std::move(s));
            else
                return false;
        } while (take(','));
        return take(']');
    }

    bool string(QString *out)
    {
        if (!take('"'))
            return false;
        const char *start = m_p;
        while (m_p < m_end && *m_p != '"' && *m_p != '\\')
            ++m_p;
        if (m_p < m_end && *m_p == '"') {
            // "" stays an empty, not a null, text.
            *out = start == m_p ? QString(QLatin1String("")) : QString::fromUtf8(start, m_p - start);
            ++m_p;
            return true;
        }
        QByteArray bytes(start, m_p - start);
        while (m_p < m_end) {
            const char c = *m_p++;
            if (c == '"') {
                *out = QString::fromUtf8(bytes);
                if (out->isNull())
                    *out = QString(QLatin1String(""));
                return true;
            }
            if (c != '\\') {
                bytes.append(c);
                continue;
            }
            if (m_p >= m_end)
                return false;
            const char e = *m_p++;
            switch (e) {
            case '"': bytes.append('"'); break;
            case '\\': bytes.append('\\'); break;
            case '/': bytes.append('/'); break;
            case 'b': bytes.append('\b'); break;
            case 'f': bytes.append('\f'); break;
            case 'n': bytes.append('\n'); break;
            case 'r': bytes.append('\r'); break;
            case 't': bytes.append('\t'); break;
            case 'u': {
                uint cp = 0;
                if (!hex4(&cp))
                    return false;
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    uint low = 0;
                    if (m_end - m_p < 6 || m_p[0] != '\\' || m_p[1] != 'u')
                        return false;
                    m_p += 2;
                    if (!hex4(&low) || low < 0xDC00 || low > 0xDFFF)
                        return false;
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                }
                const char32_t ch = char32_t(cp);
                bytes.append(QString::fromUcs4(&ch, 1).toUtf8());
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    bool hex4(uint *value)
    {
        if (m_end - m_p < 4)
            return false;
        uint v = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = *m_p++;
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= uint(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= uint(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= uint(c - 'A' + 10);
            else
                return false;
        }
        *value = v;
        return true;
    }

    bool integer(qint64 *value)
    {
        skipSpace();
        const char *start = m_p;
        if (m_p < m_end && *m_p == '-')
            ++m_p;
        while (m_p < m_end && *m_p >= '0' && *m_p <= '9')
            ++m_p;
        bool ok = false;
        *value = QByteArray(start, m_p - start).toLongLong(&ok);
        return ok;
    }

    bool literal(const char *word)
    {
        skipSpace();
        const qsizetype n = qsizetype(qstrlen(word));
        if (m_end - m_p < n || qstrncmp(m_p, word, n) != 0)
            return false;
        m_p += n;
        return true;
    }

    bool take(char c)
    {
        skipSpace();
        if (m_p < m_end && *m_p == c) {
            ++m_p;
            return true;
        }
        return false;
    }

    void skipSpace()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }

    // What a column has read so far.
    struct Cell
    {
        const char *start = nullptr;
        qsizetype size = -1; // bytes of the quoted text above, quotes included
        QString text;        // the text above

        // The text of bytes without escapes, shared with the same text read
        // before in the column. A column whose first texts are mostly new
        // (numbers that count up) stops looking.
        QString shared(QByteArrayView bytes)
        {
            if (!sharing)
                return textOf(bytes);
            const auto found = seen.constFind(bytes);
            if (found != seen.constEnd()) {
                ++hits;
                return found.value();
            }
            QString text = textOf(bytes);
            if (seen.size() < MaxSeen) {
                seen.insert(bytes, text);
            } else if (hits < seen.size()) {
                sharing = false;
                seen = {};
            }
            return text;
        }

        static QString textOf(QByteArrayView bytes)
        {
            // "" stays an empty, not a null, text.
            return bytes.isEmpty() ? QString(QLatin1String("")) : QString::fromUtf8(bytes);
        }

        static constexpr qsizetype MaxSeen = 4096;
        QHash<QByteArrayView, QString> seen; // views into the answer's bytes
        qsizetype hits = 0;
        bool sharing = true;
    };

    const char *m_p;
    const char *m_end;
    QList<Cell> m_above;
};

} // namespace

void AppendJsonString(QByteArray &out, const QString &text)
{
    out.append('"');
    const QByteArray utf8 = text.toUtf8();
    AppendEscaped(out, utf8.constData(), utf8.size());
    out.append('"');
}

void AppendJsonUtf8(QByteArray &out, const char *utf8, qsizetype bytes)
{
    out.append('"');
    AppendEscaped(out, utf8, bytes);
    out.append('"');
}

QByteArray ResultSetJson(const ResultSet &rs)
{
    QByteArray out;
    out.reserve(64 + qsizetype(rs.recordCount()) * (rs.columnCount() * 12 + 4));
    out.append("{\"columns\":[");
    for (int c = 0; c < rs.columnCount(); ++c) {
        if (c > 0)
            out.append(',');
        AppendJsonString(out, rs.columnNames()[c]);
    }
    out.append("],\"rows\":[");
    // A text that shares its data with the one above it (the reader of
    // the database gives repeated texts that way) is written from the
    // bytes already made for that one.
    struct Above
    {
        const QChar *data = nullptr;
        qsizetype size = -1;
        QByteArray json;
    };
    QList<Above> above(rs.columnCount());
    bool firstRow = true;
    for (const QStringList &row : rs.rows()) {
        out.append(firstRow ? "[" : ",[");
        firstRow = false;
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out.append(',');
            const QString &value = row[c];
            if (value.isNull()) {
                out.append("null", 4);
                continue;
            }
            Above *a = c < above.size() ? &above[c] : nullptr;
            if (a && a->data == value.constData() && a->size == value.size() && !value.isEmpty()) {
                out.append(a->json);
                continue;
            }
            const qsizetype at = out.size();
            AppendJsonString(out, value);
            if (a) {
                a->data = value.constData();
                a->size = value.size();
                a->json = out.mid(at);
            }
        }
        out.append(']');
    }
    out.append("]}");
    return out;
}

bool ReadQueryAnswer(const QByteArray &body, QueryAnswer *answer)
{
    QueryAnswer read;
    Reader reader(body);
    if (!reader.answer(&read))
        return false;
    *answer = std::move(read);
    return true;
}

} // namespace qvx
