#include "core/screens/LoginUnit.h"

#include "core/RunCommitted.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/screens/KitLook.h"
#include "core/screens/ScreenBinding.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitControl.h"
#include "controls/panels/KitGroup.h"
#include "core/Session.h"
#include "core/screens/ModPasswordUnit.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/SqlText.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

Tqv_login_frm::ModPasswordRunner g_modPasswordRunner;

const QString MiddlewareText =
    QStringLiteral("미들웨어에 접속하지 못하였습니다.\r\r서버관리자에게 문의하시기 바랍니다.");

void prompt(const QString &text)
{
    qvx::Prompt::instance().message(text);
}

// An empty `value` is said with `message` and the caret put in `field`
// (enabled first when `enable`); true when it was empty.
bool refuseEmpty(const QString &value, QLineEdit *field, const QString &message, bool enable = false)
{
    if (!value.isEmpty())
        return false;
    prompt(message);
    if (enable)
        field->setEnabled(true);
    field->setFocus();
    return true;
}

// "0" gives 0, any other value 1; a missing key keeps the current value.
void readFlag(const qvx::IniFile &ini, const char *section, const char *key, int &flag)
{
    const QString s = QString::fromLatin1(section);
    const QString k = QString::fromLatin1(key);
    if (ini.sectionExists(s) && ini.valueExists(s, k))
        flag = ini.readString(s, k) == QLatin1String("0") ? 0 : 1;
}

} // namespace

Tqv_login_frm::Tqv_login_frm(const ScreenContext &context, QWidget *owner)
    : ScreenDialog(context, owner)
{
    setObjectName(QStringLiteral("qv_login_frm"));
    setWindowTitle(QStringLiteral("로그인"));
    buildForm();
    setCompact();
}

Tqv_login_frm::~Tqv_login_frm() = default;

void Tqv_login_frm::setModPasswordRunner(ModPasswordRunner runner)
{
    g_modPasswordRunner = std::move(runner);
}

QString Tqv_login_frm::configFileName()
{
    return qvx::ProgramDir::path(QStringLiteral("config.ini"));
}

QString Tqv_login_frm::remoteFileName()
{
    return qvx::ProgramDir::path(QStringLiteral("remote.ini"));
}

