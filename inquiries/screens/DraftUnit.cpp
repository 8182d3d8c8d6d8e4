#include "inquiries/screens/DraftUnit.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/GapRequest.h"
#include "core/RequestSender.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "core/screens/DateRange.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/DraftNoticeColumns.h"
#include "inquiries/NoticeGapRequest.h"
#include "inquiries/screens/NoticeTotalsGrid.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QLabel>
#include <QStatusBar>

namespace {

void Say(const char *text) { qvx::Prompt::instance().message(QString::fromUtf8(text)); }

const char *const DraftKindsQuery =
    "select distinct transdivcode, transdivcontents  from transdiv where divflag = '2'";

// The totals cell (0..5) of a kind; -1 when not totalled.
int TotalsIndex(const QString &gubun)
{
    static const TotalsTable table = DraftTotalsTable();
    const QString code = DraftTotalsCode(gubun);
    for (const TotalsTable::Cell &cell : table.cells())
        if (!code.isEmpty() && cell.code == code)
            return cell.column - 1;
    return -1;
}

ReportParams ReportPaging() { return LandscapePaging(19, 25); }

const QList<ReportColumn> &ReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("No"), 10},
        {QStringLiteral("종류"), 18, DraftCol::DraftKind},
        {QStringLiteral("만기일"), 20, DraftCol::MankiDate},
        {QStringLiteral("수탁일"), 20, DraftCol::SutakDate},
        {QStringLiteral("구  분"), 20, DraftCol::Kind},
        {QStringLiteral("결제계좌"), 28, DraftCol::GyuljeBankNo},
        {QStringLiteral("입금인코드"), 20, DraftCol::IbgumCode},
        {QStringLiteral("어음번호"), 24, DraftCol::DraftNo},
        {QStringLiteral("금  액"), 29, DraftCol::Money, AlignRight},
        {QStringLiteral("은행명"), 18, DraftCol::BankName},
        {QStringLiteral("통지일자"), 20, DraftCol::SendDate},
        {QStringLiteral("어음수탁계좌"), 30, DraftCol::BankNo},
        {QStringLiteral("당/타행"), 14, DraftCol::DangTa},
    };
    return columns;
}

const char *const TotalLabels[6][2] = {
    {"수탁 : ", "qlbl_sutak"},         {"수탁정정 : ", "qlbl_sutakmod"},     {"수탁취소 : ", "qlbl_sutakcancel"},
    {"추심 : ", "qlbl_chusim"},        {"추심취소 : ", "qlbl_chusimcancel"}, {"반    환 : ", "qlbl_return"},
};

} // namespace

