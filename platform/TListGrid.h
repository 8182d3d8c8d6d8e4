#pragma once

#include "platform/ListGridCells.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QTableView>
#include <QString>
#include <QVector>

#include <functional>

class TListGrid;

// The Qt model of a TListGrid over its cell storage. Row 0 is the header row
// and is shown as an ordinary (fixed) row.
class TListGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TListGridModel(TListGrid *grid);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Changes of the storage's shape, with their notifications.
    void resize(int cols, int rows);
    void insertRowAt(int row);
    void removeRowAt(int row);
    void notifyAll();
    void notifyCell(int col, int row);

private:
    TListGrid *m_grid;
    ListGridCells m_cells; // written by the grid, which brackets its changes
    int m_cols = 5;
    friend class TListGrid;
};

// The list control of every screen: cells addressed by (column, row) with row 0
// the header, fixed rows and columns, hidden columns that keep their data,
// check boxes, alignment and colour hooks, merged cells, search and export.
class TListGrid : public QTableView
{
    Q_OBJECT
public:
    explicit TListGrid(QWidget *parent = nullptr);

    // Dimensions (fixed rows and columns included).
    int ColCount() const;
    void SetColCount(int cols);
    int RowCount() const;
    void SetRowCount(int rows);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int n);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int n);

    // Cell texts. Reading a cell that was never written gives an empty text;
    // writing beyond ColCount keeps the value with the row without showing it.
    QString Cells(int col, int row) const;
    void SetCells(int col, int row, const QString &text);
    // Cells 0 .. count - 1 of a row at once, text(col) giving each (a list
    // filled with many rows sets each row in one step).
    void SetRowCells(int row, int count, const std::function<QString(int col)> &text);
    // The same from views the caller keeps alive until the call returns (a
    // null view leaves the cell without a text): the grid copies what it keeps.
    // The way to fill a long list: no allocation a cell.
    void SetRowCellViews(int row, int count, const std::function<QStringView(int col)> &text);
    // The fastest fill, for rows that share many of their texts: each text
    // added to its column once, the rows' cells set to texts by number (see
    // ListGridCells::addText). Meant between BeginUpdate and EndUpdate.
    quint32 AddCellText(int col, QStringView text);
    void AddCellTexts(const std::vector<int> &cols, int count, const std::function<QStringView(int col, int i)> &text,
                      std::vector<std::vector<quint32>> *numbers);
    void SetRowCellNumbers(int row, int count, const quint32 *numbers);
    // A cell's text without a copy, for code that reads whole columns of a
    // long list. The view is valid until the next change of the grid's cells
    // or rows; null where Cells() is.
    QStringView CellView(int col, int row) const;

    // Check boxes (screens put them in column 0).
    void AddCheckBox(int col, int row, bool checked = false);
    void RemoveCheckBox(int col, int row);
    bool HasCheckBox(int col, int row) const;
    bool IsChecked(int col, int row) const;
    void SetChecked(int col, int row, bool checked);

    // Columns.
    void HideColumn(int col);
    bool IsColumnHidden(int col) const;
    // A shown column is drawn at least as wide as its widest text, header
    // included, in the grid's font; the width a screen gives is the least it
    // gets (0 keeps a column out of sight). The fit follows every change of
    // the cells or the font, once the event loop runs, or at once by FitColumns.
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    void FitColumns();
    // The width column `col` needs for its widest text in the grid's font.
    int NeededWidth(int col) const;
    void SetDefaultRowHeight(int h);

    // Merged cells (fixed header groups).
    void MergeCells(int col, int row, int colSpan, int rowSpan);

    // Rows.
    void InsertRow(int row);
    void DeleteRow(int row);
    void ClearRows(int fromRow, int toRow);       // empties the cells of those rows
    void ClearBlock(int col1, int row1, int col2, int row2);
    void BeginUpdate();
    void EndUpdate();

    // Current cell and selection.
    int Row() const;
    int Col() const;
    void SetRow(int row);
    void SetCurrent(int col, int row);

    // Editing: when false no cell is editable; otherwise OnCanEditCell decides.
    bool Editing() const { return m_editing; }
    void SetEditing(bool on) { m_editing = on; }

    // Search: the first row at or after `fromRow` (wrapping to the first data row
    // when `wrap`) whose text in `col` (or in any column from 1 when col < 0)
    // contains `text`. Returns -1 when none.
    int FindRow(const QString &text, int col, int fromRow, bool wrap = false) const;

    // Export. Text: one line per row, cells joined by `separator`, CR LF line
    // ends, CP949 on disk. Spreadsheet: every row and column shown or not as it
    // is in the grid (hidden columns left out), written to `fileName`.
    bool SaveToText(const QString &fileName, const QString &separator = QStringLiteral("\t"),
                    bool includeHidden = false, QString *error = nullptr) const;
    // A number column (amounts, counts) goes into a spreadsheet as numbers
    // whenever its cells are all amounts, also where none needs a ',' group.
    bool SaveToXLS(const QString &fileName, QString *error = nullptr) const;
    void SetNumberColumn(int col, bool on = true);
    bool IsNumberColumn(int col) const { return m_numberCols.value(col); }

    // Hooks, named as the screens name their handlers.
    std::function<Qt::Alignment(int col, int row)> OnGetAlignment;
    // Brush and font colour (and bold) of a cell; leave the arguments alone for the default.
    std::function<void(int col, int row, QColor &brush, QColor &fontColor, QFont &font)> OnGetCellColor;
    std::function<bool(int col, int row)> OnCanEditCell;
    std::function<void(int col, int row)> OnClickCell;
    std::function<void(int col, int row)> OnDblClickCell;
    std::function<void(int col, int row, bool checked)> OnCheckBoxClick;
    // Return true to swallow the key.
    std::function<bool(QKeyEvent *event)> OnKeyDown;
    std::function<void(int col, int row, const QString &text)> OnCellEdited;

    TListGridModel *gridModel() const { return m_model; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    // Shows cells just written, or marks the grid dirty inside an update.
    void cellsWritten(int row, int firstCol, int count, bool grew);
    void applySpans();
    void scheduleFit();
    QList<int> neededWidths(const QList<int> &cols) const;
    bool isFixedCell(const QModelIndex &index) const;
    friend class TListGridModel;
    TListGridModel *m_model;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    int m_updateDepth = 0;
    bool m_dirty = false;
    bool m_editing = false;
    struct Span { int col, row, cols, rows; };
    QVector<Span> m_spans;
    QVector<int> m_givenWidths; // per column as the screen set it; -1 none
    QVector<bool> m_numberCols;
    bool m_fitPending = false;
};
