#pragma once
// Number texts of the edit controls: the fixed Korean separators, conversion
// between text and Decimal, and the FormatFloat pattern engine.

#include "controls/edits/Decimal.h"

#include <QString>
#include <optional>
#include <stdexcept>

namespace qvx {

// Number conventions of every field: fixed, never the machine's locale.
struct NumLocale
{
    static constexpr QChar DecimalSeparator = QLatin1Char('.');
    static constexpr QChar ThousandSeparator = QLatin1Char(',');
    // The won sign as the forms write it (byte 0x5C, drawn as the won sign by
    // Korean fonts); two decimals places are never used for won.
    static QString currencyString() { return QStringLiteral("\\"); }
    // How the won sign is drawn: U+20A9, since the fonts here draw 0x5C as a
    // backslash.
    static constexpr QChar WonSign = QChar(0x20A9);
    static constexpr int CurrencyDecimals = 0;
    static constexpr int CurrencyFormat = 0; // sign before the number, no blank
};

// A text that is not a number (or, for a whole-number field, no whole
// number); its text is the user's message.
class ConvertError : public std::runtime_error
{
public:
    enum Kind { Number, Whole };
    explicit ConvertError(const QString &text, Kind kind = Number);
};

// A value outside a field's bounds.
class RangeError : public std::runtime_error
{
public:
    explicit RangeError(const QString &message);
};

// A display text with the patterns' won sign (the byte 0x5C) drawn as WonSign.
QString WithWonSign(const QString &formatted);

// The value by a pattern: up to three sections separated by ';' (positive,
// negative, zero; an empty or missing section falls back to the first, and
// a negative value shown by the first section gets a leading '-'). In a
// section '0' is a digit that is always shown, '#' one shown only when
// significant, the first '.' the decimal point (written only when fraction
// digits follow), ',' anywhere switches grouping by three on, "E+"/"E-"
// followed by '0's an exponent, text in quotes a literal; every other
// character, the backslash included, stands for itself. Rounding is half away
// from zero; a value that rounds to zero takes the zero section. Values with
// more than 18 integer digits are written in general format. An empty
// pattern gives FloatToStr.
QString FormatFloat(const QString &format, const Decimal &value);

// Shortest text with at most `precision` significant digits; scientific form
// ("1.5E-7", "1E20") when the value is below 0.0001 or has more than
// `precision` integer digits.
QString FloatToStrGeneral(const Decimal &value, int precision);
inline QString FloatToStr(const Decimal &value) { return FloatToStrGeneral(value, 15); }

// Text to number: blanks around are ignored, then Decimal::parse with the
// decimal separator. StrToFloat throws ConvertError.
std::optional<Decimal> TryStrToFloat(const QString &text);
Decimal StrToFloat(const QString &text);

} // namespace qvx

// The edit text cleaned for conversion: blanks trimmed, thousand separators
// removed, '.' and ',' made decimal separators; "" becomes "0", "-" "-0".
QString NormalizeNumText(const QString &text);
// True when text holds only sign, digits, 'E'/'e' and the decimal separator
// and (its first 63 characters) converts to a number.
bool IsFloatText(const QString &text);
// Thousand separators put into the integer part of a plain number text
// (sign kept in front, fraction and exponent copied unchanged); without
// `separators` the text comes back without change of digits.
QString InsertThousands(const QString &text, bool separators);
