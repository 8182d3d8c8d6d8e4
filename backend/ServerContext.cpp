#include "backend/ServerContext.h"

#include "platform/Clock.h"

namespace qvx {

BatchSink::~BatchSink() = default;

ServerContext::ServerContext(ServerOptions options, std::shared_ptr<Database> database)
    : m_options(std::move(options)), m_database(std::move(database)),
      m_registry(std::make_shared<BatchRegistry>(m_database)), m_sink(std::make_shared<NullBatchSink>())
{
}

void ServerContext::setBatchSink(std::shared_ptr<BatchSink> sink)
{
    std::lock_guard lock(m_mutex);
    m_sink = sink ? std::move(sink) : std::make_shared<NullBatchSink>();
}

std::shared_ptr<BatchSink> ServerContext::batchSink() const
{
    std::lock_guard lock(m_mutex);
    return m_sink;
}

void ServerContext::setClock(std::function<QDateTime()> clock)
{
    std::lock_guard lock(m_mutex);
    m_clock = std::move(clock);
}

QDateTime ServerContext::now() const
{
    std::function<QDateTime()> clock;
    {
        std::lock_guard lock(m_mutex);
        clock = m_clock;
    }
    return clock ? clock() : Clock::now();
}

namespace {

// Adds n to `held` unless that would pass `cap`.
bool reserveUnder(std::atomic<qint64> &held, qint64 n, qint64 cap)
{
    qint64 now = held.load();
    do {
        if (now + n > cap)
            return false;
    } while (!held.compare_exchange_weak(now, now + n));
    return true;
}

} // namespace

bool ServerContext::reserveInput(qint64 n)
{
    return reserveUnder(m_bufferedBytes, n, m_options.maxBufferedBytes);
}

bool ServerContext::reserveAnswer(qint64 n, bool large)
{
    const qint64 cap = m_options.maxAnswerBytes;
    return reserveUnder(m_answerBytes, n, large ? qMax<qint64>(SmallAnswerBytes, cap - AnswerReserveBytes) : cap);
}

quint64 ServerContext::beginLargeAnswer()
{
    std::lock_guard lock(m_largeMutex);
    const quint64 ticket = m_nextLargeAnswer++;
    m_largeAnswers.insert(ticket);
    return ticket;
}

void ServerContext::endLargeAnswer(quint64 ticket)
{
    std::lock_guard lock(m_largeMutex);
    m_largeAnswers.erase(ticket);
}

bool ServerContext::isOldestLargeAnswer(quint64 ticket) const
{
    std::lock_guard lock(m_largeMutex);
    return !m_largeAnswers.empty() && *m_largeAnswers.begin() == ticket;
}

qint64 ServerContext::reserveSeqNo(int n)
{
    std::unique_lock lock(m_seqMutex, std::defer_lock);
    if (!lock.try_lock_for(std::chrono::milliseconds(m_options.seqLockTimeoutMs)))
        return -1;
    try {
        if (!m_seqConnection) {
            m_seqConnection = m_database->connect();
            m_seqConnection->setBusyTimeout(m_options.seqLockTimeoutMs);
            m_seqConnection->setStatementGuard({m_options.statementTimeoutMs, [this] {
                                                    return m_stopping ? QStringLiteral("The server is shutting down")
                                                                      : QString();
                                                }});
        }
        DbConnection &c = *m_seqConnection;
        c.begin();
        c.exec(QStringLiteral("update srv_seqno set lastno = lastno + %1").arg(n));
        const ResultSet rs = c.query(QStringLiteral("select lastno from srv_seqno"));
        if (rs.recordCount() != 1) {
            c.rollback();
            return -2;
        }
        const qint64 last = rs.valueInt64(0, QStringLiteral("lastno"));
        c.commit();
        return last - n;
    } catch (const DbError &e) {
        try {
            if (m_seqConnection)
                m_seqConnection->rollback();
        } catch (const DbError &) {
            m_seqConnection.reset(); // start over with a fresh connection
        }
        return e.busy() ? -1 : -2;
    } catch (const std::exception &) {
        m_seqConnection.reset();
        return -2;
    }
}

} // namespace qvx
