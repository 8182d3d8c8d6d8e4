#pragma once

#include "platform/SheetCells.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace qvx {

// Spreadsheets as cell texts. Writing makes a workbook of one sheet, an Excel
// 97-2003 workbook (.xls) or, for a name ending in ".xlsx", an Office Open XML
// one. A column whose cells below the first row are all amounts written with
// ',' groups ("1,000", "-2,500.50") is written as numbers shown the same way,
// and so is a column the caller names a number column whose cells are all
// such amounts, grouped or too small to need a group ("500", "3");
// every other cell is a text (account numbers keep their leading zeros).
// Reading takes the workbook's active sheet from an .xlsx (zip + XML) or an
// .xls (BIFF) file, the format told by the file's first bytes, not its name;
// numbers come back as their plain digits ("1000", not "1,000", "1000.0" or
// "1E+19"), dates as "yyyy-MM-dd" (with " HH:mm:ss" where the format shows a
// time), booleans as "TRUE"/"FALSE", formulas as their saved results. The
// cells are held sparsely (a cell at the last column costs no more than one
// in the first); a damaged file, a cell beyond the format's limits, more
// than SheetCells::MaxCells cells, an .xlsx that unpacks to too much or nests
// too deep (see XlsxReader) or one that does not fit in memory is refused
// with a Korean reason, never with an exception.
struct Spreadsheet
{
    using Rows = QVector<QStringList>;

    // numberColumns[c]: column c holds amounts or counts (see above).
    static bool write(const QString &fileName, const Rows &rows, QString *error = nullptr,
                      const QString &sheetName = QStringLiteral("Sheet1"), const QVector<bool> &numberColumns = {});
    static bool read(const QString &fileName, SheetCells *cells, QString *error = nullptr);
    // The same as dense rows (each up to its last text) for sheets whose
    // rows so padded hold at most MaxDenseCells cells; a wider or longer
    // sheet is refused (read it sparsely instead). Cells that show one
    // shared string share one QString.
    static constexpr qsizetype MaxDenseCells = 4'000'000;
    static bool read(const QString &fileName, Rows *rows, QString *error = nullptr);

    // The plain text of a number cell: whole numbers without a fraction,
    // others with up to 15 significant digits; never in exponent form.
    static QString numberText(double value);

    // Per column: the decimals of an amount column as described above, -1
    // for a column of texts.
    static QVector<int> amountColumns(const Rows &rows, const QVector<bool> &numberColumns = {});
};

} // namespace qvx
