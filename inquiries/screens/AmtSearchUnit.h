#pragma once
// "모계좌 잔액 조회": asks the banks for the current and withdrawable balance
// of one mother account or of every account; the answers fill the list.

#include "inquiries/BalanceInquiry.h"
#include "inquiries/screens/AnswerInquiryForm.h"

class Tqv_amtsearch_frm : public AnswerInquiryForm
{
    Q_OBJECT
public:
    explicit Tqv_amtsearch_frm(const ScreenContext &context, QWidget *owner = nullptr);

    TListGrid *grd_Amtlist = nullptr;

    void btn_searchClick();
    void btn_filesaveClick();
    // The answers the list shows, in its order.
    QList<BalanceAnswer> Answers() const;

private:
    static ListDecl Declaration(Tqv_amtsearch_frm *self);
};

void registerAmtSearchScreen();
