#include "core/screens/TransSelectUnit.h"

#include "core/EventGuard.h"
#include "core/TextUtils.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/FormParts.h"
#include "core/screens/ScreenParts.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/ResultSet.h"
#include "platform/TListGrid.h"

#include <QKeyEvent>

Tqv_transselect_frm::Tqv_transselect_frm(const ScreenContext &context, QWidget *owner)
    : QDialog(owner)
    , session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("qv_transselect_frm"));
    setWindowTitle(QStringLiteral("거래처 목록"));
    setModal(true);
    resize(438, 405);
    SetFormColour(this);

    MakeBand(this, "pnl_caption", QStringLiteral(" ◎ 거래처 선택"), 28);
    TKitSimplePanel *bar = MakePanel(this, "pnl_buttons");
    bar->resize(width(), 42);
    SetAlign(bar, alBottom);
    btn_select = MakeButton(bar, "btn_select", QStringLiteral("선 택"), 236, 8, 90, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 332, 8, 90, 26);

    GRD_acceptlist = MakeGrid(this, "GRD_acceptlist",
                              {QStringLiteral("거래처명"), QStringLiteral("은행코드"), QStringLiteral("계좌번호"),
                               QStringLiteral("실명번호")});
    const int widths[] = {120, 60, 152, 83};
    for (int c = 0; c < 4; ++c)
        GRD_acceptlist->SetColWidths(c, widths[c]);
    GRD_acceptlist->setSelectionBehavior(QAbstractItemView::SelectRows);
    GRD_acceptlist->OnGetAlignment = [](int, int) { return Qt::AlignHCenter; };
    GRD_acceptlist->OnDblClickCell = [this](int c, int r) {
        RunGuarded(session, QStringLiteral("GRD_acceptlistDblClickCell"), [=, this] { GRD_acceptlistDblClickCell(c, r); });
    };
    GRD_acceptlist->OnKeyDown = [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        RunGuarded(session, QStringLiteral("GRD_acceptlistKeyPress"), [this] { btn_selectClick(); });
        return true;
    };

    BindClick(this, btn_select, "btn_selectClick", &Tqv_transselect_frm::btn_selectClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { reject(); });
    FocusOnShow(this, GRD_acceptlist);
}

void Tqv_transselect_frm::FillPayees(const qvx::ResultSet &payees)
{
    GRD_acceptlist->SetRowCount(payees.recordCount() + 1);
    for (int i = 0; i < payees.recordCount(); ++i) {
        const QString bankId = payees.value(i, QStringLiteral("bankid"));
        GRD_acceptlist->SetCells(0, i + 1, payees.value(i, QStringLiteral("name")));
        GRD_acceptlist->SetCells(1, i + 1, bankId);
        GRD_acceptlist->SetCells(2, i + 1, FormatAcctNo(bankId, payees.value(i, QStringLiteral("bankno"))));
        GRD_acceptlist->SetCells(3, i + 1, payees.value(i, QStringLiteral("residentno")));
    }
    GRD_acceptlist->SetRow(1);
}

void Tqv_transselect_frm::btn_selectClick()
{
    accept();
}

void Tqv_transselect_frm::GRD_acceptlistDblClickCell(int, int row)
{
    if (row > 0)
        btn_selectClick();
}
