#pragma once
// "주류이체자료 수정": changes one row of the liquor-trade entry list
// (counterparty name, bank and account, the three amounts, the real-name
// number). The entry screen fills it from the row, runs it and writes the
// edit back on "수 정".

#include "core/screens/EntryRowDialog.h"
#include "liquor/LiquorRules.h"

#include <QString>

class Tqv_juruicheModify_frm : public TEntryRowDialog
{
    Q_OBJECT
public:
    explicit Tqv_juruicheModify_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TCurrencyEdit *curredt_juru = nullptr;
    TCurrencyEdit *curredt_bijuru = nullptr;

    // Mother bank code of the row (the real-name number's rule).
    QString MoBankId;

    // The fields from a row of the list (bank items must be filled first).
    void Fill(const LiquorRow &row, const QString &modeWord);
    // What the fields hold, once the dialog ended with "수 정".
    LiquorRowEdit Edit() const { return m_edit; }

    void curredt_juruExit();
    void edt_banknoExit();
    void edt_daesanginfoExit();
    void btn_modifyClick();

private:
    LiquorRowEdit m_edit;
};
