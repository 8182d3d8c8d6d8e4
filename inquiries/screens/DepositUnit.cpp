#include "inquiries/screens/DepositUnit.h"

#include "controls/panels/DDButton.h"
#include "core/AppControl.h"
#include "core/NoticeNumbers.h"
#include "core/RequestSender.h"
#include "core/TextUtils.h"
#include "core/TotalsTable.h"
#include "core/screens/DateRange.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListCombos.h"
#include "core/screens/ListReport.h"
#include "core/screens/ListKit.h"
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

const QList<ReportColumn> &ReportColumns()
{
    static const QList<ReportColumn> columns = {
        {QStringLiteral("NO"), 10},
        {QStringLiteral("구 분"), 22, DepositCol::TransDiv},
        {QStringLiteral("모은행명"), 18, DepositCol::MoBankName},
        {QStringLiteral("모계좌번호"), 30, DepositCol::MoBankNo},
        {QStringLiteral("거래은행"), 18, DepositCol::TransBankName},
        {QStringLiteral("거래처계좌번호"), 25, DepositCol::InCode},
        {QStringLiteral("거래처명"), 26, DepositCol::Name},
        {QStringLiteral("금 액"), 29, DepositCol::Price, AlignRight},
        {QStringLiteral("잔 액"), 31, DepositCol::Remain, AlignRight},
        {QStringLiteral("수표/어음"), 24, DepositCol::NoteNo},
        {QStringLiteral("거래일자"), 22, DepositCol::InDate},
        {QStringLiteral("통지일자"), 22, DepositCol::SendDate},
    };
    return columns;
}

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
    buildNoticeReport(QStringLiteral("예 금 명 세 현 황"), ReportColumns());
}

QString Tqv_deposit_frm::totalText(int index) const
{
    return m_totals->amount(index);
}

void registerDepositScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_deposit_frm"),
                                   [](QWidget *owner, const ScreenContext &context) -> QWidget * {
                                       return new Tqv_deposit_frm(context, owner);
                                   });
}
