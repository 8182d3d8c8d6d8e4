#include "platform/JsonWriter.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace qvx {

namespace {

const char Hex[] = "0123456789abcdef";

// Which bytes a JSON string cannot hold as they are.
struct EscapeTable
{
    bool escaped[256] = {};
    constexpr EscapeTable()
    {
        for (int c = 0; c < 0x20; ++c)
            escaped[c] = true;
        escaped[int('"')] = true;
        escaped[int('\\')] = true;
    }
};
constexpr EscapeTable Escapes;

// Whether any of eight bytes is a control character, '"' or '\\'. Bytes
// from 0x80 up (UTF-8 sequences) are never taken for one.
bool AnyEscaped(std::uint64_t eight)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
    const auto anyZero = [](std::uint64_t v) { return (v - Ones) & ~v & Highs; };
    const std::uint64_t below20 = (eight - Ones * 0x20) & ~eight & Highs;
    return (below20 | anyZero(eight ^ (Ones * '"')) | anyZero(eight ^ (Ones * '\\'))) != 0;
}

// Whether the text needs no escaping at all, looked at eight bytes at a time.
bool NothingToEscape(const char *utf8, qsizetype bytes)
{
    qsizetype i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, utf8 + i, 8);
        if (AnyEscaped(eight))
            return false;
    }
    for (; i < bytes; ++i)
        if (Escapes.escaped[static_cast<unsigned char>(utf8[i])])
            return false;
    return true;
}

} // namespace

bool JsonWriter::ValidUtf8(const char *text, qsizetype bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text);
    const unsigned char *const end = p + bytes;
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t eight;
            std::memcpy(&eight, p, 8);
            if ((eight & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            more = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            more = 3;
        else
            return false;
        // The second byte's range excludes overlong forms, surrogates and
        // code points past U+10FFFF.
        unsigned char low = 0x80, high = 0xBF;
        switch (c) {
        case 0xE0: low = 0xA0; break;
        case 0xED: high = 0x9F; break;
        case 0xF0: low = 0x90; break;
        case 0xF4: high = 0x8F; break;
        default: break;
        }
        if (end - p <= more || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i <= more; ++i)
            if ((p[i] & 0xC0) != 0x80)
                return false;
        p += more + 1;
    }
    return true;
}

JsonWriter::JsonWriter(qsizetype reserve)
    : m_buffer(qMax<qsizetype>(reserve, 16), Qt::Uninitialized)
{
}

void JsonWriter::grow(qsizetype bytes)
{
    m_buffer.resize(qMax(m_buffer.size() * 2, m_size + bytes));
}

void JsonWriter::raw(const char *text, qsizetype bytes)
{
    std::memcpy(room(bytes), text, size_t(bytes));
    m_size += bytes;
}

void JsonWriter::string(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    utf8String(utf8.constData(), utf8.size());
}

void JsonWriter::longOrEscapedString(const char *utf8, qsizetype bytes)
{
    // Bytes that are no UTF-8 (a blob, a text stored in another encoding)
    // become U+FFFD as QString::fromUtf8 makes them: an answer is always
    // valid UTF-8.
    if (!ValidUtf8(utf8, bytes)) {
        string(QString::fromUtf8(utf8, bytes));
        return;
    }
    // A long text with nothing to escape is copied whole.
    if (NothingToEscape(utf8, bytes)) {
        char *out = room(bytes + 2);
        *out = '"';
        std::memcpy(out + 1, utf8, size_t(bytes));
        out[bytes + 1] = '"';
        m_size += bytes + 2;
        return;
    }
    // At most six bytes a byte (\u00XX) and the quotes.
    char *const start = room(6 * bytes + 2);
    char *out = start;
    *out++ = '"';
    for (qsizetype i = 0; i < bytes; ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (!Escapes.escaped[c]) {
            *out++ = char(c);
            continue;
        }
        *out++ = '\\';
        switch (c) {
        case '"': *out++ = '"'; break;
        case '\\': *out++ = '\\'; break;
        case '\n': *out++ = 'n'; break;
        case '\r': *out++ = 'r'; break;
        case '\t': *out++ = 't'; break;
        default:
            *out++ = 'u';
            *out++ = '0';
            *out++ = '0';
            *out++ = Hex[c >> 4];
            *out++ = Hex[c & 15];
        }
    }
    *out++ = '"';
    m_size += out - start;
}

QByteArray JsonWriter::take()
{
    m_buffer.resize(m_size);
    if (m_buffer.capacity() - m_size > m_size / 4)
        m_buffer.squeeze(); // the room left over is not kept while the answer waits to be sent
    m_size = 0;
    return std::exchange(m_buffer, QByteArray());
}

} // namespace qvx
