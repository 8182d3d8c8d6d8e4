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

    // Stores the batch's registration (replacing an equal one). Throws DbError.
    void record(const SendBatch &batch);
    // Removes it; a registration stored twice is removed once.
    void forget(const SendBatch &batch);
    // Every stored registration, oldest first.
    QList<SendBatch> pending();

    // At start-up, before any client can register: request rows waiting to
    // be sent (sr_flag '1') that no stored registration covers never
    // reached the bank, and their sender was told the send failed. They are
    // never to be answered: released transfers (giche) go back to the final
    // approver's list (sr_flag '0') to be sent again; the rows of every other
    // request table are marked as a send error (sr_flag '3'), so that no
    // later inquiry has the bank process them, and their sender writes them
    // anew. One transaction. Throws DbError.
    struct Returned
    {
        qint64 transfers = 0; // giche rows back on the approver's list
        qint64 failed = 0;    // rows of other tables marked as a send error
    };
    Returned returnUnregisteredRows(DbConnection &database);

private:
    DbConnection &connection(); // under m_mutex

    std::shared_ptr<Database> m_store;
    std::mutex m_mutex;
    std::unique_ptr<DbConnection> m_connection;
};

} // namespace qvx
