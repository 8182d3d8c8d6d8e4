#include "core/ReportParams.h"

#include "core/TextUtils.h"

#include <QString>

qint64 MoneyCellValue(const QString &cell)
{
    bool ok = false;
    const qint64 value = DelComma(cell).trimmed().toLongLong(&ok);
    return ok ? value : 0;
}
