#include "backend/AppServerHost.h"

#include "backend/AppServerConnection.h"

#include <QDeadlineTimer>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <map>
#include <set>

namespace qvx {

class AppServerListener : public QTcpServer
{
public:
    AppServerListener(AppServerHost &host, std::shared_ptr<ServerContext> context)
        : m_host(host), m_context(std::move(context))
    {
    }

    ~AppServerListener() override { closeAll(); }

    int connectionCount() const { return int(m_connections.size()); }

    // Stops every connection at once: each answers what it has received,
    // rolls back and closes, and its thread ends; the connection object is
    // destroyed on its own thread as the thread finishes. Waits for the
    // threads up to the shutdown time-out; false when one did not end.
    bool closeAll()
    {
        close();
        if (m_connections.empty())
            return true;
        m_context->requestStop();
        emit m_host.shutdownRequested();
        QDeadlineTimer deadline(m_context->options().shutdownTimeoutMs);
        auto connections = std::move(m_connections);
        m_connections.clear();
        bool allEnded = true;
        for (auto &[id, c] : connections) {
            if (!c.thread->wait(deadline)) {
                allEnded = false; // stuck in a call that cannot be stopped: left to the process's end
                continue;
            }
            delete c.thread;
        }
        return allEnded;
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (connectionCount() - int(m_evicting.size()) >= m_context->options().maxConnections && !evictOneUnopened()) {
            QTcpSocket refused;
            if (refused.setSocketDescriptor(descriptor)) {
                refused.write(AppServerConnection::frame({{QStringLiteral("id"), QJsonValue::Null},
                                                          {QStringLiteral("ok"), false},
                                                          {QStringLiteral("error"), QStringLiteral("Too many connections")}}));
                refused.waitForBytesWritten(1000);
                refused.disconnectFromHost();
            }
            return;
        }
        auto *thread = new QThread;
        thread->setObjectName(QStringLiteral("qvx-appserver-connection"));
        const quint64 id = ++m_lastId;
        auto opened = std::make_shared<std::atomic<bool>>(false);
        auto *connection = new AppServerConnection(m_context, descriptor, id, opened);
        connection->moveToThread(thread);
        connect(thread, &QThread::started, connection, &AppServerConnection::start);
        // Direct: quit() is thread-safe, and closeAll waits for the thread
        // without running this thread's event loop.
        connect(connection, &AppServerConnection::finished, thread, &QThread::quit, Qt::DirectConnection);
        connect(thread, &QThread::finished, connection, &QObject::deleteLater);
        connect(&m_host, &AppServerHost::shutdownRequested, connection, &AppServerConnection::shutdown,
                Qt::QueuedConnection);
        connect(&m_host, &AppServerHost::evictRequested, connection, &AppServerConnection::evictIfUnopened,
                Qt::QueuedConnection);
        connect(thread, &QThread::finished, this, [this, id] {
            m_evicting.erase(id);
            auto it = m_connections.find(id);
            if (it == m_connections.end())
                return; // closeAll took it
            QThread *finished = it->second.thread;
            m_connections.erase(it);
            finished->wait();
            finished->deleteLater();
        }, Qt::QueuedConnection);
        m_connections.emplace(id, Connection{thread, std::move(opened)});
        thread->start();
    }

private:
    struct Connection
    {
        QThread *thread = nullptr;
        std::shared_ptr<std::atomic<bool>> opened; // set by the connection
    };

    // Silent connections must not keep clients out: the oldest connection
    // that has not opened a server object makes room. False when every
    // connection has opened one.
    bool evictOneUnopened()
    {
        for (const auto &[id, c] : m_connections) {
            if (*c.opened || m_evicting.count(id))
                continue;
            m_evicting.insert(id);
            emit m_host.evictRequested(id);
            return true;
        }
        return false;
    }

    AppServerHost &m_host;
    std::shared_ptr<ServerContext> m_context;
    std::map<quint64, Connection> m_connections; // by connection number, oldest first
    std::set<quint64> m_evicting;                // closing to make room, no longer counted
    quint64 m_lastId = 0;
};

AppServerHost::AppServerHost(std::shared_ptr<ServerContext> context, QObject *parent)
    : QObject(parent), m_context(std::move(context)), m_listener(std::make_unique<AppServerListener>(*this, m_context))
{
}

AppServerHost::~AppServerHost()
{
    m_listener->closeAll();
}

bool AppServerHost::listen(QString *error)
{
    QHostAddress address;
    const QString text = m_context->options().listenAddress;
    if (text.isEmpty() || text == QLatin1String("*") || text == QLatin1String("any"))
        address = QHostAddress::Any;
    else if (text.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        address = QHostAddress::LocalHost;
    else if (!address.setAddress(text)) {
        if (error)
            *error = QStringLiteral("Not an address: %1").arg(text);
        return false;
    }
    if (!m_listener->listen(address, m_context->options().port)) {
        if (error)
            *error = m_listener->errorString();
        return false;
    }
    return true;
}

bool AppServerHost::close()
{
    return m_listener->closeAll();
}

bool AppServerHost::isListening() const
{
    return m_listener->isListening();
}

QHostAddress AppServerHost::address() const
{
    return m_listener->serverAddress();
}

quint16 AppServerHost::port() const
{
    return m_listener->serverPort();
}

int AppServerHost::connectionCount() const
{
    return m_listener->connectionCount();
}

} // namespace qvx
