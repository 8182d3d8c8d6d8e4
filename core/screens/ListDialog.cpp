#include "core/screens/ListDialog.h"

#include "core/screens/ListKit.h"

TKitSimplePanel *SetUpListDialog(QDialog *dialog, const ListDialogLook &look)
{
    dialog->setObjectName(QString::fromLatin1(look.name));
    dialog->setWindowTitle(look.caption);
    dialog->setModal(true);
    dialog->resize(look.width, look.height);
    SetFormColour(dialog);

    MakeBand(dialog, "pnl_caption", look.heading, 28);
    TKitSimplePanel *bar = MakePanel(dialog, "pnl_buttons");
    bar->resize(dialog->width(), look.barHeight);
    SetAlign(bar, alBottom);
    return bar;
}

TListGrid *MakeDialogList(ListFrame &frame, QDialog *dialog, Session &session,
                          std::function<void(int col, int row)> onDoubleClick)
{
    TListGrid *grid = frame.makeGrid(dialog);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    const QString handlerName = QString::fromLatin1(frame.decl().grid.name) + QStringLiteral("DblClickCell");
    grid->OnDblClickCell = [&session, handlerName, onDoubleClick](int c, int r) {
        RunGuarded(session, handlerName, [&] { onDoubleClick(c, r); });
    };
    return grid;
}

TPickListDialog::TPickListDialog(const ScreenContext &context, QWidget *owner, PickListDecl decl)
    : ScreenDialog(context, owner)
{
    TKitSimplePanel *bar = SetUpListDialog(this, decl.look);
    btn_select = MakeButton(bar, "btn_select", QStringLiteral("선 택"), decl.selectX, 8, 90, 26);
    btn_close = MakeButton(bar, "btn_close", QStringLiteral("닫 기"), decl.selectX + 96, 8, 90, 26);

    decl.list.grid.name = "GRD_acceptlist";
    decl.list.grid.find = false;
    m_frame = std::make_unique<ListFrame>(context, this, std::move(decl.list));
    GRD_acceptlist = MakeDialogList(*m_frame, this, session, [this](int c, int r) { GRD_acceptlistDblClickCell(c, r); });

    BindClick(this, btn_select, "btn_selectClick", &TPickListDialog::btn_selectClick);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { reject(); });
    FocusOnShow(this, GRD_acceptlist);
}

void TPickListDialog::GRD_acceptlistDblClickCell(int, int row)
{
    if (row > 0 && ButtonEnabled(btn_select))
        btn_selectClick();
}
