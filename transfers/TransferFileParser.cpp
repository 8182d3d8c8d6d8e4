#include "transfers/TransferFileParser.h"

#include "platform/SideBySide.h"

#include "core/SeqNo.h"
#include "core/TextUtils.h"
#include "platform/Cp949.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QVarLengthArray>

#include <algorithm>
#include <cstring>
#include <new>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int TokenCount = 5;
constexpr char16_t Replacement = 0xFFFD;

// The bits set in a 16-bit mask, without asking for an instruction the
// build does not assume.
inline int bitCount16(unsigned x)
{
    x = x - ((x >> 1) & 0x5555u);
    x = (x & 0x3333u) + ((x >> 2) & 0x3333u);
    x = (x + (x >> 4)) & 0x0F0Fu;
    return int((x + (x >> 8)) & 0x1Fu);
}

// Where c first stands in text at or after from, -1 for nowhere: eight
// characters compared at a time, as this runs a few times a line.
qsizetype indexOfChar(QStringView text, QChar c, qsizetype from = 0)
{
    const char16_t *begin = text.utf16();
    const char16_t *end = begin + text.size();
    const char16_t *p = begin + from;
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi16(short(c.unicode()));
    for (; p + 8 <= end; p += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, wanted));
        if (found != 0)
            return p + __builtin_ctz(unsigned(found)) / 2 - begin;
    }
#endif
    for (; p < end; ++p)
        if (*p == c.unicode())
            return p - begin;
    return -1;
}

// The places of the first TokenCount delimiters of a line (how many there
// are, up to that), and in *badBytes whether the line holds a character that
// came from bytes that are no CP949: one walk, eight characters at a time.
int findDelimiters(QStringView line, QChar delimiter, qsizetype *ends, bool *badBytes)
{
    const char16_t *const begin = line.utf16();
    const char16_t *const end = begin + line.size();
    const char16_t *p = begin;
    const char16_t d = delimiter.unicode();
    int found = 0;
    bool bad = false;
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi16(short(d)), replacement = _mm_set1_epi16(short(Replacement));
    for (; p + 8 <= end; p += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        unsigned hits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, wanted)));
        bad |= _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, replacement)) != 0;
        while (hits != 0 && found < TokenCount) {
            const int bit = __builtin_ctz(hits);
            ends[found++] = (p - begin) + bit / 2;
            hits &= ~(3u << bit);
        }
    }
#endif
    for (; p < end; ++p) {
        if (*p == d && found < TokenCount)
            ends[found++] = p - begin;
        bad |= *p == Replacement;
    }
    *badBytes = bad;
    return found;
}

// Cp949Width(text) <= width, without counting where the characters alone
// decide it.
inline bool fitsWidth(QStringView text, int width)
{
    if (text.size() * 2 <= width)
        return true;
    if (text.size() > width)
        return false;
    return Cp949Width(text) <= width;
}

} // namespace

void FieldText::setView(QStringView text)
{
    m_view = text;
    m_held = -1;
}

void FieldText::setWithout(QStringView text, QChar c)
{
    const QStringView trimmed = TrimmedView(text);
    if (indexOfChar(trimmed, c) < 0) {
        setView(trimmed);
        return;
    }
    if (trimmed.size() > Room) {
        m_long = TrimmedWithout(trimmed, c);
        m_held = Room + 1;
        return;
    }
    int n = 0;
    for (QChar ch : trimmed)
        if (ch != c)
            m_chars[n++] = ch.unicode();
    // What stood between the taken characters and the ends may be blanks.
    const QStringView kept = TrimmedView(QStringView(m_chars, n));
    m_held = int(kept.size());
    std::memmove(m_chars, kept.utf16(), size_t(kept.size()) * sizeof(char16_t));
}

Cp949Columns::Cp949Columns(QStringView line) : m_line(line)
{
    m_start.resize(line.size() + 1);
    int pos = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        m_start[i] = pos;
        const char16_t c = line[i].unicode();
        pos += c < 0x80 ? 1 : 2;
        m_badBytes |= c == Replacement;
    }
    m_start[line.size()] = pos;
}

QStringView Cp949Columns::cut(int start, int length) const
{
    if (length <= 0)
        return {};
    const int from = (start < 1 ? 1 : start) - 1;
    const int to = from + length;
    const int *begin = m_start.constData();
    const int *end = begin + m_line.size(); // starts of the characters
    // The first character starting at or after from, and the characters
    // up to the last one ending at or before to.
    const qsizetype first = std::lower_bound(begin, end, from) - begin;
    const qsizetype past = std::upper_bound(begin + 1, end + 1, to) - (begin + 1);
    return first < past ? m_line.mid(first, past - first) : QStringView();
}

