#include "transfers/screens/AcceptDetailUnit.h"

#include "core/DataColumns.h"
#include "core/RunCommitted.h"
#include "core/screens/ListKit.h"

#include <QLabel>
#include <QStyle>
#include <algorithm>
#include <QStyle>

namespace {
enum Col { cNo, cSeqNo, cUser, cMoBank, cState, cKindText, cMoBankNo, cPasswd, cBoki, cGubunText, cPrice,
           cTransBank, cBankNo, cName, cSrFlag, cBankId, cUpGubun, cGubun, cTransBankId, cService, cSendId,
           cRecvId, cFirmId };

// The rows of one waiting batch, from the batch's detail statement.
const ListColumns &Columns()
{
    using F = CellFormat;
    static const ListColumns columns = ListColumns{
        {QStringLiteral("순번"), 36, AlignCenter, "", F::RowNo},
        {QStringLiteral("전문번호"), 64, AlignCenter, "seqno"},
        {QStringLiteral("요청자ID"), 64, AlignCenter, "userid"},
        {QStringLiteral("모은행"), 64, AlignCenter, "mobankname"},
        {QStringLiteral("송수신상태"), 64, AlignCenter, "sr_flag", F::SendFlag},
        {QStringLiteral("업무구분"), 64, AlignCenter, "gubuncontents"},
        {QStringLiteral("모계좌"), 104, AlignCenter, "mobankno"},
        {QStringLiteral("암호"), 40, AlignCenter, "passwd"},
        {QStringLiteral("복기"), 40, AlignCenter, "boki"},
        TransferKindColumn(QStringLiteral("거래구분"), 56),
        {QStringLiteral("이체금액"), 80, AlignRight, "price", F::Money},
        {QStringLiteral("거래은행"), 64, AlignCenter, "transbankname"},
        {QStringLiteral("거래계좌"), 104, AlignCenter, "bankno"},
        {QStringLiteral("송금/수금인"), 84, AlignCenter, "name"},
    } + DataColumns({"sr_flag", "bankid", "up_gubuncode", "gubun", "trans_bankid", "service", "sendid", "recvid",
                     "firmid"});
    return columns;
}

TCurrencyEdit *MakeFigure(QWidget *parent, const char *name, bool money, int x)
{
    auto *e = new TCurrencyEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    // The total holds a 14-digit sum of 13-digit amounts.
    const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
    const int width =
        money ? std::max(110, e->fontMetrics().horizontalAdvance(QStringLiteral("99,999,999,999,999")) + 2 * frame + 8)
              : 110;
    e->setGeometry(x, 6, width, 22);
    e->SetDisplayFormat(money ? QStringLiteral("0,") : QStringLiteral("0"));
    e->setReadOnly(true);
    return e;
}
} // namespace

Tqv_acceptdetail_frm::Tqv_acceptdetail_frm(const ScreenContext &context, QWidget *owner, const WaitingBatch &batch)
    : ScreenDialog(context, owner), m_batch(batch)
{
    TKitSimplePanel *bar = SetUpListDialog(this, {"qv_acceptdetail_frm", QStringLiteral("상세 내역"), 900, 480,
                                                  QStringLiteral(" ◎ 승인요청 자료 목록")});
    TKitSimplePanel *figures = MakePanel(this, "pnl_total");
    figures->resize(width(), 34);
    SetAlign(figures, alTop);
    curredt_gun = MakeFigure(figures, "curredt_gun", false, 8);
    (new QLabel(QStringLiteral("건"), figures))->setGeometry(122, 6, 20, 22);
    curredt_total = MakeFigure(figures, "curredt_total", true, 150);
    auto *unit = new QLabel(QStringLiteral("원"), figures);
    unit->setObjectName(QStringLiteral("lbl_totalunit"));
    unit->setGeometry(curredt_total->geometry().right() + 4, 6, 20, 22);

    btn_print = MakeButton(bar, "btn_print", QStringLiteral("인 쇄"), 8, 8, 90, 26);
    btn_preview = MakeButton(bar, "btn_preview", QStringLiteral("미리보기"), 104, 8, 90, 26);
    SetButtonEnabled(btn_print, false);
    SetButtonEnabled(btn_preview, false);
    btn_delete = MakeButton(bar, "btn_delete", QStringLiteral("삭 제"), 700, 8, 90, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 796, 8, 90, 26);
    BindClick(this, btn_delete, "btn_deleteClick", &Tqv_acceptdetail_frm::btn_deleteClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { accept(); });

    // The rows of the batch; the maker is not part of the condition.
    ListDecl d;
    d.grid = {"grd_ichelist", &Columns()};
    d.grid.emptyCol = cSeqNo;
    d.grid.find = false;
    d.search.statement = [this] { return ApprovalSql::detailRows(m_batch); };
    d.search.onRow = [this](const qvx::ResultSet &rs, int, int i) {
        ++m_count;
        m_total += SafeStrToCurr(rs.value(i, QStringLiteral("price")).trimmed(), 0);
    };
    d.totals.clear = [this] { m_count = m_total = 0; };
    d.totals.show = [this] {
        curredt_gun->SetValue(qvx::Decimal(m_count));
        curredt_total->SetValue(qvx::Decimal(m_total));
    };
    m_frame = std::make_unique<ListFrame>(context, this, std::move(d));
    grd_ichelist = m_frame->makeGrid(this);
    grd_ichelist->setSelectionBehavior(QAbstractItemView::SelectRows);
}

Tqv_acceptdetail_frm::~Tqv_acceptdetail_frm() = default;

bool Tqv_acceptdetail_frm::LoadBatch()
{
    if (m_frame->search() == 0)
        return false;
    grd_ichelist->SetRow(1);
    return true;
}

void Tqv_acceptdetail_frm::btn_deleteClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (m_frame->isEmpty())
        return;
    auto &prompt = qvx::Prompt::instance();
    if (!prompt.confirm(QStringLiteral("선택하신 이체자료를 삭제하시겠습니까?")))
        return;
    const int row = std::max(1, grd_ichelist->Row());
    const QString seqNo = grd_ichelist->Cells(cSeqNo, row);
    const QString amount = grd_ichelist->Cells(cPrice, row);
    auto logLine = [&](const QString &prefix) {
        return ApprovalSql::detailLogLine(prefix, seqNo, grd_ichelist->Cells(cUser, row), amount,
                                          grd_ichelist->Cells(cName, row), grd_ichelist->Cells(cTransBank, row));
    };
    if (!RunCommitted(*dm.scktconnect, ApprovalSql::detailDelete(seqNo, m_batch.senddate))) {
        prompt.message(QStringLiteral("자료 삭제를 정상적으로 처리하지 않았습니다."));
        WriteLog(session, logLine(QStringLiteral("승인요청자료삭제실패  전문번호:")));
        return;
    }
    prompt.message(QStringLiteral("선택한 이체자료를 삭제하였습니다."));
    WriteLog(session, logLine(QStringLiteral("승인요청자료삭제      전문번호:")));
    m_frame->removeRow(row);
    curredt_gun->SetValue(qvx::Decimal(curredt_gun->Value().toInt64() - 1));
    curredt_total->SetValue(qvx::Decimal(curredt_total->Value().toInt64() - MoneyCellValue(amount)));
}
