#include "inquiries/screens/DepositUnit.h"

#include "controls/panels/DDButton.h"
#include "core/AppControl.h"
#include "core/NoticeGaps.h"
#include "core/RequestSender.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "core/screens/DateRange.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListScreen.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenRegistry.h"
#include "core/DMUnit.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/NoticeGapRequest.h"
#include "inquiries/screens/NoticeTotalsGrid.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QStatusBar>

#include <algorithm>

namespace {

// The totals cell (0..9, in caption order) of a kind; -1 when not totalled.
int TotalsIndex(const QString &gubun)
{
    static const TotalsTable table = DepositTotalsTable();
    const QString code = DepositTotalsCode(gubun);
    if (code.isEmpty())
        return -1;
    for (const TotalsTable::Cell &cell : table.cells())
        if (cell.code == code)
            return cell.column - 1;
    return -1;
}

ReportParams ReportPaging() { return LandscapePaging(18, 25); }

const QList<ReportColumn> &ReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 10},
        {QStringLiteral("구 분"), 24, DepositCol::TransDiv},
        {QStringLiteral("모은행명"), 18, DepositCol::MoBankName},
        {QStringLiteral("모계좌번호"), 30, DepositCol::MoBankNo},
        {QStringLiteral("거래은행"), 18, DepositCol::TransBankName},
        {QStringLiteral("거래처계좌번호"), 26, DepositCol::InCode},
        {QStringLiteral("거래처명"), 26, DepositCol::Name},
        {QStringLiteral("금 액"), 26, DepositCol::Price, AlignRight},
        {QStringLiteral("잔 액"), 26, DepositCol::Remain, AlignRight},
        {QStringLiteral("수표/어음"), 24, DepositCol::NoteNo},
        {QStringLiteral("거래일자"), 22, DepositCol::InDate},
        {QStringLiteral("통지일자"), 22, DepositCol::SendDate},
    };
    return columns;
}

const char *const TotalLabels[10][2] = {
    {"입            금 : ", "qlbl_ibgum"},      {"지            급 : ", "qlbl_jigub"},
    {"부 도  지 급  : ", "qlbl_bjigub"},        {"부도지급(취소) : ", "qlbl_bjigubcancel"},
    {"결 산  이 자  : ", "qlbl_amt"},           {"결산이자(예금) : ", "qlbl_amtdeposit"},
    {"결산이자(대출) : ", "qlbl_amtdaechul"},   {"입금취소 : ", "qlbl_ibgumcancel"},
    {"지급취소 : ", "qlbl_jigubcancel"},        {"집금/어음만기입금 : ", "qlbl_jigum"},
};

} // namespace

Tqv_deposit_frm::Tqv_deposit_frm(const ScreenContext &context, QWidget *owner)
    : DepositNoticeBase(context,
                        {"qv_deposit_frm", QStringLiteral("예금거래명세통지"), NoticeKind::Deposit,
                         &DepositNoticeColumns(), 19, QStringLiteral("예금통지")},
                        owner),
      m_sums(10, 0)
{
    build([this](TKitSimplePanel *bottom) {
        btn_order_end = MakeButton(bottom, "btn_order_end", QStringLiteral("마감확인 결번요청"), 124, 9, 110, 26);
        // As wide as its caption; the buttons after it make room.
        const int width = std::max(110, btn_order_end->fontMetrics().horizontalAdvance(btn_order_end->Caption()) + 24);
        btn_order_end->resize(width, btn_order_end->height());
        const int room = btn_order_end->geometry().right() + 7 - btn_filesave->x();
        if (room > 0)
            for (TDDButton *b : {btn_filesave, btn_preview, btn_print, btn_close})
                b->move(b->x() + room, b->y());
        BindClick(session, btn_order_end, QStringLiteral("btn_order_endClick"), [this] { btn_order_endClick(); });
        m_totals = new NoticeTotalsGrid(this, DepositTotalsCaptions(), 5, 11, 2, QStringLiteral("구 분"),
                                        QStringLiteral("금 액"), 84);
        grd_test = m_totals->grid();
    });
}

Tqv_deposit_frm::~Tqv_deposit_frm() = default;

QString Tqv_deposit_frm::statement(const DepositNoticeFilter &filter, bool enterForm) const
{
    return enterForm ? DepositNoticeSql::byEnter(filter) : DepositNoticeSql::byClick(filter);
}

void Tqv_deposit_frm::clearTotals()
{
    m_sums.fill(0);
    if (m_totals)
        m_totals->clear();
}

void Tqv_deposit_frm::addToTotals(const QString &gubun, qint64 amount, bool)
{
    const QString code = gubun.trimmed();
    if (code == QLatin1String("20") || code == QLatin1String("21"))
        m_captionCode = code;
    const int index = TotalsIndex(code);
    if (index >= 0)
        m_sums[index] += amount;
}

void Tqv_deposit_frm::showTotals(bool enterForm)
{
    if (m_captionCode == QLatin1String("20"))
        m_totals->setCaption(0, QStringLiteral("입    금"));
    else if (m_captionCode == QLatin1String("21"))
        m_totals->setCaption(0, enterForm ? QStringLiteral("추 심 입 금") : QStringLiteral("추심입금"));
    m_captionCode.clear();
    for (int index = 0; index < m_sums.size(); ++index)
        m_totals->setAmount(index, m_sums[index]);
}

