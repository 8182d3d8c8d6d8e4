#include "platform/Cp949.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <QList>

#include <vector>

namespace qvx {
namespace {

// One iconv descriptor per direction and thread, opened on first use.
class Converter
{
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // reset shift state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

constexpr char Cp949Code[] = "CP949";
constexpr char Utf8Code[] = "UTF-8";
// QString's own units, so that nothing passes through UTF-8 between.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr char Utf16Code[] = "UTF-16LE";
#else
constexpr char Utf16Code[] = "UTF-16BE";
#endif

// The thread's descriptor from one encoding to another.
template <const char *To, const char *From> Converter &converter()
{
    thread_local Converter c(To, From);
    return c;
}

bool isAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Converts the whole input; false on any conversion error. Where iconv stops on
// an error differs between encodings, so callers that need to go on after a
// bad character convert piece by piece instead.
bool convertAll(Converter &conv, const char *data, qsizetype size, QByteArray *out)
{
    iconv_t cd = conv.get();
    out->resize(size * 3 + 16);
    char *src = const_cast<char *>(data); // iconv only reads it
    size_t srcLeft = static_cast<size_t>(size);
    char *dst = out->data();
    size_t dstLeft = static_cast<size_t>(out->size());
    while (true) {
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno != E2BIG)
            return false;
        qsizetype used = dst - out->data();
        out->resize(out->size() * 2);
        dst = out->data() + used;
        dstLeft = static_cast<size_t>(out->size() - used);
    }
    out->resize(dst - out->data());
    return true;
}

bool isTrailByte(unsigned char b)
{
    return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE);
}

} // namespace

namespace {

// The Unicode unit of every double-byte character, asked of iconv once:
// [(lead - 0x81) * 256 + second byte], 0 where the two bytes are no character
// (no CP949 character is U+0000).
const char16_t *pairUnits()
{
    static const std::vector<char16_t> units = [] {
        std::vector<char16_t> table(size_t(0xFE - 0x81 + 1) * 256, 0);
        Converter &conv = converter<Utf16Code, Cp949Code>();
        if (!conv.valid())
            return table;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int second = 0; second < 256; ++second) {
                char in[2] = {char(lead), char(second)};
                char16_t out[2] = {0, 0};
                char *src = in;
                size_t srcLeft = 2;
                char *to = reinterpret_cast<char *>(out);
                size_t toLeft = sizeof out;
                if (iconv(conv.get(), &src, &srcLeft, &to, &toLeft) != size_t(-1) && srcLeft == 0 &&
                    toLeft == sizeof(char16_t))
                    table[size_t(lead - 0x81) * 256 + size_t(second)] = out[0];
            }
        return table;
    }();
    return units.data();
}

// The two bytes of every character the table above holds, asked of iconv
// once: [unit] = lead * 256 + second byte, 0 for none.
const quint16 *unitPairs()
{
    static const std::vector<quint16> pairs = [] {
        std::vector<quint16> table(0x10000, 0);
        Converter &conv = converter<Cp949Code, Utf16Code>();
        if (!conv.valid())
            return table;
        const char16_t *units = pairUnits();
        for (size_t i = 0; i < size_t(0xFE - 0x81 + 1) * 256; ++i) {
            char16_t unit = units[i];
            if (unit == 0 || table[unit] != 0)
                continue;
            unsigned char out[4] = {0, 0, 0, 0};
            char *src = reinterpret_cast<char *>(&unit);
            size_t srcLeft = sizeof unit;
            char *to = reinterpret_cast<char *>(out);
            size_t toLeft = sizeof out;
            if (iconv(conv.get(), &src, &srcLeft, &to, &toLeft) != size_t(-1) && srcLeft == 0 &&
                toLeft == sizeof out - 2)
                table[unit] = quint16(out[0] << 8 | out[1]);
        }
        return table;
    }();
    return pairs.data();
}

} // namespace

