#pragma once

#include "backend/BatchRegistry.h"
#include "backend/BatchSink.h"
#include "backend/Database.h"
#include "backend/ServerOptions.h"

#include <QDateTime>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

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

    // Shutting down: every statement running or waiting for a lock stops,
    // and requests are answered without being run.
    void requestStop() { m_stopping = true; }
    bool stopping() const { return m_stopping; }

    // Bytes of unfinished requests of all connections (capped by
    // options().maxBufferedBytes): reserveInput is false when n more would
    // pass the cap.
    bool reserveInput(qint64 n);
    void releaseInput(qint64 n) { m_bufferedBytes -= n; }
    qint64 bufferedBytes() const { return m_bufferedBytes; }

    // Bytes of answers being made or waiting to be read on all connections
    // (capped by options().maxAnswerBytes): reserveAnswer is false when n
    // more would pass the cap; an answer past its first SmallAnswerBytes
    // stops short of the cap by AnswerReserveBytes, kept for small ones.
    static constexpr qint64 SmallAnswerBytes = 1024 * 1024;
    static constexpr qint64 AnswerReserveBytes = 64LL * 1024 * 1024;
    bool reserveAnswer(qint64 n, bool large);
    // Large answers in the order they became large: when room runs out, the
    // oldest one waits for the room the younger ones give back as they are
    // refused; the others are refused.
    quint64 beginLargeAnswer();
    void endLargeAnswer(quint64 ticket);
    bool isOldestLargeAnswer(quint64 ticket) const;
    void releaseAnswer(qint64 n) { m_answerBytes -= n; }
    qint64 answerBytes() const { return m_answerBytes; }

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

    std::atomic<bool> m_stopping{false};
    std::atomic<qint64> m_bufferedBytes{0};
    std::atomic<qint64> m_answerBytes{0};
    mutable std::mutex m_largeMutex;
    std::set<quint64> m_largeAnswers; // guarded by m_largeMutex
    quint64 m_nextLargeAnswer = 1;    // guarded by m_largeMutex

    std::timed_mutex m_seqMutex;
    std::unique_ptr<DbConnection> m_seqConnection; // guarded by m_seqMutex
};

} // namespace qvx
