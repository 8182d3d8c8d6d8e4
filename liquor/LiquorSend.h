#pragma once
// Sending a liquor-trade batch straight to the bank: one cmsjiche102
// (collection) or cmsjiche103 (payment) row per list row with sr_flag "1",
// all or nothing through the request sender (numbers reserved, a "commit"
// before the first row, rows inserted, committed, the range registered with
// the send module). Any failure after the first insert rolls the batch back
// and registers nothing; the caller keeps its rows. There is no approval step.

#include "core/RequestHeaders.h"
#include "core/RequestRows.h"
#include "liquor/LiquorRow.h"

#include <QString>
#include <QVector>
#include <functional>

class Session;
namespace qvx {
class AppServer;
}

// The values every row of the batch shares; the rows are a snapshot of the
// list taken when sending began. The batch's sendTime also goes into bank
// 23's check code and the registration.
struct LiquorBatch : BatchStamp
{
    QVector<LiquorRow> rows;
    int paymentMode = 0;    // 0 collection, 1 payment

    // The batch of these rows made now in the session.
    static LiquorBatch of(const Session &session, QVector<LiquorRow> rows);
};

// "0102100" (collection) or "0103100" (payment), and the table of each.
QString LiquorServiceCode(int paymentMode);
QString LiquorRequestTable(int paymentMode);

// The request row of a list row with message number seqNo and check code boki.
Jiche102Row LiquorJiche102Row(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki);
Jiche103Row LiquorJiche103Row(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki);
// The INSERT of the batch's table for that row.
QString LiquorInsertSql(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki);

// The confirmation before sending (caption "확인", OK/Cancel): the name and
// amount of a single row, or the count and total of several. Amounts are
// right-aligned (13 or 17 characters) and never cut.
QString LiquorSendQuestion(int count, const QString &firstName, qint64 total);

struct LiquorSendOutcome
{
    enum Status {
        Sent,             // stored, committed and registered
        Withdrawn,        // stored and committed; the user withdrew at the registration question
        RegisterFailed,   // stored and committed; the registration call failed
        OpenCommitFailed, // the "commit" before the first row failed; nothing written
        ReserveFailed,    // no message numbers (the message was shown); nothing written
        RowFailed,        // a row could not be built or stored; rolled back
        CommitFailed      // the final commit failed (or the link dropped); rolled back
    };
    Status status = Sent;
    qint64 seqBase = 0;   // rows took seqBase + 1 .. seqBase + count
    int count = 0;
    int failedRow = 0;    // 1-based, with RowFailed
    QString error;        // the server's or the builder's text
    bool reserveDbError = false; // ReserveFailed by a database error (no message shown yet)
    // True when the rows are stored for good: the list may be emptied.
    bool committed() const { return status == Sent || status == Withdrawn || status == RegisterFailed; }
    QString firstNo() const { return QString::number(seqBase + 1); }
    QString lastNo() const { return QString::number(seqBase + count); }
};

// What the screen shows while the batch goes.
struct LiquorSendProgress
{
    // The numbers are reserved (before the first row).
    std::function<void(qint64 base, int count)> reserved;
    // Row `stored` (1-based) was inserted.
    std::function<void(int stored)> rowStored;
};

// Sends the batch. Every row's check code is made anew (bank 23 with its
// message number and the batch time). On success the session's SeqNoBase /
// SeqNoLast and AcceptSeqBase / AcceptSeqLast take the batch's range.
// Failures are written to the day's log (the row's lines, or a database
// line with the range); the screen shows LiquorSendFailureMessage. Never throws.
LiquorSendOutcome SendLiquorBatch(Session &session, qvx::AppServer &server, const LiquorBatch &batch,
                                  const LiquorSendProgress &progress = {});

// The message of a failed batch ("" when there is none to show).
QString LiquorSendFailureMessage(const LiquorSendOutcome &outcome);
