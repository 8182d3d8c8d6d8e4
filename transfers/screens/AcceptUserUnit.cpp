#include "transfers/screens/AcceptUserUnit.h"

#include "core/screens/ListKit.h"

namespace {

// Every user with authority code 1 or 2, approvers first, each group by name.
const ListColumns &Columns()
{
    static const ListColumns columns = {
        {QStringLiteral("승인자"), 120, AlignCenter, "username"},
        {QStringLiteral("승인자 ID"), 110, AlignCenter, "userid"},
        {QStringLiteral("승인권한"), 150, AlignCenter, "authorcontents"},
    };
    return columns;
}

PickListDecl Candidates()
{
    PickListDecl p{{"qv_acceptuser_frm", QStringLiteral("승인권한자 목록"), 420, 360, QStringLiteral(" ◎ 승인자 선택")}, 220};
    ListDecl &d = p.list;
    d.grid.columns = &Columns();
    d.search.statement = [] {
        return QStringLiteral(
            "select users.userid, users.username, users.authorcode, authority.authorcontents from users, authority "
            "where users.authorcode = authority.authorcode and users.authorcode in (1, 2) "
            "order by users.authorcode, users.username");
    };
    d.search.emptyMessage = QStringLiteral("승인권한자가 존재하지 않습니다.") + QStringLiteral("\r\r")
                            + QStringLiteral("승인권한자를 등록하신 후 이체작업을 하시기 바랍니다.");
    // The candidates are read as the dialog is made, whatever the server's state.
    d.search.refuseOffline = false;
    return p;
}

} // namespace

Tqv_acceptuser_frm::Tqv_acceptuser_frm(const ScreenContext &context, QWidget *owner)
    : TPickListDialog(context, owner, Candidates())
{
    RunGuarded(session, QStringLiteral("qv_acceptuser_frm.FormCreate"), [this] { FormCreate(); });
}

void Tqv_acceptuser_frm::FormCreate()
{
    if (m_frame->search() == 0) {
        SetButtonEnabled(btn_select, false);
        return;
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
