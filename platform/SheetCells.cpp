#include "platform/SheetCells.h"

#include <QLocale>

#include <algorithm>
#include <limits>
#include <new>

namespace qvx {

QString SheetCells::tooManyCellsMessage()
{
    return QStringLiteral("시트의 셀이 너무 많아 읽을 수 없습니다 (최대 %1개).")
        .arg(QLocale(QLocale::Korean, QLocale::SouthKorea).toString(qlonglong(MaxCells)));
}

QString SheetCells::tooMuchTextMessage(qint64 maxBytes)
{
    return QStringLiteral("시트의 자료가 너무 많거나 길어 읽을 수 없습니다 (최대 %1MB).").arg(maxBytes / (1024 * 1024));
}

QString SheetCells::refusal() const
{
    return m_textFull ? tooMuchTextMessage(2 * MaxTextLength) : tooManyCellsMessage();
}

SheetCells::Text SheetCells::keep(QStringView text)
{
    static_assert(MaxTextLength < qsizetype(std::numeric_limits<quint32>::max()), "offsets are 32-bit");
    if (m_textFull || m_pool.size() + text.size() > MaxTextLength) {
        m_textFull = true;
        return Text();
    }
    const Text kept{quint32(m_pool.size()), quint32(text.size())};
    m_pool.append(text);
    return kept;
}

bool SheetCells::set(int row, int column, QStringView text)
{
    if (text.isEmpty())
        return set(row, column, Text());
    const Text kept = keep(text);
    return !m_textFull && set(row, column, kept);
}

bool SheetCells::set(int row, int column, Text text)
{
    const Cell cell{row, column, text};
    // Clearing a cell past every one written so far clears nothing.
    if (text.length == 0 && m_ordered && (m_cells.empty() || before(m_cells.back(), cell)))
        return true;
    if (!makeRoom()) {
        // A full sheet still takes a new text for a cell it holds.
        if (!m_ordered)
            return false;
        const auto at = std::lower_bound(m_cells.begin(), m_cells.end(), cell, before);
        if (at == m_cells.end() || before(cell, *at))
            return text.length == 0;
        // Cleared, its record stays until the cells are next put in order.
        at->text = text;
        m_ordered = text.length != 0;
        m_rowStarts = {};
        return true;
    }
    m_ordered = m_ordered && (m_cells.empty() || before(m_cells.back(), cell));
    m_cells.push_back(cell);
    if (!m_rowStarts.empty())
        m_rowStarts = {};
    return true;
}

bool SheetCells::makeRoom()
{
    if (qsizetype(m_cells.size()) < MaxCells)
        return true;
    // Cells written again or cleared leave their earlier records until the
    // cells are put in order. Doing so here is worth it only while it makes
    // room for many more cells; a sheet rewriting a few cells over and over
    // would otherwise sort them all for every record.
    if (m_ordered || !m_mayTidy)
        return false;
    const size_t held = m_cells.size();
    order();
    m_mayTidy = held - m_cells.size() >= size_t(MaxCells / 16);
    return qsizetype(m_cells.size()) < MaxCells;
}

void SheetCells::clear()
{
    m_cells = {};
    m_rowStarts = {};
    m_ordered = true;
    m_mayTidy = true;
    m_textFull = false;
    m_pool = QString();
}

void SheetCells::order() const
{
    if (m_ordered)
        return;
    std::stable_sort(m_cells.begin(), m_cells.end(), before);
    // The last of each run of one cell holds its text.
    auto out = m_cells.begin();
    for (auto it = m_cells.begin(); it != m_cells.end(); ++it) {
        const auto next = it + 1;
        if (next != m_cells.end() && !before(*it, *next))
            continue;
        if (it->text.length != 0)
            *out++ = *it;
    }
    m_cells.erase(out, m_cells.end());
    m_ordered = true;
}

std::pair<const SheetCells::Cell *, const SheetCells::Cell *> SheetCells::rowCells(int row) const
{
    order();
    if (m_rowStarts.empty() && !m_cells.empty()) {
        // Where each row's cells start: a few bytes a row, up to the last.
        m_rowStarts.assign(size_t(m_cells.back().row) + 2, 0);
        for (const Cell &c : m_cells)
            ++m_rowStarts[size_t(c.row) + 1];
        for (size_t r = 1; r < m_rowStarts.size(); ++r)
            m_rowStarts[r] += m_rowStarts[r - 1];
    }
    if (row < 0 || size_t(row) + 1 >= m_rowStarts.size())
        return {nullptr, nullptr};
    return {m_cells.data() + m_rowStarts[size_t(row)], m_cells.data() + m_rowStarts[size_t(row) + 1]};
}

const SheetCells::Cell *SheetCells::find(int row, int column) const
{
    const auto [first, last] = rowCells(row);
    const Cell *c = std::lower_bound(first, last, column, [](const Cell &c, int col) { return c.column < col; });
    return c == last || c->column != column ? nullptr : c;
}

QString SheetCells::cell(int row, int column) const
{
    const Cell *c = find(row, column);
    return c ? text(c->text) : QString();
}

QStringView SheetCells::view(int row, int column) const
{
    const Cell *c = find(row, column);
    return c ? QStringView(m_pool.constData() + c->text.offset, c->text.length) : QStringView();
}

int SheetCells::rowCount() const
{
    order();
    return m_cells.empty() ? 0 : m_cells.back().row + 1;
}

int SheetCells::columnCount(int row) const
{
    const auto [first, last] = rowCells(row);
    return first == last ? 0 : (last - 1)->column + 1;
}

qsizetype SheetCells::cellCount() const
{
    order();
    return qsizetype(m_cells.size());
}

qsizetype SheetCells::paddedCellCount() const
{
    order();
    qsizetype total = 0;
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (i + 1 == m_cells.size() || m_cells[i + 1].row != m_cells[i].row)
            total += m_cells[i].column + 1;
    return total;
}

QStringList SheetCells::row(int row, int columns) const
{
    return this->row(row, columns, nullptr);
}

QStringList SheetCells::row(int row, int columns, HandedOut *handedOut) const
{
    QStringList out;
    const auto [first, last] = rowCells(row);
    for (const Cell *c = first; c != last && c->column < columns; ++c) {
        while (out.size() < c->column)
            out << QString();
        if (!handedOut || c->text.length < SharedLength) {
            out << text(c->text);
            continue;
        }
        auto it = handedOut->find(c->text.offset);
        if (it == handedOut->end())
            it = handedOut->insert(c->text.offset, text(c->text));
        out << *it;
    }
    return out;
}

QVector<QStringList> SheetCells::rows(int columns) const
{
    QVector<QStringList> out(rowCount());
    HandedOut handedOut;
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (i == 0 || m_cells[i - 1].row != m_cells[i].row)
            out[m_cells[i].row] = row(m_cells[i].row, columns, &handedOut);
    return out;
}

} // namespace qvx
