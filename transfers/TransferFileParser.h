#pragma once
// Cuts one line of a general transfer file into its five fields: bank code,
// account, amount, other information and payee name.
//
// A fixed-width line is cut at byte positions of its CP949 form (start
// 1-based, length in bytes); a field holds the characters whose bytes lie
// wholly inside it, so a double-byte character is never split. A delimited
// line (',' or ';') gives its first five tokens in that order, trimmed (the
// account without '-', the amount without its thousands commas); each must fit its place in
// the canonical fixed-width line (bank 2, account 15, amount 13, other
// information 36, name 16 bytes), whose padded form the log shows.

#include "platform/Cp949.h"
#include "platform/TextFile.h"
#include "transfers/ConvertLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>
#include <QVarLengthArray>

#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// A field as the log shows it: its text, then blanks up to its place's width.
struct LogField
{
    QStringView text;
    int blanks = 0;
    QString shown() const { return text.toString() + QString(blanks, QLatin1Char(' ')); }
};

// The five fields as the log shows them: as cut (fixed), or prepared and
// padded to the canonical widths (delimited). Views of the line and of the
// ParsedLine they came from, so a refused line costs no copy of its fields.
struct TransferFields
{
    LogField bankId;
    LogField bankNo;
    LogField money;
    LogField cInfo;
    LogField sName;
};

// Positions of the five fields.
struct TransferPositions
{
    ConvField bankId;
    ConvField bankNo;
    ConvField money;
    ConvField cInfo;
    ConvField sName;
};

// The positions of the canonical line a delimited line stands for:
// 1/2, 3/15, 18/13, 31/36, 67/16.
TransferPositions CanonicalPositions();

enum class LineFault {
    None,
    LongToken,   // a delimited token is wider than its place
    ExtraTokens, // a ',' line with more tokens than fields ("1,000,000")
    BadBytes     // bytes that are no CP949 text
};

// A field's text with one character taken out (the '-' of an account, the
// thousands commas of an amount) and trimmed: a view of the line when there
// was none to take, else its characters kept here, so that a line costs no
// allocation (a text too long for the room here is kept in a string).
class FieldText
{
public:
    QStringView view() const
    {
        if (m_held < 0)
            return m_view;
        return m_held <= Room ? QStringView(m_chars, m_held) : QStringView(m_long);
    }
    void setView(QStringView text);
    // text trimmed, without every c, trimmed again.
    void setWithout(QStringView text, QChar c);

private:
    static constexpr int Room = 24;
    QStringView m_view;
    int m_held = -1; // characters kept, -1: the text is m_view
    char16_t m_chars[Room];
    QString m_long;
};

// The fields of one line as views into it (valid while the line lives).
struct ParsedLine
{
    // as cut / the tokens
    QStringView bankId;
    QStringView bankNo;
    QStringView money;
    QStringView cInfo;
    QStringView sName;
    FieldText account; // trimmed, '-' removed
    FieldText amount;  // trimmed (a delimited one also without its thousands commas)
    LineFault fault = LineFault::None;
};

class TransferFileParser
{
public:
    TransferFileParser(DataForm form, const TransferPositions &fixed);

    ParsedLine parse(QStringView line) const;
    // The same into *out (a run parses every line into one place).
    void parse(QStringView line, ParsedLine *out) const;

    // The fields as the log shows them: as cut, or for a delimited line
    // prepared and padded to the canonical widths (valid while line lives).
    TransferFields logFields(const ParsedLine &line) const;
    void logFields(const ParsedLine &line, TransferFields *out) const;

    // Positions the fields were cut at (the canonical ones for a delimited
    // form): what the run leaves in ConvLayout.
    const TransferPositions &positions() const { return m_positions; }
    DataForm form() const { return m_form; }

private:
    void parseFixed(QStringView line, ParsedLine &out) const;
    // True when the line holds bytes that are no CP949.
    bool parseDelimited(QStringView line, ParsedLine &out) const;

