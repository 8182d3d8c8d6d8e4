#pragma once
// The approver sign-in dialog: the logged-in user types the password again
// before the approval screens send transfers to the bank.
//
//   if (!Tqv_sublogin_frm::Authenticate({session, dm}, this, session.LoginUserId))
//       return;   // wrong password or closed: do not send
//
// Used by hand: create it with new, put the id into edt_Userid, exec(); it is
// OK only when the id and password match a row of users (no second try).

#include "core/screens/ScreenForm.h"
#include <QDialog>
#include <QString>

class QLineEdit;
class TDDButton;

class Tqv_sublogin_frm : public ScreenDialog
{
    Q_OBJECT
public:
    explicit Tqv_sublogin_frm(const ScreenContext &context, QWidget *owner = nullptr);

    // Creates the dialog, fills the user id, shows it modally and frees it;
    // true when it closed with OK.
    static bool Authenticate(const ScreenContext &context, QWidget *owner, const QString &userId);

    QLineEdit *edt_Userid = nullptr;
    QLineEdit *edt_pwd = nullptr;
    TDDButton *btn_confirm = nullptr;
    TDDButton *btn_Cancel = nullptr;
    TDDButton *DDButton2 = nullptr;

    void FormActivate();
    void btn_confirmClick();
    void btn_CancelClick();
    void DDButton2Click();

protected:
    void showEvent(QShowEvent *e) override;
};
