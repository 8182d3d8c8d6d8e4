#pragma once

#include "backend/BatchSink.h"
#include "backend/Database.h"
#include "backend/ServerOptions.h"
#include "platform/AppServer.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QObject;
class QThread;

namespace qvx {
class AppServerHost;
class RelayServer;
class ServerContext;
struct RunningBank;
}

namespace qvx::test {

// A real QVXServer for a test: runs in-process on a thread of its own,
// listening on loopback on a free port, over a fresh copy of the demo
// database in a temporary folder that is removed afterwards.
//
//   qvx::test::TestServer server;                   // started and ready
//   qvx::TcpAppServer &app = server.client();       // opened as "QVXServer.QVSERVER01"
//   app.execute("insert into ..."); app.execute("commit");
//   EXPECT_EQ(server.query("select count(*) as n from bank").valueInt(0, "n"), 3);
//
// The client calls block, so they are made from the test's thread while the
// server answers on its own.
class TestServer
{
public:
    struct Config
    {
        bool demoData = true; // false: the schema and the server's tables only, no demo rows
        // Changes to the server's options before it starts (limits, relay, bank...).
        std::function<void(ServerOptions &)> adjust;
        bool relay = true; // a relay on a free loopback port (relayPort())
        bool bank = false; // the simulated bank as the batch hook, announcing through the relay
        // Another database to serve (e.g. MariaDB), used as it is; null: a fresh SQLite copy of the demo.
        std::shared_ptr<Database> database{};
    };

    TestServer();
    explicit TestServer(Config config);
    ~TestServer();
    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    QString host() const { return QStringLiteral("127.0.0.1"); }
    quint16 port() const { return m_port; }
    quint16 relayPort() const { return m_relayPort; } // 0 when started without a relay
    RelayServer *relay() const { return m_relay.get(); } // null without one

    // A client connection opened with the client's server name, made on first use.
    TcpAppServer &client();
    // A further connection of its own (each has its own transaction).
    std::unique_ptr<TcpAppServer> newClient(const QString &serverName = QString::fromLatin1(TcpAppServer::ClientServerName)) const;

    // Direct access to the database, bypassing the server (its own connection,
    // statements committed at once). Use from the test's thread.
    DbConnection &db();
    ResultSet query(const QString &sql) { return db().query(sql); }
    qint64 exec(const QString &sql) { return db().exec(sql); }

    QString dbFile() const; // the SQLite file (empty with another database)
    QString dir() const { return m_dir.path(); }
    const ServerOptions &options() const { return m_options; }

    // The server's shared state (its hook and clock may be replaced while it runs).
    ServerContext &context() const;
    void setBatchSink(std::shared_ptr<BatchSink> sink);

private:
    void start(const Config &config);
    void stop();

    QTemporaryDir m_dir;
    ServerOptions m_options;
    std::shared_ptr<Database> m_database;
    std::shared_ptr<ServerContext> m_context;
    QThread *m_thread = nullptr;
    QObject *m_anchor = nullptr;     // lives on m_thread
    AppServerHost *m_host = nullptr; // lives on m_thread
    quint16 m_port = 0;
    quint16 m_relayPort = 0;
    std::unique_ptr<RelayServer> m_relay;
    std::unique_ptr<RunningBank> m_bank;
    std::unique_ptr<TcpAppServer> m_client;
    std::unique_ptr<DbConnection> m_db;
};

} // namespace qvx::test
