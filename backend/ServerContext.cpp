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

bool ServerContext::reserveInput(qint64 n)
{
    qint64 held = m_bufferedBytes.load();
    do {
        if (held + n > m_options.maxBufferedBytes)
            return false;
    } while (!m_bufferedBytes.compare_exchange_weak(held, held + n));
    return true;
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
