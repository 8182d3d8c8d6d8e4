#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace qvx {

// One sheet as an Excel 97-2003 workbook (BIFF8 records in the "Workbook"
// stream of a compound file). A cell is a text, or a number shown with the
// grouping format given for its column; the file holds no formulas.
class XlsWriter
{
public:
    // The size of a sheet.
    static constexpr int MaxRows = 65536;
    static constexpr int MaxColumns = 256;
    // The most characters a cell holds, in either spreadsheet format.
    static constexpr int MaxCellText = 32767;

    // Per column: -1 writes its cells as texts; n >= 0 writes the cells below
    // the first row as numbers shown with ',' groups and n decimals.
    using ColumnKinds = QVector<int>;

    // The file's bytes; empty with a reason (in Korean) in *error when the
    // rows do not fit a sheet of this format, a text is longer than a cell
    // holds or the sheet name is not allowed. An amount that a number cell
    // cannot hold exactly (beyond 2^53) is written as a text.
    static QByteArray build(const QVector<QStringList> &rows, const ColumnKinds &kinds, const QString &sheetName,
                            QString *error = nullptr);

    // The refusal of the first text longer than MaxCellText, naming its row
    // and column as the sheet shows them ("3행 B열"); empty when all fit.
    static QString overlongText(const QVector<QStringList> &rows);

    // The width of each column in characters: its longest text (a Korean
    // letter counting two) with a little room, at least 8 and at most 80.
    static QVector<int> columnWidths(const QVector<QStringList> &rows);
};

} // namespace qvx
