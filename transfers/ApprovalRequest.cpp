#include "transfers/ApprovalRequest.h"

#include "core/RequestSender.h"
#include "transfers/TransferRules.h"
#include "platform/AppServer.h"

GicheRow ApprovalGicheRow(const ApprovalBatch &batch, const TransferRow &row, qint64 seqNo, const QString &boki)
{
    GicheRow g;
    ApplyRequestHeader(g, batch.header(row.recvId, row.firmId, row.moBankId));
    g.SeqNo = QString::number(seqNo);
    g.CFMID = batch.approverId;
    g.MoBankNo = row.plainMoBankNo();
    g.PassWd = row.passWd;
    g.Boki = boki;
    g.Gubun = row.gubun;
    g.Price = row.plainMoney();
    g.TRANS_BankID = row.bankId;
    g.BankNo = row.plainBankNo();
    // A collection from mother bank 20 carries the real-name number as CmsCode.
    if (row.moBankId == u"20" && row.gubun == u"20")
        g.CmsCode = row.realNameNo;
    g.Name = row.name;
    g.TaErrFee = row.realNameNo.left(5);
    g.TaErrPrice = row.realNameNo.mid(5, 8);
    g.sr_flag = QStringLiteral("0");
    g.up_gubuncode = row.msgType;
    g.COMMON_DUMMY = row.info;
    return g;
}

ApprovalOutcome SubmitApprovalBatch(Session &session, qvx::AppServer &server, const ApprovalBatch &batch,
                                    const std::function<void(int rowsDone)> &progress)
{
    ApprovalOutcome out;
    out.count = int(batch.rows.size());
    try {
        server.execute(QStringLiteral("commit"));
    } catch (const qvx::AppServerError &e) {
        out.status = ApprovalOutcome::OpenCommitFailed;
        out.error = e.message();
        return out;
    }

    RequestBatch request = RequestBatch::byCfmId(QString::fromLatin1(GicheRow::ServiceCode),
                                                 QString::fromLatin1(GicheRow::Table), batch.sendTime);
    request.registration = RequestBatch::Registration::None;
    request.reserve = true;
    request.policy = RequestBatch::Policy::AllOrNothing;
    RequestSender sender(session, server);
    const RequestResult result = sender.send(request, out.count, [&](int i, qint64 seqNo) {
        if (progress)
            progress(i);
        const TransferRow &row = batch.rows[i];
        const QString boki = row.moBankId == u"23"
                                 ? RowCheckCode(row, QString::number(seqNo), batch.sendTime, &server)
                                 : RowCheckCode(row, QString(), QStringLiteral("999999"), &server);
        return MakeInsertSql(ApprovalGicheRow(batch, row, seqNo, boki));
    });

    out.seqBase = result.base;
    out.rowsStored = result.stored;
    out.error = result.error;
    for (int i = 0; i < result.stored; ++i)
        out.total += batch.rows[i].amount();
    using Outcome = RequestResult::Outcome;
    switch (result.outcome) {
    case Outcome::Sent:
        out.status = ApprovalOutcome::Stored;
        if (progress)
            progress(out.count);
        break;
    case Outcome::ReserveFailed:
        out.status = ApprovalOutcome::ReserveFailed;
        break;
    case Outcome::CommitFailed:
        out.status = ApprovalOutcome::CommitFailed;
        break;
    case Outcome::ConnectionLost:
        // A lost link rolls back on the server's side.
        out.status = result.stored == out.count ? ApprovalOutcome::CommitFailed : ApprovalOutcome::RowFailed;
        out.failedRow = result.stored + 1;
        break;
    default: // InsertFailed (Empty and Withdrawn cannot happen: every row has a statement, none is registered)
        out.status = ApprovalOutcome::RowFailed;
        out.failedRow = result.stored + 1;
        break;
    }
    return out;
}
