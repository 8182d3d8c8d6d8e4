#pragma once

#include "backend/ServerContext.h"

#include <QHostAddress>
#include <QObject>

#include <memory>

namespace qvx {

class AppServerListener;

// The application server on TCP: listens on options().listenAddress and
// options().port, and serves each client connection on a thread of its own
// (its socket, its ServerSession and its database connection live there).
// The host object itself belongs to the thread that created it, which must
// run an event loop (it accepts connections there).
class AppServerHost : public QObject
{
    Q_OBJECT
public:
    explicit AppServerHost(std::shared_ptr<ServerContext> context, QObject *parent = nullptr);
    ~AppServerHost() override; // closes every connection and waits for its thread

    // Starts listening; false with a message in *error when it cannot.
    bool listen(QString *error = nullptr);
    // Stops the server: no new connection is accepted, every statement stops
    // (the context stops), each connection answers the requests it has
    // received, rolls back and closes, all at once. Waits up to
    // options().shutdownTimeoutMs; false when a connection did not finish
    // by then (its thread is left running).
    bool close();
    bool isListening() const;
    QHostAddress address() const;
    quint16 port() const; // the port actually bound (useful with port 0)

    ServerContext &context() const { return *m_context; }

    int connectionCount() const;

signals:
    // To every connection's thread (queued).
    void shutdownRequested();
    void evictRequested(quint64 connectionId);

private:
    friend class AppServerListener;
    std::shared_ptr<ServerContext> m_context;
    std::unique_ptr<AppServerListener> m_listener;
};

} // namespace qvx
