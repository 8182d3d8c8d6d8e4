#pragma once
// The statements of the approval screens (approver, final approver, batch
// detail) in one place, as plain text builders without widgets.
//
// A batch is the giche rows of one maker (userid), one request moment
// (senddate, sendtime), one approver (cfmid) and one kind (gubun) that still
// wait (sr_flag '0'). Every statement that acts on a batch names the maker as
// well, so two makers' batches requested in the same second never mix.

#include <QString>

// One row of an approval screen's batch list, as the list holds it.
struct WaitingBatch
{
    QString userid;    // column 0: the maker
    QString amount;    // column 1: sum(price) with ','
    QString dateText;  // column 2: yyyy-mm-dd
    QString timeText;  // column 3: hh:nn:ss
    QString cfmid;     // column 4: the approver it waits for
    QString senddate;  // column 5: yyyymmdd
    QString sendtime;  // column 6: hhnnss
    QString minSeqNo;  // column 7
    QString maxSeqNo;  // column 8
    QString gubun;     // column 9: "20" collection, otherwise payment
};

namespace ApprovalSql {

// Approver screen, list delete.
QString listDelete(const WaitingBatch &batch);
// Approver screen, forward one: the not-today delete and the update.
QString forwardDelete(const WaitingBatch &batch);
QString forwardOne(const WaitingBatch &batch, const QString &approverId);
// Approver screen, forward all: every waiting batch of that maker and date
// held by this approver moves at once (no sendtime condition).
QString forwardAll(const WaitingBatch &batch, const QString &approverId);

// Final approver: the rows go to "waiting to send", or the not-today batch
// is deleted. `approverId` is the signed-in final approver.
QString sendUpdate(const WaitingBatch &batch, const QString &approverId);
QString sendDelete(const WaitingBatch &batch, const QString &approverId);

// Batch detail: every row of the batch (the reference tables left-joined, so
// a row with an unknown code is still shown), and the delete of one row,
// which keeps to a waiting row of the batch's own date.
QString detailRows(const WaitingBatch &batch);
QString detailDelete(const QString &seqNo, const QString &senddate);

// The log line of an action on a batch: prefix, then the batch's values.
QString logLine(const QString &prefix, const WaitingBatch &batch);

} // namespace ApprovalSql

namespace ApprovalSql {
// The log line of a row deleted from a batch in the detail dialog.
QString detailLogLine(const QString &prefix, const QString &seqNo, const QString &userId, const QString &amount,
                      const QString &name, const QString &bankName);
} // namespace ApprovalSql
