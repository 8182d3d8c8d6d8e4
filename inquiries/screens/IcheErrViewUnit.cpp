#include "inquiries/screens/IcheErrViewUnit.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/FailedTransferNotices.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QLabel>

Tqv_icheerrview_frm::Tqv_icheerrview_frm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("qv_icheerrview_frm"));
    setWindowTitle(QStringLiteral("타행이체 불능현황 보기"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 600);
    SetFormColour(this);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ 타행이체 불능내역 자료 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_search", 40, alTop);
    cmb_allbank = MakeCombo(top, "cmb_allbank", 8, 8, 330);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true, .ordered = false}));
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 350, 8);
    const int datesEnd = m_dates->SetCaptions(QStringLiteral("부터"), QStringLiteral("까지"));
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    m_dates->SetToday();
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 6, 90, 26);
    EnterMovesFocus(cmb_allbank);
    EnterMovesFocus(dtpkr_from);
    FocusOnShow(this, cmb_allbank);

    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    btn_print = MakeButton(bottom, "btn_print", QStringLiteral("인 쇄"), 8, 9, 90, 26);
    btn_preview = MakeButton(bottom, "btn_preview", QStringLiteral("미리보기"), 104, 9, 90, 26);
    btn_close = MakeButton(bottom, "btn_close", QStringLiteral("닫 기"), 200, 9, 90, 26);

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 타행이체 불능내역"), 24);
    grd_allbank = MakeListGrid(this, "grd_allbank", FailedTransferColumns());
    AddFindAction(context, this, grd_allbank);

    BindClick(this, btn_search, "btn_searchClick", &Tqv_icheerrview_frm::btn_searchClick);
    BindClick(session, btn_print, QStringLiteral("btn_printClick"), [this] { PrintList(this, grd_allbank, Report1, false); });
    BindClick(session, btn_preview, QStringLiteral("btn_previewClick"),
              [this] { PrintList(this, grd_allbank, Report1, true); });
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { close(); });
    buildReport();
}

void Tqv_icheerrview_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    FailedTransferFilter filter;
    const MotherAccount *chosen = m_accounts->Chosen();
    filter.bankCode = chosen ? chosen->bankid : QString();  // the account's bank, as the other list screens
    filter.dateFrom = m_dates->FromText();
    filter.dateTo = m_dates->ToText();
    FailedTransferSql::Refusal refusal;
    const QString sql = FailedTransferSql::byFilter(filter, &refusal);
    if (refusal == FailedTransferSql::Refusal::ReversedPeriod) {
        qvx::Prompt::instance().message(QStringLiteral("기간 설정이 올바르지 않습니다."));
        return;
    }
    ClearGridRows(grd_allbank, grd_allbank->ColCount() - 1);
    WaitCursor wait;
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("타행이체불능 통지 전문이 수신되지 않았습니다."));
        return;
    }
    FillList(grd_allbank, FailedTransferColumns(), rs);
}

void Tqv_icheerrview_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("타행이체불능현황");
    Report1.font = QFont(QStringLiteral("굴림체"), 8);
    Report1.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 190, 10),
                      QStringLiteral("타행이체불능현황"), Qt::AlignCenter)
        .font.setPointSize(16);
    AddTitleValues(Report1, {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 16}},
                             {QStringLiteral("기  간 : "), QStringLiteral("qlbl_date"), {0, 22}},
                             {QStringLiteral("이체불능금액 합계 : "), QStringLiteral("qlbl_icheerrmoney"), {100, 16},
                              QStringLiteral("원"), 36, 40, AlignRight},
                             {QStringLiteral("잔   액    합    계 : "), QStringLiteral("qlbl_amtmoney"), {100, 22},
                              QStringLiteral("원"), 36, 40, AlignRight}});
    Report1.title.add(ReportItem::Label, QString(), QRectF(140, 30, 50, 5), QStringLiteral("Quvex Service"),
                      Qt::AlignRight | Qt::AlignVCenter);
    const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 8}, {QStringLiteral("통지일자"), 18, FailedCol::SendDate}, {QStringLiteral("은행명"), 14, FailedCol::MoBankName},
        {QStringLiteral("구 분"), 9, FailedCol::Kind}, {QStringLiteral("모계좌번호"), 29, FailedCol::MoBankNo},
        {QStringLiteral("거래은행"), 15, FailedCol::TransBankName}, {QStringLiteral("금 액"), 29, FailedCol::Price, AlignRight},
        {QStringLiteral("처리결과"), 15, FailedCol::ProcResult}, {QStringLiteral("수수료"), 12, FailedCol::Fee, AlignRight},
        {QStringLiteral("성 명"), 11, FailedCol::Name}, {QStringLiteral("CMS Code"), 15, FailedCol::CmsCode},
        {QStringLiteral("처리번호"), 15, FailedCol::TaProcNo}};
    AddReportColumns(Report1, columns, {7, 6, true, 1});
    AddPrintDateFooter(Report1, 190, QStringLiteral("출력 일시 : "));
    Report1.BeforePrint = [this] {
        SetPrintDate(Report1);
        const MotherAccount *chosen = m_accounts->Chosen();
        Report1.title.setCaption(QStringLiteral("qlbl_mobankno"), chosen ? FormatAcctNo(chosen->bankid, chosen->mobankno)
                                                                         : QStringLiteral("모든 계좌"));
        Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        Report1.title.setCaption(QStringLiteral("qlbl_icheerrmoney"), CurrToMoneyStr(ColumnSum(grd_allbank, FailedCol::Price)));
        Report1.title.setCaption(QStringLiteral("qlbl_amtmoney"), CurrToMoneyStr(ColumnSum(grd_allbank, FailedCol::Fee)));
    };
    m_reportRows.attachGrid(Report1, grd_allbank, columns);
    m_reportRows.fitPage(Report1);
}

void registerIcheErrViewScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_icheerrview_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_icheerrview_frm(context, owner);
                                   });
}
