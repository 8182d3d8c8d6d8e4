#include "core/screens/TransSelectUnit.h"

#include "core/screens/ListKit.h"

#include <QKeyEvent>

namespace {

// The payees of a daesang select; the dialog itself runs no query.
PickListDecl Payees()
{
    static const ListColumns columns = {
        {QStringLiteral("거래처명"), 120, AlignCenter, "name"},
        {QStringLiteral("은행코드"), 60, AlignCenter, "bankid"},
        {QStringLiteral("계좌번호"), 152, AlignCenter, "bankno", CellFormat::Account, "bankid"},
        {QStringLiteral("실명번호"), 83, AlignCenter, "residentno"},
    };
    PickListDecl d{{"qv_transselect_frm", QStringLiteral("거래처 목록"), 438, 405, QStringLiteral(" ◎ 거래처 선택")}, 236};
    d.list.grid.columns = &columns;
    return d;
}

} // namespace

Tqv_transselect_frm::Tqv_transselect_frm(const ScreenContext &context, QWidget *owner)
    : TPickListDialog(context, owner, Payees())
{
    GRD_acceptlist->OnKeyDown = [this](QKeyEvent *e) {
        if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
            return false;
        RunGuarded(session, QStringLiteral("GRD_acceptlistKeyPress"), [this] { btn_selectClick(); });
        return true;
    };
}

void Tqv_transselect_frm::FillPayees(const qvx::ResultSet &payees)
{
    m_frame->fill(payees);
    GRD_acceptlist->SetRow(1);
}

void Tqv_transselect_frm::btn_selectClick()
{
    accept();
}
