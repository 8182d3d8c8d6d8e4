#include "ClientFixture.h"
#include "ScreenDriver.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/LoginUnit.h"
#include "core/screens/ModPasswordUnit.h"
#include "core/screens/SubLoginUnit.h"
#include "controls/panels/DDButton.h"
#include "platform/Clock.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString WrongLogin = QStringLiteral("로그인할 수 없습니다.\r\r사용자 ID와 암호를 정확히 입력하시기 바랍니다.");
const QString Expired = QStringLiteral("패스워드 사용 기간이 만료 되었습니다, 변경후 로그인 하세요");

// A login dialog of its own, shown, with a data module behind it. A question
// the test did not queue an answer for fails it.
class LoginDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data = std::make_unique<Tdm>(session);
        dialog = std::make_unique<Tqv_login_frm>(ScreenContext{session, *data});
        dialog->show();
        QCoreApplication::processEvents();
        client.prompt().clear();
        client.failUnexpectedQuestions();
    }
    void TearDown() override
    {
        dialog.reset();
        data.reset();
    }
    bool tryLogin(const QString &id, const QString &pwd)
    {
        dialog->setResult(0);
        if (!dialog->isVisible())
            dialog->show();
        TypeLogin(*dialog, id, pwd);
        return dialog->result() == QDialog::Accepted;
    }
    void setRegdate(const QString &user, int daysAgo)
    {
        client.server().exec(QStringLiteral("update users set regdate = '%1' where userid = '%2'")
                                 .arg(qvx::Clock::date().addDays(-daysAgo).toString(QStringLiteral("yyyyMMdd")), user));
    }

    ClientFixture client;
    Session session;
    std::unique_ptr<Tdm> data;
    std::unique_ptr<Tqv_login_frm> dialog;
};

TEST_F(LoginDialogTest, ReadsConfigIniAndSetsTheLoginState)
{
    EXPECT_EQ(dialog->edt_ipaddress->text(), client.serverAddress());
    EXPECT_EQ(dialog->height(), Tqv_login_frm::CompactHeight);
    EXPECT_FALSE(dialog->edt_remoteserver->isVisibleTo(dialog.get()));
    EXPECT_EQ(session.SunabFlag, 1);
    EXPECT_EQ(session.JigubFlag, 1);
    ASSERT_TRUE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("  1111 ")));
    EXPECT_EQ(session.LoginUserId, QStringLiteral("MAKER"));
    EXPECT_EQ(session.LoginAuthorCode, QStringLiteral("0"));
    EXPECT_EQ(session.LoginAuthorName, QStringLiteral("작성자"));
    EXPECT_EQ(session.IcheKind, 1);
    EXPECT_EQ(session.SendModuleMode, 1);
    EXPECT_EQ(client.prompt().count(), 0);
}

TEST_F(LoginDialogTest, PasswordFieldsShowStars)
{
    auto mask = [](QLineEdit *e) { return QChar(e->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, e)); };
    EXPECT_EQ(dialog->edt_pwd->echoMode(), QLineEdit::Password);
    EXPECT_EQ(mask(dialog->edt_pwd), QLatin1Char('*'));
    Tqv_modpassword_frm d(ScreenContext{session, *data});
    for (QLineEdit *e : {d.edt_oldconfirm, d.edt_newpwd, d.edt_newconfirm}) {
        EXPECT_EQ(e->echoMode(), QLineEdit::Password) << qPrintable(e->objectName());
        EXPECT_EQ(mask(e), QLatin1Char('*')) << qPrintable(e->objectName());
    }
    // The refused new fields keep their grey.
    d.show();
    QCoreApplication::processEvents();
    const QImage shot = d.edt_newpwd->grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(0xDF, 0xDF, 0xDF));
}