Tqv_draft_frm::Tqv_draft_frm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("qv_draft_frm"));
    setWindowTitle(QStringLiteral("보관어음 명세통지"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 640);
    SetFormColour(this);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ 보관어음 명세통지 자료 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_top", 70, alTop);
    buildFilterBar(session, top, QStringLiteral("은 행 계 좌"), [this] { btn_searchClick(this); },
                   QStringLiteral("부터"), QStringLiteral("까지"));
    for (QWidget *control : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(cmb_bankno),
                             static_cast<QWidget *>(cmb_transdiv), static_cast<QWidget *>(dtpkr_from),
                             static_cast<QWidget *>(dtpkr_to)})
        EnterMovesFocus(control);
    FocusOnShow(this, cmb_allbank);
    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 보관어음 명세통지 내역 목록"), 24);

    StatusBar1 = MakeStatusBar(this);
    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    auto button = [this, bottom](const char *name, const QString &caption, int x, std::function<void()> handler) {
        TDDButton *b = MakeButton(bottom, name, caption, x, 9, 110, 26);
        BindClick(session, b, QString::fromLatin1(name) + QStringLiteral("Click"), std::move(handler));
        return b;
    };
    DDButton1 = button("DDButton1", QStringLiteral("인 쇄"), 8, [this] { PrintList(this, grd_draftlist, Report1, false); });
    btn_preview = button("btn_preview", QStringLiteral("미리보기"), 124,
                         [this] { PrintList(this, grd_draftlist, Report1, true); });
    KitButton1 = button("KitButton1", QStringLiteral("결번요청"), 240, [this] { KitButton1Click(); });
    btn_filesave = button("btn_filesave", QStringLiteral("Text 파일 저장"), 356, [this] { btn_filesaveClick(); });
    btn_close = button("btn_close", QStringLiteral("닫 기"), 472, [this] { close(); });
    QStringList captions;
    for (const char *c : {"수  탁", "수탁정정", "수탁취소", "추  심", "추심취소", "반  환"})
        captions << QString::fromUtf8(c);
    m_totals = new NoticeTotalsGrid(this, captions, 6, 20, 3, QStringLiteral("구  분"), QStringLiteral("금  액"), 48);
    grd_test = m_totals->grid();

    grd_draftlist = MakeListGrid(this, "grd_draftlist", DraftNoticeColumns());
    AddFindAction(context, this, grd_draftlist);
    buildReport();
    RunGuarded(session, QStringLiteral("qv_draft_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_draft_frm::~Tqv_draft_frm() = default;

void Tqv_draft_frm::FormCreate()
{
    ApplyColumnVisibility(grd_draftlist, objectName(), 0, 23);
    m_dates->SetToday();
    m_banks->Load(*dm.scktconnect);
    const qvx::ResultSet &accounts = dm.cms_select1(BankSql::motherAccounts());
    QVector<MotherAccount> all;
    for (int i = 0; i < accounts.recordCount(); ++i)
        all.append(MotherAccount::FromRow(accounts, i));
    m_accounts->LinkTo(*m_banks, all);
    m_kinds->Load(*dm.scktconnect, QString::fromLatin1(DraftKindsQuery));
}

DraftNoticeFilter Tqv_draft_frm::chosenFilter() const
{
    DraftNoticeFilter f;
    f.kindCode = m_kinds->ChosenCode();
    f.bankNo = m_accounts->ChosenNumber();
    f.bankCode = m_banks->ChosenCode();
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    return f;
}

void Tqv_draft_frm::btn_searchClick(QObject *)
{
    StatusBar1->clearMessage();
    if (RefuseWhenOffline(session))
        return;
    const DraftNoticeFilter filter = chosenFilter();
    m_listed.reset();
    m_listedRows = qvx::ResultSet();
    ClearGridRows(grd_draftlist, DraftCol::Count);
    m_totals->clear();
    WaitCursor wait;
    const qvx::ResultSet &rs = dm.cms_select1(DraftNoticeSql::byFilter(filter));
    if (rs.isEmpty()) {
        Say("보관어음 통지 전문이 수신되지 않았습니다.");
        return;
    }
    QVector<qint64> sums(6, 0);
    const int gubun = rs.columnIndex(QStringLiteral("gubun"));
    const int money = rs.columnIndex(QStringLiteral("draftmoney"));
    ListFillOptions options;
    options.onRow = [&](int, int r) {
        const int index = TotalsIndex(rs.value(r, gubun));
        if (index >= 0)
            sums[index] += SafeStrToCurr(rs.value(r, money).trimmed(), 0);
    };
    FillList(grd_draftlist, DraftNoticeColumns(), rs, options);
    for (int i = 0; i < 6; ++i)
        m_totals->setAmount(i, sums[i]);
    m_listedRows = rs;
    m_listed = filter;
}

void Tqv_draft_frm::KitButton1Click()
{
    if (RefuseWhenOffline(session))
        return;
    if (GridIsEmpty(grd_draftlist)) {
        Say("먼저 통지 전문을 확인하신 후 결번이 있을 경우 요청하시기 바랍니다.");
        return;
    }
    if (!m_dates->SameDay()) {
        Say("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");
        return;
    }
    // The request goes to the bank and day the list was searched for.
    const DraftNoticeFilter chosen = chosenFilter();
    const BankItem *bank = m_banks->Chosen();
    if (!bank || !m_listed || m_listed->bankCode != chosen.bankCode || m_listed->bankNo != chosen.bankNo
        || m_listed->kindCode != chosen.kindCode || m_listed->dateFrom != chosen.dateFrom
        || m_listed->dateTo != chosen.dateTo) {
        Say("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.");
        return;
    }
    const NoticeBank to{bank->bankid, bank->firmid, bank->recvid};
    const qvx::ResultSet &rs = dm.cms_select1(NoticeGapSql::numbers(NoticeKind::Draft, to, chosen.dateFrom));
    if (rs.isEmpty()) {
        Say("해당일에 전송된 통지 내역이 존재하지 않습니다.");
        return;
    }
    const QList<int> gaps = MissingNumbers(rs.columnValues(QStringLiteral("org_seqno")));
    if (gaps.isEmpty()) {
        Say("결번요구할 전문이 없습니다.");
        return;
    }
    const RequestHeader header = RequestHeader::of(session);
    RequestSender sender(dm);
    const QString day = chosen.dateFrom;
    const QString status = GapRequestStatus(SendNoticeGapRequest<DraftOrderRow>(
        sender, NoticeKind::Draft, gaps, [&](int number) { return DraftGapRow(header, to, day, number); }));
    if (!status.isEmpty())
        StatusBar1->showMessage(status);
}

void Tqv_draft_frm::btn_filesaveClick()
{
    const QString proposed = qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("어음통지");
    SaveListFile(this, grd_draftlist, proposed, [this] {
        QStringList lines;
        for (int i = 0; i < m_listedRows.recordCount(); ++i)
            lines.append(DraftSaveLine(DraftNotice::FromRow(m_listedRows, i), i + 1));
        return lines;
    });
}

void Tqv_draft_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("보 관 어 음 현 황");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.orientation = QPageLayout::Landscape;
    Report1.title
        .add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 277, 10),
             QStringLiteral("보 관 어 음 현 황"), Qt::AlignCenter)
        .font.setPointSize(16);
    QList<TitleValue> values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
                                {QStringLiteral("기       간 : "), QStringLiteral("qlbl_date"), {0, 20}}};
    for (int i = 0; i < 6; ++i)
        values.append({QString::fromUtf8(TotalLabels[i][0]), QString::fromLatin1(TotalLabels[i][1]),
                       {120.0 + (i / 3) * 80, 12.0 + (i % 3) * 5}, QString(), 24, 50, AlignRight});
    AddTitleValues(Report1, values);
    AddReportColumns(Report1, ReportColumns(), {8, 6, false, 1});
    AddPrintDateFooter(Report1, 277);
    m_reportRows = std::make_unique<ListReportRows>(ReportPaging());
    m_reportRows->attachGrid(Report1, grd_draftlist, ReportColumns());
    Report1.BeforePrint = [this] { Report1BeforePrint(); };
}

void Tqv_draft_frm::Report1BeforePrint()
{
    m_reportRows->reset();
    Report1.title.setCaption(QStringLiteral("qlbl_mobankno"), reportAccountText());
    Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
    for (int i = 0; i < 6; ++i)
        Report1.title.setCaption(QString::fromLatin1(TotalLabels[i][1]), m_totals->amount(i));
    SetPrintDate(Report1);
}

void registerDraftScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_Draft_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_draft_frm(context, owner);
                                   });
}
