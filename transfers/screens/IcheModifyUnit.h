#pragma once
// "이체자료 수정": edits one row of the transfer entry list (payee name,
// counterpart bank and account, amount, real-name number). The entry screen
// fills it from the row, runs it and writes the values back on OK.

#include "core/screens/EntryRowDialog.h"
#include <QString>

class Tqv_icheModify_frm : public TEntryRowDialog
{
    Q_OBJECT
public:
    explicit Tqv_icheModify_frm(const ScreenContext &context, QWidget *owner = nullptr);

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
