#pragma once
// The totals grid of a list screen as a table: each figure column names the
// code a list row must carry to count there; a row adds 1 to the count row
// and its amount to the amount row of every column whose code it carries.
//
//   TotalsTable totals({{1, "sunab"}, {2, "jigub"}, {3, "all"}});
//   totals.add({"all", "sunab"}, 1000);
//   totals.countText(3)   // "1"
//   totals.amountText(1)  // "1,000"
//
// A cell may also name a row (relative to the rows the writer is given), so
// that one table holds figures in several rows of the same column, for
// example the amounts of each transaction kind in a row of its own.

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class TotalsTable
{
public:
    struct Cell
    {
        int column;
        QString code;
        int row = 0;
    };
    // The cells (positions in cells()) that a set of codes counts in: found
    // once for a kind of row, then added row after row without a text compared.
    using Hits = QList<int>;

    explicit TotalsTable(QList<Cell> cells);
    // One cell a figure column in the first row: codes[0] counts in column 1,
    // codes[1] in column 2, ... (the common form of the lists' totals).
    static TotalsTable inColumns(const QStringList &codes);

    const QList<Cell> &cells() const { return m_cells; }
    void clear();
    void add(const QSet<QString> &codes, qint64 amount) { add(hitsOf(codes), amount); }
    Hits hitsOf(const QSet<QString> &codes) const;
    void add(const Hits &hits, qint64 amount);

    qint64 count(int column, int row = 0) const { return sum(m_count, column, row); }
    qint64 amount(int column, int row = 0) const { return sum(m_amount, column, row); }
    QString countText(int column, int row = 0) const;   // with ','
    QString amountText(int column, int row = 0) const;  // with ','

private:
    qint64 sum(const QList<qint64> &figures, int column, int row) const;
    QList<Cell> m_cells;
    QList<qint64> m_count;  // per cell
    QList<qint64> m_amount; // per cell
};
