#include "core/screens/EntryScreenParts.h"

#include "core/AppControl.h"
#include "core/EventGuard.h"
#include "core/Session.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/ListGrid.h"
#include "core/screens/GridRows.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/TransSelectUnit.h"
#include "core/TextUtils.h"
#include "platform/ResultSet.h"
#include "platform/SqlText.h"
#include "controls/edits/CurrEdit.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QWidget>

void SetFigure(TCurrencyEdit *edit, qint64 value)
{
    edit->SetValue(qvx::Decimal(value));
}

TListGrid *MakeEntryList(QWidget *form, const QStringList &headers, std::span<const int> widths,
                         const Session &session, std::function<void()> modify)
{
    TListGrid *grid = MakeGrid(form, "grd_ichelist", headers);
    const int shown = int(widths.size());
    for (int c = 0; c < shown; ++c)
        grid->SetColWidths(c, widths[c]);
    for (int c = shown; c < headers.size(); ++c)
        grid->HideColumn(c);
    grid->SetDefaultRowHeight(21);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->OnDblClickCell = [&session, modify = std::move(modify)](int, int row) {
        if (row > 0)
            RunGuarded(session, QStringLiteral("grd_ichelistDblClickCell"), modify);
    };
    return grid;
}

bool EntryListHasRows(const TListGrid *grid, const QString &emptyMessage)
{
    if (!GridIsEmpty(grid))
        return true;
    qvx::Prompt::instance().message(emptyMessage);
    return false;
}

void DeleteEntryRow(TListGrid *grid, const std::function<void()> &clearList, const std::function<void()> &updateTotals,
                    const std::function<void(int row)> &beforeDelete)
{
    if (grid->RowCount() == 2) {
        clearList();
        return;
    }
    const int row = grid->Row();
    if (row < 1)
        return;
    if (beforeDelete)
        beforeDelete(row);
    grid->DeleteRow(row);
    RenumberGridRows(grid);
    updateTotals();
}

int EntryRowToModify(const TListGrid *grid)
{
    if (GridIsEmpty(grid)) {
        qvx::Prompt::instance().message(QStringLiteral("수정할 이체자료가 존재하지 않습니다."));
        return 0;
    }
    const int row = grid->Row();
    return row < 1 ? 0 : row;
}

bool ReadyToSendEntryList(const Session &session, bool busy, const TListGrid *grid,
                          std::initializer_list<TCurrencyEdit *> progressCounts)
{
    if (busy || RefuseWhenOffline(session))
        return false;
    for (TCurrencyEdit *count : progressCounts)
        count->SetValue(qvx::Decimal(0));
    if (GridIsEmpty(grid)) {
        qvx::Prompt::instance().message(QStringLiteral("이체할 자료가 존재하지 않습니다."));
        return false;
    }
    return true;
}

bool ConfirmDiscardEntryList(const TListGrid *grid)
{
    return GridIsEmpty(grid)
           || qvx::Prompt::instance().confirm(
               QStringLiteral("이체자료가 있습니다. 종료 후 데이터는 유실됩니다. 종료하시겠습니까?"),
               QStringLiteral("확인"));
}

void EnableEntryMenus(const QWidget *screen, const Session &session)
{
    for (const QWidget *w = screen->parentWidget(); w; w = w->parentWidget()) {
        if (auto *main = qobject_cast<const Tqv_frm *>(w)) {
            if (QAction *a = main->item(QStringLiteral("qv_b1")))
                a->setEnabled(session.SunabFlag == 1);
            if (QAction *a = main->item(QStringLiteral("qv_b2")))
                a->setEnabled(session.JigubFlag == 1);
            return;
        }
    }
}

QString PayeeNameSearchSql(const QString &typed)
{
    return QStringLiteral("select * from daesang where name like ")
           + qvx::sqlQuote(QStringLiteral("%") + typed + QStringLiteral("%")) + QStringLiteral(" order by name");
}

PayeeSearchOutcome PickPayee(const ScreenContext &context, QWidget *owner, const qvx::ResultSet &rows,
                             FoundPayee *payee)
{
    if (rows.recordCount() == 1) {
        payee->name = rows.value(0, QStringLiteral("name"));
        payee->bankId = rows.value(0, QStringLiteral("bankid"));
        payee->bankNo = FormatAcctNo(payee->bankId, rows.value(0, QStringLiteral("bankno")));
        payee->residentNo = rows.value(0, QStringLiteral("residentno"));
        return PayeeSearchOutcome::Single;
    }
    if (rows.isEmpty())
        return PayeeSearchOutcome::None;
    Tqv_transselect_frm dialog(context, owner);
    dialog.FillPayees(rows);
    const TListGrid *list = dialog.GRD_acceptlist;
    if (dialog.exec() != QDialog::Accepted || list->Row() < 1)
        return PayeeSearchOutcome::Declined;
    const int r = list->Row();
    *payee = {list->Cells(0, r), list->Cells(1, r), list->Cells(2, r), list->Cells(3, r)};
    return PayeeSearchOutcome::Picked;
}

void SayEntryRefused(const QString &message)
{
    qvx::Prompt::instance().message(message);
}
