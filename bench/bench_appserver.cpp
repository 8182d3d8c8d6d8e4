// Round trips per second through TcpAppServer against a real application
// server on loopback (its own thread, a fresh demo database).

#include "backend/AppServerHost.h"
#include "backend/DemoDatabase.h"
#include "backend/ServerContext.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The server on a thread of its own, as the client meets it.
class BenchServer
{
public:
    BenchServer()
    {
        const QString file = m_dir.filePath(QStringLiteral("bench.sqlite"));
        qvx::createDemoDatabase(file);
        qvx::ServerOptions options;
        options.dbFile = file;
        options.port = 0;
        m_context = std::make_shared<qvx::ServerContext>(options, std::make_shared<qvx::SqliteDatabase>(file));
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
            std::fputs("bench_appserver: cannot listen\n", stderr);
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

private:
    QTemporaryDir m_dir;
    std::shared_ptr<qvx::ServerContext> m_context;
    QThread m_thread;
    QObject m_anchor;
    qvx::AppServerHost *m_host = nullptr;
    qvx::TcpAppServer m_client;
};

BenchServer &server()
{
    static BenchServer instance;
    return instance;
}

void BM_SelectOneRow(benchmark::State &state)
{
    auto &app = server().client();
    const QString sql = QStringLiteral("select bankid, bankname from allbank where bankid = '04'");
    for (auto _ : state)
        benchmark::DoNotOptimize(app.select(sql).recordCount());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectOneRow);

void BM_SelectWholeTable(benchmark::State &state)
{
    auto &app = server().client();
    for (auto _ : state)
        benchmark::DoNotOptimize(app.select(QStringLiteral("select * from allbank")).recordCount());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SelectWholeTable);

void BM_InsertAndCommit(benchmark::State &state)
{
    auto &app = server().client();
    int i = 0;
    for (auto _ : state) {
        app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('벤치%1', '1', '04')").arg(++i));
        app.execute(QStringLiteral("commit"));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_InsertAndCommit);

void BM_InsertBatchOf100(benchmark::State &state)
{
    auto &app = server().client();
    int i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 100; ++k)
            app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('묶음%1', '1', '04')").arg(++i));
        app.execute(QStringLiteral("commit"));
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_InsertBatchOf100);

void BM_MaxSeqNo(benchmark::State &state)
{
    auto &app = server().client();
    for (auto _ : state)
        benchmark::DoNotOptimize(app.maxSeqNo(1));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MaxSeqNo);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
