#pragma once

#include "platform/ResultSet.h"

#include <QString>

#include <functional>
#include <memory>

namespace qvx {

// A failed database call; busy() when it failed because a lock could not be
// had within the connection's busy time-out.
class DbError : public TextError
{
public:
    DbError(const QString &message, bool busy = false);
    bool busy() const { return m_busy; }

private:
    bool m_busy;
};

// An answer longer than a client reads is refused while it is being made:
// DbError once `bytes` pass the cap, on every back end alike.
void refuseLongAnswer(qint64 bytes);

// Told how long an answer of queryJson() has grown; throws DbError to
// refuse it (the server's room for answers in flight is taken).
class AnswerMeter
{
public:
    virtual ~AnswerMeter();
    virtual void grown(qint64 bytes) = 0;
};

class JsonWriter;
// Opens an answer written as its rows come: {"columns":[...],"rows":[
void beginStreamedAnswer(JsonWriter &out, const QStringList &columns);

// One connection to the database. Used by one thread at a time. Statements
// are MySQL-flavoured text; a connection to another kind of database
// translates what it must (see SqliteDatabase).
class DbConnection
{
public:
    virtual ~DbConnection();

    // Runs a statement that gives rows (SELECT, "show tables", ...).
    virtual ResultSet query(const QString &sql) = 0;
    // The same rows as the protocol's JSON text ({"columns":[...],"rows":[[...]]},
    // platform/ResultSetJson.h). A database may write it without the ResultSet.
    virtual QByteArray queryJson(const QString &sql);
    // The meter queryJson() tells as its answer grows (null: none).
    void setAnswerMeter(AnswerMeter *meter) { m_answerMeter = meter; }
    // Runs a statement that gives no rows; returns the number of rows changed.
    virtual qint64 exec(const QString &sql) = 0;
    // Runs several statements separated by ';' (schema and demo scripts).
    virtual void execScript(const QString &sql) = 0;

    // Transactions. begin() takes the write lock at once (waiting up to the
    // busy time-out; DbError with busy() when it cannot).
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
    virtual bool inTransaction() const = 0;

    virtual void setBusyTimeout(int ms) = 0;

    // Limits on the statements of query(), queryJson() and exec():
    // `timeLimitMs` (0: none) bounds each one; `cancel` is asked now and
    // then while any statement runs or waits for a lock (begin() included,
    // commit and rollback excepted) and stops it when it gives a reason. A
    // stopped statement fails with DbError(reason); inside a transaction the
    // database may have rolled the transaction back (see inTransaction()).
    struct StatementGuard
    {
        int timeLimitMs = 0;
        std::function<QString()> cancel;
    };
    virtual void setStatementGuard(StatementGuard guard) = 0;

    // Whether a table exists (name without regard to case).
    virtual bool tableExists(const QString &table) = 0;

    // Runs `createStatement` when the table does not exist yet. MariaDB asks
    // for the CREATE privilege even for "create table if not exists" of a
    // table that exists: a server that finds its tables needs no more than
    // SELECT, INSERT, UPDATE and DELETE.
    void createTableIfMissing(const QString &table, const QString &createStatement);

protected:
    // An answer of `bytes` so far: refused past the cap, and told to the meter.
    void checkAnswer(qint64 bytes)
    {
        refuseLongAnswer(bytes);
        if (m_answerMeter)
            m_answerMeter->grown(bytes);
    }

private:
    AnswerMeter *m_answerMeter = nullptr;
};

// A database: hands out connections. Shared between threads.
class Database
{
public:
    virtual ~Database();
    virtual std::unique_ptr<DbConnection> connect() = 0;
    // A connection for one client's statements: it may hold no more of the
    // database's memory than one client's share (SQLite; elsewhere the same
    // as connect()). connect() is for the server's own work.
    virtual std::unique_ptr<DbConnection> connectForClient() { return connect(); }
    // The database's name as "show tables" reports it (column Tables_in_<name>).
    virtual QString name() const = 0;
};

} // namespace qvx
