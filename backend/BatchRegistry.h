#pragma once

#include "backend/BatchSink.h"
#include "backend/Database.h"

#include <QList>

#include <memory>
#include <mutex>

namespace qvx {

// The registered batches the bank has not answered yet (table srv_batch). A
// registration is stored before cms_senddesc answers it and removed once the
// bank's answer is stored, so a restart of the server finds every batch its
// clients were told was taken. With SQLite the table lives in a file of its
// own beside the database ("<file>-batches"): storing a registration must not
// wait for the write lock a client's open transaction holds on the database.
// Thread-safe.
class BatchRegistry
{
public:
    explicit BatchRegistry(std::shared_ptr<Database> database);

    // Creates the registrations' table on `c` when it is missing (`--init-demo`
    // on MariaDB, where the registrations live in the database itself).
    static void ensureTable(DbConnection &c);

    // Stores the batch's registration (replacing an equal one). Throws DbError.
    void record(const SendBatch &batch);
    // Removes it; a registration stored twice is removed once.
    void forget(const SendBatch &batch);
    // Every stored registration, oldest first.
    QList<SendBatch> pending();

    // A request row waiting to be sent (sr_flag '1'): its table, its message
    // number as stored and, in the transfer table, its final approver, time
    // and date, by which a transfer batch is registered. Message numbers are
    // not unique (a drop file brings its own), so the row is told from the
    // others of its number by its maker, date and time (and, in the transfer
    // table, its final approver), as stored: `identity`.
    struct WaitingRow
    {
        QString table;
        QString seqNo;
        QString transferKey;  // giche rows only
        QStringList identity; // the values of identityColumns(table)
        // The number and the identity in one text, to compare rows by.
        QString key() const;
    };
    static QStringList identityColumns(const QString &table);
    // The condition that a row has this identity (its number aside).
    static QString identityCondition(const QString &table, const QStringList &identity);
    // The waiting rows of one request table as the connection sees them; with
    // `seqNos`, only those with one of these numbers. Throws DbError.
    static QList<WaitingRow> waitingRows(DbConnection &database, const QString &table,
                                         const QStringList *seqNos = nullptr);
    // The row of a request table's ResultSet (columns SEQNO and the
    // identity columns) as a waiting row.
    static WaitingRow waitingRow(const QString &table, const ResultSet &rs, int r);
    // Whether the batch's registration covers the row.
    static bool covers(const SendBatch &batch, const WaitingRow &row);
    // Whether a stored registration covers the row. Throws DbError.
    bool isRegistered(const WaitingRow &row);

    // Request rows waiting to be sent that no stored registration covers
    // never reached the bank, and their sender was told the send failed (or
    // will never be told it succeeded). They are never to be answered:
    // released transfers (giche) go back to the final approver's list
    // (sr_flag '0') to be sent again; the rows of every other request table
    // are marked as a send error (sr_flag '3'), so that no later inquiry has
    // the bank process them, and their sender writes them anew. At start-up,
    // before any client can register, every request table is searched
    // (`only` null); when a connection ends, the rows it made waiting and did
    // not register (`only`). Only the rows judged lost change (by number and
    // identity), never a row of another batch that has the same number. One
    // transaction. Throws DbError.
    struct Returned
    {
        qint64 transfers = 0; // giche rows back on the approver's list
        qint64 failed = 0;    // rows of other tables marked as a send error
    };
    Returned returnUnregisteredRows(DbConnection &database, const QList<WaitingRow> *only = nullptr);

private:
    DbConnection &connection(); // under m_mutex

    std::shared_ptr<Database> m_store;
    std::mutex m_mutex;
    std::unique_ptr<DbConnection> m_connection;
};

} // namespace qvx
