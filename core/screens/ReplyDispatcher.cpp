#include "core/screens/ReplyDispatcher.h"

#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/ReplySql.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/KitGroup.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"

#include <QApplication>
#include <QDialog>

namespace {

const char *const NoAnswerText = "조회에 대한 응답이 없습니다.";
const char *const NotYetText = "응답전문이 존재하지 않습니다. 잠시 기다려주시기 바랍니다.";

// What the bank's latest answers of a route give when nothing came yet.
const char *NoRowTextOf(ReplyAction action)
{
    return action == ReplyAction::FillBalances || action == ReplyAction::FillNames ? NoAnswerText : NotYetText;
}

QString BankCodeOf(QWidget *screen)
{
    auto *choice = dynamic_cast<IBankChoiceScreen *>(screen);
    return choice ? choice->ChosenBankCode() : QString();
}

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
    auto *range = dynamic_cast<IResultRangeScreen *>(screen);
    if (range)
        range->setResultRange(from, to);
    const bool collection = liquor ? route.collection : session.LastIcheGubun == QLatin1String("20");
    if (range && range->setResultKind(collection)) {
        runSearch(screen);
        return;
    }
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
    auto *answerScreen = dynamic_cast<IAnswerScreen *>(screen);
    if (!answerScreen)
        return;
    m_main.bringToFront(screen);
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
    const qvx::ResultSet &rs = m_dm.cms_select1(sql);
    // The balances and names are cleared before they are read again; a
    // summary that finds no answer keeps what its list shows.
    const bool summary = route.action == ReplyAction::FillSummary || route.action == ReplyAction::FillVasSummary;
    if (!rs.isEmpty() || !summary)
        answerScreen->ShowAnswer(rs);
    if (rs.isEmpty())
        qvx::Prompt::instance().message(QString::fromUtf8(NoRowTextOf(route.action)));
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
    // The approval screen open already (one of ours, or the one the main
    // window opened on its activation or from the menu) is refilled and comes
    // to the front; a second one is never opened over it.
    QWidget *open = nullptr;
    for (const QPointer<QWidget> &own : m_approvalScreens)
        if (own && own->objectName().compare(name, Qt::CaseInsensitive) == 0)
            open = own.data();
    if (!open)
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->objectName().compare(name, Qt::CaseInsensitive) == 0)
                open = w;
    if (open) {
        const qvx::ResultSet batches = m_dm.cms_select1(ReplySql::waitingBatches(session.LoginUserId, today, false));
        if (auto *list = dynamic_cast<IBatchListScreen *>(open))
            list->FillBatchList(batches);
        open->raise();
        open->activateWindow();
        return;
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
    // The screen's list is filled from this result before it is shown.
    const qvx::ResultSet batches = m_dm.cms_select1(ReplySql::waitingBatches(session.LoginUserId, today, true));
    if (auto *list = dynamic_cast<IBatchListScreen *>(screen))
        list->FillBatchList(batches);
    if (auto *dialog = qobject_cast<QDialog *>(screen))
        dialog->exec();
    else
        m_main.showModalScreen(screen);
    if (guard && !guard->testAttribute(Qt::WA_DeleteOnClose))
        delete guard.data();
}
