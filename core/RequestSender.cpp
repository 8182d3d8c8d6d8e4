#include "core/RequestSender.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "platform/AppServer.h"

#include <exception>

RequestBatch RequestBatch::bySeqNo(const QString &serviceCode, const QString &tableName)
{
    RequestBatch b;
    b.serviceCode = serviceCode;
    b.tableName = tableName;
    return b;
}

RequestBatch RequestBatch::byCfmId(const QString &serviceCode, const QString &tableName, const QString &time)
{
    RequestBatch b;
    b.serviceCode = serviceCode;
    b.tableName = tableName;
    b.time = time;
    b.registration = Registration::ByCfmId;
    b.reserve = false;
    return b;
}

RequestSender::RequestSender(Session &session, qvx::AppServer &server) : m_session(session), m_server(server) {}

RequestSender::RequestSender(Tdm &data) : RequestSender(data.session, *data.scktconnect) {}

void RequestSender::rollback()
{
    try {
        m_server.execute(QStringLiteral("rollback"));
    } catch (const std::exception &) {
        // A link that fails here rolls the transaction back by closing.
    }
}

RequestResult RequestSender::send(const RequestBatch &batch, int count, const Statement &statement)
{
    using Outcome = RequestResult::Outcome;
    RequestResult result;
    result.count = count;
    if (count <= 0)
        return result; // Empty

    if (batch.reserve) {
        const qint64 base = ReserveSeqNo(count, batch.reserveLimitMs, &m_server, batch.dbErrorNotice);
        if (base < 0) {
            result.outcome = Outcome::ReserveFailed;
            result.reserveAnswer = base;
            return result;
        }
        result.base = base;
    }
    if (batch.beforeRows && !batch.beforeRows(result.base)) {
        result.outcome = Outcome::Stopped;
        return result;
    }

    const bool skipBad = batch.policy == RequestBatch::Policy::SkipBadLine;
    auto refuse = [&](int row, const QString &why) {
        result.refused << row;
        result.error = why;
        if (batch.onRefused)
            batch.onRefused(row);
    };

    for (int i = 0; i < count; ++i) {
        const qint64 seqNo = batch.reserve ? result.base + i + 1 : 0;
        QString sql;
        try {
            sql = statement(i, seqNo);
        } catch (const std::exception &e) {
            // A row that cannot be written (a value that is no number, ...).
            const QString why = QString::fromLocal8Bit(e.what());
            WriteLog(m_session, batch.tableName + QStringLiteral(" row ") + QString::number(i + 1) + QStringLiteral(": ") + why);
            if (!skipBad) {
                if (result.stored > 0)
                    rollback();
                result.error = why;
                result.outcome = Outcome::InsertFailed;
                return result;
            }
            refuse(i, why);
            continue;
        }
        if (sql.isEmpty())
            continue;
        try {
            m_server.execute(sql);
            ++result.stored;
        } catch (const qvx::AppServerError &e) {
            if (e.connectionClosed()) {
                result.error = e.message();
                result.outcome = Outcome::ConnectionLost;
                return result;
            }
            result.refusedStatement = sql;
            if (batch.logRefusedStatement)
                WriteLog(m_session, sql);
            if (!skipBad) {
                rollback();
                result.error = e.message();
                result.outcome = Outcome::InsertFailed;
                return result;
            }
            refuse(i, e.message());
        }
    }

    if (result.stored == 0) {
        result.outcome = Outcome::Empty;
        return result;
    }

    try {
        m_server.execute(QStringLiteral("commit"));
    } catch (const qvx::AppServerError &e) {
        result.error = e.message();
        if (e.connectionClosed()) {
            result.outcome = Outcome::ConnectionLost;
        } else {
            rollback();
            result.outcome = Outcome::CommitFailed;
        }
        return result;
    }
    result.committed = true;

    if (batch.registration == RequestBatch::Registration::None) {
        result.outcome = Outcome::Sent;
        return result;
    }
    if (batch.registerPauseMs > 0)
        WaitMs(batch.registerPauseMs);
    const QString userId = batch.userId.isEmpty() ? m_session.LoginUserId : batch.userId;
    try {
        if (batch.registration == RequestBatch::Registration::ByCfmId)
            result.registration = SendDescByCfmId(m_session, batch.serviceCode, userId, QStringLiteral("0"),
                                                  QStringLiteral("0"), batch.time, batch.tableName, &m_server);
        else
            result.registration = SendDescBySeqNo(m_session, batch.serviceCode, userId, result.firstNo(),
                                                  result.lastNo(), batch.time, batch.tableName, &m_server);
    } catch (const qvx::AppServerError &e) {
        result.error = e.message();
        result.outcome = Outcome::ConnectionLost;
        return result;
    }
    result.outcome = result.registration == SendDescAccepted ? Outcome::Sent : Outcome::Withdrawn;
    return result;
}
