#include "inquiries/screens/FailedNoticeList.h"

#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "core/screens/MotherAccountCombo.h"
#include "inquiries/FailedTransferColumns.h"

FailedNoticeList::FailedNoticeList(const ScreenContext &context, QWidget *owner, Filter filter)
    : ScreenForm(context, owner), m_filter(filter)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

FailedNoticeList::~FailedNoticeList() = default;

TKitSimplePanel *FailedNoticeList::makeSearchBar(const char *name, const QString &caption, const QString &heading,
                                                 const char *barName, int barHeight)
{
    SetUpForm(this, name, caption, 1000, 600);
    MakeBand(this, "pnl_searchtitle", heading, 24);
    return MakeBar(this, barName, barHeight, alTop);
}

int FailedNoticeList::makeChoices(TKitComboBox *accounts, QWidget *datesParent, int datesX, int datesY)
{
    cmb_allbank = accounts;
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    m_dates = std::make_unique<DateRange>(datesParent, "dtpkr_from", "dtpkr_to", datesX, datesY);
    const int end = m_dates->SetCaptions(QStringLiteral("부터"), QStringLiteral("까지"));
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
    FocusOnShow(this, cmb_allbank);
    return end;
}

FailedTransferFilter FailedNoticeList::chosenFilter() const
{
    FailedTransferFilter f;
    if (const MotherAccount *a = m_accounts->Chosen()) {
        f.bankCode = a->bankid;
        if (m_filter == Filter::Account)
            f.moBankNo = a->mobankno;
    }
    f.dateFrom = m_dates->FromText();
    f.dateTo = m_dates->ToText();
    return f;
}

ListReportDecl FailedNoticeList::report() const
{
    const bool notices = m_filter == Filter::Account;
    ListReportDecl r;
    r.title = QStringLiteral("타행이체불능현황");
    const double top = notices ? 14 : 16;
    const double sumsX = notices ? 150 : 100;
    const double sumWidth = notices ? 50 : 40;
    r.values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, top}},
                {notices ? QStringLiteral("기       간 : ") : QStringLiteral("기  간 : "), QStringLiteral("qlbl_date"),
                 {0, top + 6}},
                {QStringLiteral("이체불능금액 합계 : "), QStringLiteral("qlbl_icheerrmoney"), {sumsX, top},
                 QStringLiteral("원"), 36, sumWidth, AlignRight},
                {QStringLiteral("잔   액    합    계 : "), QStringLiteral("qlbl_amtmoney"), {sumsX, top + 6},
                 QStringLiteral("원"), 36, sumWidth, AlignRight}};
    // Title, grid column, alignment and width on each page.
    static const struct
    {
        const char *title;
        int col;
        Qt::Alignment align;
        double landscape, portrait;
    } columns[] = {{"NO", ReportColumn::RowNo, AlignCenter, 10, 8},
                   {"통지일자", FailedCol::BankSeqNo, AlignCenter, 18, 18},
                   {"은행명", FailedCol::MoBankName, AlignCenter, 20, 14},
                   {"구 분", FailedCol::Kind, AlignCenter, 12, 9},
                   {"모계좌번호", FailedCol::MoBankNo, AlignCenter, 32, 29},
                   {"거래은행", FailedCol::TransBankName, AlignCenter, 20, 14},
                   {"금 액", FailedCol::Price, AlignRight, 29, 29},
                   {"처리결과", FailedCol::ProcResult, AlignCenter, 30, 14},
                   {"수수료", FailedCol::Fee, AlignRight, 18, 12},
                   {"성 명", FailedCol::Name, AlignCenter, 28, 15},
                   {"CMS Code", FailedCol::CmsCode, AlignCenter, 28, 14},
                   {"처리번호", FailedCol::TaProcNo, AlignCenter, 32, 14}};
    for (const auto &c : columns)
        r.columns.append({QString::fromUtf8(c.title), notices ? c.landscape : c.portrait, c.col, c.align});
    if (notices) {
        // 19 detail lines on the first page, 25 on the others, the last one
        // filled with empty lines.
        r.width = 277;
        r.look = {8, 6, false, 1};
        r.paging = LandscapePaging(19, 25);
        return r;
    }
    // The view prints the notice date where the notice screen prints the
    // notice number.
    r.columns[1].gridCol = FailedCol::SendDate;
    r.productY = 30;
    r.font = QFont(QStringLiteral("굴림체"), 8);
    r.look = {7, 6, true, 1};
    r.paging = ReportParams{ReportParams::Portrait, 19, 25, true};
    r.footerCaption = QStringLiteral("출력 일시 : ");
    return r;
}

ListDecl FailedNoticeList::declare(int lastVisibilityKey)
{
    ListDecl d;
    d.grid = {"grd_allbank", &FailedTransferColumns(), 0, lastVisibilityKey};
    d.search.refusal = [this] {
        FailedTransferSql::Refusal refusal;
        FailedTransferSql::byFilter(chosenFilter(), &refusal);
        return refusal == FailedTransferSql::Refusal::ReversedPeriod ? QStringLiteral("기간 설정이 올바르지 않습니다.")
                                                                     : QString();
    };
    d.search.statement = [this] {
        FailedTransferSql::Refusal refusal;
        return FailedTransferSql::byFilter(chosenFilter(), &refusal);
    };
    d.search.filterKey = [this] {
        const FailedTransferFilter f = chosenFilter();
        return QStringList{f.bankCode, f.moBankNo, f.dateFrom, f.dateTo}.join(u'|');
    };
    d.search.emptyMessage = QStringLiteral("타행이체불능 통지 전문이 수신되지 않았습니다.");
    ListReportDecl report = this->report();
    report.fillTitle = [this](qvx::Report &r) {
        r.title.setCaption(QStringLiteral("qlbl_mobankno"), ReportAccountText(m_accounts->Chosen()));
        r.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
        r.title.setCaption(QStringLiteral("qlbl_icheerrmoney"), CurrToMoneyStr(ColumnSum(grd_allbank, FailedCol::Price)));
        r.title.setCaption(QStringLiteral("qlbl_amtmoney"), CurrToMoneyStr(ColumnSum(grd_allbank, FailedCol::Fee)));
    };
    d.report = std::move(report);
    return d;
}

void FailedNoticeList::addPrintButtons(ButtonRow &buttons, int width)
{
    btn_print = buttons.add("btn_print", QStringLiteral("인 쇄"), width,
                            [this] { PrintList(this, grd_allbank, Report1, false); });
    btn_preview = buttons.add("btn_preview", QStringLiteral("미리보기"), width,
                              [this] { PrintList(this, grd_allbank, Report1, true); });
}

void FailedNoticeList::makeList(ListDecl decl)
{
    m_frame = std::make_unique<ListFrame>(context(), this, std::move(decl));
    grd_allbank = m_frame->makeGrid(this);
    m_frame->attachReport(Report1);
}
