#pragma once
// The cell storage behind a list grid: the texts and check boxes of its cells
// by (column, row), kept in blocks that hold many cells' texts each, so that
// filling, emptying and freeing a list of 100,000 rows costs a few hundred
// allocations, not one a cell.

#include <QString>
#include <QStringView>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

// Every row holds as many cells as the widest row ever written (the stride):
// a cell never written reads as a null text without a check box, and a row
// may carry cells beyond the columns a grid shows.
//
// A cell is 4 bytes: the number of its text in its column (0: no text) and,
// in its two high bits, its check box. Each column keeps its texts one after
// another in a few character blocks; a text written again right after itself
// (a date, a bank, a state down a long list) is stored once. Texts no cell
// uses any more are dropped once a column holds more than twice as many
// texts as there are rows, and at once when the list is cut to less than
// half its rows (emptied for a new fill).
class ListGridCells
{
public:
    ListGridCells() = default;

    int rowCount() const { return m_rows; }
    // Rows added hold no texts; rows taken away take their cells along.
    void setRowCount(int rows);
    // Room in every row for `cols` cells at least (the columns a grid shows).
    void reserveColumns(int cols);
    void insertRow(int row);
    void removeRow(int row);

    // The text of a cell: a null view when it has none; otherwise valid
    // until the next change of the storage.
    QStringView view(int col, int row) const;
    QString text(int col, int row) const { return view(col, row).toString(); }
    // A null view leaves the cell without a text; an empty one gives it an
    // empty text. A view into this storage is allowed.
    void setText(int col, int row, QStringView text);
    // Cells 0 .. count - 1 of a row, text(col) giving each; each view is
    // copied before the next is asked for.
    void setRow(int row, int count, const std::function<QStringView(int col)> &text);
    // A fill that knows which of its cells share a text (the mother account
    // of every row of one run): the text is added to its column once and
    // the cells are set to its number by setRowNumbers. A null view adds
    // nothing and gives 0 (no text). The numbers stay valid until the next
    // setText or setRow, either of which may renumber a column's texts.
    quint32 addText(int col, QStringView text);
    // The same for the first `count` texts of several columns at once,
    // text(col, i) giving each; the number of the i-th text of cols[k] is
    // written to numbers[k][i]. Each column keeps its texts apart, so the
    // columns are filled side by side; text() is called from several
    // threads and must give each a view of its own.
    void addColumnTexts(const std::vector<int> &cols, int count,
                        const std::function<QStringView(int col, int i)> &text, std::vector<std::vector<quint32>> *numbers);
    // Cells 0 .. count - 1 of a row set to the texts of those numbers, their
    // check boxes kept.
    void setRowNumbers(int row, int count, const quint32 *numbers);
    // Texts and boxes of the cells in the block (both ends included).
    void clearBlock(int col1, int row1, int col2, int row2);

    bool hasCheck(int col, int row) const { return cellAt(col, row) & HasCheck; }
    bool checked(int col, int row) const { return (cellAt(col, row) & (HasCheck | Checked)) == (HasCheck | Checked); }
    void setCheck(int col, int row, bool hasBox, bool isChecked);

    // A column's texts by number, for readers that look at each distinct
    // text of a column once: textNumber(col, row) is 0 for no text, and
    // numbers stay below textCount(col) until the next change.
    quint32 textNumber(int col, int row) const { return cellAt(col, row) & TextBits; }
    quint32 textCount(int col) const;
    QStringView textOfNumber(int col, quint32 number) const;

private:
    enum CellBits : quint32 { HasCheck = 1u << 31, Checked = 1u << 30, TextBits = Checked - 1 };
    // Where a text is: its block of characters and its place in it, and its length.
    struct Span
    {
        quint32 at; // block << OffsetBits | offset
        quint32 size;
    };
    static constexpr int OffsetBits = 22;
    // A column's texts. Characters and spans live in blocks that are never
    // moved once made (each twice the size of the one before, up to a
    // limit), so a long fill copies each text once and touches no memory it
    // does not use.
    class ColumnTexts
    {
    public:
        quint32 count() const { return m_count; }
        QStringView view(quint32 number) const;
        // Adds a text, which becomes the last one; returns its number.
        quint32 append(QStringView text);
        // The text written last (0: none), compared without finding its span.
        quint32 last() const { return m_last; }
        void setLast(quint32 number);
        bool isLast(QStringView text) const;
        // One of the few texts written before the last one (a list whose
        // rows take turns between two or three mother accounts): it becomes
        // the last one and its number is given; 0 for none.
        quint32 takeRecent(QStringView text);

    private:
        Span span(quint32 number) const;
        Span &spanRef(quint32 number);
        std::vector<std::unique_ptr<char16_t[]>> m_chars;
        quint32 m_blockUsed = 0;
        quint32 m_blockSize = 0;
        std::vector<std::unique_ptr<Span[]>> m_spans;
        quint32 m_count = 1; // number 0: no text
        quint32 m_last = 0;
        QStringView m_lastText;
        struct Recent
        {
            quint32 number = 0;
            QStringView text;
        };
        static constexpr unsigned RecentCount = 4;
        Recent m_recent[RecentCount];
        unsigned m_recentNext = 0;
        // Look-ups of the few texts that found none in a row: a column of
        // texts of their own (names, accounts) stops looking, and tries
        // again now and then in case its rows start taking turns.
        unsigned m_recentMisses = 0;
    };

    quint32 cellAt(int col, int row) const
    {
        return row >= 0 && row < m_rows && col >= 0 && col < m_stride ? m_cells[size_t(row) * m_stride + col] : 0;
    }
    quint32 &cellRef(int col, int row) { return m_cells[size_t(row) * m_stride + col]; }
    // Makes room for cell (col, row), growing the rows and the stride.
    void ensureCell(int col, int row);
    void relayout(int stride);
    quint32 store(int col, QStringView text);
    void dropUnusedTexts(int col);

    std::vector<quint32> m_cells; // row after row, m_stride cells each
    std::vector<ColumnTexts> m_texts;
    int m_rows = 0;
    int m_stride = 0;
};
