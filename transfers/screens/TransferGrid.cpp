#include "transfers/screens/TransferGrid.h"

#include "core/screens/ListScreen.h"
#include "platform/TListGrid.h"

TransferRow ReadTransferRow(const TListGrid *grid, int row)
{
    QStringList cells;
    for (int c = 0; c < TransferColumnCount; ++c)
        cells.append(grid->Cells(c, row));
    return TransferRow::fromCells(cells);
}

void WriteTransferRow(TListGrid *grid, int row, const TransferRow &values)
{
    for (int c = 0; c < TransferColumnCount; ++c)
        grid->SetCells(c, row, values.value(TransferColumn(c)));
}

int AppendTransferRow(TListGrid *grid, TransferRow values)
{
    int row = 1;
    if (!GridIsEmpty(grid)) {
        row = grid->RowCount();
        grid->SetRowCount(row + 1);
    }
    values.no = QString::number(row);
    WriteTransferRow(grid, row, values);
    return row;
}

QVector<TransferRow> TransferRows(const TListGrid *grid)
{
    QVector<TransferRow> rows;
    if (GridIsEmpty(grid))
        return rows;
    for (int r = 1; r < grid->RowCount(); ++r)
        rows.append(ReadTransferRow(grid, r));
    return rows;
}

void RenumberTransferRows(TListGrid *grid)
{
    if (GridIsEmpty(grid))
        return;
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetCells(tcNo, r, QString::number(r));
}

int TransferRowCount(const TListGrid *grid)
{
    return GridIsEmpty(grid) ? 0 : grid->RowCount() - 1;
}

qint64 TransferTotal(const TListGrid *grid)
{
    qint64 total = 0;
    for (const TransferRow &row : TransferRows(grid))
        total += row.amount();
    return total;
}
