#include "liquor/LiquorTextArena.h"

#include <algorithm>
#include <utility>

void LiquorTextArena::reserve(qsizetype chars)
{
    if (chars <= m_capacity)
        return;
    // Left uninitialised: every character is written before it is read.
    std::unique_ptr<char16_t[]> data(new char16_t[size_t(chars)]);
    std::copy_n(m_data.get(), m_size, data.get());
    m_data = std::move(data);
    m_capacity = chars;
}

qsizetype LiquorTextArena::append(std::initializer_list<QStringView> texts, int *ends)
{
    qsizetype total = 0;
    for (QStringView t : texts)
        total += t.size();
    // The texts may lie in the buffer itself: the old one lives until they
    // are copied.
    std::unique_ptr<char16_t[]> old;
    if (m_size + total > m_capacity) {
        const qsizetype capacity = std::max(m_size + total, m_capacity * 2 + 256);
        std::unique_ptr<char16_t[]> data(new char16_t[size_t(capacity)]);
        std::copy_n(m_data.get(), m_size, data.get());
        old = std::exchange(m_data, std::move(data));
        m_capacity = capacity;
    }
    const qsizetype start = m_size;
    char16_t *to = m_data.get() + m_size;
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
    m_size += total;
    return start;
}
