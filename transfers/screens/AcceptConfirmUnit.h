#pragma once
// "승인요청 자료 보기": the approver (authority code 1) forwards the batches
// waiting for him to the next approver, or deletes them.

#include "core/screens/ScreenContext.h"
#include "transfers/screens/AcceptBatchList.h"

class Tqv_acceptconfirm_frm : public TAcceptBatchList
{
    Q_OBJECT
public:
    explicit Tqv_acceptconfirm_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_sendall = nullptr;  // 승인요청(전체)
    TDDButton *btn_send1 = nullptr;    // 승인요청(개별)

    void btn_send1Click();
    void btn_sendallClick();

private:
    // A not-today batch offered for deletion; it leaves the list when deleted.
    NotToday deleteNotToday(const WaitingBatch &batch, bool writeLog);
};

void registerAcceptConfirmScreen();
