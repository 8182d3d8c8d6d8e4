#include "backend/SqliteDatabase.h"

#include "platform/AppServer.h"
#include "platform/JsonWriter.h"
#include "platform/ResultSetJson.h"

#include <string>
#include <vector>

#include "backend/GlobPrefixRange.h"
#include "backend/MySqlToSqlite.h"
#include "backend/SqliteAccess.h"
#include "backend/SqliteBoundedFunctions.h"
#include "backend/SqliteMemory.h"
#include "platform/SqlText.h"

#include <sqlite3.h>

#include <array>
#include <charconv>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

namespace qvx {

DbError::DbError(const QString &message, bool busy)
    : TextError(message), m_busy(busy)
{
}

DbConnection::~DbConnection() = default;
AnswerMeter::~AnswerMeter() = default;

QByteArray DbConnection::queryJson(const QString &sql)
{
    return ResultSetJson(query(sql));
}

void DbConnection::createTableIfMissing(const QString &table, const QString &createStatement)
{
    if (!tableExists(table))
        exec(createStatement);
}
Database::~Database() = default;

namespace {

// The longest single value (or row) a statement may make: far above any the
// programs store (a request row is a few kilobytes, the longest column 2,000
// characters), and small enough that one step of a statement on it (a copy,
// a function call) takes well under a millisecond.
constexpr int MaxValueBytes = 128 * 1024;

// The engine looks at the time limit only where a program loops, so the work
// between two looks is bounded by what a program holds. Its steps that read
// or compute a value (a column, a function, a join of texts, a copy) may each
// take a while on a value near the cap: a program holds at most 5000 of them.
// Its other steps (a literal, a jump, the hand-over of one row of a multi-row
// insert) take no time, so a program may hold many more of them: a multi-row
// insert of 5000 rows of the widest request table takes about 185,000 steps,
// a list of thousands of message numbers three a number. The pragmas that
// check the whole schema take more, on no values of the statement's own.
constexpr int MaxValueSteps = 5000;
constexpr int MaxProgramSteps = 250000;
constexpr int MaxPragmaSteps = 1000000;

// The longest LIKE or GLOB pattern: a match may take (text x pattern) steps.
// The programs' patterns are a name between two '%'.
constexpr int MaxPatternBytes = 1000;

// How many steps of a statement run between two looks at its time limit and
// its client.
constexpr int StepsPerCheck = 100;

} // namespace

// An answer longer than a client reads is refused while it is being made.
void refuseLongAnswer(qint64 bytes)
{
    if (bytes > AppServer::MaxAnswerBytes)
        throw DbError(QStringLiteral("Answer too large (more than %1 bytes)").arg(AppServer::MaxAnswerBytes));
}

void beginStreamedAnswer(JsonWriter &out, const QStringList &columns)
{
    out.raw("{\"columns\":[", 12);
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (c > 0)
            out.raw(',');
        out.string(columns.at(c));
    }
    out.raw("],\"rows\":[", 10);
}

namespace {

// Whether a step of a program (its opcode as the engine's listing names it)
// reads or computes a value, and may so take a while on a long one. A
// literal, a jump, a comparison of a value with a literal (it ends within
// the literal) or a record of literals takes no time.
bool stepWorksOnValues(const char *opcode)
{
    static constexpr std::array names{"Affinity", "AggFinal", "AggInverse", "AggStep", "AggStep1", "AggValue",
                                      "Cast",     "Column",   "Concat",     "Copy",    "Function", "Function0",
                                      "PureFunc", "PureFunc0", "RowData",   "VColumn"};
    for (const char *name : names)
        if (std::strcmp(opcode, name) == 0)
            return true;
    return false;
}

bool isBusyCode(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

class Statement
{
public:
    Statement() = default;
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    sqlite3_stmt **out() { return &m_stmt; }
    sqlite3_stmt *get() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

bool onlyBlanksAndComments(const char *p)
{
    while (*p) {
        if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == ';') {
            ++p;
        } else if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            const char *end = std::strstr(p + 2, "*/");
            if (!end)
                return true;
            p = end + 2;
        } else {
            return false;
        }
    }
    return true;
}

QString valueText(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return realToText(sqlite3_column_double(stmt, column));
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
        const int bytes = sqlite3_column_bytes(stmt, column);
        return text ? QString::fromUtf8(text, bytes) : QString(QLatin1String(""));
    }
    }
}

