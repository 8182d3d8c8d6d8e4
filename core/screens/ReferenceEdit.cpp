#include "core/screens/ReferenceEdit.h"
#include "core/screens/ReferenceRows.h"

#include "core/RunCommitted.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenParts.h"
#include "core/Session.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QLineEdit>

#include <exception>

void ReferenceEditMode::idle()
{
    m_mode = None;
    showButtons(true, false);
}

void ReferenceEditMode::begin(Mode mode)
{
    m_mode = mode;
    showButtons(false, true);
}

void ReferenceEditMode::lock()
{
    showButtons(false, false);
}

bool ReferenceEditMode::saving() const
{
    return m_session.LoginAuthorCode == u"3" && m_mode != None;
}

void ReferenceEditMode::showButtons(bool addModify, bool saveCancel)
{
    const bool admin = m_session.LoginAuthorCode == u"3";
    for (TDDButton *b : {*m_buttons.add, *m_buttons.modify})
        if (b)
            SetButtonEnabled(b, admin && addModify);
    for (TDDButton *b : {*m_buttons.save, *m_buttons.cancel})
        if (b)
            SetButtonEnabled(b, admin && saveCancel);
}

bool StoreReferenceChange(const ScreenContext &context, const QString &sql)
{
    if (RunCommitted(*context.dm.scktconnect, sql))
        return true;
    WriteLog(context.session, sql);
    return false;
}

bool StoreReferenceUpdate(const ScreenContext &context, const QString &table, const QString &where, const QString &sql)
{
    try {
        const qvx::ResultSet found = context.dm.cms_select1(QStringLiteral("select count(*) as cnt from ") + table + where);
        if (found.valueInt(0, QStringLiteral("cnt")) == 0)
            return false;
    } catch (const std::exception &) {
        WriteLog(context.session, sql + where);
        return false;
    }
    return StoreReferenceChange(context, sql + where);
}

bool RefuseEmpty(QLineEdit *field, const QString &message)
{
    if (!field->text().isEmpty())
        return false;
    qvx::Prompt::instance().message(message);
    field->setFocus();
    return true;
}

bool ConfirmReferenceEntry(const QString &codeLabel, const QString &code, const QString &textLabel,
                           const QString &text)
{
    return qvx::Prompt::instance().confirm(codeLabel + QStringLiteral(" : ") + code + u'\r' + textLabel
                                           + QStringLiteral(" : ") + text + QStringLiteral("\r\r등록하시겠습니까"));
}

void TellReferenceStored(bool ok)
{
    qvx::Prompt::instance().message(ok ? QStringLiteral("정상적으로 처리되었습니다.")
                                       : QStringLiteral("정상적으로 처리되지 않았습니다."));
}

TKitSimplePanel *MakeReferenceSearchBar(QWidget *form)
{
    MakeBand(form, "pnl_searchcaption", QStringLiteral(" ◎ 검  색"), 22);
    return MakeBar(form, "pnl_search", 40, alTop);
}

void WriteListRow(TListGrid *grid, const ListColumns &columns, const qvx::ResultSet &rs, int i, int gridRow)
{
    for (int c = 0; c < columns.size(); ++c)
        grid->SetCells(c, gridRow, columns[c].format == CellFormat::RowNo ? QString::number(gridRow)
                                                                          : CellText(columns[c], rs, i));
}

qvx::ResultSet ReadStoredRow(const ScreenContext &context, const QString &sql)
{
    try {
        return context.dm.cms_select1(sql);
    } catch (const std::exception &) {
        WriteLog(context.session, sql);
        return {};
    }
}
