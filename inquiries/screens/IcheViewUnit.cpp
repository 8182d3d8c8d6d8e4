#include "inquiries/screens/IcheViewUnit.h"

#include "core/screens/ListKit.h"
#include "core/screens/ResultTotalsGrid.h"
#include "inquiries/ResultList.h"
#include "inquiries/StatusViewSql.h"

#include <QLabel>

using namespace ResultList;

namespace {

// The result lists' columns without the check box and the creator's id;
// the company columns titled for every user's transfers.
const ListColumns &StatusColumns()
{
    static const ListColumns columns = [] {
        ListColumns c = ResultList::Columns().mid(0, cCfmId);
        c[cNo].checkBox = false;
        for (int col : {cNo, cFee, cTaErrFee, cTaErrPrice, cTaErrMoney, cDummy})
            c[col].align = AlignCenter;
        c[cName].title = QStringLiteral("업체");
        c[cDummy].title = QStringLiteral("업체정보");
        return c;
    }();
    return columns;
}

const QList<ReportColumn> &StatusReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 9, ReportColumn::RowNo},          {QStringLiteral("구분"), 10, cKind},
        {QStringLiteral("이 체 금 액"), 29, cPrice, AlignRight}, {QStringLiteral("업체"), 26, cName, AlignLeft},
        {QStringLiteral("은 행 명"), 18, cTransBank},             {QStringLiteral("계 좌 번 호"), 30, cBankNo},
        {QStringLiteral("송신시각"), 16, cRecvTime},              {QStringLiteral("처 리 결 과"), 30, cResult, AlignLeft},
        {QStringLiteral("업체정보"), 22, cDummy, AlignLeft}};
    return columns;
}

} // namespace

Tqv_Icheview_frm::Tqv_Icheview_frm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
    SetUpForm(this, "qv_Icheview_frm", QStringLiteral("이체자료 현황 보기"), 1000, 640);
    setAttribute(Qt::WA_DeleteOnClose);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ 이체자료 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_top", 70, alTop);
    buildFilters(top);

    ButtonRow buttons(session, MakeBar(this, "pnl_bottom", 44, alBottom));
    btn_filesave = buttons.add("btn_filesave", QStringLiteral("자료 저장"), 110, [this] { btn_filesaveClick(); });
    m_totalsGrid = new ResultTotalsGrid(this);
    grd_test = m_totalsGrid->grid();
    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 이체자료 현황 목록"), 24);
    grd_ichelist = MakeListGrid(this, "grd_ichelist", StatusColumns());
    ApplyColumnVisibility(grd_ichelist, objectName(), 0, 19);
    MarkRows(grd_ichelist, [this](int row) { return grd_ichelist->Cells(cErrCode, row) == QLatin1String("0000"); },
             BgrColor(0xE3987B), Qt::white);
    AddFindAction(context, this, grd_ichelist);
    std::tie(btn_preview, btn_print) = AddPrintButtons(buttons, this, grd_ichelist, Report1);
    btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });
    BindClick(this, btn_search, "btn_searchClick", &Tqv_Icheview_frm::btn_searchClick);
    buildReport();
}

void Tqv_Icheview_frm::buildFilters(QWidget *top)
{
    cmb_allbank = MakeCombo(top, "cmb_allbank", 8, 6, 330);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true}));
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 350, 6);
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    m_dates->SetToday();

    TKitSimplePanel *kind = MakePanel(top, "GroupBox2");
    kind->setGeometry(8, 36, 160, 26);
    chk_sunab = MakeRadio(kind, "chk_sunab", QStringLiteral("수 납"), 4, 2, 70);
    chk_jigub = MakeRadio(kind, "chk_jigub", QStringLiteral("지 급"), 80, 2, 70);
    SetChecked(chk_sunab, true);
    TKitSimplePanel *state = MakePanel(top, "GroupBox1");
    state->setGeometry(176, 36, 420, 26);
    rd_recv = MakeRadio(state, "rd_recv", QStringLiteral("수    신 이체 자료"), 4, 2, 130);
    rd_notsend = MakeRadio(state, "rd_notsend", QStringLiteral("미 송 신 이체 자료"), 140, 2, 135);
    rd_entire = MakeRadio(state, "rd_entire", QStringLiteral("전    체 이체 자료"), 280, 2, 135);
    SetChecked(rd_entire, true);
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정상처리"), 606, 38, 90);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상처리"), 700, 38, 100);
    SetChecked(chk_right, true);
    SetChecked(chk_wrong, true);
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), 620, 4, 90, 26);
    for (QWidget *w : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(dtpkr_from),
                       static_cast<QWidget *>(chk_right), static_cast<QWidget *>(chk_wrong)})
        EnterMovesFocus(w);
    // Enter steps into each group at its own control: the kind group at
    // 수 납, the state group at 전체; out of the state group to 정상처리.
    EnterMovesFocus(dtpkr_to, chk_sunab);
    EnterMovesFocus(chk_sunab, chk_jigub);
    EnterMovesFocus(chk_jigub, rd_entire);
    EnterMovesFocus(rd_recv, rd_notsend);
    EnterMovesFocus(rd_notsend, chk_right);
    EnterMovesFocus(rd_entire, chk_right);
    FocusOnShow(this, cmb_allbank);
}

