#include "backend/AppServerHost.h"

#include "backend/AppServerConnection.h"

#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <map>

namespace qvx {

class AppServerListener : public QTcpServer
{
public:
    explicit AppServerListener(std::shared_ptr<ServerContext> context)
        : m_context(std::move(context))
    {
    }

    ~AppServerListener() override { closeAll(); }

    int connectionCount() const { return int(m_threads.size()); }

    // Stops every connection: its thread's event loop ends, and the
    // connection object (socket, session, database connection) is destroyed
    // on its own thread as the thread finishes, rolling back what was not
    // committed. Waits for each thread.
    void closeAll()
    {
        close();
        auto threads = std::move(m_threads);
        m_threads.clear();
        for (auto &[id, thread] : threads) {
            thread->quit();
            thread->wait();
            delete thread;
        }
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (connectionCount() >= m_context->options().maxConnections) {
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
        auto *connection = new AppServerConnection(m_context, descriptor);
        connection->moveToThread(thread);
        const quint64 id = ++m_lastId;
        connect(thread, &QThread::started, connection, &AppServerConnection::start);
        connect(connection, &AppServerConnection::finished, thread, &QThread::quit);
        connect(thread, &QThread::finished, connection, &QObject::deleteLater);
        connect(thread, &QThread::finished, this, [this, id] {
            auto it = m_threads.find(id);
            if (it == m_threads.end())
                return; // closeAll took it
            QThread *finished = it->second;
            m_threads.erase(it);
            finished->wait();
            finished->deleteLater();
        }, Qt::QueuedConnection);
        m_threads.emplace(id, thread);
        thread->start();
    }

private:
    std::shared_ptr<ServerContext> m_context;
    std::map<quint64, QThread *> m_threads; // by connection number
    quint64 m_lastId = 0;
};

AppServerHost::AppServerHost(std::shared_ptr<ServerContext> context, QObject *parent)
    : QObject(parent), m_context(std::move(context)), m_listener(std::make_unique<AppServerListener>(m_context))
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

void AppServerHost::close()
{
    m_listener->closeAll();
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
