#pragma once
// How an amount is written and read: the one reading of whole-won amount text
// that the amount edits, the entry rules and the conversions share.

#include <QString>
#include <QStringView>

namespace qvx {

// True for digits grouped by ',' in threes after a first group of one to three
// digits ("1,234,567"); false for plain digits and for any other comma.
bool IsThousandsGrouped(QStringView text);

// What an amount text holds, read as people write won: white space around
// ignored, an optional sign, then plain ASCII digits or digits in correct
// thousands groups. Anything else (a fraction, a blank or a comma out of
// place, a letter, a full-width digit) is NotWhole.
enum class AmountShape { Empty, Whole, NotWhole };

struct WholeAmount
{
    AmountShape shape = AmountShape::Empty;
    bool negative = false;      // a '-' before the digits
    int digits = 0;             // every digit, leading zeros included
    int significantDigits = 0;  // digits after the leading zeros (0 for zero)
    qint64 value = 0;           // the amount; set when significantDigits <= 18
    bool isWhole() const { return shape == AmountShape::Whole; }
};

// Reads text in place, without making a string.
WholeAmount ReadWholeAmount(QStringView text);

// The plain digits (sign kept, leading zeros kept) of a whole amount text;
// empty for any other text.
QString WholeAmountDigits(QStringView text);

// True for a character that can stand in a written amount (ASCII digits,
// ',', '.', a sign); a key or a pasted text holding any other is refused.
bool IsAmountChar(QChar c);

} // namespace qvx
