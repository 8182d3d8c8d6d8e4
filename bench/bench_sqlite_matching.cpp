// The server's own searches and pattern matches on SQLite against the
// library's: a name search with like over a table of payees (the server's
// like reads its pattern once a statement), a glob on a name's beginning (an
// index lookup on both), and instr on a text whose matches start inside
// characters (linear). Each "Library" run is the same statement on a plain
// connection of the library, with its own functions.

#include "BenchOnce.h"
#include "backend/SqliteDatabase.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace {

// A file of `rows` payees named "거래처 N", with an index on the name, and
// the connections that read it.
class PayeeFile
{
public:
    explicit PayeeFile(int rows) : m_file(m_dir.filePath(QStringLiteral("payees.sqlite")))
    {
        if (sqlite3_open(m_file.toUtf8().constData(), &m_library) != SQLITE_OK) {
            std::fputs("bench: cannot open the payee file\n", stderr);
            std::exit(1);
        }
        sqlite3_exec(m_library,
                     "create table payee(name varchar(60), bankno varchar(30));"
                     "create index payee_name on payee(name);",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(m_library, "begin", nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(m_library, "insert into payee values(?, ?)", -1, &insert, nullptr);
        for (int i = 0; i < rows; ++i) {
            const QByteArray name = QStringLiteral("거래처 %1").arg(i, 7, 10, QLatin1Char('0')).toUtf8();
            sqlite3_bind_text(insert, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, "110-123-456789", -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(m_library, "commit", nullptr, nullptr, nullptr);
        m_database = std::make_unique<qvx::SqliteDatabase>(m_file);
        m_server = m_database->connect();
    }
    ~PayeeFile() { sqlite3_close(m_library); }

    qvx::DbConnection &server() { return *m_server; }

    qint64 library(const char *sql)
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(m_library, sql, -1, &stmt, nullptr);
        qint64 value = -1;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            value = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return value;
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
    sqlite3 *m_library = nullptr;
    std::unique_ptr<qvx::SqliteDatabase> m_database;
    std::unique_ptr<qvx::DbConnection> m_server;
};

PayeeFile &payees(int rows)
{
    static int madeFor = 0;
    static std::unique_ptr<PayeeFile> file;
    if (!file || madeFor != rows) {
        file.reset();
        file = std::make_unique<PayeeFile>(rows);
        madeFor = rows;
    }
    return *file;
}

// One row of twenty in a hundred has a 7 where the search looks.
const char *const LikeSearch = "select count(*) as n from payee where name like '%처 %7%'";
// The names of 1% of `rows` rows (a power of ten): their numbers' leading
// zeros and two digits more.
QString globPrefix(int64_t rows)
{
    int zeros = 7;
    for (int64_t r = rows; r > 1; r /= 10)
        --zeros;
    return QStringLiteral("select count(*) as n from payee where name glob '거래처 %1*'")
        .arg(QString(zeros, QLatin1Char('0')) + QStringLiteral("12"));
}

void expectCount(benchmark::State &state, qint64 count)
{
    if (count <= 0)
        state.SkipWithError("the search found nothing");
}

void BM_LikeNameSearch(benchmark::State &state)
{
    PayeeFile &file = payees(int(state.range(0)));
    for (auto _ : state)
        expectCount(state, file.server().query(QString::fromUtf8(LikeSearch)).valueInt64(0, QStringLiteral("n")));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LikeNameSearch)->ArgsProduct({bench::Sizes({10000, 1000000})})->Unit(benchmark::kMillisecond);

void BM_LikeNameSearchLibrary(benchmark::State &state)
{
    PayeeFile &file = payees(int(state.range(0)));
    for (auto _ : state)
        expectCount(state, file.library(LikeSearch));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LikeNameSearchLibrary)->ArgsProduct({bench::Sizes({10000, 1000000})})->Unit(benchmark::kMillisecond);

void BM_GlobPrefix(benchmark::State &state)
{
    PayeeFile &file = payees(int(state.range(0)));
    const QString sql = globPrefix(state.range(0));
    for (auto _ : state)
        expectCount(state, file.server().query(sql).valueInt64(0, QStringLiteral("n")));
}
BENCHMARK(BM_GlobPrefix)->ArgsProduct({bench::Sizes({10000, 1000000})})->Unit(benchmark::kMicrosecond);

void BM_GlobPrefixLibrary(benchmark::State &state)
{
    PayeeFile &file = payees(int(state.range(0)));
    const QByteArray sql = globPrefix(state.range(0)).toUtf8();
    for (auto _ : state)
        expectCount(state, file.library(sql.constData()));
}
BENCHMARK(BM_GlobPrefixLibrary)->ArgsProduct({bench::Sizes({10000, 1000000})})->Unit(benchmark::kMicrosecond);

// A letter and 2 x N - 1 bytes of 0x80 searched for N of them: a match starts
// at every byte after the letter, each inside a character, and none counts.
void BM_InstrInsideCharacters(benchmark::State &state)
{
    PayeeFile &file = payees(10000);
    const qint64 n = state.range(0);
    const QString sql = QStringLiteral("select instr(cast(x'41%1' as text), cast(x'%2' as text)) as n")
                            .arg(QString::fromLatin1(QByteArray(2 * n - 1, '\x80').toHex()),
                                 QString::fromLatin1(QByteArray(n, '\x80').toHex()));
    for (auto _ : state)
        if (file.server().query(sql).valueInt64(0, QStringLiteral("n")) != 0)
            state.SkipWithError("instr counted a match inside a character");
    state.SetBytesProcessed(state.iterations() * 2 * n);
}
BENCHMARK(BM_InstrInsideCharacters)->ArgsProduct({bench::Sizes({4096, 65535})})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
