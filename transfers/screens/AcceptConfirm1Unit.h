#pragma once
// "송신요청자료 보기": the final approver (authority code 2) sends the
// batches waiting for him: their rows go to "waiting to send" and the batch
// is registered with the send module.

#include "core/screens/ScreenContext.h"
#include "transfers/screens/AcceptBatchList.h"

class Tqv_acceptconfirm1_frm : public TAcceptBatchList
{
    Q_OBJECT
public:
    explicit Tqv_acceptconfirm1_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TDDButton *btn_send = nullptr;   // 전체송신
    TDDButton *DDButton1 = nullptr;  // 개별송신

    void DDButton1Click();
    void btn_sendClick();

private:
    NotToday deleteNotToday(const WaitingBatch &batch, bool writeLog);
    // The update and its commit, then the registration; the registration's
    // result, or 0 when the update failed.
    int sendBatch(const WaitingBatch &batch, QString *error);
};

void registerAcceptConfirm1Screen();