TransferPositions CanonicalPositions()
{
    return TransferPositions{{1, 2}, {3, 15}, {18, 13}, {31, 36}, {67, 16}};
}

int Cp949Width(QStringView text)
{
    // Each character counts one byte, and one more beyond ASCII.
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    int w = int(text.size());
#ifdef __SSE2__
    // Eight characters at a time: two mask bits a character beyond ASCII.
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    for (; p + 8 <= end; p += 8) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned wide = ~unsigned(_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high),
                                                                          _mm_setzero_si128()))) & 0xFFFFu;
        if (wide != 0)
            w += bitCount16(wide) / 2;
    }
#endif
    for (; p < end; ++p)
        w += *p < 0x80 ? 0 : 1;
    return w;
}

QStringView CutBytesView(QStringView line, int start, int length)
{
    if (length <= 0)
        return {};
    const int from = (start < 1 ? 1 : start) - 1;
    const int to = from + length; // one past the last byte
    int pos = 0;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < line.size() && pos < to; ++i) {
        const int w = line[i].unicode() < 0x80 ? 1 : 2;
        if (pos >= from && pos + w <= to) {
            if (first < 0)
                first = i;
            last = i;
        }
        pos += w;
    }
    return first < 0 ? QStringView() : line.mid(first, last - first + 1);
}

QString CutBytes(QStringView line, int start, int length)
{
    return CutBytesView(line, start, length).toString();
}

QString TrimmedWithout(QStringView text, QChar c)
{
    const QStringView trimmed = text.trimmed();
    if (indexOfChar(trimmed, c) < 0)
        return trimmed.toString();
    QString out;
    out.reserve(trimmed.size());
    for (QChar ch : trimmed)
        if (ch != c)
            out.append(ch);
    return std::move(out).trimmed();
}

TransferFileText DecodeTransferFile(const QByteArray &bytes, qvx::Cp949::Encoding encoding)
{
    // Each piece but the last ends just after a line feed, a byte that is
    // no part of any CP949 character: it decodes and splits as it would
    // within the whole file.
    constexpr qsizetype BytesPerPiece = qsizetype(1) << 20;
    const qsizetype size = bytes.size();
    const int wanted = int(std::clamp<qsizetype>(size / BytesPerPiece, 1, SideBySideJobs(4)));
    std::vector<qsizetype> cuts{0};
    for (int k = 1; k < wanted; ++k) {
        const qsizetype from = std::max(cuts.back(), size * k / wanted);
        const void *lf = std::memchr(bytes.constData() + from, '\n', size_t(size - from));
        if (!lf)
            break;
        const qsizetype cut = static_cast<const char *>(lf) - bytes.constData() + 1;
        if (cut >= size)
            break;
        cuts.push_back(cut);
    }
    cuts.push_back(size);
    const int count = int(cuts.size()) - 1;
    TransferFileText file;
    file.pieces.resize(size_t(count));
    std::vector<QList<QStringView>> lines(static_cast<size_t>(count));
    RunSideBySide(count, [&](int p) {
        const qsizetype from = cuts[size_t(p)], to = cuts[size_t(p) + 1];
        file.pieces[size_t(p)] = qvx::Cp949::decode(QByteArrayView(bytes.constData() + from, to - from), encoding);
        lines[size_t(p)] = SplitTransferLines(file.pieces[size_t(p)]);
    });
    if (count == 1) {
        file.lines = std::move(lines[0]);
        return file;
    }
    qsizetype total = 0;
    for (const QList<QStringView> &part : lines)
        total += part.size();
    file.lines.reserve(total);
    for (const QList<QStringView> &part : lines)
        file.lines.append(part);
    return file;
}

