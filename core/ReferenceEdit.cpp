#include "core/ReferenceEdit.h"

#include "core/DMUnit.h"
#include "core/DayLog.h"

#include <exception>

bool StoreReferenceChange(const QString &sql)
{
    try {
        dm->cms_insert1(QStringLiteral("commit"));
        dm->cms_insert1(sql);
        dm->cms_insert1(QStringLiteral("commit"));
        return true;
    } catch (const std::exception &) {
        try {
            dm->cms_insert1(QStringLiteral("rollback"));
        } catch (const std::exception &) {
        }
        WriteLog(sql);
        return false;
    }
}
