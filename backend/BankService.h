#pragma once

#include "backend/BatchRegistry.h"
#include "backend/BatchSink.h"
#include "backend/Database.h"

#include <QDateTime>

#include <QString>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QThread;

namespace qvx {

class BankWorker;

// The simulated bank as the server runs it: takes registered batches
// (BatchSink), answers each after a delay on a thread and a database
// connection of its own (BankSimulator), and has the reply code announced to
// the user who registered the batch. Optionally posts unrequested notices on
// a timer. Every public function may be called from any thread.
class BankService : public BatchSink
{
public:
    struct Settings
    {
        int delayMs = 1000;         // from registration to answer
        int maxPending = 1000;      // batches waiting for their answer; beyond this acceptBatch refuses (busy)
        int noticeIntervalMs = 0;   // unrequested deposit/bill/virtual-account notices every so often (0: off)
    };
    // Announcements: to one user (the batch's), and to every user logged in
    // to the relay (notices that answer no request). Called on the bank's thread.
    struct Announcer
    {
        std::function<void(const QString &userId, const QString &code)> toUser;
        std::function<void(const QString &code)> toAll;
    };

    // `now` is the server's clock (ServerContext::now).
    // `registry`: where the registrations are stored (ServerContext::batchRegistry);
    // an answered batch is removed from it. Null: the batches are not stored.
    BankService(std::shared_ptr<Database> database, std::function<QDateTime()> now, Settings settings,
                Announcer announcer, std::shared_ptr<BatchRegistry> registry = nullptr);
    ~BankService() override; // waits for the batch in hand, drops the waiting ones

    bool acceptBatch(const SendBatch &batch) override;

    // At start-up, before clients connect: takes on every registration stored
    // by an earlier run and not yet answered (BatchRegistry), and returns
    // released transfers that were never registered to their final approver's
    // list. Reports on standard error what it found. Throws DbError.
    void resumeStoredBatches(); // needs the registry

    // On demand (queued to the bank's thread): one round of notices (codes
    // 0200300 / 0200900), a new notice text (9000880), a new SMS id (9919100).
    void postNoticesNow();
    void postCommNotice(const QString &text);
    void postSmsId(const QString &smsId);

    // Batches accepted and not yet answered.
    int pending() const;
    // Waits until nothing is pending (and the queued on-demand work is done);
    // false on time-out.
    bool waitIdle(int timeoutMs) const;

private:
    friend class BankWorker;
    void schedule(const SendBatch &batch); // on the bank's thread after the delay
    // Work of its own on the bank's thread, pending until it has run.
    void runOnWorker(std::function<void(BankWorker &)> work);
    void done();

    std::shared_ptr<Database> m_database;
    std::shared_ptr<BatchRegistry> m_registry;
    std::function<QDateTime()> m_now;
    Settings m_settings;
    QThread *m_thread = nullptr;
    BankWorker *m_worker = nullptr; // lives on m_thread

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_idle;
    int m_pending = 0;
};

} // namespace qvx
