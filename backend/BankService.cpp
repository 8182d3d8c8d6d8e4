#include "backend/BankService.h"

#include "backend/BankSimulator.h"
#include "backend/BatchRegistry.h"

#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace qvx {

// The part of the bank that lives on its thread: its database connection,
// the delay timers and the notice timer.
class BankWorker : public QObject
{
public:
    BankWorker(BankService &service, BankService::Announcer announcer)
        : m_service(service), m_announcer(std::move(announcer))
    {
    }

    void start(int noticeIntervalMs)
    {
        if (noticeIntervalMs > 0) {
            auto *timer = new QTimer(this);
            connect(timer, &QTimer::timeout, this, [this] { postNotices(); });
            timer->start(noticeIntervalMs);
        }
    }

    void schedule(const SendBatch &batch, int delayMs)
    {
        QTimer::singleShot(delayMs, this, [this, batch] { process(batch, 0); });
    }

    // Runs fn against the bank; false when the database failed, with the
    // reason in *failure, or reported on standard error without one. The
    // connection is made afresh after a failure (the database may have
    // restarted). A busy database throws DbError: the caller tries again.
    template <typename Fn>
    bool withBank(const char *what, Fn fn, QString *failure = nullptr)
    {
        QString reason;
        try {
            if (!m_db) {
                m_db = m_service.m_database->connect();
                BankSimulator::ensureTables(*m_db);
            }
            BankSimulator bank(*m_db, m_service.m_now, m_service.m_registry.get());
            fn(bank);
            return true;
        } catch (const DbError &e) {
            if (e.busy())
                throw; // the caller tries again later
            reason = e.message();
        } catch (const std::exception &e) {
            reason = QString::fromUtf8(e.what());
        }
        m_db.reset();
        if (failure)
            *failure = reason;
        else
            std::fprintf(stderr, "QVXServer bank: %s failed: %s\n", what, qPrintable(reason));
        return false;
    }

    // A registered batch is never dropped while the server runs: a lock held
    // by a client's open transaction, a database that is down or out of
    // memory, each has the answer tried again a little later, less often
    // once it lasts (backend/BANK.md).
    void process(const SendBatch &batch, int attempt)
    {
        BankSimulator::Reply reply;
        QString failure;
        bool ok = false;
        try {
            ok = withBank("answer", [&](BankSimulator &bank) { reply = bank.answer(batch); }, &failure);
        } catch (const DbError &) {
            // Locked: the wait is reported once it lasts.
            if (attempt == 50)
                std::fprintf(stderr, "QVXServer bank: batch %s %lld-%lld waits, the database stays locked\n",
                             qPrintable(batch.serviceCode), batch.firstNo, batch.lastNo);
            retry(batch, attempt);
            return;
        }
        if (!ok) {
            // Reported when it first fails, then about once a minute.
            if (m_failedAttempts[batchKey(batch)]++ % 30 == 0)
                std::fprintf(stderr, "QVXServer bank: answer of batch %s %lld-%lld failed: %s; it is tried again\n",
                             qPrintable(batch.serviceCode), batch.firstNo, batch.lastNo, qPrintable(failure));
            std::fflush(stderr);
            retry(batch, attempt);
            return;
        }
        if (m_failedAttempts.remove(batchKey(batch)) > 0) {
            std::fprintf(stderr, "QVXServer bank: batch %s %lld-%lld answered after all\n",
                         qPrintable(batch.serviceCode), batch.firstNo, batch.lastNo);
            std::fflush(stderr);
        }
        forget(batch);
        if (reply.rows > 0 && m_announcer.toUser) {
            m_announcer.toUser(reply.userId, reply.code);
            for (const QString &maker : reply.makers)
                m_announcer.toUser(maker, reply.code);
        }
        m_service.done();
    }

    void retry(const SendBatch &batch, int attempt)
    {
        QTimer::singleShot(attempt < 50 ? RetryMs : SlowRetryMs, this,
                           [this, batch, attempt] { process(batch, attempt + 1); });
    }

    static QString batchKey(const SendBatch &batch)
    {
        return QStringLiteral("%1 %2 %3 %4 %5 %6")
            .arg(batch.table, batch.userId, batch.time, batch.date)
            .arg(batch.firstNo)
            .arg(batch.lastNo);
    }

    // The answer is stored: the registration no longer waits. Should this
    // fail, the next start answers the batch again, which finds nothing left.
    void forget(const SendBatch &batch)
    {
        if (!m_service.m_registry)
            return;
        try {
            m_service.m_registry->forget(batch);
        } catch (const DbError &e) {
            std::fprintf(stderr, "QVXServer bank: registration of %s %lld-%lld not removed: %s\n",
                         qPrintable(batch.serviceCode), batch.firstNo, batch.lastNo, qPrintable(e.message()));
        }
    }

