#pragma once
// The totals grid of a list screen as a table: each figure column names the
// code a list row must carry to count there; a row adds 1 to the count row
// and its amount to the amount row of every column whose code it carries.
//
//   TotalsTable totals({{1, "sunab"}, {2, "jigub"}, {3, "all"}});
//   totals.add({"all", "sunab"}, 1000);
//   totals.countText(3)   // "1"
//   totals.amountText(1)  // "1,000"

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
    };

    explicit TotalsTable(QList<Cell> cells) : m_cells(std::move(cells)) {}

    const QList<Cell> &cells() const { return m_cells; }
    void clear();
    void add(const QSet<QString> &codes, qint64 amount);

    qint64 count(int column) const { return m_count.value(column); }
    qint64 amount(int column) const { return m_amount.value(column); }
    QString countText(int column) const;   // with ','
    QString amountText(int column) const;  // with ','

private:
    QList<Cell> m_cells;
    QHash<int, qint64> m_count;
    QHash<int, qint64> m_amount;
};