QByteArray Cp949::encode(const QString &text, bool *ok)
{
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        if (ok)
            *ok = true;
        return text.toLatin1();
    }
    QByteArray out;
    append(out, text, ok);
    return out;
}

void Cp949::append(QByteArray &out, QStringView text, bool *ok)
{
    const qsizetype at = out.size();
    out.resize(at + text.size() * 2); // a unit gives at most two bytes
    char *const begin = out.data();
    out.truncate(write(begin + at, text, ok) - begin);
}

char *Cp949::write(char *to, QStringView text, bool *ok)
{
    if (ok)
        *ok = true;
    // ASCII is its own bytes and each double-byte character is read from a
    // table that iconv filled once; each run of other characters goes
    // through iconv whole. Where iconv stops, one character (a surrogate
    // pair is one) is taken by hand, '?' when it has no CP949 form: a text
    // with a few such characters costs hardly more than one without.
    char *dst = to;
    const QChar *units = text.data();
    const qsizetype n = text.size();
    const quint16 *pairs = nullptr;
    for (qsizetype i = 0; i < n;) {
#ifdef __SSE2__
        // Eight ASCII units at a time: each unit narrowed to its byte.
        const __m128i high = _mm_set1_epi16(short(0xFF80));
        while (i + 8 <= n) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chunk, high), _mm_setzero_si128())) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(dst), _mm_packus_epi16(chunk, chunk));
            dst += 8;
            i += 8;
        }
#endif
        if (i >= n)
            break;
        const char16_t unit = units[i].unicode();
        if (unit < 0x80) {
            *dst++ = char(unit);
            ++i;
            continue;
        }
        if (!pairs)
            pairs = unitPairs();
        if (const quint16 pair = pairs[unit]) {
            *dst++ = char(pair >> 8);
            *dst++ = char(pair & 0xFF);
            ++i;
            continue;
        }
        qsizetype runEnd = i;
        while (runEnd < n && units[runEnd].unicode() >= 0x80 && pairs[units[runEnd].unicode()] == 0)
            ++runEnd;
        Converter &whole = converter<Cp949Code, Utf16Code>();
        while (i < runEnd) {
            if (whole.valid()) {
                char *src = reinterpret_cast<char *>(const_cast<QChar *>(units + i)); // iconv only reads it
                size_t srcLeft = size_t(runEnd - i) * sizeof(QChar);
                size_t toLeft = size_t(n - i) * 2; // the room left: two bytes a unit
                char *into = dst; // dst itself stays in a register
                const size_t done = iconv(whole.get(), &src, &srcLeft, &into, &toLeft);
                dst = into;
                i = reinterpret_cast<const QChar *>(src) - units;
                if (done != size_t(-1) && srcLeft == 0)
                    break;
            }
            if (ok)
                *ok = false;
            const qsizetype length = (units[i].isHighSurrogate() && i + 1 < n && units[i + 1].isLowSurrogate()) ? 2 : 1;
            const QByteArray u = text.sliced(i, length).toUtf8();
            QByteArray one;
            Converter &single = converter<Cp949Code, Utf8Code>();
            if (single.valid() && convertAll(single, u.constData(), u.size(), &one))
                dst = std::copy(one.cbegin(), one.cend(), dst);
            else
                *dst++ = '?';
            i += length;
        }
    }
    return dst;
}

namespace {

// The bytes of the character at i as a per-character walk reads them: an
// ASCII byte; a lead byte with a byte after it that can end a character;
// else the lone byte.
qsizetype characterBytes(const unsigned char *p, qsizetype n, qsizetype i)
{
    return p[i] >= 0x80 && Cp949::isLeadByte(p[i]) && i + 1 < n && isTrailByte(p[i + 1]) ? 2 : 1;
}

} // namespace

