#include "transfers/screens/AcceptConfirmUnit.h"

#include "core/screens/ListKit.h"
#include "transfers/screens/AcceptUserUnit.h"

Tqv_acceptconfirm_frm::Tqv_acceptconfirm_frm(const ScreenContext &context, QWidget *owner)
    : TAcceptBatchList(context, owner, {"qv_acceptconfirm_frm", QStringLiteral("승인요청 자료 보기"),
                                        QStringLiteral(" ◎ 승인요청 자료 목록"), QStringLiteral("목 록 삭 제")})
{
    addSendButtons({{&btn_sendall, "btn_sendall", QStringLiteral("승인요청(전체)"), 220, 120, [this] { btn_sendallClick(); }},
                    {&btn_send1, "btn_send1", QStringLiteral("승인요청(개별)"), 346, 120, [this] { btn_send1Click(); }}});
}

void Tqv_acceptconfirm_frm::btn_send1Click()
{
    struct ClearApprover {
        Session &session;
        ~ClearApprover() { session.ApproverId.clear(); }
    } clearApprover{session};
    if (!confirmAction(QStringLiteral("선택된 자료를 송신 요청하시겠습니까?")))
        return;
    const WaitingBatch batch = BatchAt(selectedRow());
    auto &prompt = qvx::Prompt::instance();
    if (!isToday(batch.dateText)) {
        deleteNotToday(batch, true);
        return;
    }
    {
        Tqv_acceptuser_frm choice(context(), this);
        if (choice.exec() != QDialog::Accepted)
            return;
    }
    if (!runCommitted(ApprovalSql::forwardOne(batch, session.ApproverId))) {
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신실패  작성자:"), batch));
        prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다."));
        return;
    }
    dm.SendApprovalNotice(session.ApproverId);
    prompt.message(QStringLiteral("정상적으로 처리되었습니다."));
    WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신      작성자:"), batch));
    RemoveBatch(batch);
}

void Tqv_acceptconfirm_frm::btn_sendallClick()
{
    if (!confirmAction(QStringLiteral("전체 자료를 송신 요청하시겠습니까?")))
        return;

    // Not-today batches are never forwarded: deleted when the user agrees,
    // otherwise left where they are.
    QList<WaitingBatch> today;
    QList<WaitingBatch> failed;
    for (const WaitingBatch &batch : Batches()) {
        if (isToday(batch.senddate)) {
            today.append(batch);
            continue;
        }
        if (deleteNotToday(batch, false) == NotToday::Failed)
            failed.append(batch);
    }
    if (today.isEmpty()) {
        if (!failed.isEmpty())
            reportAll(failed);
        return;
    }
    {
        Tqv_acceptuser_frm choice(context(), this);
        if (choice.exec() != QDialog::Accepted)
            return;
    }
    int forwarded = 0;
    for (const WaitingBatch &batch : today) {
        if (!runCommitted(ApprovalSql::forwardAll(batch, session.ApproverId))) {
            WriteLog(session, ApprovalSql::logLine(QStringLiteral("전체승인요청실패  작성자:"), batch));
            failed.append(batch);
            continue;
        }
        ++forwarded;
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("전체승인요청      작성자:"), batch));
        RemoveBatch(batch);
    }
    reportAll(failed);
    if (forwarded > 0)
        dm.SendApprovalNotice(session.ApproverId);
}

TAcceptBatchList::NotToday Tqv_acceptconfirm_frm::deleteNotToday(const WaitingBatch &batch, bool writeLog)
{
    const NotToday outcome = offerNotTodayDelete(batch, ApprovalSql::forwardDelete(batch),
                                                 QStringLiteral("송신중삭제      작성자:"),
                                                 QStringLiteral("송신중삭제실패  작성자:"), writeLog);
    if (outcome == NotToday::Deleted)
        RemoveBatch(batch);
    return outcome;
}

void registerAcceptConfirmScreen()
{
    RegisterListScreen<Tqv_acceptconfirm_frm>(QStringLiteral("qv_acceptconfirm_frm"));
}
