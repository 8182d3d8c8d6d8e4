#pragma once
// The arithmetic of the open-addressed duplicate indexes of the conversions:
// a hash spread over all its bits (a combined string hash is weak in its low
// bits), the slot's tag and the table size for a number of rows.

#include <QtGlobal>

// The low bits pick the first slot, the high half is the slot's tag.
inline quint64 SpreadHash(quint64 h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

inline quint32 HashTag(quint64 spreadHash)
{
    return quint32(spreadHash >> 32);
}

// A power of two of at least 16 slots and at least two for each row.
inline qsizetype SlotCountFor(qsizetype rows)
{
    qsizetype size = 16;
    while (size < rows * 2)
        size *= 2;
    return size;
}
