#include "core/ReportParams.h"

#include "core/TextUtils.h"

#include <QString>
#include <QVarLengthArray>

qint64 MoneyCellValue(QStringView cell)
{
    // Read in place: totals read this for every row of a long list.
    QVarLengthArray<QChar, 32> digits;
    for (QChar c : cell)
        if (c != u',')
            digits.append(c);
    bool ok = false;
    const qint64 value = QStringView(digits.constData(), digits.size()).trimmed().toLongLong(&ok);
    return ok ? value : 0;
}
