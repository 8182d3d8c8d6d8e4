#include "backend/MariaDbDatabase.h"

#include "platform/JsonWriter.h"
#include "platform/ResultSetJson.h"
#include "platform/SqlText.h"

#ifdef QVX_HAVE_MARIADB
#include <mysql.h>
#endif

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>

namespace qvx {

void refuseNarrowCharacterSet(DbConnection &c)
{
    const ResultSet rs = c.query(QStringLiteral("select schema_name as db, default_character_set_name as cs "
                                                "from information_schema.schemata where schema_name = database()"));
    const QString characterSet = rs.value(0, QStringLiteral("cs"));
    if (!characterSet.startsWith(QLatin1String("utf8"), Qt::CaseInsensitive))
        throw DbError(QStringLiteral("The database %1 has the character set %2, which cannot hold Korean texts: "
                                     "create it with \"character set utf8mb4\" (see README.md)")
                          .arg(rs.value(0, QStringLiteral("db")), characterSet));
}

QStringList splitSqlScript(const QString &script)
{
    QStringList out;
    QString current;
    const qsizetype n = script.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            current += c;
            for (++i; i < n; ++i) {
                current += script.at(i);
                if (script.at(i) == c) {
                    if (i + 1 < n && script.at(i + 1) == c) {
                        current += script.at(++i);
                        continue;
                    }
                    break;
                }
            }
            continue;
        }
        if ((c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) || c == QLatin1Char('#')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            current += QLatin1Char('\n');
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 1;
            current += QLatin1Char(' ');
            continue;
        }
        if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

// Whether MariaDB answered the latest connection attempt. Its loss is logged
// once, when it happens, and its return once; meanwhile a client is told so
// in its own language.
class MariaDbReach
{
public:
    static QString refusal()
    {
        return QStringLiteral("데이터베이스에 접속할 수 없습니다. 잠시 후 다시 시도하시기 바랍니다.");
    }

    void lost(const QString &reason)
    {
        if (m_lost.exchange(true))
            return;
        std::fprintf(stderr, "QVXServer: MariaDB cannot be reached (%s); clients are told \"%s\" until it answers\n",
                     qPrintable(reason), qPrintable(refusal()));
        std::fflush(stderr);
    }

    void reached()
    {
        if (!m_lost.exchange(false))
            return;
        std::fprintf(stderr, "QVXServer: MariaDB answers again\n");
        std::fflush(stderr);
    }

private:
    std::atomic<bool> m_lost{false};
};

MariaDbDatabase::MariaDbDatabase(const QString &connection)
    : m_reach(std::make_shared<MariaDbReach>())
{
    for (const QString &part : connection.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const QString value = part.section(QLatin1Char('='), 1);
        if (key == QLatin1String("host"))
            m_host = value.trimmed();
        else if (key == QLatin1String("port"))
            m_port = value.trimmed().toUInt();
        else if (key == QLatin1String("user"))
            m_user = value.trimmed();
        else if (key == QLatin1String("password"))
            m_password = value;
        else if (key == QLatin1String("database"))
            m_database = value.trimmed();
        else if (key == QLatin1String("socket"))
            m_socket = value.trimmed();
        else
            throw DbError(QStringLiteral("Unknown MariaDB connection key %1").arg(key));
    }
    if (m_database.isEmpty())
        m_database = QStringLiteral("quvex");
}

#ifdef QVX_HAVE_MARIADB

namespace {

bool isBusyErrno(unsigned e)
{
    return e == 1205 /* lock wait timeout */ || e == 1213 /* deadlock */;
}

// The server closed the connection (its wait_timeout, a restart, a kill).
bool isConnectionLost(unsigned e)
{
    return e == 2006 /* server has gone away */ || e == 2013 /* lost connection */
        || e == 1927 /* connection killed */ || e == 4031 /* disconnected for inactivity */;
}

// Can't connect through the socket or to the host, the host unknown, the
// connection gone while it was made: nothing answers.
bool isUnreachable(unsigned e)
{
    return e == 2002 || e == 2003 || e == 2005 || isConnectionLost(e);
}

// One connection. The server may close an idle one (wait_timeout, a restart):
// a statement outside a transaction then reconnects and runs again, while one
// inside a transaction fails, since the server rolled that transaction back.
class MariaDbConnection : public DbConnection
{
public:
    MariaDbConnection(const QString &host, unsigned port, const QString &user, const QString &password,
                      const QString &database, const QString &socket, std::shared_ptr<MariaDbReach> reach)
        : m_host(host.toUtf8()), m_user(user.toUtf8()), m_password(password.toUtf8()), m_database(database.toUtf8()),
          m_socket(socket.toUtf8()), m_port(port), m_reach(std::move(reach))
    {
        open();
    }

