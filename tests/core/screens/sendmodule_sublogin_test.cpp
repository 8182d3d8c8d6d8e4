// The approver sign-in dialog that guards sending.
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/SubLoginUnit.h"
#include "controls/panels/DDButton.h"
#include "platform/Prompt.h"
#include "support/TestServer.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

class SubLogin : public ::testing::Test
{
protected:
    Session session;
    static void SetUpTestSuite() { server = new qvx::test::TestServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        data = std::make_unique<Tdm>(session);
        data->setAppServer(&server->client());
        dialog = new Tqv_sublogin_frm(ScreenContext{session, *data});
        dialog->edt_Userid->setText(S("APPR2"));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    void TearDown() override
    {
        delete dialog;
        data.reset();
    }
    void click(TDDButton *b) { QTest::mouseClick(b, Qt::LeftButton); }

    static qvx::test::TestServer *server;
    std::unique_ptr<Tdm> data;
    qvx::ScriptedPrompt prompt;
    Tqv_sublogin_frm *dialog = nullptr;
};
qvx::test::TestServer *SubLogin::server = nullptr;

TEST_F(SubLogin, RightPasswordClosesWithOk)
{
    EXPECT_EQ(dialog->windowTitle(), S("사용자 인증"));
    EXPECT_FALSE(dialog->edt_Userid->isEnabled());
    EXPECT_TRUE(dialog->edt_pwd->hasFocus());
    QTest::keyClicks(dialog->edt_pwd, S(" 3333 "));
    click(dialog->btn_confirm);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SubLogin, WrongPasswordClosesWithCancelAtOnce)
{
    QTest::keyClicks(dialog->edt_pwd, S("' or '1'='1"));
    click(dialog->btn_confirm);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(prompt.lastText().startsWith(S("등록되지 않은 사용자이거나")));
}

TEST_F(SubLogin, AnyRegisteredUserPasses)
{
    dialog->edt_Userid->setText(S("MAKER"));
    QTest::keyClicks(dialog->edt_pwd, S("1111"));
    click(dialog->btn_confirm);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(SubLogin, EmptyFieldsAndCancelKeepTheDialogOpen)
{
    click(dialog->btn_confirm);
    EXPECT_EQ(prompt.lastText(), S("사용자 암호를 입력하시기 바랍니다."));
    dialog->edt_Userid->clear();
    click(dialog->btn_confirm);
    EXPECT_EQ(prompt.lastText(), S("사용자 ID를 입력하시기 바랍니다."));
    dialog->edt_pwd->setText(S("X"));
    click(dialog->btn_Cancel);
    EXPECT_TRUE(dialog->edt_pwd->text().isEmpty());
    EXPECT_TRUE(dialog->isVisible());
    click(dialog->DDButton2);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(SubLogin, OfflineRefusesAndStays)
{
    session.ServerState = 1;
    QTest::keyClicks(dialog->edt_pwd, S("3333"));
    click(dialog->btn_confirm);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다."));
    EXPECT_TRUE(dialog->isVisible());
}

} // namespace
