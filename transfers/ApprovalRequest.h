#pragma once
// The approval request of a transfer batch: one giche row per list row with
// send state '0', all or nothing, through the request sender (numbers
// reserved, rows inserted, committed, not registered: the approver sends).
// The notice to the approver afterwards is the caller's.

#include "core/RequestHeaders.h"
#include "core/RequestRows.h"
#include "transfers/TransferRow.h"

#include <QString>
#include <QVector>
#include <functional>

class Session;
namespace qvx {
class AppServer;
}

// The values every row of the batch shares.
struct ApprovalBatch : BatchStamp
{
    QVector<TransferRow> rows;
    QString approverId;     // CFMID (userId is the maker)
};

struct ApprovalOutcome
{
    enum Status {
        Stored,             // every row inserted and committed
        OpenCommitFailed,   // the "commit" before the batch failed; nothing written
        ReserveFailed,      // no message numbers (the message was shown); nothing written
        RowFailed,          // a row could not be built or inserted; rolled back
        CommitFailed        // the final "commit" failed; rolled back
    };
    Status status = Stored;
    qint64 seqBase = 0;     // rows took seqBase + 1 .. seqBase + count
    int count = 0;
    int failedRow = 0;      // 1-based, with RowFailed
    int rowsStored = 0;     // rows inserted
    qint64 total = 0;       // sum of the amounts of the rows inserted
    QString error;          // the server's or the builder's text
    bool ok() const { return status == Stored; }
    bool reserved() const { return status != OpenCommitFailed && status != ReserveFailed; }
};

// The giche row of a list row with message number seqNo and check code boki.
GicheRow ApprovalGicheRow(const ApprovalBatch &batch, const TransferRow &row, qint64 seqNo, const QString &boki);

// Sends "commit", then the batch through the request sender: per row (r =
// 1..n) its check code, made anew (bank 23 with the row's message number and
// the batch time, the date-dependent banks with today's date), and its INSERT;
// then "commit". Any failure after the first "commit" rolls back, so no part
// of the batch stays. progress(r) runs before row r + 1 is written, with r
// rows done. Never throws.
ApprovalOutcome SubmitApprovalBatch(Session &session, qvx::AppServer &server, const ApprovalBatch &batch,
                                    const std::function<void(int rowsDone)> &progress = {});
