#include "controls/panels/KitLzrw.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// how far back a match reaches and how long it is; how long a run of one byte is
constexpr int MaxDistance = 4095, MaxMatch = 18, MinMatch = 3;
constexpr int MinRun = 16, MaxRun = 4095;
constexpr uint16_t EmptySlot = 0xFFFF;

inline void put16(uint8_t *p, uint16_t v)
{
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v & 0xFF);
}

inline unsigned hash3(const uint8_t *p)
{
    const uint32_t v = ((((uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2]) * 40543u;
    return (v >> 4) & 0xFFF;
}

} // namespace

int LZRWCompress(const uint8_t *Source, uint8_t *Dest, int Count)
{
    if (Count < 0)
        Count = 0;
    std::vector<uint16_t> table(4096, EmptySlot);

    Dest[0] = KitBlockCompressed;
    int slot = 1;
    int p = 3;
    int i = 0;
    int items = 0;
    uint32_t word = 0;

    while (i < Count && p <= Count) {
        if (items == 16) {
            put16(Dest + slot, uint16_t(word));
            slot = p;
            p += 2;
            items = 0;
            word = 0;
        }
        int run = 1;
        while (run < MaxRun && i + run < Count && Source[i + run] == Source[i])
            ++run;
        if (run >= MinRun) {
            Dest[p] = 0;
            put16(Dest + p + 1, uint16_t(run - MinRun));
            Dest[p + 3] = Source[i];
            i += run;
            p += 4;
            word = (word << 1) | 1;
        } else {
            int len = 0;
            int distance = 0;
            // Fewer than three bytes left can never make a reference (nor a
            // later one), so the hash is only taken where three bytes exist.
            if (Count - i >= MinMatch) {
                const unsigned h = hash3(Source + i);
                const uint16_t cand = table[h];
                if (cand != EmptySlot && i - int(cand) <= MaxDistance) {
                    const int limit = std::min(MaxMatch, Count - i);
                    while (len < limit && Source[cand + len] == Source[i + len])
                        ++len;
                    distance = i - int(cand);
                }
                table[h] = uint16_t(i);
            }
            if (len >= MinMatch) {
                put16(Dest + p, uint16_t(distance * 16 + (len - MinMatch)));
                i += len;
                p += 2;
                word = (word << 1) | 1;
            } else {
                Dest[p] = Source[i];
                ++i;
                ++p;
                word <<= 1;
            }
        }
        ++items;
    }
    put16(Dest + slot, uint16_t(word << (16 - items)));

    if (p > Count) {
        Dest[0] = KitBlockStored;
        if (Count > 0)
            std::memcpy(Dest + 1, Source, size_t(Count));
        return Count + 1;
    }
    return p;
}

int LZRWDecompress(const uint8_t *Source, uint8_t *Dest, int Count, int DestCapacity)
{
    if (Count < 1 || DestCapacity < 0)
        return -1;
    if (Source[0] == KitBlockStored) {
        const int n = Count - 1;
        if (n > DestCapacity)
            return -1;
        if (n > 0)
            std::memcpy(Dest, Source + 1, size_t(n));
        return n;
    }
    if (Count < 3)
        return -1;
    uint16_t word = uint16_t((Source[1] << 8) | Source[2]);
    int bits = 16;
    int x = 3;
    int y = 0;
    while (x < Count) {
        if (bits == 0) {
            if (x + 2 > Count)
                return -1;
            word = uint16_t((Source[x] << 8) | Source[x + 1]);
            x += 2;
            bits = 16;
            if (x >= Count) // a control word with no item after it
                return -1;
        }
        const bool ref = (word & 0x8000) != 0;
        word = uint16_t(word << 1);
        --bits;
        if (!ref) {
            if (y >= DestCapacity)
                return -1;
            Dest[y++] = Source[x++];
            continue;
        }
        if (x + 2 > Count)
            return -1;
        const int distance = (Source[x] << 4) | (Source[x + 1] >> 4);
        if (distance != 0) {
            const int len = (Source[x + 1] & 0x0F) + MinMatch;
            if (distance > y || len > DestCapacity - y)
                return -1;
            for (int k = 0; k < len; ++k, ++y)
                Dest[y] = Dest[y - distance];
            x += 2;
        } else {
            if (x + 4 > Count)
                return -1;
            const int len = ((Source[x + 1] << 8) | Source[x + 2]) + MinRun;
            if (len > DestCapacity - y)
                return -1;
            std::memset(Dest + y, Source[x + 3], size_t(len));
            y += len;
            x += 4;
        }
    }
    return y;
}
