#include "inquiries/screens/TrsumUnit.h"

#include "core/BankSql.h"
#include "core/CellText.h"
#include "core/screens/ListKit.h"

#include <QTimer>
#include <iterator>

namespace {


// The leading columns of both summaries (row number, message number, ...)
// and then one money column per figure of the answer.
template <size_t N>
ListColumns SummaryColumns(ListColumns leading, const char *const (&titles)[N], const char *const *fields,
                           const int *widths, Qt::Alignment firstAlign)
{
    for (size_t k = 0; k < N; ++k)
        leading.append({QString::fromUtf8(titles[k]), widths[k], k == 0 ? firstAlign : AlignRight, fields[k],
                        CellFormat::Money});
    return leading;
}

const ListColumns &TrsumColumns()
{
    static const char *const titles[] = {"의뢰총건수",   "의뢰총금액",   "당행정상건수",   "당행정상금액",    "당행불능건수",
                                         "당행불능금액", "타행정상건수", "타행정상금액",   "타행불능건수",    "타행불능금액",
                                         "수수료",       "당행수납건수", "당행수납금액",   "당행수납불능건수", "당행수압불능금액"};
    static_assert(std::size(titles) == SummaryAnswer::AmountCount);
    // Wide enough for each title in the list font.
    static const int widths[] = {90, 90, 100, 100, 102, 105, 103, 100, 100, 100, 91, 100, 100, 120, 120};
    static const ListColumns columns = [] {
        ListColumns c = SummaryColumns({{QStringLiteral("순번"), 49, AlignCenter, "", CellFormat::RowNo},
                                        {QStringLiteral("전문번호"), 70, AlignCenter, "seqno"},
                                        {QStringLiteral("은행명/모계좌번호"), 230, AlignCenter, "mobankname",
                                         CellFormat::NameAccount, "bankid", "mobankno"},
                                        {QStringLiteral("기관코드"), 83, AlignCenter, "firmid"}},
                                       titles, SummaryAnswer::AmountFields, widths, AlignCenter);
        c.append({QStringLiteral("예비영역"), 64, AlignRight, "common_dummy"});
        return c;
    }();
    return columns;
}

const ListColumns &VasTrsumColumns()
{
    static const char *const titles[] = {"입금총건수", "입금총금액", "입금취소건수", "입금취소금액", "출금총건수",
                                         "출금총금액", "출금취소건수", "출금취소금액", "수수료건수",   "집계수수료금액"};
    static_assert(std::size(titles) == VasSummaryAnswer::AmountCount);
    static const int widths[] = {90, 90, 90, 90, 90, 90, 90, 90, 90, 90};
    static const ListColumns columns = [] {
        ListColumns c = SummaryColumns({{QStringLiteral("순번"), 49, AlignCenter, "", CellFormat::RowNo},
                                        {QStringLiteral("전문번호"), 70, AlignCenter, "seqno"},
                                        {QStringLiteral("은행명"), 90, AlignCenter, "BankName"},
                                        {QStringLiteral("거래일자"), 80, AlignCenter, "TransDate"},
                                        {QStringLiteral("기관코드"), 83, AlignCenter, "GiKwanCode"}},
                                       titles, VasSummaryAnswer::AmountFields, widths, AlignRight);
        c.append({QStringLiteral("비고"), 100, AlignLeft, "Dummy"});
        return c;
    }();
    return columns;
}

const AnswerInquiryForm::Layout SummaryLayout{"qv_trsum_frm", QStringLiteral("거래집계요구"),
                                              QStringLiteral(" ◎ 거래집계요구 계좌선택"),
                                              QStringLiteral(" ◎ 거래집계요구 계좌조회")};
const AnswerInquiryForm::Layout VasSummaryLayout{"Frm_Vas_trSum", QStringLiteral("가상계좌거래집계요구"),
                                                 QStringLiteral(" ◎ 가상계좌 거래집계요구 계좌 선택"),
                                                 QStringLiteral(" ◎ 가상계좌 거래집계요구 조회 결과"), 44, false};

} // namespace

QString SummaryForm::failedText()
{
    return QStringLiteral("정상적으로 처리되지 않았습니다. 관리자에게 문의하시기 바랍니다.");
}

