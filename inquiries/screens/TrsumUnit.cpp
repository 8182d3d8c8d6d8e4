#include "inquiries/screens/TrsumUnit.h"

#include "core/BankSql.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/CellText.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/FormParts.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListSave.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenRegistry.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QTimer>

namespace {

ListColumns SummaryColumns()
{
    ListColumns c = {{QStringLiteral("순번"), 49, AlignCenter, "", CellFormat::RowNo},
                     {QStringLiteral("전문번호"), 70, AlignCenter, "seqno"},
                     {QStringLiteral("은행명/모계좌번호"), 230, AlignCenter, "mobankname", CellFormat::NameAccount,
                      "bankid", "mobankno"},
                     {QStringLiteral("기관코드"), 83, AlignCenter, "firmid"}};
    const char *titles[] = {"의뢰총건수",   "의뢰총금액",   "당행정상건수",   "당행정상금액",    "당행불능건수",
                            "당행불능금액", "타행정상건수", "타행정상금액",   "타행불능건수",    "타행불능금액",
                            "수수료",       "당행수납건수", "당행수납금액",   "당행수납불능건수", "당행수압불능금액"};
    // Wide enough for each title in the list font.
    const int widths[] = {90, 90, 100, 100, 102, 105, 103, 100, 100, 100, 91, 100, 100, 120, 120};
    for (int k = 0; k < SummaryAnswer::AmountCount; ++k)
        c.append({QString::fromUtf8(titles[k]), widths[k], k == 0 ? AlignCenter : AlignRight,
                  SummaryAnswer::AmountFields[k], CellFormat::Money});
    c.append({QStringLiteral("예비영역"), 64, AlignRight, "common_dummy"});
    return c;
}

ListColumns VasSummaryColumns()
{
    ListColumns c = {{QStringLiteral("순번"), 49, AlignCenter, "", CellFormat::RowNo},
                     {QStringLiteral("전문번호"), 70, AlignCenter, "seqno"},
                     {QStringLiteral("은행명"), 90, AlignCenter, "BankName"},
                     {QStringLiteral("거래일자"), 80, AlignCenter, "TransDate"},
                     {QStringLiteral("기관코드"), 83, AlignCenter, "GiKwanCode"}};
    const char *titles[] = {"입금총건수", "입금총금액", "입금취소건수", "입금취소금액", "출금총건수",
                            "출금총금액", "출금취소건수", "출금취소금액", "수수료건수",   "집계수수료금액"};
    for (int k = 0; k < VasSummaryAnswer::AmountCount; ++k)
        c.append({QString::fromUtf8(titles[k]), 90, AlignRight, VasSummaryAnswer::AmountFields[k], CellFormat::Money});
    c.append({QStringLiteral("비고"), 100, AlignLeft, "Dummy"});
    return c;
}

AnswerInquiryForm::Layout SummaryLayout()
{
    AnswerInquiryForm::Layout l;
    l.name = "qv_trsum_frm";
    l.caption = QStringLiteral("거래집계요구");
    l.searchHeading = QStringLiteral(" ◎ 거래집계요구 계좌선택");
    l.resultHeading = QStringLiteral(" ◎ 거래집계요구 계좌조회");
    l.gridName = "grd_trsumlist";
    l.visibilityLastKey = 21;
    return l;
}

AnswerInquiryForm::Layout VasSummaryLayout()
{
    AnswerInquiryForm::Layout l;
    l.name = "Frm_Vas_trSum";
    l.caption = QStringLiteral("가상계좌거래집계요구");
    l.searchHeading = QStringLiteral(" ◎ 가상계좌 거래집계요구 계좌 선택");
    l.resultHeading = QStringLiteral(" ◎ 가상계좌 거래집계요구 조회 결과");
    l.gridName = "grd_trsumlist";
    l.visibilityLastKey = 14;
    l.printing = false;
    l.find = false;
    return l;
}

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

// --- 거래집계요구 -------------------------------------------------------------------------------------

Tqv_trsum_frm::Tqv_trsum_frm(const ScreenContext &context, QWidget *owner)
    : SummaryForm(context, owner, SummaryLayout(), SummaryColumns())
{
    grd_trsumlist = grid;
    makeAccountCombo(8, 10, 360, QStringLiteral("모든 은행계좌"), BankSql::motherAccounts(),
                     QStringLiteral("은 행 계 좌"));
    btn_search->move(458, 8);
    BindClick(this, btn_search, "btn_searchClick", &Tqv_trsum_frm::btn_searchClick);
    BindClick(this, btn_filesave, "btn_filesaveClick", &Tqv_trsum_frm::btn_filesaveClick);
    buildReport();
}

void Tqv_trsum_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    clearList();
    m_answers.clear();
    requestSummaries(SummaryRequestRows(RequestHeader::of(session), requestedAccounts()), QStringLiteral("trsum"));
}

void Tqv_trsum_frm::answered(const qvx::ResultSet &answer)
{
    m_answers.clear();
    for (int i = 0; i < answer.recordCount(); ++i)
        m_answers.append(SummaryAnswer::FromRow(answer, i));
}

void Tqv_trsum_frm::btn_filesaveClick()
{
    ListSaveOptions options;
    options.filter = QStringLiteral("텍스트 파일(*.txt)|*.txt|엑    셀 파일(*.xls)|*.xls");
    SaveListFile(
        this, grd_trsumlist, qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("이체"),
        [this] {
            QStringList lines;
            for (const SummaryAnswer &a : m_answers)
                lines << SummarySaveLine(a);
            return lines;
        },
        options);
}

