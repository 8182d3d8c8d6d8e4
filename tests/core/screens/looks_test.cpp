// What a clerk sees and does on the small windows: the screen settings lists,
// the start screen while offline, the notice window, the login dialog's
// settings button, password fields and the windows' icon. Driven with the
// mouse and keys against the demo server.
#include "ClientFixture.h"
#include "ScreenInput.h"

#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/BankUnit.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/CoreScreens.h"
#include "core/screens/DisplayUnit.h"
#include "core/screens/LoginUnit.h"
#include "platform/ProgramIcon.h"
#include "core/screens/ScreenRegistry.h"
#include "core/screens/StartUnit.h"
#include "core/screens/SubLoginUnit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ScreenInput;

namespace {

// The box around the caption's white pixels inside the border.
QRect captionBox(const QImage &img)
{
    QRect box;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x) {
            const QRgb c = img.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

class Looks : public ::testing::Test
{
protected:
    CoreScreensRegistered screens; // before the client, gone after it

    void login()
    {
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        showMainWindow(client.mainWindow());
    }
    static QChar mask(QLineEdit *e)
    {
        return QChar(e->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, e));
    }

    ClientFixture client;
};

} // namespace

TEST_F(Looks, ScreenSettingsLeaveNothingSelectedAfterAMove)
{
    login();
    qvx::IniFile ini = client.config();
    ini.eraseSection(QStringLiteral("QV_TRSUM_FRM"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("1"), QStringLiteral("1순번"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("2"), QStringLiteral("1은행명"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("3"), QStringLiteral("1건수"));

    Tqv_display_frm dialog(client.context(), client.mainWindow());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.cmb_allbank->SetFocus();
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(dialog.cmb_allbank, Qt::Key_Down);
    ASSERT_EQ(dialog.cmb_allbank->ItemIndex(), 7);
    ASSERT_EQ(dialog.memo_show->count(), 3);
    // The column names, Korean, stand apart from each other.
    const int glyphs = KoreanGlyphHeight(dialog.memo_show->font());
    EXPECT_GE(dialog.memo_show->visualItemRect(dialog.memo_show->item(1)).top() -
                  dialog.memo_show->visualItemRect(dialog.memo_show->item(0)).top(),
              glyphs + 2);

    clickEntry(dialog.memo_show, 0);
    ClickControl(dialog.sbtn_add);
    ASSERT_EQ(dialog.memo_hide->count(), 1);
    EXPECT_EQ(dialog.memo_hide->item(0)->text(), QStringLiteral("순번"));
    EXPECT_TRUE(dialog.memo_show->selectedItems().isEmpty());
    savePicture(&dialog, "qv_display_frm_moved");
    // A second press moves nothing: no other entry was chosen for the user.
    ClickControl(dialog.sbtn_add);
    EXPECT_EQ(dialog.memo_show->count(), 2);
    EXPECT_EQ(dialog.memo_hide->count(), 1);

    // A double click moves the entry as its button does.
    clickEntry(dialog.memo_show, 1, true);
    EXPECT_EQ(dialog.memo_show->count(), 1);
    EXPECT_EQ(dialog.memo_hide->item(1)->text(), QStringLiteral("건수"));
    EXPECT_TRUE(dialog.memo_show->selectedItems().isEmpty());
    EXPECT_GE(dialog.memo_hide->visualItemRect(dialog.memo_hide->item(1)).top() -
                  dialog.memo_hide->visualItemRect(dialog.memo_hide->item(0)).top(),
              glyphs + 2);
    clickEntry(dialog.memo_hide, 0, true);
    EXPECT_EQ(dialog.memo_show->count(), 2);
    EXPECT_TRUE(dialog.memo_hide->selectedItems().isEmpty());
}

TEST_F(Looks, StartScreenSaysOnceThatTheServerClosedTheConnection)
{
    login();
    ASSERT_TRUE(TriggerMenuItem(client.mainWindow(), QStringLiteral("qv_e1")));
    auto *screen = qobject_cast<Tqv_start_frm *>(FindScreen(client.mainWindow(), QStringLiteral("qv_start_frm")));
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(screen->SendTimer->isActive());
    savePicture(screen, "qv_start_frm");

    client.session().ServerState = 1; // the relay was lost and the clerk chose to stay offline
    const QString offline = QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다.");
    ASSERT_TRUE(client.waitFor([&] { return client.prompt().contains(offline); }));
    EXPECT_FALSE(screen->SendTimer->isActive()); // no more ticks, no more boxes
    EXPECT_EQ(client.prompt().texts().count(offline), 1);
}

TEST_F(Looks, NoticeWindowShowsItsOkButton)
{
    login();
    client.server().exec(QStringLiteral("delete from srv_commmsg where kind = 1"));
    client.server().exec(QStringLiteral("insert into srv_commmsg (kind, msg) values (1, '금일 22시 시스템 점검 예정입니다.')"));
    ASSERT_TRUE(TriggerMenuItem(client.mainWindow(), QStringLiteral("N2")));
    QPointer<QWidget> alert = client.mainWindow()->findChild<QWidget *>(QStringLiteral("qv_AlertMsg_Frm"));
    ASSERT_NE(alert, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(alert));
    savePicture(alert, "qv_AlertMsg_Frm");
    auto *ok = alert->findChild<TDDButton *>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Caption(), QStringLiteral("확인"));
    EXPECT_GE(ok->width(), 60);
    EXPECT_GE(ok->height(), 20);
    EXPECT_TRUE(alert->rect().contains(QRect(ok->mapTo(alert, QPoint(0, 0)), ok->size())));
    ClickControl(ok);
    EXPECT_TRUE(client.waitFor([&] { return alert.isNull() || !alert->isVisible(); }));
}

TEST(LooksOfLogin, RegisterButtonShowsBothLinesOfItsCaption)
{
    ClientFixture::Options options;
    options.writeConfig = false;
    ClientFixture client(options);
    ApplyProgramIcon();
    Session session;
    Tdm data(session);
    Tqv_login_frm dialog(ScreenContext{session, data});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(dialog.btn_regServer->Caption(), QStringLiteral("서버\r등록"));
    // The address and the port are both open for typing.
    EXPECT_TRUE(dialog.edt_ipaddress->isEnabled());
    EXPECT_TRUE(dialog.edt_recvport->isEnabled());
    savePicture(&dialog, "qv_login_frm_no_config");
    const QImage img = dialog.btn_regServer->grab().toImage();
    const QRect box = captionBox(img);
    const int line = QFontMetrics(dialog.btn_regServer->font()).tightBoundingRect(QStringLiteral("등록")).height();
    EXPECT_GE(box.height(), 2 * line) << box.top() << ".." << box.bottom();
    EXPECT_GE(box.top(), 2);
    EXPECT_LE(box.bottom(), img.height() - 3);
    EXPECT_EQ(dialog.windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
}

TEST_F(Looks, PasswordFieldsMaskAlikeAndWindowsCarryTheProgramIcon)
{
    login();
    const QImage icon = ProgramIcon().pixmap(32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(client.mainWindow()->windowIcon().pixmap(32).toImage(), icon);

    ASSERT_TRUE(TriggerMenuItem(client.mainWindow(), QStringLiteral("qv_a2_2")));
    auto *bank = qobject_cast<Tqv_bank_frm *>(FindScreen(client.mainWindow(), QStringLiteral("qv_Bank_frm")));
    ASSERT_NE(bank, nullptr);
    for (QLineEdit *e : {bank->edt_pwd, bank->edt_dpwd}) {
        EXPECT_EQ(e->echoMode(), QLineEdit::Password) << qPrintable(e->objectName());
        EXPECT_EQ(mask(e), QLatin1Char('*')) << qPrintable(e->objectName());
    }
    auto *sub = qobject_cast<QMdiSubWindow *>(bank->parentWidget());
    EXPECT_EQ((sub ? sub->windowIcon() : bank->windowIcon()).pixmap(32).toImage(), icon);

    Tqv_sublogin_frm approver(client.context(), client.mainWindow());
    EXPECT_EQ(approver.edt_pwd->echoMode(), QLineEdit::Password);
    EXPECT_EQ(mask(approver.edt_pwd), QLatin1Char('*'));
    EXPECT_EQ(approver.windowIcon().pixmap(32).toImage(), icon);
}
