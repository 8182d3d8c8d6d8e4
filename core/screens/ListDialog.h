#pragma once
// The modal list dialogs: a heading band at the top, a button bar at the
// bottom and the list between them, in the form colour; and on that, the
// pick dialogs whose list `GRD_acceptlist` offers rows to choose one from.
//
//   TKitSimplePanel *bar = SetUpListDialog(this, {"qv_acceptdetail_frm", "상세 내역", 900, 480,
//                                                 " ◎ 승인요청 자료 목록"});

#include "core/screens/ListFrame.h"
#include "core/screens/ScreenForm.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

class Session;
class TDDButton;
class TKitSimplePanel;
class TListGrid;

struct ListDialogLook
{
    const char *name;   // the form's component name
    QString caption;    // the window title
    int width;
    int height;
    QString heading;    // the band's caption (" ◎ ...")
    int barHeight = 42; // the button bar docked at the bottom
};

// Names, sizes and colours the dialog (modal), makes its band and returns its
// button bar. The list is made after it so that it takes the room between.
TKitSimplePanel *SetUpListDialog(QDialog *dialog, const ListDialogLook &look);

// The dialog's list, made by its frame: whole rows selected; a double click
// runs `onDoubleClick` inside the event guard, named after the list
// (name + "DblClickCell").
TListGrid *MakeDialogList(ListFrame &frame, QDialog *dialog, Session &session,
                          std::function<void(int col, int row)> onDoubleClick);

// A pick dialog: its look, where "선 택" stands on the bar ("닫 기" follows
// it) and its list.
struct PickListDecl
{
    ListDialogLook look;
    int selectX;
    ListDecl list{};
};

// A modal dialog in which a person picks one row of `GRD_acceptlist` (the
// list declared by the dialog, no find action), whole rows selected. "선 택" (`btn_selectClick`) and a double
// click on a data row while it is enabled make the choice, "닫 기" closes with
// no result. The caller reads the list's current row after a result of OK.
class TPickListDialog : public ScreenDialog
{
    Q_OBJECT
public:
    TListGrid *GRD_acceptlist = nullptr;
    TDDButton *btn_select = nullptr;
    TDDButton *btn_close = nullptr;

    virtual void btn_selectClick() = 0;
    void GRD_acceptlistDblClickCell(int col, int row);

protected:
    TPickListDialog(const ScreenContext &context, QWidget *owner, PickListDecl decl);

    std::unique_ptr<ListFrame> m_frame;
};
