#include "liquor/LiquorTextArena.h"

#include <algorithm>

void LiquorTextArena::reserve(qsizetype chars)
{
    if (chars <= m_capacity)
        return;
    std::unique_ptr<QChar[]> data(new QChar[size_t(chars)]);
    std::copy_n(m_data.get(), m_size, data.get());
    m_data = std::move(data);
    m_capacity = chars;
}

qsizetype LiquorTextArena::append(std::initializer_list<QStringView> texts, int *ends)
{
    qsizetype total = 0;
    for (QStringView t : texts)
        total += t.size();
    if (m_size + total > m_capacity)
        reserve(std::max(m_size + total, m_capacity * 2 + 256));
    const qsizetype start = m_size;
    QChar *to = m_data.get() + m_size;
    int end = 0;
    for (QStringView t : texts) {
        // Texts of a few characters: copied one by one.
        const QChar *from = t.data();
        for (qsizetype k = 0; k < t.size(); ++k)
            to[k] = from[k];
        to += t.size();
        end += int(t.size());
        *ends++ = end;
    }
    m_size += total;
    return start;
}