void Tqv_Icheview_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    ClearGridRows(grd_ichelist, grd_ichelist->ColCount() - 1);
    if (cmb_allbank->ItemIndex() < 0) {
        qvx::Prompt::instance().message(QStringLiteral("조회할 계좌번호를 선택하시기 바랍니다."));
        cmb_allbank->setFocus();
        return;
    }
    m_totals.clear();
    m_totalsGrid->clear();
    StatusFilter filter;
    const MotherAccount *chosen = m_accounts->Chosen();
    filter.bankCode = chosen ? chosen->bankid : QString();
    filter.state = Checked(rd_entire)   ? StatusFilter::State::Entire
                   : Checked(rd_recv)   ? StatusFilter::State::Received
                                        : StatusFilter::State::NotSent;
    filter.collection = Checked(chk_sunab);
    filter.right = Checked(chk_right);
    filter.wrong = Checked(chk_wrong);
    filter.dateFrom = m_dates->FromText();
    filter.dateTo = m_dates->ToText();
    StatusViewSql::Refusal refusal;
    const QString sql = StatusViewSql::byFilter(filter, &refusal);
    if (refusal == StatusViewSql::Refusal::NoOutcomeOption) {
        qvx::Prompt::instance().message(QStringLiteral("정상처리 / 비정상처리 옵션이 선택되지 않았습니다."));
        SetChecked(chk_right, true);
        SetChecked(chk_wrong, true);
        return;
    }
    WaitCursor wait;
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("이체한 자료가 존재하지 않습니다."));
        return;
    }
    const int iGubun = rs.columnIndex(QStringLiteral("gubun")), iFlag = rs.columnIndex(QStringLiteral("sr_flag")),
              iErr = rs.columnIndex(QStringLiteral("errcode")), iPrice = rs.columnIndex(QStringLiteral("price"));
    FillList(grd_ichelist, StatusColumns(), rs, {[&](int, int i) {
                 m_totals.add(rs.value(i, iGubun), rs.value(i, iFlag), rs.value(i, iErr),
                              SafeStrToCurr(rs.value(i, iPrice).trimmed(), 0));
             }});
    m_totalsGrid->show(m_totals);
}

void Tqv_Icheview_frm::btn_filesaveClick()
{
    const QString proposed = (Checked(chk_sunab) ? QStringLiteral("수납_재처리") : QStringLiteral("지급_재처리"))
                             + qvx::Clock::nowText(QStringLiteral("yyMMdd-hhmmss"));
    SaveListFile(this, grd_ichelist, proposed, [this] {
        QStringList lines;
        for (int r = 1; r <= DataRowCount(grd_ichelist); ++r)
            lines << JoinedSaveRecord([this, r](int col) { return grd_ichelist->Cells(col, r); });
        return lines;
    });
}

void Tqv_Icheview_frm::buildReport()
{
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.pageFooter.height = 7;
    AddReportTitle(Report1, QStringLiteral("이 체 처 리 현 황 (전체)"), 190);
    Report1.title.add(qvx::ReportItem::Label, QString(), QRectF(140, 33, 50, 5), QStringLiteral("Quvex Service"),
                      AlignRight);
    AddTitleValues(Report1, {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}, QString(), 24, 58},
                             {QStringLiteral("이 체 기 간 : "), QStringLiteral("qlbl_date"), {0, 20}, QString(), 24, 58}});
    ResultTotalsGrid::AddReportFigures(Report1);
    AddReportColumns(Report1, StatusReportColumns(), {7, 6, true, 1});
    AddPrintDateFooter(Report1, 190);
    Report1.title.height = 40;
    m_reportRows.fitPage(Report1);
    Report1.BeforePrint = [this] {
        Report1.title.setCaption(QStringLiteral("qlbl_mobankno"),
                                 cmb_allbank->ItemIndex() > 0 ? cmb_allbank->Text() : QStringLiteral("모든 계좌"));
        Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        m_totalsGrid->ShowReportFigures(Report1);
        SetPrintDate(Report1);
    };
    m_reportRows.attachGrid(Report1, grd_ichelist, StatusReportColumns());
}

void registerIcheViewScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_Icheview_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_Icheview_frm(context, owner);
                                   });
}
