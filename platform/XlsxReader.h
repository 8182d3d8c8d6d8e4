#pragma once

#include <QString>

namespace qvx {

class SheetCells;

// Reads the active sheet of an Office Open XML workbook (.xlsx: zip + XML) as
// cell texts, by the same rules as the Excel 97-2003 reader. Its parts are
// parsed as they unpack, never held whole; all of them together may unpack to
// at most MaxUnpackedBytes, and elements may nest at most MaxDepth deep, so a
// small crafted file can neither inflate without end nor nest past the stack.
class XlsxReader
{
public:
    // Some megabytes of XML hold the largest transfer sheet a person keeps.
    static constexpr qint64 MaxUnpackedBytes = 64LL * 1024 * 1024;
    // A cell's text lies seven elements deep (worksheet, sheetData, row, c,
    // is, r, t).
    static constexpr int MaxDepth = 32;

    // False with the reason, in Korean, in *error: no workbook, a damaged
    // one, one that unpacks to too much or nests too deep, a cell beyond the
    // sheet's limits, more than SheetCells::MaxCells cells or shared strings.
    static bool read(const QString &fileName, SheetCells *cells, QString *error = nullptr);
};

} // namespace qvx