void Tqv_login_frm::buildForm()
{
    const int width = 330;
    setFixedWidth(width);
    QFont f(QStringLiteral("굴림체"));
    f.setPixelSize(12);
    setFont(f);

    auto label = [](QWidget *parent, const QString &text, int x, int y, int w) {
        auto *l = new QLabel(text, parent);
        l->setGeometry(x, y, w, 21);
        return l;
    };
    auto edit = [](QWidget *parent, const char *name, int x, int y, int w) {
        auto *e = new QLineEdit(parent);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, y, w, 21);
        return e;
    };

    // --- login panel -------------------------------------------------------------
    pnl_login = MakePanel(this, "pnl_login");
    pnl_login->setGeometry(0, 0, width, CompactHeight);
    label(pnl_login, QStringLiteral("사용자 ID"), 20, 22, 80);
    edt_Userid = edit(pnl_login, "edt_Userid", 100, 20, 120);
    SetUpperCaseInput(edt_Userid);
    label(pnl_login, QStringLiteral("암     호"), 20, 52, 80);
    edt_pwd = edit(pnl_login, "edt_pwd", 100, 50, 120);
    SetUpperCaseInput(edt_pwd);
    SetPasswordInput(edt_pwd);
    btn_confirm = MakeButton(pnl_login, "btn_confirm", QStringLiteral("로그인"), 232, 18, 80, 26);
    btn_Cancel = MakeButton(pnl_login, "btn_Cancel", QStringLiteral("취소"), 232, 48, 80, 26);
    btn_serverset = MakeButton(pnl_login, "btn_serverset", QStringLiteral("서버설정"), 20, 100, 90, 26);
    btn_ChangePass = MakeButton(pnl_login, "btn_ChangePass", QStringLiteral("암호변경"), 120, 100, 90, 26);
    btn_Close = MakeButton(pnl_login, "btn_Close", QStringLiteral("종료"), 232, 100, 80, 26);

    // --- settings panel ------------------------------------------------------------
    pnl_setting = MakePanel(this, "pnl_setting");
    pnl_setting->setGeometry(0, CompactHeight, width, RemoteExpandedHeight - CompactHeight);
    label(pnl_setting, QStringLiteral("서버 IP 주소"), 20, 16, 100);
    edt_ipaddress = edit(pnl_setting, "edt_ipaddress", 130, 14, 170);
    rdbtn_common = MakeRadio(pnl_setting, "rdbtn_common", QStringLiteral("일반"), 130, 46, 70);
    rdbtn_juru = MakeRadio(pnl_setting, "rdbtn_juru", QStringLiteral("주류"), 210, 46, 70);
    label(pnl_setting, QStringLiteral("업체포트번호"), 20, 78, 100);
    edt_recvport = edit(pnl_setting, "edt_recvport", 130, 76, 170);
    edt_recvport->setToolTip(QStringLiteral("보통 20001"));
    edt_recvport->setPlaceholderText(QStringLiteral("20001"));
    edt_recvport->setEnabled(false);
    chk_smodule = MakeCheck(pnl_setting, "chk_smodule", QStringLiteral("송수신 모 듈 사용"), 20, 110, 280);
    chk_icheCheck = MakeCheck(pnl_setting, "chk_icheCheck", QStringLiteral("기 타  정 보 포함"), 20, 138, 280);
    chk_V_deposit = MakeCheck(pnl_setting, "chk_V_deposit", QStringLiteral("조흥가상계좌 사용"), 20, 166, 280);
    lbl_remoteserver = label(pnl_setting, QStringLiteral("리모트서버 명"), 20, 198, 100);
    lbl_remoteserver->setObjectName(QStringLiteral("lbl_remoteserver"));
    edt_remoteserver = edit(pnl_setting, "edt_remoteserver", 130, 196, 170);
    // Tall enough for the two-line caption "서버\r등록" that a missing config.ini gives.
    btn_regServer = MakeButton(pnl_setting, "btn_regServer", QStringLiteral("서버 등록"), 60, 224, 90, 38);
    KitButton1 = MakeButton(pnl_setting, "KitButton1", QStringLiteral("취  소"), 170, 224, 90, 38);

    // --- handlers -------------------------------------------------------------------
    BindClicks(session, {{btn_confirm, [this] { btn_confirmClick(); }}, {btn_Cancel, [this] { btn_CancelClick(); }},
                         {btn_Close, [this] { btn_CloseClick(); }}, {btn_serverset, [this] { btn_serversetClick(); }},
                         {KitButton1, [this] { KitButton1Click(); }},
                         {btn_regServer, [this] { btn_regServerClick(); }},
                         {btn_ChangePass, [this] { btn_ChangePassClick(); }}});

    // Enter moves on.
    connect(edt_Userid, &QLineEdit::returnPressed, this, [this] { edt_pwd->setFocus(); });
    connect(edt_pwd, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_confirm); });
    connect(edt_ipaddress, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(edt_recvport, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(edt_remoteserver, &QLineEdit::returnPressed, this, [this] { FocusButton(btn_regServer); });
    for (QWidget *w : {static_cast<QWidget *>(rdbtn_common), static_cast<QWidget *>(rdbtn_juru),
                       static_cast<QWidget *>(chk_smodule), static_cast<QWidget *>(chk_icheCheck),
                       static_cast<QWidget *>(chk_V_deposit)})
        OnEnterKey(w, [this] { focusNextChild(); });
}

void Tqv_login_frm::setCompact()
{
    setFixedHeight(CompactHeight);
}

void Tqv_login_frm::setExpanded()
{
    setFixedHeight(expandedHeight());
}

void Tqv_login_frm::paintEditWhite(QLineEdit *edit)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, Qt::white);
    edit->setPalette(p);
}

void Tqv_login_frm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!m_activated) {
        m_activated = true;
        RunGuarded(session, QStringLiteral("FormActivate"), [this] { FormActivate(); });
    }
}

