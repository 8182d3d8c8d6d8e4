#include "core/screens/ClientMainUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/Session.h"
#include "core/screens/EntryListForm.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenInterfaces.h"
#include "platform/Clock.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QTcpSocket>

namespace {
// The form's background colour $CFBCA9 (blue CF, green BC, red A9).
const QColor FormColor(0xA9, 0xBC, 0xCF);
} // namespace

Tqv_frm::Tqv_frm(const ScreenContext &context, QWidget *parent)
    : ScreenOn<QMainWindow>(context, parent)
{
    setObjectName(QStringLiteral("qv_frm"));
    setWindowTitle(QString::fromLatin1(DesignCaption));
    resize(1075, 815);
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    setFont(f);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setBackground(FormColor);
    setCentralWidget(m_mdi);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    buildMenu();
}

Tqv_frm::~Tqv_frm() = default;

QMenu *Tqv_frm::addMenu(QMenu *parent, const QString &name, const QString &caption)
{
    QMenu *m = parent ? parent->addMenu(caption) : MainMenu1->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    m_menus.insert(name.toLower(), m);
    m_items.insert(name.toLower(), m->menuAction());
    return m;
}

QAction *Tqv_frm::addBarSeparator()
{
    // The menu bar's separators are disabled "|" items between the top menus.
    QAction *a = MainMenu1->addAction(QStringLiteral("|"));
    a->setEnabled(false);
    return a;
}

QAction *Tqv_frm::addItem(QMenu *menu, const QString &name, const QString &caption, void (Tqv_frm::*handler)())
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    m_items.insert(name.toLower(), a);
    if (handler)
        connect(a, &QAction::triggered, this, [this, name, handler] { guarded(name, handler); });
    return a;
}

void Tqv_frm::guarded(const QString &where, void (Tqv_frm::*handler)())
{
    RunGuarded(session, where, [this, handler] { (this->*handler)(); });
}

