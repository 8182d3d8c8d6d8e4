#include "inquiries/screens/TicheErrTUnit.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/RequestSender.h"
#include "core/TextUtils.h"
#include "core/screens/DateRange.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/NoticeGapRequest.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"
#include "platform/TextFile.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QStatusBar>

namespace {

const char *const AskSearchFirst =
    "결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다.";

void Say(const char *text) { qvx::Prompt::instance().message(QString::fromUtf8(text)); }

// The report's pages: 19 detail lines on the first, 25 on the others, the
// last one filled with empty lines.
ReportParams ReportPaging() { return LandscapePaging(19, 25); }

const QList<ReportColumn> &ReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 10},
        {QStringLiteral("통지일자"), 18, FailedCol::BankSeqNo},
        {QStringLiteral("은행명"), 20, FailedCol::MoBankName},
        {QStringLiteral("구 분"), 12, FailedCol::Kind},
        {QStringLiteral("모계좌번호"), 32, FailedCol::MoBankNo},
        {QStringLiteral("거래은행"), 20, FailedCol::TransBankName},
        {QStringLiteral("금 액"), 29, FailedCol::Price, AlignRight},
        {QStringLiteral("처리결과"), 30, FailedCol::ProcResult},
        {QStringLiteral("수수료"), 18, FailedCol::Fee, AlignRight},
        {QStringLiteral("성 명"), 28, FailedCol::Name},
        {QStringLiteral("CMS Code"), 28, FailedCol::CmsCode},
        {QStringLiteral("처리번호"), 32, FailedCol::TaProcNo},
    };
    return columns;
}

} // namespace

Tqv_TicheerrT_frm::Tqv_TicheerrT_frm(const ScreenContext &context, QWidget *owner)
    : QWidget(owner), session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("qv_TicheerrT_frm"));
    setWindowTitle(QStringLiteral("타행이체 불능통지"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1000, 600);
    SetFormColour(this);

    MakeBand(this, "pnl_searchtitle", QStringLiteral(" ◎ 타행이체 불능통지 자료 검색"), 24);
    TKitSimplePanel *top = MakeBar(this, "pnl_top", 44, alTop);
    cmb_allbank = MakeLabeledCombo(top, "cmb_allbank", QStringLiteral("은 행 계 좌"), 8, 11, 70, 360);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    (new QLabel(QStringLiteral("기 간 설 정"), top))->setGeometry(460, 11, 70, 22);
    m_dates = std::make_unique<DateRange>(top, "dtpkr_from", "dtpkr_to", 532, 11);
    const int datesEnd = m_dates->SetCaptions(QStringLiteral("부터"), QStringLiteral("까지"));
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    btn_search = MakeButton(top, "btn_search", QStringLiteral("검 색"), datesEnd + 16, 7, 90, 30);
    BindClick(session, btn_search, QStringLiteral("btn_searchClick"), [this] { btn_searchClick(this); });
    for (QWidget *control : {static_cast<QWidget *>(cmb_allbank), static_cast<QWidget *>(dtpkr_from),
                             static_cast<QWidget *>(dtpkr_to)})
        EnterMovesFocus(control);
    FocusOnShow(this, cmb_allbank);

    MakeBand(this, "pnl_listtitle", QStringLiteral(" ◎ 타행이체 불능통지 내역 목록"), 24);
    StatusBar1 = MakeStatusBar(this);
    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    auto button = [this, bottom](const char *name, const QString &caption, int x, std::function<void()> handler) {
        TDDButton *b = MakeButton(bottom, name, caption, x, 9, 110, 26);
        BindClick(session, b, QString::fromLatin1(name) + QStringLiteral("Click"), std::move(handler));
        return b;
    };
    btn_print = button("btn_print", QStringLiteral("인 쇄"), 8, [this] { PrintList(this, grd_allbank, Report1, false); });
    btn_preview =
        button("btn_preview", QStringLiteral("미리보기"), 124, [this] { PrintList(this, grd_allbank, Report1, true); });
    btn_order = button("btn_order", QStringLiteral("결번요청"), 240, [this] { btn_orderClick(); });
    btn_filesave = button("btn_filesave", QStringLiteral("Text 파일 저장"), 356, [this] { btn_filesaveClick(); });
    btn_close = button("btn_close", QStringLiteral("닫 기"), 472, [this] { close(); });

    grd_allbank = MakeListGrid(this, "grd_allbank", FailedTransferColumns());
    AddFindAction(context, this, grd_allbank);

    buildReport();
    RunGuarded(session, QStringLiteral("qv_TicheerrT_frm.FormCreate"), [this] { FormCreate(); });
}

Tqv_TicheerrT_frm::~Tqv_TicheerrT_frm() = default;

void Tqv_TicheerrT_frm::FormCreate()
{
    ApplyColumnVisibility(grd_allbank, objectName(), 0, 21);
    m_dates->SetToday();
    m_accounts->Load(dm);
}

FailedTransferFilter Tqv_TicheerrT_frm::chosenFilter() const
{
    FailedTransferFilter f;
    if (const MotherAccount *a = m_accounts->Chosen()) {
        f.bankCode = a->bankid;
        f.moBankNo = a->mobankno;
    }
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    return f;
}

void Tqv_TicheerrT_frm::btn_searchClick(QObject *)
{
    StatusBar1->clearMessage();
    if (RefuseWhenOffline(session))
        return;
    const FailedTransferFilter filter = chosenFilter();
    FailedTransferSql::Refusal refusal;
    const QString sql = FailedTransferSql::byFilter(filter, &refusal);
    if (refusal == FailedTransferSql::Refusal::ReversedPeriod) {
        Say("기간 설정이 올바르지 않습니다.");
        return;
    }
    m_listed.reset();
    ClearGridRows(grd_allbank, FailedCol::Count);
    WaitCursor wait;
    const qvx::ResultSet &rs = dm.cms_select1(sql);
    if (rs.isEmpty()) {
        Say("타행이체불능 통지 전문이 수신되지 않았습니다.");
        return;
    }
    FillList(grd_allbank, FailedTransferColumns(), rs);
    m_listed = filter;
}