void Tqv_login_frm::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void Tqv_login_frm::FormActivate()
{
    m_activated = true;
    // 1, 2.
    setCompact();
    m_remote = QFile::exists(remoteFileName());
    if (m_remote) {
        lbl_remoteserver->show();
        edt_remoteserver->show();
        edt_recvport->setEnabled(true);
        const qvx::IniFile remote(remoteFileName());
        if (remote.sectionExists(QStringLiteral("REMOTE_SERVER")) && remote.valueExists(QStringLiteral("REMOTE_SERVER"), QStringLiteral("NAME")))
            edt_remoteserver->setText(remote.readString(QStringLiteral("REMOTE_SERVER"), QStringLiteral("NAME")));
    } else {
        lbl_remoteserver->hide();
        edt_remoteserver->hide();
    }

    // 3. No config.ini.
    if (!QFile::exists(configFileName())) {
        prompt(QStringLiteral("Network 정보 파일이 존재하지 않습니다.\r\r본사 서버 관리자에게 문의하시기 바랍니다."));
        SetButtonCaption(btn_regServer, QStringLiteral("서버\r등록"));
        edt_ipaddress->setEnabled(true);
        edt_recvport->setEnabled(true);
        paintEditWhite(edt_ipaddress);
        paintEditWhite(edt_recvport);
        setExpanded();
        edt_ipaddress->setFocus();
        return;
    }

    // 4. The keys, in this order.
    const qvx::IniFile ini(configFileName());
    auto has = [&ini](const char *section, const char *key) {
        return ini.sectionExists(QString::fromLatin1(section)) && ini.valueExists(QString::fromLatin1(section), QString::fromLatin1(key));
    };
    auto read = [&ini](const char *section, const char *key) {
        return ini.readString(QString::fromLatin1(section), QString::fromLatin1(key));
    };
    if (has("V_DEPOSIT", "USE"))
        SetChecked(chk_V_deposit, read("V_DEPOSIT", "USE") == QLatin1String("1"));
    if (has("CHECK_OPTION", "ICHECHECK"))
        SetChecked(chk_icheCheck, read("CHECK_OPTION", "ICHECHECK") == QLatin1String("1"));
    if (has("INIT", "PROGRAM_FLAG")) {
        if (read("INIT", "PROGRAM_FLAG") == QLatin1String("1"))
            SetChecked(rdbtn_common, true);
        else
            SetChecked(rdbtn_juru, true);
    }
    if (has("INIT", "KIND"))
        SetChecked(chk_smodule, read("INIT", "KIND") == QLatin1String("1"));
    readFlag(ini, "FILESAVE", "FILESAVE_FLAG", session.FileSaveFlag);
    readFlag(ini, "DISPLAY", "MAX", session.DisplayMaxFlag);
    readFlag(ini, "ICHE", "SUNAB", session.SunabFlag);
    readFlag(ini, "ICHE", "JIGUB", session.JigubFlag);

    if (has("Network", "IP Address"))
        edt_ipaddress->setText(read("Network", "IP Address"));
    if (has("Network", "RecvPort"))
        edt_recvport->setText(read("Network", "RecvPort"));

    QLineEdit *first = nullptr;
    if (edt_ipaddress->text().isEmpty()) {
        prompt(QStringLiteral("본사 서버 IP 주소를 설정하시기 바랍니다."));
        edt_ipaddress->setEnabled(true);
        paintEditWhite(edt_ipaddress);
        first = edt_ipaddress;
    }
    if (edt_recvport->text().isEmpty()) {
        prompt(QStringLiteral("본사 서버 수신포트를 설정하시기 바랍니다."));
        edt_recvport->setEnabled(true);
        paintEditWhite(edt_recvport);
        if (!first)
            first = edt_recvport;
    }
    if (first) {
        setExpanded();
        first->setFocus();
    } else {
        setCompact();
        edt_Userid->setFocus();
    }
}

bool Tqv_login_frm::OpenServerLink()
{
    dm.setServerAddress(edt_ipaddress->text());
    if (m_remote)
        dm.setServerName(edt_remoteserver->text());
    return dm.OpenServerLink();
}

bool Tqv_login_frm::ReachServer()
{
    if (OpenServerLink())
        return true;
    prompt(MiddlewareText);
    return false;
}

