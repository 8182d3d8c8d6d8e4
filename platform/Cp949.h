#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace qvx {

// The one converter between Unicode text (in memory) and CP949 bytes (files,
// fixed-width fields, the relay line). Conversion runs through iconv.
struct Cp949
{
    // Unicode -> CP949. A character CP949 cannot hold becomes '?' and *ok is
    // set to false; everything else converts byte-exactly.
    static QByteArray encode(const QString &text, bool *ok = nullptr);
    // The same bytes appended to out. A text encoded in pieces gives the
    // bytes of the whole as long as no piece ends inside a surrogate pair.
    static void append(QByteArray &out, QStringView text, bool *ok = nullptr);
    // The same bytes written at to, which has room for two bytes a unit of
    // text; returns where they end.
    static char *write(char *to, QStringView text, bool *ok = nullptr);

    // CP949 -> Unicode. A byte that begins no valid character (including a lead
    // byte cut off at the end) becomes U+FFFD and *ok is set to false; no byte
    // is ever dropped silently.
    static QString decode(const QByteArray &bytes, bool *ok = nullptr);

    // How the bytes of a file read as text: UTF-8 when they begin with its
    // byte-order mark, or when they hold characters beyond ASCII written as
    // UTF-8, mostly in three bytes as Hangul is, and hardly a byte that UTF-8
    // cannot read; otherwise CP949. No text at all when they hold a NUL, or
    // when more than about one character in a hundred is a byte the encoding
    // told cannot read or a control character (tab, line ends, form feed and
    // the end-of-file mark Ctrl-Z are text): random bytes, an archive, a
    // spreadsheet.
    enum class Encoding { Cp949, Utf8, NotText };
    static Encoding encodingOf(QByteArrayView bytes);
    // The byte-order mark a UTF-8 file may begin with.
    static constexpr QByteArrayView Utf8Bom{"\xEF\xBB\xBF", 3};

    // UTF-8 -> Unicode (a byte-order mark at the start left out), giving what
    // a CP949 file of the same text gives: a byte that begins no valid
    // sequence, and a character CP949 cannot hold, becomes U+FFFD and *ok is
    // set to false. The text is thus what the program can store and send.
    static QString decodeUtf8(QByteArrayView bytes, bool *ok = nullptr);
    // The bytes of a file in CP949, decoded as its encoding says (decode or
    // decodeUtf8).
    static QString decode(QByteArrayView bytes, Encoding encoding, bool *ok = nullptr);

    // The first character of `text` that CP949 cannot hold (a surrogate pair
    // counts as one); empty when every character converts.
    static QString firstUnencodable(const QString &text);
    // A character as messages name it: "😀"(U+1F600).
    static QString characterName(const QString &character);

    // True for 0x81..0xFE, the bytes that begin a double-byte character. The
    // second byte of such a character may be an ASCII letter.
    static bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
};

} // namespace qvx
