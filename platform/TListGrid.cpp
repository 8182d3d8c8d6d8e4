#include "platform/TListGrid.h"

#include "platform/Spreadsheet.h"
#include "platform/TextFile.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace {
const QColor kFixedBrush(0xD4, 0xD0, 0xC8);
}

// ---------------------------------------------------------------- model

TListGridModel::TListGridModel(TListGrid *grid)
    : QAbstractTableModel(grid), m_grid(grid)
{
    m_cells.reserveColumns(m_cols);
    m_cells.setRowCount(5);
}

int TListGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cells.rowCount();
}

int TListGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

void TListGridModel::resize(int cols, int rows)
{
    beginResetModel();
    m_cols = std::max(0, cols);
    m_cells.reserveColumns(m_cols);
    m_cells.setRowCount(rows);
    endResetModel();
}

void TListGridModel::insertRowAt(int row)
{
    row = std::clamp(row, 0, m_cells.rowCount());
    beginInsertRows(QModelIndex(), row, row);
    m_cells.insertRow(row);
    endInsertRows();
}

void TListGridModel::removeRowAt(int row)
{
    if (row < 0 || row >= m_cells.rowCount())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    m_cells.removeRow(row);
    endRemoveRows();
}

void TListGridModel::notifyAll()
{
    beginResetModel();
    endResetModel();
}

void TListGridModel::notifyCell(int col, int row)
{
    if (row < m_cells.rowCount() && col < m_cols) {
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i);
    }
}

QVariant TListGridModel::data(const QModelIndex &index, int role) const
{
    const int col = index.column();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_cells.text(col, row);
    case Qt::CheckStateRole:
        if (m_cells.hasCheck(col, row))
            return m_cells.checked(col, row) ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::TextAlignmentRole:
        if (m_grid->OnGetAlignment)
            return QVariant::fromValue(m_grid->OnGetAlignment(col, row) | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
    case Qt::FontRole: {
        const bool fixed = row < m_grid->FixedRows() || col < m_grid->FixedCols();
        QColor brush = fixed ? kFixedBrush : QColor(Qt::white);
        QColor fontColor(Qt::black);
        QFont font = m_grid->font();
        if (m_grid->OnGetCellColor)
            m_grid->OnGetCellColor(col, row, brush, fontColor, font);
        if (role == Qt::BackgroundRole)
            return brush;
        if (role == Qt::ForegroundRole)
            return fontColor;
        return font;
    }
    default:
        return QVariant();
    }
}

bool TListGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const int col = index.column();
    const int row = index.row();
    if (role == Qt::CheckStateRole && m_cells.hasCheck(col, row)) {
        const bool on = value.toInt() == Qt::Checked;
        m_cells.setCheck(col, row, true, on);
        emit dataChanged(index, index);
        if (m_grid->OnCheckBoxClick)
            m_grid->OnCheckBoxClick(col, row, on);
        return true;
    }
    if (role == Qt::EditRole) {
        m_cells.setText(col, row, value.toString());
        emit dataChanged(index, index);
        if (m_grid->OnCellEdited)
            m_grid->OnCellEdited(col, row, value.toString());
        return true;
    }
    return false;
}

Qt::ItemFlags TListGridModel::flags(const QModelIndex &index) const
{
    // No cell: the model's root, which holds no item.
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int col = index.column();
    const int row = index.row();
    const bool fixed = row < m_grid->FixedRows() || col < m_grid->FixedCols();
    bool editable = m_grid->Editing() && !fixed;
    if (editable && m_grid->OnCanEditCell)
        editable = m_grid->OnCanEditCell(col, row);
    if (m_cells.hasCheck(col, row)) {
        if (editable)
            f |= Qt::ItemIsUserCheckable;
    } else if (editable) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

// ---------------------------------------------------------------- grid

TListGrid::TListGrid(QWidget *parent)
    : QTableView(parent), m_model(new TListGridModel(this))
{
    setModel(m_model);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TListGrid::scheduleFit);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &TListGrid::scheduleFit);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &TListGrid::scheduleFit);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &TListGrid::scheduleFit);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    verticalHeader()->setMinimumSectionSize(8);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab and Shift+Tab pass on to the next control, as from any other
    // control, so the buttons under a list stay in reach; arrows move
    // within the list.
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex &i) {
        if (OnClickCell)
            OnClickCell(i.column(), i.row());
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex &i) {
        if (OnDblClickCell)
            OnDblClickCell(i.column(), i.row());
    });
}

int TListGrid::ColCount() const { return m_model->m_cols; }

