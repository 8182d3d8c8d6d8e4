#pragma once
// The application server on a thread of its own, as the client meets it, for
// the benchmarks: BenchHost serves a context; BenchServer serves a fresh
// SQLite demo database and holds one client connection to it.

#include "backend/AppServerHost.h"
#include "backend/DemoDatabase.h"
#include "backend/ServerContext.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"

#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

class BenchHost
{
public:
    explicit BenchHost(std::shared_ptr<qvx::ServerContext> context) : m_context(std::move(context))
    {
        m_anchor.moveToThread(&m_thread);
        m_thread.start();
        bool ok = false;
        QMetaObject::invokeMethod(
            &m_anchor,
            [&] {
                m_host = new qvx::AppServerHost(m_context);
                ok = m_host->listen();
            },
            Qt::BlockingQueuedConnection);
        if (!ok) {
            std::fputs("bench: the application server cannot listen\n", stderr);
            std::exit(1);
        }
    }
    ~BenchHost()
    {
        QMetaObject::invokeMethod(&m_anchor, [this] { delete m_host; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    quint16 port() const { return m_host->port(); }
    std::unique_ptr<qvx::TcpAppServer> newClient() const
    {
        auto c = std::make_unique<qvx::TcpAppServer>();
        c->open(QStringLiteral("127.0.0.1"), port());
        return c;
    }

private:
    std::shared_ptr<qvx::ServerContext> m_context;
    QThread m_thread;
    QObject m_anchor;
    qvx::AppServerHost *m_host = nullptr;
};

class BenchServer
{
public:
    // `prepare` runs on the database file before the server opens it.
    explicit BenchServer(const std::function<void(const QString &file)> &prepare = {})
    {
        m_file = m_dir.filePath(QStringLiteral("bench.sqlite"));
        qvx::createDemoDatabase(m_file);
        if (prepare)
            prepare(m_file);
        qvx::ServerOptions options;
        options.dbFile = m_file;
        options.port = 0;
        m_host = std::make_unique<BenchHost>(
            std::make_shared<qvx::ServerContext>(options, std::make_shared<qvx::SqliteDatabase>(m_file)));
        m_client = m_host->newClient();
    }
    ~BenchServer()
    {
        m_client->close();
        m_host.reset();
    }
    qvx::TcpAppServer &client() { return *m_client; }
    QString file() const { return m_file; }

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<BenchHost> m_host;
    std::unique_ptr<qvx::TcpAppServer> m_client;
};
