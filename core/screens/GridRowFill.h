#pragma once
// A conversion's rows appended to a list by text number (the way to fill a
// list of a hundred thousand rows): the texts rows share (a mother account's,
// a bank's, the run's) go into their column once each, when a row first uses
// them; the rows' own texts, their running numbers among them, a column at a
// time with the columns side by side; each row's cells in one step.
//
// Rows gives size(), isEmpty(), cell(i, col) for a row's own texts, and the
// owners of its columns: an enum Owner whose first value, Row, means a text
// of the row's own, OwnerCount owners in all, static ownerOf(col),
// keyOf(i, owner), keyCount(owner) and sharedCell(col, key).

#include "core/screens/ListGrid.h"
#include "platform/TListGrid.h"

#include <iterator>
#include <vector>

template <class Rows, int ColumnCount, typename Column>
void AppendRowsByTextNumber(TListGrid *grid, const Rows &rows, Column numberColumn)
{
    if (rows.isEmpty())
        return;
    using Owner = typename Rows::Owner;
    const int first = GridIsEmpty(grid) ? 1 : grid->RowCount();
    grid->BeginUpdate();
    grid->SetRowCount(first + rows.size());
    Owner owners[ColumnCount];
    std::vector<int> ownColumns;
    int ownPlace[ColumnCount];
    for (int col = 0; col < ColumnCount; ++col) {
        owners[col] = Rows::ownerOf(Column(col));
        ownPlace[col] = -1;
        if (owners[col] == Owner::Row) {
            ownPlace[col] = int(ownColumns.size());
            ownColumns.push_back(col);
        }
    }
    std::vector<std::vector<quint32>> own;
    grid->AddCellTexts(ownColumns, rows.size(), [&rows, first, numberColumn](int col, int i) -> QStringView {
        if (col != int(numberColumn))
            return rows.cell(i, Column(col));
        // Each thread filling a column writes its numbers in a buffer of its own.
        thread_local char16_t digits[12];
        int start = int(std::size(digits));
        int n = first + i;
        do {
            digits[--start] = char16_t(u'0' + n % 10);
            n /= 10;
        } while (n != 0);
        return QStringView(digits + start, qsizetype(std::size(digits)) - start);
    }, &own);
    constexpr quint32 NotYet = ~0u;
    std::vector<quint32> shared[ColumnCount];
    for (int col = 0; col < ColumnCount; ++col)
        shared[col].assign(size_t(rows.keyCount(owners[col])), NotYet);
    quint32 numbers[ColumnCount];
    for (int i = 0; i < rows.size(); ++i) {
        int keys[Rows::OwnerCount];
        for (int o = 1; o < Rows::OwnerCount; ++o)
            keys[o] = rows.keyOf(i, Owner(o));
        for (int col = 0; col < ColumnCount; ++col) {
            const Owner owner = owners[col];
            if (owner == Owner::Row) {
                numbers[col] = own[size_t(ownPlace[col])][size_t(i)];
                continue;
            }
            const int key = keys[int(owner)];
            quint32 &number = shared[col][size_t(key)];
            if (number == NotYet)
                number = grid->AddCellText(col, rows.sharedCell(Column(col), key));
            numbers[col] = number;
        }
        grid->SetRowCellNumbers(first + i, ColumnCount, numbers);
    }
    grid->EndUpdate();
}
