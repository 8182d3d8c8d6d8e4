#include "support/TestServer.h"

#include "backend/AppServerHost.h"
#include "backend/BankSetup.h"
#include "backend/RelayServer.h"
#include "backend/DemoDatabase.h"
#include "backend/ServerContext.h"
#include "backend/SqliteDatabase.h"

#include <QFile>
#include <QThread>

#include <mutex>
#include <stdexcept>

namespace qvx::test {

namespace {

// The demo database is built once per test program and copied for every server.
QString templateDatabase(bool demoData)
{
    static std::mutex mutex;
    static QTemporaryDir dir;
    static QString files[2];
    std::lock_guard lock(mutex);
    QString &file = files[demoData ? 1 : 0];
    if (file.isEmpty()) {
        const QString path = dir.filePath(demoData ? QStringLiteral("demo.sqlite") : QStringLiteral("empty.sqlite"));
        if (demoData) {
            createDemoDatabase(path);
        } else {
            SqliteDatabase db(path);
            auto c = db.connect();
            c->begin();
            c->execScript(schemaScript());
            c->commit();
            ensureServerTables(*c);
        }
        file = path;
    }
    return file;
}

} // namespace

TestServer::TestServer()
    : TestServer(Config{})
{
}

TestServer::TestServer(Config config)
{
    start(config);
}

void TestServer::start(const Config &config)
{
    if (!m_dir.isValid())
        throw std::runtime_error("TestServer: no temporary folder");
    QString file;
    if (!config.database) {
        file = m_dir.filePath(QStringLiteral("qvx.sqlite"));
        if (!QFile::copy(templateDatabase(config.demoData), file))
            throw std::runtime_error("TestServer: cannot copy the demo database");
    }

    m_options.dbFile = file;
    m_options.listenAddress = QStringLiteral("127.0.0.1");
    m_options.port = 0;
    if (config.adjust)
        config.adjust(m_options);

    if (config.database)
        m_database = config.database;
    else
        m_database = std::make_shared<SqliteDatabase>(file);
    m_context = std::make_shared<ServerContext>(m_options, m_database);

    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("qvx-test-server"));
    m_anchor = new QObject;
    m_anchor->moveToThread(m_thread);
    m_thread->start();

    QString error;
    bool ok = false;
    QMetaObject::invokeMethod(
        m_anchor,
        [&] {
            m_host = new AppServerHost(m_context);
            ok = m_host->listen(&error);
            m_port = m_host->port();
        },
        Qt::BlockingQueuedConnection);
    if (!ok) {
        stop();
        throw std::runtime_error(("TestServer: cannot listen: " + error).toStdString());
    }
    if (config.relay) {
        m_relay = std::make_unique<RelayServer>();
        m_relay->setLimits(m_options.relayLoginTimeoutMs, m_options.relayMaxConnections);
        m_relay->setMaxLoginsPerAddress(m_options.relayMaxLoginsPerAddress);
        if (!m_relay->listen(QHostAddress::LocalHost, 0)) {
            const QString why = m_relay->errorString();
            stop();
            throw std::runtime_error(("TestServer: relay cannot listen: " + why).toStdString());
        }
        m_relayPort = m_relay->port();
    }
    if (config.bank)
        m_bank = startBank(*m_context, m_relay.get());
}

void TestServer::stop()
{
    m_client.reset();
    m_db.reset();
    m_bank.reset();
    m_relay.reset();
    if (m_thread) {
        QMetaObject::invokeMethod(
            m_anchor,
            [this] {
                delete m_host;
                m_host = nullptr;
            },
            Qt::BlockingQueuedConnection);
        m_thread->quit();
        m_thread->wait();
        delete m_anchor;
        m_anchor = nullptr;
        delete m_thread;
        m_thread = nullptr;
    }
}

TestServer::~TestServer()
{
    stop();
}

TcpAppServer &TestServer::client()
{
    if (!m_client)
        m_client = newClient();
    return *m_client;
}

std::unique_ptr<TcpAppServer> TestServer::newClient(const QString &serverName) const
{
    auto c = std::make_unique<TcpAppServer>();
    c->setTimeoutMs(30000);
    c->open(host(), m_port, serverName);
    return c;
}

DbConnection &TestServer::db()
{
    if (!m_db)
        m_db = m_database->connect();
    return *m_db;
}

QString TestServer::dbFile() const
{
    return m_options.dbFile;
}

ServerContext &TestServer::context() const
{
    return *m_context;
}

void TestServer::setBatchSink(std::shared_ptr<BatchSink> sink)
{
    m_context->setBatchSink(std::move(sink));
}

} // namespace qvx::test
