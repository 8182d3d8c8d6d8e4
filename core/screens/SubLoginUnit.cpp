#include "core/screens/SubLoginUnit.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
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

Tqv_sublogin_frm::Tqv_sublogin_frm(Session &s, QWidget *owner)
    : QDialog(owner), session(s)
{
    setObjectName(QStringLiteral("qv_sublogin_frm"));
    setWindowTitle(QStringLiteral("사용자 인증"));
    setFixedSize(300, 150);
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    setFont(f);

    TKitSimplePanel *panel = MakePanel(this, "pnl_main");
    panel->setGeometry(0, 0, 300, 150);
    auto row = [panel](const QString &caption, const char *name, int y) {
        auto *l = new QLabel(caption, panel);
        l->setGeometry(25, y + 2, 80, 21);
        auto *e = new QLineEdit(panel);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(110, y, 160, 21);
        SetUpperCaseInput(e);
        return e;
    };
    edt_Userid = row(QStringLiteral("사용자 ID"), "edt_Userid", 20);
    edt_Userid->setEnabled(false);
    edt_pwd = row(QStringLiteral("암     호"), "edt_pwd", 50);
    edt_pwd->setEchoMode(QLineEdit::Password);
    btn_confirm = MakeButton(panel, "btn_confirm", QStringLiteral("확인"), 25, 95, 75, 28);
    btn_Cancel = MakeButton(panel, "btn_Cancel", QStringLiteral("취소"), 112, 95, 75, 28);
    DDButton2 = MakeButton(panel, "DDButton2", QStringLiteral("종료"), 199, 95, 75, 28);

    connect(edt_Userid, &QLineEdit::returnPressed, this, [this] { edt_pwd->setFocus(); });
    connect(edt_pwd, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_confirm); });
    OnButtonClick(btn_confirm, [this] { RunGuarded(session, QStringLiteral("btn_confirmClick"), [this] { btn_confirmClick(); }); });
    OnButtonClick(btn_Cancel, [this] { RunGuarded(session, QStringLiteral("btn_CancelClick"), [this] { btn_CancelClick(); }); });
    OnButtonClick(DDButton2, [this] { RunGuarded(session, QStringLiteral("DDButton2Click"), [this] { DDButton2Click(); }); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool Tqv_sublogin_frm::Authenticate(Session &session, QWidget *owner, const QString &userId)
{
    std::unique_ptr<Tqv_sublogin_frm> dialog(new Tqv_sublogin_frm(session, owner));
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
    const qvx::ResultSet &rs = dm->cms_select1(
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
