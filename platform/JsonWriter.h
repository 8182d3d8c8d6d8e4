#pragma once
// The text of a JSON answer written into one buffer that grows as it fills:
// a query's answer is tens of megabytes of small values, and each value
// appended through a general-purpose container costs a check and often a
// call of its own. Strings are written as the protocol's JSON strings:
// UTF-8 kept as it is; '"', '\' and control characters escaped; bytes that
// are no UTF-8 replaced by U+FFFD (as QString::fromUtf8 does).

#include <QByteArray>
#include <QString>

namespace qvx {

class JsonWriter
{
public:
    explicit JsonWriter(qsizetype reserve = 64 * 1024);

    void raw(char c) { *room(1) = c; ++m_size; }
    void raw(const char *text, qsizetype bytes);
    // '"' + the text as JSON string content + '"'.
    void string(const QString &text);
    void utf8String(const char *utf8, qsizetype bytes)
    {
        // Most texts of an answer are short (codes, amounts, dates) with
        // nothing to escape: copied here as they are checked, without a call.
        if (bytes <= 16) {
            char *out = room(bytes + 2);
            unsigned escape = 0;
            unsigned high = 0;
            out[0] = '"';
            for (qsizetype i = 0; i < bytes; ++i) {
                const auto c = static_cast<unsigned char>(utf8[i]);
                escape |= unsigned(c < 0x20) | unsigned(c == '"') | unsigned(c == '\\');
                high |= c;
                out[i + 1] = char(c);
            }
            if (escape == 0 && (high < 0x80 || ValidUtf8(utf8, bytes))) {
                out[bytes + 1] = '"';
                m_size += bytes + 2;
                return;
            }
        }
        longOrEscapedString(utf8, bytes);
    }
    void null() { raw("null", 4); }

    // Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates
    // or code points past U+10FFFF).
    static bool ValidUtf8(const char *text, qsizetype bytes);

    qsizetype size() const { return m_size; }
    const char *data() const { return m_buffer.constData(); }
    // The text written; the writer is empty afterwards.
    QByteArray take();

private:
    void longOrEscapedString(const char *utf8, qsizetype bytes);
    // Room for `bytes` more bytes at the end of the text.
    char *room(qsizetype bytes)
    {
        if (m_buffer.size() - m_size < bytes)
            grow(bytes);
        return m_buffer.data() + m_size;
    }
    void grow(qsizetype bytes);

    QByteArray m_buffer; // its size is the room; m_size bytes are written
    qsizetype m_size = 0;
};

} // namespace qvx
