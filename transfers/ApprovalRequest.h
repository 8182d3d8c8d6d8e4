#pragma once
// The approval request of a transfer batch: one giche row per list row with
// send state '0', all or nothing. The routine stores; reserving the numbers
// before it and the notice to the approver after it are the caller's.

#include "transfers/TransferRow.h"

#include <QString>
#include <QVector>
#include <functional>

namespace qvx {
class AppServer;
}

// The values every row of the batch shares.
struct ApprovalBatch
{
    QVector<TransferRow> rows;
    qint64 seqBase = 0;     // rows take seqBase + 1 .. seqBase + n
    QString sendDate;       // "yyyymmdd", one for the batch
    QString sendTime;       // "hhnnss", one for the batch
    QString serviceDiv;     // Service
    QString networkId;      // SendID
    QString userId;         // USERID (the maker)
    QString approverId;     // CFMID
    QString sendFlagInit;   // SendFlag
};

struct ApprovalOutcome
{
    enum Status {
        Stored,             // every row inserted and committed
        OpenCommitFailed,   // the "commit" before the first row failed; nothing written
        RowFailed,          // a row could not be built or inserted; rolled back
        CommitFailed        // the final "commit" failed; rolled back
    };
    Status status = Stored;
    int failedRow = 0;      // 1-based, with RowFailed
    int rowsStored = 0;     // rows inserted before the outcome
    qint64 total = 0;       // sum of the amounts of the rows inserted
    QString error;          // the server's or the builder's text
    bool ok() const { return status == Stored; }
};

// The giche INSERT of one row with message number seqNo and check code boki.
QString GicheInsertSql(const ApprovalBatch &batch, const TransferRow &row, qint64 seqNo, const QString &boki);

// Sends "commit", then per row (r = 1..n) its check code (recomputed: bank 23
// with the row's message number and the batch time, the date-dependent banks
// with today's date) and its INSERT, then "commit". Any failure after the
// first "commit" sends "rollback", so no part of the batch stays. progress(r)
// runs after each stored row. Never throws.
ApprovalOutcome StoreApprovalBatch(qvx::AppServer &server, const ApprovalBatch &batch,
                                   const std::function<void(int row)> &progress = {});
