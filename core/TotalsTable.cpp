#include "core/TotalsTable.h"

#include "core/TextUtils.h"

void TotalsTable::clear()
{
    m_count.clear();
    m_amount.clear();
}

void TotalsTable::add(const QSet<QString> &codes, qint64 amount)
{
    for (const Cell &cell : m_cells) {
        if (!codes.contains(cell.code))
            continue;
        m_count[key(cell.column, cell.row)] += 1;
        m_amount[key(cell.column, cell.row)] += amount;
    }
}

QString TotalsTable::countText(int column, int row) const { return CurrToMoneyStr(count(column, row)); }
QString TotalsTable::amountText(int column, int row) const { return CurrToMoneyStr(amount(column, row)); }
