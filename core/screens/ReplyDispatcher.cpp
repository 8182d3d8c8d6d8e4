#include "core/screens/ReplyDispatcher.h"

#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/ReplySql.h"
#include "core/TextUtils.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListScreen.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/KitGroup.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QDialog>

namespace {

// How a grid column of a latest-answer fill is made from the answered row.
struct FillColumn
{
    enum Kind { RowNo, Text, Money, Account, Date, NameAccount };
    int col;
    Kind kind;
    const char *field;
    const char *bankField = nullptr; // Account, NameAccount: the bank code
    const char *numberField = nullptr; // NameAccount: the account number
};

struct GridFill
{
    const char *grid;
    const char *noRowText;
    QList<FillColumn> columns;
};

const char *const NoAnswerText = "조회에 대한 응답이 없습니다.";
const char *const NotYetText = "응답전문이 존재하지 않습니다. 잠시 기다려주시기 바랍니다.";

GridFill GridFillOf(ReplyAction action)
{
    using F = FillColumn;
    switch (action) {
    case ReplyAction::FillBalances:
        return {"grd_Amtlist", NoAnswerText,
                {{0, F::Text, "mobankname"}, {1, F::Account, "bankno", "bankid"}, {2, F::Text, "common_dummy"},
                 {3, F::Money, "janwon"}, {4, F::Money, "ablewon"}, {5, F::Date, "receivedate"}}};
    case ReplyAction::FillNames:
        return {"grd_ichelist", NoAnswerText,
                {{0, F::RowNo, ""}, {1, F::Text, "mobankname"}, {2, F::Account, "mobankno", "bankid"},
                 {3, F::Money, "price"}, {4, F::Text, "bankname"}, {5, F::Money, "fee"}, {6, F::Text, "name"},
                 {7, F::Text, "rrnocheck"}, {8, F::Text, "common_dummy"}}};
    case ReplyAction::FillSummary: {
        GridFill fill{"grd_trsumlist", NotYetText,
                      {{0, F::RowNo, ""}, {1, F::Text, "seqno"}, {2, F::NameAccount, "mobankname", "bankid", "mobankno"},
                       {3, F::Text, "firmid"}, {19, F::Text, "common_dummy"}}};
        const char *amounts[] = {"totalcnt", "TOTALGUM", "INOKCNT", "INOKGUM", "INERRCNT", "INERRGUM", "TAOKCNT",
                                 "TAOKGUM", "TAERRCNT", "TAERRGUM", "FEE", "INSUCNT", "INSUGUM", "INSUERRCNT",
                                 "INSUERRGUM"};
        for (int i = 0; i < 15; ++i)
            fill.columns.append({4 + i, F::Money, amounts[i]});
        return fill;
    }
    case ReplyAction::FillVasSummary: {
        GridFill fill{"grd_trsumlist", NotYetText,
                      {{0, F::RowNo, ""}, {1, F::Text, "seqno"}, {2, F::Text, "BankName"}, {3, F::Text, "TransDate"},
                       {4, F::Text, "GiKwanCode"}, {15, F::Text, "Dummy"}}};
        const char *amounts[] = {"Ibgum_tot_gun", "Ibgum_tot_money", "Ibgum_cnl_gun", "Ibgum_cnl_money",
                                 "Chul_tot_gun", "Chul_tot_money", "Chul_cnl_gun", "Chul_cnl_money", "Fee_gun",
                                 "Fee_Money"};
        for (int i = 0; i < 10; ++i)
            fill.columns.append({5 + i, F::Money, amounts[i]});
        return fill;
    }
    default:
        return {"", "", {}};
    }
}

QString CellText(const FillColumn &c, const qvx::ResultSet &rs, int i)
{
    auto v = [&rs, i](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    switch (c.kind) {
    case FillColumn::RowNo:
        return QString::number(i + 1);
    case FillColumn::Text:
        return v(c.field);
    case FillColumn::Money:
        return CurrToMoneyStr(SafeStrToCurr(v(c.field).trimmed(), 0));
    case FillColumn::Account:
        return FormatAcctNo(v(c.bankField), v(c.field));
    case FillColumn::Date: {
        const QString d = v(c.field);
        return d.mid(0, 4) + u'-' + d.mid(4, 2) + u'-' + d.mid(6, 2);
    }
    case FillColumn::NameAccount:
        return v(c.field) + u'[' + FormatAcctNo(v(c.bankField), v(c.numberField)) + u']';
    }
    return QString();
}

QString BankCodeOf(QWidget *screen)
{
    auto *choice = dynamic_cast<IBankChoiceScreen *>(screen);
    return choice ? choice->ChosenBankCode() : QString();
}

struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ReplyDispatcher::ReplyDispatcher(Tdm &dm, Tqv_frm &main)
    : QObject(&main), m_dm(dm), session(dm.session), m_main(main)
{
    dm.setServiceHandler([this](int code, const QByteArray &text) { Dispatch(code, text); });
    dm.setApprovalHandler([this] { ApprovalArrived(); });
}

QWidget *ReplyDispatcher::waitingScreen(const ReplyRoute &route) const
{
    if (!ScreenRegistry::instance().contains(route.screen)) {
        WriteLog(session, QStringLiteral("응답코드 ") + QString::number(route.code) + QStringLiteral(": 화면 ") + route.screen
                 + QStringLiteral(" 없음"));
        return nullptr;
    }
    return FindScreen(&m_main, route.screen);
}

void ReplyDispatcher::Dispatch(int code, const QByteArray &codeText)
{
    const ReplyRoute route = RouteOfReply(code);
    auto &prompt = qvx::Prompt::instance();
    switch (route.action) {
    case ReplyAction::None:
        return;
    case ReplyAction::PacketError:
        prompt.message(QStringLiteral("패킷 수신 오류입니다."));
        return;
    case ReplyAction::ShowCode:
        prompt.message(QString::fromLatin1(codeText));
        return;
    case ReplyAction::Notice:
        notice();
        return;
    case ReplyAction::SmsMark:
        m_main.ApplySmsMark(m_dm.scktconnect->commMsg(2));
        return;
    default:
        break;
    }
    QWidget *screen = waitingScreen(route);
    if (!screen)
        return;
    switch (route.action) {
    case ReplyAction::ResultRange:
    case ReplyAction::JuruResultRange:
        resultRange(screen, route);
        return;
    case ReplyAction::Search:
        m_main.bringToFront(screen);
        runSearch(screen);
        return;
    case ReplyAction::ResultDetail:
    case ReplyAction::JuruResultDetail:
        resultDetail(screen, route);
        return;
    case ReplyAction::FillBalances:
    case ReplyAction::FillNames:
    case ReplyAction::FillSummary:
    case ReplyAction::FillVasSummary:
        fillLatest(screen, route);
        return;
    case ReplyAction::NoticeCounts:
        noticeCounts(screen);
        return;
    default:
        return;
    }
}

void ReplyDispatcher::runSearch(QWidget *screen) const
{
    if (auto *search = dynamic_cast<ISearchScreen *>(screen))
        search->btn_searchClick(&m_dm);
}

void ReplyDispatcher::resultRange(QWidget *screen, const ReplyRoute &route) const
{
    m_main.bringToFront(screen);
    const bool liquor = route.action == ReplyAction::JuruResultRange;
    int from = 0;
    int to = 0;
    if (session.SeqNoBase != 0) {
        from = liquor ? session.SeqNoBase + 1 : session.SeqNoBase;
        to = session.SeqNoLast;
    }
    if (auto *range = dynamic_cast<IResultRangeScreen *>(screen))
        range->setResultRange(from, to);
    const bool collection = liquor ? route.collection : session.LastIcheGubun == QLatin1String("20");
    if (auto *radio = screen->findChild<TKitRadioButton *>(collection ? QStringLiteral("chk_sunab")
                                                                      : QStringLiteral("chk_jigub")))
        SetChecked(radio, true);
    runSearch(screen);
}

void ReplyDispatcher::resultDetail(QWidget *screen, const ReplyRoute &route) const
{
    QWidget *dialogWidget = FindScreen(screen, route.dialog);
    auto *dialog = dynamic_cast<IResultDetailDialog *>(dialogWidget);
    if (!dialog) {
        m_main.bringToFront(screen);
        // The general inquiry searches again only after a batch of this run.
        if (route.action == ReplyAction::JuruResultDetail || (session.AcceptSeqBase > 0 && session.AcceptSeqLast > 0))
            runSearch(screen);
        return;
    }
    const qvx::ResultSet &answer =
        m_dm.cms_select1(ReplySql::resultDetail(route.table, dialog->InquirySeqNo(), qvx::Clock::today()));
    dialog->FillResult(answer);
}

void ReplyDispatcher::fillLatest(QWidget *screen, const ReplyRoute &route) const
{
    const GridFill fill = GridFillOf(route.action);
    auto *grid = screen->findChild<TListGrid *>(QString::fromLatin1(fill.grid));
    if (!grid)
        return;
    WaitCursor wait;
    const QString today = qvx::Clock::today();
    const QString latest = m_dm.cms_select1(ReplySql::latestSendTime(route.table, today)).value(0, 0);
    QString sql;
    switch (route.action) {
    case ReplyAction::FillBalances:
        sql = ReplySql::balances(latest, BankCodeOf(screen));
        break;
    case ReplyAction::FillNames:
        sql = ReplySql::holderNames(latest);
        break;
    case ReplyAction::FillSummary:
        sql = ReplySql::summaries(latest, BankCodeOf(screen));
        break;
    default:
        sql = ReplySql::vasSummaries(today, latest, BankCodeOf(screen));
        break;
    }
    ClearGridRows(grid);
    const qvx::ResultSet &rs = m_dm.cms_select1(sql);
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QString::fromUtf8(fill.noRowText));
        return;
    }
    grid->BeginUpdate();
    grid->SetRowCount(rs.recordCount() + 1);
    for (int i = 0; i < rs.recordCount(); ++i)
        for (const FillColumn &c : fill.columns)
            grid->SetCells(c.col, i + 1, CellText(c, rs, i));
    grid->EndUpdate();
}

