#pragma once
// How a number field reads its edit text: the one place where an amount field
// of whole won, a whole-number field (message numbers, counts) and a decimal
// field differ. It links no widgets; the numeric edit asks it what a text is.
//
//  - whole won: ',' groups thousands; a text that is no whole amount
//    ("1000.5", "12,34") stays as typed for the screen's amount rule.
//  - whole number: no decimal places; a text that is no whole number ("2.5")
//    stays as typed and the field is not left with it.
//  - decimal: the text is a number of at most the field's decimal places.

#include "controls/edits/Decimal.h"

#include <QChar>
#include <QString>

class NumEditText
{
public:
    enum Kind { DecimalText, WholeNumberText, WholeWonText };
    // What leaving the field does with its text.
    enum Exit { ReadIt, KeepAsTyped, RefuseIt };

    NumEditText(bool wholeWon, unsigned decimalPlaces, bool noNegatives);

    Kind kind() const { return m_kind; }
    // The character a typed '.' or ',' becomes.
    QChar typedSeparator(QChar key) const;
    // Whether a whole edit text may stand in the field (the key filter tests
    // the text with the key inserted, a paste the text with the paste).
    bool acceptable(const QString &text) const;
    // The number a text holds; throws qvx::ConvertError when it holds none.
    qvx::Decimal value(const QString &text) const;
    // Whether the focus changes may rewrite the text from the value: never
    // for a whole text that is no whole number, nor for one past 18 digits
    // (that would be written "1E19").
    bool followsValue(const QString &text) const;
    // Whether a pasted text is taken as it stands, to be read on leaving.
    bool takesPasteAsTyped() const { return m_kind != DecimalText; }
    // Whether pasted thousands separators are dropped at once.
    bool dropsPastedSeparators() const { return m_kind != WholeWonText; }
    Exit onExit(const QString &text) const;

private:
    bool acceptableWhole(const QString &text) const;
    bool acceptableDecimal(const QString &text) const;

    Kind m_kind;
    unsigned m_places;
    bool m_noNegatives;
};
