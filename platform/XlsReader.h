#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace qvx {

class SheetCells;

// Reads the active sheet of an Excel 97-2003 workbook (BIFF8) as cell texts:
// numbers as plain digits, dates by their number format ("2024-03-01"),
// booleans as "TRUE"/"FALSE", formulas as the result the file keeps for them.
class XlsReader
{
public:
    enum class Result { Read, NotBiff8, Failed };

    // NotBiff8: the file is a compound file of an older workbook format (the
    // caller reads it another way). Failed: the reason, in Korean, in *error;
    // a damaged file, a cell beyond the format's 256 columns or more than
    // SheetCells::MaxCells cells.
    static Result read(const QByteArray &file, SheetCells *cells, QString *error = nullptr);

    // Which worksheet (counting worksheets only, from 0) the workbook was
    // saved showing, for older workbooks too; 0 when it cannot tell.
    static int activeWorksheet(const QByteArray &file);

    // Whether an older workbook's sheets stay within the 16384 rows and 256
    // columns of their format, checked before another reader sizes its cell
    // tables by what the sheets declare; false with the reason in *error.
    static bool olderSheetsFit(const QByteArray &file, QString *error = nullptr);
};

} // namespace qvx
