// max_seqno reservations per second through TcpAppServer against a real
// application server on loopback, on SQLite and on MariaDB, from one client
// and from several at once. The MariaDB runs need QVX_TEST_MARIADB
// ("socket=...;user=...;database=quvex", as scripts/ci.d/mariadb.sh sets it;
// a database of its own is made and dropped) and are left out without it.

#include "BenchServer.h"
#include "backend/AppServerHost.h"
#include "backend/DemoDatabase.h"
#include "backend/MariaDbDatabase.h"
#include "backend/ServerContext.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

QString mariaDbConnection()
{
    return qEnvironmentVariable("QVX_TEST_MARIADB");
}

// The MariaDB server's connection text with another database.
QString withDatabase(const QString &connection, const QString &database)
{
    QStringList parts;
    for (const QString &part : connection.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (part.section(QLatin1Char('='), 0, 0).trimmed().toLower() != QLatin1String("database"))
            parts << part;
    parts << QStringLiteral("database=") + database;
    return parts.join(QLatin1Char(';'));
}

// The server on a thread of its own over a fresh demo database.
class SeqNoServer
{
public:
    explicit SeqNoServer(bool mariaDb)
    {
        std::shared_ptr<qvx::Database> database;
        qvx::ServerOptions options;
        if (mariaDb) {
            m_scratch = QStringLiteral("qvxbench_%1").arg(QCoreApplication::applicationPid());
            auto admin = qvx::MariaDbDatabase(mariaDbConnection()).connect();
            admin->exec(QStringLiteral("drop database if exists %1").arg(m_scratch));
            admin->exec(QStringLiteral("create database %1 character set utf8mb4").arg(m_scratch));
            database = std::make_shared<qvx::MariaDbDatabase>(withDatabase(mariaDbConnection(), m_scratch));
            qvx::loadDemoData(*database->connect());
        } else {
            const QString file = m_dir.filePath(QStringLiteral("bench.sqlite"));
            qvx::createDemoDatabase(file);
            options.dbFile = file;
            database = std::make_shared<qvx::SqliteDatabase>(file);
        }
        options.port = 0;
        options.seqLockTimeoutMs = 10000; // measure waiting, not refusals
        m_host = std::make_unique<BenchHost>(std::make_shared<qvx::ServerContext>(options, database));
    }
    ~SeqNoServer()
    {
        m_host.reset();
        if (!m_scratch.isEmpty()) {
            try {
                qvx::MariaDbDatabase(mariaDbConnection()).connect()->exec(QStringLiteral("drop database %1").arg(m_scratch));
            } catch (const qvx::DbError &e) {
                std::fprintf(stderr, "bench_seqno: %s\n", qPrintable(e.message()));
            }
        }
    }

    std::unique_ptr<qvx::TcpAppServer> newClient() const { return m_host->newClient(); }

private:
    QTemporaryDir m_dir;
    QString m_scratch;
    std::unique_ptr<BenchHost> m_host;
};

std::unique_ptr<SeqNoServer> g_servers[2];

SeqNoServer &server(bool mariaDb)
{
    auto &s = g_servers[mariaDb ? 1 : 0];
    if (!s)
        s = std::make_unique<SeqNoServer>(mariaDb);
    return *s;
}

// Reservations of one number each; with several threads, each its own client.
void reserve(benchmark::State &state, bool mariaDb)
{
    auto app = server(mariaDb).newClient();
    qint64 refused = 0;
    for (auto _ : state) {
        const int base = app->maxSeqNo(1);
        if (base < 0)
            ++refused;
        benchmark::DoNotOptimize(base);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["refused"] = benchmark::Counter(double(refused), benchmark::Counter::kAvgThreadsRate);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Servers start before the threads of a run, outside its timing.
    server(false);
    benchmark::RegisterBenchmark("BM_MaxSeqNo/SQLite", reserve, false)->ThreadRange(1, 8)->UseRealTime();
    if (!mariaDbConnection().isEmpty()) {
        server(true);
        benchmark::RegisterBenchmark("BM_MaxSeqNo/MariaDB", reserve, true)->ThreadRange(1, 8)->UseRealTime();
    } else {
        std::fputs("bench_seqno: BM_MaxSeqNo/MariaDB skipped: no MariaDB to measure "
                   "(set QVX_TEST_MARIADB=\"socket=...;user=...;database=...\")\n",
                   stderr);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_servers[0].reset();
    g_servers[1].reset();
    return 0;
}
