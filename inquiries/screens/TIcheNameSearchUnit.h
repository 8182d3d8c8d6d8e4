#pragma once
// "타행 성명 조회": asks, through one of the firm's mother accounts, whose
// name an account at another bank carries; the answer fills the list.

#include "core/screens/ListCombos.h"
#include "inquiries/HolderNameInquiry.h"
#include "inquiries/screens/AnswerInquiryForm.h"

class QLineEdit;

class Tqv_TIcheNamesearch_frm : public AnswerInquiryForm
{
    Q_OBJECT
public:
    explicit Tqv_TIcheNamesearch_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TKitComboBox *cmb_bankname = nullptr;
    QLineEdit *edt_BANKNO = nullptr;
    QLineEdit *edt_residentno = nullptr;
    TListGrid *grd_ichelist = nullptr;

    void btn_searchClick();
    void edt_BANKNOExit();

private:
    std::unique_ptr<AllBanksCombo> m_payeeBanks;
};

void registerTIcheNameSearchScreen();
