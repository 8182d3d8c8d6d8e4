#include "platform/ListGridCells.h"

#include "platform/SideBySide.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <limits>

// ---------------------------------------------------------------- a column's texts

namespace {

// Where an empty (not null) text points: a view needs an address to be one.
const char16_t kEmpty = 0;

// Blocks stay small enough for the heap to hand them out again: a list
// filled anew reuses the memory its last fill let go of.
constexpr quint32 FirstSpanBlock = 64;
constexpr quint32 SpanGrowths = 7; // blocks of 64 .. 8192 spans, then 8192 each
constexpr quint32 LargestSpanBlock = FirstSpanBlock << SpanGrowths;
constexpr quint32 GrowingSpans = FirstSpanBlock * ((1u << (SpanGrowths + 1)) - 1);
constexpr quint32 FirstCharBlock = 256;
constexpr quint32 LargestCharBlock = 1u << 15;

// The span block of text `number` and its place in it.
inline std::pair<quint32, quint32> spanPlace(quint32 number)
{
    if (number >= GrowingSpans)
        return {SpanGrowths + 1 + (number - GrowingSpans) / LargestSpanBlock, (number - GrowingSpans) % LargestSpanBlock};
    const quint32 j = number + FirstSpanBlock;
    const quint32 block = quint32(std::bit_width(j)) - quint32(std::bit_width(FirstSpanBlock));
    return {block, j - (FirstSpanBlock << block)};
}

inline quint32 spanBlockSize(size_t block)
{
    return block <= SpanGrowths ? FirstSpanBlock << block : LargestSpanBlock;
}

} // namespace

inline ListGridCells::Span ListGridCells::ColumnTexts::span(quint32 number) const
{
    const auto [block, place] = spanPlace(number);
    return m_spans[block][place];
}

inline ListGridCells::Span &ListGridCells::ColumnTexts::spanRef(quint32 number)
{
    const auto [block, place] = spanPlace(number);
    if (block >= m_spans.size())
        m_spans.push_back(std::make_unique_for_overwrite<Span[]>(spanBlockSize(block)));
    return m_spans[block][place];
}

inline QStringView ListGridCells::ColumnTexts::view(quint32 number) const
{
    const Span s = span(number);
    if (s.size == 0)
        return QStringView(&kEmpty, 0);
    return QStringView(m_chars[s.at >> OffsetBits].get() + (s.at & ((1u << OffsetBits) - 1)), qsizetype(s.size));
}

quint32 ListGridCells::ColumnTexts::append(QStringView text)
{
    const quint32 size = quint32(text.size());
    if (m_count > quint32(TextBits))
        qFatal("TListGrid: too many texts in one column");
    const quint32 number = m_count++;
    Span &s = spanRef(number);
    s.size = size;
    m_last = number;
    if (size == 0) { // no characters: no place in a block
        s.at = 0;
        m_lastText = QStringView(&kEmpty, 0);
        return number;
    }
    if (size > m_blockSize - m_blockUsed) {
        // A text longer than a block gets one of its own.
        const quint32 next = std::max(size, std::min(LargestCharBlock, std::max(FirstCharBlock, 2 * m_blockSize)));
        if (m_chars.size() >= (1u << (32 - OffsetBits)))
            qFatal("TListGrid: too many texts in one column");
        m_chars.push_back(std::make_unique_for_overwrite<char16_t[]>(next));
        m_blockSize = next;
        m_blockUsed = 0;
    }
    s.at = quint32(m_chars.size() - 1) << OffsetBits | m_blockUsed;
    char16_t *to = m_chars.back().get() + m_blockUsed;
    const char16_t *from = text.utf16();
    if (size <= 16) // most texts of a list: copied inline, not through a library call
        for (quint32 i = 0; i < size; ++i)
            to[i] = from[i];
    else
        std::copy_n(from, size, to);
    m_blockUsed += size;
    m_lastText = QStringView(to, qsizetype(size));
    m_recent[m_recentNext++ % RecentCount] = {number, m_lastText};
    return number;
}

namespace {

// Equal texts of one size, compared from their ends (texts down a column
// mostly differ there: numbers, names).
inline bool sameText(QStringView a, QStringView b)
{
    const qsizetype size = a.size();
    return size == b.size()
           && (size == 0
               || (a.utf16()[size - 1] == b.utf16()[size - 1]
                   && std::memcmp(a.utf16(), b.utf16(), size_t(size) * sizeof(char16_t)) == 0));
}

} // namespace

