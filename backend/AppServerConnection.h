#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>


namespace qvx {

class ClientSocket;
class ServerContext;
class ServerSession;

// One client connection of the application server: reads length-prefixed
// JSON requests from its socket, runs them through its own ServerSession and
// writes the answers. Lives on a thread of its own (see AppServerHost).
class AppServerConnection : public QObject
{
    Q_OBJECT
public:
    // `id`: the connection's number at its host; `opened` is set once the
    // client has opened a server object (the host reads it from its thread).
    AppServerConnection(std::shared_ptr<ServerContext> context, qintptr socketDescriptor, quint64 id = 0,
                        std::shared_ptr<std::atomic<bool>> opened = nullptr);
    ~AppServerConnection() override;

    // Frames an answer: 4-byte big-endian length + compact UTF-8 JSON.
    static QByteArray frame(const QJsonObject &answer);

public slots:
    void start(); // on the connection's thread
    void stop();  // closes the connection (rolls back what was not committed)
    // The server stops: every request already received is answered (refused,
    // as the context is stopping), the answers are sent, the transaction is
    // rolled back and the connection closed.
    void shutdown();
    // Room is needed for a new connection: this one is closed with an error
    // answer when it is connection `id` and has not opened a server object.
    void evictIfUnopened(quint64 id);

signals:
    void finished();

private:
    void onReadyRead();
    bool readOnce(); // true when it read a full chunk (more may be waiting)
    void handleRequest(const QByteArray &body);
    void answer(const QJsonObject &answer);
    void answerRaw(const QJsonValue &id, const QByteArray &resultJson);
    // Queues the pieces of one answer, which leave together; closes a client
    // that leaves too many answers unread.
    void send(std::initializer_list<QByteArray> pieces);
    void refuseAndClose(const QString &message);
    void finish();
    void answerAndCloseAfterPeerEnded();
    void watchTransaction(); // after each request: times the open transaction's idleness
    void closeIdleTransaction();
    QString peerName() const;
    bool peerClosed() const; // the client has closed its side (checked while a statement runs)
    void dropBuffer();       // forgets the unfinished request and its share of the server's input cap

    std::shared_ptr<ServerContext> m_context;
    qintptr m_descriptor;
    ClientSocket *m_socket = nullptr;
    // How long statements go on after the client closed its side, so that a
    // client that only ended its sending side gets its answers.
    static constexpr qint64 PeerClosedGraceMs = 500;
    QElapsedTimer m_peerClosedSeen;
    std::unique_ptr<ServerSession> m_session;
    quint64 m_id = 0;
    std::shared_ptr<std::atomic<bool>> m_opened;
    QByteArray m_buffer; // its size is reserved in the context's input cap
    QTimer *m_partialTimer = nullptr; // made on the connection's thread
    QTimer *m_openTimer = nullptr;    // closes a connection that never opens
    QTimer *m_idleTimer = nullptr;    // rolls back a transaction left idle
    bool m_finished = false;
    bool m_draining = false; // refused: waiting for the client to close
    // Of the server's room for answers in flight: what this connection's
    // answers hold, made or queued, until the client has read them all.
    qint64 m_answerHeld = 0;
    bool m_writingAnswer = false; // its parts are being queued: not all of it is counted as sent
    void releaseAnswers();
};

} // namespace qvx
