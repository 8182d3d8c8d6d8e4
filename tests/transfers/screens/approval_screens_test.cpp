// The approval screens driven as the approvers use them: forward one and all,
// list delete, the batch detail, the final approver's send one and all, and
// the approval arrival on the relay.
#include "ApprovalTest.h"

#include "backend/RelayServer.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/SeqNo.h"
#include "platform/Clock.h"
#include "transfers/screens/AcceptConfirm1Unit.h"
#include "transfers/screens/AcceptConfirmUnit.h"
#include "transfers/screens/AcceptDetailUnit.h"
#include "controls/edits/CurrEdit.h"
#include "../../backend/relay_client.h"

#include <QLabel>
#include <QStyle>

using namespace transfertest;

namespace {

class ApprovalScreens : public ::testing::Test
{
protected:
    void login(const char *user, const char *password)
    {
        registerTransferScreens();
        // A test queues the answer of every question it expects.
        client.failUnexpectedQuestions();
        ASSERT_TRUE(client.start(QString::fromLatin1(user), QString::fromLatin1(password)));
        main = client.mainWindow();
        ShowActive(main);
        link = std::make_unique<HookedLink>(*client.dm()->scktconnect);
        client.dm()->setAppServer(link.get());
        today = qvx::Clock::today();
    }
    void seed(SeedRow row)
    {
        if (row.senddate.isEmpty())
            row.senddate = today;
        client.server().exec(SeedSql(row));
    }
    // Opens the user's approval screen from the menu and runs `act` on it.
    template <typename Screen>
    void onScreen(std::function<void(Screen *)> act)
    {
        bool ran = false;
        OnModal<Screen>([&ran, act](Screen *s) {
            act(s);
            ran = true;
            if (s->isVisible())
                ClickControl(s->btn_close);
        });
        TriggerMenuItem(main, QStringLiteral("qv_a4"));
        EXPECT_TRUE(ran);
    }
    QString flagOf(const QString &user, const QString &column = QStringLiteral("cfmid"))
    {
        return client.server()
            .query(QStringLiteral("select ") + column + QStringLiteral(" as v from giche where userid = '") + user
                   + QStringLiteral("' order by seqno"))
            .value(0, QStringLiteral("v"));
    }
    int rowsOf(const QString &user)
    {
        return client.server()
            .query(QStringLiteral("select count(*) as n from giche where userid = '") + user + QStringLiteral("'"))
            .valueInt(0, QStringLiteral("n"));
    }
    static int listed(TAcceptBatchList *s) { return s->ListEmpty() ? 0 : int(s->Batches().size()); }
    // MAKER logged in at the relay through `maker`, once `approver` is there too.
    bool makerAtRelay(qvx::testing::RelayTestClient &maker, const char *approver)
    {
        const QString user = QString::fromLatin1(approver);
        return maker.connectTo(client.server().relayPort()) && maker.login("MAKER")
               && ClientFixture::waitFor([this, user] { return client.server().relay()->isConnected(user); });
    }

    ClientFixture client;
    Tqv_frm *main = nullptr;
    std::unique_ptr<HookedLink> link;
    QString today;
};

} // namespace