    ~MariaDbConnection() override
    {
        if (m_db) {
            if (m_inTransaction)
                mysql_query(m_db, "ROLLBACK");
            mysql_close(m_db);
        }
    }

    // Rows are read from the server one at a time (never the whole answer
    // stored first) and counted against the answer cap as they come.
    ResultSet query(const QString &sql) override
    {
        const Result result = run(sql);
        if (!result)
            return ResultSet();
        ResultSet rs(columnNames(result));
        const unsigned columns = mysql_num_fields(result.get());
        QStringList values;
        qint64 answerBytes = 0;
        while (MYSQL_ROW row = nextRow(result)) {
            const unsigned long *lengths = mysql_fetch_lengths(result.get());
            values.clear();
            for (unsigned c = 0; c < columns; ++c) {
                answerBytes += qint64(lengths[c]) + 3;
                values << (row[c] ? QString::fromUtf8(row[c], qsizetype(lengths[c])) : QString());
            }
            refuseLongAnswer(answerBytes);
            rs.appendRow(values);
        }
        return rs;
    }

    // The protocol's JSON written straight from the rows as they arrive:
    // the answer's text is the only copy of it the server holds.
    QByteArray queryJson(const QString &sql) override
    {
        const Result result = run(sql);
        if (!result)
            return ResultSetJson(ResultSet());
        const QStringList names = columnNames(result);
        const unsigned columns = mysql_num_fields(result.get());
        JsonWriter out;
        beginStreamedAnswer(out, names);
        for (bool first = true; MYSQL_ROW row = nextRow(result); first = false) {
            const unsigned long *lengths = mysql_fetch_lengths(result.get());
            out.raw(first ? "[" : ",[", first ? 1 : 2);
            for (unsigned c = 0; c < columns; ++c) {
                if (c > 0)
                    out.raw(',');
                if (row[c])
                    out.utf8String(row[c], qsizetype(lengths[c]));
                else
                    out.null();
            }
            out.raw(']');
            checkAnswer(out.size());
        }
        out.raw("]}", 2);
        return out.take();
    }

    qint64 exec(const QString &sql) override
    {
        if (run(sql))
            return 0; // rows of a statement run for its effect are read and dropped
        return qint64(mysql_affected_rows(m_db));
    }

    void execScript(const QString &sql) override
    {
        for (const QString &statement : splitSqlScript(sql))
            exec(statement);
    }

    void begin() override
    {
        if (m_inTransaction)
            return;
        send("START TRANSACTION");
        m_inTransaction = true;
    }
    void commit() override
    {
        if (!m_inTransaction)
            return;
        try {
            send("COMMIT");
        } catch (...) {
            m_inTransaction = false;
            throw;
        }
        m_inTransaction = false;
    }
    void rollback() override
    {
        if (!m_inTransaction)
            return;
        m_inTransaction = false;
        send("ROLLBACK"); // on a lost connection the server has rolled back already
    }
    bool inTransaction() const override { return m_inTransaction; }

    void setBusyTimeout(int ms) override
    {
        m_busySeconds = qMax(1, (ms + 999) / 1000);
        send(busyTimeoutStatement());
    }

    // The time limit is the server's max_statement_time of the session
    // (whole seconds and fractions); a cancellation cannot reach a statement
    // that waits on the server and is not supported here.
    void setStatementGuard(StatementGuard guard) override
    {
        m_statementLimit = guard.timeLimitMs > 0 ? "SET SESSION max_statement_time = "
                                                       + QByteArray::number(guard.timeLimitMs / 1000.0, 'f', 3)
                                                 : QByteArray("SET SESSION max_statement_time = 0");
        send(m_statementLimit);
    }

    bool tableExists(const QString &table) override
    {
        const ResultSet rs = query(QStringLiteral("select count(*) as n from information_schema.tables "
                                                  "where table_schema = database() and lower(table_name) = lower(%1)")
                                       .arg(sqlQuote(table)));
        return rs.valueInt(0, QStringLiteral("n")) > 0;
    }

private:
    // A statement's rows, read from the server as they are fetched. Freeing
    // reads and drops what was not fetched, so the connection is ready for
    // its next statement whichever way the rows' reader leaves.
    struct FreeResult
    {
        void operator()(MYSQL_RES *result) const { mysql_free_result(result); }
    };
    using Result = std::unique_ptr<MYSQL_RES, FreeResult>;

    // Sends the statement; its rows, or null for a statement that gives none.
    Result run(const QString &sql)
    {
        send(sql.toUtf8());
        Result result(mysql_use_result(m_db));
        if (!result && mysql_field_count(m_db) != 0)
            fail();
        return result;
    }