    void postNotices()
    {
        QStringList codes;
        try {
            withBank("notices", [&](BankSimulator &bank) { codes = bank.postNotices(); });
        } catch (const DbError &) {
            return; // busy: the next round posts
        }
        if (m_announcer.toAll)
            for (const QString &code : codes)
                m_announcer.toAll(code);
    }

    void postComm(int kind, const QString &text)
    {
        bool ok = false;
        try {
            ok = withBank("message", [&](BankSimulator &bank) {
                if (kind == 1)
                    bank.setCommNotice(text);
                else
                    bank.setSmsId(text);
            });
        } catch (const DbError &) {
        }
        if (ok && m_announcer.toAll)
            m_announcer.toAll(kind == 1 ? QStringLiteral("9000880") : QStringLiteral("9919100"));
    }

private:
    static constexpr int RetryMs = 200;
    static constexpr int SlowRetryMs = 2000;

    BankService &m_service;
    BankService::Announcer m_announcer;
    std::unique_ptr<DbConnection> m_db;
    QHash<QString, int> m_failedAttempts; // failed answers of the batches being tried again
};

BankService::BankService(std::shared_ptr<Database> database, std::function<QDateTime()> now, Settings settings,
                         Announcer announcer, std::shared_ptr<BatchRegistry> registry)
    : m_database(std::move(database)), m_registry(std::move(registry)), m_now(std::move(now)), m_settings(settings)
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("bank"));
    m_worker = new BankWorker(*this, std::move(announcer));
    m_worker->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
    const int interval = m_settings.noticeIntervalMs;
    QMetaObject::invokeMethod(m_worker, [w = m_worker, interval] { w->start(interval); }, Qt::QueuedConnection);
}

BankService::~BankService()
{
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

bool BankService::acceptBatch(const SendBatch &batch)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_pending >= m_settings.maxPending)
            return false;
        ++m_pending;
    }
    schedule(batch);
    return true;
}

void BankService::schedule(const SendBatch &batch)
{
    const int delay = qMax(0, m_settings.delayMs);
    QMetaObject::invokeMethod(m_worker, [w = m_worker, batch, delay] { w->schedule(batch, delay); },
                              Qt::QueuedConnection);
}

void BankService::resumeStoredBatches()
{
    if (!m_registry)
        return;
    const std::unique_ptr<DbConnection> db = m_database->connect();
    const BatchRegistry::Returned returned = m_registry->returnUnregisteredRows(*db);
    if (returned.transfers > 0)
        std::fprintf(stderr, "QVXServer bank: %lld released transfer rows were never registered; "
                             "they are back on their final approver's list\n", returned.transfers);
    if (returned.failed > 0)
        std::fprintf(stderr, "QVXServer bank: %lld request rows were never registered; they are marked as "
                             "send errors and will not be answered\n", returned.failed);
    const QList<SendBatch> batches = m_registry->pending();
    if (!batches.isEmpty())
        std::fprintf(stderr, "QVXServer bank: %lld registered batches of an earlier run are answered now\n",
                     qint64(batches.size()));
    for (const SendBatch &batch : batches) {
        {
            std::lock_guard lock(m_mutex);
            ++m_pending;
        }
        schedule(batch);
    }
}

void BankService::done()
{
    std::lock_guard lock(m_mutex);
    --m_pending;
    if (m_pending == 0)
        m_idle.notify_all();
}

int BankService::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_pending;
}

// On-demand work counts as pending until it has run, so waitIdle covers it.
void BankService::runOnWorker(std::function<void(BankWorker &)> work)
{
    {
        std::lock_guard lock(m_mutex);
        ++m_pending;
    }
    QMetaObject::invokeMethod(m_worker, [this, work = std::move(work)] {
        work(*m_worker);
        done();
    }, Qt::QueuedConnection);
}

void BankService::postNoticesNow()
{
    runOnWorker([](BankWorker &worker) { worker.postNotices(); });
}

void BankService::postCommNotice(const QString &text)
{
    runOnWorker([text](BankWorker &worker) { worker.postComm(1, text); });
}

void BankService::postSmsId(const QString &smsId)
{
    runOnWorker([smsId](BankWorker &worker) { worker.postComm(2, smsId); });
}

bool BankService::waitIdle(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_pending == 0; });
}

} // namespace qvx
