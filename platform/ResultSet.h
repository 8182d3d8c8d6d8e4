#pragma once

#include "platform/TextError.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qvx {

// Raised when a column is asked for by a name the result does not have, or
// when a text is read as a number and is none.
class ResultSetError : public TextError
{
public:
    using TextError::TextError;
};

// The rows of one query: named text columns, names matched without regard to
// case. A SQL NULL is a null QString (isNull() true), read as "" or 0.
//
// Two ways to read it:
//   - by index: value(row, "bankid"), valueInt(row, "seqno"), recordCount();
//   - as a cursor, for code written in first/next/eof style:
//       for (rs.first(); !rs.eof(); rs.next())
//           use(rs.fieldByName("bankid"), rs.fieldByNameInt("seqno"));
// Reading a row outside 0..recordCount()-1 gives "" / 0 (an empty result reads
// as empty fields); an unknown column name raises ResultSetError.
//
// A long answer repeats most of its columns row after row (dates, codes,
// names, amounts), so each column keeps its texts once and a cell is the
// number of its text in that column (4 bytes instead of a text of its own).
// Number 0 of every column is NULL. Equal numbers mean equal texts; equal
// texts may have different numbers.
class ResultSet
{
public:
    using TextId = quint32;

    ResultSet() = default;
    explicit ResultSet(QStringList columnNames);
    ResultSet(QStringList columnNames, const QList<QStringList> &rows);

    const QStringList &columnNames() const { return m_columns; }
    int columnCount() const { return int(m_columns.size()); }
    int recordCount() const { return m_rowCount; }
    bool isEmpty() const { return m_rowCount == 0; }

    // Index of a column (case-insensitive), -1 when there is none.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }

    QString value(int row, const QString &name) const;
    // The text of a cell; an empty null text outside the result.
    const QString &value(int row, int column) const;
    bool isNull(int row, const QString &name) const;
    // Text read as an integer: blanks around are ignored, "" and NULL give 0,
    // anything else that is no whole number raises ResultSetError.
    int valueInt(int row, const QString &name) const;
    qint64 valueInt64(int row, const QString &name) const;
    QStringList row(int row) const;   // made on request
    QList<QStringList> rows() const;  // made on request
    // The texts of one column, row after row (none for an empty result).
    QStringList columnValues(const QString &name) const;

    void appendRow(const QStringList &values); // padded/cut to the column count

    // The number of a cell's text in its column (0 for NULL and outside the result).
    TextId textId(int row, int column) const;
    // Building row by row, cell by cell from column 0: a new text of the
    // column gets its number from addText(); appendCell() puts a number in
    // the next cell; the row is complete after columnCount() cells.
    TextId addText(int column, const QString &text);
    void appendCell(TextId id);

    // Cursor. A fresh result stands on its first row.
    void first() { m_cursor = 0; }
    void next() { if (m_cursor < recordCount()) ++m_cursor; }
    bool eof() const { return m_cursor >= recordCount(); }
    QString fieldByName(const QString &name) const { return value(m_cursor, name); }
    int fieldByNameInt(const QString &name) const { return valueInt(m_cursor, name); }

private:
    int requireColumn(const QString &name) const;

    QStringList m_columns;
    QList<QStringList> m_texts; // per column; [0] is the null text
    QList<TextId> m_cells;      // row after row, columnCount() each
    int m_rowCount = 0;
    int m_nextColumn = 0; // of the row being built
    int m_cursor = 0;
};

} // namespace qvx
