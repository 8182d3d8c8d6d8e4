#include "ClientFixture.h"

#include "core/AppControl.h"
#include "core/screens/ClientMainUnit.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/screens/ScreenRegistry.h"
#include "platform/Clock.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A stand-in screen for a name of a later library.
class FakeScreen : public QWidget, public ISearchScreen, public IResultRangeScreen
{
public:
    explicit FakeScreen(const QString &name, QWidget *owner)
        : QWidget(owner)
    {
        setObjectName(name);
        setWindowTitle(QStringLiteral("화면"));
        auto *combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("cmb_transdiv"));
        combo->addItems({QStringLiteral("수납"), QStringLiteral("지급")});
        ++created;
    }
    void btn_searchClick(QObject *s) override
    {
        ++searches;
        sender = s;
    }
    void setResultRange(int f, int t) override
    {
        from = f;
        to = t;
    }
    int searches = 0;
    QObject *sender = nullptr;
    int from = -1;
    int to = -1;
    static inline int created = 0;
};

class Registered
{
public:
    explicit Registered(const QString &name)
        : m_name(name)
    {
        ScreenRegistry::instance().add(name, [name](QWidget *owner, const ScreenContext &) { return new FakeScreen(name, owner); });
    }
    ~Registered() { ScreenRegistry::instance().remove(m_name); }

private:
    QString m_name;
};

bool enabled(Tqv_frm *main, const char *name)
{
    return main->item(QString::fromLatin1(name))->isEnabled();
}

