#pragma once
// What is left of the list screens' shared helpers beside the kit's units.

class TListGrid;
class TotalsTable;

// Amounts only: each cell's amount at its column, in row firstRow + its row.
void WriteTotalAmounts(TListGrid *grid, const TotalsTable &totals, int firstRow = 0);
