#include "transfers/screens/AcceptBatchList.h"

#include "core/DataColumns.h"
#include "core/RunCommitted.h"
#include "core/screens/ListKit.h"
#include "core/screens/SubLoginUnit.h"
#include "transfers/screens/AcceptDetailUnit.h"

namespace {

enum Col { cMaker, cAmount, cDate, cTime, cApprover, cSendDate, cSendTime, cMinSeq, cMaxSeq, cGubun };

// The waiting batches, one row per maker, time and approver, from the
// grouped batch query.
const ListColumns &Columns()
{
    static const ListColumns columns = ListColumns{
        {QStringLiteral("승인요청자 ID"), 120, AlignCenter, "userid"},
        {QStringLiteral("이체 금액"), 140, AlignRight, "sum(price)", CellFormat::Money},
        {QStringLiteral("요청일자"), 110, AlignCenter, "senddate", CellFormat::Date},
        {QStringLiteral("요청시각"), 100, AlignCenter, "sendtime", CellFormat::Time},
        {QStringLiteral("승인자"), 110, AlignCenter, "cfmid"},
    } + DataColumns({"senddate", "sendtime", "min(seqno)", "max(seqno)", "gubun"});
    return columns;
}

} // namespace

TAcceptBatchList::TAcceptBatchList(const ScreenContext &context, QWidget *owner, const Look &look)
    : ScreenDialog(context, owner)
{
    pnl_buttons = SetUpListDialog(this, {look.name, look.caption, 640, 420, look.heading, 44});
    setAttribute(Qt::WA_DeleteOnClose);

    ListDecl d;
    d.grid = {"grd_ichelist", &Columns()};
    d.grid.emptyCol = cMaker;
    d.grid.find = false;
    m_frame = std::make_unique<ListFrame>(context, this, std::move(d));
    grd_ichelist = MakeDialogList(*m_frame, this, session, [this](int c, int r) { grd_ichelistDblClickCell(c, r); });
    btn_preview = MakeButton(pnl_buttons, "btn_preview", QStringLiteral("상세내역 보기"), 8, 9, 100, 26);
    btn_delete = MakeButton(pnl_buttons, "btn_delete", look.deleteCaption, 114, 9, 100, 26);
    BindClicks(session, {{btn_preview, [this] { btn_previewClick(); }}, {btn_delete, [this] { btn_deleteClick(); }}});
}

void TAcceptBatchList::addSendButtons(std::initializer_list<SendButton> buttons)
{
    for (const SendButton &b : buttons) {
        *b.button = MakeButton(pnl_buttons, b.name, b.caption, b.x, 9, b.width, 26);
        BindClicks(session, {{*b.button, b.handler}});
    }
    btn_close = MakeButton(pnl_buttons, "btn_close", QStringLiteral("닫 기"), 530, 9, 90, 26);
    BindClicks(session, {{btn_close, [this] { close(); }}});
}

TAcceptBatchList::~TAcceptBatchList() = default;

void TAcceptBatchList::FillBatchList(const qvx::ResultSet &rs)
{
    if (rs.isEmpty())
        return;
    m_frame->fill(rs);
    if (grd_ichelist->Row() < 1)
        grd_ichelist->SetRow(1);
}

WaitingBatch TAcceptBatchList::BatchAt(int row) const
{
    WaitingBatch b;
    b.userid = grd_ichelist->Cells(cMaker, row);
    b.amount = grd_ichelist->Cells(cAmount, row);
    b.dateText = grd_ichelist->Cells(cDate, row);
    b.timeText = grd_ichelist->Cells(cTime, row);
    b.cfmid = grd_ichelist->Cells(cApprover, row);
    b.senddate = grd_ichelist->Cells(cSendDate, row);
    b.sendtime = grd_ichelist->Cells(cSendTime, row);
    b.minSeqNo = grd_ichelist->Cells(cMinSeq, row);
    b.maxSeqNo = grd_ichelist->Cells(cMaxSeq, row);
    b.gubun = grd_ichelist->Cells(cGubun, row);
    return b;
}

QList<WaitingBatch> TAcceptBatchList::Batches() const
{
    QList<WaitingBatch> batches;
    for (int r = 1; r < grd_ichelist->RowCount(); ++r)
        if (!grd_ichelist->Cells(cMaker, r).isEmpty())
            batches.append(BatchAt(r));
    return batches;
}

void TAcceptBatchList::RemoveBatch(const WaitingBatch &batch)
{
    for (int r = 1; r < grd_ichelist->RowCount(); ++r) {
        const WaitingBatch b = BatchAt(r);
        if (b.userid != batch.userid || b.senddate != batch.senddate || b.sendtime != batch.sendtime
            || b.cfmid != batch.cfmid || b.gubun != batch.gubun)
            continue;
        m_frame->removeRow(r);
        return;
    }
}