TEST_F(ApprovalScreens, ForwardOneMovesOnlyThatMakersBatchAndNotifiesTheNextApprover)
{
    login("APPR1", "2222");
    qvx::testing::RelayTestClient next;
    ASSERT_TRUE(next.connectTo(client.server().relayPort()));
    ASSERT_TRUE(next.login("APPR2"));
    // Two makers' batches of the same second.
    seed({.userid = QStringLiteral("MAKER"), .seqno = 11, .price = 1500});
    seed({.userid = QStringLiteral("MAKER"), .seqno = 12, .price = 2500});
    seed({.userid = QStringLiteral("MAKER2"), .seqno = 13, .price = 700});
    onScreen<Tqv_acceptconfirm_frm>([this](Tqv_acceptconfirm_frm *s) {
        ASSERT_EQ(listed(s), 2);
        EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER"));
        EXPECT_EQ(s->grd_ichelist->Cells(1, 1), QStringLiteral("4,000"));
        EXPECT_EQ(s->grd_ichelist->Cells(3, 1), QStringLiteral("10:15:00"));
        ClickGridCell(s->grd_ichelist, 0, 1);
        client.prompt().enqueueAnswer(true); // 선택된 자료를 송신 요청하시겠습니까?
        client.prompt().enqueueAnswer(true); // 승인자 ID : APPR2 승인신청하시겠습니까?
        SignIn(QStringLiteral("2222"));
        ChooseApprover(QStringLiteral("APPR2"));
        ClickControl(s->btn_send1);
        EXPECT_EQ(listed(s), 1);
        EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER2"));
    });
    EXPECT_EQ(flagOf(QStringLiteral("MAKER")), QStringLiteral("APPR2"));
    EXPECT_EQ(flagOf(QStringLiteral("MAKER2")), QStringLiteral("APPR1"));
    EXPECT_EQ(next.nextFrame(), qvx::FrameReader::frame("F"));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("선택된 자료를 송신 요청하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
    EXPECT_TRUE(client.session().ApproverId.isEmpty());
}

TEST_F(ApprovalScreens, ListDeleteNamesTheMakerAndCommits)
{
    login("APPR1", "2222");
    seed({.userid = QStringLiteral("MAKER"), .seqno = 21});
    seed({.userid = QStringLiteral("MAKER2"), .seqno = 22});
    onScreen<Tqv_acceptconfirm_frm>([this](Tqv_acceptconfirm_frm *s) {
        ClickGridCell(s->grd_ichelist, 0, 1);
        client.prompt().enqueueAnswer(true); // 해당 자료를 송신하지 않고 삭제하시겠습니까?
        ClickControl(s->btn_delete);
        EXPECT_EQ(listed(s), 1);
    });
    // Read on a connection of its own: only committed rows are gone.
    EXPECT_EQ(rowsOf(QStringLiteral("MAKER")), 0);
    EXPECT_EQ(rowsOf(QStringLiteral("MAKER2")), 1);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("해당 자료를 송신하지 않고 삭제하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("삭제하였습니다.")));
}

TEST_F(ApprovalScreens, ForwardAllNeverForwardsADeclinedNotTodayBatch)
{
    login("APPR1", "2222");
    seed({.userid = QStringLiteral("MAKER"), .seqno = 31});
    seed({.userid = QStringLiteral("MAKER2"), .seqno = 32});
    onScreen<Tqv_acceptconfirm_frm>([this](Tqv_acceptconfirm_frm *s) {
        // Listed before midnight, forwarded after it.
        qvx::Clock::setFixed(QDateTime(qvx::Clock::date().addDays(1), QTime(0, 0, 5)));
        client.prompt().enqueueAnswer(true);  // 전체 자료를 송신 요청하시겠습니까?
        client.prompt().enqueueAnswer(false); // MAKER's batch: keep it
        client.prompt().enqueueAnswer(true);  // MAKER2's batch: delete it
        SignIn(QStringLiteral("2222"));
        ClickControl(s->btn_sendall);
        EXPECT_EQ(listed(s), 1);
    });
    qvx::Clock::reset();
    EXPECT_EQ(flagOf(QStringLiteral("MAKER")), QStringLiteral("APPR1"));
    EXPECT_EQ(flagOf(QStringLiteral("MAKER"), QStringLiteral("sr_flag")), QStringLiteral("0"));
    EXPECT_EQ(rowsOf(QStringLiteral("MAKER2")), 0);
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
}

TEST_F(ApprovalScreens, ForwardAllSaysWhichBatchFailedAndKeepsOnlyThatOne)
{
    login("APPR1", "2222");
    seed({.userid = QStringLiteral("MAKER"), .seqno = 41});
    seed({.userid = QStringLiteral("MAKER2"), .seqno = 42, .price = 900});
    link->refuse = [](const QString &sql) { return sql.startsWith(u"update") && sql.contains(u"'MAKER2'"); };
    onScreen<Tqv_acceptconfirm_frm>([this](Tqv_acceptconfirm_frm *s) {
        client.prompt().enqueueAnswer(true); // 전체 자료를 송신 요청하시겠습니까?
        client.prompt().enqueueAnswer(true); // 승인자 ID : APPR2 승인신청하시겠습니까?
        SignIn(QStringLiteral("2222"));
        ChooseApprover(QStringLiteral("APPR2"));
        ClickControl(s->btn_sendall);
        ASSERT_EQ(listed(s), 1);
        EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER2"));
    });
    EXPECT_EQ(flagOf(QStringLiteral("MAKER")), QStringLiteral("APPR2"));
    EXPECT_EQ(flagOf(QStringLiteral("MAKER2")), QStringLiteral("APPR1"));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("전체 자료를 송신 요청하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(
        QStringLiteral("정상적으로 처리되지 않았습니다.\r\r작성자:MAKER2 요청시각:10:15:00 이체금액:900")));
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
}

TEST_F(ApprovalScreens, DetailShowsEveryRowAndItsDeleteLowersCountAndTotal)
{
    login("APPR1", "2222");
    seed({.seqno = 51, .price = 1000});
    // A payee bank the reference table does not know is still shown.
    seed({.seqno = 52, .price = 2500, .transBankId = QStringLiteral("77")});
    onScreen<Tqv_acceptconfirm_frm>([this](Tqv_acceptconfirm_frm *s) {
        OnModal<Tqv_acceptdetail_frm>([this](Tqv_acceptdetail_frm *d) {
            EXPECT_EQ(d->grd_ichelist->RowCount(), 3);
            EXPECT_EQ(d->curredt_gun->Value().toInt64(), 2);
            EXPECT_EQ(d->curredt_total->Value().toInt64(), 3500);
            EXPECT_EQ(d->grd_ichelist->Cells(10, 2), QStringLiteral("2,500"));
            SavePicture(d, "approval_detail");
            ClickGridCell(d->grd_ichelist, 1, 2);
            client.prompt().enqueueAnswer(true); // 선택하신 이체자료를 삭제하시겠습니까?
            ClickControl(d->btn_delete);
            EXPECT_EQ(d->curredt_gun->Value().toInt64(), 1);
            EXPECT_EQ(d->curredt_total->Value().toInt64(), 1000);
            ClickControl(d->btn_close);
        });
        ClickControl(s->btn_preview);
    });
    EXPECT_EQ(rowsOf(QStringLiteral("MAKER")), 1);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("선택하신 이체자료를 삭제하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("선택한 이체자료를 삭제하였습니다.")));
}

// A batch of two 13-digit amounts: the dialog's total shows its 14 digits whole.
TEST_F(ApprovalScreens, DetailShowsAFourteenDigitTotalWhole)
{
    login("APPR1", "2222");
    seed({.seqno = 51, .price = 9999999999999});
    seed({.seqno = 52, .price = 1000001244567});
    onScreen<Tqv_acceptconfirm_frm>([](Tqv_acceptconfirm_frm *s) {
        OnModal<Tqv_acceptdetail_frm>([](Tqv_acceptdetail_frm *d) {
            TCurrencyEdit *total = d->curredt_total;
            EXPECT_EQ(total->DisplayText(), QStringLiteral("11,000,001,244,566"));
            // The text is painted inside the frame with two pixels either side.
            const int frame = total->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, total);
            EXPECT_LE(total->fontMetrics().horizontalAdvance(total->DisplayText()) + 2 * frame + 4, total->width());
            auto *unit = d->findChild<QLabel *>(QStringLiteral("lbl_totalunit"));
            ASSERT_NE(unit, nullptr);
            EXPECT_GE(unit->x(), total->geometry().right());
            SavePicture(d, "approval_detail_widest_total");
            ClickControl(d->btn_close);
        });
        ClickControl(s->btn_preview);
    });
}

TEST_F(ApprovalScreens, SendOneWithAWithdrawnRegistrationStillHandsTheBatchOver)
{
    login("APPR2", "3333");
    seed({.cfmid = QStringLiteral("APPR2"), .seqno = 61, .gubun = QStringLiteral("20")});
    seed({.cfmid = QStringLiteral("APPR2"), .seqno = 62, .gubun = QStringLiteral("20")});
    link->sendDescAnswer = [] { return 0; }; // never stored
    onScreen<Tqv_acceptconfirm1_frm>([this](Tqv_acceptconfirm1_frm *s) {
        client.prompt().enqueueAnswer(true);  // 선택된 자료를 이체 송신하시겠습니까?
        client.prompt().enqueueAnswer(false); // stop waiting for the registration
        SignIn(QStringLiteral("3333"));
        ClickControl(s->DDButton1);
        EXPECT_TRUE(s->ListEmpty());
    });
    EXPECT_EQ(flagOf(QStringLiteral("MAKER"), QStringLiteral("sr_flag")), QStringLiteral("1"));
    EXPECT_EQ(client.session().SeqNoBase, 61);
    EXPECT_EQ(client.session().SeqNoLast, 62);
    EXPECT_EQ(client.session().LastIcheGubun, QStringLiteral("20"));
    EXPECT_TRUE(client.prompt().contains(SendDescWithdrawnMessage));
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
}

TEST_F(ApprovalScreens, SendAllAsksFirstAndReportsTheBatchWhoseRegistrationFailed)
{
    login("APPR2", "3333");
    seed({.userid = QStringLiteral("MAKER"), .cfmid = QStringLiteral("APPR2"), .seqno = 71});
    seed({.userid = QStringLiteral("MAKER2"), .cfmid = QStringLiteral("APPR2"), .sendtime = QStringLiteral("101600"),
          .seqno = 72});
    // Only the first batch's registration is accepted.
    int registrations = 0;
    link->sendDescAnswer = [&registrations] { return ++registrations == 1 ? 1 : 0; };
    onScreen<Tqv_acceptconfirm1_frm>([this](Tqv_acceptconfirm1_frm *s) {
        client.prompt().enqueueAnswer(true);  // 전체 자료를 이체 송신하시겠습니까?
        client.prompt().enqueueAnswer(false); // stop waiting for the second registration
        SignIn(QStringLiteral("3333"));
        ClickControl(s->btn_send);
        ASSERT_EQ(listed(s), 1);
        EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER2"));
    });
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("전체 자료를 이체 송신하시겠습니까?")));
    EXPECT_TRUE(client.prompt().contains(
        QStringLiteral("정상적으로 처리되지 않았습니다.\r\r작성자:MAKER2 요청시각:10:16:00 이체금액:1,000")));
    EXPECT_EQ(client.session().SeqNoBase, 0); // send all hands nothing over
}

