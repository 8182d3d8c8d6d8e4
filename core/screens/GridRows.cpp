#include "core/screens/GridRows.h"

void RenumberGridRows(TListGrid *grid)
{
    if (GridIsEmpty(grid))
        return;
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetCells(0, r, QString::number(r));
}
