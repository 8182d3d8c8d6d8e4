#include "inquiries/screens/IcheErrViewUnit.h"

#include "core/BankSql.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "inquiries/FailedTransferColumns.h"

namespace {

// "타행이체불능현황", A4 portrait with "Quvex Service" over the column
// header: 19 detail lines on the first page, 25 on the others.
ListReportDecl ErrorReport()
{
    ListReportDecl r = FailedNoticeList::failedReport(QStringLiteral("기  간 : "), 16, 100, 40,
                                                      {8, 18, 14, 9, 29, 15, 29, 15, 12, 11, 15, 15},
                                                      FailedCol::SendDate);
    r.productY = 30;
    r.font = QFont(QStringLiteral("굴림체"), 8);
    r.look = {7, 6, true, 1};
    r.paging = ReportParams{ReportParams::Portrait, 19, 25, true};
    r.footerCaption = QStringLiteral("출력 일시 : ");
    return r;
}

} // namespace

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
    makeList(declare(-1, ErrorReport()));
}

void Tqv_icheerrview_frm::btn_searchClick()
{
    m_frame->search();
}

void registerIcheErrViewScreen()
{
    RegisterListScreen<Tqv_icheerrview_frm>(QStringLiteral("qv_icheerrview_frm"));
}