bool TAcceptBatchList::ListEmpty() const { return m_frame->isEmpty(); }

int TAcceptBatchList::selectedRow() const { return std::max(1, grd_ichelist->Row()); }

bool TAcceptBatchList::refuseAction(bool messageWhenEmpty) const
{
    if (RefuseWhenOffline(session))
        return true;
    if (!ListEmpty())
        return false;
    if (messageWhenEmpty)
        qvx::Prompt::instance().message(QStringLiteral("송신할 데이터가 존재하지 않습니다."));
    return true;
}

bool TAcceptBatchList::confirmAction(const QString &question)
{
    if (refuseAction(true))
        return false;
    if (!Tqv_sublogin_frm::Authenticate(context(), this, session.LoginUserId))
        return false;
    return qvx::Prompt::instance().confirm(question);
}

void TAcceptBatchList::reportAll(const QList<WaitingBatch> &failed)
{
    if (failed.isEmpty())
        qvx::Prompt::instance().message(QStringLiteral("정상적으로 처리되었습니다."));
    else
        qvx::Prompt::instance().message(QStringLiteral("정상적으로 처리되지 않았습니다.\r\r") + failedList(failed));
}

TAcceptBatchList::NotToday TAcceptBatchList::offerNotTodayDelete(const WaitingBatch &batch, const QString &deleteSql,
                                                                  const QString &donePrefix,
                                                                  const QString &failedPrefix, bool writeLog)
{
    auto &prompt = qvx::Prompt::instance();
    if (!prompt.confirm(QStringLiteral("해당 이체는 금일이체자료가 아니므로 이체하실 수 없습니다. 삭제하시겠습니까?")))
        return NotToday::Declined;
    if (!runCommitted(deleteSql)) {
        if (writeLog)
            WriteLog(session, ApprovalSql::logLine(failedPrefix, batch));
        prompt.message(QStringLiteral("이체자료를 삭제하는데 실패하였습니다. 전산관리자에게 문의하시기 바랍니다."));
        return NotToday::Failed;
    }
    prompt.message(QStringLiteral("이체자료를 정상적으로 삭제하였습니다."));
    if (writeLog)
        WriteLog(session, ApprovalSql::logLine(donePrefix, batch));
    return NotToday::Deleted;
}

bool TAcceptBatchList::isToday(const QString &yyyymmdd) const
{
    return DelChar(yyyymmdd, u'-') == qvx::Clock::today();
}

bool TAcceptBatchList::runCommitted(const QString &sql, QString *error) const
{
    return RunCommitted(*dm.scktconnect, sql, error);
}

QString TAcceptBatchList::failedList(const QList<WaitingBatch> &failed)
{
    QStringList lines;
    for (const WaitingBatch &b : failed)
        lines << QStringLiteral("작성자:") + b.userid + QStringLiteral(" 요청시각:") + b.timeText
                     + QStringLiteral(" 이체금액:") + b.amount;
    return lines.join(QStringLiteral("\r\n"));
}

// --- detail --------------------------------------------------------------------------------------

void TAcceptBatchList::btn_previewClick() { openDetail(grd_ichelist->Row()); }

void TAcceptBatchList::grd_ichelistDblClickCell(int, int row)
{
    if (row >= 1)
        openDetail(row);
}

void TAcceptBatchList::openDetail(int row)
{
    if (ListEmpty())
        return;
    if (RefuseWhenOffline(session))
        return;
    auto *detail = new Tqv_acceptdetail_frm(context(), this, BatchAt(std::max(1, row)));
    detail->setAttribute(Qt::WA_DeleteOnClose);
    if (detail->LoadBatch())
        detail->exec();
    else
        delete detail;
}

// --- list delete ----------------------------------------------------------------------------------

void TAcceptBatchList::btn_deleteClick()
{
    if (refuseAction(false))
        return;
    const WaitingBatch batch = BatchAt(selectedRow());
    if (!qvx::Prompt::instance().confirm(QStringLiteral("해당 자료를 송신하지 않고 삭제하시겠습니까?")))
        return;
    if (!runCommitted(ApprovalSql::listDelete(batch))) {
        WriteLog(session, ApprovalSql::logLine(QStringLiteral("자료삭제실패  작성자:"), batch));
        qvx::Prompt::instance().message(QStringLiteral("자료 삭제가 정상적으로 처리되지 않았습니다."));
        return;
    }
    qvx::Prompt::instance().message(QStringLiteral("삭제하였습니다."));
    WriteLog(session, ApprovalSql::logLine(QStringLiteral("자료삭제      작성자:"), batch));
    RemoveBatch(batch);
}
