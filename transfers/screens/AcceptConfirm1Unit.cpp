#include "transfers/screens/AcceptConfirm1Unit.h"

#include "core/screens/ListKit.h"
#include "core/SeqNo.h"

Tqv_acceptconfirm1_frm::Tqv_acceptconfirm1_frm(const ScreenContext &context, QWidget *owner)
    : TAcceptBatchList(context, owner, {"qv_acceptconfirm1_frm", QStringLiteral("송신요청자료 보기"),
                                        QStringLiteral(" ◎ 송신요청 자료 목록"), QStringLiteral("목록삭제")})
{
    addSendButtons({{&btn_send, "btn_send", QStringLiteral("전체송신"), 220, 110, [this] { btn_sendClick(); }},
                    {&DDButton1, "DDButton1", QStringLiteral("개별송신"), 336, 110, [this] { DDButton1Click(); }}});
}

TAcceptBatchList::NotToday Tqv_acceptconfirm1_frm::deleteNotToday(const WaitingBatch &batch, bool writeLog)
{
    return offerNotTodayDelete(batch, ApprovalSql::sendDelete(batch, session.LoginUserId),
                               QStringLiteral("승인요청중삭제      작성자:"), QStringLiteral("승인요청중삭제실패  작성자:"),
                               writeLog);
}

int Tqv_acceptconfirm1_frm::sendBatch(const WaitingBatch &batch, QString *error)
{
    if (!runCommitted(ApprovalSql::sendUpdate(batch, session.LoginUserId), error))
        return 0;
    try {
        return SendDescByCfmId(session, QStringLiteral("0100100"), session.LoginUserId, QStringLiteral("0"), QStringLiteral("0"),
                               DelChar(batch.timeText, u':'), QStringLiteral("giche"), dm.scktconnect);
    } catch (const std::exception &e) {
        *error = QString::fromUtf8(e.what());
        return SendDescWithdrawnBusy;
    }
}

void Tqv_acceptconfirm1_frm::DDButton1Click()
{
    if (!confirmAction(QStringLiteral("선택된 자료를 이체 송신하시겠습니까?")))
        return;
    const WaitingBatch batch = BatchAt(selectedRow());
    auto &prompt = qvx::Prompt::instance();
    if (!isToday(batch.senddate)) {
        if (deleteNotToday(batch, true) != NotToday::Failed)
            RemoveBatch(batch);
        return;
    }
    QString error;
    const int registered = sendBatch(batch, &error);
    if (registered == 0) {
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신실패  작성자:"), batch));
        prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다."));
        return;
    }
    WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신      작성자:"), batch));
    // The rows wait to be sent whatever the registration answered: the
    // result inquiry follows this batch when the bank's answer comes.
    session.SeqNoBase = batch.minSeqNo.toInt();
    session.SeqNoLast = batch.maxSeqNo.toInt();
    session.LastIcheGubun = batch.gubun;
    if (registered == SendDescAccepted)
        prompt.message(QStringLiteral("정상적으로 처리되었습니다."));
    else if (registered == SendDescWithdrawnBusy)
        prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다. Database Error(-1)"));
    if (Batches().size() > 1)
        WriteLog(session, ApprovalSql::sendUpdate(batch, session.LoginUserId));
    RemoveBatch(batch);
}

void Tqv_acceptconfirm1_frm::btn_sendClick()
{
    if (!confirmAction(QStringLiteral("전체 자료를 이체 송신하시겠습니까?")))
        return;
    QList<WaitingBatch> failed;
    for (const WaitingBatch &batch : Batches()) {
        if (!isToday(batch.senddate)) {
            if (deleteNotToday(batch, false) == NotToday::Failed)
                failed.append(batch);
            else
                RemoveBatch(batch);
            continue;
        }
        QString error;
        if (sendBatch(batch, &error) != SendDescAccepted) {
            failed.append(batch);
            continue;
        }
        RemoveBatch(batch);
    }
    reportAll(failed);
    if (failed.isEmpty())
        session.ApproverId.clear();
}

void registerAcceptConfirm1Screen()
{
    RegisterListScreen<Tqv_acceptconfirm1_frm>(QStringLiteral("qv_acceptconfirm1_frm"));
}
