#pragma once
// The rows of a reference list as they are stored: one typed row behind each
// list row, and the row an edit opened. The edit keeps that row (its key and
// its values) whatever the list's cursor does meanwhile and saves into it;
// after the save the list row shows what the database then holds, read back
// by key, not what was sent. A list refilled while the edit is open finds
// the row again by its key.
//
// A row type gives `static Row read(const qvx::ResultSet &rs, int i)` and
// `bool sameKey(const Row &other) const`.
//
//   ReferenceRows<AccountRow> accounts{Columns()};
//   FillList(grid, Columns(), rs); accounts.listed(rs);
//   accounts.open(grid->Row());  ...  update ... where key of *accounts.opened()
//   accounts.showStored(grid, ReadStoredRow(context, selectByNewKey));

#include "core/ListColumns.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenContext.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QString>
#include <QVector>

#include <optional>

// Writes list row `gridRow` from record `i` of `rs` in the form of the column
// table; a running-number column takes the list row's number.
void WriteListRow(TListGrid *grid, const ListColumns &columns, const qvx::ResultSet &rs, int i, int gridRow);

// The row as stored, read by `sql` (a select by the row's key); an empty
// result when it is gone or the read failed (the statement is logged then).
qvx::ResultSet ReadStoredRow(const ScreenContext &context, const QString &sql);

template <class Row>
class ReferenceRows
{
public:
    explicit ReferenceRows(const ListColumns &columns) : m_columns(columns) {}

    // The list was filled from every record of `rs`, in order.
    void listed(const qvx::ResultSet &rs)
    {
        clear();
        for (int i = 0; i < rs.recordCount(); ++i)
            m_rows.append(Row::read(rs, i));
    }
    // Record `i` of `rs` went to list row `gridRow` (a list frame's row hook);
    // row 1 begins a new list.
    void listedRow(const qvx::ResultSet &rs, int gridRow, int i)
    {
        if (gridRow == 1)
            clear();
        m_rows.resize(gridRow);
        m_rows[gridRow - 1] = Row::read(rs, i);
    }
    // The list holds no rows (or one empty row).
    void clear()
    {
        m_rows.clear();
        m_openedAt = -1;
    }

    // The stored row behind list row `gridRow`; none for the empty row.
    const Row *at(int gridRow) const
    {
        return gridRow >= 1 && gridRow <= m_rows.size() ? &m_rows[gridRow - 1] : nullptr;
    }

    // An edit opens list row `gridRow`; false when no stored row is behind it.
    bool open(int gridRow)
    {
        const Row *row = at(gridRow);
        if (!row)
            return false;
        m_opened = *row;
        m_openedAt = gridRow;
        return true;
    }
    // The row the open edit saves into; none when no edit is open.
    const Row *opened() const { return m_opened ? &*m_opened : nullptr; }
    void closeEdit()
    {
        m_opened.reset();
        m_openedAt = -1;
    }

    // After the opened row was saved: its list row takes the first record of
    // `stored`, wherever the cursor went. Nothing changes without a record or
    // when the list no longer holds the row.
    void showStored(TListGrid *grid, const qvx::ResultSet &stored)
    {
        if (!m_opened || stored.isEmpty())
            return;
        int place = m_openedAt;
        if (place < 1) {
            for (int r = 0; r < m_rows.size() && place < 1; ++r)
                if (m_rows[r].sameKey(*m_opened))
                    place = r + 1;
        }
        if (place < 1)
            return;
        WriteListRow(grid, m_columns, stored, 0, place);
        m_rows[place - 1] = Row::read(stored, 0);
    }

    // After an insert: the first record of `stored` appended to the list
    // (row 1 of an empty list). Returns the list row, 0 without a record.
    int appendStored(TListGrid *grid, const qvx::ResultSet &stored)
    {
        if (stored.isEmpty())
            return 0;
        const int gridRow = GridIsEmpty(grid) ? 1 : grid->RowCount();
        if (gridRow >= grid->RowCount())
            grid->SetRowCount(gridRow + 1);
        WriteListRow(grid, m_columns, stored, 0, gridRow);
        m_rows.resize(gridRow);
        m_rows[gridRow - 1] = Row::read(stored, 0);
        return gridRow;
    }

    // List row `gridRow` has left the list; the rows after it move up.
    void removed(int gridRow)
    {
        if (!at(gridRow))
            return;
        m_rows.remove(gridRow - 1);
        if (m_openedAt == gridRow)
            m_openedAt = -1;
        else if (m_openedAt > gridRow)
            --m_openedAt;
    }

    int count() const { return int(m_rows.size()); }

private:
    const ListColumns &m_columns;
    QVector<Row> m_rows;          // list row r at r - 1
    std::optional<Row> m_opened;
    int m_openedAt = -1;          // the opened row's list row; -1 once the list was refilled
};
