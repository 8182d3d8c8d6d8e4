#include "core/screens/ListGrid.h"

#include "core/screens/ScreenParts.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/TListGrid.h"

#include <algorithm>

bool GridIsEmpty(const TListGrid *grid, int col)
{
    return grid->RowCount() < 2 || grid->Cells(col, 1).isEmpty();
}

void ClearGridRows(TListGrid *grid, int lastCol)
{
    grid->BeginUpdate();
    // The rows below the first data row go; only that one is emptied.
    grid->SetRowCount(2);
    grid->ClearBlock(0, 1, lastCol, 1);
    grid->RemoveCheckBox(0, 1);
    grid->EndUpdate();
}

int DataRowCount(const TListGrid *grid, int col)
{
    return GridIsEmpty(grid, col) ? 0 : grid->RowCount() - 1;
}

void ApplyColumnVisibility(TListGrid *grid, const QString &formName, int firstKey, int lastKey)
{
    qvx::IniFile ini(qvx::ProgramDir::path(QStringLiteral("config.ini")));
    if (!ini.sectionExists(formName))
        return;
    // A key beyond the grid's columns names no column.
    lastKey = std::min(lastKey, grid->ColCount());
    for (int key = std::max(1, firstKey); key <= lastKey; ++key) {
        const QString k = QString::number(key);
        if (ini.valueExists(formName, k) && ini.readString(formName, k).startsWith(u'0'))
            grid->HideColumn(key - 1);
    }
}

int ShownColumnCount(const ListColumns &columns)
{
    int shown = 0;
    for (int c = 0; c < columns.size(); ++c)
        if (!columns[c].hidden)
            shown = c + 1;
    return shown;
}

void SetUpListGrid(TListGrid *grid, const ListColumns &columns)
{
    const int shown = ShownColumnCount(columns);
    grid->SetColCount(shown);
    for (int c = 0; c < shown; ++c) {
        grid->SetCells(c, 0, columns[c].title);
        if (columns[c].width > 0)
            grid->SetColWidths(c, columns[c].width);
        if (columns[c].hidden)
            grid->HideColumn(c);
        grid->SetNumberColumn(c, columns[c].format == CellFormat::Money);
    }
    QVector<Qt::Alignment> aligns;
    QVector<bool> ticks;
    for (const ListColumn &c : columns) {
        aligns.append(c.align);
        ticks.append(c.checkBox);
    }
    if (ticks.contains(true)) {
        grid->SetEditing(true);
        grid->OnCanEditCell = [ticks](int col, int row) {
            return row > 0 && col >= 0 && col < ticks.size() && ticks[col];
        };
    }
    grid->OnGetAlignment = [aligns](int col, int row) -> Qt::Alignment {
        if (row == 0 || col < 0 || col >= aligns.size())
            return Qt::AlignCenter;
        return aligns[col];
    };
}

TListGrid *MakeListGrid(QWidget *parent, const char *name, const ListColumns &columns, TAlign align, int height)
{
    TListGrid *grid = MakeGrid(parent, name, {}, align, height);
    SetUpListGrid(grid, columns);
    return grid;
}

int FillList(TListGrid *grid, const ListColumns &columns, const qvx::ResultSet &rs, const ListFillOptions &options)
{
    const int n = rs.recordCount();
    if (n == 0) {
        ClearGridRows(grid, int(columns.size()) - 1);
        return 0;
    }
    ListCellTexts texts(columns, rs);
    const int last = int(columns.size()) - 1;
    QList<int> ticks;
    for (int c = 0; c <= last; ++c)
        if (columns[c].checkBox)
            ticks.append(c);
    grid->BeginUpdate();
    grid->SetRowCount(n + 1);
    for (int i = 0; i < n; ++i) {
        const int r = i + 1;
        grid->SetRowCellViews(r, last + 1, [&texts, i](int c) { return QStringView(texts.text(c, i)); });
        for (int c : ticks)
            grid->AddCheckBox(c, r, false);
        if (options.onRow)
            options.onRow(r, i);
    }
    grid->EndUpdate();
    return n;
}

void MarkRows(TListGrid *grid, std::function<bool(int row)> marked, const QColor &brush, const QColor &font)
{
    grid->OnGetCellColor = [marked = std::move(marked), brush, font](int, int row, QColor &b, QColor &f, QFont &) {
        if (row == 0)
            return;
        const bool on = marked(row);
        b = on ? brush : QColor(Qt::white);
        f = on ? font : QColor(Qt::black);
    };
}

void TickAll(TListGrid *grid, int col, bool ticked)
{
    grid->BeginUpdate();
    for (int r = 1; r < grid->RowCount(); ++r)
        grid->SetChecked(col, r, ticked);
    grid->EndUpdate();
}

QList<int> TickedRows(const TListGrid *grid, int col)
{
    QList<int> rows;
    for (int r = 1; r < grid->RowCount(); ++r)
        if (grid->IsChecked(col, r))
            rows.append(r);
    return rows;
}

bool AnyTicked(const TListGrid *grid, int col)
{
    for (int r = 1; r < grid->RowCount(); ++r)
        if (grid->IsChecked(col, r))
            return true;
    return false;
}