bool ReadTransferFile(const QString &fileName, TransferFileText *file, QString *refusal)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) {
        *refusal = QStringLiteral("파일을 읽을 수 없습니다.\r\r") + fileName;
        return false;
    }
    try {
        const QByteArray bytes = f.readAll();
        // A spreadsheet, an archive or random bytes would be read as
        // thousands of lines of garbage, each refused and logged; a UTF-8
        // file read as CP949 would have its names stored garbled.
        const qvx::Cp949::Encoding encoding = qvx::Cp949::encodingOf(bytes);
        if (encoding == qvx::Cp949::Encoding::NotText) {
            *refusal = NotTextFileMessage + QStringLiteral("\r\r") + fileName;
            return false;
        }
        if (qvx::TextFile::lineCount(bytes, MaxBatchRows) > MaxBatchRows) {
            *refusal = qvx::TextFile::tooManyLinesMessage(MaxBatchRows);
            return false;
        }
        *file = DecodeTransferFile(bytes, encoding);
    } catch (const std::bad_alloc &) {
        *file = TransferFileText();
        *refusal = qvx::TextFile::outOfMemoryMessage();
        return false;
    }
    return true;
}

QString TransferFileRefusedLogLine(const QString &fileName, const QString &refusal)
{
    return QStringLiteral("자료변환 파일 거부 : ") + fileName + QStringLiteral(" : ")
           + refusal.section(QLatin1Char('\r'), 0, 0);
}

QList<QStringView> SplitTransferLines(QStringView text)
{
    QList<QStringView> lines;
    const char16_t *const data = text.utf16();
    const char16_t *const end = data + text.size();
    const char16_t *start = data;
    // A line ends at its first CR or LF.
    auto lineEnd = [end](const char16_t *p) {
#ifdef __SSE2__
        // Eight characters at a time.
        const __m128i cr = _mm_set1_epi16(short(u'\r')), lf = _mm_set1_epi16(short(u'\n'));
        while (p + 8 <= end) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const int found = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(chunk, cr), _mm_cmpeq_epi16(chunk, lf)));
            if (found != 0)
                return p + __builtin_ctz(unsigned(found)) / 2;
            p += 8;
        }
#endif
        while (p < end && *p != u'\n' && *p != u'\r')
            ++p;
        return p;
    };
    bool reserved = false;
    while (start < end) {
        const char16_t *stop = lineEnd(start);
        if (!reserved) {
            // The lines of a transfer file are about as long as its first.
            const qsizetype first = (stop - data) + 2;
            lines.reserve(text.size() / first + text.size() / (8 * first) + 16);
            reserved = true;
        }
        lines.append(QStringView(start, stop - start));
        if (stop == end)
            break;
        start = stop + (*stop == u'\r' && stop + 1 < end && stop[1] == u'\n' ? 2 : 1);
    }
    return lines;
}

TransferFileParser::TransferFileParser(DataForm form, const TransferPositions &fixed)
    : m_form(form), m_positions(form == DataForm::Fixed ? fixed : CanonicalPositions())
{
    const ConvField *fields[5] = {&m_positions.bankId, &m_positions.bankNo, &m_positions.money, &m_positions.cInfo,
                                  &m_positions.sName};
    for (int f = 0; f < 5; ++f) {
        // As CutBytesView reads a field: from the byte before start, to length bytes further.
        const int from = (fields[f]->start < 1 ? 1 : fields[f]->start) - 1;
        m_bounds[size_t(2 * f)] = from;
        m_bounds[size_t(2 * f + 1)] = from + std::max(fields[f]->length, 0);
    }
    for (int i = 0; i < 10; ++i)
        m_boundOrder[size_t(i)] = i;
    std::stable_sort(m_boundOrder.begin(), m_boundOrder.end(),
                     [this](int a, int b) { return m_bounds[size_t(a)] < m_bounds[size_t(b)]; });
}

ParsedLine TransferFileParser::parse(QStringView line) const
{
    ParsedLine out;
    parse(line, &out);
    return out;
}

void TransferFileParser::parse(QStringView line, ParsedLine *out) const
{
    out->fault = LineFault::None;
    bool badBytes;
    if (m_form == DataForm::Fixed) {
        parseFixed(line, *out);
        badBytes = indexOfChar(line, QChar(Replacement)) >= 0;
    } else {
        badBytes = parseDelimited(line, *out);
    }
    if (badBytes)
        out->fault = LineFault::BadBytes;
}

void TransferFileParser::parseFixed(QStringView line, ParsedLine &out) const
{
    // One walk along the line meets the fields' bounds in byte order; at a
    // bound b it knows the first character starting at or after b (a field's
    // first) and how many characters end at or before b (past a field's
    // last), so a double-byte character across a bound falls out of both
    // fields.
    const char16_t *chars = line.utf16();
    const qsizetype n = line.size();
    qsizetype i = 0; // characters walked
    int pos = 0;     // the byte at which character i starts
    std::array<qsizetype, 10> at{};
    for (const int bound : m_boundOrder) {
        const int b = m_bounds[size_t(bound)];
#ifdef __SSE2__
        // Eight characters at a time while all of them end by the bound.
        const __m128i wide = _mm_set1_epi16(short(0xFF80));
        while (i + 8 <= n) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + i));
            const int ascii = _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, wide), _mm_setzero_si128()));
            const int bytes = ascii == 0xFFFF ? 8 : 16 - bitCount16(unsigned(ascii)) / 2;
            if (pos + bytes > b)
                break;
            pos += bytes;
            i += 8;
        }
