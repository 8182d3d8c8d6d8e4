#pragma once
// The login dialog: identifies the user against the server's users table,
// checks the password age, sets the login state and keeps the local
// connection settings in config.ini and remote.ini.

#include "core/screens/ScreenForm.h"
#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class TDDButton;
class TKitSimplePanel;
class TKitCheckBox;
class TKitRadioButton;
class Tqv_modpassword_frm;

class Tqv_login_frm : public ScreenDialog
{
    Q_OBJECT
public:
    static constexpr int CompactHeight = 160;
    static constexpr int ExpandedHeight = 430;
    static constexpr int RemoteExpandedHeight = 460;

    explicit Tqv_login_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_login_frm() override;

    // Login panel.
    TKitSimplePanel *pnl_login = nullptr;
    QLineEdit *edt_Userid = nullptr;
    QLineEdit *edt_pwd = nullptr;
    TDDButton *btn_confirm = nullptr;
    TDDButton *btn_Cancel = nullptr;
    TDDButton *btn_Close = nullptr;
    TDDButton *btn_serverset = nullptr;
    TDDButton *btn_ChangePass = nullptr;
    // Settings panel.
    TKitSimplePanel *pnl_setting = nullptr;
    QLineEdit *edt_ipaddress = nullptr;
    QLineEdit *edt_recvport = nullptr;
    QLineEdit *edt_remoteserver = nullptr;
    TKitRadioButton *rdbtn_common = nullptr;
    TKitRadioButton *rdbtn_juru = nullptr;
    TKitCheckBox *chk_smodule = nullptr;
    TKitCheckBox *chk_icheCheck = nullptr;
    TKitCheckBox *chk_V_deposit = nullptr;
    QLabel *lbl_remoteserver = nullptr;
    TDDButton *btn_regServer = nullptr;
    TDDButton *KitButton1 = nullptr;

    // Handlers.
    void FormActivate();
    void btn_confirmClick();
    void btn_CancelClick();
    void btn_CloseClick();
    void btn_serversetClick();
    void KitButton1Click();
    void btn_regServerClick();
    void btn_ChangePassClick();

    // Connects to the application server with the typed address (and, in
    // remote mode, server name); true when the link is open afterwards.
    bool OpenServerLink();
    // The same, telling the user when the server cannot be reached.
    bool ReachServer();

    int expandedHeight() const { return m_remote ? RemoteExpandedHeight : ExpandedHeight; }

    // How the password change dialog is shown (tests drive it instead).
    using ModPasswordRunner = std::function<int(Tqv_modpassword_frm &)>;
    static void setModPasswordRunner(ModPasswordRunner runner);

    // Programme folder files.
    static QString configFileName();
    static QString remoteFileName();

protected:
    void showEvent(QShowEvent *e) override;
    // Esc does not close the dialog: only "종료" ends the program.
    void keyPressEvent(QKeyEvent *e) override;

private:
    void buildForm();
    void setCompact();
    void setExpanded();
    void paintEditWhite(QLineEdit *edit);
    void loginStep();
    void changePassword();

    bool m_remote = false;
    bool m_activated = false;
};
