#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <map>

namespace qvx {

// The cell texts of one sheet as read from a workbook, held sparsely: only
// cells that hold a text take room, so a cell far to the right or far down
// costs no more than one in the first column. Rows and columns count from 0.
class SheetCells
{
public:
    // The most cells a sheet read from a file may hold; beyond it the read
    // is refused rather than holding an unbounded number of texts.
    static constexpr qsizetype MaxCells = 2'000'000;
    // The refusal of a sheet with more cells than that.
    static QString tooManyCellsMessage();

    // Sets a cell; an empty text clears it.
    void set(int row, int column, const QString &text);
    void clear() { m_rows.clear(); m_count = 0; }

    QString cell(int row, int column) const;
    // One past the last row that holds a text (0 for an empty sheet).
    int rowCount() const { return m_rows.empty() ? 0 : m_rows.rbegin()->first + 1; }
    // One past the row's last column that holds a text.
    int columnCount(int row) const;
    qsizetype cellCount() const { return m_count; }
    // The cells dense rows of this sheet would hold: per row, up to its
    // last text.
    qsizetype paddedCellCount() const;
    bool isEmpty() const { return m_count == 0; }

    // The first `columns` cells of a row, up to its last text among them.
    QStringList row(int row, int columns = 256) const;
    // Every row up to rowCount() as its first `columns` cells (see row()).
    QVector<QStringList> rows(int columns = 256) const;

private:
    std::map<int, std::map<int, QString>> m_rows;
    qsizetype m_count = 0;
};

} // namespace qvx
