#include "core/screens/ModPasswordUnit.h"

#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
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

Tqv_modpassword_frm::Tqv_modpassword_frm(Session &s, QWidget *owner)
    : QDialog(owner), session(s)
{
    setObjectName(QStringLiteral("qv_modpassword_frm"));
    setWindowTitle(QStringLiteral("암호 변경"));
    setFixedSize(345, 190);
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    setFont(f);

    TKitSimplePanel *panel = MakePanel(this, "pnl_main");
    panel->setGeometry(0, 0, 345, 190);
    auto row = [panel](const QString &caption, const char *name, int y) {
        auto *l = new QLabel(caption, panel);
        l->setGeometry(20, y + 2, 110, 21);
        auto *e = new QLineEdit(panel);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(135, y, 185, 21);
        SetPasswordInput(e);
        SetUpperCaseInput(e);
        return e;
    };
    edt_oldconfirm = row(QStringLiteral("기존암호 재확인"), "edt_oldconfirm", 20);
    edt_newpwd = row(QStringLiteral("신  규   암  호"), "edt_newpwd", 52);
    edt_newconfirm = row(QStringLiteral("신규암호 재확인"), "edt_newconfirm", 84);
    btn_confirm = MakeButton(panel, "btn_confirm", QStringLiteral("확인"), 40, 130, 80, 28);
    btn_Cancel = MakeButton(panel, "btn_Cancel", QStringLiteral("취소"), 132, 130, 80, 28);
    DDButton2 = MakeButton(panel, "DDButton2", QStringLiteral("종료"), 224, 130, 80, 28);
    setNewFields(false, true);

    connect(edt_oldconfirm, &QLineEdit::textChanged, this, [this] { edt_oldconfirmChange(); });
    connect(edt_oldconfirm, &QLineEdit::returnPressed, this,
            [this] { RunGuarded(session, QStringLiteral("edt_oldconfirmKeyPress"), [this] { edt_oldconfirmEnter(); }); });
    connect(edt_newpwd, &QLineEdit::returnPressed, this, [this] { edt_newconfirm->setFocus(); });
    connect(edt_newconfirm, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_confirm); });
    OnButtonClick(btn_confirm, [this] { RunGuarded(session, QStringLiteral("btn_confirmClick"), [this] { btn_confirmClick(); }); });
    OnButtonClick(btn_Cancel, [this] { RunGuarded(session, QStringLiteral("btn_CancelClick"), [this] { btn_CancelClick(); }); });
    OnButtonClick(DDButton2, [this] { RunGuarded(session, QStringLiteral("DDButton2Click"), [this] { DDButton2Click(); }); });
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
