#pragma once
// Message-number reservation and batch registration: the three server steps
// of every request around the inserts and the commit.

#include <QString>

class Session;
namespace qvx {
class AppServer;
}

// Time limits of the reservation.
constexpr int SeqNoLimitMs = 5000;
constexpr int SeqNoLimitDepositGapMs = 3000;

// The most rows one batch can hold: the server reserves at most this many
// message numbers at once. A file is read into a batch only when it has no
// more lines than this.
constexpr int MaxBatchRows = 1'000'000;

// Answers of a failed reservation.
constexpr qint64 SeqNoTimedOut = -1;
constexpr qint64 SeqNoDbError = -2;

enum class SeqNoDbErrorNotice { Show, Silent };

// Reserves count message numbers with max_seqno, asking again at once while
// the server answers busy (-1), for at most limitMs. Returns the base b (the
// rows take b + 1 .. b + count; 0 is a valid base) after letting pending
// non-input events run; or SeqNoTimedOut after showing the load message, or
// SeqNoDbError after showing the database message (not shown with
// SeqNoDbErrorNotice::Silent). server null: no link (throws). A failed
// call throws qvx::AppServerError.
qint64 ReserveSeqNo(int count, int limitMs, qvx::AppServer *server = nullptr,
                    SeqNoDbErrorNotice dbErrorNotice = SeqNoDbErrorNotice::Show);

// Results of the registration routines.
constexpr int SendDescAccepted = 1;
constexpr int SendDescWithdrawnBusy = -1;   // SendDescByCfmId only
constexpr int SendDescWithdrawn = -2;

// Registers a transfer batch (cms_senddesc with the batch's time) and asks the
// user after 11 answers "not stored yet" or 11 "busy". Returns 1 accepted,
// -2 withdrawn at the first question, -1 withdrawn at the busy question.
// Writes the registration log line at the first question and on OK of the
// second. Callers test for anything but 1.
int SendDescByCfmId(const Session &session, const QString &serviceCode, const QString &userId, const QString &firstNo,
                    const QString &lastNo, const QString &time, const QString &tableName,
                    qvx::AppServer *server = nullptr);

// Registers a range of message numbers; the same loop and questions, no log
// line; returns 1 accepted or -2 withdrawn at either question.
int SendDescBySeqNo(const Session &session, const QString &serviceCode, const QString &userId, const QString &firstNo,
                    const QString &lastNo, const QString &time, const QString &tableName,
                    qvx::AppServer *server = nullptr);

// The texts of the questions and messages (tests compare against them).
extern const QString SeqNoLoadMessage;
extern const QString SeqNoDbErrorMessage;
extern const QString SendDescNotStoredQuestion;
extern const QString SendDescBusyQuestion;
extern const QString SendDescWithdrawnMessage;
