#pragma once
// A list whose data rows are typed rows: reading and writing a row at a list
// row, appending (row 1 of an empty list, else a new last row, numbered in
// column 0), all data rows and renumbering. A row type gives
// ColumnCount, cells() and fromCells(); the transfer entry lists use it.

#include "core/screens/ListGrid.h"
#include "platform/TListGrid.h"

#include <QStringList>
#include <QVector>

template <class Row>
Row ReadGridRow(const TListGrid *grid, int row)
{
    QStringList cells;
    cells.reserve(Row::ColumnCount);
    for (int c = 0; c < Row::ColumnCount; ++c)
        cells.append(grid->Cells(c, row));
    return Row::fromCells(cells);
}

template <class Row>
void WriteGridRow(TListGrid *grid, int row, const Row &values)
{
    const QStringList cells = values.cells();
    for (int c = 0; c < Row::ColumnCount; ++c)
        grid->SetCells(c, row, cells[c]);
}

// Returns the list row used; column 0 takes its running number.
template <class Row>
int AppendGridRow(TListGrid *grid, Row values)
{
    int row = 1;
    if (!GridIsEmpty(grid)) {
        row = grid->RowCount();
        grid->SetRowCount(row + 1);
    }
    values.no = QString::number(row);
    WriteGridRow(grid, row, values);
    return row;
}

// Appends rows after the list's data rows in one update (numbered in
// column 0 as AppendGridRow numbers them): a list loaded from a file is
// grown once, not a row at a time.
template <class Row>
void AppendGridRows(TListGrid *grid, const QVector<Row> &rows)
{
    if (rows.isEmpty())
        return;
    int row = GridIsEmpty(grid) ? 1 : grid->RowCount();
    grid->BeginUpdate();
    grid->SetRowCount(row + int(rows.size()));
    for (Row values : rows) {
        values.no = QString::number(row);
        WriteGridRow(grid, row++, values);
    }
    grid->EndUpdate();
}

// The data rows (none for an empty list).
template <class Row>
QVector<Row> GridRows(const TListGrid *grid)
{
    QVector<Row> rows;
    if (GridIsEmpty(grid))
        return rows;
    for (int r = 1; r < grid->RowCount(); ++r)
        rows.append(ReadGridRow<Row>(grid, r));
    return rows;
}

// Running numbers 1, 2, 3, ... in column 0 from row 1 (the row count is
// DataRowCount in core/screens/ListGrid.h).
void RenumberGridRows(TListGrid *grid);
