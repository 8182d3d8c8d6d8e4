// The deposit notices over 100,000 notices of one day: the screen's click
// search (server query, answer decoding, the list and the totals by kind)
// beside its floor, the same joined statement run raw on the database in
// the same run; the statement through the application server alone and the
// floor alone; and the gap walk over up to 100,000 notice numbers, which
// grows linearly.

#include "bench/BenchOnce.h"
#include "BenchMeasure.h"
#include "BenchServer.h"

#include "core/DMUnit.h"
#include "core/GapRequest.h"
#include "core/Session.h"
#include "inquiries/DepositNotices.h"
#include "inquiries/screens/DepositUnit.h"
#include "platform/Clock.h"
#include "platform/TListGrid.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int Rows = 100000;

QByteArray FirstRow(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    QByteArray value;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    return value;
}

// 100,000 deposit notices of today to the first mother account, over the
// transaction kinds its bank lists.
void SeedNotices(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    const QByteArray bankId = FirstRow(db, "select bankid from bank order by bankid, mobankno");
    const QByteArray moBankNo = FirstRow(db, "select mobankno from bank order by bankid, mobankno");
    QList<QByteArray> kinds;
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db,
                       ("select transdivcode from transdiv where divflag = '1' and bankid = '" + bankId
                        + "' group by transdivcode having count(*) = 1")
                           .constData(),
                       -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        kinds.append(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into deposit (SERVICE, SEQNO, SENDID, RECVID, FIRMID, BANKID, SENDFLAG, ERRCODE, "
                       "DEPOSIT_SENDDATE, ORG_SEQNO, MOBANKNO, GUBUN, INBANKID, PRICE, SIGN, REMAIN, BRCODE, NAME, "
                       "NOTENO, INCODE, INTIME, INDATE, RECEIVEDATE, RECEIVETIME, COMMON_DUMMY) values ('DY2', ?1, "
                       "'B01', 'NET01', 'F01', ?2, '1', '', ?3, ?4, ?5, ?6, ?2, ?7, '+', ?8, '0101', ?9, '', 'IC1', "
                       "'101500', ?3, ?3, '101501', '')",
                       -1, &insert, nullptr);
    const QByteArray today = qvx::Clock::today().toUtf8();
    for (int i = 1; i <= Rows; ++i) {
        const QByteArray number = QByteArray::number(i).rightJustified(6, '0');
        const QByteArray price = QByteArray::number(1000 + i % 977 * 10).rightJustified(13, '0');
        const QByteArray remain = QByteArray::number(5000000 + i).rightJustified(13, '0');
        const QByteArray name = QStringLiteral("입금인%1").arg(i % 500).toUtf8();
        const QByteArray &kind = kinds[i % kinds.size()];
        sqlite3_bind_int(insert, 1, i);
        bench::BindText(insert, 2, bankId);
        bench::BindText(insert, 3, today);
        bench::BindText(insert, 4, number);
        bench::BindText(insert, 5, moBankNo);
        bench::BindText(insert, 6, kind);
        bench::BindText(insert, 7, price);
        bench::BindText(insert, 8, remain);
        bench::BindText(insert, 9, name);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

BenchServer &server()
{
    static BenchServer instance(SeedNotices);
    return instance;
}

// The screen's click statement for today's notices.
QString ClickStatement()
{
    DepositNoticeFilter f;
    f.dateFrom = f.dateTo = qvx::Clock::today();
    return DepositNoticeSql::byClick(f);
}

// The deposit notices' click search (the query, its list and the totals by
// kind), 15 times, each beside the floor in the same run: the same joined
// statement run raw on the database.
void BM_DepositNoticeSearch(benchmark::State &state)
{
    Session session;
    session.LoginUserId = QStringLiteral("MAKER");
    Tdm data(session);
    data.setAppServer(&server().client());
    Tqv_deposit_frm screen(ScreenContext{session, data});
    bench::SearchBesideFloor(
        state, [&] { screen.btn_searchClick(nullptr); }, screen.grd_deposit, server().file(), ClickStatement(), Rows);
}
BENCHMARK(BM_DepositNoticeSearch)->Iterations(bench::Runs(15))->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor alone.
void BM_RawJoinedSelect(benchmark::State &state)
{
    sqlite3 *db = bench::OpenRaw(server().file());
    const QByteArray sql = bench::RawStatement(ClickStatement());
    for (auto _ : state) {
        if (bench::RawSelect(db, sql, Rows) < 0)
            state.SkipWithError("wrong row count");
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_RawJoinedSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

// The screen's statement through the application server and the client's link.
void BM_ServerSelect(benchmark::State &state)
{
    auto &app = server().client();
    const QString sql = ClickStatement();
    for (auto _ : state) {
        if (app.select(sql).recordCount() != Rows)
            state.SkipWithError("wrong row count");
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ServerSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

// The gap walk over n received numbers with every fourth one missing,
// duplicates and texts among them.
void BM_GapWalk(benchmark::State &state)
{
    const int n = int(state.range(0));
    QStringList received;
    received.reserve(n);
    for (int i = n; i >= 1; --i)
        if (i % 4 != 0)
            received.append(QString::number(i).rightJustified(6, u'0'));
    received.append(QStringLiteral("000001"));
    received.append(QStringLiteral("abc"));
    for (auto _ : state) {
        const QList<int> gaps = MissingNumbers(received, n);
        if (gaps.size() != n / 4)
            state.SkipWithError("wrong gaps");
        benchmark::DoNotOptimize(gaps.data());
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_GapWalk)->ArgsProduct({bench::Sizes({1000, 10000, 100000})})->Complexity(benchmark::oN)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
