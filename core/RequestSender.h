#pragma once
// The one road of every request: reserve message numbers, insert the rows,
// commit (or roll back), register the batch with the server's send module,
// and hand back what happened.
//
//   RequestSender sender(session, *data.scktconnect);
//   RequestBatch batch = RequestBatch::bySeqNo(AmtSearchRow::ServiceCode, "amt_search");
//   const RequestResult r = sender.sendRows(batch, rows);   // SeqNo set from the reservation
//   if (!r.sent()) ...                                       // the failure was already shown to the user
//
// Two policies:
//   - AllOrNothing (screens): the first refused insert rolls the batch back;
//     nothing is registered and the caller keeps its rows on the screen.
//   - SkipBadLine (the send/receive module): a refused insert is logged and
//     reported through the batch's onRefused, the other rows go on.
// A batch with no row to store is neither committed nor registered (the
// server would answer "not stored" for a range without rows for ever).

#include "core/RequestRows.h"
#include "core/SeqNo.h"

#include <QList>
#include <QString>

#include <functional>

class Session;
class Tdm;
namespace qvx {
class AppServer;
}

struct RequestBatch
{
    enum class Policy { AllOrNothing, SkipBadLine };
    // How the batch is registered: by its range of message numbers, or (giche
    // transfers) by the confirming user and the batch's send time; None: not
    // at all (a transfer batch stored for approval: the approver sends it).
    enum class Registration { BySeqNo, ByCfmId, None };

    QString serviceCode;        // cms_senddesc's service code (the rows' up_gubuncode)
    QString tableName;          // for the registration's log line
    Registration registration = Registration::BySeqNo;
    Policy policy = Policy::AllOrNothing;
    QString time = QStringLiteral("000000"); // the registration's time text
    QString userId;             // empty: the session's LoginUserId
    // Message numbers: reserved for the rows (the usual case), or carried by
    // the rows themselves (transfer drop files).
    bool reserve = true;
    int reserveLimitMs = SeqNoLimitMs;
    // A pause between the final commit and the registration (events run meanwhile).
    int registerPauseMs = 0;
    SeqNoDbErrorNotice dbErrorNotice = SeqNoDbErrorNotice::Show;
    // SkipBadLine: row i was refused by the server (after its statement was logged).
    std::function<void(int row)> onRefused;
    // A statement the server refused goes to the day's log; false leaves that
    // to the caller (RequestResult::refusedStatement), which logs it in its
    // own order with its own lines.
    bool logRefusedStatement = true;
    // Runs once the numbers are reserved (base), before the first row is
    // built; false ends the batch with nothing stored (Outcome::Stopped).
    std::function<bool(qint64 base)> beforeRows;

    static RequestBatch bySeqNo(const QString &serviceCode, const QString &tableName);
    static RequestBatch byCfmId(const QString &serviceCode, const QString &tableName, const QString &time);
};

struct RequestResult
{
    enum class Outcome {
        Sent,            // stored, committed and registered (Registration::None: stored and committed)
        Empty,           // no row to store: nothing committed, nothing registered
        ReserveFailed,   // no message numbers (load or database message shown): nothing stored
        Stopped,         // the batch's beforeRows step said no: nothing stored
        InsertFailed,    // AllOrNothing: an insert was refused and the batch rolled back
        CommitFailed,    // the commit was refused; rolled back
        Withdrawn,       // stored and committed, but the user withdrew at a registration question
        ConnectionLost   // the server link failed; what the server kept is rolled back with the link
    };
    Outcome outcome = Outcome::Empty;
    qint64 base = 0;          // reserved base: rows took base + 1 .. base + count
    int count = 0;            // rows of the batch
    int stored = 0;           // rows inserted
    QList<int> refused;       // rows the server refused (SkipBadLine)
    int registration = 0;     // the registration routine's answer (1, -1, -2), 0 when not run
    bool committed = false;   // the final commit went through
    QString error;            // the server's message for a failed step
    QString refusedStatement; // the last statement the server refused
    // ReserveFailed: the reservation's answer, SeqNoTimedOut (the server was
    // busy for the whole time limit) or SeqNoDbError (its database failed).
    qint64 reserveAnswer = 0;

    bool sent() const { return outcome == Outcome::Sent; }
    bool reserveTimedOut() const { return outcome == Outcome::ReserveFailed && reserveAnswer == SeqNoTimedOut; }
    bool reserveDbFailed() const { return outcome == Outcome::ReserveFailed && reserveAnswer == SeqNoDbError; }
    QString firstNo() const { return QString::number(base + 1); }
    QString lastNo() const { return QString::number(base + count); }
};

class RequestSender
{
public:
    RequestSender(Session &session, qvx::AppServer &server);
    // Over the data module's link and session.
    explicit RequestSender(Tdm &data);

    // The statement of row i with message number seqNo (base + i + 1; 0 when
    // the batch reserves none). An empty statement skips the row (the caller
    // has reported it); a thrown exception counts as a refused insert.
    using Statement = std::function<QString(int row, qint64 seqNo)>;
    RequestResult send(const RequestBatch &batch, int count, const Statement &statement);

    // Typed rows: each row's SeqNo (and TranSeqNo) is set from the reservation.
    template <class Row>
    RequestResult sendRows(const RequestBatch &batch, QList<Row> rows)
    {
        return send(batch, int(rows.size()), [&rows, &batch](int i, qint64 seqNo) {
            if (batch.reserve)
                SetRequestSeqNo(rows[i], seqNo);
            return MakeInsertSql(rows[i]);
        });
    }

private:
    void rollback();

    Session &m_session;
    qvx::AppServer &m_server;
};