#endif
        while (i < n && pos < b)
            pos += chars[i++] < 0x80 ? 1 : 2;
        // Even bounds start a field, odd ones end it.
        at[size_t(bound)] = (bound % 2 == 0 || pos <= b) ? i : i - 1;
    }
    auto field = [&](int f) {
        const qsizetype first = at[size_t(2 * f)], past = at[size_t(2 * f + 1)];
        return first < past && m_bounds[size_t(2 * f + 1)] > m_bounds[size_t(2 * f)] ? line.mid(first, past - first)
                                                                                       : QStringView();
    };
    out.bankId = field(0);
    out.bankNo = field(1);
    out.money = field(2);
    out.cInfo = field(3);
    out.sName = field(4);
    out.account.setWithout(out.bankNo, QLatin1Char('-'));
    out.amount.setView(TrimmedView(out.money));
}

bool TransferFileParser::parseDelimited(QStringView line, ParsedLine &out) const
{
    // The first five delimiters end the tokens; what follows the fifth is no
    // token (a last token without one runs to the line's end).
    qsizetype ends[TokenCount];
    bool badBytes = false;
    const int delimiters = findDelimiters(line, DelimiterOf(m_form), ends, &badBytes);
    QStringView tokens[TokenCount];
    qsizetype start = 0;
    for (int t = 0; t < delimiters; ++t) {
        tokens[t] = line.mid(start, ends[t] - start);
        start = ends[t] + 1;
    }
    if (delimiters < TokenCount)
        tokens[delimiters] = line.mid(start);
    const bool more = delimiters == TokenCount; // the fifth token ended at a delimiter

    const TransferPositions &p = m_positions;
    out.bankId = TrimmedView(tokens[0]);
    out.bankNo = tokens[1];
    out.money = tokens[2];
    out.cInfo = TrimmedView(tokens[3]);
    out.sName = TrimmedView(tokens[4]);
    out.account.setWithout(tokens[1], QLatin1Char('-'));
    // Thousands commas are dropped only where they group the digits; any
    // other comma stays, and the amount rule refuses the line for it.
    const QStringView money = TrimmedView(tokens[2]);
    const bool hasComma = indexOfChar(money, QLatin1Char(',')) >= 0;
    const bool grouped = hasComma && IsThousandsGrouped(money);
    if (grouped)
        out.amount.setWithout(money, QLatin1Char(','));
    else
        out.amount.setView(money);
    const bool amountTooWide = (grouped || !hasComma) && !fitsWidth(out.amount.view(), p.money.length);
    // A ';' line ignores what follows its fifth delimiter; a ',' line has a
    // token too many there, most likely an amount written "1,000,000".
    if (more && m_form == DataForm::Comma)
        out.fault = LineFault::ExtraTokens;
    else if (!fitsWidth(out.bankId, p.bankId.length) || !fitsWidth(out.account.view(), p.bankNo.length) ||
             amountTooWide || !fitsWidth(out.cInfo, p.cInfo.length) || !fitsWidth(out.sName, p.sName.length))
        out.fault = LineFault::LongToken;
    return badBytes;
}

TransferFields TransferFileParser::logFields(const ParsedLine &line) const
{
    TransferFields out;
    logFields(line, &out);
    return out;
}

void TransferFileParser::logFields(const ParsedLine &line, TransferFields *out) const
{
    if (m_form == DataForm::Fixed) {
        *out = {{line.bankId}, {line.bankNo}, {line.money}, {line.cInfo}, {line.sName}};
        return;
    }
    const TransferPositions &p = m_positions;
    auto padded = [](QStringView text, int width) {
        const int w = Cp949Width(text);
        return LogField{text, width > w ? width - w : 0};
    };
    *out = {padded(line.bankId, p.bankId.length), padded(line.account.view(), p.bankNo.length),
            padded(line.amount.view(), p.money.length), padded(line.cInfo, p.cInfo.length),
            padded(line.sName, p.sName.length)};
}
