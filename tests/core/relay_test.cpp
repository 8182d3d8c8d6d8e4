#include "core/AppControl.h"
#include "core/DayLog.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/RelayFrames.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "support/TestServer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QByteArray STX("\x02");
const QByteArray ETX("\x03");

bool waitUntil(const std::function<bool()> &condition, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

class RelayTest : public ::testing::Test
{
protected:
    Session session;
    void SetUp() override
    {
        ResetTerminateRequests();
        SetTerminateHandler([] {});
        qvx::ProgramDir::setOverride(home.path());
        data = std::make_unique<Tdm>(session);
        data->setDisconnectWaitMs(0);
        data->setServiceHandler([this](int code, const QByteArray &) { codes.push_back(code); });
        data->setApprovalHandler([this] { ++approvals; });
    }
    void TearDown() override
    {
        data.reset();
        SetTerminateHandler({});
        qvx::ProgramDir::setOverride(QString());
    }

    QTemporaryDir home;
    qvx::ScriptedPrompt prompt;
    std::unique_ptr<Tdm> data;
    std::vector<int> codes;
    int approvals = 0;
};

TEST(RelayFrames, LoginFrameCutsTheIdToTenBytesAndPingCarriesItWhole)
{
    const QByteArray frame = MakeLoginFrame(QStringLiteral("ABCDEFGHIJKL"), 2);
    EXPECT_EQ(frame, STX + "CABCDEFGHIJSR1" + ETX);
    EXPECT_EQ(frame.size(), 16);
    EXPECT_EQ(MakeLoginFrame(QStringLiteral("MAKER"), 1), STX + "CMAKER     SR0" + ETX);
    EXPECT_EQ(MakePingText(QStringLiteral("ABCDEFGHIJKL")), QByteArray("PINGABCDEFGHIJKL"));
    // A double-byte character that would straddle the tenth byte is left out
    // and the field padded: the frame keeps its 16 bytes.
    const QByteArray korean = MakeLoginFrame(QStringLiteral("ABCDEFGHI가"), 1);
    EXPECT_EQ(korean, STX + "CABCDEFGHI SR0" + ETX);
    EXPECT_EQ(MakeApprovalNoticeFrame(QStringLiteral("APPR1")), STX + "FAPPR1" + ETX);
}

TEST_F(RelayTest, JoinedFramesAreEachDispatched)
{
    data->HandleRelayData(STX + "Q0610300" + ETX + STX + "Q0710100" + ETX);
    EXPECT_EQ(codes, (std::vector<int>{610300, 710100}));
    EXPECT_EQ(prompt.count(), 0);
}

// A handler keeps the rows of its own query while a relay frame handled in
// the meantime queries again; the data module's result is the latest one.
TEST_F(RelayTest, AKeptResultOutlivesTheQueryOfAFrame)
{
    qvx::test::TestServer server;
    data->setAppServer(&server.client());
    data->setServiceHandler([this](int, const QByteArray &) {
        data->cms_select1(QStringLiteral("select 'frame' as who, 2 as n union all select 'frame', 3"));
    });
    const qvx::ResultSet &kept = data->cms_select1(QStringLiteral("select 'handler' as who"));
    data->HandleRelayData(STX + "Q0610300" + ETX);
    ASSERT_EQ(kept.recordCount(), 1);
    EXPECT_EQ(kept.value(0, QStringLiteral("who")), QStringLiteral("handler"));
    EXPECT_FALSE(kept.hasColumn(QStringLiteral("n")));
    ASSERT_EQ(data->cdsselect1.recordCount(), 2);
    EXPECT_EQ(data->cdsselect1.value(1, QStringLiteral("n")), QStringLiteral("3"));
    data->setAppServer(nullptr);
}

TEST_F(RelayTest, SplitFrameIsJoinedAcrossReads)
{
    data->HandleRelayData(STX + "Q061");
    EXPECT_TRUE(codes.empty());
    data->HandleRelayData("0300" + ETX + STX);
    EXPECT_EQ(codes, (std::vector<int>{610300}));
    data->HandleRelayData("F" + ETX);
    EXPECT_EQ(approvals, 1);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(RelayTest, BytesOutsideAFrameGiveOneErrorPacket)
{
    data->HandleRelayData("junk" + STX + "Q0200300" + ETX);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("error packet")});
    EXPECT_EQ(codes, (std::vector<int>{200300}));
    // Stray bytes between and after the frames of one read: still one report.
    prompt.clear();
    data->HandleRelayData("x" + STX + "Q0610300" + ETX + "yy" + STX + "Q0710100" + ETX + "z");
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("error packet")});
    EXPECT_EQ(codes, (std::vector<int>{200300, 610300, 710100}));
}

TEST_F(RelayTest, TheDayLogShowsRelayBytesAsReadableText)
{
    data->HandleRelayData(STX + "CY" + ETX + STX + "Q0610300" + ETX + "\r\n\x7f");
    QFile log(DayLogFileName());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_TRUE(text.contains("<STX>CY<ETX><STX>Q0610300<ETX><0x0D><0x0A><0x7F>\r\n")) << text.constData();
    for (char c : text)
        EXPECT_FALSE(uchar(c) < 0x20 && c != '\r' && c != '\n') << int(c);
    EXPECT_EQ(RelayLogText(qvx::Cp949::encode(QStringLiteral("Q가나")) + '\x1b'), QStringLiteral("Q가나<0x1B>"));
}

TEST_F(RelayTest, ServiceCodeThatIsNoNumberDispatchesZero)
{
    data->HandleRelayData(STX + "Q06X0300" + ETX + STX + "Q12" + ETX);
    EXPECT_EQ(codes, (std::vector<int>{0, 0}));
}