void ReplyDispatcher::noticeCounts(QWidget *screen) const
{
    auto *counts = dynamic_cast<INoticeCountsScreen *>(screen);
    if (!counts)
        return;
    m_main.bringToFront(screen);
    WaitCursor wait;
    const qvx::ResultSet &rs = m_dm.cms_select1(ReplySql::noticeCounts(counts->PendingSeqNo(), qvx::Clock::today()));
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QString::fromUtf8(NoAnswerText));
        return;
    }
    counts->ShowCounts(rs);
}

void ReplyDispatcher::notice() const
{
    WriteLog(session, m_dm.scktconnect->commMsg(1));
    // Each notice opens a window of its own.
    m_main.ShowAlertMessage(m_dm.scktconnect->commMsg(1));
}

void ReplyDispatcher::ApprovalArrived()
{
    QString name;
    if (session.LoginAuthorCode.trimmed() == QLatin1String("1"))
        name = QStringLiteral("qv_acceptconfirm_frm");
    else if (session.LoginAuthorCode.trimmed() == QLatin1String("2"))
        name = QStringLiteral("qv_acceptconfirm1_frm");
    else
        return;
    const QString today = qvx::Clock::today();
    m_approvalScreens.removeAll(QPointer<QWidget>());
    for (const QPointer<QWidget> &open : m_approvalScreens) {
        if (open && open->objectName().compare(name, Qt::CaseInsensitive) == 0) {
            const qvx::ResultSet &rs = m_dm.cms_select1(ReplySql::waitingBatches(session.LoginUserId, today, false));
            if (auto *list = dynamic_cast<IBatchListScreen *>(open.data()))
                list->FillBatchList(rs);
            return;
        }
    }
    if (!ScreenRegistry::instance().contains(name)) {
        WriteLog(session, QStringLiteral("승인요청 도착: 화면 ") + name + QStringLiteral(" 없음"));
        return;
    }
    if (!qvx::Prompt::instance().confirm(QStringLiteral("승인요청된 자료가 있습니다. 조회하시겠습니까?")))
        return;
    QWidget *screen = ScreenRegistry::instance().create(name, nullptr, m_main.screenContext());
    if (!screen)
        return;
    QPointer<QWidget> guard(screen);
    m_approvalScreens.append(guard);
    // The screen fills its list from this result when it is shown.
    m_dm.cms_select1(ReplySql::waitingBatches(session.LoginUserId, today, true));
    if (auto *dialog = qobject_cast<QDialog *>(screen))
        dialog->exec();
    else
        m_main.showModalScreen(screen);
    if (guard && !guard->testAttribute(Qt::WA_DeleteOnClose))
        delete guard.data();
}
