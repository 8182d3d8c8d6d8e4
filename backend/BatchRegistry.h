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

    // At start-up, before any client can register: transfer rows of
    // `database` released by a final approver (sr_flag '1') without a stored
    // registration go back to the final approver's list (sr_flag '0'), since
    // the approver was not told they went out. Returns the rows returned.
    qint64 returnUnregisteredTransfers(DbConnection &database);

private:
    DbConnection &connection(); // under m_mutex

    std::shared_ptr<Database> m_store;
    std::mutex m_mutex;
    std::unique_ptr<DbConnection> m_connection;
};

} // namespace qvx
