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

    QLineEdit *edt_senddate = nullptr;
    QLineEdit *edt_mobankno = nullptr;
    QLineEdit *edt_mobankname = nullptr;
    QLineEdit *edt_errcode = nullptr;
    QLineEdit *edt_receivetime = nullptr;
    QLineEdit *edt_bankname = nullptr;
    QLineEdit *edt_bankno = nullptr;
    QLineEdit *edt_ichename = nullptr;
    QLineEdit *edt_proctime = nullptr;
    QLineEdit *edt_cmscode = nullptr;
    QLineEdit *edt_procno = nullptr;
    QLineEdit *edt_sendname = nullptr;
    QLineEdit *edt_procresult = nullptr;
    TCurrencyEdit *curredt_ichemoney = nullptr;
    TCurrencyEdit *curredt_fee = nullptr;
    TDDButton *DDButton1 = nullptr;

    void DDButton1Click();
};