void SummaryForm::summarySent(const RequestResult &result, bool allAccounts)
{
    qvx::Prompt::instance().message(QStringLiteral("정상적으로 처리되었습니다."));
    HandOverSummaryRange(session, result, allAccounts);
}

void SummaryForm::makeSummaryAccounts(const QString &query)
{
    makeAccountCombo(8, 10, 360, QStringLiteral("모든 은행계좌"), query,
                     QStringLiteral("은 행 계 좌"));
    btn_search->move(458, 8);
}

// --- 거래집계요구 -------------------------------------------------------------------------------------

ListDecl Tqv_trsum_frm::Declaration(Tqv_trsum_frm *self)
{
    ListDecl d{.grid = {"grd_trsumlist", &TrsumColumns(), 0, 21}};
    ListReportDecl &r = d.report.emplace();
    r.title = QStringLiteral("거 래 집 계 현 황");
    r.width = 277;
    r.productY = 22;
    r.values = {{QStringLiteral("조 회 일 시 : "), QStringLiteral("qlbl_date"), {0, 16}, QString(), 26, 90},
                {QStringLiteral("모계좌번호 : "), QStringLiteral("qlbl_chosen"), {0, 22}, QString(), 26, 120}};
    r.titleHeight = 30;
    r.paging.orientation = ReportParams::Landscape;
    // Runs while the base is made: it only lays the block out; what it reads
    // of the screen it reads when the report is printed.
    r.detail = [self](qvx::Report &report) { addReportBlock(report, self); };
    r.fillTitle = [self](qvx::Report &report) {
        self->m_reportRow = 0;
        report.title.setCaption(QStringLiteral("qlbl_date"),
                                qvx::Clock::now().toString(QStringLiteral("yyyy년 MM월 dd일 hh시 mm분 ss초")));
        report.title.setCaption(QStringLiteral("qlbl_chosen"), self->accounts().ReportCaption());
    };
    return d;
}

Tqv_trsum_frm::Tqv_trsum_frm(const ScreenContext &context, QWidget *owner)
    : SummaryForm(context, owner, SummaryLayout, Declaration(this))
{
    grd_trsumlist = grid;
    makeSummaryAccounts(BankSql::motherAccounts());
    BindClick(this, btn_search, "btn_searchClick", &Tqv_trsum_frm::btn_searchClick);
    BindClick(this, btn_filesave, "btn_filesaveClick", &Tqv_trsum_frm::btn_filesaveClick);
}

void Tqv_trsum_frm::btn_searchClick()
{
    if (startRequest())
        requestSummaries(SummaryRequestRows(RequestHeader::of(session), requestedAccounts()), QStringLiteral("trsum"));
}

QList<SummaryAnswer> Tqv_trsum_frm::Answers() const
{
    return listedAs<SummaryAnswer>();
}

void Tqv_trsum_frm::btn_filesaveClick()
{
    ListSaveOptions options;
    options.filter = QStringLiteral("텍스트 파일(*.txt)|*.txt|엑    셀 파일(*.xls)|*.xls");
    saveAnswers<SummaryAnswer>(QStringLiteral("이체"), &SummarySaveLine, options);
}