class SqliteConnection : public DbConnection
{
public:
    // A client's connection (`client`) holds a bounded share of the engine's
    // memory; the server's own connections only the engine's limit.
    SqliteConnection(const QString &file, QString name, bool client)
        : m_name(std::move(name)), m_share(client ? sqlitememory::newShare() : nullptr)
    {
        const sqlitememory::Scope scope(m_share);
        const int rc = sqlite3_open_v2(file.toUtf8().constData(), &m_db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            QString message = sqlitememory::takeRefusal(m_share);
            if (message.isEmpty())
                message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
            sqlite3_close(m_db);
            m_db = nullptr;
            sqlitememory::releaseShare(m_share);
            // The file's path stays on the server: the reason goes back to a client.
            throw DbError(QStringLiteral("Cannot open the database: %1").arg(message));
        }
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_handler(m_db, &SqliteConnection::onBusy, this);
        sqlite3_progress_handler(m_db, StepsPerCheck, &SqliteConnection::onProgress, this);
        m_stop = StatementStop{&SqliteConnection::stopRequested, this};
        registerMySqlFunctions(m_db, &m_stop);
        registerBoundedFunctions(m_db, &m_stop);
        execRaw("PRAGMA journal_mode=WAL");
        execRaw("PRAGMA synchronous=NORMAL");
        execRaw("PRAGMA foreign_keys=OFF");
        // No statement needs a virtual table: the modules the library brings
        // (full-text search with its tokenizers, r-trees, page and statement
        // views) are removed, and creating one is refused below.
        sqlite3_drop_modules(m_db, nullptr);
        // No value the programs store comes near this; a statement that makes a
        // longer one (zeroblob, repeated concat) fails instead of taking the
        // server's memory.
        sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, MaxValueBytes);
        sqlite3_limit(m_db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, MaxPatternBytes);
        sqlite3_set_authorizer(m_db, &SqliteConnection::authorize, this);
    }

    ~SqliteConnection() override
    {
        {
            const sqlitememory::Scope scope(m_share);
            if (m_db) {
                if (!sqlite3_get_autocommit(m_db))
                    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
                sqlite3_close_v2(m_db);
            }
        }
        sqlitememory::releaseShare(m_share);
    }

    ResultSet query(const QString &sql) override
    {
        const sqlitememory::Scope scope(m_share);
        const Armed armed(*this, true);
        QString pattern;
        if (parseShowTables(sql, &pattern))
            return showTables(pattern);
        Statement stmt;
        const QStringList names = prepareQuery(sql, stmt);
        const int columns = int(names.size());
        ResultSet rs(names);
        // A text equal to the one above it takes that one's number: long
        // answers repeat most of their columns row after row.
        std::vector<std::string> aboveBytes(static_cast<size_t>(columns));
        std::vector<ResultSet::TextId> above(static_cast<size_t>(columns), 0);
        qint64 answerBytes = 0;
        while (nextRow(stmt)) {
            for (int c = 0; c < columns; ++c) {
                answerBytes += sqlite3_column_bytes(stmt.get(), c) + 3;
                refuseLongAnswer(answerBytes);
                refuseIfOutOfMemory();
            }
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(stmt.get(), c) != SQLITE_TEXT) {
                    rs.appendCell(rs.addText(c, valueText(stmt.get(), c)));
                    continue;
                }
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), c));
                const size_t bytes = size_t(sqlite3_column_bytes(stmt.get(), c));
                std::string &previous = aboveBytes[size_t(c)];
                ResultSet::TextId &id = above[size_t(c)];
                if (!text || id == 0 || previous.size() != bytes || previous.compare(0, bytes, text, bytes) != 0) {
                    id = rs.addText(c, valueText(stmt.get(), c));
                    previous.assign(text ? text : "", bytes);
                }
                rs.appendCell(id);
            }
        }
        return rs;
    }

    QByteArray queryJson(const QString &sql) override
    {
        const sqlitememory::Scope scope(m_share);
        const Armed armed(*this, true);
        QString pattern;
        if (parseShowTables(sql, &pattern))
            return ResultSetJson(showTables(pattern));
        Statement stmt;
        const QStringList names = prepareQuery(sql, stmt);
        const int columns = int(names.size());
        // Written straight from the database's UTF-8, with the values the
        // ResultSet of query() would hold.
        JsonWriter out;
        beginStreamedAnswer(out, names);
        for (bool first = true; nextRow(stmt); first = false) {
            out.raw(first ? "[" : ",[", first ? 1 : 2);
            for (int c = 0; c < columns; ++c) {
                if (c > 0)
                    out.raw(',');
                // The column's value taken once: the connection is used by
                // one thread at a time (no mutex), so reading it through
                // sqlite3_value_* is reading it through sqlite3_column_*,
                // with one look-up of the column instead of three.
                sqlite3_value *value = sqlite3_column_value(stmt.get(), c);
                switch (sqlite3_value_type(value)) {
                case SQLITE_NULL:
                    out.null();
                    break;
                case SQLITE_INTEGER: {
                    // Digits need no escaping: written as they are made.
                    char digits[26];
                    digits[0] = '"';
                    const auto made = std::to_chars(digits + 1, digits + sizeof digits - 1,
                                                    sqlite3_value_int64(value));
                    *made.ptr = '"';
                    out.raw(digits, made.ptr + 1 - digits);
                    break;
                }
                case SQLITE_FLOAT:
                    out.string(valueText(stmt.get(), c));
                    break;
                default: {
                    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
                    if (!text)
                        refuseIfOutOfMemory();
                    const int bytes = text ? sqlite3_value_bytes(value) : 0;
                    // Checked before and after each value: written out, one
                    // value may grow to six times its bytes.
                    checkAnswer(out.size() + bytes);
                    out.utf8String(text ? text : "", bytes);
                    checkAnswer(out.size());
                }
                }
            }
            out.raw(']');
            checkAnswer(out.size());
        }
        out.raw("]}", 2);
        return out.take();
    }

    qint64 exec(const QString &sql) override
    {
        const sqlitememory::Scope scope(m_share);
        const Armed armed(*this, true);
        if (parseShowTables(sql, nullptr))
            return 0;
        const TranslatedSql t = translateMySqlToSqlite(sql);
        Statement stmt;
        prepare(t.text, stmt);
        while (nextRow(stmt)) {
        }
        return sqlite3_changes64(m_db);
    }

    // Prepares a query and returns its column names as MySQL gives them.
    QStringList prepareQuery(const QString &sql, Statement &stmt)
    {
        const TranslatedSql t = translateMySqlToSqlite(sql);
        prepare(t.text, stmt);
        const int columns = sqlite3_column_count(stmt.get());
        QStringList names;
        for (int c = 0; c < columns; ++c)
            names << t.originalOf(sql, QString::fromUtf8(sqlite3_column_name(stmt.get(), c)));
        // A plain column is named as the statement writes it, as MySQL does.
        const QStringList written = writtenColumnNames(sql);
        if (written.size() == columns) {
            for (int c = 0; c < columns; ++c)
                if (!written.at(c).isEmpty() && written.at(c).compare(names.at(c), Qt::CaseInsensitive) == 0)
                    names[c] = written.at(c);
        }
        return names;
    }

    void execScript(const QString &sql) override
    {
        const sqlitememory::Scope scope(m_share);
        char *error = nullptr;
        const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        if (rc != SQLITE_OK) {
            const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
            sqlite3_free(error);
            throw DbError(message, isBusyCode(rc));
        }
    }

    void begin() override
    {
        if (inTransaction())
            return;
        const sqlitememory::Scope scope(m_share);
        const Armed armed(*this, false); // a wait for the write lock can be cancelled
        execRaw("BEGIN IMMEDIATE");
    }
    void commit() override
    {
        const sqlitememory::Scope scope(m_share);
        if (inTransaction())
            execRaw("COMMIT");
    }
    void rollback() override
    {
        const sqlitememory::Scope scope(m_share);
        if (inTransaction())
            execRaw("ROLLBACK");
    }
    bool inTransaction() const override { return !sqlite3_get_autocommit(m_db); }

    void setBusyTimeout(int ms) override { m_busyTimeoutMs = ms; }
    void setStatementGuard(StatementGuard guard) override { m_guard = std::move(guard); }

    bool tableExists(const QString &table) override
    {
        const ResultSet rs = query(QStringLiteral("select count(*) as n from sqlite_master where type in ('table','view') "
                                                  "and lower(name) = lower(%1)").arg(sqlQuote(table)));
        return rs.valueInt(0, QStringLiteral("n")) > 0;
    }

