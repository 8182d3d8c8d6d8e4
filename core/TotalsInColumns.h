#pragma once
// A totals table of one cell a figure column, in the order of the grid's
// columns: the common form of the notice and result lists' totals.

#include "core/TotalsTable.h"

#include <QStringList>

// codes[0] counts in column 1, codes[1] in column 2, ... (all in the first row).
inline TotalsTable TotalsInColumns(const QStringList &codes)
{
    QList<TotalsTable::Cell> cells;
    for (int i = 0; i < codes.size(); ++i)
        cells.append({i + 1, codes[i]});
    return TotalsTable(std::move(cells));
}