void Tqv_frm::buildMenu()
{
    // Each menu's items in order: component name, caption, handler.
    struct Item
    {
        const char *name;
        const char *caption; // UTF-8
        void (Tqv_frm::*handler)();
    };
    auto addItems = [this](QMenu *menu, std::initializer_list<Item> items) {
        for (const Item &i : items)
            addItem(menu, QString::fromLatin1(i.name), QString::fromUtf8(i.caption), i.handler);
    };
    // A top menu after a separator of the bar, with its items.
    auto barMenu = [this, &addItems](const char *name, const char *caption, std::initializer_list<Item> items) {
        addBarSeparator();
        QMenu *m = addMenu(nullptr, QString::fromLatin1(name), QString::fromUtf8(caption));
        addItems(m, items);
        return m;
    };
    using F = Tqv_frm;

    QMenu *qv1 = addMenu(nullptr, QStringLiteral("qv1"), QStringLiteral("환경 설정"));
    addItem(qv1, QStringLiteral("qv_a1"), QStringLiteral("네트워크 설정 정보 보기"), &Tqv_frm::qv_a1Click);
    QMenu *qv_a2 = addMenu(qv1, QStringLiteral("qv_a2"), QStringLiteral("은행 정보 보기"));
    addItems(qv_a2, {{"qv_a2_1", "은행코드설정 보기", &F::qv_loginClick},
                     {"qv_a2_2", "은행 및 계좌정보 보기", &F::qv_a2_2Click},
                     {"qv_a2_3", "오류코드 정보 보기", &F::qv_a2_3Click}});
    addItems(qv1, {{"qv_a3", "거래처 정보 등록", &F::qv_a3Click}, {"qv_a4", "승인요청/결제", &F::qv_a4Click},
                   {"qv_a5", "파일 생성 정보", &F::qv_a5Click}, {"qv_a6", "자료 변환 정보", &F::qv_a6Click},
                   {"qv_a7", "화면 설정", &F::qv_a7Click}});
    item(QStringLiteral("qv_a5"))->setEnabled(false);
    qv1->addSeparator();
    addItem(qv1, QStringLiteral("qv_a8"), QStringLiteral("종료"), &Tqv_frm::qv_a8Click);

    barMenu("qv2", "자금 이체",
            {{"qv_b1", "수납이체자료 작성", &F::qv_b1Click}, {"qv_b2", "지급이체자료 작성", &F::qv_b2Click},
             {"qv_b3", "이체현황 보기", &F::qv_b3Click}, {"qv_b4", "타행이체 불능내역 보기", &F::qv_b4Click}});
    barMenu("qv3", "통지/결번내역 조회",
            {{"qv_c2", "예금거래명세통지", &F::qv_c2Click}, {"qv_c1", "타행이체불능통지", &F::qv_c1Click},
             {"qv_c3", "보관어음명세통지", &F::qv_c3Click}, {"qv_c2_1", "조흥가상계좌통지", &F::qv_c2_1Click},
             {"qv_c4", "거래집계요구", &F::qv_c7Click}, {"N5", "가상계좌거래집계요구", &F::N5Click},
             {"qv_c5", "통지건수조회", &F::qv_c5Click}});
    item(QStringLiteral("qv_c2_1"))->setEnabled(false);
    barMenu("qv4", "기 타 조 회",
            {{"qv_d1", "이체처리 결과조회", &F::qv_d1Click}, {"qv_d2", "타행계좌 성명조회", &F::qv_d2Click},
             {"qv_d3", "모계좌잔액조회", &F::qv_d3Click}, {"N2", "벨모아공지사항", &F::N2Click}});
    QMenu *sms = barMenu("mm_SMS", "SMS",
                         {{"mm_SMSTrans", "SMS 송신", &F::mm_SMSTransClick},
                          {"mm_SMSManager", "SMS 현황", &F::mm_SMSManagerClick}});
    sms->menuAction()->setVisible(false);
    m_smsSeparator = addBarSeparator();
    m_smsSeparator->setVisible(false);

    QMenu *qv5 = addMenu(nullptr, QStringLiteral("qv5"), QStringLiteral("은행 개시상태보기"));
    addItem(qv5, QStringLiteral("qv_e1"), QStringLiteral("은행개시 확인"), &Tqv_frm::qv_e1Click);

    // Shortcuts of the form. Ctrl+B and Ctrl+D are given twice there (qv_a2 and
    // qv2, qv_a2_2 and qv4); each stays on its first item only.
    item(QStringLiteral("qv1"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    item(QStringLiteral("qv_a1"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    item(QStringLiteral("qv_a2"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    item(QStringLiteral("qv_a2_2"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    item(QStringLiteral("qv_a2_3"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    item(QStringLiteral("qv_a8"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    item(QStringLiteral("qv3"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    for (QAction *a : std::as_const(m_items))
        a->setShortcutContext(Qt::ApplicationShortcut);
}

QAction *Tqv_frm::item(const QString &name) const
{
    return m_items.value(name.toLower(), nullptr);
}

QMenu *Tqv_frm::menu(const QString &name) const
{
    return m_menus.value(name.toLower(), nullptr);
}

// --- screens -------------------------------------------------------------------

void Tqv_frm::showScreen(QWidget *screen, ScreenState state)
{
    const bool maximise = state == ScreenState::Option && session.DisplayMaxFlag == 1;
    // A screen opened without waiting on it, a dialog-built one too, is a
    // child window inside this one; only a screen made as a window of its
    // own stays apart.
    if (screen->isWindow() && !qobject_cast<QDialog *>(screen)) {
        if (state != ScreenState::Design)
            screen->setWindowState(maximise ? Qt::WindowMaximized : Qt::WindowNoState);
        screen->show();
        return;
    }
    // The size the screen was made with is its design size.
    const QSize designSize = screen->size();
    // The child window is placed, sized and maximised before anything of it
    // is shown: a screen shows itself (and may ask or tell the user something
    // as it does) only once its window is as the user will see it.
    screen->hide();
    QMdiSubWindow *sub = m_mdi->addSubWindow(screen);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    // The child window closes with its screen.
    connect(screen, &QObject::destroyed, sub, [sub] { sub->close(); });
    placeChild(sub, designSize);
    // A child window opens in its normal state; asking a normal one for the
    // normal state again would put back a size it never had. The work area
    // also maximises a child that opens while the active one is maximised.
    if (maximise)
        sub->showMaximized();
    else
        sub->show();
    m_mdi->setActiveSubWindow(sub);
    screen->show();
}

void Tqv_frm::placeChild(QMdiSubWindow *sub, const QSize &designSize)
{
    // The screen gets its design size inside the child window's frame and
    // the child stands in the middle of the work area (from its top left
    // corner when it is larger). The frame is the child window's margins,
    // known before it is first shown.
    const QMargins frame = sub->contentsMargins();
    sub->resize((designSize + QSize(frame.left() + frame.right(), frame.top() + frame.bottom()))
                    .expandedTo(sub->minimumSizeHint()));
    const QRect area = m_mdi->viewport()->rect();
    sub->move(qMax(0, (area.width() - sub->width()) / 2), qMax(0, (area.height() - sub->height()) / 2));
}

void Tqv_frm::bringToFront(QWidget *screen)
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (sub->widget() == screen) {
            m_mdi->setActiveSubWindow(sub);
            sub->raise();
            return;
        }
    }
    screen->raise();
    screen->activateWindow();
}

int Tqv_frm::showModalScreen(QWidget *screen)
{
    if (auto *dialog = qobject_cast<QDialog *>(screen))
        return dialog->exec();
    QPointer<QWidget> guard(screen);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setWindowFlag(Qt::Window);
    screen->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(screen, &QObject::destroyed, &loop, &QEventLoop::quit);
    screen->show();
    loop.exec(QEventLoop::DialogExec);
    return 0;
}

void Tqv_frm::openByRule(const QString &name, ScreenState state)
{
    OpenScreen(*this, name, state);
}

void Tqv_frm::qv_a1Click() { openByRule(QStringLiteral("qv_network_frm"), ScreenState::Normal); }
void Tqv_frm::qv_loginClick() { openByRule(QStringLiteral("qv_allbank_frm"), ScreenState::Normal); }
void Tqv_frm::qv_a2_2Click() { openByRule(QStringLiteral("qv_Bank_frm"), ScreenState::Normal); }
void Tqv_frm::qv_a2_3Click() { openByRule(QStringLiteral("qv_ErrCode_frm"), ScreenState::Normal); }
void Tqv_frm::qv_a3Click() { openByRule(QStringLiteral("qv_Daesang_frm"), ScreenState::Design); }
void Tqv_frm::qv_b4Click() { openByRule(QStringLiteral("qv_icheerrview_frm"), ScreenState::Option); }
void Tqv_frm::qv_c2Click() { openByRule(QStringLiteral("qv_deposit_frm"), ScreenState::Option); }
void Tqv_frm::qv_c1Click() { openByRule(QStringLiteral("qv_TIcheerrT_frm"), ScreenState::Option); }
void Tqv_frm::qv_c3Click() { openByRule(QStringLiteral("qv_Draft_frm"), ScreenState::Option); }
void Tqv_frm::qv_c2_1Click() { openByRule(QStringLiteral("qv_V_deposit_frm"), ScreenState::Option); }
void Tqv_frm::qv_c7Click() { openByRule(QStringLiteral("qv_trsum_frm"), ScreenState::Option); }
void Tqv_frm::N5Click() { openByRule(QStringLiteral("Frm_Vas_trSum"), ScreenState::Option); }
void Tqv_frm::qv_c5Click() { openByRule(QStringLiteral("qv_depositCnt_Frm"), ScreenState::Option); }
void Tqv_frm::qv_d2Click() { openByRule(QStringLiteral("qv_TIcheNamesearch_frm"), ScreenState::Option); }
void Tqv_frm::qv_d3Click() { openByRule(QStringLiteral("qv_amtsearch_frm"), ScreenState::Option); }
void Tqv_frm::mm_SMSTransClick()
{
    // The screen reads its counterparties from the server as it opens.
    if (!FindScreen(this, QStringLiteral("Frm_UserSMS")) && RefuseWhenOffline(session))
        return;
    openByRule(QStringLiteral("Frm_UserSMS"), ScreenState::Design);
}
void Tqv_frm::mm_SMSManagerClick() { openByRule(QStringLiteral("Frm_SMSView"), ScreenState::Design); }
void Tqv_frm::qv_e1Click() { openByRule(QStringLiteral("qv_start_frm"), ScreenState::Design); }

void Tqv_frm::openNew(const QString &name, ScreenState state)
{
    if (QWidget *screen = ScreenRegistry::instance().create(name, this, screenContext()))
        showScreen(screen, state);
}

void Tqv_frm::qv_a5Click() { openNew(QStringLiteral("qv_datafile_frm"), ScreenState::Design); }

void Tqv_frm::qv_a6Click()
{
    // The general editor opens anew each time and keeps its own size. The
    // liquor editor is a liquor screen: an open one comes to the front, and
    // it follows the maximise setting as they do.
    if (session.IcheKind == 1)
        openNew(QStringLiteral("FrmCatchGA"), ScreenState::Design);
    else
        OpenScreen(*this, QStringLiteral("FrmCatchJA"), ScreenState::Option);
}

void Tqv_frm::qv_a7Click()
{
    if (QWidget *screen = ScreenRegistry::instance().create(QStringLiteral("qv_display_frm"), this, screenContext()))
        showModalScreen(screen);
    item(QStringLiteral("qv_b1"))->setEnabled(session.SunabFlag == 1);
    item(QStringLiteral("qv_b2"))->setEnabled(session.JigubFlag == 1);
}

void Tqv_frm::qv_b1Click() { openMakingScreen(false); }
void Tqv_frm::qv_b2Click() { openMakingScreen(true); }

void Tqv_frm::openMakingScreen(bool payment)
{
    if (QWidget *inquiry = FindScreen(this, QStringLiteral("qv_j_ichesearch_frm"))) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(inquiry->parentWidget()))
            sub->close();
        else
            inquiry->close();
    }
    QAction *other = item(payment ? QStringLiteral("qv_b1") : QStringLiteral("qv_b2"));
    // The other item is given back as the options allow it, not unconditionally.
    const bool otherAllowed = payment ? session.SunabFlag != 0 : session.JigubFlag != 0;

    QString screenName;
    if (session.IcheKind == 1) {
        other->setEnabled(false);
        if (session.LoginAuthorCode.trimmed() != QLatin1String("0")) {
            qvx::Prompt::instance().message(QStringLiteral("작성 권한이 없습니다."));
            other->setEnabled(otherAllowed);
            return;
        }
        screenName = QStringLiteral("qv_IcheMake_frm");
    } else if (session.IcheKind == 2) {
        other->setEnabled(false);
        const QString code = session.LoginAuthorCode.trimmed();
        const bool allowed = code == QLatin1String("4") || code == QLatin1String(payment ? "9" : "8");
        if (!allowed) {
            qvx::Prompt::instance().message(QStringLiteral("권한이 없습니다."));
            other->setEnabled(otherAllowed);
            return;
        }
        screenName = QStringLiteral("qv_ichemakeJuru_frm");
    } else {
        return;
    }
    session.PaymentMode = payment ? 1 : 0;
    const QString kind = payment ? QStringLiteral("지급") : QStringLiteral("수납");
    OpenScreen(*this, screenName, ScreenState::Option, nullptr, [&kind](QWidget *screen) {
        if (auto *combo = screen->findChild<QComboBox *>(QStringLiteral("cmb_transdiv")))
            combo->setCurrentText(kind);
        screen->setWindowTitle(screen->windowTitle() + QStringLiteral("◆") + kind + QStringLiteral("◆"));
    });
}

void Tqv_frm::qv_b3Click()
{
    if (session.IcheKind == 1)
        openByRule(QStringLiteral("qv_icheview_frm"), ScreenState::Option);
    else if (session.IcheKind == 2)
        openByRule(QStringLiteral("qv_j_icheview_frm"), ScreenState::Option);
}

void Tqv_frm::qv_d1Click() { openResultInquiry(); }

void Tqv_frm::openResultInquiry()
{
    QString name;
    int *base = nullptr;
    int *last = nullptr;
    int fromOffset = 0;
    if (session.IcheKind == 1) {
        name = QStringLiteral("qv_ichesearch_frm");
        base = &session.SeqNoBase;
        last = &session.SeqNoLast;
    } else if (session.IcheKind == 2) {
        name = QStringLiteral("qv_j_ichesearch_frm");
        base = &session.AcceptSeqBase;
        last = &session.AcceptSeqLast;
        fromOffset = 1;
    } else {
        return;
    }
    bool created = false;
    QWidget *screen = OpenScreen(*this, name, ScreenState::Option, &created);
    if (!screen)
        return;
    int from = 0;
    int to = 0;
    if (*base != 0) {
        from = *base + fromOffset;
        to = *last;
        *base = 0;
        *last = 0;
    }
    if (auto *range = dynamic_cast<IResultRangeScreen *>(screen))
        range->setResultRange(from, to);
    if (created) {
        // Run as the data module runs it after a reply: the data module is the sender.
        if (auto *search = dynamic_cast<ISearchScreen *>(screen))
            search->btn_searchClick(&dm);
    }
}

void Tqv_frm::N2Click()
{
    if (RefuseWhenOffline(session))
        return;
    const QString text = dm.scktconnect->commMsg(1);
    if (text.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("현재 공지사항이 존재하지 않습니다."));
        return;
    }
    ShowAlertMessage(text);
}

void Tqv_frm::ShowAlertMessage(const QString &text)
{
    QWidget *alert = ScreenRegistry::instance().create(QStringLiteral("qv_AlertMsg_Frm"), this, screenContext());
    if (!alert)
        return;
    if (QObject *memo = alert->findChild<QObject *>(QStringLiteral("me_Msg"))) {
        if (!QMetaObject::invokeMethod(memo, "appendPlainText", Q_ARG(QString, text)))
            QMetaObject::invokeMethod(memo, "append", Q_ARG(QString, text));
    }
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowFlag(Qt::Window);
    alert->show();
}

void Tqv_frm::qv_a8Click()
{
    if (!entryScreensAgreeToExit())
        return;
    m_exitAgreed = true;
    session.ServerState = -1;
    if (dm.Csckt->state() != QAbstractSocket::UnconnectedState)
        dm.DeactivateRelay();
    WaitMs(10);
    if (dm.ServerLinkOpen())
        dm.CloseServerLink();
    WaitMs(10);
    close();
}

bool Tqv_frm::entryScreensAgreeToExit()
{
    QList<TEntryListForm *> agreed;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        auto *entry = qobject_cast<TEntryListForm *>(sub->widget());
        if (!entry || GridIsEmpty(entry->grd_ichelist))
            continue;
        if (sub->isMinimized())
            sub->showNormal();
        m_mdi->setActiveSubWindow(sub);
        if (!entry->agreeToExit()) {
            for (TEntryListForm *e : agreed)
                e->exitRefused();
            return false;
        }
        agreed.append(entry);
    }
    return true;
}

void Tqv_frm::closeEvent(QCloseEvent *e)
{
    // Closing the window ends the program: entry rows are not lost unasked.
    if (!m_exitAgreed && !entryScreensAgreeToExit()) {
        e->ignore();
        return;
    }
    if (dm.ServerLinkOpen()) {
        dm.CloseServerLink();
        WaitMs(10);
    }
    QMainWindow::closeEvent(e);
}

void Tqv_frm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    update();
}

// --- approval check ----------------------------------------------------------------

bool Tqv_frm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        const bool result = QMainWindow::event(e);
        if (m_skipActivation)
            m_skipActivation = false;
        else
            RunGuarded(session, QStringLiteral("FormActivate"), [this] { FormActivate(); });
        return result;
    }
    if (e->type() == QEvent::WindowDeactivate)
        m_skipActivation = false;
    return QMainWindow::event(e);
}

void Tqv_frm::FormActivate()
{
    approvalCheck(ApprovalOrigin::Activation);
}

void Tqv_frm::qv_a4Click()
{
    if (RefuseWhenOffline(session))
        return;
    approvalCheck(ApprovalOrigin::Menu);
}

void Tqv_frm::approvalCheck(ApprovalOrigin origin)
{
    // Our own approval screen is modal: while it is open, and for the
    // activation its closing causes, no second check runs.
    if (m_inApprovalCheck)
        return;
    const bool menu = origin == ApprovalOrigin::Menu;
    if (!menu && (session.LoginAuthorCode.isEmpty() || session.ServerState != 0))
        return;
    bool ok = false;
    const int code = session.LoginAuthorCode.trimmed().toInt(&ok);
    if (!ok || (code != 1 && code != 2)) {
        if (menu)
            qvx::Prompt::instance().message(QStringLiteral("권한이 없습니다."));
        return;
    }
    m_inApprovalCheck = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_inApprovalCheck};

    ++m_approvalChecks;
    const QString sql = QStringLiteral("select userid, sum(price), sendtime, cfmid, senddate, min(seqno), max(seqno), gubun "
                                       "from giche where      cfmid = ")
                        + qvx::sqlQuote(UserIdField.isEmpty() ? session.LoginUserId : UserIdField)
                        + (code == 2 && !menu ? QStringLiteral("  and sr_flag = '0'") : QStringLiteral("  and sr_flag = '0' "))
                        + QStringLiteral("  and senddate = ") + qvx::sqlQuote(qvx::Clock::today()) + QStringLiteral(" ")
                        + QStringLiteral("group by ") + QStringLiteral("     sendtime, userid, cfmid, senddate, gubun");
    const qvx::ResultSet rows = dm.cms_select1(sql);
    if (rows.recordCount() == 0) {
        if (menu)
            qvx::Prompt::instance().message(QStringLiteral("승인요청된 자료가 존재하지 않습니다."));
        return;
    }
    const QString name = code == 1 ? QStringLiteral("qv_acceptconfirm_frm") : QStringLiteral("qv_acceptconfirm1_frm");
    QWidget *screen = ScreenRegistry::instance().create(name, this, screenContext());
    if (!screen)
        return;
    // The screen never queries its list: it is filled from these rows.
    if (auto *list = dynamic_cast<IBatchListScreen *>(screen))
        list->FillBatchList(rows);
    showModalScreen(screen);
    // Closing it activates this window again: that activation is ours, not
    // the user's return, so it does not run the check again.
    m_skipActivation = true;
}

// --- caption and state changes ---------------------------------------------------

void Tqv_frm::ApplySmsMark(const QString &smsId)
{
    if (!smsId.isEmpty()) {
        setWindowTitle(session.MainCaption + QStringLiteral(" - [ SMS ID : ") + smsId + QStringLiteral("]"));
        menu(QStringLiteral("mm_SMS"))->menuAction()->setVisible(true);
        m_smsSeparator->setVisible(true);
    } else {
        setWindowTitle(session.MainCaption);
        menu(QStringLiteral("mm_SMS"))->menuAction()->setVisible(false);
        m_smsSeparator->setVisible(false);
    }
    update();
}

void Tqv_frm::MarkSendModule()
{
    setWindowTitle(windowTitle() + QStringLiteral(" [자동송수신모듈]"));
}

void Tqv_frm::GoOffline()
{
    for (const char *name : {"qv1", "qv2", "qv3", "qv4"})
        item(QString::fromLatin1(name))->setEnabled(false);
}