private:
    using SteadyClock = std::chrono::steady_clock;

    // The guard's checks, active while a statement of the client runs.
    class Armed
    {
    public:
        Armed(SqliteConnection &c, bool timed) : m_c(c), m_nested(c.m_armed)
        {
            if (m_nested)
                return; // a statement the running one runs itself (show tables)
            const auto now = SteadyClock::now();
            c.m_stopReason.clear();
            c.m_armed = true;
            c.m_timed = timed && c.m_guard.timeLimitMs > 0;
            c.m_deadline = now + std::chrono::milliseconds(c.m_guard.timeLimitMs);
            c.m_nextCancelCheck = now;
        }
        ~Armed()
        {
            if (m_nested)
                return;
            m_c.m_armed = false;
            m_c.m_timed = false;
        }
        Armed(const Armed &) = delete;
        Armed &operator=(const Armed &) = delete;

    private:
        SqliteConnection &m_c;
        const bool m_nested;
    };

    // Whether the statement running now must stop (its reason in m_stopReason).
    bool shouldStop()
    {
        if (!m_armed)
            return false;
        if (!m_stopReason.isEmpty())
            return true;
        const auto now = SteadyClock::now();
        if (m_timed && now >= m_deadline) {
            m_stopReason = QStringLiteral("Statement stopped: it ran longer than the statement time limit (%1 ms)")
                               .arg(m_guard.timeLimitMs);
            return true;
        }
        if (m_guard.cancel && now >= m_nextCancelCheck) {
            m_nextCancelCheck = now + std::chrono::milliseconds(50);
            m_stopReason = m_guard.cancel();
            return !m_stopReason.isEmpty();
        }
        return false;
    }

    static QString functionRefusal(const QString &name)
    {
        return QStringLiteral("Refused: the function %1 is not available on this server").arg(name);
    }

    static QString fileSystemRefusal()
    {
        return QStringLiteral("Refused: statements that reach the file system (attach, detach, vacuum into, "
                              "load_extension) are not accepted");
    }

    static int onProgress(void *self) { return static_cast<SqliteConnection *>(self)->shouldStop() ? 1 : 0; }
    static bool stopRequested(void *self) { return static_cast<SqliteConnection *>(self)->shouldStop(); }

    // Why the engine found no memory: this connection's share or what all
    // clients may hold is taken, or the engine's own limit is reached.
    QString memoryRefusal()
    {
        const QString reason = sqlitememory::takeRefusal(m_share);
        if (!reason.isEmpty())
            return reason;
        return QStringLiteral("Statement stopped: it needs more memory than the database may use (more than %1 "
                              "bytes)")
            .arg(sqlitememory::HardLimitBytes);
    }

    // A value SQLite could not make for want of memory reads as empty: the
    // statement fails instead.
    void refuseIfOutOfMemory()
    {
        if ((sqlite3_errcode(m_db) & 0xff) == SQLITE_NOMEM)
            throw DbError(memoryRefusal());
    }

    // Waits for a lock in short sleeps, so that a cancelled statement stops
    // waiting at once; gives up after the busy time-out.
    static int onBusy(void *self, int count)
    {
        auto *c = static_cast<SqliteConnection *>(self);
        const auto now = SteadyClock::now();
        if (count == 0)
            c->m_busySince = now;
        if (c->shouldStop())
            return 0;
        const auto waited = now - c->m_busySince;
        const auto limit = std::chrono::milliseconds(c->m_busyTimeoutMs);
        if (waited >= limit)
            return 0;
        const auto step = std::chrono::milliseconds(count < 4 ? (1 << count) : 10);
        std::this_thread::sleep_for(std::min<SteadyClock::duration>(step, limit - waited));
        return 1;
    }

    // Statements reach the database only. ATTACH and VACUUM INTO create or
    // open any file the server may write, DETACH goes with them,
    // load_extension runs code from any file; functions, pragmas and virtual
    // tables outside backend/SqliteAccess.h are refused (fts3_tokenizer hands
    // out and takes addresses in the server's memory, locking_mode keeps the
    // write lock past the transaction, temp_store_directory moves every
    // connection's temporary files, writable_schema lets a statement break
    // the schema).
    static int authorize(void *self, int action, const char *arg1, const char *arg2, const char *, const char *)
    {
        auto *c = static_cast<SqliteConnection *>(self);
        switch (action) {
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            c->m_refusal = fileSystemRefusal();
            return SQLITE_DENY;
        case SQLITE_FUNCTION:
            if (arg2 && sqlite3_stricmp(arg2, "load_extension") == 0) {
                c->m_refusal = fileSystemRefusal();
                return SQLITE_DENY;
            }
            if (!sqliteaccess::functionAllowed(arg2) && !(c->m_inAlter && sqliteaccess::alterFunctionAllowed(arg2))) {
                c->m_refusal = functionRefusal(QString::fromUtf8(arg2 ? arg2 : ""));
                return SQLITE_DENY;
            }
            return SQLITE_OK;
        case SQLITE_PRAGMA:
            if (!sqliteaccess::pragmaAllowed(arg1, arg2)) {
                c->m_refusal = QStringLiteral("Refused: pragma %1 is not accepted (only pragmas that read are)")
                                   .arg(QString::fromUtf8(arg1 ? arg1 : ""));
                return SQLITE_DENY;
            }
            return SQLITE_OK;
        case SQLITE_ALTER_TABLE:
            c->m_inAlter = true;
            return SQLITE_OK;
        case SQLITE_CREATE_VTABLE:
        case SQLITE_DROP_VTABLE:
            c->m_refusal = QStringLiteral("Refused: virtual tables are not available on this server");
            return SQLITE_DENY;
        default:
            return SQLITE_OK;
        }
    }

    ResultSet showTables(const QString &pattern)
    {
        QString sql = QStringLiteral("select lower(name) from sqlite_master where type = 'table' "
                                     "and name not like 'sqlite\\_%' escape '\\'");
        if (!pattern.isEmpty())
            sql += QStringLiteral(" and lower(name) like lower(%1)").arg(sqlQuote(pattern));
        sql += QStringLiteral(" order by lower(name)");
        ResultSet raw = query(sql);
        return ResultSet(QStringList{QStringLiteral("Tables_in_") + m_name}, raw.rows());
    }

    void prepare(const QString &sql, Statement &stmt)
    {
        const QByteArray utf8 = withGlobPrefixRanges(sql, [this](const QString &table, const QString &column) {
                                    return binaryTextColumn(table, column);
                                }).toUtf8();
        const char *tail = nullptr;
        m_refusal.clear();
        m_inAlter = false;
        const QString refused = sqliteaccess::refusedSchemaFunction(sql);
        if (!refused.isEmpty())
            throw DbError(functionRefusal(refused));
        // Inside a transaction SQLite refuses VACUUM before the authorizer
        // sees its ATTACH: the same reason either way.
        const QString words = sql.simplified().toLower();
        if (words.startsWith(QLatin1String("vacuum")) && words.contains(QLatin1String(" into ")))
            throw DbError(fileSystemRefusal());
        // The engine refuses a program once the room it would grow to (twice
        // the room it has) passes the limit: a limit of twice a bound lets
        // every program within the bound be made.
        int rc = SQLITE_OK;
        if (words.startsWith(QLatin1String("pragma"))) {
            sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, 2 * MaxPragmaSteps);
            rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), stmt.out(), &tail);
        } else {
            // A program that fits in this room is within both bounds, however
            // many of its steps work on values; a longer one is looked at.
            sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, MaxValueSteps);
            rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), stmt.out(), &tail);
            if (programTooLong(rc)) {
                sqlite3_limit(m_db, SQLITE_LIMIT_VDBE_OP, 2 * MaxProgramSteps);
                if (!words.startsWith(QLatin1String("explain")))
                    refuseLongProgram(utf8);
                rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), stmt.out(), &tail);
            }
        }
        // A statement past its connection's share of the engine's memory
        // reads as out of memory too: that refusal says so.
        if ((rc & 0xff) == SQLITE_NOMEM) {
            const QString refusal = sqlitememory::takeRefusal(m_share);
            if (!refusal.isEmpty())
                throw DbError(refusal);
        }
        if (programTooLong(rc))
            throw DbError(programRefusal(MaxProgramSteps, ""));
        if (rc != SQLITE_OK)
            fail(rc);
        if (!stmt.get())
            throw DbError(QStringLiteral("Query was empty"));
        if (tail && !onlyBlanksAndComments(tail))
            throw DbError(QStringLiteral("Only one statement at a time is accepted"));
    }

    // Whether the table's column has text affinity and binary collation, as
    // the library reads its declared type.
    bool binaryTextColumn(const QString &table, const QString &column)
    {
        const char *declared = nullptr;
        const char *collation = nullptr;
        if (sqlite3_table_column_metadata(m_db, nullptr, table.toUtf8().constData(), column.toUtf8().constData(),
                                          &declared, &collation, nullptr, nullptr, nullptr)
            != SQLITE_OK)
            return false;
        const QByteArray type = QByteArray(declared ? declared : "").toUpper();
        const bool text = !type.contains("INT") && (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT"));
        return text && collation && sqlite3_stricmp(collation, "BINARY") == 0;
    }

    // A program past the engine's limit reads as out of memory.
    static bool programTooLong(int rc)
    {
        return (rc & 0xff) == SQLITE_NOMEM && sqlite3_memory_used() < sqlitememory::HardLimitBytes / 2;
    }

    static QString programRefusal(int steps, const char *kind)
    {
        return QStringLiteral("Refused: the statement is too long for this server (more than %1 steps of the "
                              "database engine%2)")
            .arg(steps)
            .arg(QLatin1String(kind));
    }

    // Counts the steps of the statement's program (its triggers' included)
    // in the engine's own listing of it, and refuses it past either bound.
    void refuseLongProgram(const QByteArray &utf8)
    {
        const QByteArray listing = QByteArrayLiteral("explain ") + utf8;
        Statement explain;
        const int rc = sqlite3_prepare_v2(m_db, listing.constData(), int(listing.size()), explain.out(), nullptr);
        if (programTooLong(rc))
            throw DbError(programRefusal(MaxProgramSteps, ""));
        if (rc != SQLITE_OK)
            fail(rc);
        qint64 steps = 0;
        qint64 valueSteps = 0;
        while (nextRow(explain)) {
            ++steps;
            const auto *opcode = reinterpret_cast<const char *>(sqlite3_column_text(explain.get(), 1));
            if (opcode && stepWorksOnValues(opcode))
                ++valueSteps;
        }
        if (steps > MaxProgramSteps)
            throw DbError(programRefusal(MaxProgramSteps, ""));
        if (valueSteps > MaxValueSteps)
            throw DbError(programRefusal(MaxValueSteps, " that read or compute a value"));
    }

    void execRaw(const char *sql)
    {
        char *error = nullptr;
        const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
        if (rc != SQLITE_OK) {
            const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
            sqlite3_free(error);
            throwStopped();
            if ((rc & 0xff) == SQLITE_NOMEM)
                throw DbError(memoryRefusal());
            throw DbError(message, isBusyCode(rc));
        }
    }

    // A statement stopped by its guard or refused by the authorizer fails
    // with the reason rather than SQLite's "interrupted" or "not authorized".
    void throwStopped()
    {
        for (QString *reason : {&m_stopReason, &m_refusal}) {
            if (!reason->isEmpty()) {
                const QString message = *reason;
                reason->clear();
                throw DbError(message);
            }
        }
    }

    // Steps to the statement's next row: false when there is none.
    bool nextRow(Statement &stmt)
    {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            fail(rc);
        return true;
    }

    [[noreturn]] void fail(int rc)
    {
        throwStopped();
        if ((rc & 0xff) == SQLITE_NOMEM)
            throw DbError(memoryRefusal());
        throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)), isBusyCode(rc));
    }

    sqlite3 *m_db = nullptr;
    QString m_name;
    sqlitememory::Share *m_share = nullptr; // null: the server's own connection
    int m_busyTimeoutMs = 5000;
    StatementGuard m_guard;
    StatementStop m_stop; // how the connection's functions ask shouldStop()
    bool m_inAlter = false; // the statement being prepared is an ALTER TABLE
    bool m_armed = false;
    bool m_timed = false;
    SteadyClock::time_point m_deadline, m_nextCancelCheck, m_busySince;
    QString m_stopReason; // why the running statement stops
    QString m_refusal;    // why the authorizer refused the statement being prepared
};

} // namespace

SqliteDatabase::SqliteDatabase(const QString &file, const QString &name)
    : m_file(file), m_name(name)
{
    sqlitememory::install();
}

std::unique_ptr<DbConnection> SqliteDatabase::connect()
{
    return std::make_unique<SqliteConnection>(m_file, m_name, false);
}

std::unique_ptr<DbConnection> SqliteDatabase::connectForClient()
{
    return std::make_unique<SqliteConnection>(m_file, m_name, true);
}

} // namespace qvx
