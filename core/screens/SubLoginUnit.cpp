#include "core/screens/SubLoginUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenBinding.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <memory>

Tqv_sublogin_frm::Tqv_sublogin_frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    TKitSimplePanel *panel = SetUpDialog(this, "qv_sublogin_frm", QStringLiteral("사용자 인증"), 300, 150);
    edt_Userid = MakeDialogRow(panel, "edt_Userid", QStringLiteral("사용자 ID"), 20, 25, 80, 110, 160);
    edt_Userid->setEnabled(false);
    edt_pwd = MakeDialogRow(panel, "edt_pwd", QStringLiteral("암     호"), 50, 25, 80, 110, 160);
    SetPasswordInput(edt_pwd);
    const ConfirmButtons buttons = MakeConfirmButtons(panel, 25, 95, 75, 87);
    btn_confirm = buttons.confirm;
    btn_Cancel = buttons.cancel;
    DDButton2 = buttons.close;

    connect(edt_Userid, &QLineEdit::returnPressed, this, [this] { edt_pwd->setFocus(); });
    connect(edt_pwd, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_confirm); });
    BindClick(this, btn_confirm, "btn_confirmClick", &Tqv_sublogin_frm::btn_confirmClick);
    BindClick(this, btn_Cancel, "btn_CancelClick", &Tqv_sublogin_frm::btn_CancelClick);
    BindClick(this, DDButton2, "DDButton2Click", &Tqv_sublogin_frm::DDButton2Click);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool Tqv_sublogin_frm::Authenticate(const ScreenContext &context, QWidget *owner, const QString &userId)
{
    std::unique_ptr<Tqv_sublogin_frm> dialog(new Tqv_sublogin_frm(context, owner));
    dialog->edt_Userid->setText(userId);
    return dialog->exec() == QDialog::Accepted;
}

void Tqv_sublogin_frm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void Tqv_sublogin_frm::FormActivate()
{
    edt_pwd->setFocus();
}

void Tqv_sublogin_frm::btn_confirmClick()
{
    if (RefuseWhenOffline(session))
        return;
    auto &prompt = qvx::Prompt::instance();
    if (edt_Userid->text().isEmpty()) {
        prompt.message(QStringLiteral("사용자 ID를 입력하시기 바랍니다."));
        edt_Userid->setFocus();
        return;
    }
    if (edt_pwd->text().isEmpty()) {
        prompt.message(QStringLiteral("사용자 암호를 입력하시기 바랍니다."));
        edt_pwd->setFocus();
        return;
    }
    const qvx::ResultSet &rs = dm.cms_select1(
        QStringLiteral("select users.userid, users.authorcode, authority.authorcontents from users, authority "
                       "where users.authorcode = authority.authorcode and users.pwd = ")
        + qvx::sqlQuote(edt_pwd->text().trimmed()) + QStringLiteral(" and users.userid = ")
        + qvx::sqlQuote(edt_Userid->text().trimmed()));
    if (rs.recordCount() > 0) {
        accept();
        return;
    }
    prompt.message(QStringLiteral("등록되지 않은 사용자이거나 사용자ID 또는 암호가 적절하지 않습니다.\r\r"
                                  "송신작업을 할 수 없습니다.\r\r확인 후 송신하시기 바랍니다."));
    reject();
}

void Tqv_sublogin_frm::btn_CancelClick()
{
    edt_pwd->clear();
    edt_pwd->setFocus();
}

void Tqv_sublogin_frm::DDButton2Click()
{
    reject();
}