void Tqv_TicheerrT_frm::btn_orderClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (GridIsEmpty(grd_allbank)) {
        Say("수신된 통지가 없습니다.");
        return;
    }
    if (!m_dates->SameDay()) {
        Say("결번 요청을 위하여 일자 설정을 해당 통지전송일로 모두 설정하시기 바랍니다.");
        return;
    }
    // The request goes to the bank and day the list was searched for: a
    // choice changed since then is searched first.
    const FailedTransferFilter chosen = chosenFilter();
    if (chosen.bankCode.isEmpty() || !m_listed || m_listed->bankCode != chosen.bankCode
        || m_listed->moBankNo != chosen.moBankNo || m_listed->dateFrom != chosen.dateFrom
        || m_listed->dateTo != chosen.dateTo) {
        Say(AskSearchFirst);
        return;
    }
    const qvx::ResultSet numbers = dm.cms_select1(FailedTransferSql::noticeNumbers(chosen.bankCode, chosen.dateFrom));
    if (numbers.isEmpty()) {
        Say("해당일에 전송된 통지 내역이 존재하지 않습니다.");
        return;
    }
    const QList<int> gaps = MissingNumbers(numbers.columnValues(QStringLiteral("bank_seqno")));
    if (gaps.isEmpty()) {
        Say("결번요구할 전문이 없습니다.");
        return;
    }
    // Back the way the day's notices came: to their sender, from their receiver.
    FailedNoticeAddress address;
    address.sendId = numbers.value(0, QStringLiteral("recvid"));
    address.recvId = numbers.value(0, QStringLiteral("sendid"));
    address.firmId = numbers.value(0, QStringLiteral("firmid"));
    address.bankId = chosen.bankCode;
    address.day = chosen.dateFrom;
    const RequestHeader header = RequestHeader::of(session);
    RequestSender sender(dm);
    const RequestResult result = SendNoticeGapRequest<TaIcheOrderRow>(
        sender, NoticeKind::FailedTransfer, gaps,
        [&](int number) { return FailedNoticeGapRow(header, address, number); });
    const QString status = GapRequestStatus(result);
    if (!status.isEmpty())
        StatusBar1->showMessage(status);
}

void Tqv_TicheerrT_frm::btn_filesaveClick()
{
    if (RefuseWhenOffline(session))
        return;
    const QString today = qvx::Clock::today();
    const qvx::ResultSet &rs = dm.cms_select1(FailedTransferSql::dayNotices(today));
    if (rs.isEmpty()) {
        Say("금일 수신된 타행이체 불능통지 전문이 존재하지 않습니다.");
        return;
    }
    QStringList lines;
    for (int i = 0; i < rs.recordCount(); ++i)
        lines.append(FailedNoticeDayLine(rs, i));
    const QString dir = QDir::currentPath() + QStringLiteral("/data");
    const QString file = dir + u'/' + FailedNoticeDayFileName(today);
    QString error;
    if (!QDir().mkpath(dir))
        error = dir + QStringLiteral(" 폴더를 만들 수 없습니다.");
    else
        qvx::TextFile::writeLines(file, lines, &error);
    if (!error.isEmpty())
        qvx::Prompt::instance().message(QDir::toNativeSeparators(file) + QStringLiteral(" 파일을 저장하지 못하였습니다.\r\n")
                                        + error);
}

void Tqv_TicheerrT_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("타행이체불능현황");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.orientation = QPageLayout::Landscape;
    Report1.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 277, 10),
                      QStringLiteral("타행이체불능현황"), Qt::AlignCenter)
        .font.setPointSize(16);
    AddTitleValues(Report1, {
                                {QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
                                {QStringLiteral("기       간 : "), QStringLiteral("qlbl_date"), {0, 20}},
                                {QStringLiteral("이체불능금액 합계 : "), QStringLiteral("qlbl_icheerrmoney"), {150, 14}, QStringLiteral("원"), 36, 50, AlignRight},
                                {QStringLiteral("잔   액    합    계 : "), QStringLiteral("qlbl_amtmoney"), {150, 20}, QStringLiteral("원"), 36, 50, AlignRight},
                            });
    AddReportColumns(Report1, ReportColumns(), {8, 6, false, 1});
    AddPrintDateFooter(Report1, 277);
    m_reportRows = std::make_unique<ListReportRows>(ReportPaging());
    m_reportRows->attachGrid(Report1, grd_allbank, ReportColumns());
    Report1.BeforePrint = [this] { Report1BeforePrint(); };
}

void Tqv_TicheerrT_frm::Report1BeforePrint()
{
    m_reportRows->reset();
    const MotherAccount *account = m_accounts->Chosen();
    Report1.title.setCaption(QStringLiteral("qlbl_mobankno"),
                             account ? FormatAcctNo(account->bankid, account->mobankno) : QStringLiteral("모든 계좌"));
    Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
    Report1.title.setCaption(QStringLiteral("qlbl_icheerrmoney"),
                             FormatMoney(QString::number(ColumnSum(grd_allbank, FailedCol::Price))));
    Report1.title.setCaption(QStringLiteral("qlbl_amtmoney"),
                             FormatMoney(QString::number(ColumnSum(grd_allbank, FailedCol::Fee))));
    SetPrintDate(Report1);
}

void registerTicheErrTScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_TIcheerrT_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_TicheerrT_frm(context, owner);
                                   });
}
