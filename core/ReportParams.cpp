#include "core/ReportParams.h"

#include "core/TextUtils.h"

#include <QString>

QList<int> ReportParams::linesPerPage(int dataRows) const
{
    QList<int> pages;
    int left = std::max(0, dataRows);
    bool first = true;
    do {
        const int capacity = first ? firstPageLines : laterPageLines;
        const int data = std::min(left, capacity);
        pages.append(fillLastPage ? capacity : std::max(data, pages.isEmpty() ? 1 : data));
        left -= data;
        first = false;
    } while (left > 0);
    return pages;
}

qint64 MoneyCellValue(const QString &cell)
{
    bool ok = false;
    const qint64 value = DelComma(cell).trimmed().toLongLong(&ok);
    return ok ? value : 0;
}
