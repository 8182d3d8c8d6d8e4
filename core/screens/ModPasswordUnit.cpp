#include "core/screens/ModPasswordUnit.h"

#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenBinding.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "platform/Prompt.h"

#include <QLabel>
#include <QLineEdit>

namespace {
// Light grey 14671839 ($DFDFDF) of the disabled new-password fields.
const QColor DisabledGrey(0xDF, 0xDF, 0xDF);
} // namespace

Tqv_modpassword_frm::Tqv_modpassword_frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    TKitSimplePanel *panel = SetUpDialog(this, "qv_modpassword_frm", QStringLiteral("암호 변경"), 345, 190);
    auto row = [panel](const QString &caption, const char *name, int y) {
        QLineEdit *e = MakeDialogRow(panel, name, caption, y, 20, 110, 135, 185);
        SetPasswordInput(e);
        return e;
    };
    edt_oldconfirm = row(QStringLiteral("기존암호 재확인"), "edt_oldconfirm", 20);
    edt_newpwd = row(QStringLiteral("신  규   암  호"), "edt_newpwd", 52);
    edt_newconfirm = row(QStringLiteral("신규암호 재확인"), "edt_newconfirm", 84);
    const ConfirmButtons buttons = MakeConfirmButtons(panel, 40, 130, 80, 92);
    btn_confirm = buttons.confirm;
    btn_Cancel = buttons.cancel;
    DDButton2 = buttons.close;
    setNewFields(false, true);

    connect(edt_oldconfirm, &QLineEdit::textChanged, this, [this] { edt_oldconfirmChange(); });
    connect(edt_oldconfirm, &QLineEdit::returnPressed, this,
            [this] { RunGuarded(session, QStringLiteral("edt_oldconfirmKeyPress"), [this] { edt_oldconfirmEnter(); }); });
    connect(edt_newpwd, &QLineEdit::returnPressed, this, [this] { edt_newconfirm->setFocus(); });
    connect(edt_newconfirm, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_confirm); });
    BindClick(this, btn_confirm, "btn_confirmClick", &Tqv_modpassword_frm::btn_confirmClick);
    BindClick(this, btn_Cancel, "btn_CancelClick", &Tqv_modpassword_frm::btn_CancelClick);
    BindClick(this, DDButton2, "DDButton2Click", &Tqv_modpassword_frm::DDButton2Click);
}

QString Tqv_modpassword_frm::newPassword() const
{
    return edt_newpwd->text();
}

void Tqv_modpassword_frm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void Tqv_modpassword_frm::FormActivate()
{
    edt_oldconfirm->setFocus();
}

void Tqv_modpassword_frm::setNewFields(bool enabled, bool grey)
{
    for (QLineEdit *e : {edt_newpwd, edt_newconfirm}) {
        e->setEnabled(enabled);
        QPalette p = e->palette();
        // Grey when refused; the tool-tip background when open for input.
        p.setColor(QPalette::Base, grey ? DisabledGrey : palette().color(QPalette::ToolTipBase));
        e->setPalette(p);
    }
}

void Tqv_modpassword_frm::edt_oldconfirmChange()
{
    edt_newpwd->setEnabled(true);
    edt_newconfirm->setEnabled(true);
}

void Tqv_modpassword_frm::edt_oldconfirmEnter()
{
    if (edt_oldconfirm->text() != m_oldPassword) {
        qvx::Prompt::instance().message(QStringLiteral("암호가 틀립니다. 확인하시기 바랍니다."));
        setNewFields(false, true);
        edt_oldconfirm->setFocus();
        return;
    }
    setNewFields(true, false);
    edt_newpwd->setFocus();
}

void Tqv_modpassword_frm::btn_confirmClick()
{
    auto &prompt = qvx::Prompt::instance();
    if (edt_newpwd->text().trimmed().isEmpty()) {
        prompt.message(QStringLiteral("신규암호를 입력하시기 바랍니다."));
        if (edt_newpwd->isEnabled())
            edt_newpwd->setFocus();
        else
            edt_oldconfirm->setFocus();
        return;
    }
    if (!prompt.confirm(QStringLiteral("암호를 변경하시겠습니까?"), QStringLiteral("확인"))) {
        reject();
        return;
    }
    if (edt_newpwd->text() != edt_newconfirm->text()) {
        prompt.message(QStringLiteral("입력한 신규암호 확인이 정확하지 않습니다. 확인하시기 바랍니다."));
        edt_newpwd->setFocus();
        return;
    }
    accept();
}

void Tqv_modpassword_frm::btn_CancelClick()
{
    edt_oldconfirm->clear();
    edt_newpwd->clear();
    edt_newconfirm->clear();
    edt_oldconfirm->setFocus();
    setNewFields(false, true);
}

void Tqv_modpassword_frm::DDButton2Click()
{
    reject();
}