void Tqv_trsum_frm::buildReport()
{
    using qvx::ReportItem;
    Report2.documentName = QStringLiteral("거 래 집 계 현 황");
    Report2.orientation = QPageLayout::Landscape;
    Report2.font = QFont(QStringLiteral("굴림체"), 9);
    auto &t = Report2.title;
    t.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 277, 10), QStringLiteral("거 래 집 계 현 황"),
          Qt::AlignCenter)
        .font.setPointSize(16);
    t.add(ReportItem::Label, QString(), QRectF(0, 16, 26, 5), QStringLiteral("조 회 일 시 : "));
    t.add(ReportItem::Label, QStringLiteral("qlbl_date"), QRectF(26, 16, 90, 5));
    t.add(ReportItem::Label, QString(), QRectF(0, 22, 26, 5), QStringLiteral("모계좌번호 : "));
    t.add(ReportItem::Label, QStringLiteral("qlbl_chosen"), QRectF(26, 22, 120, 5));
    t.add(ReportItem::Label, QString(), QRectF(227, 22, 50, 5), QStringLiteral("Quvex Service"),
          Qt::AlignRight | Qt::AlignVCenter);
    t.height = 30;

    // One block per account: its bank, account and fee, then count and
    // amount under each kind.
    auto &d = Report2.detail;
    d.height = 30;
    d.add(ReportItem::Label, QString(), QRectF(0, 1, 22, 5), QStringLiteral("은 행 명 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_bankname"), QRectF(22, 1, 60, 5));
    d.add(ReportItem::Label, QString(), QRectF(90, 1, 26, 5), QStringLiteral("모계좌번호 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_mobankno"), QRectF(116, 1, 60, 5));
    d.add(ReportItem::Label, QString(), QRectF(190, 1, 20, 5), QStringLiteral("수수료 : "));
    d.add(ReportItem::Label, QStringLiteral("qlbl_fee"), QRectF(210, 1, 60, 5));
    const struct { const char *caption, *count, *money; } kinds[] = {
        {"총의뢰 내역", "qdata_totalea", "qdata_totalmoney"},     {"당행정상", "qdata_dangrightea", "qdata_dangrightmoney"},
        {"당행불능", "qdata_dangwrongea", "qdata_dangwrongmoney"}, {"타행정상", "qdata_tarightea", "qdata_tarightmoney"},
        {"타행불능", "qdata_tawrongea", "qdata_tawrongmoney"},     {"당행수납", "qdata_dangsuea", "qdata_dangsumoney"},
        {"당행수납불능", "qdata_dangsuwrongea", "qdata_dangsuwrongmoney"}};
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
    AddPrintDateFooter(Report2, 277);

    Report2.BeforePrint = [this] {
        m_reportRow = 0;
        SetPrintDate(Report2);
        Report2.title.setCaption(QStringLiteral("qlbl_date"),
                                 qvx::Clock::now().toString(QStringLiteral("yyyy년 MM월 dd일 hh시 mm분 ss초")));
        Report2.title.setCaption(QStringLiteral("qlbl_chosen"),
                                 cmb_allbank->ItemIndex() > 0 ? cmb_allbank->Text() : QStringLiteral("모든 계좌"));
    };
    Report2.NeedData = [this] {
        if (m_reportRow >= m_answers.size())
            return false;
        const SummaryAnswer &a = m_answers[m_reportRow++];
        auto &band = Report2.detail;
        band.setCaption(QStringLiteral("qlbl_bankname"), a.moBankName.trimmed());
        band.setCaption(QStringLiteral("qlbl_mobankno"), FormatAcctNo(a.bankId, a.moBankNo));
        band.setCaption(QStringLiteral("qlbl_fee"), MoneyCellText(a.amounts[10]) + QStringLiteral(" 원"));
        const char *names[] = {"qdata_totalea", "qdata_totalmoney", "qdata_dangrightea", "qdata_dangrightmoney",
                               "qdata_dangwrongea", "qdata_dangwrongmoney", "qdata_tarightea", "qdata_tarightmoney",
                               "qdata_tawrongea", "qdata_tawrongmoney"};
        for (int k = 0; k < 10; ++k)
            band.setCaption(QString::fromLatin1(names[k]), MoneyCellText(a.amounts[size_t(k)]));
        const char *collections[] = {"qdata_dangsuea", "qdata_dangsumoney", "qdata_dangsuwrongea",
                                     "qdata_dangsuwrongmoney"};
        for (int k = 0; k < 4; ++k)
            band.setCaption(QString::fromLatin1(collections[k]), MoneyCellText(a.amounts[size_t(11 + k)]));
        return true;
    };
}

// --- 가상계좌거래집계요구 -------------------------------------------------------------------------------

TFrm_Vas_trSum::TFrm_Vas_trSum(const ScreenContext &context, QWidget *owner)
    : SummaryForm(context, owner, VasSummaryLayout(), VasSummaryColumns())
{
    grd_trsumlist = grid;
    makeAccountCombo(8, 10, 360, QStringLiteral("모든 은행계좌"), BankSql::motherAccounts({.virtualAccountBanksOnly = true}),
                     QStringLiteral("은 행 계 좌"));
    btn_search->move(458, 8);
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
    if (RefuseWhenOffline(session))
        return;
    clearList();
    requestSummaries(VasSummaryRequestRows(RequestHeader::of(session), requestedAccounts()), QStringLiteral("vas_trsum"));
}

void registerSummaryScreens()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_trsum_frm"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Tqv_trsum_frm(context, owner);
    });
    ScreenRegistry::instance().add(QStringLiteral("Frm_Vas_trSum"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new TFrm_Vas_trSum(context, owner);
    });
}
