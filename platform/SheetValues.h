#pragma once

#include <QHash>
#include <QString>

namespace qvx::sheet {

// How a number cell reads as text, told by its number format: a plain number,
// or a date, a time of day, or both (the number counting days since the
// workbook's epoch). The same rules serve .xls and .xlsx, so a date cell reads
// alike from both: "2024-03-01", "13:05:00" or "2024-03-01 13:05:00".
enum class NumberKind { Number, Date, Time, DateTime };

// The kind of a number format: `id` a built-in format number (0 General, 14
// a date, ...); `code` the format's text where the workbook defines it. A
// text longer than MaxFormatLength is no spreadsheet program's own and reads
// as a plain number, without being looked at.
constexpr qsizetype MaxFormatLength = 255;
NumberKind kindOfFormat(int id, const QString &code);

// The kinds of a workbook's number formats by their numbers, each worked out
// once when the workbook defines it: cells and styles name their format by
// number, and a workbook may name one format from every cell.
class FormatKinds
{
public:
    // The workbook's own format `id`; a later definition of it replaces this.
    void define(int id, const QString &code) { m_kinds.insert(id, kindOfFormat(id, code)); }
    qsizetype size() const { return m_kinds.size(); }
    // A format the workbook defined, or a built-in one.
    NumberKind kind(int id) const
    {
        const auto it = m_kinds.constFind(id);
        return it != m_kinds.cend() ? *it : kindOfFormat(id, QString());
    }

private:
    QHash<int, NumberKind> m_kinds;
};

// The text of a number cell of that kind. `date1904`: the workbook counts
// days from 1904-01-01 instead of 1900.
QString valueText(double value, NumberKind kind, bool date1904);

// The text of a number in its shortest form that reads back as the number:
// a whole number with every digit its double holds ("12345678901234567000"),
// a fraction with up to 15 significant digits ("0.000001", "12.25"); in
// positional form from 10^-6 to below 10^21, beyond that in exponent form as
// spreadsheet programs show it ("1E+308", "5E-324"), so that a number never
// takes more than 25 characters.
QString numberText(double value);

// The number an amount text ("1,000", "-2,500.50") is written as in a
// spreadsheet: true only when a double holds it exactly as it is shown (a
// whole amount up to 2^53, a fraction of up to 15 significant digits), so
// that the cell reads back unaltered; otherwise the amount is written as a
// text.
bool exactAmount(const QString &text, double *value);

} // namespace qvx::sheet
