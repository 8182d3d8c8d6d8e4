#include "inquiries/screens/IcheErrViewUnit.h"

#include "core/BankSql.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"

Tqv_icheerrview_frm::Tqv_icheerrview_frm(const ScreenContext &context, QWidget *owner)
    : FailedNoticeList(context, owner, Filter::BankOfAccount)
{
    TKitSimplePanel *top = makeSearchBar("qv_icheerrview_frm", QStringLiteral("타행이체 불능현황 보기"),
                                         QStringLiteral(" ◎ 타행이체 불능내역 자료 검색"), "pnl_search", 40);
    const int datesEnd = makeChoices(MakeCombo(top, "cmb_allbank", 8, 8, 330), top, 350, 8);
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true, .ordered = false}));
    m_dates->SetToday();
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 6, 90, 26);
    BindClick(this, btn_search, "btn_searchClick", &Tqv_icheerrview_frm::btn_searchClick);
    EnterMovesFocus({cmb_allbank, dtpkr_from});

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 44, alBottom));
    addPrintButtons(buttons, 90);
    btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 타행이체 불능내역"), 24);
    // No column-visibility section: every column is shown.
    makeList(declare(-1));
}

void Tqv_icheerrview_frm::btn_searchClick()
{
    m_frame->search();
}

void registerIcheErrViewScreen()
{
    RegisterListScreen<Tqv_icheerrview_frm>(QStringLiteral("qv_icheerrview_frm"));
}
