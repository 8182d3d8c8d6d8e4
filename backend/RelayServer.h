#pragma once

#include <QHostAddress>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <memory>

namespace qvx {

class RelayWorker;

// The relay: a TCP server (port 20001 by default) on a thread of its own. It
// logs clients in by user id, answers their keep-alives, passes approval
// notices from one user to another and announces answers ("Q" + service code)
// to the user they belong to. Frames are read with FrameReader, so a frame may
// come in pieces or several in one read; garbage from one client is logged and
// dropped without disturbing anyone else.
//
// Every public function may be called from any thread.
class RelayServer
{
public:
    static constexpr quint16 kDefaultPort = 20001;
    static constexpr int kDefaultIdleTimeoutMs = 600000; // clients ping every 180 s
    static constexpr int kDefaultLoginTimeoutMs = 10000;
    static constexpr int kDefaultMaxConnections = 1000;
    // Logins from one address at once: one peer cannot take every place
    // with invented ids, and an office behind one address still gets in.
    static constexpr int kDefaultMaxLoginsPerAddress = 200;
    // Bad packets of one connection are logged once and then summed up at
    // most once in this interval; a connection that sends this many bytes
    // without a good frame or keep-alive between them is closed.
    static constexpr int kGarbageReportIntervalMs = 10000;
    static constexpr qint64 kMaxGarbageBytes = 64 * 1024;

    RelayServer();
    ~RelayServer();
    RelayServer(const RelayServer &) = delete;
    RelayServer &operator=(const RelayServer &) = delete;

    // Starts listening (port 0: any free port). False with errorString() set
    // when the address or port cannot be taken.
    bool listen(const QHostAddress &address = QHostAddress::LocalHost, quint16 port = kDefaultPort);
    bool isListening() const { return listenState().listening; }
    quint16 port() const { return listenState().port; }
    QHostAddress address() const { return listenState().address; }
    QString errorString() const { return listenState().error; }
    // Stops listening and drops every client.
    void close();

    // Sends STX "Q" + code + ETX to the user's connection. Returns true when
    // the user is logged in to the relay and the code is seven digits (the
    // frame is then on its way); false otherwise (nothing is sent).
    bool announce(const QString &userId, const QString &serviceCode7);

    bool isConnected(const QString &userId) const;
    QStringList connectedUsers() const; // user ids as they logged in
    int clientCount() const;            // open connections, logged in or not

    // A connection that sends nothing for this long is closed (0: never).
    void setIdleTimeoutMs(int ms);
    // A connection that has not logged in within loginTimeoutMs is closed;
    // beyond maxConnections the oldest connection not logged in is closed to
    // make room, or the new one refused when every one is logged in. Takes
    // effect for connections made afterwards.
    void setLimits(int loginTimeoutMs, int maxConnections);
    // At most this many connections from one peer address are logged in at
    // once; a further login from it is refused ("CN") and closed.
    void setMaxLoginsPerAddress(int logins);

    struct Stats
    {
        quint64 frames = 0;        // frames read from clients
        quint64 badPackets = 0;    // runs of bytes outside a frame, bad frames
        quint64 pings = 0;
        quint64 logins = 0;
        quint64 refusedLogins = 0;
        quint64 approvals = 0;     // approval notices delivered
        quint64 announcements = 0; // service frames sent
        quint64 garbageClosed = 0; // connections closed for sending only bad packets
        quint64 loginsClosedForRoom = 0; // logins closed to let another address in
    };
    Stats stats() const;

private:
    friend class RelayWorker;

    // Shared with the worker thread.
    struct Shared
    {
        mutable QMutex mutex;
        QHash<QString, QString> users; // key -> user id as logged in
        int clients = 0;
        std::atomic<quint64> frames{0}, badPackets{0}, pings{0}, logins{0}, refusedLogins{0}, approvals{0},
            announcements{0}, garbageClosed{0}, loginsClosedForRoom{0};
    };

    void stopThread();

    std::shared_ptr<Shared> m_shared;
    QThread m_thread;
    RelayWorker *m_worker = nullptr;
    // What listen() and close() left.
    struct ListenState
    {
        bool listening = false;
        quint16 port = 0;
        QHostAddress address;
        QString error;
    };
    ListenState listenState() const;

    mutable QMutex m_stateMutex; // guards m_listen and m_idleTimeoutMs
    ListenState m_listen;
    int m_idleTimeoutMs = kDefaultIdleTimeoutMs;
};

} // namespace qvx