void TListGrid::SetColCount(int cols)
{
    if (cols == m_model->m_cols)
        return;
    m_model->resize(cols, m_model->m_cells.rowCount());
    applySpans();
}

int TListGrid::RowCount() const { return m_model->m_cells.rowCount(); }

void TListGrid::SetRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows == RowCount())
        return;
    if (m_updateDepth > 0) {
        m_model->m_cells.setRowCount(rows);
        m_dirty = true;
        return;
    }
    m_model->resize(m_model->m_cols, rows);
    applySpans();
}

void TListGrid::SetFixedRows(int n)
{
    m_fixedRows = std::max(0, n);
    m_model->notifyAll();
}

void TListGrid::SetFixedCols(int n)
{
    m_fixedCols = std::max(0, n);
    m_model->notifyAll();
}

QString TListGrid::Cells(int col, int row) const { return m_model->m_cells.text(col, row); }
QStringView TListGrid::CellView(int col, int row) const { return m_model->m_cells.view(col, row); }

void TListGrid::SetCells(int col, int row, const QString &text)
{
    const bool grew = row >= RowCount();
    m_model->m_cells.setText(col, row, text);
    cellsWritten(row, col, 1, grew);
}

void TListGrid::SetRowCells(int row, int count, const std::function<QString(int col)> &text)
{
    const bool grew = row >= RowCount();
    QString held; // each text lives until the storage has copied it
    m_model->m_cells.setRow(row, count, [&text, &held](int col) {
        held = text(col);
        return held.isNull() ? QStringView() : QStringView(held);
    });
    cellsWritten(row, 0, count, grew);
}

void TListGrid::SetRowCellViews(int row, int count, const std::function<QStringView(int col)> &text)
{
    const bool grew = row >= RowCount();
    m_model->m_cells.setRow(row, count, text);
    cellsWritten(row, 0, count, grew);
}

quint32 TListGrid::AddCellText(int col, QStringView text)
{
    return m_model->m_cells.addText(col, text);
}

void TListGrid::AddCellTexts(const std::vector<int> &cols, int count,
                             const std::function<QStringView(int col, int i)> &text,
                             std::vector<std::vector<quint32>> *numbers)
{
    m_model->m_cells.addColumnTexts(cols, count, text, numbers);
}

void TListGrid::SetRowCellNumbers(int row, int count, const quint32 *numbers)
{
    const bool grew = row >= RowCount();
    m_model->m_cells.setRowNumbers(row, count, numbers);
    cellsWritten(row, 0, count, grew);
}

void TListGrid::cellsWritten(int row, int firstCol, int count, bool grew)
{
    if (m_updateDepth > 0) {
        m_dirty = true;
        return;
    }
    if (grew)
        m_model->notifyAll();
    else
        for (int col = firstCol; col < firstCol + count; ++col)
            m_model->notifyCell(col, row);
}

void TListGrid::AddCheckBox(int col, int row, bool checked)
{
    m_model->m_cells.setCheck(col, row, true, checked);
    if (m_updateDepth > 0)
        m_dirty = true;
    else
        m_model->notifyCell(col, row);
}

void TListGrid::RemoveCheckBox(int col, int row)
{
    m_model->m_cells.setCheck(col, row, false, false);
    if (m_updateDepth > 0)
        m_dirty = true;
    else
        m_model->notifyCell(col, row);
}

bool TListGrid::HasCheckBox(int col, int row) const { return m_model->m_cells.hasCheck(col, row); }
bool TListGrid::IsChecked(int col, int row) const { return m_model->m_cells.checked(col, row); }

void TListGrid::SetChecked(int col, int row, bool checked)
{
    if (!m_model->m_cells.hasCheck(col, row))
        return;
    m_model->m_cells.setCheck(col, row, true, checked);
    if (m_updateDepth > 0)
        m_dirty = true;
    else
        m_model->notifyCell(col, row);
}

void TListGrid::HideColumn(int col) { setColumnHidden(col, true); }
bool TListGrid::IsColumnHidden(int col) const { return isColumnHidden(col); }
int TListGrid::ColWidths(int col) const { return columnWidth(col); }

void TListGrid::SetColWidths(int col, int width)
{
    if (col < 0)
        return;
    if (m_givenWidths.size() <= col)
        m_givenWidths.resize(col + 1, -1);
    m_givenWidths[col] = width;
    setColumnWidth(col, qMax(width, width > 0 ? NeededWidth(col) : 0));
}

