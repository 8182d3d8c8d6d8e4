#pragma once
// "상세 내역": the transfer rows of one waiting batch, with their count and
// total; the approver may delete single rows before forwarding or sending.

#include "core/screens/ListDialog.h"
#include "core/screens/ScreenForm.h"
#include "transfers/ApprovalSql.h"

class TCurrencyEdit;

class Tqv_acceptdetail_frm : public ScreenDialog
{
    Q_OBJECT
public:
    Tqv_acceptdetail_frm(const ScreenContext &context, QWidget *owner, const WaitingBatch &batch);
    ~Tqv_acceptdetail_frm() override;

    TListGrid *grd_ichelist = nullptr;
    TCurrencyEdit *curredt_gun = nullptr;
    TCurrencyEdit *curredt_total = nullptr;
    TDDButton *btn_delete = nullptr;
    TDDButton *btn_close = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;

    // Reads the batch's rows; false (nothing to show) when none is left.
    bool LoadBatch();
    void btn_deleteClick();

private:
    WaitingBatch m_batch;
    std::unique_ptr<ListFrame> m_frame;
    qint64 m_count = 0;
    qint64 m_total = 0;
};
