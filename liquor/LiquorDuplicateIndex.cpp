#include "liquor/LiquorDuplicateIndex.h"

#include "core/HashSlots.h"

#include <QHashFunctions>

quint64 LiquorDuplicateIndex::hashOf(QStringView name, QStringView groupedAmount)
{
    // Spread over all bits: the low ones pick the slot.
    return SpreadHash(quint64(qHashMulti(0, name, groupedAmount)));
}

qsizetype LiquorDuplicateIndex::slotOf(quint64 hash) const
{
    const qsizetype mask = m_slots.size() - 1;
    const quint32 tag = HashTag(hash);
    const Slot *table = m_slots.constData();
    for (qsizetype i = qsizetype(hash) & mask;; i = (i + 1) & mask) {
        const Slot &slot = table[i];
        if (slot.last == 0 || (slot.tag == tag && m_entries[slot.last - 1].hash == hash))
            return i;
    }
}

void LiquorDuplicateIndex::grow(qsizetype rows)
{
    if (rows * 2 <= m_slots.size())
        return;
    m_slots = QVector<Slot>(SlotCountFor(rows));
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        Slot &slot = m_slots[slotOf(m_entries[i].hash)];
        slot.tag = HashTag(m_entries[i].hash);
        m_entries[i].next = slot.last - 1;
        slot.last = int(i + 1);
    }
}

void LiquorDuplicateIndex::reserve(qsizetype rows, qsizetype chars)
{
    m_entries.reserve(rows);
    m_text.reserve(chars);
    grow(rows);
}

void LiquorDuplicateIndex::add(QStringView name, QStringView groupedAmount, QStringView info)
{
    add(hashOf(name, groupedAmount), name, groupedAmount, info);
}

void LiquorDuplicateIndex::add(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info)
{
    int ends[3];
    const QChar *text = m_text.append({name, groupedAmount, info}, ends);
    addKept(hash, QStringView(text, ends[0]), QStringView(text + ends[0], ends[1] - ends[0]),
            QStringView(text + ends[1], ends[2] - ends[1]));
}

void LiquorDuplicateIndex::addKept(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info)
{
    grow(m_entries.size() + 1);
    Slot &slot = m_slots[slotOf(hash)];
    m_entries.append({hash, name.data(), groupedAmount.data(), info.data(), int(name.size()),
                      int(groupedAmount.size()), int(info.size()), slot.last - 1});
    slot.tag = HashTag(hash);
    slot.last = int(m_entries.size());
}

bool LiquorDuplicateIndex::contains(QStringView name, QStringView groupedAmount, QStringView info,
                                    bool anyInfo) const
{
    return contains(hashOf(name, groupedAmount), name, groupedAmount, info, anyInfo);
}

void LiquorDuplicateIndex::prefetch(quint64 hash) const
{
    if (!m_slots.isEmpty())
        __builtin_prefetch(m_slots.constData() + (qsizetype(hash) & (m_slots.size() - 1)));
}

bool LiquorDuplicateIndex::contains(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info,
                                    bool anyInfo) const
{
    if (m_slots.isEmpty())
        return false;
    for (int i = m_slots[slotOf(hash)].last - 1; i >= 0; i = m_entries[i].next) {
        const Entry &e = m_entries[i];
        if (QStringView(e.name, e.nameSize) == name && QStringView(e.money, e.moneySize) == groupedAmount
            && (anyInfo || QStringView(e.info, e.infoSize) == info))
            return true;
    }
    return false;
}