    // The next row; null after the last. A statement stopped while its rows
    // were sent (its time limit, a lost connection) fails.
    MYSQL_ROW nextRow(const Result &result)
    {
        MYSQL_ROW row = mysql_fetch_row(result.get());
        if (!row && mysql_errno(m_db) != 0)
            fail();
        return row;
    }

    static QStringList columnNames(const Result &result)
    {
        const unsigned columns = mysql_num_fields(result.get());
        const MYSQL_FIELD *fields = mysql_fetch_fields(result.get());
        QStringList names;
        for (unsigned c = 0; c < columns; ++c)
            names << QString::fromUtf8(fields[c].name, qsizetype(fields[c].name_length));
        return names;
    }

    QByteArray busyTimeoutStatement() const
    {
        return "SET SESSION innodb_lock_wait_timeout = " + QByteArray::number(m_busySeconds);
    }

    // Connects and sets the session up; DbError when it cannot.
    void open()
    {
        m_db = mysql_init(nullptr);
        if (!m_db)
            throw DbError(QStringLiteral("MariaDB: out of memory"));
        mysql_options(m_db, MYSQL_SET_CHARSET_NAME, "utf8mb4");
        if (!mysql_real_connect(m_db, m_host.isEmpty() ? nullptr : m_host.constData(), m_user.constData(),
                                m_password.constData(), m_database.constData(), m_port,
                                m_socket.isEmpty() ? nullptr : m_socket.constData(), 0)) {
            const QString message = QStringLiteral("Cannot connect to MariaDB: %1").arg(QString::fromUtf8(mysql_error(m_db)));
            const bool unreachable = isUnreachable(mysql_errno(m_db));
            mysql_close(m_db);
            m_db = nullptr;
            if (!unreachable)
                throw DbError(message);
            m_reach->lost(message);
            throw DbError(MariaDbReach::refusal());
        }
        m_reach->reached();
        for (const QByteArray &setup : {QByteArray("SET SESSION sql_mode = 'NO_BACKSLASH_ESCAPES,STRICT_TRANS_TABLES'"),
                                        QByteArray("SET autocommit = 1"), busyTimeoutStatement(), m_statementLimit}) {
            if (setup.isEmpty())
                continue;
            if (mysql_real_query(m_db, setup.constData(), static_cast<unsigned long>(setup.size())) != 0) {
                const QString message = QString::fromUtf8(mysql_error(m_db));
                mysql_close(m_db);
                m_db = nullptr;
                throw DbError(QStringLiteral("Cannot set up the MariaDB session: %1").arg(message));
            }
        }
    }

    void reopen()
    {
        if (m_db) {
            mysql_close(m_db);
            m_db = nullptr;
        }
        open();
    }

    void send(const QByteArray &sql)
    {
        if (m_db && mysql_real_query(m_db, sql.constData(), static_cast<unsigned long>(sql.size())) == 0)
            return;
        if (m_db && !isConnectionLost(mysql_errno(m_db)))
            fail();
        // The connection is gone (or a reconnect failed before).
        if (m_inTransaction) {
            m_inTransaction = false;
            try {
                reopen();
            } catch (const DbError &) {
            }
            throw DbError(QStringLiteral("The connection to MariaDB was lost; its open transaction was rolled back"));
        }
        reopen();
        if (mysql_real_query(m_db, sql.constData(), static_cast<unsigned long>(sql.size())) != 0)
            fail();
    }

    [[noreturn]] void fail()
    {
        const unsigned e = mysql_errno(m_db);
        // A deadlock rolls the whole transaction back on the server.
        if (e == 1213)
            m_inTransaction = false;
        throw DbError(QString::fromUtf8(mysql_error(m_db)), isBusyErrno(e));
    }

    const QByteArray m_host, m_user, m_password, m_database, m_socket;
    const unsigned m_port;
    const std::shared_ptr<MariaDbReach> m_reach;
    int m_busySeconds = 5;
    QByteArray m_statementLimit; // set again on a new session
    MYSQL *m_db = nullptr;
    bool m_inTransaction = false;
};

} // namespace

bool MariaDbDatabase::isAvailable()
{
    return true;
}

std::unique_ptr<DbConnection> MariaDbDatabase::connect()
{
    static std::once_flag once;
    std::call_once(once, [] { mysql_library_init(0, nullptr, nullptr); });
    return std::make_unique<MariaDbConnection>(m_host, m_port, m_user, m_password, m_database, m_socket, m_reach);
}

#else

bool MariaDbDatabase::isAvailable()
{
    return false;
}

std::unique_ptr<DbConnection> MariaDbDatabase::connect()
{
    throw DbError(QStringLiteral("This server was built without MariaDB support"));
}

#endif

} // namespace qvx
