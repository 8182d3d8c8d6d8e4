#include "platform/ResultSetJson.h"

#include "platform/JsonWriter.h"


#include <cctype>
#include <cstring>
#include <optional>
#include <vector>

namespace qvx {

namespace {

// A reader of the shapes above over the body's bytes.
class Reader
{
public:
    explicit Reader(const QByteArray &body) : m_p(body.constData()), m_end(body.constData() + body.size()) {}

    bool answer(QueryAnswer *a)
    {
        bool haveResult = false;
        const bool read = object([&](const QString &key) {
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
            return true;
        });
        if (!read)
            return false;
        skipSpace();
        return m_p == m_end && (haveResult || !a->ok);
    }

private:
    bool resultSet(ResultSet *rs)
    {
        QStringList columns;
        const char *rowsAt = nullptr; // rows written before the columns: read once these are known
        bool haveColumns = false, haveRows = false;
        std::optional<ResultSet> read;
        const bool members = object([&](const QString &key) {
            if (key == QLatin1String("columns")) {
                if (haveColumns || !stringArray(&columns, false))
                    return false;
                haveColumns = true;
            } else if (key == QLatin1String("rows")) {
                if (haveRows)
                    return false;
                haveRows = true;
                if (!haveColumns) {
                    skipSpace();
                    rowsAt = m_p;
                    return skipValue(0);
                }
                read.emplace(columns);
                if (!rowsArray(&*read))
                    return false;
            } else {
                return false;
            }
            return true;
        });
        if (!members || !haveColumns || !haveRows)
            return false;
        if (rowsAt) {
            const char *after = m_p;
            m_p = rowsAt;
            read.emplace(columns);
            if (!rowsArray(&*read))
                return false;
            m_p = after;
        }
        *rs = std::move(*read);
        return true;
    }

    // '{' members separated by ',' '}', each a key and ':' before a value
    // that member(key) reads; an object without members is refused.
    template <typename Member>
    bool object(Member &&member)
    {
        if (!take('{'))
            return false;
        do {
            QString key;
            if (!string(&key) || !take(':') || !member(key))
                return false;
        } while (take(','));
        return take('}');
    }

    // '[' items separated by ',' ']' (or "[]"), each read by item().
    template <typename Item>
    bool array(Item &&item)
    {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        do {
            if (!item())
                return false;
        } while (take(','));
        return take(']');
    }

    bool rowsArray(ResultSet *rs)
    {
        m_above = QList<Cell>(rs->columnCount());
        return array([&] { return rowArray(rs); });
    }

    // One row, padded with NULL or cut to the column count. A text whose
    // bytes equal those of the same column in the row above takes that
    // one's number; one that the column held before takes that one's, as
    // long as the column keeps repeating itself (names, amounts, codes): a
    // long answer then holds each such text once.
    bool rowArray(ResultSet *rs)
    {
        const qsizetype columns = m_above.size();
        qsizetype c = 0;
        const bool read = array([&] {
            Cell &above = c < columns ? m_above[c] : m_beyond;
            skipSpace();
            const char *start = m_p;
            QByteArrayView raw;
            QString s;
            ResultSet::TextId id = 0;
            if (literal("null")) {
                id = 0;
            } else if (above.size >= 0 && m_end - m_p > above.size && *m_p == '"'
                       && std::memcmp(m_p, above.start, size_t(above.size)) == 0
                       && (m_p[above.size] == ',' || m_p[above.size] == ']' || isSpace(m_p[above.size]))) {
                m_p += above.size;
                id = above.id;
            } else if (plainString(&raw)) {
                if (c < columns)
                    id = above.shared(rs, int(c), raw);
                above.start = start;
                above.size = m_p - start;
                above.id = id;
            } else if (string(&s)) {
                if (c < columns)
                    id = rs->addText(int(c), s);
                above.start = start;
                above.size = m_p - start;
                above.id = id;
            } else {
                return false;
            }
            if (c < columns)
                rs->appendCell(id);
            ++c;
            return true;
        });
        if (!read)
            return false;
        for (; c < columns; ++c)
            rs->appendCell(0);
        return true;
    }

    static bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

