#include "inquiries/screens/IcheViewUnit.h"

#include "core/BankSql.h"

#include "core/screens/ListKit.h"
#include "core/screens/ResultTotalsGrid.h"
#include "inquiries/ResultList.h"
#include "inquiries/StatusViewSql.h"

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

ResultScreenLayout Layout()
{
    ResultScreenLayout l;
    l.name = "qv_Icheview_frm";
    l.caption = QStringLiteral("이체자료 현황 보기");
    l.size = {1000, 640};
    l.headingName = "pnl_searchtitle";
    l.heading = QStringLiteral(" ◎ 이체자료 검색");
    l.topHeight = 70;
    l.comboAt = {8, 6};
    l.datesAt = {350, 6};
    l.kindPanel = "GroupBox2";
    l.kindAt = {8, 36, 160, 26};
    l.jigubX = 80;
    l.listHeading = QStringLiteral(" ◎ 이체자료 현황 목록");
    return l;
}

} // namespace

Tqv_Icheview_frm::Tqv_Icheview_frm(const ScreenContext &context, QWidget *owner)
    : ResultListScreen(context, owner, Layout())
{
    ListDecl d = generalListDecl(StatusColumns(), QStringLiteral("이체한 자료가 존재하지 않습니다."));
    d.report = totalsReport(
        QStringLiteral("이 체 처 리 현 황 (전체)"),
        {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}, QString(), 24, 58},
         {QStringLiteral("이 체 기 간 : "), QStringLiteral("qlbl_date"), {0, 20}, QString(), 24, 58}},
        StatusReportColumns());
    makeList(std::move(d), cErrCode);
    buildFilters();

    btn_filesave = m_buttons->add("btn_filesave", QStringLiteral("자료 저장"), 110, [this] { btn_filesaveClick(); });
    addPrintButtons(90);
    btn_close = m_buttons->add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });
    formCreate();
    m_accounts->Load(*dm.scktconnect, BankSql::motherAccounts({.passwords = true}));
}

void Tqv_Icheview_frm::buildFilters()
{
    QWidget *top = m_top;
    TKitSimplePanel *state = MakePanel(top, "GroupBox1");
    state->setGeometry(176, 36, 420, 26);
    makeViewStateRadios(state, 280, 4, 140, 135, &rd_entire, &rd_recv, &rd_notsend);
    chk_right = MakeCheck(top, "chk_right", QStringLiteral("정상처리"), 606, 38, 90);
    chk_wrong = MakeCheck(top, "chk_wrong", QStringLiteral("비정상처리"), 700, 38, 100);
    btn_search = AddButton(session, top, "btn_search", QStringLiteral("검 색"), 620, 4, 90, 26,
                           [this] { btn_searchClick(); });
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

QString Tqv_Icheview_frm::statement()
{
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
        return QString();
    }
    return sql;
}

void Tqv_Icheview_frm::btn_searchClick() { m_frame->search(); }

void Tqv_Icheview_frm::btn_filesaveClick()
{
    m_frame->save({[this] {
                       return (Checked(chk_sunab) ? QStringLiteral("수납_재처리") : QStringLiteral("지급_재처리"))
                              + qvx::Clock::nowText(QStringLiteral("yyMMdd-hhmmss"));
                   },
                   [this] {
                       QStringList lines;
                       for (int r = 1; r <= DataRowCount(grd_ichelist); ++r)
                           lines << JoinedSaveRecord([this, r](int col) { return grd_ichelist->Cells(col, r); });
                       return lines;
                   },
                   {}});
}

void registerIcheViewScreen() { RegisterListScreen<Tqv_Icheview_frm>(QStringLiteral("qv_Icheview_frm")); }