QString Cp949::decode(const QByteArray &bytes, bool *ok)
{
    if (ok)
        *ok = true;
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);

    // ASCII bytes are their own units and each double-byte character is read
    // from a table that iconv filled once. Where neither reads a character,
    // one character is taken by hand: a lead byte with a byte after it that
    // can end a character is one character (U+FFFD when it is unassigned);
    // otherwise only the lead byte is bad and the next byte is read on its
    // own (so an ASCII byte after a stray lead byte survives).
    static const QChar replacement(0xFFFD);
    const char16_t *const pairs = pairUnits();
    Converter &single = converter<Utf8Code, Cp949Code>();
    QString out(bytes.size(), Qt::Uninitialized); // every character gives one unit, from one byte or two
    QChar *const begin = out.data();
    QChar *dst = begin;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    QByteArray one;
    // The character at i alone: its text, or empty when it has none.
    auto character = [&](qsizetype i) -> QString {
        if (characterBytes(p, n, i) == 2 && single.valid() && convertAll(single, bytes.constData() + i, 2, &one))
            return QString::fromUtf8(one);
        return QString();
    };
    for (qsizetype i = 0; i < n;) {
#ifdef __SSE2__
        // Sixteen ASCII bytes at a time: each byte widened to its unit.
        while (i + 16 <= n) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            if (_mm_movemask_epi8(chunk) != 0)
                break;
            const __m128i zero = _mm_setzero_si128();
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst), _mm_unpacklo_epi8(chunk, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + 8), _mm_unpackhi_epi8(chunk, zero));
            dst += 16;
            i += 16;
        }
        if (i >= n)
            break;
#endif
        const unsigned char b = p[i];
        if (b < 0x80) {
            *dst++ = QChar(b);
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < n) {
            const char16_t unit = pairs[size_t(b - 0x81) * 256 + p[i + 1]];
            if (unit != 0) {
                *dst++ = QChar(unit);
                i += 2;
                continue;
            }
        }
        if (ok)
            *ok = false;
        const QString text = character(i);
        if (text.isEmpty())
            *dst++ = replacement;
        else
            for (QChar c : text)
                *dst++ = c;
        i += characterBytes(p, n, i);
    }
    out.truncate(dst - begin);
    return out;
}

