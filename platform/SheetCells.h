#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

namespace qvx {

// The cell texts of one sheet as read from a workbook, held compactly: each
// cell that holds a text is one small record (its row, its column and where
// its text lies in one text pool shared by the whole sheet), so a cell far to
// the right or far down costs no more than one in the first column, and a
// text many cells show (a workbook's shared string) lies in the pool once.
// Cells are kept in the order they are written and put in row and column
// order once, when they are first looked at; the last text written to a cell
// is its text. Rows and columns count from 0.
class SheetCells
{
public:
    // The most cells a sheet read from a file may hold; beyond it the read
    // is refused rather than holding an unbounded number of texts.
    static constexpr qsizetype MaxCells = 2'000'000;
    // The refusal of a sheet with more cells than that.
    static QString tooManyCellsMessage();
    // The most characters the texts of a sheet read from a file may hold
    // together (64 MB), bounded while the sheet is read.
    static constexpr qsizetype MaxTextLength = 32 * 1024 * 1024;
    // The refusal of a sheet whose texts would take more than maxBytes.
    static QString tooMuchTextMessage(qint64 maxBytes);
    // Whether a text could not be kept for MaxTextLength: nothing more is.
    bool textFull() const { return m_textFull; }
    // Why a set() failed: too many cells, or too much text.
    QString refusal() const;

    // A text kept in the pool, for any number of cells to show; none, with
    // textFull() set, once the texts would pass MaxTextLength.
    struct Text
    {
        quint32 offset = 0;
        quint32 length = 0;
    };
    Text keep(QStringView text);
    QString text(Text text) const { return QString(m_pool.constData() + text.offset, text.length); }

    // Sets a cell; an empty text clears it. False, with nothing stored, when
    // the sheet already holds MaxCells cells or its texts are full.
    bool set(int row, int column, QStringView text);
    bool set(int row, int column, Text text);
    void clear();

    QString cell(int row, int column) const;
    // The text of a cell where it lies in the pool, copied nowhere; valid
    // until the next text is kept.
    QStringView view(int row, int column) const;
    // One past the last row that holds a text (0 for an empty sheet).
    int rowCount() const;
    // One past the row's last column that holds a text.
    int columnCount(int row) const;
    qsizetype cellCount() const;
    // The cells dense rows of this sheet would hold: per row, up to its
    // last text.
    qsizetype paddedCellCount() const;
    bool isEmpty() const { return cellCount() == 0; }

    // The first `columns` cells of a row, up to its last text among them.
    QStringList row(int row, int columns = 256) const;
    // Strings handed out for the texts several cells may show, so that rows
    // made from a sheet hold such a text once rather than a copy per cell
    // (a workbook may have every cell show one 32,767-character string).
    using HandedOut = QHash<quint32, QString>;
    // The same, each text of SharedLength characters or more taken from
    // *handedOut when it was handed out before (and kept there).
    static constexpr quint32 SharedLength = 16;
    QStringList row(int row, int columns, HandedOut *handedOut) const;
    // Every row up to rowCount() as its first `columns` cells (see row()),
    // cells that show one text sharing its string.
    QVector<QStringList> rows(int columns = 256) const;

private:
    struct Cell
    {
        qint32 row;
        qint32 column;
        Text text;  // an empty text clears the cell
    };
    static bool before(const Cell &a, const Cell &b)
    {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    }
    // Puts the cells in order, the last text written to each, cleared
    // cells left out.
    void order() const;
    // Whether one more cell may be written.
    bool makeRoom();
    // The ordered cells of a row.
    std::pair<const Cell *, const Cell *> rowCells(int row) const;
    const Cell *find(int row, int column) const;

    mutable std::vector<Cell> m_cells;
    // Where each row's ordered cells start, made on the first look at a row.
    mutable std::vector<quint32> m_rowStarts;
    mutable bool m_ordered = true;
    bool m_mayTidy = true;
    bool m_textFull = false;
    QString m_pool;
};

} // namespace qvx
