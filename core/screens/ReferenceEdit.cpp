#include "core/screens/ReferenceEdit.h"

#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListScreen.h"
#include "core/Session.h"
#include "platform/TListGrid.h"

#include <exception>

void EditButtons::set(const Session &session, bool addModify, bool saveCancel) const
{
    const bool admin = session.LoginAuthorCode == u"3";
    SetButtonEnabled(add, admin && addModify);
    SetButtonEnabled(modify, admin && addModify);
    SetButtonEnabled(save, admin && saveCancel);
    SetButtonEnabled(cancel, admin && saveCancel);
}

bool StoreReferenceChange(const Session &session, const QString &sql)
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
        WriteLog(session, sql);
        return false;
    }
}

void AppendGridRow(TListGrid *grid, const QStringList &cells)
{
    int row = grid->RowCount();
    if (GridIsEmpty(grid))
        row = 1;
    if (row >= grid->RowCount())
        grid->SetRowCount(row + 1);
    for (int c = 0; c < cells.size(); ++c)
        grid->SetCells(c, row, cells[c]);
}
