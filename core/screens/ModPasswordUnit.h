#pragma once
// The password change dialog: the old password again, the new one twice.
// It talks to no server; the login dialog stores the new password.

#include "core/screens/ScreenForm.h"
#include <QDialog>
#include <QString>

class QLineEdit;
class TDDButton;

class Tqv_modpassword_frm : public ScreenDialog
{
    Q_OBJECT
public:
    explicit Tqv_modpassword_frm(const ScreenContext &context, QWidget *owner = nullptr);

    QLineEdit *edt_oldconfirm = nullptr;
    QLineEdit *edt_newpwd = nullptr;
    QLineEdit *edt_newconfirm = nullptr;
    TDDButton *btn_confirm = nullptr;
    TDDButton *btn_Cancel = nullptr;
    TDDButton *DDButton2 = nullptr;

    // The password as typed in the login dialog.
    void setOldPassword(const QString &password) { m_oldPassword = password; }
    QString newPassword() const;

    void FormActivate();
    void edt_oldconfirmChange();
    void edt_oldconfirmEnter();   // Enter in the old-password field
    void btn_confirmClick();
    void btn_CancelClick();
    void DDButton2Click();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void setNewFields(bool enabled, bool grey);

    QString m_oldPassword;
};
