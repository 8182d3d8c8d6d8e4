#include "liquor/LiquorTextArena.h"

#include <algorithm>
#include <iterator>

void LiquorTextArena::reserve(qsizetype chars)
{
    if (chars > m_left)
        m_blockSize = std::max(m_blockSize, chars);
}

const QChar *LiquorTextArena::append(std::initializer_list<QStringView> texts, int *ends)
{
    qsizetype total = 0;
    for (QStringView t : texts)
        total += t.size();
    if (total > m_left) {
        // Left uninitialised: every character is written before it is read.
        const qsizetype size = std::max(m_blockSize, total);
        m_blocks.emplace_back(new char16_t[size_t(size)]);
        m_next = m_blocks.back().get();
        m_left = size;
        m_blockSize = 1 << 16;
    }
    char16_t *const start = m_next;
    char16_t *to = start;
    int end = 0;
    for (QStringView t : texts) {
        // Texts of a few characters: copied one by one.
        const char16_t *from = t.utf16();
        for (qsizetype k = 0; k < t.size(); ++k)
            to[k] = from[k];
        to += t.size();
        end += int(t.size());
        *ends++ = end;
    }
    m_next += total;
    m_left -= total;
    return reinterpret_cast<const QChar *>(start);
}

void LiquorTextArena::adopt(LiquorTextArena &&other)
{
    // Only kept: appends go on in the block this arena was filling.
    m_blocks.insert(m_blocks.end(), std::make_move_iterator(other.m_blocks.begin()),
                    std::make_move_iterator(other.m_blocks.end()));
    other.m_blocks.clear();
    other.m_next = nullptr;
    other.m_left = 0;
}
