#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace qvx {

// Spreadsheets as cell texts. Writing makes an Office Open XML workbook of one
// sheet with every cell a text (account numbers keep their leading zeros).
// Reading takes the workbook's active sheet from an .xlsx (zip + XML) or an
// .xls (BIFF) file, the format told by the file's first bytes, not its name;
// numbers come back as their plain digits ("1000", not "1,000" or "1000.0").
struct Spreadsheet
{
    using Rows = QVector<QStringList>;

    static bool write(const QString &fileName, const Rows &rows, QString *error = nullptr,
                      const QString &sheetName = QStringLiteral("Sheet1"));
    static bool read(const QString &fileName, Rows *rows, QString *error = nullptr);

    // The plain text of a number cell: whole numbers without a fraction,
    // others with as many digits as they need.
    static QString numberText(double value);
};

} // namespace qvx