void Tqv_login_frm::btn_confirmClick()
{
    // 1.
    if (RefuseWhenOffline(session))
        return;
    // 2. The mode flags, before the checks.
    session.IcheCheckFlag = Checked(chk_icheCheck) ? 1 : 0;
    session.IcheKind = Checked(rdbtn_common) ? 1 : 2;
    session.SendModuleMode = Checked(chk_smodule) ? 2 : 1;
    session.VDepositUse = Checked(chk_V_deposit) ? 1 : 0;

    // 3.
    if (refuseEmpty(edt_ipaddress->text(), edt_ipaddress, QStringLiteral("본사 IP 주소를 등록하시기 바랍니다."), true)
        || refuseEmpty(edt_recvport->text(), edt_recvport, QStringLiteral("본사 서버 수신포트를 등록하시기 바랍니다."), true)
        || refuseEmpty(edt_Userid->text(), edt_Userid, QStringLiteral("사용자 ID를 입력하시기 바랍니다."))
        || refuseEmpty(edt_pwd->text(), edt_pwd, QStringLiteral("사용자 암호를 입력하시기 바랍니다.")))
        return;

    // 4. An unreachable server is said, not passed over in silence.
    if (ReachServer())
        loginStep();
}

void Tqv_login_frm::loginStep()
{
    // 5. The typed texts go into the statement quoted.
    const QString sql =
        QStringLiteral("select users.userid, users.authorcode, users.regdate, authority.authorcontents "
                       "from users, authority "
                       "where users.authorcode = authority.authorcode "
                       "and users.pwd = ")
        + qvx::sqlQuote(edt_pwd->text().trimmed()) + QStringLiteral(" and users.userid = ")
        + qvx::sqlQuote(edt_Userid->text());
    const qvx::ResultSet user = dm.cms_select1(sql);
    // 6.
    if (user.recordCount() == 0) {
        prompt(QStringLiteral("로그인할 수 없습니다.\r\r사용자 ID와 암호를 정확히 입력하시기 바랍니다."));
        edt_Userid->setFocus();
        return;
    }
    // 7.
    session.LoginUserId = user.value(0, QStringLiteral("userid"));
    session.LoginAuthorCode = user.value(0, QStringLiteral("authorcode"));
    session.LoginAuthorName = user.value(0, QStringLiteral("authorcontents"));
    const QString regdate = user.value(0, QStringLiteral("regdate")).trimmed();

    // 8. Password age.
    const qvx::ResultSet &opt = dm.cms_select1(QStringLiteral("SELECT Value FROM OPT Where ID = 'PASS_CHK'"));
    bool ok = false;
    const int limit = opt.recordCount() > 0 ? opt.value(0, QStringLiteral("VALUE")).trimmed().toInt(&ok) : 0;
    if (opt.recordCount() == 0 || !ok || limit < 1) {
        accept();
        return;
    }
    const QDate changed = QDate::fromString(regdate, QStringLiteral("yyyyMMdd"));
    // A date that cannot be read counts as an old one: the password must be changed.
    const qint64 days = changed.isValid() ? changed.daysTo(qvx::Clock::date()) : qint64(limit) + 1;
    if (days <= limit || session.LoginAuthorCode.trimmed() == QLatin1String("3")) {
        accept();
        return;
    }
    prompt(QStringLiteral("패스워드 사용 기간이 만료 되었습니다, 변경후 로그인 하세요"));
    edt_pwd->clear();
    edt_pwd->setFocus();
}

void Tqv_login_frm::btn_CancelClick()
{
    edt_Userid->clear();
    edt_pwd->clear();
    edt_Userid->setFocus();
}

void Tqv_login_frm::btn_CloseClick()
{
    reject();
}

void Tqv_login_frm::btn_serversetClick()
{
    setExpanded();
    SetButtonEnabled(btn_confirm, false);
}

void Tqv_login_frm::KitButton1Click()
{
    SetButtonEnabled(btn_confirm, true);
    edt_Userid->setFocus();
    setCompact();
}

