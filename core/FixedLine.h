#pragma once
// One fixed-width record line of an export file. Widths count CP949 bytes; a
// cut never splits a double-byte character (the freed byte takes the pad).
//
//   FixedLine line;
//   line.left(date, 8).left(bankId, 2).zeroLeft(seqNo, 6);
//   QString text = line.text();   // written through qvx::TextFile (CP949)

#include <QString>

class FixedLine
{
public:
    // What a value longer than its field does: cut to the width, or stay
    // whole (the line then grows; what the list screens' records do).
    enum class Overflow { Cut, Keep };

    explicit FixedLine(Overflow overflow = Overflow::Keep) : m_overflow(overflow) {}
    // With a separator written between the fields (a delimited record).
    FixedLine(Overflow overflow, const QString &separator) : m_overflow(overflow), m_separator(separator) {}

    // Value, then blanks up to the width.
    FixedLine &left(const QString &value, int width);
    // Blanks, then the value (right-aligned).
    FixedLine &right(const QString &value, int width);
    // Zeros, then the value.
    FixedLine &zeroLeft(const QString &value, int width);

    QString text() const { return m_text; }
    int bytes() const; // CP949 bytes of the line so far

private:
    FixedLine &add(const QString &value, int width, bool leftJustify, QChar pad);
    Overflow m_overflow;
    QString m_separator;
    int m_fields = 0;
    QString m_text;
};