namespace {

// The length of the UTF-8 sequence at p (a byte 0x80 or above), 0 when it is
// none: no overlong form, no surrogate, nothing past U+10FFFF.
qsizetype utf8SequenceLength(const unsigned char *p, qsizetype left)
{
    auto follows = [&](qsizetype k) { return k < left && (p[k] & 0xC0) == 0x80; };
    const unsigned char b = p[0];
    if (b >= 0xC2 && b <= 0xDF)
        return follows(1) ? 2 : 0;
    if (b >= 0xE0 && b <= 0xEF) {
        if (!follows(1) || !follows(2))
            return 0;
        if ((b == 0xE0 && p[1] < 0xA0) || (b == 0xED && p[1] >= 0xA0))
            return 0;
        return 3;
    }
    if (b >= 0xF0 && b <= 0xF4) {
        if (!follows(1) || !follows(2) || !follows(3))
            return 0;
        if ((b == 0xF0 && p[1] < 0x90) || (b == 0xF4 && p[1] >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

// A control byte no text holds.
bool isControlByte(unsigned char b)
{
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\v' && b != '\f' && b != '\r' && b != 0x1A) || b == 0x7F;
}

} // namespace

Cp949::Encoding Cp949::encodingOf(QByteArrayView bytes)
{
    const auto *const p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    const bool bom = bytes.startsWith(Utf8Bom);
    // One walk for what both encodings share (ASCII, control bytes, a NUL)
    // and for the UTF-8 sequences; runs of plain ASCII go sixteen bytes at
    // a time.
    qsizetype ascii = 0, controls = 0, utf8Chars = 0, utf8Wide = 0, utf8Bad = 0;
    for (qsizetype i = bom ? Utf8Bom.size() : 0; i < n;) {
#ifdef __SSE2__
        const __m128i space = _mm_set1_epi8(0x20);
        while (i + 16 <= n) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
            if (_mm_movemask_epi8(_mm_or_si128(chunk, _mm_cmplt_epi8(chunk, space))) != 0)
                break;
            ascii += 16;
            i += 16;
        }
        if (i >= n)
            break;
#endif
        const unsigned char b = p[i];
        if (b < 0x80) {
            if (b == 0)
                return Encoding::NotText;
            controls += isControlByte(b);
            ++ascii;
            ++i;
            continue;
        }
        if (const qsizetype length = utf8SequenceLength(p + i, n - i)) {
            ++utf8Chars;
            utf8Wide += length >= 3;
            i += length;
        } else {
            ++utf8Bad;
            ++i;
        }
    }
    // Past about one in a hundred, with a few allowed in a short file.
    auto noText = [](qsizetype bad, qsizetype characters) { return bad > 8 + characters / 100; };
    // Without the mark, UTF-8 also asks for mostly three-byte sequences
    // (Hangul, Hanja, symbols): a few CP949 syllables ("짜", C2 A5) are
    // valid two-byte UTF-8 of characters no transfer file holds.
    if (bom || (utf8Chars > 0 && utf8Bad * 20 < utf8Chars && utf8Wide * 2 >= utf8Chars))
        return noText(controls + utf8Bad, ascii + utf8Chars + utf8Bad) ? Encoding::NotText : Encoding::Utf8;
    if (utf8Chars == 0 && utf8Bad == 0)
        return noText(controls, ascii) ? Encoding::NotText : Encoding::Cp949;
    // The characters beyond ASCII as decode reads them.
    const char16_t *const pairs = pairUnits();
    qsizetype wide = 0, cp949Bad = 0;
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (isLeadByte(b) && i + 1 < n && pairs[size_t(b - 0x81) * 256 + p[i + 1]] != 0) {
            ++wide;
            i += 2;
            continue;
        }
        ++cp949Bad;
        i += characterBytes(p, n, i);
    }
    return noText(controls + cp949Bad, ascii + wide + cp949Bad) ? Encoding::NotText : Encoding::Cp949;
}

QString Cp949::decodeUtf8(QByteArrayView bytes, bool *ok)
{
    if (bytes.startsWith(Utf8Bom))
        bytes = bytes.sliced(Utf8Bom.size());
    QString out = QString::fromUtf8(bytes);
    bool allOk = true;
    const quint16 *pairs = nullptr;
    QChar *const begin = out.data();
    QChar *dst = begin;
    const QChar *const end = begin + out.size();
    for (const QChar *at = begin; at < end; ++at) {
        const char16_t unit = at->unicode();
        if (unit < 0x80) {
            *dst++ = *at;
            continue;
        }
        if (!pairs)
            pairs = unitPairs();
        if (unit == QChar::ReplacementCharacter || pairs[unit] == 0) {
            // One U+FFFD for a character, a surrogate pair included.
            allOk = false;
            const bool pair = at->isHighSurrogate() && at + 1 < end && at[1].isLowSurrogate();
            *dst++ = QChar(QChar::ReplacementCharacter); // may overwrite *at
            at += pair;
            continue;
        }
        *dst++ = *at;
    }
    out.truncate(dst - begin);
    if (ok)
        *ok = allOk;
    return out;
}

QString Cp949::decode(QByteArrayView bytes, Encoding encoding, bool *ok)
{
    if (encoding == Encoding::Utf8)
        return decodeUtf8(bytes, ok);
    return decode(QByteArray::fromRawData(bytes.data(), bytes.size()), ok);
}

QString Cp949::firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, length);
        bool ok = true;
        encode(ch, &ok);
        if (!ok)
            return ch;
        i += length - 1;
    }
    return QString();
}

QString Cp949::characterName(const QString &character)
{
    return QStringLiteral("\"%1\"(U+%2)")
        .arg(character)
        .arg(QString::number(character.toUcs4().value(0), 16).toUpper(), 4, QLatin1Char('0'));
}

} // namespace qvx
