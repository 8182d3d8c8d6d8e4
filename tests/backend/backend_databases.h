#pragma once
// The server's tests run once on SQLite and once more on MariaDB:
//
//   class AppServerMethods : public qvx::testing::BackendTest {};
//   TEST_P(AppServerMethods, X) { TestServer server(serverConfig()); ... }
//   QVX_ON_EVERY_BACKEND(AppServerMethods);
//
// The MariaDB runs need a server named by the environment variable
// QVX_TEST_MARIADB ("socket=...;user=...;database=quvex", as the MariaDB CI
// step sets it) and are skipped without it. Each MariaDB test gets a database
// of its own on that server (created for it, dropped afterwards), so tests may
// run side by side.

#include "backend/DemoDatabase.h"
#include "backend/MariaDbDatabase.h"
#include "support/TestServer.h"

#include <QCoreApplication>
#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

namespace qvx::testing {

enum class Backend { Sqlite, MariaDb };

inline std::string backendName(const ::testing::TestParamInfo<Backend> &info)
{
    return info.param == Backend::Sqlite ? "SQLite" : "MariaDB";
}

inline void PrintTo(Backend backend, std::ostream *os)
{
    *os << (backend == Backend::Sqlite ? "SQLite" : "MariaDB");
}

// The MariaDB server to test against (empty: none).
inline QString mariaDbConnection()
{
    return qEnvironmentVariable("QVX_TEST_MARIADB");
}

inline const char *noMariaDbReason()
{
    return "no MariaDB to test against: set QVX_TEST_MARIADB=\"socket=...;user=...;database=...\" "
           "(scripts/ci.d/mariadb.sh starts one)";
}

// A database of its own on the test MariaDB server, dropped when the last
// holder lets it go. Filled with the demo (schema, demo rows, the server's
// tables), with the schema and the server's tables only, or left empty.
class ScratchMariaDb : public MariaDbDatabase
{
public:
    enum class Fill { Demo, Schema, Empty };

    static std::shared_ptr<ScratchMariaDb> create(Fill fill = Fill::Demo)
    {
        static std::atomic<int> counter{0};
        const QString name = QStringLiteral("qvxtest_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        {
            MariaDbDatabase server(mariaDbConnection());
            auto c = server.connect();
            c->exec(QStringLiteral("drop database if exists %1").arg(name));
            c->exec(QStringLiteral("create database %1 character set utf8mb4").arg(name));
        }
        auto db = std::shared_ptr<ScratchMariaDb>(new ScratchMariaDb(name));
        auto c = db->connect();
        if (fill == Fill::Demo) {
            loadDemoData(*c);
        } else if (fill == Fill::Schema) {
            c->begin();
            c->execScript(schemaScript());
            c->commit();
            ensureServerTables(*c);
        }
        return db;
    }

    ~ScratchMariaDb() override
    {
        try {
            MariaDbDatabase server(mariaDbConnection());
            auto c = server.connect();
            c->exec(QStringLiteral("set session lock_wait_timeout = 20"));
            c->exec(QStringLiteral("drop database if exists %1").arg(name()));
        } catch (const DbError &e) {
            std::fprintf(stderr, "cannot drop the test database %s: %s\n", qPrintable(name()), qPrintable(e.message()));
        }
    }

    // The connection text of this database (for a server program's --mariadb).
    QString connection() const { return connectionTo(name()); }

private:
    explicit ScratchMariaDb(const QString &name)
        : MariaDbDatabase(connectionTo(name))
    {
    }

    // The test server's connection text with the database replaced.
    static QString connectionTo(const QString &database)
    {
        QStringList parts;
        for (const QString &part : mariaDbConnection().split(QLatin1Char(';'), Qt::SkipEmptyParts))
            if (part.section(QLatin1Char('='), 0, 0).trimmed().toLower() != QLatin1String("database"))
                parts << part;
        parts << QStringLiteral("database=") + database;
        return parts.join(QLatin1Char(';'));
    }
};

// A test that runs on each back end; the MariaDB run is skipped without a server.
class BackendTest : public ::testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::MariaDb) {
            if (mariaDbConnection().isEmpty())
                GTEST_SKIP() << noMariaDbReason();
            if (!MariaDbDatabase::isAvailable())
                GTEST_SKIP() << "built without the MariaDB client library";
        }
    }

    bool onMariaDb() const { return GetParam() == Backend::MariaDb; }

    // A fresh database of this run's back end: null for SQLite (the test
    // server then copies the demo file), a scratch database on MariaDB.
    std::shared_ptr<Database> freshDatabase(bool demoData = true) const
    {
        if (onMariaDb())
            return ScratchMariaDb::create(demoData ? ScratchMariaDb::Fill::Demo : ScratchMariaDb::Fill::Schema);
        return nullptr;
    }

    // The test server's configuration on this run's back end.
    test::TestServer::Config serverConfig(test::TestServer::Config config = {}) const
    {
        if (onMariaDb())
            config.database = freshDatabase(config.demoData);
        return config;
    }
};

} // namespace qvx::testing

#define QVX_ON_EVERY_BACKEND(Suite)                                                                                    \
    INSTANTIATE_TEST_SUITE_P(, Suite, ::testing::Values(qvx::testing::Backend::Sqlite, qvx::testing::Backend::MariaDb), \
                             qvx::testing::backendName)
