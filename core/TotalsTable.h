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

class TotalsTable
{
public:
    struct Cell
    {
        int column;
        QString code;
        int row = 0;
    };

    explicit TotalsTable(QList<Cell> cells) : m_cells(std::move(cells)) {}

    const QList<Cell> &cells() const { return m_cells; }
    void clear();
    void add(const QSet<QString> &codes, qint64 amount);

    qint64 count(int column, int row = 0) const { return m_count.value(key(column, row)); }
    qint64 amount(int column, int row = 0) const { return m_amount.value(key(column, row)); }
    QString countText(int column, int row = 0) const;   // with ','
    QString amountText(int column, int row = 0) const;  // with ','

private:
    static qint64 key(int column, int row) { return (qint64(row) << 32) | quint32(column); }
    QList<Cell> m_cells;
    QHash<qint64, qint64> m_count;
    QHash<qint64, qint64> m_amount;
};