namespace {

// A text's width in character cells: a character beyond ASCII takes two, as
// in the fixed-pitch face the program draws in. Finds the widest text of a
// column without measuring every one. Counted four characters at a time, as
// a fit reads every text of a long list.
int cellsOf(QStringView text)
{
    const char16_t *p = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    int wide = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 four;
        std::memcpy(&four, p + i, sizeof four);
        // Bits 7..15 of each 16-bit character moved down to its bits 0..8;
        // adding 0x1FF sets its bit 9 when any of them was set.
        const quint64 high = (four >> 7) & 0x01FF01FF01FF01FFull;
        wide += std::popcount((high + 0x01FF01FF01FF01FFull) & 0x0200020002000200ull);
    }
    for (; i < size; ++i)
        wide += p[i] >= 0x80 ? 1 : 0;
    return int(size) + wide;
}

} // namespace

int TListGrid::NeededWidth(int col) const
{
    return neededWidths({col}).value(0);
}

// The widths of several columns. A long list's cells are read row by row
// once, to mark which texts of each column its data rows show; then each
// shown text is measured once, in the order the column keeps them.
QList<int> TListGrid::neededWidths(const QList<int> &cols) const
{
    const QFontMetrics plain(font());
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    // Cell padding as the view draws it, and a little air.
    const int padding = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 6;
    const auto spanned = [this](int col, int row) {
        for (const Span &s : m_spans)
            if (s.row <= row && row < s.row + s.rows && s.col <= col && col < s.col + s.cols && s.cols > 1)
                return true;
        return false;
    };
    const ListGridCells &cells = m_model->m_cells;
    const int rows = cells.rowCount();
    const int headerRows = std::min(m_fixedRows, rows);
    std::vector<std::vector<char>> shown(size_t(cols.size()));
    for (int i = 0; i < cols.size(); ++i)
        shown[i].assign(cells.textCount(cols[i]), 0);
    for (int row = headerRows; row < rows; ++row)
        for (int i = 0; i < cols.size(); ++i)
            shown[i][cells.textNumber(cols[i], row)] = 1;
    QList<int> widths;
    widths.reserve(cols.size());
    for (int i = 0; i < cols.size(); ++i) {
        const int col = cols[i];
        int width = 0;
        // Headers are few and may be drawn bold by a colour hook: measured each.
        for (int row = 0; row < headerRows; ++row) {
            const QStringView text = cells.view(col, row);
            if (!text.isEmpty() && !spanned(col, row))
                width = qMax(width, bold.horizontalAdvance(text.toString()) + padding);
        }
        quint32 widest = 0; // the data text of most character cells
        int widestCells = -1;
        for (quint32 n = 1; n < quint32(shown[i].size()); ++n) {
            if (!shown[i][n])
                continue;
            const QStringView text = cells.textOfNumber(col, n);
            // No text is wider in cells than it has characters times two.
            if (text.isEmpty() || text.size() * 2 <= widestCells)
                continue;
            const int c = cellsOf(text);
            if (c > widestCells) {
                widestCells = c;
                widest = n;
            }
        }
        if (widest != 0) {
            const QString text = cells.textOfNumber(col, widest).toString();
            width = qMax(width, qMax(plain.horizontalAdvance(text), bold.horizontalAdvance(text)) + padding);
        }
        widths.append(width);
    }
    return widths;
}

void TListGrid::FitColumns()
{
    m_fitPending = false;
    QList<int> cols;
    for (int col = 0; col < m_givenWidths.size(); ++col)
        if (m_givenWidths[col] > 0 && !isColumnHidden(col))
            cols.append(col);
    const QList<int> needed = neededWidths(cols);
    for (int i = 0; i < cols.size(); ++i) {
        const int width = qMax(m_givenWidths[cols[i]], needed[i]);
        if (width != columnWidth(cols[i]))
            setColumnWidth(cols[i], width);
    }
}

void TListGrid::scheduleFit()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, [this] { if (m_fitPending) FitColumns(); }, Qt::QueuedConnection);
}

void TListGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        scheduleFit();
}
void TListGrid::SetDefaultRowHeight(int h) { verticalHeader()->setDefaultSectionSize(h); }

void TListGrid::MergeCells(int col, int row, int colSpan, int rowSpan)
{
    m_spans.append({col, row, colSpan, rowSpan});
    setSpan(row, col, rowSpan, colSpan);
}

void TListGrid::applySpans()
{
    for (const Span &s : m_spans)
        if (s.row < RowCount() && s.col < ColCount())
            setSpan(s.row, s.col, s.rows, s.cols);
}

void TListGrid::InsertRow(int row) { m_model->insertRowAt(row); }
void TListGrid::DeleteRow(int row) { m_model->removeRowAt(row); }