    // Any JSON value, checked and passed over.
    bool skipValue(int depth)
    {
        if (depth > 64)
            return false;
        skipSpace();
        if (m_p >= m_end)
            return false;
        const char c = *m_p;
        if (c == '"') {
            QString ignored;
            return string(&ignored);
        }
        if (c == '[' || c == '{') {
            const char close = c == '[' ? ']' : '}';
            ++m_p;
            if (take(close))
                return true;
            do {
                if (c == '{') {
                    QString key;
                    if (!string(&key) || !take(':'))
                        return false;
                }
                if (!skipValue(depth + 1))
                    return false;
            } while (take(','));
            return take(close);
        }
        if (literal("null") || literal("true") || literal("false"))
            return true;
        const char *start = m_p;
        while (m_p < m_end && (std::isdigit(static_cast<unsigned char>(*m_p)) || *m_p == '-' || *m_p == '+'
                               || *m_p == '.' || *m_p == 'e' || *m_p == 'E'))
            ++m_p;
        return m_p > start;
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
        return array([&] {
            QString s;
            if (nullAllowed && literal("null"))
                out->append(QString());
            else if (string(&s))
                out->append(std::move(s));
            else
                return false;
            return true;
        });
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

    // Compared here, not by the C library: a call per cell of a long answer
    // costs more than the few characters it compares.
    bool literal(const char *word)
    {
        skipSpace();
        const char *p = m_p;
        for (; *word; ++word, ++p)
            if (p >= m_end || *p != *word)
                return false;
        m_p = p;
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
        qsizetype size = -1;     // bytes of the quoted text above, quotes included
        ResultSet::TextId id = 0; // the number of the text above

        // The number of a text without escapes: that of the same text read
        // before in the column, else a new one. The texts seen are kept in a
        // table of fixed size by a quick hash of their bytes (a text whose
        // place another took is made anew). A column whose texts are mostly
        // new (numbers that count up) stops looking.
        ResultSet::TextId shared(ResultSet *rs, int column, QByteArrayView bytes)
        {
            if (!sharing)
                return rs->addText(column, textOf(bytes));
            if (seen.empty())
                seen.resize(Slots);
            Seen &slot = seen[quickHash(bytes) & (Slots - 1)];
            if (slot.id != 0 && slot.size == bytes.size() && std::memcmp(slot.data, bytes.data(), size_t(bytes.size())) == 0) {
                ++hits;
                return slot.id;
            }
            const ResultSet::TextId made = rs->addText(column, textOf(bytes));
            slot = Seen{bytes.data(), bytes.size(), made};
            if (++misses >= Slots && hits < misses) {
                sharing = false;
                seen = {};
            }
            return made;
        }

        static QString textOf(QByteArrayView bytes)
        {
            // "" stays an empty, not a null, text.
            return bytes.isEmpty() ? QString(QLatin1String("")) : QString::fromUtf8(bytes);
        }

        static quint32 quickHash(QByteArrayView bytes)
        {
            quint32 h = 2166136261u;
            for (const char c : bytes)
                h = (h ^ quint8(c)) * 16777619u;
            return h ^ (h >> 15);
        }

        struct Seen
        {
            const char *data = nullptr; // into the answer's bytes
            qsizetype size = 0;
            ResultSet::TextId id = 0;
        };
        static constexpr qsizetype Slots = 4096;
        std::vector<Seen> seen;
        qsizetype hits = 0, misses = 0;
        bool sharing = true;
    };

    const char *m_p;
    const char *m_end;
    QList<Cell> m_above;
    Cell m_beyond; // cells beyond the columns, read and left out
};

} // namespace

QByteArray ResultSetJson(const ResultSet &rs)
{
    JsonWriter out(64 + qsizetype(rs.recordCount()) * (rs.columnCount() * 12 + 4));
    out.raw("{\"columns\":[", 12);
    for (int c = 0; c < rs.columnCount(); ++c) {
        if (c > 0)
            out.raw(',');
        out.string(rs.columnNames()[c]);
    }
    out.raw("],\"rows\":[", 10);
    // A text written before in its column is written from the bytes made
    // for it then.
    const int columns = rs.columnCount();
    struct Above
    {
        ResultSet::TextId id = 0;
        QByteArray json;
    };
    QList<Above> above(columns);
    for (int r = 0; r < rs.recordCount(); ++r) {
        if (r > 0)
            out.raw(',');
        out.raw('[');
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out.raw(',');
            const ResultSet::TextId id = rs.textId(r, c);
            if (id == 0) {
                out.null();
                continue;
            }
            Above &a = above[c];
            if (a.id != id) {
                const qsizetype at = out.size();
                out.string(rs.value(r, c));
                a.id = id;
                a.json = QByteArray(out.data() + at, out.size() - at);
                continue;
            }
            out.raw(a.json.constData(), a.json.size());
        }
        out.raw(']');
    }
    out.raw("]}", 2);
    return out.take();
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
