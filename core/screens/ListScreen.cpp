#include "core/screens/ListScreen.h"

#include "core/TotalsTable.h"
#include "platform/TListGrid.h"

void WriteTotalAmounts(TListGrid *grid, const TotalsTable &totals, int firstRow)
{
    for (const TotalsTable::Cell &cell : totals.cells())
        grid->SetCells(cell.column, firstRow + cell.row, totals.amountText(cell.column, cell.row));
}
