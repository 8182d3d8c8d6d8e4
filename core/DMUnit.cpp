#include "core/DMUnit.h"

#include "core/AppControl.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/Session.h"
#include "core/RelayFrames.h"
#include "platform/Cp949.h"
#include "platform/Prompt.h"

#include <QTcpSocket>
#include <QTimer>

namespace {
const QString DupLoginText = QStringLiteral(" ID는 이미 사용중이므로 로그인 할 수 없습니다.관리자에게 문의하시기 바랍니다.");
const QString DisconnectQuestion = QStringLiteral(
    "서버에서 강제 종료를 하여 이체 및 기타 은행과의 전문 전송이 불가능합니다. 바로 프로그램을 종료하시겠습니까?");
const QString EndingText = QStringLiteral("프로그램을 종료하겠습니다. 저장되지 않은 정보는 모두 유실됩니다.");
const QString OfflineChosenText = QStringLiteral("서버와의 작업은 불가능하며, 현재 화면에서의 작업만 가능합니다.");
} // namespace

Tdm::Tdm(Session &session, QObject *parent)
    : QObject(parent), session(session)
{
    setObjectName(QStringLiteral("dm"));
    // DataModuleCreate
    session.DupLoginFlag = 0;

    Csckt = new QTcpSocket(this);
    Csckt->setObjectName(QStringLiteral("Csckt"));
    connect(Csckt, &QTcpSocket::connected, this, [this] {
        m_relayConnected = true;
        RunGuarded(this->session, QStringLiteral("CscktConnect"), [this] { CscktConnect(); });
    });
    // Queued: a frame handler that opens a modal screen or a message box
    // runs its own event loop, and the socket announces further frames only
    // once the handler of the previous announcement has returned.
    connect(
        Csckt, &QTcpSocket::readyRead, this,
        [this] { RunGuarded(this->session, QStringLiteral("CscktRead"), [this] { CscktRead(); }); },
        Qt::QueuedConnection);
    connect(Csckt, &QTcpSocket::disconnected, this,
            [this] { RunGuarded(this->session, QStringLiteral("CscktDisconnect"), [this] { CscktDisconnect(); }); });
    connect(Csckt, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        // The peer closing the line is handled by the disconnect handler;
        // a line that never came up (refused, no such host) is lost as well.
        if (!m_relayConnected)
            RelayStartFailed();
        else if (error != QAbstractSocket::RemoteHostClosedError)
            WriteLog(this->session, QStringLiteral("CSCKT socket error occured"));
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(KeepAliveMs);
    connect(Timer1, &QTimer::timeout, this, [this] { RunGuarded(this->session, QStringLiteral("Timer1Timer"), [this] { Timer1Timer(); }); });

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(AutoSendMs);
    connect(Timer2, &QTimer::timeout, this, [this] { RunGuarded(this->session, QStringLiteral("Timer2Timer"), [this] { Timer2Timer(); }); });

}

Tdm::~Tdm()
{
    Timer1->stop();
    Timer2->stop();
    Csckt->disconnect(this);
    Csckt->abort();
}

void Tdm::setAppServer(qvx::AppServer *server)
{
    scktconnect = server ? server : &tcpLink;
}

qvx::ResultSet Tdm::cms_select1(const QString &sql)
{
    cdsselect1 = scktconnect->select(sql);
    return cdsselect1;
}

qvx::ResultSet Tdm::cms_select2(const QString &sql)
{
    cdsselect2 = scktconnect->select2(sql);
    return cdsselect2;
}

void Tdm::cms_insert1(const QString &sql)
{
    scktconnect->execute(sql);
}

void Tdm::setServerAddress(const QString &address)
{
    QString host = address.trimmed();
    quint16 port = DefaultAppServerPort;
    // "host:port" (one colon only, so an IPv6 address stays whole).
    if (host.count(QLatin1Char(':')) == 1) {
        bool ok = false;
        const int p = host.section(QLatin1Char(':'), 1).toInt(&ok);
        if (ok && p > 0 && p < 65536) {
            port = quint16(p);
            host = host.section(QLatin1Char(':'), 0, 0);
        }
    }
    m_host = host;
    m_port = port;
}

void Tdm::setServerName(const QString &name)
{
    m_serverName = name.trimmed().isEmpty() ? QString::fromLatin1(qvx::TcpAppServer::ClientServerName)
                                            : name.trimmed();
}

bool Tdm::OpenServerLink()
{
    if (scktconnect != &tcpLink)
        return scktconnect->isOpen();
    if (tcpLink.isOpen())
        return true;
    try {
        tcpLink.open(m_host, m_port, m_serverName);
    } catch (const qvx::AppServerError &) {
        return false;
    }
    return tcpLink.isOpen();
}

bool Tdm::ServerLinkOpen() const
{
    return scktconnect->isOpen();
}

void Tdm::CloseServerLink()
{
    if (tcpLink.isOpen())
        tcpLink.close();
}

void Tdm::ActivateRelay(const QString &host, quint16 port)
{
    m_reader.clear();
    m_disconnectHandled = false;
    m_relayConnected = false;
    Csckt->connectToHost(host, port);
}

void Tdm::RelayStartFailed()
{
    WriteLog(session, QStringLiteral("CSCKT socket error occured"));
    // Without the relay no answer or approval notice can arrive: the user is
    // asked as for a lost line, once the current event has finished.
    QTimer::singleShot(0, this, [this] { RunGuarded(session, QStringLiteral("CscktDisconnect"), [this] { CscktDisconnect(); }); });
}

bool Tdm::RelayActive() const
{
    return Csckt->state() == QAbstractSocket::ConnectedState;
}

void Tdm::DeactivateRelay()
{
    if (Csckt->state() != QAbstractSocket::UnconnectedState)
        Csckt->disconnectFromHost();
}

bool Tdm::SendRelay(const QByteArray &bytes)
{
    if (!RelayActive())
        return false;
    const bool ok = Csckt->write(bytes) == bytes.size();
    Csckt->flush();
    return ok;
}

bool Tdm::SendApprovalNotice(const QString &approverId)
{
    return SendRelay(MakeApprovalNoticeFrame(approverId));
}

void Tdm::CscktConnect()
{
    SendRelay(MakeLoginFrame(session.LoginUserId, session.SendModuleMode));
}

void Tdm::Timer1Timer()
{
    if (RelayActive())
        SendRelay(MakePingText(session.LoginUserId));
}

void Tdm::Timer2Timer()
{
    Timer2->stop();
    // The timer runs again also when a pass failed.
    struct Restart {
        QTimer *timer;
        ~Restart() { timer->start(); }
    } restart{Timer2};
    if (m_autoSend)
        m_autoSend();
}

void Tdm::CscktRead()
{
    const QByteArray bytes = Csckt->readAll();
    if (!bytes.isEmpty())
        HandleRelayData(bytes);
}

void Tdm::HandleRelayData(const QByteArray &bytes)
{
    WriteLog(session, RelayLogText(bytes));
    const auto events = m_reader.feed(bytes);
    bool reported = false; // one read with stray bytes is one bad packet
    for (const auto &event : events) {
        if (event.kind == qvx::FrameReader::Event::Frame)
            HandleRelayFrame(event.bytes);
        else if (!reported) {
            reported = true;
            qvx::Prompt::instance().message(QStringLiteral("error packet"));
        }
    }
}

void Tdm::HandleRelayFrame(const QByteArray &frame)
{
    // Positions below count from 1 as on the line: 1 is STX.
    if (frame.size() < 2 || frame.front() != qvx::FrameReader::STX || frame.back() != qvx::FrameReader::ETX) {
        qvx::Prompt::instance().message(QStringLiteral("error packet"));
        return;
    }
    auto at = [&frame](int pos) -> char { return pos <= frame.size() ? frame[pos - 1] : '\0'; };

    if (at(2) == 'S' && at(3) == 'R') {
        if (at(4) == '1')
            emit moduleAccepted();
        return;
    }
    switch (at(2)) {
    case 'C':
        if (at(3) != 'Y') {
            session.DupLoginFlag = 1;
            CloseServerLink();
            WaitMs(10);
        }
        return;
    case 'Q': {
        const QByteArray codeText = frame.mid(2, 7);
        bool ok = false;
        int code = codeText.toInt(&ok);
        // Every one of the seven bytes must be a digit.
        for (char c : codeText)
            if (c < '0' || c > '9')
                ok = false;
        if (!ok || codeText.size() != 7)
            code = 0;
        DispatchService(code, codeText);
        return;
    }
    case 'F':
        if (frame.size() == 4 && at(3) == 'Y')
            qvx::Prompt::instance().message(QStringLiteral("승인자에게 전송되었습니다."));
        else if (frame.size() == 4 && at(3) == 'N')
            qvx::Prompt::instance().message(QStringLiteral("현재 승인자가 접속중이 아닙니다."));
        else if (frame.size() == 3)
            ApprovalArrived();
        else
            qvx::Prompt::instance().message(QStringLiteral("데이터 오류입니다."));
        return;
    default:
        return;
    }
}

void Tdm::DispatchService(int code, const QByteArray &codeText)
{
    if (m_serviceHandler) {
        m_serviceHandler(code, codeText);
        return;
    }
    WriteLog(session, QStringLiteral("relay service code ") + QString::number(code));
}

void Tdm::ApprovalArrived()
{
    if (m_approvalHandler) {
        m_approvalHandler();
        return;
    }
    WriteLog(session, QStringLiteral("relay approval arrived"));
}

void Tdm::CscktDisconnect()
{
    if (m_disconnectHandled)
        return;
    m_disconnectHandled = true;
    m_relayConnected = false;
    m_reader.clear();

    if (ServerLinkOpen())
        CloseServerLink();
    WaitMs(m_disconnectWaitMs);

    if (session.ServerState == -1)
        return;
    auto &prompt = qvx::Prompt::instance();
    if (session.DupLoginFlag == 1) {
        prompt.message(session.LoginUserId + DupLoginText);
        TerminateProgram();
        return;
    }
    if (prompt.confirm(DisconnectQuestion, QStringLiteral("확인"))) {
        prompt.message(EndingText);
        TerminateProgram();
        return;
    }
    session.ServerState = 1;
    prompt.message(OfflineChosenText);
    emit wentOffline();
}
