#pragma once
// "승인권한자 목록": the maker or approver picks the user who approves the
// batch next. On OK the chosen user id is in ApproverId.

#include "core/screens/ScreenContext.h"
#include <QDialog>

class Session;
class TDDButton;
class TListGrid;

class Tqv_acceptuser_frm : public QDialog
{
    Q_OBJECT
public:
    explicit Tqv_acceptuser_frm(const ScreenContext &context, QWidget *owner = nullptr);

    Session &session;

    Tdm &dm; // the data module

    TListGrid *GRD_acceptlist = nullptr;
    TDDButton *btn_select = nullptr;
    TDDButton *btn_close = nullptr;

    void FormCreate();
    void btn_selectClick();
    void GRD_acceptlistDblClickCell(int col, int row);
};
