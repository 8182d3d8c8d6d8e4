#pragma once
// The cells of an entry-list row kept in named members: one table of member
// pointers in column order turns a column into its member and the row into
// its cells and back. The transfer and the liquor-trade rows both stand on it.

#include <QString>
#include <QStringList>

template <typename Row, int Count>
using RowMembers = QString Row::*const[Count];

// The value of a column; "" for a column the row does not have.
template <typename Row, int Count>
QString RowCell(const Row &row, const RowMembers<Row, Count> &members, int col)
{
    return (col >= 0 && col < Count) ? row.*members[col] : QString();
}

// Sets a column's value; a column the row does not have is ignored.
template <typename Row, int Count>
void SetRowCell(Row &row, const RowMembers<Row, Count> &members, int col, const QString &text)
{
    if (col >= 0 && col < Count)
        row.*members[col] = text;
}

// The cells in column order.
template <typename Row, int Count>
QStringList RowCellList(const Row &row, const RowMembers<Row, Count> &members)
{
    QStringList out;
    out.reserve(Count);
    for (int c = 0; c < Count; ++c)
        out.append(row.*members[c]);
    return out;
}

// A row from cells in column order (missing cells read as "").
template <typename Row, int Count>
Row RowOfCells(const QStringList &cells, const RowMembers<Row, Count> &members)
{
    Row row;
    for (int c = 0; c < Count && c < cells.size(); ++c)
        row.*members[c] = cells[c];
    return row;
}

// Whole won of an amount without its commas (0 when it is no number).
inline qint64 WholeWon(const QString &plain)
{
    bool ok = false;
    const qint64 v = plain.trimmed().toLongLong(&ok);
    return ok ? v : 0;
}