TEST_F(LoginDialogTest, WrongPasswordAndInjectionAreRefused)
{
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1112")));
    EXPECT_EQ(client.prompt().lastText(), WrongLogin);
    EXPECT_TRUE(session.LoginUserId.isEmpty());

    client.prompt().clear();
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("' OR '1'='1")));
    EXPECT_EQ(client.prompt().lastText(), WrongLogin);
    EXPECT_FALSE(tryLogin(QStringLiteral("' OR '1'='1"), QStringLiteral("' OR '1'='1")));
    EXPECT_TRUE(session.LoginUserId.isEmpty());

    // The connection opened for the first try serves the next one.
    EXPECT_TRUE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));
}

TEST_F(LoginDialogTest, EscapeLeavesTheDialogOpenAndOnlyCloseCancels)
{
    QTest::keyClick(dialog->edt_Userid, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
    QTest::mouseClick(dialog->btn_Close, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(LoginDialogTest, EmptyFieldsAreAskedForInOrder)
{
    EXPECT_FALSE(tryLogin(QString(), QString()));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("사용자 ID를 입력하시기 바랍니다."));
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QString()));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("사용자 암호를 입력하시기 바랍니다."));
    dialog->edt_ipaddress->clear();
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("본사 IP 주소를 등록하시기 바랍니다."));
    dialog->edt_ipaddress->setText(QStringLiteral("127.0.0.1"));
    dialog->edt_recvport->clear();
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("본사 서버 수신포트를 등록하시기 바랍니다."));
    EXPECT_TRUE(dialog->edt_recvport->isEnabled());
}

TEST_F(LoginDialogTest, PasswordChangeAsksForTheIdAndTheOldPassword)
{
    dialog->show();
    ClickControl(dialog->btn_ChangePass);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("사용자 아이디를 입력하신 후 암호변경을 하시기 바랍니다."));
    // Blanks alone are no password.
    TypeText(dialog->edt_Userid, QStringLiteral("MAKER"));
    TypeText(dialog->edt_pwd, QStringLiteral("  "));
    ClickControl(dialog->btn_ChangePass);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("기존 암호를 입력하신 후 암호변경을 하시기 바랍니다."));
}

TEST_F(LoginDialogTest, UnreachableServerIsReported)
{
    dialog->edt_ipaddress->setText(QStringLiteral("127.0.0.1:1"));
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("미들웨어에 접속하지 못하였습니다.\r\r서버관리자에게 문의하시기 바랍니다."));
}

TEST_F(LoginDialogTest, PasswordAgeAndTheAdministratorException)
{
    setRegdate(QStringLiteral("MAKER"), 90);
    EXPECT_TRUE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));

    dialog->setResult(0);
    setRegdate(QStringLiteral("MAKER"), 91);
    EXPECT_FALSE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("1111")));
    EXPECT_EQ(client.prompt().lastText(), Expired);
    EXPECT_TRUE(dialog->edt_pwd->text().isEmpty());

    // Authority code 3 is exempt (ADMIN's password dates from 2000).
    EXPECT_TRUE(tryLogin(QStringLiteral("ADMIN"), QStringLiteral("9999")));

    // No check when PASS_CHK is 0.
    dialog->setResult(0);
    client.server().exec(QStringLiteral("update OPT set Value = '0' where ID = 'PASS_CHK'"));
    EXPECT_TRUE(tryLogin(QStringLiteral("EXPIRED"), QStringLiteral("1111")));
}

