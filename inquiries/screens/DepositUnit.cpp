#include "inquiries/screens/DepositUnit.h"

#include "core/NoticeNumbers.h"
#include "core/screens/DateRange.h"
#include "core/screens/ListKit.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/DepositNotices.h"
#include "inquiries/screens/NoticeTotalsGrid.h"

#include <QStatusBar>

#include <algorithm>

namespace {

const QList<ReportColumn> &ReportColumns()
{
    using namespace DepositCol;
    static const QList<ReportColumn> columns = NoticeListBase::reportColumns(
        DepositNoticeColumns(), "NO",
        {"구 분", "모은행명", "모계좌번호", "거래은행", "거래처계좌번호", "거래처명", "금 액", "잔 액", "수표/어음", "거래일자",
         "통지일자"},
        {29, 18, 29, 18, 25, 26, 29, 31, 22, 20, 20},
        {TransDiv, MoBankName, MoBankNo, TransBankName, InCode, Name, Price, Remain, NoteNo, InDate, SendDate});
    return columns;
}

} // namespace

Tqv_deposit_frm::Tqv_deposit_frm(const ScreenContext &context, QWidget *owner)
    : NoticeListBase(context, depositParams(NoticeKind::Deposit), owner)
{
    buildDeposit(btn_order, btn_print, [this](TKitSimplePanel *bottom) {
        btn_order_end = AddButton(session, bottom, "btn_order_end", QStringLiteral("마감확인 결번요청"), 124, 9, 110, 26,
                                  [this] { btn_order_endClick(); });
        // As wide as its caption; the buttons after it make room.
        const int width = std::max(110, btn_order_end->fontMetrics().horizontalAdvance(btn_order_end->Caption()) + 24);
        btn_order_end->resize(width, btn_order_end->height());
        const int room = btn_order_end->geometry().right() + 7 - btn_filesave->x();
        if (room > 0)
            for (TDDButton *b : {btn_filesave, btn_preview, btn_print, btn_close})
                b->move(b->x() + room, b->y());
        m_totalsGrid = new NoticeTotalsGrid(this, DepositTotalsCaptions(), 5, 11, 2, QStringLiteral("구 분"),
                                        QStringLiteral("금 액"), 84);
        grd_test = m_totalsGrid->grid();
    });
    grd_deposit = list();
}

Tqv_deposit_frm::~Tqv_deposit_frm() = default;

QString Tqv_deposit_frm::statement(const NoticeFilter &filter, bool enterForm) const
{
    return enterForm ? DepositNoticeSql::byEnter(filter) : DepositNoticeSql::byClick(filter);
}

void Tqv_deposit_frm::clearTotals()
{
    NoticeListBase::clearTotals();
    m_moBank = {};
    m_transBank = {};
}

void Tqv_deposit_frm::listRow(const qvx::ResultSet &rs, int gridRow, int row, bool enterForm)
{
    // The click search's bank names are filled by the screen.
    if (enterForm)
        return;
    const auto nameOf = [&](LastName &last, const QString &column) -> const QString & {
        const int c = rs.columnIndex(column);
        const qvx::ResultSet::TextId code = rs.textId(row, c);
        if (!last.known || code != last.code)
            last = {true, code, bankName(rs.value(row, c))};
        return last.name;
    };
    list()->SetCells(DepositCol::MoBankName, gridRow, nameOf(m_moBank, QStringLiteral("bankid")));
    list()->SetCells(DepositCol::TransBankName, gridRow, nameOf(m_transBank, QStringLiteral("inbankid")));
}

void Tqv_deposit_frm::showTotals(const QString &captionCode, bool enterForm)
{
    if (captionCode == QLatin1String("20"))
        m_totalsGrid->setCaption(0, QStringLiteral("입    금"));
    else if (captionCode == QLatin1String("21"))
        m_totalsGrid->setCaption(0, enterForm ? QStringLiteral("추 심 입 금") : QStringLiteral("추심입금"));
    NoticeListBase::showTotals(captionCode, enterForm);
}

void Tqv_deposit_frm::afterSearch(int previousRows, int rows, bool enterForm)
{
    if (enterForm)
        return;
    if (m_closingCheck && rows > 0) {
        const QString report =
            ClosingCheckReport(previousRows, rows, m_frame->listed().value(rows - 1, QStringLiteral("org_seqno")));
        if (!report.isEmpty())
            StatusBar1->showMessage(report);
    }
    m_closingCheck = false;
}

QString Tqv_deposit_frm::gapRefusal() const
{
    const QString refused = NoticeListBase::gapRefusal();
    if (!refused.isEmpty())
        return refused;
    const BankItem *bank = chosenBank();
    const int code = bank->bankid.trimmed().toInt();
    if ((code == 4 || code == 11 || code == 26) && bank->tr_gubuncode.trimmed() == QLatin1String("Y"))
        return QStringLiteral("해당은행 가상계좌는 결번 요청을 할 수 없습니다.");
    return QString();
}

RequestResult Tqv_deposit_frm::sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps)
{
    return sendRows(bank, day, gaps, DepositGapRow);
}

void Tqv_deposit_frm::btn_order_endClick()
{
    if (RefuseWhenOffline(session))
        return;
    const QString refused = gapRefusal();
    if (!refused.isEmpty()) {
        qvx::Prompt::instance().message(refused);
        return;
    }
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

ListSaveDecl Tqv_deposit_frm::saveDecl()
{
    ListSaveDecl save;
    save.proposedName = [] {
        return qvx::Clock::today() + u'-' + qvx::Clock::now().toString(QStringLiteral("hhmmss")) + QStringLiteral("예금통지");
    };
    save.lines = [this] {
        const qvx::ResultSet &rs = m_frame->listed();
        const bool joined = rs.hasColumn(QStringLiteral("mobankname"));
        QStringList lines;
        for (int i = 0; i < rs.recordCount(); ++i) {
            const DepositNotice n = DepositNotice::FromRow(rs, i);
            lines.append(DepositSaveLine(n, joined ? n.moBankName : bankName(n.bankId),
                                         joined ? n.transBankName : bankName(n.inBankId)));
        }
        return lines;
    };
    save.options.naming = ExportNaming::KeepName;
    return save;
}

ListReportDecl Tqv_deposit_frm::reportDecl(QStringList &totalLabels)
{
    return depositReport(QStringLiteral("예 금 명 세 현 황"), ReportColumns(), totalLabels);
}

void registerDepositScreen()
{
    RegisterListScreen<Tqv_deposit_frm>(QStringLiteral("qv_deposit_frm"));
}
