#pragma once
// The application server on a thread of its own over a fresh SQLite demo
// database, as the client meets it, for the benchmarks.

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
        m_context = std::make_shared<qvx::ServerContext>(options, std::make_shared<qvx::SqliteDatabase>(m_file));
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
        m_client.open(QStringLiteral("127.0.0.1"), m_host->port());
    }
    ~BenchServer()
    {
        m_client.close();
        QMetaObject::invokeMethod(&m_anchor, [this] { delete m_host; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    qvx::TcpAppServer &client() { return m_client; }
    QString file() const { return m_file; }

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::shared_ptr<qvx::ServerContext> m_context;
    QThread m_thread;
    QObject m_anchor;
    qvx::AppServerHost *m_host = nullptr;
    qvx::TcpAppServer m_client;
};
