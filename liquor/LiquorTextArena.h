#pragma once
// Short texts kept one after the other in one buffer that grows by doubling:
// a conversion keeps a few short texts of every row, too many to pay a
// string's append for each.

#include <QChar>
#include <QStringView>

#include <initializer_list>
#include <memory>

class LiquorTextArena
{
public:
    qsizetype size() const { return m_size; }
    void reserve(qsizetype chars);
    // Appends the texts one after the other; ends (one per text) receive
    // where each ends, counted from where the first starts. Returns where the
    // first starts.
    qsizetype append(std::initializer_list<QStringView> texts, int *ends);
    QStringView view(qsizetype start, qsizetype size) const { return QStringView(m_data.get() + start, size); }

private:
    std::unique_ptr<char16_t[]> m_data;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};
