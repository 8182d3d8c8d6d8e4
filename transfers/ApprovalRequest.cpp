#include "transfers/ApprovalRequest.h"

#include "core/RequestSql.h"
#include "core/TextUtils.h"
#include "transfers/TransferRules.h"
#include "platform/AppServer.h"
#include "platform/SqlText.h"

namespace {

void rollbackQuietly(qvx::AppServer &server)
{
    try {
        server.execute(QStringLiteral("rollback"));
    } catch (const qvx::AppServerError &) {
        // A lost connection rolls back on the server's side.
    }
}

} // namespace

QString GicheInsertSql(const ApprovalBatch &batch, const TransferRow &row, qint64 seqNo, const QString &boki)
{
    const QString realName = row.realNameNo;
    const QString cmsCode = (row.moBankId == u"20" && row.gubun == u"20") ? realName : QString();
    return MakeGicheSql(batch.sendDate, batch.sendTime, batch.serviceDiv, QString::number(seqNo), batch.networkId,
                        row.recvId, row.firmId, row.moBankId, batch.userId, batch.approverId, batch.sendFlagInit,
                        row.plainMoBankNo(), row.passWd, boki, row.gubun, row.plainMoney(), QString(), QString(),
                        row.bankId, row.plainBankNo(), QString(), cmsCode, row.name, QString(), realName.left(5),
                        realName.mid(5, 8), QString(), QString(), QStringLiteral("0"), row.msgType, row.info);
}

ApprovalOutcome StoreApprovalBatch(qvx::AppServer &server, const ApprovalBatch &batch,
                                   const std::function<void(int row)> &progress)
{
    ApprovalOutcome out;
    try {
        server.execute(QStringLiteral("commit"));
    } catch (const qvx::AppServerError &e) {
        out.status = ApprovalOutcome::OpenCommitFailed;
        out.error = e.message();
        return out;
    }
    for (int r = 1; r <= batch.rows.size(); ++r) {
        const TransferRow &row = batch.rows[r - 1];
        const qint64 seqNo = batch.seqBase + r;
        bool failed = true;
        try {
            const QString boki = row.moBankId == u"23"
                                     ? RowCheckCode(row, QString::number(seqNo), batch.sendTime, &server)
                                     : RowCheckCode(row, QString(), QStringLiteral("999999"), &server);
            server.execute(GicheInsertSql(batch, row, seqNo, boki));
            failed = false;
        } catch (const qvx::AppServerError &e) {
            out.error = e.message();
        } catch (const ConvertError &e) {
            out.error = e.message();
        } catch (const qvx::SqlValueError &e) {
            out.error = QString::fromUtf8(e.what());
        }
        if (failed) {
            rollbackQuietly(server);
            out.status = ApprovalOutcome::RowFailed;
            out.failedRow = r;
            return out;
        }
        ++out.rowsStored;
        out.total += row.amount();
        if (progress)
            progress(r);
    }
    try {
        server.execute(QStringLiteral("commit"));
    } catch (const qvx::AppServerError &e) {
        rollbackQuietly(server);
        out.status = ApprovalOutcome::CommitFailed;
        out.error = e.message();
    }
    return out;
}