TEST(MainWindow, MenuHasEveryItemCaptionAndShortcut)
{
    qvx::ScriptedPrompt prompt;
    Session session;
    Tdm data(session);
    Tqv_frm main(ScreenContext{session, data});
    EXPECT_EQ(main.windowTitle(), QStringLiteral("QUVEX_Client"));
    for (const char *name : {"qv1", "qv_a1", "qv_a2", "qv_a2_1", "qv_a2_2", "qv_a2_3", "qv_a3", "qv_a4", "qv_a5", "qv_a6",
                             "qv_a7", "qv_a8", "qv2", "qv_b1", "qv_b2", "qv_b3", "qv_b4", "qv3", "qv_c2", "qv_c1", "qv_c3",
                             "qv_c2_1", "qv_c4", "N5", "qv_c5", "qv4", "qv_d1", "qv_d2", "qv_d3", "N2", "mm_SMS",
                             "mm_SMSTrans", "mm_SMSManager", "qv5", "qv_e1"})
        EXPECT_NE(main.item(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(main.item(QStringLiteral("QV_B1"))->text(), QStringLiteral("수납이체자료 작성"));
    EXPECT_EQ(main.item(QStringLiteral("qv4"))->text(), QStringLiteral("기 타 조 회"));
    EXPECT_FALSE(main.item(QStringLiteral("mm_SMS"))->isVisible());
    EXPECT_FALSE(enabled(&main, "qv_a5"));
    EXPECT_FALSE(enabled(&main, "qv_c2_1"));
    EXPECT_EQ(main.item(QStringLiteral("qv_a8"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(main.item(QStringLiteral("qv_a2"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_TRUE(main.item(QStringLiteral("qv2"))->shortcut().isEmpty());
    EXPECT_EQ(main.item(QStringLiteral("qv_a2_2"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    EXPECT_TRUE(main.item(QStringLiteral("qv4"))->shortcut().isEmpty());
}

QStringList visibleBar(const Tqv_frm &main)
{
    QStringList captions;
    for (QAction *a : main.MainMenu1->actions())
        if (a->isVisible())
            captions << (a->text() == QLatin1String("|") && a->isEnabled() ? QStringLiteral("enabled |") : a->text());
    return captions;
}

TEST(MainWindow, TopMenusAreSeparatedByDisabledBars)
{
    qvx::ScriptedPrompt prompt;
    Session session;
    Tdm data(session);
    Tqv_frm main(ScreenContext{session, data});
    EXPECT_EQ(visibleBar(main), (QStringList{QStringLiteral("환경 설정"), QStringLiteral("|"), QStringLiteral("자금 이체"),
                                             QStringLiteral("|"), QStringLiteral("통지/결번내역 조회"), QStringLiteral("|"),
                                             QStringLiteral("기 타 조 회"), QStringLiteral("|"),
                                             QStringLiteral("은행 개시상태보기")}));
    main.ApplySmsMark(QStringLiteral("SMS01"));
    EXPECT_EQ(visibleBar(main).mid(6), (QStringList{QStringLiteral("기 타 조 회"), QStringLiteral("|"), QStringLiteral("SMS"),
                                                    QStringLiteral("|"), QStringLiteral("은행 개시상태보기")}));
    main.ApplySmsMark(QString());
    EXPECT_EQ(visibleBar(main).size(), 9);
}

TEST(MainWindow, ScreensOpenByNameOnceAndNotAtAllWhenUnregistered)
{
    qvx::ScriptedPrompt prompt;
    Session session;
    Tdm data(session);
    Tqv_frm main(ScreenContext{session, data});
    main.item(QStringLiteral("qv_a1"))->trigger();  // not registered: nothing opens
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());

    Registered reg(QStringLiteral("QV_NETWORK_FRM"));
    FakeScreen::created = 0;
    main.item(QStringLiteral("qv_a1"))->trigger();
    main.item(QStringLiteral("qv_a1"))->trigger();
    EXPECT_EQ(FakeScreen::created, 1);
    EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
    EXPECT_NE(FindScreen(&main, QStringLiteral("qv_Network_frm")), nullptr);
}

class LoggedIn : public ::testing::Test
{
protected:
    void login(const QString &user, const QString &pwd, ClientFixture::Options options = {})
    {
        client = std::make_unique<ClientFixture>(options);
        ASSERT_TRUE(client->start(user, pwd));
        main = client->mainWindow();
        client->prompt().clear();
    }
    std::unique_ptr<ClientFixture> client;
    Tqv_frm *main = nullptr;
};

TEST_F(LoggedIn, MakerOpensTheMakingScreenInEitherMode)
{
    Registered reg(QStringLiteral("qv_IcheMake_frm"));
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    EXPECT_TRUE(enabled(main, "qv_b1"));
    EXPECT_TRUE(enabled(main, "qv_b2"));
    main->item(QStringLiteral("qv_b2"))->trigger();
    EXPECT_EQ(client->session().PaymentMode, 1);
    auto *screen = dynamic_cast<FakeScreen *>(FindScreen(main, QStringLiteral("qv_ichemake_frm")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->findChild<QComboBox *>(QStringLiteral("cmb_transdiv"))->currentText(), QStringLiteral("지급"));
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("화면◆지급◆"));
    EXPECT_FALSE(enabled(main, "qv_b1"));  // stays off while the screen is open
}

TEST_F(LoggedIn, ApproverMayNotMakeAndTheOtherItemFollowsTheOption)
{
    ClientFixture::Options options;
    options.jigub = false;
    login(QStringLiteral("APPR1"), QStringLiteral("2222"), options);
    EXPECT_TRUE(enabled(main, "qv_b1"));
    EXPECT_FALSE(enabled(main, "qv_b2"));
    main->item(QStringLiteral("qv_b1"))->trigger();
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("작성 권한이 없습니다."));
    // Payments are not allowed by the options: the refusal does not turn them on.
    EXPECT_FALSE(enabled(main, "qv_b2"));
}

TEST_F(LoggedIn, LiquorModeMenusAndAuthorityCodes)
{
    Registered reg(QStringLiteral("qv_ichemakeJuru_frm"));
    ClientFixture::Options options;
    options.general = false;
    login(QStringLiteral("JURUSU"), QStringLiteral("8888"), options);
    EXPECT_EQ(client->session().IcheKind, 2);
    EXPECT_FALSE(enabled(main, "qv_a4"));
    EXPECT_FALSE(enabled(main, "qv_c1"));
    EXPECT_FALSE(enabled(main, "qv_b4"));
    main->item(QStringLiteral("qv_b2"))->trigger();  // code 8: collections only
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("권한이 없습니다."));
    EXPECT_TRUE(enabled(main, "qv_b1"));
    EXPECT_EQ(FindScreen(main, QStringLiteral("qv_ichemakejuru_frm")), nullptr);
    main->item(QStringLiteral("qv_b1"))->trigger();
    EXPECT_EQ(client->session().PaymentMode, 0);
    EXPECT_NE(FindScreen(main, QStringLiteral("qv_ichemakejuru_frm")), nullptr);
}

TEST_F(LoggedIn, VirtualAccountOptionEnablesItsItem)
{
    ClientFixture::Options options;
    options.vDeposit = true;
    options.sunab = false;
    login(QStringLiteral("MAKER"), QStringLiteral("1111"), options);
    EXPECT_TRUE(enabled(main, "qv_c2_1"));
    EXPECT_FALSE(enabled(main, "qv_b1"));
    EXPECT_TRUE(enabled(main, "qv_b2"));
    EXPECT_TRUE(enabled(main, "qv_a4"));
}

TEST_F(LoggedIn, ResultInquiryHandsOverTheLastBatchOnce)
{
    Registered reg(QStringLiteral("qv_ichesearch_frm"));
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    client->session().SeqNoBase = 100;
    client->session().SeqNoLast = 105;
    main->item(QStringLiteral("qv_d1"))->trigger();
    auto *screen = dynamic_cast<FakeScreen *>(FindScreen(main, QStringLiteral("qv_ichesearch_frm")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->from, 100);
    EXPECT_EQ(screen->to, 105);
    EXPECT_EQ(screen->searches, 1);
    EXPECT_EQ(screen->sender, client->dm());
    main->item(QStringLiteral("qv_d1"))->trigger();
    EXPECT_EQ(screen->from, 0);
    EXPECT_EQ(screen->to, 0);
    EXPECT_EQ(screen->searches, 1);  // an open screen only comes to the front
}

TEST_F(LoggedIn, LiquorResultInquiryStartsAfterTheReservedBaseAndClosesForAMakingScreen)
{
    Registered inquiry(QStringLiteral("qv_j_ichesearch_frm"));
    Registered making(QStringLiteral("qv_ichemakeJuru_frm"));
    ClientFixture::Options options;
    options.general = false;
    login(QStringLiteral("JURUSU"), QStringLiteral("8888"), options);
    client->session().AcceptSeqBase = 200;
    client->session().AcceptSeqLast = 203;
    client->session().SeqNoBase = 500;  // the general pair is not the liquor menu's
    main->item(QStringLiteral("qv_d1"))->trigger();
    auto *screen = dynamic_cast<FakeScreen *>(FindScreen(main, QStringLiteral("qv_j_ichesearch_frm")));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->from, 201);
    EXPECT_EQ(screen->to, 203);
    EXPECT_EQ(screen->searches, 1);
    EXPECT_EQ(screen->sender, client->dm());
    EXPECT_EQ(client->session().AcceptSeqBase, 0);
    EXPECT_EQ(client->session().AcceptSeqLast, 0);
    EXPECT_EQ(client->session().SeqNoBase, 500);

    QPointer<QWidget> open(screen);
    main->item(QStringLiteral("qv_b1"))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(open.isNull() || !open->isVisible());
    EXPECT_NE(FindScreen(main, QStringLiteral("qv_ichemakejuru_frm")), nullptr);
}

TEST_F(LoggedIn, ApprovalCheckOpensTheApprovalScreenWithoutLooping)
{
    int opened = 0;
    ScreenRegistry::instance().add(QStringLiteral("qv_acceptconfirm_frm"), [&opened](QWidget *owner, const ScreenContext &) {
        ++opened;
        auto *d = new QDialog(owner);
        d->setObjectName(QStringLiteral("qv_acceptconfirm_frm"));
        d->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, d, &QDialog::accept);
        return d;
    });
    login(QStringLiteral("APPR1"), QStringLiteral("2222"));
    main->FormActivate();
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(main->approvalChecks(), 1);
    main->item(QStringLiteral("qv_a4"))->trigger();
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("승인요청된 자료가 존재하지 않습니다."));

    client->server().exec(QStringLiteral(
        "insert into giche (senddate, sendtime, seqno, userid, cfmid, price, sr_flag, gubun) values ('%1', '101010', 900001, "
        "'MAKER', 'APPR1', '1000', '0', '20')").arg(qvx::Clock::today()));
    main->show();
    main->activateWindow();
    main->FormActivate();
    EXPECT_EQ(opened, 1);
    // The activation that follows our own modal screen does not reopen it.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_LE(opened, 2);
    ScreenRegistry::instance().remove(QStringLiteral("qv_acceptconfirm_frm"));
}

TEST_F(LoggedIn, MakersAndOtherCodesGetNoApprovalScreen)
{
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    main->FormActivate();
    EXPECT_EQ(client->prompt().count(), 0);
    main->item(QStringLiteral("qv_a4"))->trigger();
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("권한이 없습니다."));
}

TEST_F(LoggedIn, OfflineAfterTheRelayIsLost)
{
    login(QStringLiteral("APPR2"), QStringLiteral("3333"));
    client->prompt().enqueueAnswer(false);
    client->dm()->CscktDisconnect();
    EXPECT_EQ(client->session().ServerState, 1);
    for (const char *name : {"qv1", "qv2", "qv3", "qv4"})
        EXPECT_FALSE(enabled(main, name)) << name;
    client->prompt().clear();
    main->qv_a4Click();
    EXPECT_EQ(client->prompt().texts(),
              QStringList{QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다.")});
}

TEST_F(LoggedIn, ExitClosesWithoutTheQuestion)
{
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    main->show();
    main->item(QStringLiteral("qv_a8"))->trigger();
    EXPECT_EQ(client->session().ServerState, -1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(client->dm()->ServerLinkOpen());
    QCoreApplication::processEvents();
    EXPECT_EQ(client->prompt().count(), 0);
}

TEST_F(LoggedIn, SmsMarkAndModuleCaption)
{
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    main->ApplySmsMark(QStringLiteral("SMS01"));
    EXPECT_EQ(main->windowTitle(), client->session().MainCaption + QStringLiteral(" - [ SMS ID : SMS01]"));
    EXPECT_TRUE(main->item(QStringLiteral("mm_SMS"))->isVisible());
    client->dm()->HandleRelayData(QByteArray("\x02SR1\x03"));
    EXPECT_TRUE(main->windowTitle().endsWith(QStringLiteral(" [자동송수신모듈]")));
}

TEST_F(LoggedIn, RendersForReview)
{
    login(QStringLiteral("MAKER"), QStringLiteral("1111"));
    main->resize(1075, 815);
    main->show();
    QCoreApplication::processEvents();
    const QString out = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QStringLiteral("test-output"));
    QDir().mkpath(out);
    EXPECT_TRUE(main->grab().save(out + QStringLiteral("/mainwindow.png")));
    main->item(QStringLiteral("qv1"))->menu()->popup(main->mapToGlobal(QPoint(0, 20)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(main->item(QStringLiteral("qv1"))->menu()->grab().save(out + QStringLiteral("/mainwindow_menu_qv1.png")));
    main->item(QStringLiteral("qv1"))->menu()->hide();
}

} // namespace
