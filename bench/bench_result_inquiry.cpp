// The transfer result inquiry over 100,000 answered giche rows of one maker:
// the screen's search (server query, answer encoding, client decoding, the
// grid and its totals) beside its floor, the same joined statement run raw
// on the database in the same run; then the statement through the
// application server alone, and the floor alone.

#include "BenchServer.h"

#include "backend/MySqlToSqlite.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "inquiries/ResultInquirySql.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "platform/Clock.h"
#include "platform/TListGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDateEdit>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <ctime>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int Rows = 100000;

// 100,000 answered payments of MAKER today, one in ten failed.
void SeedTransfers(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into giche (SendDate, SendTime, Service, SeqNo, SendID, RecvID, FirmID, BankID, USERID, "
                       "CFMID, SendFlag, MoBankNo, PassWd, Gubun, Price, TRANS_BankID, BankNo, Fee, Name, TaProcNo, "
                       "TaErrFee, TaErrPrice, TaErrMoney, sr_flag, up_gubuncode, COMMON_DUMMY, ERRCODE, RECEIVEDATE, "
                       "RECEIVETIME) values (?1, '101500', 'DY1', ?2, 'QVX0000001', 'WRB2000', 'HB2001', '20', 'MAKER', "
                       "'APPR2', '1', '1005123456789', '3456', '30', ?3, '04', '123401234567', '500', ?4, ?5, '0', '0', "
                       "'0', '4', '0101100', '메모', ?6, ?1, '101530')",
                       -1, &insert, nullptr);
    const QByteArray today = qvx::Clock::today().toUtf8();
    for (int i = 1; i <= Rows; ++i) {
        const QByteArray price = QByteArray::number(1000 + i % 977 * 10);
        const QByteArray name = QStringLiteral("거래처%1").arg(i % 500).toUtf8();
        const QByteArray procNo = QByteArray::number(261209000000LL + i);
        sqlite3_bind_text(insert, 1, today.constData(), int(today.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, i);
        sqlite3_bind_text(insert, 3, price.constData(), int(price.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 4, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 5, procNo.constData(), int(procNo.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 6, i % 10 == 0 ? "0012" : "0000", 4, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

BenchServer &server()
{
    static BenchServer instance(SeedTransfers);
    return instance;
}

// The screen's statement for the maker's payments of today.
QString InquiryStatement()
{
    ResultFilter f;
    f.userId = QStringLiteral("MAKER");
    f.dateFrom = f.dateTo = qvx::Clock::today();
    ResultInquirySql::Refusal refusal;
    return ResultInquirySql::byFilter(f, &refusal);
}

// The floor: the screen's own joined statement run raw on the database
// file, as the server's SQLite reads it (the same translation and
// functions), every value read as text and nothing else done. Returns the
// bytes of text read, -1 when the row count is wrong.
qint64 RawJoinedSelect(sqlite3 *db, const QByteArray &sql)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    int rows = 0;
    qint64 bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++rows;
        for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c) {
            sqlite3_column_text(stmt, c);
            bytes += sqlite3_column_bytes(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    return rows == Rows ? bytes : -1;
}

sqlite3 *OpenRaw()
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(server().file().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    qvx::registerMySqlFunctions(db);
    return db;
}

QByteArray RawStatement()
{
    return qvx::translateMySqlToSqlite(InquiryStatement()).text.toUtf8();
}

// Resident memory of the process.
double residentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

// CPU time of the whole process (the client's thread and the server's) in
// milliseconds: on shared cores the work done, apart from waiting for a core.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The result inquiry's search (the query, its list and the totals), 15
// times, each beside the floor in the same run. Registered first, so that
// its first search is the first of the process; the memory it took and the
// texts its list holds are printed beside each other.
void BM_ResultInquirySearch(benchmark::State &state)
{
    sqlite3 *db = OpenRaw();
    const QByteArray raw = RawStatement();
    Session session;
    session.LoginUserId = QStringLiteral("MAKER");
    Tdm data(session);
    data.setAppServer(&server().client());
    Tqv_ichesearch_frm screen(ScreenContext{session, data});
    SetChecked(screen.chk_jigub, true);
    std::vector<double> searchMs, floorMs, searchCpuMs, floorCpuMs;
    double firstMs = 0, growthMb = 0;
    const double before = residentMb();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        double cpu = cpuMs();
        screen.btn_searchClick(nullptr);
        const double ms = t.nsecsElapsed() / 1e6;
        searchCpuMs.push_back(cpuMs() - cpu);
        if (searchMs.empty()) {
            firstMs = ms;
            growthMb = residentMb() - before;
        }
        searchMs.push_back(ms);
        state.SetIterationTime(ms / 1000);
        if (screen.grd_ichelist->RowCount() != Rows + 1)
            state.SkipWithError("wrong row count");
        t.start();
        cpu = cpuMs();
        if (RawJoinedSelect(db, raw) < 0)
            state.SkipWithError("wrong row count in the floor");
        floorMs.push_back(t.nsecsElapsed() / 1e6);
        floorCpuMs.push_back(cpuMs() - cpu);
    }
    sqlite3_close(db);
    qint64 textBytes = 0;
    for (int r = 1; r < screen.grd_ichelist->RowCount(); ++r)
        for (int c = 0; c < screen.grd_ichelist->ColCount(); ++c)
            textBytes += screen.grd_ichelist->Cells(c, r).size() * 2;
    const double floor = median(floorMs), search = median(searchMs);
    state.counters["search_ms"] = search;
    state.counters["first_ms"] = firstMs;
    state.counters["floor_ms"] = floor;
    state.counters["x_floor"] = search / floor;
    state.counters["first_x_floor"] = firstMs / floor;
    state.counters["search_cpu_ms"] = median(searchCpuMs);
    state.counters["floor_cpu_ms"] = median(floorCpuMs);
    state.counters["x_floor_cpu"] = median(searchCpuMs) / median(floorCpuMs);
    state.counters["growth_mb"] = growthMb;
    state.counters["texts_mb"] = textBytes / 1e6;
    state.counters["total"] = double(screen.Totals().amount(3));
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ResultInquirySearch)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor alone.
void BM_RawJoinedSelect(benchmark::State &state)
{
    sqlite3 *db = OpenRaw();
    const QByteArray sql = RawStatement();
    qint64 bytes = 0;
    for (auto _ : state) {
        bytes = RawJoinedSelect(db, sql);
        if (bytes < 0)
            state.SkipWithError("wrong row count");
    }
    sqlite3_close(db);
    state.counters["text_mb"] = bytes / 1e6;
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_RawJoinedSelect)->Unit(benchmark::kMillisecond)->UseRealTime();

// The screen's statement through the application server and the client's link.
void BM_ServerSelect(benchmark::State &state)
{
    auto &app = server().client();
    const QString sql = InquiryStatement();
    std::vector<double> processCpu, clientCpu;
    for (auto _ : state) {
        const double process = cpuMs(), client = threadCpuMs();
        if (app.select(sql).recordCount() != Rows)
            state.SkipWithError("wrong row count");
        processCpu.push_back(cpuMs() - process);
        clientCpu.push_back(threadCpuMs() - client);
    }
    // The client's reading on this thread; the rest of the process's time is
    // the server's answer.
    state.counters["client_cpu_ms"] = median(clientCpu);
    state.counters["server_cpu_ms"] = median(processCpu) - median(clientCpu);
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ServerSelect)->Iterations(7)->Unit(benchmark::kMillisecond)->UseRealTime();


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
