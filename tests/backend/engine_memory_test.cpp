// One client's statements cannot take the database's memory the others need:
// a peer opening connection after connection, each holding large values in
// a long statement, stops at its share and at what clients together may
// hold, while a client logged in before goes on, a new one opens, and the
// server's own work (message numbers, registrations) runs.

#include "backend/ServerContext.h"
#include "platform/AppServer.h"
#include "support/PeakMemory.h"
#include "support/TestServer.h"

#include <QDeadlineTimer>
#include <QStringList>
#include <QThread>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <malloc.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

using qvx::AppServerError;
using qvx::test::TestServer;

namespace {

// `columns` texts of 120,000 characters held while a count runs to the
// statement's time limit.
QString holdingStatement(int columns)
{
    QStringList values;
    for (int i = 0; i < columns; ++i)
        values << QStringLiteral("hex(zeroblob(60000)) as c%1").arg(i);
    return QStringLiteral("select %1, (with recursive s(n) as (select 1 union all select n + 1 from s "
                          "where n < 2000000000) select count(*) from s) as n")
        .arg(values.join(QStringLiteral(", ")));
}

// Every kind of call of a client's round, each of them answered; the first
// failure otherwise.
QString clientRound(qvx::TcpAppServer &app, int round)
{
    try {
        if (app.select(QStringLiteral("select count(*) as n from bank")).valueInt(0, QStringLiteral("n")) <= 0)
            return QStringLiteral("select found nothing");
        const int base = app.maxSeqNo(1);
        if (base < 0)
            return QStringLiteral("max_seqno answered %1").arg(base);
        // Values past the engine's small blocks, as a request row's are.
        app.execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'M%1', '%2')")
                        .arg(round)
                        .arg(QString(3000, QLatin1Char('r'))));
        if (app.select(QStringLiteral("select errcode, errcontents || errcode as t from error order by t desc"))
                .isEmpty())
            return QStringLiteral("select found nothing");
        app.execute(QStringLiteral("insert into amt_search (SendDate, SeqNo, BankID, USERID, sr_flag) values "
                                   "('20260101', %1, '04', 'MAKER', '1')")
                        .arg(base + 1));
        app.execute(QStringLiteral("commit"));
        const QString no = QString::number(base + 1);
        const int sent = app.sendDesc(QStringLiteral("0600300"), QStringLiteral("MAKER"), no, no,
                                      QStringLiteral("000000"));
        if (sent != 1)
            return QStringLiteral("cms_senddesc answered %1").arg(sent);
    } catch (const AppServerError &e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(EngineMemory, APeerHoldingLargeValuesOnManyConnectionsLeavesTheOthersTheirMemory)
{
    // Half of them would hold about 30 MB each, the other half 1 MB or so
    // that fills the gaps: 750 MB, past the engine's 512 MiB. Before the
    // shares, 19 of the 30 rounds failed ("needs more memory").
    constexpr int Attackers = 48;
    constexpr int Rounds = 30;
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory(
        [] {
            // Threads of their own for 100 connections: few arenas of the
            // allocator, each of which reserves its own address space.
            mallopt(M_ARENA_MAX, 4);
            TestServer server(TestServer::Config{true,
                                                 [](qvx::ServerOptions &o) {
                                                     o.statementTimeoutMs = 4000;
                                                     o.bankDelayMs = 0;
                                                 },
                                                 true, true, nullptr});
            // Logged in before the attack, and served once.
            auto victim = server.newClient();
            if (!clientRound(*victim, 0).isEmpty())
                return 1;
            // One statement stops at its connection's share.
            try {
                server.newClient()->select(holdingStatement(400));
                return 2;
            } catch (const AppServerError &e) {
                if (!e.message().contains(QLatin1String("more memory than one connection may use")))
                    return 2;
            }
            std::vector<std::thread> attackers;
            std::atomic<bool> stop{false};
            std::mutex mutex;
            QStringList attackerErrors;
            for (int i = 0; i < Attackers; ++i) {
                // Again and again, on a new connection each time, until the
                // rounds are done.
                attackers.emplace_back([&, i] {
                    while (!stop) {
                        try {
                            server.newClient()->select(holdingStatement(i % 2 == 0 ? 100 : 5));
                        } catch (const AppServerError &e) {
                            std::lock_guard lock(mutex);
                            attackerErrors << e.message();
                        }
                    }
                });
            }
            // The attack holds what it can.
            QDeadlineTimer filled(5000);
            while (sqlite3_memory_used() < 350LL * 1024 * 1024 && !filled.hasExpired())
                QThread::msleep(5);
            const bool held = sqlite3_memory_used() >= 350LL * 1024 * 1024;
            int failed = 0;
            QString firstFailure;
            for (int round = 1; round <= Rounds; ++round) {
                QString failure = clientRound(*victim, round);
                if (failure.isEmpty()) {
                    // A new client opens and is served too.
                    try {
                        auto late = server.newClient();
                        if (late->select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")) != 1)
                            failure = QStringLiteral("the new client's select");
                    } catch (const AppServerError &e) {
                        failure = e.message();
                    }
                }
                if (!failure.isEmpty() && failed++ == 0)
                    firstFailure = failure;
            }
            // The bank answers the batches meanwhile.
            QDeadlineTimer answering(5000);
            int answered = 0;
            while (failed == 0 && answered < 6 && !answering.hasExpired()) {
                try {
                    answered = victim->select(QStringLiteral("select count(*) as n from amt_search where "
                                                             "SendDate = '20260101' and sr_flag = '4'"))
                                   .valueInt(0, QStringLiteral("n"));
                } catch (const AppServerError &e) {
                    firstFailure = e.message();
                    ++failed;
                }
                QThread::msleep(10);
            }
            if (answered < 6 && failed++ == 0)
                firstFailure = QStringLiteral("%1 of 6 batches answered").arg(answered);
            stop = true;
            for (auto &t : attackers)
                t.join();
            if (!held)
                return 5; // the attack never held what it should
            if (failed > 0) {
                std::fprintf(stderr, "%d of %d rounds failed, first: %s\n", failed, Rounds, qPrintable(firstFailure));
                return 10 + failed;
            }
            // No refusal shows where the server keeps its database.
            for (const QString &e : attackerErrors)
                if (e.contains(server.dir()))
                    return 3;
            return 0;
        },
        // Address space for 100 threads' stacks and the allocator's arenas;
        // what is measured is what the child holds.
        6LL << 30);
    ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_EQ(peak.result, 0);
    // The engine's 512 MiB with the allocator's room around blocks that 48
    // connections make and drop again and again (about 850 MB); the answers
    // are small.
    EXPECT_LT(peak.growth, 1280LL << 20);
}
