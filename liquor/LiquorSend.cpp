#include "liquor/LiquorSend.h"

#include "core/DayLog.h"
#include "core/RequestSender.h"
#include "core/SeqNo.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "liquor/LiquorLog.h"
#include "liquor/LiquorRules.h"
#include "transfers/TransferLog.h"
#include "platform/AppServer.h"

namespace {

// The values both request tables take, in the same places but for the two
// account columns.
template <class Row>
Row requestRow(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki)
{
    Row r;
    ApplyRequestHeader(r, batch.header(row.recvId, row.firmId, row.moBankId));
    r.SeqNo = QString::number(seqNo);
    r.PassWd = row.passWd;
    r.Boki = boki;
    r.Gubun = row.gubun;
    r.Price = row.plainMoney();
    r.TRANS_BankID = row.bankId;
    r.Name = row.name;
    r.JuminNo = DelChar(row.realNameNo, QLatin1Char('-'));
    r.JuFlag = QStringLiteral("1");
    r.JuMoney = row.plainJuMoney();
    r.nonJuMoney = row.plainNonJuMoney();
    r.sr_flag = QStringLiteral("1");
    r.up_gubuncode = LiquorServiceCode(batch.paymentMode);
    r.COMMON_DUMMY = row.info;
    return r;
}

// The state of a batch the request sender has handled.
LiquorSendOutcome::Status SendStatus(const RequestResult &result, int count)
{
    using Outcome = RequestResult::Outcome;
    switch (result.outcome) {
    case Outcome::Sent: return LiquorSendOutcome::Sent;
    case Outcome::Withdrawn: return LiquorSendOutcome::Withdrawn;
    case Outcome::ReserveFailed: return LiquorSendOutcome::ReserveFailed;
    case Outcome::Stopped: return LiquorSendOutcome::OpenCommitFailed;
    case Outcome::CommitFailed: return LiquorSendOutcome::CommitFailed;
    case Outcome::ConnectionLost:
        if (result.committed)
            return LiquorSendOutcome::RegisterFailed;
        return result.stored == count ? LiquorSendOutcome::CommitFailed : LiquorSendOutcome::RowFailed;
    default: // InsertFailed (Empty cannot happen: the screen sends no empty list)
        return LiquorSendOutcome::RowFailed;
    }
}

} // namespace

LiquorBatch LiquorBatch::of(const Session &session, QVector<LiquorRow> rows)
{
    LiquorBatch b;
    static_cast<BatchStamp &>(b) = BatchStamp::of(session);
    b.rows = std::move(rows);
    b.paymentMode = session.PaymentMode;
    return b;
}

QString LiquorServiceCode(int paymentMode)
{
    return QString::fromLatin1(paymentMode == 1 ? Jiche103Row::ServiceCode : Jiche102Row::ServiceCode);
}

QString LiquorRequestTable(int paymentMode)
{
    return paymentMode == 1 ? QStringLiteral("cmsjiche103") : QStringLiteral("cmsjiche102");
}

Jiche102Row LiquorJiche102Row(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki)
{
    Jiche102Row r = requestRow<Jiche102Row>(batch, row, seqNo, boki);
    r.bankNo = row.plainBankNo();
    r.MoBankNo = row.plainMoBankNo();
    return r;
}

Jiche103Row LiquorJiche103Row(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki)
{
    Jiche103Row r = requestRow<Jiche103Row>(batch, row, seqNo, boki);
    r.MoBankNo = row.plainMoBankNo();
    r.BankNo = row.plainBankNo();
    return r;
}

QString LiquorInsertSql(const LiquorBatch &batch, const LiquorRow &row, qint64 seqNo, const QString &boki)
{
    if (batch.paymentMode == 1)
        return MakeInsertSql(LiquorJiche103Row(batch, row, seqNo, boki));
    return MakeInsertSql(LiquorJiche102Row(batch, row, seqNo, boki));
}

QString LiquorSendQuestion(int count, const QString &firstName, qint64 total)
{
    const QString amount = FormatMoney(QString::number(total));
    if (count == 1)
        return QStringLiteral("이체하실 자료는\r\r거래처명 : ") + firstName + QStringLiteral("\r")
               + QStringLiteral("이체금액 : ") + PadAmount(amount, 13) + QStringLiteral(" 원") + QStringLiteral("\r\r")
               + QStringLiteral("입니다. 이체송신을 하시겠습니까?");
    return QStringLiteral("이체하실 자료는\r\r총이체건수 : ") + FormatMoney(QString::number(count))
           + QStringLiteral(" 건") + QStringLiteral("\r") + QStringLiteral("이 체 금 액 : ") + PadAmount(amount, 17)
           + QStringLiteral(" 원") + QStringLiteral("\r\r") + QStringLiteral("입니다. 이체송신을 하시겠습니까?");
}