quint32 ListGridCells::ColumnTexts::takeRecent(QStringView text)
{
    constexpr unsigned GiveUpAfter = 32, TryAgainEvery = 64;
    if (m_recentMisses >= GiveUpAfter && ++m_recentMisses % TryAgainEvery != 0)
        return 0;
    for (const Recent &r : m_recent)
        if (r.number != 0 && r.number != m_last && sameText(r.text, text)) {
            m_last = r.number;
            m_lastText = r.text;
            m_recentMisses = 0;
            return r.number;
        }
    if (m_recentMisses < GiveUpAfter)
        ++m_recentMisses;
    return 0;
}

void ListGridCells::ColumnTexts::setLast(quint32 number)
{
    m_last = number;
    m_lastText = number != 0 ? view(number) : QStringView();
}

inline bool ListGridCells::ColumnTexts::isLast(QStringView text) const
{
    const qsizetype size = text.size();
    // Texts down a column mostly differ at their ends (numbers, names).
    return m_last != 0 && m_lastText.size() == size
           && (size == 0
               || (m_lastText.utf16()[size - 1] == text.utf16()[size - 1]
                   && std::memcmp(m_lastText.utf16(), text.utf16(), size_t(size) * sizeof(char16_t)) == 0));
}

// ---------------------------------------------------------------- the cells

void ListGridCells::setRowCount(int rows)
{
    rows = std::max(0, rows);
    const int before = m_rows;
    m_cells.resize(size_t(rows) * size_t(m_stride));
    m_rows = rows;
    // A list emptied for a new fill lets its texts go at once, as its cells
    // do, rather than once the new fill has outgrown them.
    if (rows < before / 2) {
        m_cells.shrink_to_fit();
        for (int col = 0; col < int(m_texts.size()); ++col)
            dropUnusedTexts(col);
    }
}

void ListGridCells::reserveColumns(int cols)
{
    if (cols > m_stride)
        relayout(cols);
}

void ListGridCells::insertRow(int row)
{
    row = std::clamp(row, 0, m_rows);
    m_cells.insert(m_cells.begin() + qsizetype(row) * m_stride, size_t(m_stride), 0u);
    ++m_rows;
}

void ListGridCells::removeRow(int row)
{
    if (row < 0 || row >= m_rows)
        return;
    const auto first = m_cells.begin() + qsizetype(row) * m_stride;
    m_cells.erase(first, first + m_stride);
    --m_rows;
}

void ListGridCells::relayout(int stride)
{
    std::vector<quint32> cells(size_t(m_rows) * size_t(stride), 0u);
    for (int r = 0; r < m_rows; ++r)
        std::copy_n(m_cells.begin() + qsizetype(r) * m_stride, m_stride, cells.begin() + qsizetype(r) * stride);
    m_cells = std::move(cells);
    m_stride = stride;
}

void ListGridCells::ensureCell(int col, int row)
{
    // Rows are made wider rarely and by a good step, as a wider row is
    // mostly followed by more of its kind.
    if (col >= m_stride)
        relayout((std::max(col + 1, m_stride + m_stride / 4) + 3) & ~3);
    if (row >= m_rows)
        setRowCount(row + 1);
}

QStringView ListGridCells::view(int col, int row) const
{
    const quint32 number = textNumber(col, row);
    return number != 0 ? textOfNumber(col, number) : QStringView();
}

quint32 ListGridCells::textCount(int col) const
{
    return col >= 0 && col < int(m_texts.size()) ? m_texts[col].count() : 1;
}

QStringView ListGridCells::textOfNumber(int col, quint32 number) const
{
    return number != 0 ? m_texts[col].view(number) : QStringView();
}

void ListGridCells::setText(int col, int row, QStringView text)
{
    if (col < 0 || row < 0)
        return;
    // Storing may renumber the column's cells: the cell is written after it.
    const quint32 number = store(col, text);
    ensureCell(col, row);
    quint32 &cell = cellRef(col, row);
    cell = (cell & ~TextBits) | number;
}

void ListGridCells::setRow(int row, int count, const std::function<QStringView(int col)> &text)
{
    if (row < 0 || count <= 0)
        return;
    // A whole row says how wide the list's rows are: exactly that wide.
    if (count > m_stride)
        relayout(count);
    ensureCell(count - 1, row);
    for (int col = 0; col < count; ++col) {
        const quint32 number = store(col, text(col));
        quint32 &cell = cellRef(col, row);
        cell = (cell & ~TextBits) | number;
    }
}

