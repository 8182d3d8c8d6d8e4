#include "transfers/screens/AcceptConfirmUnit.h"

#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/screens/ScreenRegistry.h"
#include "core/screens/SubLoginUnit.h"
#include "platform/Prompt.h"
#include "transfers/screens/AcceptUserUnit.h"

namespace {
const QString NotTodayQuestion = QStringLiteral(
    "해당 이체는 금일이체자료가 아니므로 이체하실 수 없습니다. 삭제하시겠습니까?");
const QString DeletedText = QStringLiteral("이체자료를 정상적으로 삭제하였습니다.");
const QString DeleteFailedText = QStringLiteral(
    "이체자료를 삭제하는데 실패하였습니다. 전산관리자에게 문의하시기 바랍니다.");
} // namespace

Tqv_acceptconfirm_frm::Tqv_acceptconfirm_frm(Session &runSession, QWidget *owner)
    : TAcceptBatchList(runSession, owner, "qv_acceptconfirm_frm", QStringLiteral("승인요청 자료 보기"),
                       QStringLiteral(" ◎ 승인요청 자료 목록"))
{
    btn_preview = addButton("btn_preview", QStringLiteral("상세내역 보기"), 8, 100, [this] { btn_previewClick(); });
    btn_delete = addButton("btn_delete", QStringLiteral("목 록 삭 제"), 114, 100, [this] { btn_deleteClick(); });
    btn_sendall = addButton("btn_sendall", QStringLiteral("승인요청(전체)"), 220, 120, [this] { btn_sendallClick(); });
    btn_send1 = addButton("btn_send1", QStringLiteral("승인요청(개별)"), 346, 120, [this] { btn_send1Click(); });
    btn_close = addButton("btn_close", QStringLiteral("닫 기"), 530, 90, [this] { close(); });
}

bool Tqv_acceptconfirm_frm::offerNotTodayDelete(const WaitingBatch &batch, bool writeLog, bool *declined)
{
    auto &prompt = qvx::Prompt::instance();
    *declined = !prompt.confirm(NotTodayQuestion);
    if (*declined)
        return false;
    if (!runCommitted(ApprovalSql::forwardDelete(batch))) {
        if (writeLog)
            WriteLog(session, ApprovalSql::logLine(QStringLiteral("송신중삭제실패  작성자:"), batch));
        prompt.message(DeleteFailedText);
        return false;
    }
    prompt.message(DeletedText);
    if (writeLog)
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("송신중삭제      작성자:"), batch));
    RemoveBatch(batch);
    return true;
}

void Tqv_acceptconfirm_frm::btn_send1Click()
{
    if (refuseAction(true))
        return;
    struct ClearApprover {
        Session &session;
        ~ClearApprover() { session.ApproverId.clear(); }
    } clearApprover{session};
    const WaitingBatch batch = BatchAt(selectedRow());
    auto &prompt = qvx::Prompt::instance();
    if (!Tqv_sublogin_frm::Authenticate(session, this, session.LoginUserId))
        return;
    if (!prompt.confirm(QStringLiteral("선택된 자료를 송신 요청하시겠습니까?")))
        return;
    if (!isToday(batch.dateText)) {
        bool declined = false;
        offerNotTodayDelete(batch, true, &declined);
        return;
    }
    {
        Tqv_acceptuser_frm choice(session, this);
        if (choice.exec() != QDialog::Accepted)
            return;
    }
    if (!runCommitted(ApprovalSql::forwardOne(batch, session.ApproverId))) {
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신실패  작성자:"), batch));
        prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다."));
        return;
    }
    dm->SendApprovalNotice(session.ApproverId);
    prompt.message(QStringLiteral("정상적으로 처리되었습니다."));
    WriteLog(session, ApprovalSql::logLine(QStringLiteral("개별송신      작성자:"), batch));
    RemoveBatch(batch);
}

void Tqv_acceptconfirm_frm::btn_sendallClick()
{
    if (refuseAction(true))
        return;
    auto &prompt = qvx::Prompt::instance();
    if (!Tqv_sublogin_frm::Authenticate(session, this, session.LoginUserId))
        return;
    if (!prompt.confirm(QStringLiteral("전체 자료를 송신 요청하시겠습니까?")))
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
        bool declined = false;
        if (!offerNotTodayDelete(batch, false, &declined) && !declined)
            failed.append(batch);
    }
    if (today.isEmpty()) {
        if (!failed.isEmpty())
            prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다.\r\r") + failedList(failed));
        return;
    }
    {
        Tqv_acceptuser_frm choice(session, this);
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
    if (failed.isEmpty())
        prompt.message(QStringLiteral("정상적으로 처리되었습니다."));
    else
        prompt.message(QStringLiteral("정상적으로 처리되지 않았습니다.\r\r") + failedList(failed));
    if (forwarded > 0)
        dm->SendApprovalNotice(session.ApproverId);
}

void registerAcceptConfirmScreen()
{
    ScreenRegistry::instance().add(QStringLiteral("qv_acceptconfirm_frm"),
                                   [](QWidget *owner, Session &session) -> QWidget * { return new Tqv_acceptconfirm_frm(session, owner); });
}