LiquorSendOutcome SendLiquorBatch(Session &session, qvx::AppServer &server, const LiquorBatch &batch,
                                  const LiquorSendProgress &progress)
{
    LiquorSendOutcome out;
    out.count = int(batch.rows.size());

    RequestBatch request =
        RequestBatch::bySeqNo(LiquorServiceCode(batch.paymentMode), LiquorRequestTable(batch.paymentMode));
    request.time = batch.sendTime;
    request.userId = batch.userId;
    request.policy = RequestBatch::Policy::AllOrNothing;
    request.dbErrorNotice = SeqNoDbErrorNotice::Silent;
    // The failed row's statement follows its own line in the day's log.
    request.logRefusedStatement = false;
    request.beforeRows = [&](qint64 base) {
        out.seqBase = base;
        if (progress.reserved)
            progress.reserved(base, out.count);
        try {
            server.execute(QStringLiteral("commit"));
        } catch (const qvx::AppServerError &e) {
            out.error = e.message();
            return false;
        }
        return true;
    };

    RequestSender sender(session, server);
    const RequestResult result = sender.send(request, out.count, [&](int i, qint64 seqNo) {
        if (i > 0 && progress.rowStored)
            progress.rowStored(i);
        const LiquorRow &row = batch.rows[i];
        return LiquorInsertSql(batch, row, seqNo, LiquorSendCheckCode(row, seqNo, batch.sendTime, &server));
    });
    if (!result.error.isEmpty())
        out.error = result.error;

    out.status = SendStatus(result, out.count);
    if (out.status == LiquorSendOutcome::RowFailed)
        out.failedRow = result.stored + 1;
    out.reserveDbError = result.reserveDbFailed();

    if (out.committed()) {
        if (progress.rowStored)
            progress.rowStored(out.count);
        session.SeqNoBase = int(out.seqBase);
        session.SeqNoLast = int(out.seqBase + out.count);
        session.AcceptSeqBase = int(out.seqBase);
        session.AcceptSeqLast = int(out.seqBase + out.count);
    }

    // The day's log of a failure.
    switch (out.status) {
    case LiquorSendOutcome::RowFailed: {
        const LiquorRow &row = batch.rows[out.failedRow - 1];
        WriteLog(session, LiquorStoreFailedLogLine(row, batch.paymentMode, batch.userId));
        if (!result.refusedStatement.isEmpty())
            WriteLog(session, result.refusedStatement);
        WriteLiquorTransferLog(QStringLiteral("2"), out.firstNo(), LiquorSendErrorValues(row, batch.paymentMode));
        break;
    }
    case LiquorSendOutcome::OpenCommitFailed:
    case LiquorSendOutcome::CommitFailed:
    case LiquorSendOutcome::RegisterFailed:
        WriteLiquorTransferLog(QStringLiteral("3"), out.firstNo(), {out.lastNo()});
        break;
    default:
        break;
    }
    return out;
}

QString LiquorSendFailureMessage(const LiquorSendOutcome &outcome)
{
    switch (outcome.status) {
    case LiquorSendOutcome::ReserveFailed:
        // The load message was shown by the reservation itself.
        return outcome.reserveDbError
                   ? QStringLiteral("데이터베이스에 오류가 발생하여 전문번호를 생성하지 못하였습니다. 관리자에게 문의하시기 바랍니다.")
                   : QString();
    case LiquorSendOutcome::RowFailed:
        return QStringLiteral("데이터베이스에 저장되지 않았습니다. 자료를 재작성한 후 송신하시기 바랍니다.");
    case LiquorSendOutcome::OpenCommitFailed:
    case LiquorSendOutcome::CommitFailed:
    case LiquorSendOutcome::RegisterFailed:
        return QStringLiteral("데이터베이스에 오류가 발생하였습니다. Commit error");
    case LiquorSendOutcome::Sent:
    case LiquorSendOutcome::Withdrawn:
        break;
    }
    return QString();
}
