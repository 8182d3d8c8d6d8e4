#pragma once
// The data module: the client's one application-server connection, the relay
// socket, the two timers and the latest query results. Created before the
// main window and alive for the whole run. Screens are given it with the
// session (ScreenContext); services are given the link they use.

#include "platform/AppServer.h"
#include "platform/FrameReader.h"
#include "platform/ResultSet.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QTcpSocket;
class Session;
class QTimer;

class Tdm : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 DefaultAppServerPort = 211;
    static constexpr quint16 DefaultRelayPort = 20001;
    static constexpr int KeepAliveMs = 180000; // Timer1
    static constexpr int AutoSendMs = 5000;    // Timer2

    explicit Tdm(Session &session, QObject *parent = nullptr);
    ~Tdm() override;

    // The run's login state and hand-over values.
    Session &session;

    // --- application server ------------------------------------------------
    // The TCP link itself; scktconnect is what every call goes through (the
    // link by default, a substitute when a test installs one).
    qvx::TcpAppServer tcpLink;
    qvx::AppServer *scktconnect = &tcpLink;
    void setAppServer(qvx::AppServer *server); // nullptr: back to tcpLink

    // Latest results, for code that reads a result after the query.
    qvx::ResultSet cdsselect1;
    qvx::ResultSet cdsselect2;

    // cdsselect1 := cms_select1(sql), and the caller's own copy of it: the
    // next query replaces cdsselect1 (also one a relay frame runs while a
    // handler waits), never the copy. A copy shares the rows' storage.
    qvx::ResultSet cms_select1(const QString &sql);
    // cdsselect2 := cms_select2(sql), the same way.
    qvx::ResultSet cms_select2(const QString &sql);
    // cms_insert1: one statement, or "commit" / "rollback".
    void cms_insert1(const QString &sql);

    // Address of the application server: "host" or "host:port" (port 211
    // when none is given). The server object's name defaults to the client's.
    void setServerAddress(const QString &address);
    void setServerName(const QString &name);
    quint16 serverPort() const { return m_port; }
    QString serverName() const { return m_serverName; }
    // Opens the link when it is not open. False when opening failed.
    bool OpenServerLink();
    bool ServerLinkOpen() const;
    void CloseServerLink();

    // --- relay ---------------------------------------------------------------
    QTcpSocket *Csckt = nullptr;
    // Starts connecting; the login frame goes out once connected.
    void ActivateRelay(const QString &host, quint16 port);
    bool RelayActive() const;      // connected
    // The relay could not be reached at start-up (bad port, refused, no such
    // host): logged, then handled as a lost connection.
    void RelayStartFailed();
    void DeactivateRelay();        // closes the socket (the disconnect handling runs)
    // Sends bytes as they stand; false when the socket is not connected.
    bool SendRelay(const QByteArray &bytes);
    // STX "F" approver ETX.
    bool SendApprovalNotice(const QString &approverId);

    // --- timers ----------------------------------------------------------------
    QTimer *Timer1 = nullptr; // keep-alive, 180000 ms
    QTimer *Timer2 = nullptr; // automatic send/receive module, 5000 ms

    // Event handlers (public so tests can drive them).
    void CscktConnect();
    void CscktRead();
    void CscktDisconnect();
    void Timer1Timer();
    void Timer2Timer();

    // The bytes of one socket read: every complete frame they finish is
    // handled in order; bytes outside a frame give one "error packet".
    void HandleRelayData(const QByteArray &bytes);
    // One STX..ETX frame.
    void HandleRelayFrame(const QByteArray &frame);

    // A ServiceFrame's code (0 when positions 3..9 are no number).
    void DispatchService(int code, const QByteArray &codeText);
    // STX "F" ETX: a batch waits for this user's approval.
    void ApprovalArrived();

    // Hooks filled by the modules that handle them; until one is set the
    // event is only logged.
    using ServiceHandler = std::function<void(int code, const QByteArray &codeText)>;
    using ApprovalHandler = std::function<void()>;
    using AutoSendRoutine = std::function<void()>;
    void setServiceHandler(ServiceHandler handler) { m_serviceHandler = std::move(handler); }
    void setApprovalHandler(ApprovalHandler handler) { m_approvalHandler = std::move(handler); }
    void setAutoSendRoutine(AutoSendRoutine routine) { m_autoSend = std::move(routine); }

    // Waits of the disconnect handling (1000 ms); tests shorten it.
    void setDisconnectWaitMs(int ms) { m_disconnectWaitMs = ms; }

signals:
    // "SR1" acknowledged: the main window marks its caption.
    void moduleAccepted();
    // The user chose to stay offline after the relay was lost.
    void wentOffline();

private:
    qvx::FrameReader m_reader;
    QString m_host = QStringLiteral("127.0.0.1");
    quint16 m_port = DefaultAppServerPort;
    QString m_serverName = QString::fromLatin1(qvx::TcpAppServer::ClientServerName);
    ServiceHandler m_serviceHandler;
    ApprovalHandler m_approvalHandler;
    AutoSendRoutine m_autoSend;
    int m_disconnectWaitMs = 1000;
    bool m_disconnectHandled = false;
    bool m_relayConnected = false;
};
