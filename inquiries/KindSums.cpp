#include "inquiries/KindSums.h"

#include "core/TextUtils.h"

#include <algorithm>

KindSums::KindSums(const qvx::ResultSet &rs, int kindColumn, int amountColumn)
    : m_rs(rs), m_kindColumn(kindColumn), m_amountColumn(amountColumn)
{
}

void KindSums::add(int row)
{
    // Equal text numbers are equal texts: each amount text is read once.
    const qvx::ResultSet::TextId amountText = m_rs.textId(row, m_amountColumn);
    if (amountText >= m_amounts.size())
        m_amounts.resize(size_t(amountText) + 1);
    std::optional<qint64> &amount = m_amounts[amountText];
    if (!amount)
        amount = SafeStrToCurr(m_rs.value(row, m_amountColumn).trimmed(), 0);
    const qvx::ResultSet::TextId kindText = m_rs.textId(row, m_kindColumn);
    if (kindText >= m_kinds.size())
        m_kinds.resize(size_t(kindText) + 1);
    m_kinds[kindText].sum += *amount;
    m_kinds[kindText].lastRow = row;
}

void KindSums::forEach(const std::function<void(const QString &kind, qint64 sum)> &take) const
{
    std::vector<const Kind *> listed;
    for (const Kind &k : m_kinds)
        if (k.lastRow >= 0)
            listed.push_back(&k);
    std::sort(listed.begin(), listed.end(), [](const Kind *a, const Kind *b) { return a->lastRow < b->lastRow; });
    for (const Kind *k : listed)
        take(m_rs.value(k->lastRow, m_kindColumn), k->sum);
}
