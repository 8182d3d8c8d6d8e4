#include "core/TotalsTable.h"

#include "core/TextUtils.h"

TotalsTable::TotalsTable(QList<Cell> cells)
    : m_cells(std::move(cells)), m_count(m_cells.size(), 0), m_amount(m_cells.size(), 0)
{
}

TotalsTable TotalsTable::inColumns(const QStringList &codes)
{
    QList<Cell> cells;
    for (int i = 0; i < codes.size(); ++i)
        cells.append({i + 1, codes[i]});
    return TotalsTable(std::move(cells));
}

void TotalsTable::clear()
{
    m_count.fill(0);
    m_amount.fill(0);
}

TotalsTable::Hits TotalsTable::hitsOf(const QSet<QString> &codes) const
{
    Hits hits;
    for (int i = 0; i < m_cells.size(); ++i)
        if (codes.contains(m_cells[i].code))
            hits.append(i);
    return hits;
}

void TotalsTable::add(const Hits &hits, qint64 amount)
{
    for (const int i : hits) {
        m_count[i] += 1;
        m_amount[i] += amount;
    }
}

qint64 TotalsTable::sum(const QList<qint64> &figures, int column, int row) const
{
    // Two cells of the same place (two codes counted there) add up.
    qint64 total = 0;
    for (int i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].column == column && m_cells[i].row == row)
            total += figures[i];
    return total;
}

QString TotalsTable::countText(int column, int row) const { return CurrToMoneyStr(count(column, row)); }
QString TotalsTable::amountText(int column, int row) const { return CurrToMoneyStr(amount(column, row)); }
