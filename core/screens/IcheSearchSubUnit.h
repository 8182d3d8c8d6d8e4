#pragma once
// "이체전문개별조회": waits for the answer of one individual result inquiry;
// the data module fills it when the bank's answer is announced.

#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenInterfaces.h"

#include <QDialog>

class QLineEdit;
class TCurrencyEdit;
class TDDButton;

// Which inquiry the dialog answers: the general one, or the liquor-trade
// one ("qv_j_ichesearchsub_frm", filled from icheresult_102/103, which says
// so when no answered row is found).
enum class ResultDetailKind { General, Liquor };

class Tqv_ichesearchsub_frm : public ScreenDialog, public IResultDetailDialog
{
    Q_OBJECT
public:
    explicit Tqv_ichesearchsub_frm(const ScreenContext &context, QWidget *owner = nullptr,
                                   ResultDetailKind kind = ResultDetailKind::General);
    const ResultDetailKind kind;

    int InquirySeqNoValue = 0;
    int InquirySeqNo() const override { return InquirySeqNoValue; }
    void FillResult(const qvx::ResultSet &answer) override;

    QLineEdit *edt_senddate = nullptr, *edt_mobankno = nullptr, *edt_mobankname = nullptr,
              *edt_errcode = nullptr, *edt_receivetime = nullptr, *edt_bankname = nullptr,
              *edt_bankno = nullptr, *edt_ichename = nullptr, *edt_proctime = nullptr, *edt_cmscode = nullptr,
              *edt_procno = nullptr, *edt_sendname = nullptr, *edt_procresult = nullptr;
    TCurrencyEdit *curredt_ichemoney = nullptr, *curredt_fee = nullptr;
    TDDButton *DDButton1 = nullptr;

    void DDButton1Click();
};
