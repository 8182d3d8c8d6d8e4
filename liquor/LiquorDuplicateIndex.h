#pragma once
// The rows of a liquor conversion's list by counterparty name and grouped
// amount (and other information), so that the duplicate test of every line
// is one look-up. The texts are copied into blocks held here, or left where
// the caller keeps them: a line adds no string of its own.

#include "liquor/LiquorTextArena.h"

#include <QString>
#include <QStringView>
#include <QVector>

class LiquorDuplicateIndex
{
public:
    void add(QStringView name, QStringView groupedAmount, QStringView info);
    // anyInfo: name and amount alone decide; otherwise the other information
    // must be the same too.
    bool contains(QStringView name, QStringView groupedAmount, QStringView info, bool anyInfo) const;
    // The same with the hash of name and amount made once (hashOf), and its
    // slot read ahead of a look-up soon to come.
    static quint64 hashOf(QStringView name, QStringView groupedAmount);
    void add(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info);
    // The same for texts the caller keeps, unchanged, as long as the index.
    void addKept(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info);
    bool contains(quint64 hash, QStringView name, QStringView groupedAmount, QStringView info, bool anyInfo) const;
    void prefetch(quint64 hash) const;
    void reserve(qsizetype rows, qsizetype chars);
    qsizetype size() const { return m_entries.size(); }

private:
    struct Entry
    {
        quint64 hash;
        const QChar *name;
        const QChar *money;
        const QChar *info;
        int nameSize;
        int moneySize;
        int infoSize;
        int next; // the entry before it in the same slot, -1 for none
    };
    // A slot of the open-addressed table: the high half of the hash, and its
    // latest entry plus one (0: free). A look-up that misses reads no entry.
    struct Slot
    {
        quint32 tag = 0;
        int last = 0;
    };
    qsizetype slotOf(quint64 hash) const;
    void grow(qsizetype rows);

    QVector<Entry> m_entries;
    QVector<Slot> m_slots; // a power of two long, at most half full
    LiquorTextArena m_text;
};
