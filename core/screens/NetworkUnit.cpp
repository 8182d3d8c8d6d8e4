#include "core/screens/NetworkUnit.h"

#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

Tqv_network_frm::Tqv_network_frm(const ScreenContext &context, QWidget *owner)
    : ScreenForm(context, owner)
{
    SetUpForm(this, "qv_network_frm", QStringLiteral("네트워크설정정보보기"), 420, 330);

    MakeBand(this, "pnl_nevar", QStringLiteral(" ◎ NEVAR 네트워크 정보"), 25);
    grd_network = MakeGrid(this, "grd_network", {QString(), QStringLiteral("네트워크 정보")}, alTop, 106);
    grd_network->SetRowCount(5);
    MakeBand(this, "pnl_head", QStringLiteral(" ◎ 본사 서버 네트워크 정보"), 25);
    grd_network1 = MakeGrid(this, "grd_network1", {QString(), QStringLiteral("네트워크 정보")}, alTop, 66);
    grd_network1->SetRowCount(3);
    for (TListGrid *g : {grd_network, grd_network1}) {
        g->SetFixedCols(1);
        g->SetColWidths(0, 120);
        g->SetColWidths(1, 260);
        g->OnGetAlignment = [](int col, int row) { return (row == 0 || col == 0) ? Qt::AlignHCenter : Qt::AlignLeft; };
    }

    TKitSimplePanel *bar = MakeBar(this, "pnl_bottom", 40, alBottom);
    KitButton2 = MakeButton(bar, "KitButton2", QStringLiteral("닫 기"), 320, 8, 80, 25);
    BindClick(this, KitButton2, "KitButton2Click", &Tqv_network_frm::KitButton2Click);

    RunGuarded(session, QStringLiteral("qv_network_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_network_frm::FormCreate()
{
    grd_network->SetCells(0, 1, QStringLiteral("IP 주소"));
    grd_network->SetCells(0, 2, QStringLiteral("NEVAR ID"));
    grd_network->SetCells(0, 3, QStringLiteral("송신 포트"));
    grd_network->SetCells(0, 4, QStringLiteral("수신 포트"));
    grd_network1->SetCells(0, 1, QStringLiteral("IP 주소"));
    grd_network1->SetCells(0, 2, QStringLiteral("송신 포트"));

    const qvx::ResultSet &rs = dm.cms_select1(QStringLiteral(
        "select      serverIp,    nevarid,    transport,    recvport ,    up_serverip,    up_transport from      config "));
    if (rs.recordCount() == 0) {
        qvx::Prompt::instance().message(QStringLiteral("서버에 대한 네트워크 정보가 존재하지 않습니다.\r\r본사 관리자에게 문의하시기 바랍니다."));
        return;
    }
    grd_network->SetCells(1, 1, rs.value(0, QStringLiteral("serverip")));
    grd_network->SetCells(1, 2, rs.value(0, QStringLiteral("nevarid")));
    grd_network->SetCells(1, 3, rs.value(0, QStringLiteral("transport")));
    grd_network->SetCells(1, 4, rs.value(0, QStringLiteral("recvport")));
    grd_network1->SetCells(1, 1, rs.value(0, QStringLiteral("up_serverip")));
    grd_network1->SetCells(1, 2, rs.value(0, QStringLiteral("up_transport")));
}

void Tqv_network_frm::KitButton2Click()
{
    close();
}

void registerNetworkScreen()
{
    RegisterScreen<Tqv_network_frm>(QStringLiteral("qv_network_frm"));
}
