#pragma once

#include "backend/BatchRegistry.h"
#include "backend/BatchSink.h"
#include "backend/Database.h"
#include "backend/ServerOptions.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <mutex>

namespace qvx {

// What every client connection of the application server shares: the
// options, the database, the message-number lock, the batch hook and the
// clock. Thread-safe.
class ServerContext
{
public:
    ServerContext(ServerOptions options, std::shared_ptr<Database> database);

    const ServerOptions &options() const { return m_options; }
    Database &database() const { return *m_database; }
    std::shared_ptr<Database> sharedDatabase() const { return m_database; }

    // The registrations cms_senddesc stored and the bank has not answered.
    BatchRegistry &batchRegistry() const { return *m_registry; }
    std::shared_ptr<BatchRegistry> sharedBatchRegistry() const { return m_registry; }

    // The hook that takes registered batches (default: NullBatchSink).
    void setBatchSink(std::shared_ptr<BatchSink> sink);
    std::shared_ptr<BatchSink> batchSink() const;

    // The server's clock (default: the computer's); tests may replace it.
    void setClock(std::function<QDateTime()> clock);
    QDateTime now() const;

    // max_seqno: reserves n numbers in a short transaction of its own on its
    // own connection. Returns the base, -1 when the lock could not be had in
    // options().seqLockTimeoutMs, -2 on a database error.
    qint64 reserveSeqNo(int n);

private:
    ServerOptions m_options;
    std::shared_ptr<Database> m_database;
    std::shared_ptr<BatchRegistry> m_registry;
    mutable std::mutex m_mutex; // sink and clock
    std::shared_ptr<BatchSink> m_sink;
    std::function<QDateTime()> m_clock;

    std::timed_mutex m_seqMutex;
    std::unique_ptr<DbConnection> m_seqConnection; // guarded by m_seqMutex
};

} // namespace qvx