void Tqv_deposit_frm::afterSearch(int previousRows, int rows, bool enterForm)
{
    if (enterForm)
        return;
    if (m_closingCheck && rows > 0) {
        const QString report =
            ClosingCheckReport(previousRows, rows, m_listedRows.value(rows - 1, QStringLiteral("org_seqno")));
        if (!report.isEmpty())
            StatusBar1->showMessage(report);
    }
    m_closingCheck = false;
}

QString Tqv_deposit_frm::saveLine(const qvx::ResultSet &rs, int row)
{
    const DepositNotice n = DepositNotice::FromRow(rs, row);
    const bool joined = rs.hasColumn(QStringLiteral("mobankname"));
    return DepositSaveLine(n, joined ? n.moBankName : bankName(n.bankId),
                           joined ? n.transBankName : bankName(n.inBankId));
}

RequestResult Tqv_deposit_frm::sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps)
{
    const RequestHeader header = RequestHeader::of(session);
    const NoticeBank to{bank.bankid, bank.firmid, bank.recvid};
    RequestSender sender(dm);
    return SendNoticeGapRequest<DepositOrderRow>(sender, NoticeKind::Deposit, gaps,
                                                 [&](int number) { return DepositGapRow(header, to, day, number); });
}

void Tqv_deposit_frm::btn_order_endClick()
{
    if (!gapRequestAllowed())
        return;
    // The closing check asks for the number after today's last notice.
    if (!m_dates->TodayOnly()) {
        qvx::Prompt::instance().message(
            QStringLiteral("마감확인 결번요청은 오늘 날짜로 설정하신 후 요청하시기 바랍니다."));
        return;
    }
    m_closingCheck = true;
    const BankItem bank = *chosenBank();
    const QString today = m_dates->FromText();
    const int next = HighestNoticeNumber(receivedNumbers(bank, today)) + 1;
    const RequestResult result = sendGaps(bank, today, {next});
    const QString head = QStringLiteral("당일결번[") + QString::number(next) + QStringLiteral("번]전문 ");
    if (result.sent())
        StatusBar1->showMessage(head + QStringLiteral(" 1건을 처리중입니다."));
    else if (result.outcome != RequestResult::Outcome::ReserveFailed)
        StatusBar1->showMessage(head + QStringLiteral(" 1 건이 정상적으로 처리되지 않았습니다."));
}

void Tqv_deposit_frm::buildReport()
{
    using qvx::ReportItem;
    Report1.documentName = QStringLiteral("예 금 명 세 현 황");
    Report1.font = QFont(QStringLiteral("굴림체"), 9);
    Report1.orientation = QPageLayout::Landscape;
    Report1.title
        .add(ReportItem::Label, QStringLiteral("qrlbl_Title"), QRectF(0, 2, 277, 10),
             QStringLiteral("예 금 명 세 현 황"), Qt::AlignCenter)
        .font.setPointSize(16);
    Report1.title.add(ReportItem::Label, QString(), QRectF(227, 2, 50, 5), QStringLiteral("Quvex Service"),
                      Qt::AlignRight | Qt::AlignVCenter);
    QList<TitleValue> values = {{QStringLiteral("모계좌 번호 : "), QStringLiteral("qlbl_mobankno"), {0, 14}},
                                {QStringLiteral("기  간 : "), QStringLiteral("qlbl_date"), {0, 20}}};
    for (int i = 0; i < 10; ++i)
        values.append({QString::fromUtf8(TotalLabels[i][0]), QString::fromLatin1(TotalLabels[i][1]),
                       {105.0 + (i / 5) * 86, 8.0 + (i % 5) * 5}, QString(), 32, 50, AlignRight});
    AddTitleValues(Report1, values);
    AddReportColumns(Report1, ReportColumns());
    AddPrintDateFooter(Report1, 277, QStringLiteral("출력 일시 : "));
    m_reportRows = std::make_unique<ListReportRows>(ReportPaging());
    m_reportRows->attachGrid(Report1, grd_deposit, ReportColumns());
    Report1.BeforePrint = [this] { Report1BeforePrint(); };
}

void Tqv_deposit_frm::Report1BeforePrint()
{
    m_reportRows->reset();
    // The account label shows the chosen account itself, else the bank, else every account.
    QString account = QStringLiteral("모든 계좌");
    if (const MotherAccount *a = m_accounts->Chosen())
        account = FormatAcctNo(a->bankid, a->mobankno);
    else if (const BankItem *b = chosenBank())
        account = QStringLiteral("[") + b->bankid + QStringLiteral("] ") + b->bankname;
    Report1.title.setCaption(QStringLiteral("qlbl_mobankno"), account);
    Report1.title.setCaption(QStringLiteral("qlbl_date"), m_dates->ReportText());
    for (int i = 0; i < 10; ++i)
        Report1.title.setCaption(QString::fromLatin1(TotalLabels[i][1]), m_totals->amount(i));
    SetPrintDate(Report1);
}

void registerDepositScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_deposit_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_deposit_frm(context, owner);
                                   });
}
