#include "transfers/screens/TransferGrid.h"

#include "core/screens/GridRows.h"

TransferRow ReadTransferRow(const TListGrid *grid, int row) { return ReadGridRow<TransferRow>(grid, row); }
void WriteTransferRow(TListGrid *grid, int row, const TransferRow &values)
{
    // Straight from the row's fields: the entry list is filled with whole files.
    for (int c = 0; c < TransferColumnCount; ++c)
        grid->SetCells(c, row, values.value(TransferColumn(c)));
}
int AppendTransferRow(TListGrid *grid, TransferRow values) { return AppendGridRow(grid, std::move(values)); }
QVector<TransferRow> TransferRows(const TListGrid *grid) { return GridRows<TransferRow>(grid); }
void RenumberTransferRows(TListGrid *grid) { RenumberGridRows(grid); }
int TransferRowCount(const TListGrid *grid) { return GridDataRowCount(grid); }

qint64 TransferTotal(const TListGrid *grid)
{
    qint64 total = 0;
    for (const TransferRow &row : TransferRows(grid))
        total += row.amount();
    return total;
}