void TListGrid::ClearRows(int fromRow, int toRow)
{
    ClearBlock(0, fromRow, std::numeric_limits<int>::max() - 1, toRow);
}

void TListGrid::ClearBlock(int col1, int row1, int col2, int row2)
{
    m_model->m_cells.clearBlock(col1, row1, col2, row2);
    if (m_updateDepth > 0)
        m_dirty = true;
    else
        m_model->notifyAll();
}

void TListGrid::BeginUpdate()
{
    if (m_updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void TListGrid::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0) {
        if (m_dirty) {
            m_model->notifyAll();
            applySpans();
            m_dirty = false;
            FitColumns(); // a filled list shows its texts whole at once
        }
        setUpdatesEnabled(true);
    }
}

// The current cell is never a fixed one while data rows (columns) exist, as
// the screens read the current row as a data row.
int TListGrid::Row() const
{
    const QModelIndex i = currentIndex();
    if (!i.isValid() || (i.row() < m_fixedRows && RowCount() > m_fixedRows))
        return m_fixedRows;
    return i.row();
}

int TListGrid::Col() const
{
    const QModelIndex i = currentIndex();
    if (!i.isValid() || (i.column() < m_fixedCols && ColCount() > m_fixedCols))
        return m_fixedCols;
    return i.column();
}

void TListGrid::SetRow(int row) { SetCurrent(Col(), row); }

void TListGrid::SetCurrent(int col, int row)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= std::max(1, ColCount()))
        return;
    const QModelIndex i = m_model->index(row, col);
    setCurrentIndex(i);
    scrollTo(i);
}

int TListGrid::FindRow(const QString &text, int col, int fromRow, bool wrap) const
{
    if (text.isEmpty())
        return -1;
    const int rows = RowCount();
    const int first = m_fixedRows;
    auto matches = [&](int r) {
        if (col >= 0)
            return CellView(col, r).contains(text);
        for (int c = 1; c < ColCount(); ++c)
            if (CellView(c, r).contains(text))
                return true;
        return false;
    };
    for (int r = std::max(fromRow, first); r < rows; ++r)
        if (matches(r))
            return r;
    if (wrap)
        for (int r = first; r < std::min(fromRow, rows); ++r)
            if (matches(r))
                return r;
    return -1;
}

bool TListGrid::SaveToText(const QString &fileName, const QString &separator, bool includeHidden,
                           QString *error) const
{
    QStringList lines;
    lines.reserve(RowCount());
    // Each line made straight from the cells, without a text a cell.
    for (int r = 0; r < RowCount(); ++r) {
        QString line;
        bool first = true;
        for (int c = 0; c < ColCount(); ++c) {
            if (!includeHidden && isColumnHidden(c))
                continue;
            if (!first)
                line += separator;
            line += CellView(c, r);
            first = false;
        }
        lines << line;
    }
    return qvx::TextFile::writeLines(fileName, lines, error);
}

bool TListGrid::SaveToXLS(const QString &fileName, QString *error) const
{
    QVector<QStringList> rows;
    rows.reserve(RowCount());
    for (int r = 0; r < RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < ColCount(); ++c)
            if (!isColumnHidden(c))
                cells << Cells(c, r);
        rows << cells;
    }
    QVector<bool> numbers;
    for (int c = 0; c < ColCount(); ++c)
        if (!isColumnHidden(c))
            numbers << IsNumberColumn(c);
    return qvx::Spreadsheet::write(fileName, rows, error, QStringLiteral("Sheet1"), numbers);
}

void TListGrid::SetNumberColumn(int col, bool on)
{
    if (col < 0)
        return;
    if (m_numberCols.size() <= col)
        m_numberCols.resize(col + 1);
    m_numberCols[col] = on;
}

bool TListGrid::isFixedCell(const QModelIndex &index) const
{
    return index.isValid() && (index.row() < m_fixedRows || index.column() < m_fixedCols);
}

void TListGrid::mousePressEvent(QMouseEvent *event)
{
    // A click on a title cell leaves the current cell where it is.
    if (isFixedCell(indexAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

QModelIndex TListGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    QModelIndex i = QTableView::moveCursor(action, modifiers);
    if (!i.isValid())
        return i;
    const int row = i.row() < m_fixedRows && RowCount() > m_fixedRows ? m_fixedRows : i.row();
    const int col = i.column() < m_fixedCols && ColCount() > m_fixedCols ? m_fixedCols : i.column();
    return m_model->index(row, col);
}

void TListGrid::keyPressEvent(QKeyEvent *event)
{
    if (OnKeyDown && OnKeyDown(event))
        return;
    QTableView::keyPressEvent(event);
}