quint32 ListGridCells::addText(int col, QStringView text)
{
    if (text.isNull() || col < 0)
        return 0;
    if (col >= int(m_texts.size()))
        m_texts.resize(size_t(col) + 1);
    return m_texts[col].append(text);
}

void ListGridCells::addColumnTexts(const std::vector<int> &cols, int count,
                                   const std::function<QStringView(int col, int i)> &text,
                                   std::vector<std::vector<quint32>> *numbers)
{
    numbers->assign(cols.size(), {});
    int widest = 0;
    for (const int col : cols)
        widest = std::max(widest, col + 1);
    if (widest > int(m_texts.size()))
        m_texts.resize(size_t(widest)); // not grown while the columns fill
    // Under some thousands of texts a thread costs more than it saves.
    const int jobs = count < 4096 ? 1 : std::min(int(cols.size()), SideBySideJobs(4));
    RunSideBySide(jobs, [&](int job) {
        for (size_t k = size_t(job); k < cols.size(); k += size_t(jobs)) {
            const int col = cols[k];
            std::vector<quint32> &out = (*numbers)[k];
            out.resize(size_t(std::max(0, count)));
            if (col < 0)
                continue; // no such column: no texts
            ColumnTexts &texts = m_texts[size_t(col)];
            for (int i = 0; i < count; ++i) {
                const QStringView t = text(col, i);
                out[size_t(i)] = t.isNull() ? 0 : texts.append(t);
            }
        }
    });
}

void ListGridCells::setRowNumbers(int row, int count, const quint32 *numbers)
{
    if (row < 0 || count <= 0)
        return;
    if (count > m_stride)
        relayout(count);
    ensureCell(count - 1, row);
    quint32 *cells = &cellRef(0, row);
    for (int col = 0; col < count; ++col)
        cells[col] = (cells[col] & ~TextBits) | (numbers[col] & TextBits);
}

void ListGridCells::clearBlock(int col1, int row1, int col2, int row2)
{
    col1 = std::max(0, col1);
    col2 = std::min(col2, m_stride - 1);
    row2 = std::min(row2, m_rows - 1);
    if (col1 > col2)
        return;
    for (int r = std::max(0, row1); r <= row2; ++r)
        std::fill_n(m_cells.begin() + qsizetype(r) * m_stride + col1, col2 - col1 + 1, 0u);
}

void ListGridCells::setCheck(int col, int row, bool hasBox, bool isChecked)
{
    if (col < 0 || row < 0)
        return;
    ensureCell(col, row);
    const quint32 box = hasBox ? quint32(HasCheck) | (isChecked ? quint32(Checked) : 0u) : 0u;
    quint32 &cell = cellRef(col, row);
    cell = (cell & TextBits) | box;
}

quint32 ListGridCells::store(int col, QStringView text)
{
    if (text.isNull())
        return 0;
    if (col >= int(m_texts.size()))
        m_texts.resize(size_t(col) + 1);
    ColumnTexts *t = &m_texts[col];
    // The text written last in the column, as a fill repeats it row after row.
    if (t->isLast(text))
        return t->last();
    if (const quint32 recent = t->takeRecent(text))
        return recent;
    // A column holds a text a row at most: more texts than twice the rows
    // are mostly ones no cell uses any more.
    if (t->count() > 2 * quint32(m_rows) + 64) {
        // A text of this very column (a cell copied to another row) is
        // taken out first: compacting frees the blocks it is in.
        const QString own = text.toString();
        dropUnusedTexts(col);
        return m_texts[col].append(own);
    }
    return t->append(text);
}

void ListGridCells::dropUnusedTexts(int col)
{
    const ColumnTexts &old = m_texts[col];
    ColumnTexts kept;
    std::vector<quint32> renumbered(old.count(), 0u);
    if (col < m_stride)
        for (int r = 0; r < m_rows; ++r) {
            quint32 &cell = cellRef(col, r);
            const quint32 number = cell & TextBits;
            if (number == 0)
                continue;
            quint32 &to = renumbered[number];
            if (to == 0)
                to = kept.append(old.view(number));
            cell = (cell & ~TextBits) | to;
        }
    kept.setLast(renumbered[old.last()]);
    m_texts[col] = std::move(kept);
}
