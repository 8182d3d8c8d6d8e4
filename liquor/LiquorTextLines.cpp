#include "liquor/LiquorTextLines.h"

#include "transfers/TransferFileParser.h"
#include "transfers/TransferRules.h"

#include <algorithm>

namespace {

const QChar Minus = QLatin1Char('-');
const QChar Comma = QLatin1Char(',');

// The characters of a fixed-width line by CP949 byte: for each byte the first
// character starting at or after it, so that a field's cut is two look-ups
// (as Cp949Columns, read from one walk over the line).
class FixedColumns
{
public:
    explicit FixedColumns(QStringView line) : m_line(line)
    {
        const char16_t *data = line.utf16();
        const qsizetype size = line.size();
        m_first.resize(2 * size + 1);
        int *first = m_first.data();
        int pos = 0;
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i];
            first[pos++] = int(i);
            if (c >= 0x80) // its second byte: the next character is the first after it
                first[pos++] = int(i + 1) | Inside;
            m_badBytes |= c == QChar::ReplacementCharacter;
        }
        first[pos] = int(size);
        m_bytes = pos;
    }
    // The characters wholly inside bytes start (1-based) .. start + length - 1.
    QStringView cut(int start, int length) const
    {
        if (length <= 0)
            return {};
        const int from = std::min((start < 1 ? 1 : start) - 1, m_bytes);
        const int to = std::min(from + length, m_bytes);
        const qsizetype first = m_first[from] & ~Inside;
        const int past = m_first[to];
        // A character that starts before to and ends after it stays out.
        const qsizetype end = past & Inside ? (past & ~Inside) - 1 : past;
        return first < end ? m_line.mid(first, end - first) : QStringView();
    }
    bool badBytes() const { return m_badBytes; }

private:
    static constexpr int Inside = 1 << 30; // the byte is a character's second
    QStringView m_line;
    QVarLengthArray<int, 512> m_first;
    int m_bytes = 0;
    bool m_badBytes = false;
};

} // namespace

LiquorFields::LiquorFields(const std::array<QStringView, LiquorFieldCount> &values)
{
    for (int f = 0; f < LiquorFieldCount; ++f)
        setHeld(LiquorField(f), values[f]);
}

void LiquorFields::clear()
{
    m_field.fill(Field());
    m_held.clear();
}

void LiquorFields::setView(LiquorField f, QStringView value)
{
    m_field[f] = value.isNull() ? Field() : Field{value.data(), 0, value.size()};
}

void LiquorFields::setHeld(LiquorField f, QStringView value)
{
    if (value.isNull()) {
        m_field[f] = Field();
        return;
    }
    m_field[f] = Field{nullptr, m_held.size(), value.size()};
    m_held.append(value.data(), value.size());
}

void LiquorFields::setWithout(LiquorField f, QStringView value, QChar c, bool trim)
{
    if (!LiquorFieldHolds(value, c)) {
        setView(f, trim ? TrimmedView(value) : value);
        return;
    }
    qsizetype start = m_held.size();
    for (QChar ch : value)
        if (ch != c)
            m_held.append(ch);
    qsizetype end = m_held.size();
    if (trim) {
        while (start < end && m_held[start].isSpace())
            ++start;
        while (end > start && m_held[end - 1].isSpace())
            --end;
    }
    m_field[f] = Field{nullptr, start, end - start};
}

void LiquorFields::setAmount(LiquorField f, QStringView value)
{
    const QStringView trimmed = TrimmedView(value);
    if (LiquorFieldHolds(trimmed, Comma) && IsThousandsGrouped(trimmed))
        setWithout(f, trimmed, Comma, false);
    else
        setView(f, trimmed);
}

LiquorLineCutter::LiquorLineCutter(DataForm form, const LiquorLayout &fixed, const QString &kind)
    : m_form(form), m_layout(form == DataForm::Fixed ? fixed : LiquorDelimitedLayout()), m_kind(kind)
{
}

LiquorLine LiquorLineCutter::cut(QStringView line) const
{
    LiquorLine out;
    cut(line, &out);
    return out;
}

void LiquorLineCutter::cut(QStringView line, LiquorLine *out) const
{
    out->fields.clear();
    out->fault = LiquorRefusal::None;
    if (m_form != DataForm::Fixed) {
        cutDelimited(line, out);
        return;
    }
    const FixedColumns columns(line);
    for (int f = 0; f < LiquorFieldCount; ++f)
        out->fields.setView(LiquorField(f), columns.cut(m_layout[f].start, m_layout[f].length));
    if (columns.badBytes())
        out->fault = LiquorRefusal::BadBytes;
}

void LiquorLineCutter::cutDelimited(QStringView line, LiquorLine *out) const
{
    // One walk over the line: where its tokens are, whether each is ASCII
    // (its width is then its length), and whether it holds bytes that were
    // no CP949. The last field takes the rest of the line.
    const char16_t delimiter = DelimiterOf(m_form).unicode();
    QStringView tokens[LiquorFieldCount];
    char16_t high[LiquorFieldCount] = {};
    const char16_t *data = line.utf16();
    qsizetype start = 0;
    int token = 0;
    char16_t bits = 0;
    bool badBytes = false;
    for (qsizetype k = 0; k < line.size(); ++k) {
        const char16_t ch = data[k];
        if (ch == delimiter && token < LiquorFieldCount - 1) {
            tokens[token] = line.mid(start, k - start);
            high[token++] = bits;
            bits = 0;
            start = k + 1;
            continue;
        }
        bits |= ch;
        badBytes |= ch == QChar::ReplacementCharacter;
    }
    tokens[token] = line.mid(start);
    high[token] = bits;

    LiquorFields &f = out->fields;
    f.setView(lfBankId, TrimmedView(tokens[0]));
    f.setWithout(lfBankNo, TrimmedView(tokens[1]), Minus, true);
    f.setAmount(lfJuMoney, tokens[2]);
    f.setAmount(lfBJuMoney, tokens[3]);
    f.setAmount(lfMoney, tokens[4]);
    f.setView(lfCInfo, TrimmedView(tokens[5]));
    f.setView(lfSName, TrimmedView(tokens[6]));
    // The token each field was taken from (-1: none).
    int source[LiquorFieldCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    const QStringView eighth = TrimmedView(tokens[7]);
    if (eighth == u"20" || eighth == u"30") {
        f.setView(lfGubun, eighth);
        f.setWithout(lfJumin, TrimmedView(tokens[8]), Minus, true);
    } else {
        // No kind written: the eighth token is the real-name number.
        f.setHeld(lfGubun, m_kind);
        f.setWithout(lfJumin, eighth, Minus, false);
        source[lfGubun] = -1;
        source[lfJumin] = 7;
    }
    for (int i = 0; i < LiquorFieldCount; ++i) {
        const QStringView value = f[LiquorField(i)];
        const qsizetype width =
            source[i] >= 0 && high[source[i]] < 0x80 ? value.size() : qsizetype(Cp949Width(value));
        if (width > m_layout[i].length)
            out->fault = LiquorRefusal::LongToken;
    }
    if (out->fault == LiquorRefusal::None && badBytes)
        out->fault = LiquorRefusal::BadBytes;
}

LiquorTextLines::LiquorTextLines(const QList<QStringView> &lines, const LiquorLineCutter &cutter)
    : m_lines(lines), m_cutter(cutter)
{
}
