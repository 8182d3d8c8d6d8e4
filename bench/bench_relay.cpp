// Relay throughput and announcement latency with 200 logged-in clients on
// loopback, plus the frame splitter on its own.
#include "bench/BenchOnce.h"
#include "backend/RelayServer.h"
#include "backend/relay_client.h"
#include "platform/FrameReader.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

using qvx::FrameReader;
using qvx::RelayServer;
using qvx::testing::RelayTestClient;

namespace {

constexpr int kClients = 200;

QByteArray userId(int i)
{
    return QByteArray("user") + QByteArray::number(i).rightJustified(3, '0');
}

// One relay with kClients logged-in clients, set up on first use.
struct Network
{
    RelayServer relay;
    std::vector<std::unique_ptr<RelayTestClient>> clients;
    bool ok = false;

    Network()
    {
        relay.setIdleTimeoutMs(0);
        if (!relay.listen(QHostAddress::LocalHost, 0))
            return;
        for (int i = 0; i < kClients; ++i) {
            auto c = std::make_unique<RelayTestClient>();
            if (!c->connectTo(relay.port()) || !c->login(userId(i)))
                return;
            clients.push_back(std::move(c));
        }
        ok = true;
    }

    static Network &get()
    {
        static Network n;
        return n;
    }
};

// Approval notices: client 0 sends a batch of notices for the other clients in
// one write; the relay answers each with "FY" and delivers "F" to the target.
void BM_RelayApprovalFrames(benchmark::State &state)
{
    Network &net = Network::get();
    if (!net.ok) {
        state.SkipWithError("relay set-up failed");
        return;
    }
    const int batch = int(state.range(0));
    RelayTestClient &sender = *net.clients[0];
    int next = 1;
    for (auto _ : state) {
        QByteArray out;
        std::vector<int> targets;
        for (int i = 0; i < batch; ++i) {
            targets.push_back(next);
            out += FrameReader::frame("F" + userId(next));
            next = next % (kClients - 1) + 1;
        }
        sender.send(out);
        for (int i = 0; i < batch; ++i)
            if (sender.nextFrame() != FrameReader::frame("FY")) {
                state.SkipWithError("missing FY");
                return;
            }
        for (int t : targets)
            if (net.clients[t]->nextFrame() != FrameReader::frame("F")) {
                state.SkipWithError("missing F");
                return;
            }
    }
    // Frames read by the relay; each also produced two frames written.
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(BM_RelayApprovalFrames)->ArgsProduct({bench::Sizes({1, 64})})->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// Announcement latency: from announce() on this thread (as the simulated bank
// calls it) to the frame read by the user's client.
void BM_RelayAnnouncementLatency(benchmark::State &state)
{
    Network &net = Network::get();
    if (!net.ok) {
        state.SkipWithError("relay set-up failed");
        return;
    }
    int next = 0;
    for (auto _ : state) {
        if (!net.relay.announce(QString::fromLatin1(userId(next)), QStringLiteral("0610300"))
            || net.clients[next]->nextFrame() != FrameReader::frame("Q0610300")) {
            state.SkipWithError("announcement lost");
            return;
        }
        next = (next + 1) % kClients;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RelayAnnouncementLatency)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

// The frame splitter alone: joined service frames fed in reads of 1460 bytes.
void BM_FrameReaderSplit(benchmark::State &state)
{
    QByteArray stream;
    for (int i = 0; i < 10000; ++i)
        stream += FrameReader::frame("Q0610300");
    qint64 frames = 0;
    for (auto _ : state) {
        FrameReader r;
        for (qsizetype pos = 0; pos < stream.size(); pos += 1460)
            frames += r.feed(stream.mid(pos, 1460)).size();
    }
    benchmark::DoNotOptimize(frames);
    state.SetItemsProcessed(state.iterations() * 10000);
    state.SetBytesProcessed(state.iterations() * stream.size());
}
BENCHMARK(BM_FrameReaderSplit)->Unit(benchmark::kMicrosecond);

// Relay log lines, counted and kept off the terminal while a benchmark runs.
std::atomic<qint64> g_relayLogLines{0};

void countRelayLines(QtMsgType, const QMessageLogContext &context, const QString &)
{
    if (context.category && std::strcmp(context.category, "qvx.relay") == 0)
        ++g_relayLogLines;
}

// A peer streams a mebibyte of STX bytes (a million bad packets) while a
// user logs in: the user's login time, and the log lines the stream cost.
void BM_RelayLoginWhileAPeerStreamsGarbage(benchmark::State &state)
{
    RelayServer relay;
    if (!relay.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("relay set-up failed");
        return;
    }
    const QtMessageHandler previous = qInstallMessageHandler(&countRelayLines);
    const QByteArray garbage(1024 * 1024, '\x02');
    qint64 lines = 0, n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        RelayTestClient peer;
        if (!peer.connectTo(relay.port())) {
            state.SkipWithError("peer not connected");
            break;
        }
        const qint64 before = g_relayLogLines;
        peer.socket().write(garbage); // leaves in the background while the user logs in
        peer.socket().flush();
        RelayTestClient user;
        state.ResumeTiming();
        if (!user.connectTo(relay.port()) || !user.login("user" + QByteArray::number(n++))) {
            state.SkipWithError("login failed");
            break;
        }
        state.PauseTiming();
        peer.waitClosed(30000);
        lines += g_relayLogLines - before;
        state.ResumeTiming();
    }
    qInstallMessageHandler(previous);
    state.counters["log_lines_per_stream"] = benchmark::Counter(double(lines), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RelayLoginWhileAPeerStreamsGarbage)->Unit(benchmark::kMillisecond)->Iterations(bench::Runs(5));

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("qvx.relay.info=false"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