TEST_F(LoginDialogTest, SettingsPanelRegistersConfigAndRemoteIni)
{
    QTest::mouseClick(dialog->btn_serverset, Qt::LeftButton);
    EXPECT_EQ(dialog->height(), Tqv_login_frm::ExpandedHeight);
    EXPECT_FALSE(dialog->btn_confirm->Enabled());
    dialog->edt_ipaddress->setText(QStringLiteral("10.0.0.1"));
    dialog->edt_recvport->setText(QStringLiteral("20001"));
    QTest::mouseClick(dialog->btn_regServer, Qt::LeftButton);
    EXPECT_EQ(dialog->height(), Tqv_login_frm::CompactHeight);
    EXPECT_TRUE(dialog->btn_confirm->Enabled());
    const qvx::IniFile ini = client.config();
    EXPECT_EQ(ini.readString(QStringLiteral("network"), QStringLiteral("ip address")), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(ini.readString(QStringLiteral("INIT"), QStringLiteral("PROGRAM_FLAG")), QStringLiteral("1"));
    // An empty remote-server name leaves remote.ini alone.
    EXPECT_FALSE(QFile::exists(Tqv_login_frm::remoteFileName()));
}

TEST(LoginDialog, MissingConfigIniOpensTheSettingsAndRemoteIniWidensThem)
{
    ClientFixture::Options options;
    options.writeConfig = false;
    ClientFixture client(options);
    {
        qvx::IniFile remote(Tqv_login_frm::remoteFileName());
        remote.writeString(QStringLiteral("REMOTE_SERVER"), QStringLiteral("NAME"), QStringLiteral("QVXServer.QVSERVER01"));
    }
    Session session;
    Tdm data(session);
    Tqv_login_frm dialog(ScreenContext{session, data});
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(client.prompt().texts(),
              QStringList{QStringLiteral("Network 정보 파일이 존재하지 않습니다.\r\r본사 서버 관리자에게 문의하시기 바랍니다.")});
    EXPECT_EQ(dialog.height(), Tqv_login_frm::RemoteExpandedHeight);
    EXPECT_TRUE(dialog.edt_remoteserver->isVisibleTo(&dialog));
    EXPECT_EQ(dialog.edt_remoteserver->text(), QStringLiteral("QVXServer.QVSERVER01"));
    EXPECT_TRUE(dialog.edt_ipaddress->hasFocus() || !dialog.isActiveWindow());

    // Settings typed and registered, the same dialog logs in.
    dialog.edt_ipaddress->setText(client.serverAddress());
    dialog.edt_recvport->setText(QStringLiteral("1"));
    QTest::mouseClick(dialog.btn_regServer, Qt::LeftButton);
    TypeLogin(dialog, QStringLiteral("MAKER"), QStringLiteral("1111"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LoginDialogTest, PasswordChangeStoresTheTrimmedPassword)
{
    Tqv_login_frm::setModPasswordRunner([](Tqv_modpassword_frm &d) {
        d.show();
        QTest::keyClicks(d.edt_oldconfirm, QStringLiteral("1111"));
        QTest::keyClick(d.edt_oldconfirm, Qt::Key_Return);
        d.edt_newpwd->setText(QStringLiteral(" 5555 "));
        d.edt_newconfirm->setText(QStringLiteral(" 5555 "));
        QTest::mouseClick(d.btn_confirm, Qt::LeftButton);
        return d.result();
    });
    client.prompt().enqueueAnswer(true); // "암호를 변경하시겠습니까?"
    QTest::keyClicks(dialog->edt_Userid, QStringLiteral("MAKER"));
    QTest::keyClicks(dialog->edt_pwd, QStringLiteral("1111"));
    QTest::mouseClick(dialog->btn_ChangePass, Qt::LeftButton);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("암호를 변경하시겠습니까?")));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("암호가 변경되었습니다."));
    const auto row = client.server().query(QStringLiteral("select pwd, regdate from users where userid = 'MAKER'"));
    EXPECT_EQ(row.value(0, QStringLiteral("pwd")), QStringLiteral("5555"));
    EXPECT_EQ(row.value(0, QStringLiteral("regdate")), qvx::Clock::today());
    EXPECT_EQ(dialog->edt_pwd->text(), QStringLiteral("5555"));
    EXPECT_TRUE(tryLogin(QStringLiteral("MAKER"), QStringLiteral("5555")));
}

