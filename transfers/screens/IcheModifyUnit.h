#pragma once
// "이체자료 수정": edits one row of the transfer entry list (payee name,
// counterpart bank and account, amount, real-name number). The entry screen
// fills it from the row, runs it and writes the values back on OK.

#include "core/screens/ScreenContext.h"
#include <QDialog>
#include <QString>

class QLineEdit;
class TCurrencyEdit;
class Session;
class TDDButton;
class TKitComboBox;

class Tqv_icheModify_frm : public QDialog
{
    Q_OBJECT
public:
    explicit Tqv_icheModify_frm(const ScreenContext &context, QWidget *owner = nullptr);

    Session &session;

    Tdm &dm; // the data module

    QLineEdit *edt_sendname = nullptr;
    QLineEdit *cmb_transdiv = nullptr;     // "수납" / "지급", disabled
    TKitComboBox *cmb_transbankid = nullptr;
    QLineEdit *edt_bankno = nullptr;
    TCurrencyEdit *curredt_money = nullptr;
    QLineEdit *edt_daesanginfo = nullptr;  // the real-name number
    TDDButton *btn_modify = nullptr;
    TDDButton *KitButton2 = nullptr;       // 닫 기

    // Mother bank code of the row being edited (the real-name number's rule).
    QString MotherBankId;

    // The amount once the dialog ended with OK.
    qint64 Amount() const { return m_amount; }

    void edt_banknoExit();
    void edt_daesanginfoExit();
    void btn_modifyClick();

private:
    bool accountFits(bool tell);
    qint64 m_amount = 0;
};
