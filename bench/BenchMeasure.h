#pragma once
// What the list benchmarks measure beside a search: the floor (the
// screen's own statement run raw on the database file, as the server's
// SQLite reads it), the process's memory and CPU time, and the texts a grid
// holds.

#include "backend/MySqlToSqlite.h"
#include "platform/TListGrid.h"

#include <QElapsedTimer>
#include <QFile>
#include <QList>

#include <benchmark/benchmark.h>

#include <sqlite3.h>
#include <ctime>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench {

// The database file opened as the server opens it (no locking of its own
// between threads), with the server's MySQL functions, read-only.
inline sqlite3 *OpenRaw(const QString &file)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    qvx::registerMySqlFunctions(db);
    return db;
}

// A text bound to a seeding statement (copied by SQLite).
inline void BindText(sqlite3_stmt *stmt, int index, const QByteArray &text)
{
    sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// A client's statement as the server's SQLite runs it.
inline QByteArray RawStatement(const QString &sql)
{
    return qvx::translateMySqlToSqlite(sql).text.toUtf8();
}

// The floor: the statement run raw, every value read as text and nothing
// else done. Returns the bytes of text read, -1 when the row count is not `rows`.
inline qint64 RawSelect(sqlite3 *db, const QByteArray &sql, int rows)
{
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
    int read = 0;
    qint64 bytes = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ++read;
        for (int c = 0, n = sqlite3_column_count(stmt); c < n; ++c) {
            sqlite3_column_text(stmt, c);
            bytes += sqlite3_column_bytes(stmt, c);
        }
    }
    sqlite3_finalize(stmt);
    return read == rows ? bytes : -1;
}

// Resident memory of the process.
inline double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

// CPU time of the whole process (the client's thread and the server's) in
// milliseconds: on shared cores the work done, apart from waiting for a core.
inline double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline double ThreadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The bytes of the texts of a grid's data rows (two a character).
inline qint64 GridTextBytes(const TListGrid *grid)
{
    qint64 bytes = 0;
    for (int r = 1; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
            bytes += grid->Cells(c, r).size() * 2;
    return bytes;
}

// A list screen's search once an iteration, each beside the floor in the
// same run (the raw select of `floorSql`, `rows` rows). Registered first in
// its program, its first search is the first of the process; the memory the
// first search took and the texts the grid holds are printed beside each
// other. With BENCH_EACH set, each search's time is printed as it ends.
inline void SearchBesideFloor(benchmark::State &state, const std::function<void()> &search, const TListGrid *grid,
                              const QString &file, const QString &floorSql, int rows)
{
    sqlite3 *db = OpenRaw(file);
    const QByteArray raw = RawStatement(floorSql);
    std::vector<double> searchMs;
    std::vector<double> floorMs;
    std::vector<double> searchCpuMs;
    std::vector<double> floorCpuMs;
    double firstMs = 0;
    double growthMb = 0;
    const double before = ResidentMb();
    const bool printEach = qEnvironmentVariableIsSet("BENCH_EACH");
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        double cpu = CpuMs();
        search();
        const double ms = t.nsecsElapsed() / 1e6;
        searchCpuMs.push_back(CpuMs() - cpu);
        if (searchMs.empty()) {
            firstMs = ms;
            growthMb = ResidentMb() - before;
        }
        searchMs.push_back(ms);
        if (printEach) // each search's time, to see a trend over the runs
            std::fprintf(stderr, "%.0f ", ms);
        state.SetIterationTime(ms / 1000);
        if (grid->RowCount() != rows + 1)
            state.SkipWithError("wrong row count");
        t.start();
        cpu = CpuMs();
        if (RawSelect(db, raw, rows) < 0)
            state.SkipWithError("wrong row count in the floor");
        floorMs.push_back(t.nsecsElapsed() / 1e6);
        floorCpuMs.push_back(CpuMs() - cpu);
    }
    sqlite3_close(db);
    const double floor = Median(floorMs);
    const double median = Median(searchMs);
    state.counters["search_ms"] = median;
    state.counters["first_ms"] = firstMs;
    state.counters["floor_ms"] = floor;
    state.counters["x_floor"] = median / floor;
    state.counters["first_x_floor"] = firstMs / floor;
    state.counters["search_cpu_ms"] = Median(searchCpuMs);
    state.counters["floor_cpu_ms"] = Median(floorCpuMs);
    state.counters["x_floor_cpu"] = Median(searchCpuMs) / Median(floorCpuMs);
    state.counters["growth_mb"] = growthMb;
    state.counters["texts_mb"] = GridTextBytes(grid) / 1e6;
    state.SetItemsProcessed(state.iterations() * rows);
}

} // namespace bench
