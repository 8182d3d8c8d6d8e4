// The main road with two clients against one server and its simulated bank:
// the maker (this process) submits a payment batch; the approvers' client
// (child processes of this test program, each with its own relay connection)
// gets the arrival question, the first approver forwards to the final
// approver, who sends; the bank answers and the reply code brings the results
// to the maker's result inquiry.
#include "ApprovalSteps.h"
#include "ClientFixture.h"
#include "ScreenInput.h"

#include "backend/RelayServer.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "transfers/screens/AcceptConfirm1Unit.h"
#include "transfers/screens/AcceptConfirmUnit.h"
#include "transfers/screens/TransferScreens.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

const char *const PeerServer = "QUVEX_PEER_SERVER";
const char *const PeerRelay = "QUVEX_PEER_RELAY";

// The approvers' side: a client of its own against the server of the parent test.
std::unique_ptr<ClientFixture> StartPeer(const QString &userId, const QString &password)
{
    ClientFixture::Options options;
    options.externalServer = qEnvironmentVariable(PeerServer);
    options.externalRelayPort = quint16(qEnvironmentVariableIntValue(PeerRelay));
    auto client = std::make_unique<ClientFixture>(options);
    registerTransferScreens();
    // The arrival question may come as soon as the relay has the login; the
    // test queues the answers of the approval screen's own questions.
    client->failUnexpectedQuestions();
    client->prompt().enqueueAnswer(true); // 승인요청된 자료가 있습니다. 조회하시겠습니까?
    if (!client->start(userId, password))
        return nullptr;
    ScreenInput::showMainWindow(client->mainWindow());
    return client;
}

QProcess *RunPeer(QObject *parent, const char *test, const QString &server, quint16 relay)
{
    auto *peer = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(PeerServer), server);
    env.insert(QString::fromLatin1(PeerRelay), QString::number(relay));
    peer->setProcessEnvironment(env);
    peer->setProcessChannelMode(QProcess::ForwardedChannels);
    peer->start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=TwoClientsPeer.") + QString::fromLatin1(test)});
    return peer;
}

} // namespace