TEST_F(ApprovalScreens, ApprovalArrivalTwiceRefillsTheOpenScreen)
{
    login("APPR1", "2222");
    qvx::testing::RelayTestClient maker;
    ASSERT_TRUE(makerAtRelay(maker, "APPR1"));
    seed({.seqno = 81});
    bool done = false;
    OnModal<Tqv_acceptconfirm_frm>([&, this](Tqv_acceptconfirm_frm *s) {
        EXPECT_EQ(listed(s), 1);
        seed({.sendtime = QStringLiteral("111111"), .seqno = 82});
        maker.send(qvx::FrameReader::frame("FAPPR1"));
        EXPECT_TRUE(ClientFixture::waitFor([s] { return listed(s) == 2; }));
        ClickControl(s->btn_close);
        done = true;
    });
    client.prompt().enqueueAnswer(true); // 승인요청된 자료가 있습니다. 조회하시겠습니까? (once)
    maker.send(qvx::FrameReader::frame("FAPPR1"));
    ASSERT_TRUE(ClientFixture::waitFor([&done] { return done; }, 20000));
    EXPECT_EQ(client.prompt().texts().count(QStringLiteral("승인요청된 자료가 있습니다. 조회하시겠습니까?")), 1);
}

TEST_F(ApprovalScreens, ApprovalArrivalWhileTheMenusScreenIsOpenRefillsItAndOpensNoSecond)
{
    login("APPR2", "3333");
    qvx::testing::RelayTestClient maker;
    ASSERT_TRUE(makerAtRelay(maker, "APPR2"));
    seed({.cfmid = QStringLiteral("APPR2"), .seqno = 91});
    onScreen<Tqv_acceptconfirm1_frm>([&, this](Tqv_acceptconfirm1_frm *s) {
        EXPECT_EQ(listed(s), 1);
        seed({.cfmid = QStringLiteral("APPR2"), .sendtime = QStringLiteral("111111"), .seqno = 92});
        maker.send(qvx::FrameReader::frame("FAPPR2"));
        EXPECT_TRUE(ClientFixture::waitFor([s] { return listed(s) == 2; }));
        EXPECT_TRUE(s->isActiveWindow());
    });
    EXPECT_EQ(client.prompt().texts().count(QStringLiteral("승인요청된 자료가 있습니다. 조회하시겠습니까?")), 0);
}

// The screen shows the rows its opener handed it, whatever the data module
// selected after them and before the screen came up.
TEST_F(ApprovalScreens, TheListShowsTheRowsItWasHandedNotTheLatestSelect)
{
    login("APPR1", "2222");
    seed({.userid = QStringLiteral("MAKER"), .seqno = 95, .price = 1200});
    const qvx::ResultSet batches = client.server().query(
        QStringLiteral("select userid, sum(price), sendtime, cfmid, senddate, min(seqno), max(seqno), gubun from giche "
                       "group by sendtime, userid, cfmid, senddate, gubun"));
    auto *s = qobject_cast<Tqv_acceptconfirm_frm *>(
        ScreenRegistry::instance().create(QStringLiteral("qv_acceptconfirm_frm"), main, client.context()));
    ASSERT_NE(s, nullptr);
    s->FillBatchList(batches);
    client.dm()->cms_select1(QStringLiteral("select userid from users order by userid"));
    s->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s));
    QCoreApplication::processEvents();
    EXPECT_EQ(listed(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER"));
    EXPECT_EQ(s->grd_ichelist->Cells(1, 1), QStringLiteral("1,200"));
    s->close();
}
