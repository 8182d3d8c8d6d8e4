#pragma once
// The temporary-save line of the transfer entry list: 21 fixed-width fields,
// 211 CP949 bytes, each value right-padded with blanks to its width. Column 0
// (the running number) is not saved.

#include "transfers/TransferRow.h"

#include <QByteArray>
#include <QString>

constexpr int TempSaveLineBytes = 211;

// One field of a temporary-save line of a list with these columns: the list
// column it holds, start (0-based byte) and width.
template <typename Column>
struct TempSaveFieldOf
{
    Column column;
    int start;
    int width;
};

template <typename Column>
struct TempSaveEncodedOf
{
    QByteArray line;         // the whole line (no line end) when ok
    Column badColumn{};      // the first value that does not fit
    int badWidth = 0;
    QString badCharacter;    // the character CP949 lacks, when that is why
    bool ok() const { return !line.isEmpty(); }
};

using TempSaveField = TempSaveFieldOf<TransferColumn>;
constexpr int TempSaveFieldCount = 21;

// 211 bytes when ok.
using TempSaveEncoded = TempSaveEncodedOf<TransferColumn>;

// Appends a value as a field of `width` bytes, padded on the right with
// blanks. False, with nothing appended, when the value is longer than the
// field or holds a character CP949 lacks (then named in *badCharacter).
bool AppendTempSaveField(QByteArray &line, const QString &value, int width, QString *badCharacter);

// The values of the fields (valueOf(column)) as one line of lineBytes bytes;
// the first value that does not fit gives no line and names its field.
template <typename Column, int Count, typename ValueOf>
TempSaveEncodedOf<Column> EncodeTempSaveFields(const TempSaveFieldOf<Column> (&fields)[Count], int lineBytes,
                                              ValueOf valueOf)
{
    TempSaveEncodedOf<Column> out;
    QByteArray line;
    line.reserve(lineBytes);
    for (const TempSaveFieldOf<Column> &f : fields) {
        if (!AppendTempSaveField(line, valueOf(f.column), f.width, &out.badCharacter)) {
            out.badColumn = f.column;
            out.badWidth = f.width;
            return out;
        }
    }
    out.line = line;
    return out;
}

// The row as a line: accounts without '-', the amount without ','. A value
// longer than its field (or holding a character CP949 lacks) gives no line
// and names that field.
TempSaveEncoded EncodeTempSaveLine(const TransferRow &row);

// The message that refuses a save: names the list row (1-based) and the field.
QString TempSaveTooLongMessage(int gridRow, TransferColumn column, int width);
// The message for a line that could not be made: the character CP949 cannot
// hold, or else the value too long for its field.
QString TempSaveRefusalMessage(int gridRow, const TempSaveEncoded &line);
// The same texts for any list: the field named by its title; an empty
// badCharacter means the value was too long for its width.
QString TempSaveRefusalText(int gridRow, const QString &fieldTitle, int width, const QString &badCharacter);

enum class TempSaveDecodeFault { None, TooLong, BadAmount };

struct TempSaveDecoded
{
    TransferRow row;            // as the list shows it (accounts hyphenated, amount grouped)
    qint64 amount = 0;
    TempSaveDecodeFault fault = TempSaveDecodeFault::None;
    bool ok() const { return fault == TempSaveDecodeFault::None; }
};

// A saved line back into a row (every field trimmed; the running number left
// empty). A line longer than 211 bytes, or whose amount breaks the amount
// rule, is refused. A shorter line gives empty fields where it ends.
TempSaveDecoded DecodeTempSaveLine(const QByteArray &line);
