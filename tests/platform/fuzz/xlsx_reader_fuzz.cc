// libFuzzer entry: the Office Open XML reader over arbitrary bytes (zip
// directory and members, their unpacking, the XML of every part it reads).
// The reader opens its workbook by name, so the bytes are handed over as a
// file held in memory.
#include "platform/SheetCells.h"
#include "platform/XlsxReader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const int fd = memfd_create("workbook.xlsx", 0);
    if (fd < 0)
        return 0;
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += std::size_t(n);
    }
    qvx::SheetCells cells;
    QString error;
    qvx::XlsxReader::read(QStringLiteral("/proc/self/fd/%1").arg(fd), &cells, &error);
    close(fd);
    return 0;
}
