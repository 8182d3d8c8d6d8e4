#pragma once
// The transfer entry list as rows: reading and writing a TransferRow at a
// list row, appending and the totals of the list.

#include "transfers/TransferRow.h"

#include <QVector>

class TListGrid;

TransferRow ReadTransferRow(const TListGrid *grid, int row);
void WriteTransferRow(TListGrid *grid, int row, const TransferRow &values);
// Row 1 when the list is empty, else a new last row; the running number is
// set. Returns the list row used.
int AppendTransferRow(TListGrid *grid, TransferRow values);
// The data rows (none for an empty list).
QVector<TransferRow> TransferRows(const TListGrid *grid);
// Number of data rows and the sum of their amounts.
int TransferRowCount(const TListGrid *grid);
qint64 TransferTotal(const TListGrid *grid);
