#include "transfers/screens/AcceptDetailUnit.h"

#include "core/RunCommitted.h"
#include "core/AppControl.h"
#include "core/Session.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListScreen.h"
#include "core/ReportParams.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/TextUtils.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/Prompt.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QLabel>

namespace {
enum Col { cNo, cSeqNo, cUser, cMoBank, cState, cKindText, cMoBankNo, cPasswd, cBoki, cGubunText, cPrice,
           cTransBank, cBankNo, cName, cSrFlag, cBankId, cUpGubun, cGubun, cTransBankId, cService, cSendId,
           cRecvId, cFirmId };

TCurrencyEdit *MakeFigure(QWidget *parent, const char *name, bool money, int x)
{
    auto *e = new TCurrencyEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, 6, 110, 22);
    e->SetDisplayFormat(money ? QStringLiteral("0,") : QStringLiteral("0"));
    e->setReadOnly(true);
    return e;
}
} // namespace

Tqv_acceptdetail_frm::Tqv_acceptdetail_frm(const ScreenContext &context, QWidget *owner, const WaitingBatch &batch)
    : QDialog(owner), session(context.session), dm(context.dm), m_batch(batch)
{
    setObjectName(QStringLiteral("qv_acceptdetail_frm"));
    setWindowTitle(QStringLiteral("상세 내역"));
    setModal(true);
    resize(900, 480);
    SetFormColour(this);

    MakeBand(this, "pnl_caption", QStringLiteral(" ◎ 승인요청 자료 목록"), 28);
    TKitSimplePanel *figures = MakePanel(this, "pnl_total");
    figures->resize(width(), 34);
    SetAlign(figures, alTop);
    curredt_gun = MakeFigure(figures, "curredt_gun", false, 8);
    (new QLabel(QStringLiteral("건"), figures))->setGeometry(122, 6, 20, 22);
    curredt_total = MakeFigure(figures, "curredt_total", true, 150);
    (new QLabel(QStringLiteral("원"), figures))->setGeometry(264, 6, 20, 22);

    TKitSimplePanel *bar = MakePanel(this, "pnl_buttons");
    bar->resize(width(), 42);
    SetAlign(bar, alBottom);
    btn_print = MakeButton(bar, "btn_print", QStringLiteral("인 쇄"), 8, 8, 90, 26);
    btn_preview = MakeButton(bar, "btn_preview", QStringLiteral("미리보기"), 104, 8, 90, 26);
    SetButtonEnabled(btn_print, false);
    SetButtonEnabled(btn_preview, false);
    btn_delete = MakeButton(bar, "btn_delete", QStringLiteral("삭 제"), 700, 8, 90, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 796, 8, 90, 26);
    BindClick(this, btn_delete, "btn_deleteClick", &Tqv_acceptdetail_frm::btn_deleteClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { accept(); });

    grd_ichelist = MakeGrid(this, "grd_ichelist",
                            {QStringLiteral("순번"), QStringLiteral("전문번호"), QStringLiteral("요청자ID"),
                             QStringLiteral("모은행"), QStringLiteral("송수신상태"), QStringLiteral("업무구분"),
                             QStringLiteral("모계좌"), QStringLiteral("암호"), QStringLiteral("복기"),
                             QStringLiteral("거래구분"), QStringLiteral("이체금액"), QStringLiteral("거래은행"),
                             QStringLiteral("거래계좌"), QStringLiteral("송금/수금인")});
    const int widths[] = {36, 64, 64, 64, 64, 64, 104, 40, 40, 56, 80, 64, 104, 84};
    for (int c = 0; c < 14; ++c)
        grd_ichelist->SetColWidths(c, widths[c]);
    grd_ichelist->setSelectionBehavior(QAbstractItemView::SelectRows);
    grd_ichelist->OnGetAlignment = [](int col, int row) {
        return col == cPrice && row > 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter;
    };
}

bool Tqv_acceptdetail_frm::LoadBatch()
{
    const qvx::ResultSet &rs = dm.cms_select1(ApprovalSql::detailRows(m_batch));
    if (rs.isEmpty())
        return false;
    grd_ichelist->BeginUpdate();
    grd_ichelist->SetRowCount(rs.recordCount() + 1);
    qint64 total = 0;
    for (int i = 0; i < rs.recordCount(); ++i) {
        const int r = i + 1;
        auto v = [&rs, i](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
        const qint64 price = SafeStrToCurr(v("price").trimmed(), 0);
        total += price;
        grd_ichelist->SetCells(cNo, r, QString::number(r));
        grd_ichelist->SetCells(cSeqNo, r, v("seqno"));
        grd_ichelist->SetCells(cUser, r, v("userid"));
        grd_ichelist->SetCells(cMoBank, r, v("mobankname"));
        grd_ichelist->SetCells(cState, r, GetSendFlagName(v("sr_flag").toInt()));
        grd_ichelist->SetCells(cKindText, r, v("gubuncontents"));
        grd_ichelist->SetCells(cMoBankNo, r, v("mobankno"));
        grd_ichelist->SetCells(cPasswd, r, v("passwd"));
        grd_ichelist->SetCells(cBoki, r, v("boki"));
        grd_ichelist->SetCells(cGubunText, r, v("gubun") == QLatin1String("20") ? QStringLiteral("수납") : QStringLiteral("지급"));
        grd_ichelist->SetCells(cPrice, r, CurrToMoneyStr(price));
        grd_ichelist->SetCells(cTransBank, r, v("transbankname"));
        grd_ichelist->SetCells(cBankNo, r, v("bankno"));
        grd_ichelist->SetCells(cName, r, v("name"));
        grd_ichelist->SetCells(cSrFlag, r, v("sr_flag"));
        grd_ichelist->SetCells(cBankId, r, v("bankid"));
        grd_ichelist->SetCells(cUpGubun, r, v("up_gubuncode"));
        grd_ichelist->SetCells(cGubun, r, v("gubun"));
        grd_ichelist->SetCells(cTransBankId, r, v("trans_bankid"));
        grd_ichelist->SetCells(cService, r, v("service"));
        grd_ichelist->SetCells(cSendId, r, v("sendid"));
        grd_ichelist->SetCells(cRecvId, r, v("recvid"));
        grd_ichelist->SetCells(cFirmId, r, v("firmid"));
    }
    grd_ichelist->EndUpdate();
    grd_ichelist->SetRow(1);
    curredt_gun->SetValue(qvx::Decimal(qint64(rs.recordCount())));
    curredt_total->SetValue(qvx::Decimal(total));
    return true;
}

void Tqv_acceptdetail_frm::btn_deleteClick()
{
    if (RefuseWhenOffline(session))
        return;
    if (GridIsEmpty(grd_ichelist, cSeqNo))
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
    if (grd_ichelist->RowCount() <= 2)
        grd_ichelist->ClearBlock(0, 1, cFirmId, 1);
    else
        grd_ichelist->DeleteRow(row);
    curredt_gun->SetValue(qvx::Decimal(curredt_gun->Value().toInt64() - 1));
    curredt_total->SetValue(qvx::Decimal(curredt_total->Value().toInt64() - MoneyCellValue(amount)));
}
