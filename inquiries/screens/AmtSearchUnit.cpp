#include "inquiries/screens/AmtSearchUnit.h"

#include "core/CellText.h"
#include "core/screens/ListKit.h"

namespace {

enum Col { cBank, cAccount, cInfo, cBalance, cWithdrawable, cDate };

const ListColumns &BalanceColumns()
{
    static const ListColumns columns = {
        {QStringLiteral("거래 은행"), 130, AlignCenter, "mobankname"},
        {QStringLiteral("모계좌 번호"), 150, AlignCenter, "bankno", CellFormat::Account, "bankid"},
        {QStringLiteral("계좌 정보"), 150, AlignCenter, "common_dummy"},
        {QStringLiteral("현재 잔액"), 130, AlignRight, "janwon", CellFormat::Money},
        {QStringLiteral("인출가능 금액"), 130, AlignRight, "ablewon", CellFormat::Money},
        {QStringLiteral("조회 일시"), 100, AlignCenter, "receivedate", CellFormat::Date}};
    return columns;
}

const AnswerInquiryForm::Layout BalanceLayout{"qv_amtsearch_frm", QStringLiteral("모계좌 잔액 조회"),
                                              QStringLiteral(" ◎ 모계좌 잔액조회"),
                                              QStringLiteral(" ◎ 모계좌 잔액조회 결과"), 44, true,
                                              QStringLiteral("자료 저장")};

const QString FailedText = QStringLiteral("정상적으로 처리되지 않았습니다. 관리자에게 문의하시기 바랍니다.");

} // namespace

ListDecl Tqv_amtsearch_frm::Declaration(Tqv_amtsearch_frm *self)
{
    ListDecl d{.grid = {"grd_Amtlist", &BalanceColumns(), 0, 9}};
    ListReportDecl &r = d.report.emplace();
    r.title = QStringLiteral("모계좌 잔액조회");
    r.productY = 8;
    r.values = {{QStringLiteral("조회일시"), QStringLiteral("qlbl_searchdate"), {0, 16}, QString(), 20, 60},
                {QStringLiteral("잔 액 합 계"), QStringLiteral("qdata_Toremain"), {95, 16}, QStringLiteral("원"), 30, 50,
                 AlignRight},
                {QStringLiteral("인출가능금액 합계"), QStringLiteral("qdata_Toinchul"), {95, 22}, QStringLiteral("원"), 30,
                 50, AlignRight}};
    r.titleHeight = 38;
    r.columns = {{QStringLiteral("거래은행"), 34, cBank},
                 {QStringLiteral("모계좌번호"), 40, cAccount},
                 {QStringLiteral("계좌정보"), 40, cInfo},
                 {QStringLiteral("잔 액"), 38, cBalance, AlignRight},
                 {QStringLiteral("인출가능금액"), 38, cWithdrawable, AlignRight}};
    r.look = {7, 6, true, 1};
    r.paging = {ReportParams::Portrait, 33, 37, true};
    r.footerCaption = QStringLiteral("출력 일시 : ");
    r.fillTitle = [self](qvx::Report &report) {
        report.title.setCaption(QStringLiteral("qlbl_searchdate"), KoreanDateText(qvx::Clock::date()));
        report.title.setCaption(QStringLiteral("qdata_Toremain"), CurrToMoneyStr(ColumnSum(self->grid, cBalance)));
        report.title.setCaption(QStringLiteral("qdata_Toinchul"),
                                CurrToMoneyStr(ColumnSum(self->grid, cWithdrawable)));
    };
    return d;
}

Tqv_amtsearch_frm::Tqv_amtsearch_frm(const ScreenContext &context, QWidget *owner)
    : AnswerInquiryForm(context, owner, BalanceLayout, Declaration(this))
{
    grd_Amtlist = grid;
    makeAccountCombo(8, 10, 360, QStringLiteral("모든 은행계좌"), BankSql::motherAccounts({.passwords = true}));
    btn_search->move(380, 8);
    BindClick(this, btn_search, "btn_searchClick", &Tqv_amtsearch_frm::btn_searchClick);
    BindClick(this, btn_filesave, "btn_filesaveClick", &Tqv_amtsearch_frm::btn_filesaveClick);
}

void Tqv_amtsearch_frm::btn_searchClick()
{
    if (!startRequest() || cmb_allbank->ItemIndex() < 0)
        return;
    const bool all = allAccountsChosen();
    const QList<AmtSearchRow> rows = BalanceRequestRows(RequestHeader::of(session), requestedAccounts());
    if (!sendRequest(RequestBatch::bySeqNo(QString::fromLatin1(AmtSearchRow::ServiceCode), QStringLiteral("amt_search")),
                     rows, FailedText))
        return;
    // Said only once the batch is registered.
    qvx::Prompt::instance().message(all ? QStringLiteral("조회처리 중입니다.") : QStringLiteral("정상적으로 처리되었습니다."));
}

QList<BalanceAnswer> Tqv_amtsearch_frm::Answers() const
{
    return listedAs<BalanceAnswer>();
}

void Tqv_amtsearch_frm::btn_filesaveClick()
{
    saveAnswers<BalanceAnswer>(QStringLiteral("잔액"), [](const BalanceAnswer &a) {
        return BalanceSaveLine(a, qvx::Clock::today());
    });
}

void registerAmtSearchScreen()
{
    RegisterListScreen<Tqv_amtsearch_frm>(QStringLiteral("qv_amtsearch_frm"));
}
