#pragma once
// The list grid of a declared column table (core/ListColumns.h): one maker
// (titles, widths, alignment, hidden columns), one fill from a result set,
// the grid basics every list shares (the empty-list test, clearing, the
// column visibility kept in config.ini, the row count) and the check-box
// column helpers.
//
//   grd_list = MakeListGrid(this, "grd_list", Columns());
//   ApplyColumnVisibility(grd_list, objectName(), 0, 19);
//   FillList(grd_list, Columns(), rs, {[&](int r, int i) { totals.add(...); }});
//   for (int r : TickedRows(grd_list, cNo)) ...

#include "controls/panels/KitAlignLayout.h"
#include "core/ListColumns.h"

#include <QColor>
#include <QList>
#include <QString>
#include <functional>

class QWidget;
class TListGrid;

// A list counts as empty when the cell of `col` in its first data row is empty.
bool GridIsEmpty(const TListGrid *grid, int col = 0);
// Leaves the header and one blank data row.
void ClearGridRows(TListGrid *grid, int lastCol = 50);
// The number of data rows: 0 when the first data row's cell `col` is empty.
int DataRowCount(const TListGrid *grid, int col = 0);

// Hides the columns that the screen's section of config.ini marks hidden: key n
// (n >= 1) whose value begins with "0" hides column n - 1; key "0" names none.
// Keys are read from `firstKey` to `lastKey`.
void ApplyColumnVisibility(TListGrid *grid, const QString &formName, int firstKey = 0, int lastKey = 40);

// A grid made from the table: row 0 holds the titles (centred), data rows
// take each column's alignment, each column its design width. The shown
// columns are those up to the last column not marked hidden; a hidden column
// among them is hidden, and the hidden columns after them hold their values
// beyond the grid's shown columns. A person can tick the boxes of the
// check-box columns; no other cell is edited.
TListGrid *MakeListGrid(QWidget *parent, const char *name, const ListColumns &columns, TAlign align = alClient,
                        int height = 0);
// The same set-up on a grid that exists.
void SetUpListGrid(TListGrid *grid, const ListColumns &columns);
// The number of shown columns of the table (the grid's ColCount).
int ShownColumnCount(const ListColumns &columns);

struct ListFillOptions
{
    // Runs after grid row `gridRow` is written from result row `resultRow`:
    // totals, colours, cells the table leaves to the screen.
    std::function<void(int gridRow, int resultRow)> onRow;
};

// Rows 1..n from the n result rows, written inside one update with the row
// count set once; each column's conversion is kept while its input repeats;
// a check-box column gets an unticked box in every row. No rows: the header
// and one empty row. Returns n.
int FillList(TListGrid *grid, const ListColumns &columns, const qvx::ResultSet &rs,
             const ListFillOptions &options = {});

// Data rows for which `marked(row)` holds are drawn with `brush` and `font`,
// the others white with black text; the title row keeps its look.
void MarkRows(TListGrid *grid, std::function<bool(int row)> marked, const QColor &brush, const QColor &font);

// --- check-box column ---------------------------------------------------------------------------
// Ticks (or clears) the box of every data row that has one.
void TickAll(TListGrid *grid, int col, bool ticked);
// The data rows whose box is ticked, in order.
QList<int> TickedRows(const TListGrid *grid, int col);
bool AnyTicked(const TListGrid *grid, int col);
