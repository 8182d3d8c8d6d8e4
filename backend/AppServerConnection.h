#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QObject>
#include <QTimer>

#include <memory>

class QTcpSocket;

namespace qvx {

class ServerContext;
class ServerSession;

// One client connection of the application server: reads length-prefixed
// JSON requests from its socket, runs them through its own ServerSession and
// writes the answers. Lives on a thread of its own (see AppServerHost).
class AppServerConnection : public QObject
{
    Q_OBJECT
public:
    AppServerConnection(std::shared_ptr<ServerContext> context, qintptr socketDescriptor);
    ~AppServerConnection() override;

    // Frames an answer: 4-byte big-endian length + compact UTF-8 JSON.
    static QByteArray frame(const QJsonObject &answer);

public slots:
    void start(); // on the connection's thread
    void stop();  // closes the connection (rolls back what was not committed)

signals:
    void finished();

private:
    void onReadyRead();
    void handleRequest(const QByteArray &body);
    void answer(const QJsonObject &answer);
    void answerRaw(const QJsonValue &id, const QByteArray &resultJson);
    void refuseAndClose(const QString &message);
    void finish();
    void watchTransaction(); // after each request: times the open transaction's idleness
    void closeIdleTransaction();
    QString peerName() const;

    std::shared_ptr<ServerContext> m_context;
    qintptr m_descriptor;
    QTcpSocket *m_socket = nullptr;
    std::unique_ptr<ServerSession> m_session;
    QByteArray m_buffer;
    QTimer *m_partialTimer = nullptr; // made on the connection's thread
    QTimer *m_openTimer = nullptr;    // closes a connection that never opens
    QTimer *m_idleTimer = nullptr;    // rolls back a transaction left idle
    bool m_finished = false;
    bool m_draining = false; // refused: waiting for the client to close
};

} // namespace qvx
