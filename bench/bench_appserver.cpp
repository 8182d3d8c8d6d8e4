// Round trips per second through TcpAppServer against a real application
// server on loopback (its own thread, a fresh demo database).

#include "BenchServer.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

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
