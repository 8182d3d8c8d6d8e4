#pragma once
// The cells of an entry-list row kept in named members: one table of member
// pointers in column order (the row's static `Members`) turns a column into
// its member and the row into its cells and back. The transfer and the
// liquor-trade rows both stand on it, with the amount and the accounts they
// both keep in `money`, `moBankNo` and `bankNo`.

#include "core/TextUtils.h"
#include "platform/AmountText.h"

#include <QString>
#include <QStringList>

template <typename Row, int Count>
using RowMembers = QString Row::*const[Count];

// Whole won of an amount, plain or in thousands groups, read by the one
// amount reading (0 when it is no whole amount).
inline qint64 WholeWon(QStringView amount)
{
    const qvx::WholeAmount read = qvx::ReadWholeAmount(amount);
    if (!read.isWhole() || read.significantDigits > 18)
        return 0;
    return read.negative ? -read.value : read.value;
}

template <typename Row, typename Column, int Count>
struct CellRow
{
    static constexpr int ColumnCount = Count;

    // The value of a column; "" for a column the row does not have.
    QString value(Column col) const { return (col >= 0 && col < Count) ? self().*Row::Members[col] : QString(); }
    // Sets a column's value; a column the row does not have is ignored.
    void setValue(Column col, const QString &text)
    {
        if (col >= 0 && col < Count)
            static_cast<Row &>(*this).*Row::Members[col] = text;
    }

    // The cells in column order, and a row from them (missing cells read as "").
    QStringList cells() const
    {
        QStringList out;
        out.reserve(Count);
        for (int c = 0; c < Count; ++c)
            out.append(self().*Row::Members[c]);
        return out;
    }
    static Row fromCells(const QStringList &cells)
    {
        Row row;
        for (int c = 0; c < Count && c < cells.size(); ++c)
            row.*Row::Members[c] = cells[c];
        return row;
    }

    // The amount without its commas ("1,000" -> "1000") and its whole won (0
    // when it is no number); the accounts without '-'.
    QString plainMoney() const { return DelComma(self().money); }
    qint64 amount() const { return WholeWon(self().money); }
    QString plainMoBankNo() const { return DelChar(self().moBankNo, QLatin1Char('-')); }
    QString plainBankNo() const { return DelChar(self().bankNo, QLatin1Char('-')); }

    bool operator==(const CellRow &) const = default;

private:
    const Row &self() const { return static_cast<const Row &>(*this); }
};
