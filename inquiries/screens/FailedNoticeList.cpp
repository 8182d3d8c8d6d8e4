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

ListReportDecl FailedNoticeList::failedReport(const QString &periodCaption, double top, double sumsX,
                                              double sumWidth, const std::array<double, 12> &widths, int dateCol)
{
    ListReportDecl r;
    r.title = QStringLiteral("타행이체불능현황");
    r.values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, top}},
                {periodCaption, QStringLiteral("qlbl_date"), {0, top + 6}},
                {QStringLiteral("이체불능금액 합계 : "), QStringLiteral("qlbl_icheerrmoney"), {sumsX, top},
                 QStringLiteral("원"), 36, sumWidth, AlignRight},
                {QStringLiteral("잔   액    합    계 : "), QStringLiteral("qlbl_amtmoney"), {sumsX, top + 6},
                 QStringLiteral("원"), 36, sumWidth, AlignRight}};
    static const struct
    {
        const char *title;
        int col;
        Qt::Alignment align;
    } columns[12] = {{"NO", ReportColumn::RowNo, AlignCenter},
                     {"통지일자", -1, AlignCenter},
                     {"은행명", FailedCol::MoBankName, AlignCenter},
                     {"구 분", FailedCol::Kind, AlignCenter},
                     {"모계좌번호", FailedCol::MoBankNo, AlignCenter},
                     {"거래은행", FailedCol::TransBankName, AlignCenter},
                     {"금 액", FailedCol::Price, AlignRight},
                     {"처리결과", FailedCol::ProcResult, AlignCenter},
                     {"수수료", FailedCol::Fee, AlignRight},
                     {"성 명", FailedCol::Name, AlignCenter},
                     {"CMS Code", FailedCol::CmsCode, AlignCenter},
                     {"처리번호", FailedCol::TaProcNo, AlignCenter}};
    for (int i = 0; i < 12; ++i)
        r.columns.append({QString::fromUtf8(columns[i].title), widths[i], i == 1 ? dateCol : columns[i].col,
                          columns[i].align});
    return r;
}

ListDecl FailedNoticeList::declare(int lastVisibilityKey, ListReportDecl report)
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
