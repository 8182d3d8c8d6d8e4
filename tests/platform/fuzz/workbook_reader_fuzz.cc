// libFuzzer entry: the Excel 97-2003 reader over arbitrary bytes (compound
// file, allocation tables and their chains, BIFF records), and the check an
// older workbook passes before the older format's reader sees it.
#include "platform/SheetCells.h"
#include "platform/XlsReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    qvx::SheetCells cells;
    QString error;
    qvx::XlsReader::read(file, &cells, &error);
    qvx::XlsReader::olderSheetsFit(file, &error);
    qvx::XlsReader::activeWorksheet(file);
    return 0;
}