TEST_F(RelayTest, ApprovalAndModuleFrames)
{
    QSignalSpy module(data.get(), &Tdm::moduleAccepted);
    data->HandleRelayData(STX + "SR0" + ETX);
    EXPECT_EQ(module.count(), 0);
    data->HandleRelayData(STX + "SR1" + ETX);
    EXPECT_EQ(module.count(), 1);

    data->HandleRelayData(STX + "FY" + ETX);
    data->HandleRelayData(STX + "FN" + ETX);
    data->HandleRelayData(STX + "FYX" + ETX);
    EXPECT_EQ(prompt.texts(), (QStringList{QStringLiteral("승인자에게 전송되었습니다."),
                                           QStringLiteral("현재 승인자가 접속중이 아닙니다."),
                                           QStringLiteral("데이터 오류입니다.")}));
    data->HandleRelayData(STX + "CY" + ETX);
    EXPECT_EQ(session.DupLoginFlag, 0);
}

// A relay on loopback that the test drives.
class FakeRelay
{
public:
    FakeRelay() { server.listen(QHostAddress::LocalHost); }
    quint16 port() const { return server.serverPort(); }
    bool accept()
    {
        if (!waitUntil([this] { return server.hasPendingConnections(); }))
            return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }
    QByteArray readAtLeast(int n)
    {
        waitUntil([this, n] { return received.append(peer->readAll()).size() >= n; });
        return received;
    }
    QTcpServer server;
    QTcpSocket *peer = nullptr;
    QByteArray received;
};

TEST_F(RelayTest, ConnectSendsTheLoginFrameAndTheTimerPings)
{
    session.LoginUserId = QStringLiteral("ABCDEFGHIJKL");
    session.SendModuleMode = 2;
    FakeRelay relay;
    data->ActivateRelay(QStringLiteral("127.0.0.1"), relay.port());
    ASSERT_TRUE(relay.accept());
    EXPECT_EQ(relay.readAtLeast(16), STX + "CABCDEFGHIJSR1" + ETX);
    relay.received.clear();
    data->Timer1Timer();
    EXPECT_EQ(relay.readAtLeast(16), QByteArray("PINGABCDEFGHIJKL"));

    // Frames the relay sends arrive through the socket's reads, a frame's
    // first half kept until the rest comes in a later read.
    QSignalSpy reads(data->Csckt, &QIODevice::readyRead);
    relay.peer->write(STX + "Q0610" );
    relay.peer->flush();
    ASSERT_TRUE(waitUntil([&] { return reads.count() > 0; }));
    EXPECT_TRUE(codes.empty());
    relay.peer->write("300" + ETX);
    relay.peer->flush();
    ASSERT_TRUE(waitUntil([this] { return !codes.empty(); }));
    EXPECT_EQ(codes, (std::vector<int>{610300}));
    EXPECT_EQ(data->Timer1->interval(), 180000);
    EXPECT_EQ(data->Timer2->interval(), 5000);
}

TEST_F(RelayTest, DuplicateLoginEndsTheProgramWhenTheRelayCloses)
{
    session.LoginUserId = QStringLiteral("MAKER");
    FakeRelay relay;
    data->ActivateRelay(QStringLiteral("127.0.0.1"), relay.port());
    ASSERT_TRUE(relay.accept());
    relay.readAtLeast(16);
    relay.peer->write(STX + "CN" + ETX);
    relay.peer->flush();
    ASSERT_TRUE(waitUntil([this] { return session.DupLoginFlag == 1; }));
    relay.peer->close();
    ASSERT_TRUE(waitUntil([] { return TerminateRequests() == 1; }));
    EXPECT_EQ(prompt.texts(),
              QStringList{QStringLiteral("MAKER ID는 이미 사용중이므로 로그인 할 수 없습니다.관리자에게 문의하시기 바랍니다.")});
    EXPECT_EQ(session.ServerState, 0);
}

TEST_F(RelayTest, DisconnectQuestionOkEndsTheProgram)
{
    prompt.enqueueAnswer(true);
    data->CscktDisconnect();
    ASSERT_EQ(prompt.count(), 2);
    EXPECT_EQ(prompt.entries()[0].kind, qvx::ScriptedPrompt::Confirm);
    EXPECT_EQ(prompt.entries()[0].caption, QStringLiteral("확인"));
    EXPECT_EQ(prompt.entries()[0].text,
              QStringLiteral("서버에서 강제 종료를 하여 이체 및 기타 은행과의 전문 전송이 불가능합니다. 바로 프로그램을 종료하시겠습니까?"));
    EXPECT_EQ(prompt.entries()[1].text, QStringLiteral("프로그램을 종료하겠습니다. 저장되지 않은 정보는 모두 유실됩니다."));
    EXPECT_EQ(TerminateRequests(), 1);
    EXPECT_EQ(session.ServerState, 0);
}

TEST_F(RelayTest, DisconnectQuestionCancelGoesOfflineAndRefusesLaterActions)
{
    QSignalSpy offline(data.get(), &Tdm::wentOffline);
    prompt.enqueueAnswer(false);
    data->CscktDisconnect();
    EXPECT_EQ(TerminateRequests(), 0);
    EXPECT_EQ(session.ServerState, 1);
    EXPECT_EQ(offline.count(), 1);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("서버와의 작업은 불가능하며, 현재 화면에서의 작업만 가능합니다."));
    prompt.clear();
    EXPECT_TRUE(RefuseWhenOffline(session));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다."));
}

TEST_F(RelayTest, ClosingOnExitAsksNothing)
{
    session.ServerState = -1;
    data->CscktDisconnect();
    EXPECT_EQ(prompt.count(), 0);
    EXPECT_EQ(TerminateRequests(), 0);
}

} // namespace