void Tqv_trsum_frm::addReportBlock(qvx::Report &report, Tqv_trsum_frm *self)
{
    using qvx::ReportItem;
    // One block per account: its bank, account and fee, then count and
    // amount under each kind.
    auto &d = report.detail;
    d.height = 30;
    d.add(ReportItem::Label, QString(), QRectF(0, 1, 22, 5), QStringLiteral("은 행 명 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_bankname"), QRectF(22, 1, 60, 5));
    d.add(ReportItem::Label, QString(), QRectF(90, 1, 26, 5), QStringLiteral("모계좌번호 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_mobankno"), QRectF(116, 1, 60, 5));
    d.add(ReportItem::Label, QString(), QRectF(190, 1, 20, 5), QStringLiteral("수수료 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_fee"), QRectF(210, 1, 60, 5));
    // Each kind's count and amount label, and the answer's figures they show.
    static const struct { const char *caption, *count, *money; int figure; } kinds[] = {
        {"총의뢰 내역", "qdata_totalea", "qdata_totalmoney", 0},
        {"당행정상", "qdata_dangrightea", "qdata_dangrightmoney", 2},
        {"당행불능", "qdata_dangwrongea", "qdata_dangwrongmoney", 4},
        {"타행정상", "qdata_tarightea", "qdata_tarightmoney", 6},
        {"타행불능", "qdata_tawrongea", "qdata_tawrongmoney", 8},
        {"당행수납", "qdata_dangsuea", "qdata_dangsumoney", 11},
        {"당행수납불능", "qdata_dangsuwrongea", "qdata_dangsuwrongmoney", 13}};
    d.add(ReportItem::Label, QString(), QRectF(0, 14, 20, 6), QStringLiteral("건"), Qt::AlignCenter);
    d.add(ReportItem::Label, QString(), QRectF(0, 20, 20, 6), QStringLiteral("금 액"), Qt::AlignCenter);
    double x = 20;
    for (const auto &k : kinds) {
        d.add(ReportItem::Box, QString(), QRectF(x, 8, 36, 18));
        d.add(ReportItem::Label, QString(), QRectF(x, 8, 36, 6), QString::fromUtf8(k.caption), Qt::AlignCenter);
        d.add(ReportItem::Label, QString::fromLatin1(k.count), QRectF(x + 1, 14, 34, 6), QString(),
              Qt::AlignRight | Qt::AlignVCenter);
        d.add(ReportItem::Label, QString::fromLatin1(k.money), QRectF(x + 1, 20, 34, 6), QString(),
              Qt::AlignRight | Qt::AlignVCenter);
        x += 36;
    }

    report.NeedData = [self, &report] {
        const qvx::ResultSet &rs = self->list().listed();
        if (self->m_reportRow >= rs.recordCount())
            return false;
        const SummaryAnswer a = SummaryAnswer::FromRow(rs, self->m_reportRow++);
        auto &band = report.detail;
        band.setCaption(QStringLiteral("qlbl_bankname"), a.moBankName.trimmed());
        band.setCaption(QStringLiteral("qlbl_mobankno"), FormatAcctNo(a.bankId, a.moBankNo));
        band.setCaption(QStringLiteral("qlbl_fee"), MoneyCellText(a.amounts[10]) + QStringLiteral(" 원"));
        for (const auto &k : kinds) {
            band.setCaption(QString::fromLatin1(k.count), MoneyCellText(a.amounts[size_t(k.figure)]));
            band.setCaption(QString::fromLatin1(k.money), MoneyCellText(a.amounts[size_t(k.figure + 1)]));
        }
        return true;
    };
}

// --- 가상계좌거래집계요구 -------------------------------------------------------------------------------

TFrm_Vas_trSum::TFrm_Vas_trSum(const ScreenContext &context, QWidget *owner)
    : SummaryForm(context, owner, VasSummaryLayout,
                  {.grid = {.name = "grd_trsumlist", .columns = &VasTrsumColumns(), .lastVisibilityKey = 14, .find = false}})
{
    grd_trsumlist = grid;
    makeSummaryAccounts(BankSql::motherAccounts({.virtualAccountBanksOnly = true}));
    BindClick(this, btn_search, "btn_searchClick", &TFrm_Vas_trSum::btn_searchClick);
    OnFirstShow(this, [this] {
        if (!HasAccounts())
            QTimer::singleShot(0, this, &QWidget::close);
    });
}

bool TFrm_Vas_trSum::HasAccounts() const
{
    if (!accounts().Accounts().isEmpty())
        return true;
    qvx::Prompt::instance().message(
        QStringLiteral("가상계좌를 사용하는 은행거래가 없습니다.\r\nQVXServer에서 거래은행설정을 확인하세요"));
    return false;
}

void TFrm_Vas_trSum::btn_searchClick()
{
    if (startRequest())
        requestSummaries(VasSummaryRequestRows(RequestHeader::of(session), requestedAccounts()),
                         QStringLiteral("vas_trsum"));
}

void registerSummaryScreens()
{
    RegisterListScreen<Tqv_trsum_frm>(QStringLiteral("qv_trsum_frm"));
    RegisterListScreen<TFrm_Vas_trSum>(QStringLiteral("Frm_Vas_trSum"));
}