    DataForm m_form;
    TransferPositions m_positions;
    // The ten byte bounds of the fixed fields (start and end of each, field
    // by field), in the order a walk along a line meets them.
    std::array<int, 10> m_bounds{};
    std::array<int, 10> m_boundOrder{};
};

// Bytes of the text in CP949, counted from its characters (every character
// beyond ASCII is two bytes in CP949).
int Cp949Width(QStringView text);

// The CP949 byte offset at which each character of a line starts: a line is
// walked once, however many fields are cut from it.
class Cp949Columns
{
public:
    explicit Cp949Columns(QStringView line);
    // As CutBytesView: the characters wholly inside the byte range.
    QStringView cut(int start, int length) const;
    // The line holds a character that came from bytes that are no CP949.
    bool badBytes() const { return m_badBytes; }

private:
    QStringView m_line;
    QVarLengthArray<int, 256> m_start; // and one past the last character
    bool m_badBytes = false;
};

// The characters of line whose CP949 bytes lie wholly within the byte range
// start (1-based) .. start + length - 1.
QStringView CutBytesView(QStringView line, int start, int length);
QString CutBytes(QStringView line, int start, int length);

// The text without the blanks at its ends, as QStringView::trimmed gives it,
// with the usual characters told apart inline (no blank lies beyond ASCII
// but U+0085, U+00A0 and some in U+1680..U+3000; Hangul lies above them).
inline QStringView TrimmedView(QStringView text)
{
    auto isBlank = [](QChar c) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            return u == u' ' || (u >= u'\t' && u <= u'\r');
        return u == 0x85 || u == 0xA0 || (u >= 0x1680 && u <= 0x3000 && c.isSpace());
    };
    qsizetype first = 0;
    qsizetype past = text.size();
#ifdef __SSE2__
    // A fixed-width field is mostly padding: runs of eight ' ' go at once.
    const char16_t *const chars = text.utf16();
    const __m128i blank = _mm_set1_epi16(short(u' '));
    auto allBlank = [&](qsizetype at) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + at));
        return _mm_movemask_epi8(_mm_cmpeq_epi16(chunk, blank)) == 0xFFFF;
    };
    while (past - first >= 8 && chars[first] == u' ' && allBlank(first))
        first += 8;
    while (past - first >= 8 && chars[past - 1] == u' ' && allBlank(past - 8))
        past -= 8;
#endif
    while (first < past && isBlank(text[first]))
        ++first;
    while (past > first && isBlank(text[past - 1]))
        --past;
    return text.sliced(first, past - first);
}

// The text without every c, trimmed of blanks.
QString TrimmedWithout(QStringView text, QChar c);

// A file read whole (CP949, or UTF-8 without its byte-order mark; CR LF, LF
// or a bare CR ends a line) and its lines, as views into the text; a last
// line end does not start another line. A file of some megabytes is decoded
// in pieces of whole lines side by side. A byte the encoding cannot read, and
// a character of a UTF-8 file that CP949 cannot hold, is U+FFFD: its line is
// refused, and the layouts' byte widths stay CP949 widths.
struct TransferFileText
{
    std::vector<QString> pieces; // the decoded text
    QList<QStringView> lines;
};
TransferFileText DecodeTransferFile(const QByteArray &bytes,
                                    qvx::Cp949::Encoding encoding = qvx::Cp949::Encoding::Cp949);
// A transfer file read and decoded whole in its encoding (Cp949::encodingOf),
// when it is text and holds no more lines than one batch can (counted before
// it is split); false with the message to show in *refusal when it cannot be
// read, is no text (a spreadsheet, an archive, any binary file), holds more
// or does not fit in memory.
bool ReadTransferFile(const QString &fileName, TransferFileText *file, QString *refusal);
inline const QString NotTextFileMessage = qvx::TextFile::notTextMessage();
// The day's log line of a conversion that refused its file: "자료변환 파일
// 거부 : " + the file + " : " + the refusal's first line.
QString TransferFileRefusedLogLine(const QString &fileName, const QString &refusal);
// The lines of a text, as views into it.
QList<QStringView> SplitTransferLines(QStringView text);
