#pragma once
// The temporary-save line of the liquor-trade entry list: list columns 1 to
// 26 as fixed-width fields, 229 CP949 bytes, each value padded on the right
// with blanks. The re-processing record that the liquor list screens save
// (241 bytes: the same 26 fields, then the send date and the result code)
// loads through the same reader.

#include "liquor/LiquorRow.h"
#include "transfers/TempSaveCodec.h"

#include <QByteArray>
#include <QString>

constexpr int LiquorTempSaveLineBytes = 229;
constexpr int LiquorReprocessLineBytes = 241;
constexpr int LiquorTempSaveFieldCount = 26;
constexpr int LiquorNameBytes = 12;

using LiquorTempSaveField = TempSaveFieldOf<LiquorColumn>;

// The counterparty name as a saved line holds it: cut to 12 bytes without
// splitting a double-byte character. A character CP949 cannot hold stays
// in it, so that the save is refused naming that character.
QString LiquorSavedName(const QString &name);

// 229 bytes when ok.
using LiquorTempSaveEncoded = TempSaveEncodedOf<LiquorColumn>;

// The row as a line: accounts without '-', amounts without ','. The name is
// cut to 12 bytes without splitting a double-byte character; any other value
// longer than its field (or holding a character CP949 lacks) gives no line
// and names that field.
LiquorTempSaveEncoded EncodeLiquorTempSaveLine(const LiquorRow &row);

// The message that refuses a save: names the list row (1-based) and the field.
QString LiquorTempSaveTooLongMessage(int gridRow, LiquorColumn column, int width);
// The message for a line that could not be made: the character CP949 cannot
// hold, or else the value too long for its field.
QString LiquorTempSaveRefusalMessage(int gridRow, const LiquorTempSaveEncoded &line);

enum class LiquorTempSaveFault {
    None,
    OtherMode,    // a line of the other mode ("수납" on a payment screen, ...)
    Implausible   // not a line of this file: length, mode word, bank codes, kind or amounts
};

struct LiquorTempSaveDecoded
{
    LiquorRow row;   // as the list shows it (accounts hyphenated, amounts grouped), no running number
    LiquorTempSaveFault fault = LiquorTempSaveFault::None;
    bool ok() const { return fault == LiquorTempSaveFault::None; }
};

// A saved line (229 to 241 bytes, line end removed) back into a row of the
// screen's mode (paymentMode 0 collection, 1 payment). Refused: a line of
// another length, a mode word other than "수납"/"지급" or of the other mode,
// bank codes that are not two digits, a kind other than the mode's "20"/"30",
// amounts that break the amount rule.
LiquorTempSaveDecoded DecodeLiquorTempSaveLine(const QByteArray &line, int paymentMode);

// "수납이체 자료가 아닙니다. 파일 확인후 재시도 하세요" (or "지급...") on the
// screen of the given mode.
QString LiquorOtherModeMessage(int paymentMode);
// The question after a line that is not a saved row (OK goes on with the next line).
inline const QString LiquorImplausibleLineQuestion =
    QStringLiteral("이체작성자료로 적절하지 않은 파일입니다.\r\r계속 진행하시겠습니까?");
