#pragma once
// "승인권한자 목록": the maker or approver picks the user who approves the
// batch next. On OK the chosen user id is in ApproverId.

#include "core/screens/ListDialog.h"

class Tqv_acceptuser_frm : public TPickListDialog
{
    Q_OBJECT
public:
    explicit Tqv_acceptuser_frm(const ScreenContext &context, QWidget *owner = nullptr);

    void FormCreate();
    void btn_selectClick() override;
};