// Run only as a child of the scenario below.
TEST(TwoClientsPeer, FirstApproverForwards)
{
    if (qEnvironmentVariableIsEmpty(PeerServer))
        GTEST_SKIP() << "runs as a child of TwoClients.MainRoad";
    auto client = StartPeer(QStringLiteral("APPR1"), QStringLiteral("2222"));
    ASSERT_TRUE(client);
    bool done = false;
    OnModal<Tqv_acceptconfirm_frm>([&done, &client](Tqv_acceptconfirm_frm *s) {
        EXPECT_EQ(s->grd_ichelist->Cells(0, 1), QStringLiteral("MAKER"));
        EXPECT_EQ(s->grd_ichelist->Cells(1, 1), QStringLiteral("47,600"));
        ClickGridCell(s->grd_ichelist, 0, 1);
        SavePicture(s, "two_clients_first_approver");
        client->prompt().enqueueAnswer(true); // 선택된 자료를 송신 요청하시겠습니까?
        client->prompt().enqueueAnswer(true); // 승인자 ID : APPR2 승인신청하시겠습니까?
        SignIn(QStringLiteral("2222"));
        ChooseApprover(QStringLiteral("APPR2"));
        ClickControl(s->btn_send1);
        EXPECT_TRUE(s->ListEmpty());
        ClickControl(s->btn_close);
        done = true;
    });
    ASSERT_TRUE(ClientFixture::waitFor([&done] { return done; }, 60000));
    EXPECT_TRUE(client->prompt().contains(QStringLiteral("승인요청된 자료가 있습니다. 조회하시겠습니까?")));
    EXPECT_TRUE(client->prompt().contains(QStringLiteral("선택된 자료를 송신 요청하시겠습니까?")));
    EXPECT_TRUE(client->prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
}

TEST(TwoClientsPeer, FinalApproverSends)
{
    if (qEnvironmentVariableIsEmpty(PeerServer))
        GTEST_SKIP() << "runs as a child of TwoClients.MainRoad";
    auto client = StartPeer(QStringLiteral("APPR2"), QStringLiteral("3333"));
    ASSERT_TRUE(client);
    bool done = false;
    OnModal<Tqv_acceptconfirm1_frm>([&done, &client](Tqv_acceptconfirm1_frm *s) {
        EXPECT_EQ(s->grd_ichelist->Cells(4, 1), QStringLiteral("APPR2"));
        ClickGridCell(s->grd_ichelist, 0, 1);
        SavePicture(s, "two_clients_final_approver");
        client->prompt().enqueueAnswer(true); // 선택된 자료를 이체 송신하시겠습니까?
        SignIn(QStringLiteral("3333"));
        ClickControl(s->DDButton1);
        ClickControl(s->btn_close);
        done = true;
    });
    ASSERT_TRUE(ClientFixture::waitFor([&done] { return done; }, 60000));
    EXPECT_TRUE(client->prompt().contains(QStringLiteral("선택된 자료를 이체 송신하시겠습니까?")));
    EXPECT_TRUE(client->prompt().contains(QStringLiteral("정상적으로 처리되었습니다.")));
    EXPECT_EQ(client->session().LastIcheGubun, QStringLiteral("30"));
    EXPECT_GT(client->session().SeqNoLast, client->session().SeqNoBase);
}

TEST(TwoClients, MainRoad)
{
    ClientFixture::Options options;
    options.server.bank = true;
    options.server.adjust = [](qvx::ServerOptions &o) { o.bankDelayMs = 200; };
    ClientFixture maker(options);
    maker.failUnexpectedQuestions(); // the test queues the answers it expects
    registerTransferScreens();
    registerInquiryScreens();
    ASSERT_TRUE(maker.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
    Tqv_frm *main = maker.mainWindow();
    ScreenInput::showMainWindow(main);

    QObject peers;
    QProcess *first = RunPeer(&peers, "FirstApproverForwards", maker.serverAddress(), maker.server().relayPort());
    QProcess *final = RunPeer(&peers, "FinalApproverSends", maker.serverAddress(), maker.server().relayPort());
    ASSERT_TRUE(ClientFixture::waitFor(
        [&] {
            const QStringList users = maker.server().relay()->connectedUsers();
            return users.contains(QStringLiteral("APPR1")) && users.contains(QStringLiteral("APPR2"))
                   && users.contains(QStringLiteral("MAKER"));
        },
        60000));

    // The maker keeps the result inquiry open while making the batch.
    TriggerMenuItem(main, QStringLiteral("qv_d1"));
    auto *inquiry = qobject_cast<Tqv_ichesearch_frm *>(FindScreen(main, QStringLiteral("qv_ichesearch_frm")));
    ASSERT_NE(inquiry, nullptr);

    // The maker's payment batch: one row to a closed account.
    TriggerMenuItem(main, QStringLiteral("qv_b2"));
    auto *entry = qobject_cast<Tqv_IcheMake_frm *>(FindScreen(main, QStringLiteral("qv_IcheMake_frm")));
    ASSERT_NE(entry, nullptr);
    EnterRow(entry, "20", "20", QStringLiteral("1002345678901"), QStringLiteral("우리거래처"), QStringLiteral("12000"));
    EnterRow(entry, "20", "20", QStringLiteral("9990001112223"), QStringLiteral("폐업상사"), QStringLiteral("30000"));
    EnterRow(entry, "03", "88", QStringLiteral("110987654321"), QStringLiteral("신한거래처"), QStringLiteral("5600"));
    maker.prompt().enqueueAnswer(true); // 승인자 ID : APPR1 승인신청하시겠습니까?
    ChooseApprover(QStringLiteral("APPR1"));
    ClickControl(entry->btn_accept);
    ASSERT_TRUE(ClientFixture::waitFor(
        [&maker] { return maker.prompt().contains(QStringLiteral("승인자에게 전송되었습니다.")); }));
    entry->close();

    // The bank's answer reaches the maker's open inquiry, which lists the batch.
    ASSERT_TRUE(ClientFixture::waitFor(
        [inquiry] {
            return inquiry->grd_ichelist->RowCount() == 4
                   && inquiry->grd_ichelist->Cells(10, 1) == QStringLiteral("수신")
                   && inquiry->grd_ichelist->Cells(10, 3) == QStringLiteral("수신");
        },
        90000))
        << qPrintable(maker.prompt().texts().join(u'|'));
    ASSERT_TRUE(ClientFixture::waitFor(
        [&] { return first->state() == QProcess::NotRunning && final->state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_EQ(final->exitCode(), 0);

    TListGrid *grid = inquiry->grd_ichelist;
    EXPECT_TRUE(Checked(inquiry->chk_jigub));
    EXPECT_EQ(grid->Cells(9, 1), QStringLiteral("우리거래처"));
    EXPECT_EQ(grid->Cells(11, 1), QStringLiteral("정상처리"));
    EXPECT_EQ(grid->Cells(9, 2), QStringLiteral("폐업상사"));
    EXPECT_EQ(grid->Cells(26, 2), QStringLiteral("0012"));
    EXPECT_EQ(grid->Cells(11, 2), QStringLiteral("해지된 계좌"));
    EXPECT_EQ(grid->Cells(6, 3), QStringLiteral("5,600"));
    EXPECT_EQ(grid->Cells(14, 3), QStringLiteral("500"));
    // Totals: all three payments, two normal, one failed.
    TListGrid *totals = inquiry->grd_test;
    EXPECT_EQ(totals->Cells(3, 2), QStringLiteral("3"));
    EXPECT_EQ(totals->Cells(3, 3), QStringLiteral("47,600"));
    EXPECT_EQ(totals->Cells(2, 3), QStringLiteral("47,600"));
    EXPECT_EQ(totals->Cells(6, 2), QStringLiteral("2"));
    EXPECT_EQ(totals->Cells(6, 3), QStringLiteral("17,600"));
    EXPECT_EQ(totals->Cells(9, 2), QStringLiteral("1"));
    EXPECT_EQ(totals->Cells(9, 3), QStringLiteral("30,000"));
    SavePicture(main, "two_clients_maker_result");
}