TEST_F(LoginDialogTest, PasswordChangeThatChangesNoRowIsReportedAsFailed)
{
    // The user disappears between the check and the update.
    Tqv_login_frm::setModPasswordRunner([this](Tqv_modpassword_frm &d) {
        client.server().exec(QStringLiteral("delete from users where userid = 'MAKER2'"));
        d.show();
        TypeText(d.edt_oldconfirm, QStringLiteral("1111"));
        QTest::keyClick(d.edt_oldconfirm, Qt::Key_Return);
        TypeText(d.edt_newpwd, QStringLiteral("6666"));
        TypeText(d.edt_newconfirm, QStringLiteral("6666"));
        ClickControl(d.btn_confirm);
        return d.result();
    });
    client.prompt().enqueueAnswer(true); // "암호를 변경하시겠습니까?"
    TypeText(dialog->edt_Userid, QStringLiteral("MAKER2"));
    TypeText(dialog->edt_pwd, QStringLiteral("1111"));
    ClickControl(dialog->btn_ChangePass);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("암호를 변경하시겠습니까?")));
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("암호가 변경되지 않았습니다.\r\r네트워크 또는 서버에 문제가 있습니다.\r\r전산관리자에게 문의하시기 바랍니다."));

    // A wrong old password is refused before the dialog opens.
    client.prompt().clear();
    TypeText(dialog->edt_Userid, QStringLiteral("MAKER"));
    TypeText(dialog->edt_pwd, QStringLiteral("' OR '1'='1"));
    ClickControl(dialog->btn_ChangePass);
    EXPECT_EQ(client.prompt().lastText(),
              QStringLiteral("아이디 또는 암호가 틀립니다.\r\r사용자 아이디와 암호를 정확히 입력하시기 바랍니다."));
}

TEST(ModPassword, OldPasswordCheckAndConfirmation)
{
    qvx::ScriptedPrompt prompt;
    Session session;
    Tdm data(session);
    Tqv_modpassword_frm d(ScreenContext{session, data});
    d.setOldPassword(QStringLiteral("1111"));
    d.show();
    EXPECT_FALSE(d.edt_newpwd->isEnabled());
    QTest::keyClicks(d.edt_oldconfirm, QStringLiteral("12"));
    EXPECT_TRUE(d.edt_newpwd->isEnabled());  // any change opens them
    QTest::keyClick(d.edt_oldconfirm, Qt::Key_Return);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("암호가 틀립니다. 확인하시기 바랍니다."));
    EXPECT_FALSE(d.edt_newpwd->isEnabled());

    TypeText(d.edt_oldconfirm, QStringLiteral("1111"));
    QTest::keyClick(d.edt_oldconfirm, Qt::Key_Return);
    EXPECT_TRUE(d.edt_newpwd->isEnabled());
    TypeText(d.edt_newpwd, QStringLiteral("   "));
    ClickControl(d.btn_confirm);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("신규암호를 입력하시기 바랍니다."));

    TypeText(d.edt_newpwd, QStringLiteral("AB"));
    TypeText(d.edt_newconfirm, QStringLiteral("AC"));
    prompt.enqueueAnswer(true);
    ClickControl(d.btn_confirm);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("입력한 신규암호 확인이 정확하지 않습니다. 확인하시기 바랍니다."));
    EXPECT_EQ(d.result(), 0);

    // Cancel in the question closes the dialog with Cancel.
    prompt.enqueueAnswer(false);
    ClickControl(d.btn_confirm);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
}

TEST_F(LoginDialogTest, RendersForReview)
{
    const QString out = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QStringLiteral("test-output"));
    QDir().mkpath(out);
    EXPECT_TRUE(dialog->grab().save(out + QStringLiteral("/login_compact.png")));
    QTest::mouseClick(dialog->btn_serverset, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog->grab().save(out + QStringLiteral("/login_expanded.png")));
    Tqv_modpassword_frm change(ScreenContext{session, *data});
    EXPECT_TRUE(change.grab().save(out + QStringLiteral("/modpassword.png")));
    Tqv_sublogin_frm check(ScreenContext{session, *data});
    EXPECT_TRUE(check.grab().save(out + QStringLiteral("/sublogin.png")));
}

} // namespace
