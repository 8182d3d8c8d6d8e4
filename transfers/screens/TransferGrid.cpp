#include "transfers/screens/TransferGrid.h"

#include "core/ReportParams.h"
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
int TransferRowCount(const TListGrid *grid) { return DataRowCount(grid); }

qint64 TransferTotal(const TListGrid *grid)
{
    // Only the amounts, read in place: the list may hold a whole file.
    qint64 total = 0;
    if (GridIsEmpty(grid))
        return total;
    for (int r = 1; r < grid->RowCount(); ++r)
        total += MoneyCellValue(grid->CellView(tcMoney, r));
    return total;
}