void Tqv_login_frm::btn_regServerClick()
{
    if (edt_ipaddress->text().isEmpty()) {
        prompt(QStringLiteral("IP 주소를 등록하시기 바랍니다."));
        edt_ipaddress->setFocus();
        return;
    }
    if (edt_recvport->text().isEmpty()) {
        prompt(QStringLiteral("본사 서버 수신포트를 등록하시기 바랍니다."));
        edt_recvport->setFocus();
        return;
    }
    if (!edt_remoteserver->text().isEmpty()) {
        qvx::IniFile remote(remoteFileName());
        remote.writeString(QStringLiteral("REMOTE_SERVER"), QStringLiteral("NAME"), edt_remoteserver->text());
    }
    qvx::IniFile ini(configFileName());
    bool ok = true;
    ok &= ini.writeString(QStringLiteral("V_DEPOSIT"), QStringLiteral("USE"), Checked(chk_V_deposit) ? QStringLiteral("1") : QStringLiteral("0"));
    ok &= ini.writeString(QStringLiteral("CHECK_OPTION"), QStringLiteral("ICHECHECK"), Checked(chk_icheCheck) ? QStringLiteral("1") : QStringLiteral("0"));
    ok &= ini.writeString(QStringLiteral("INIT"), QStringLiteral("PROGRAM_FLAG"), Checked(rdbtn_common) ? QStringLiteral("1") : QStringLiteral("2"));
    ok &= ini.writeString(QStringLiteral("INIT"), QStringLiteral("KIND"), Checked(chk_smodule) ? QStringLiteral("1") : QStringLiteral("0"));
    ok &= ini.writeString(QStringLiteral("Network"), QStringLiteral("IP Address"), edt_ipaddress->text());
    ok &= ini.writeString(QStringLiteral("Network"), QStringLiteral("RecvPort"), edt_recvport->text());
    if (!ok)
        WriteLog(session, QStringLiteral("config.ini: ") + ini.errorString());
    SetButtonEnabled(btn_confirm, true);
    edt_Userid->setFocus();
    setCompact();
}

void Tqv_login_frm::btn_ChangePassClick()
{
    const QString userId = edt_Userid->text().trimmed();
    const QString password = edt_pwd->text().trimmed();
    if (refuseEmpty(userId, edt_Userid, QStringLiteral("사용자 아이디를 입력하신 후 암호변경을 하시기 바랍니다."))
        || refuseEmpty(password, edt_pwd, QStringLiteral("기존 암호를 입력하신 후 암호변경을 하시기 바랍니다.")))
        return;
    if (!RefuseWhenOffline(session) && ReachServer())
        changePassword();
}

void Tqv_login_frm::changePassword()
{
    const QString userId = edt_Userid->text().trimmed();
    const QString password = edt_pwd->text().trimmed();
    const qvx::ResultSet &user = dm.cms_select1(QStringLiteral("select userid, pwd from users where pwd = ")
                                                 + qvx::sqlQuote(password) + QStringLiteral(" and userid = ")
                                                 + qvx::sqlQuote(userId));
    if (user.recordCount() == 0) {
        prompt(QStringLiteral("아이디 또는 암호가 틀립니다.\r\r사용자 아이디와 암호를 정확히 입력하시기 바랍니다."));
        edt_Userid->setFocus();
        return;
    }

    Tqv_modpassword_frm dialog(context(), this);
    dialog.setOldPassword(edt_pwd->text());
    const int result = g_modPasswordRunner ? g_modPasswordRunner(dialog) : dialog.exec();
    if (result != QDialog::Accepted) {
        edt_pwd->setFocus();
        return;
    }
    // The new password is stored as login compares it: without surrounding blanks.
    const QString newPassword = dialog.newPassword().trimmed();
    const QString today = qvx::Clock::today();
    bool changed = false;
    QString error;
    if (RunCommitted(*dm.scktconnect,
                     QStringLiteral("update users set pwd = ") + qvx::sqlQuote(newPassword) + QStringLiteral(", regdate = ")
                         + qvx::sqlQuote(today) + QStringLiteral(" where userid = ") + qvx::sqlQuote(userId),
                     &error)) {
        try {
            // The statement reports no row count: read back what was stored.
            const qvx::ResultSet &check = dm.cms_select1(QStringLiteral("select userid from users where userid = ")
                                                          + qvx::sqlQuote(userId) + QStringLiteral(" and pwd = ")
                                                          + qvx::sqlQuote(newPassword) + QStringLiteral(" and regdate = ")
                                                          + qvx::sqlQuote(today));
            changed = check.recordCount() > 0;
        } catch (const qvx::AppServerError &e) {
            error = e.message();
        }
    }
    if (!error.isEmpty())
        WriteLog(session, QStringLiteral("암호변경 실패 : ") + error);
    if (!changed) {
        prompt(QStringLiteral("암호가 변경되지 않았습니다.\r\r네트워크 또는 서버에 문제가 있습니다.\r\r전산관리자에게 문의하시기 바랍니다."));
        return;
    }
    prompt(QStringLiteral("암호가 변경되었습니다."));
    edt_pwd->setText(newPassword);
    FocusButton(btn_confirm);
}
