#include "transfers/screens/AcceptUserUnit.h"

#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/FormParts.h"
#include "core/screens/ListGrid.h"
#include "core/Session.h"
#include "core/screens/ScreenParts.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

Tqv_acceptuser_frm::Tqv_acceptuser_frm(const ScreenContext &context, QWidget *owner)
    : QDialog(owner)
    , session(context.session), dm(context.dm)
{
    setObjectName(QStringLiteral("qv_acceptuser_frm"));
    setWindowTitle(QStringLiteral("승인권한자 목록"));
    setModal(true);
    resize(420, 360);
    SetFormColour(this);

    MakeBand(this, "pnl_caption", QStringLiteral(" ◎ 승인자 선택"), 28);
    TKitSimplePanel *bar = MakePanel(this, "pnl_buttons");
    bar->resize(width(), 42);
    SetAlign(bar, alBottom);
    btn_select = MakeButton(bar, "btn_select", QStringLiteral("선 택"), 220, 8, 90, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), 316, 8, 90, 26);

    GRD_acceptlist = MakeGrid(this, "GRD_acceptlist",
                              {QStringLiteral("승인자"), QStringLiteral("승인자 ID"), QStringLiteral("승인권한")});
    GRD_acceptlist->SetColWidths(0, 120);
    GRD_acceptlist->SetColWidths(1, 110);
    GRD_acceptlist->SetColWidths(2, 150);
    GRD_acceptlist->setSelectionBehavior(QAbstractItemView::SelectRows);
    GRD_acceptlist->OnGetAlignment = [](int, int) { return Qt::AlignHCenter; };
    GRD_acceptlist->OnDblClickCell = [this](int c, int r) {
        RunGuarded(session, QStringLiteral("GRD_acceptlistDblClickCell"), [=, this] { GRD_acceptlistDblClickCell(c, r); });
    };

    BindClick(this, btn_select, "btn_selectClick", &Tqv_acceptuser_frm::btn_selectClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { reject(); });
    FocusOnShow(this, GRD_acceptlist);
    RunGuarded(session, QStringLiteral("qv_acceptuser_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_acceptuser_frm::FormCreate()
{
    const qvx::ResultSet rs = dm.cms_select1(QStringLiteral(
        "select users.userid, users.username, users.authorcode, authority.authorcontents from users, authority "
        "where users.authorcode = authority.authorcode and users.authorcode in (1, 2) "
        "order by users.authorcode, users.username"));
    if (rs.isEmpty()) {
        qvx::Prompt::instance().message(QStringLiteral("승인권한자가 존재하지 않습니다.") + QStringLiteral("\r\r")
                                        + QStringLiteral("승인권한자를 등록하신 후 이체작업을 하시기 바랍니다."));
        SetButtonEnabled(btn_select, false);
        return;
    }
    GRD_acceptlist->SetRowCount(rs.recordCount() + 1);
    for (int i = 0; i < rs.recordCount(); ++i) {
        GRD_acceptlist->SetCells(0, i + 1, rs.value(i, QStringLiteral("username")));
        GRD_acceptlist->SetCells(1, i + 1, rs.value(i, QStringLiteral("userid")));
        GRD_acceptlist->SetCells(2, i + 1, rs.value(i, QStringLiteral("authorcontents")));
    }
    GRD_acceptlist->SetRow(1);
}

void Tqv_acceptuser_frm::btn_selectClick()
{
    const int row = GRD_acceptlist->Row();
    if (row < 1 || GridIsEmpty(GRD_acceptlist))
        return;
    const QString id = GRD_acceptlist->Cells(1, row);
    if (!qvx::Prompt::instance().confirm(QStringLiteral("승인자 ID : ") + id + QStringLiteral("\r\r")
                                         + QStringLiteral("승인신청하시겠습니까?")))
        return;
    session.ApproverId = id;
    accept();
}

void Tqv_acceptuser_frm::GRD_acceptlistDblClickCell(int, int row)
{
    if (row > 0 && ButtonEnabled(btn_select))
        btn_selectClick();
}
