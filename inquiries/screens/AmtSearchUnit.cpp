#include "inquiries/screens/AmtSearchUnit.h"

#include "core/BankSql.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/AppControl.h"
#include "core/CellText.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListSave.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenRegistry.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

namespace {

enum Col { cBank, cAccount, cInfo, cBalance, cWithdrawable, cDate };

ListColumns BalanceColumns()
{
    return {{QStringLiteral("거래 은행"), 130, AlignCenter, "mobankname"},
            {QStringLiteral("모계좌 번호"), 150, AlignCenter, "bankno", CellFormat::Account, "bankid"},
            {QStringLiteral("계좌 정보"), 150, AlignCenter, "common_dummy"},
            {QStringLiteral("현재 잔액"), 130, AlignRight, "janwon", CellFormat::Money},
            {QStringLiteral("인출가능 금액"), 130, AlignRight, "ablewon", CellFormat::Money},
            {QStringLiteral("조회 일시"), 100, AlignCenter, "receivedate", CellFormat::Date}};
}

AnswerInquiryForm::Layout BalanceLayout()
{
    AnswerInquiryForm::Layout l;
    l.name = "qv_amtsearch_frm";
    l.caption = QStringLiteral("모계좌 잔액 조회");
    l.searchHeading = QStringLiteral(" ◎ 모계좌 잔액조회");
    l.resultHeading = QStringLiteral(" ◎ 모계좌 잔액조회 결과");
    l.gridName = "grd_Amtlist";
    l.visibilityLastKey = 9;
    l.saveCaption = QStringLiteral("자료 저장");
    return l;
}

const QString FailedText = QStringLiteral("정상적으로 처리되지 않았습니다. 관리자에게 문의하시기 바랍니다.");

} // namespace

Tqv_amtsearch_frm::Tqv_amtsearch_frm(const ScreenContext &context, QWidget *owner)
    : AnswerInquiryForm(context, owner, BalanceLayout(), BalanceColumns())
{
    grd_Amtlist = grid;
    makeAccountCombo(8, 10, 360, QStringLiteral("모든 은행계좌"), BankSql::motherAccounts({.passwords = true}));
    btn_search->move(380, 8);
    BindClick(this, btn_search, "btn_searchClick", &Tqv_amtsearch_frm::btn_searchClick);
    BindClick(this, btn_filesave, "btn_filesaveClick", &Tqv_amtsearch_frm::btn_filesaveClick);
    buildReport();
}

void Tqv_amtsearch_frm::btn_searchClick()
{
    if (RefuseWhenOffline(session))
        return;
    clearList();
    m_answers.clear();
    if (cmb_allbank->ItemIndex() < 0)
        return;
    const bool all = allAccountsChosen();
    const QList<AmtSearchRow> rows = BalanceRequestRows(RequestHeader::of(session), requestedAccounts());
    if (!sendRequest(RequestBatch::bySeqNo(QString::fromLatin1(AmtSearchRow::ServiceCode), QStringLiteral("amt_search")),
                     rows, FailedText))
        return;
    // Said only once the batch is registered.
    qvx::Prompt::instance().message(all ? QStringLiteral("조회처리 중입니다.") : QStringLiteral("정상적으로 처리되었습니다."));
}

void Tqv_amtsearch_frm::answered(const qvx::ResultSet &answer)
{
    m_answers.clear();
    for (int i = 0; i < answer.recordCount(); ++i)
        m_answers.append(BalanceAnswer::FromRow(answer, i));
}

void Tqv_amtsearch_frm::btn_filesaveClick()
{
    const QDateTime now = qvx::Clock::now();
    SaveListFile(this, grd_Amtlist, now.toString(QStringLiteral("yyMMdd-hhmmss")) + QStringLiteral("잔액"), [this] {
        QStringList lines;
        const QString today = qvx::Clock::today();
        for (const BalanceAnswer &a : m_answers)
            lines << BalanceSaveLine(a, today);
        return lines;
    });
}

void Tqv_amtsearch_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("모계좌 잔액조회");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.title.add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 190, 10),
                      QStringLiteral("모계좌 잔액조회"), Qt::AlignCenter)
        .font.setPointSize(16);
    AddTitleValues(Report1, {{QStringLiteral("조회일시"), QStringLiteral("qlbl_searchdate"), {0, 16}, QString(), 20, 60},
                             {QStringLiteral("잔 액 합 계"), QStringLiteral("qdata_Toremain"), {95, 16}, QStringLiteral("원"),
                              30, 50, AlignRight},
                             {QStringLiteral("인출가능금액 합계"), QStringLiteral("qdata_Toinchul"), {95, 22},
                              QStringLiteral("원"), 30, 50, AlignRight}});
    Report1.title.add(ReportItem::Label, QString(), QRectF(140, 8, 50, 5), QStringLiteral("Quvex Service"),
                      Qt::AlignRight | Qt::AlignVCenter);
    Report1.title.height = 38;
    const QList<ReportColumn> columns = {{QStringLiteral("거래은행"), 34, cBank},
                                         {QStringLiteral("모계좌번호"), 40, cAccount},
                                         {QStringLiteral("계좌정보"), 40, cInfo},
                                         {QStringLiteral("잔 액"), 38, cBalance, AlignRight},
                                         {QStringLiteral("인출가능금액"), 38, cWithdrawable, AlignRight}};
    AddReportColumns(Report1, columns, {7, 6, true, 1});
    AddPrintDateFooter(Report1, 190, QStringLiteral("출력 일시 : "));
    Report1.BeforePrint = [this] {
        SetPrintDate(Report1);
        Report1.title.setCaption(QStringLiteral("qlbl_searchdate"), KoreanDateText(qvx::Clock::date()));
        Report1.title.setCaption(QStringLiteral("qdata_Toremain"), CurrToMoneyStr(ColumnSum(grd_Amtlist, cBalance)));
        Report1.title.setCaption(QStringLiteral("qdata_Toinchul"),
                                 CurrToMoneyStr(ColumnSum(grd_Amtlist, cWithdrawable)));
    };
    m_reportRows.attachGrid(Report1, grd_Amtlist, columns);
    m_reportRows.fitPage(Report1);
}

void registerAmtSearchScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_amtsearch_frm"), [](QWidget *owner, const ScreenContext &context) -> QWidget * {
        return new Tqv_amtsearch_frm(context, owner);
    });
}
