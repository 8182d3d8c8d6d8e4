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
        m_count[cell.column] += 1;
        m_amount[cell.column] += amount;
    }
}

QString TotalsTable::countText(int column) const { return CurrToMoneyStr(count(column)); }
QString TotalsTable::amountText(int column) const { return CurrToMoneyStr(amount(column)); }
