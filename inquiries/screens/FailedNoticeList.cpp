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

int FailedNoticeList::makeChoices(TKitComboBox *accounts, QWidget *datesParent, int datesX, int datesY)
{
    cmb_allbank = accounts;
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, QStringLiteral("모든 은행계좌"));
    m_dates = std::make_unique<DateRange>(datesParent, "dtpkr_from", "dtpkr_to", datesX, datesY);
    const int end = m_dates->SetCaptions(QStringLiteral("부터"), QStringLiteral("까지"));
    dtpkr_from = m_dates->from();
    dtpkr_to = m_dates->to();
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

QList<TitleValue> FailedNoticeList::titleValues(const QString &periodCaption, double top, double sumsX,
                                                double sumWidth)
{
    return {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, top}},
            {periodCaption, QStringLiteral("qlbl_date"), {0, top + 6}},
            {QStringLiteral("이체불능금액 합계 : "), QStringLiteral("qlbl_icheerrmoney"), {sumsX, top},
             QStringLiteral("원"), 36, sumWidth, AlignRight},
            {QStringLiteral("잔   액    합    계 : "), QStringLiteral("qlbl_amtmoney"), {sumsX, top + 6},
             QStringLiteral("원"), 36, sumWidth, AlignRight}};
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

void FailedNoticeList::makeList(ListDecl decl)
{
    m_frame = std::make_unique<ListFrame>(context(), this, std::move(decl));
    grd_allbank = m_frame->makeGrid(this);
    m_frame->attachReport(Report1);
}
