// The reference-data screens, the find dialog, the screen settings and the
// start screen, driven through the running client against the demo server.
#include "ReportLayoutCheck.h"
#include "ClientFixture.h"
#include "ScreenDriver.h"

#include "core/screens/AllbankUnit.h"
#include "core/screens/BankUnit.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/CoreScreens.h"
#include "core/screens/DisplayUnit.h"
#include "core/screens/ErrcodeUnit.h"
#include "core/screens/ListGrid.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "core/screens/NetworkUnit.h"
#include "core/screens/ScreenRegistry.h"
#include "core/screens/SearchUnit.h"
#include "core/TextUtils.h"
#include "core/screens/StartUnit.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "platform/TListGrid.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

class RefScreens : public ::testing::Test
{
protected:
    void SetUp() override { registerCoreScreens(); }

    // Logs in and shows the main window, so its screens can be clicked.
    bool login(const char *user, const char *password)
    {
        if (!client.start(QString::fromLatin1(user), QString::fromLatin1(password)))
            return false;
        client.mainWindow()->show();
        return QTest::qWaitForWindowExposed(client.mainWindow());
    }

    template <class T>
    T *open(const char *menuItem, const char *name)
    {
        if (!TriggerMenuItem(client.mainWindow(), QString::fromLatin1(menuItem)))
            return nullptr;
        return qobject_cast<T *>(FindScreen(client.mainWindow(), QString::fromLatin1(name)));
    }

    void click(TDDButton *button) { EXPECT_TRUE(ClickControl(button)); }
    void type(QLineEdit *edit, const QString &text) { EXPECT_TRUE(TypeText(edit, text)); }

    void savePng(QWidget *w, const char *name)
    {
        const QString dir = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
        QDir().mkpath(dir);
        w->resize(w->size());
        w->grab().save(dir + QStringLiteral("/") + QString::fromLatin1(name) + QStringLiteral(".png"));
    }

    ClientFixture client;
};

} // namespace

TEST_F(RefScreens, NetworkViewShowsTheConfigRowOrSaysThereIsNone)
{
    ASSERT_TRUE(login("MAKER", "1111"));
    auto *view = open<Tqv_network_frm>("qv_a1", "qv_network_frm");
    ASSERT_NE(view, nullptr);
    const auto config = client.server().query(QStringLiteral("select nevarid, transport from config"));
    EXPECT_EQ(view->grd_network->Cells(1, 2), config.value(0, QStringLiteral("nevarid")));
    EXPECT_EQ(view->grd_network->Cells(1, 3), config.value(0, QStringLiteral("transport")));
    EXPECT_EQ(view->grd_network->Cells(0, 1), QStringLiteral("IP 주소"));
    savePng(view, "qv_network_frm");
    view->close();

    client.server().exec(QStringLiteral("delete from config"));
    client.prompt().clear();
    Tqv_network_frm empty(client.context(), client.mainWindow());
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("서버에 대한 네트워크 정보가 존재하지 않습니다.\r\r본사 관리자에게 문의하시기 바랍니다.")));
    EXPECT_EQ(empty.grd_network->Cells(1, 1), QString());
}

TEST_F(RefScreens, BankAccountsAreReadOnlyForMakersAndKeyedOnTheStoredNumberWhenEdited)
{
    ASSERT_TRUE(login("MAKER", "1111"));
    {
        auto *screen = open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
        ASSERT_NE(screen, nullptr);
        EXPECT_FALSE(screen->btn_add->Enabled());
        EXPECT_FALSE(screen->btn_modify->Enabled());
        EXPECT_FALSE(screen->btn_save->Enabled());
        EXPECT_FALSE(GridIsEmpty(screen->grd_allbank));
        ClickGridCell(screen->grd_allbank, 0, 1, true);
        EXPECT_FALSE(screen->btn_save->Enabled());
        screen->close();
    }
}

TEST_F(RefScreens, AnAdministratorAddsAndModifiesAMotherAccount)
{
    ASSERT_TRUE(login("ADMIN", "9999"));
    auto *screen = open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
    ASSERT_NE(screen, nullptr);
    savePng(screen, "qv_bank_frm");
    EXPECT_TRUE(screen->btn_add->Enabled()); // no row has to be opened first
    const int rowsBefore = screen->grd_allbank->RowCount();

    // Add: the number typed with hyphens is stored without them.
    ClickGridCell(screen->grd_allbank, 0, 1);
    click(screen->btn_add);
    EXPECT_EQ(screen->AccountEditMode, 1);
    const QString bankid = screen->edt_bankid->text();
    type(screen->edt_bankno, QStringLiteral("999-888-777666"));
    type(screen->edt_firmid, QStringLiteral("F1234"));
    type(screen->edt_sendname, QStringLiteral("한빛'상사"));
    click(screen->btn_save);
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("정상적으로 처리하였습니다.")));
    EXPECT_EQ(screen->grd_allbank->RowCount(), rowsBefore + 1);
    auto stored = client.server().query(QStringLiteral("select sendname, tr_gubuncode from bank where mobankno = '999888777666' and bankid = '") + bankid + u'\'');
    ASSERT_EQ(stored.recordCount(), 1);
    EXPECT_EQ(stored.value(0, QStringLiteral("sendname")), QStringLiteral("한빛'상사"));
    EXPECT_EQ(stored.value(0, QStringLiteral("tr_gubuncode")), QStringLiteral("20"));

    // Modify the new row: the list shows it as stored, in its bank's form;
    // the update finds it by the stored digits.
    const int newRow = screen->grd_allbank->RowCount() - 1;
    ClickGridCell(screen->grd_allbank, 0, newRow);
    ClickGridCell(screen->grd_allbank, 0, newRow, true);
    EXPECT_EQ(screen->edt_bankno->text(), FormatAcctNo(bankid, QStringLiteral("999888777666")));
    EXPECT_EQ(screen->AccountEditMode, 2);
    type(screen->edt_firmid, QStringLiteral("F9999"));
    client.prompt().clear();
    click(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(client.server().query(QStringLiteral("select firmid from bank where mobankno = '999888777666'")).value(0, QStringLiteral("firmid")),
              QStringLiteral("F9999"));

    // A row that is no longer stored as shown is reported, not "saved".
    client.server().exec(QStringLiteral("update bank set mobankno = '1' where mobankno = '999888777666'"));
    ClickGridCell(screen->grd_allbank, 0, newRow, true);
    client.prompt().clear();
    click(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    // The edit ends as after a success: panel locked, Add and Modify back.
    EXPECT_EQ(screen->AccountEditMode, 0);
    EXPECT_TRUE(screen->edt_bankno->isReadOnly());
    EXPECT_TRUE(screen->btn_add->Enabled());
    EXPECT_FALSE(screen->btn_save->Enabled());

    // Without any account the panel still opens locked.
    client.server().exec(QStringLiteral("delete from bank"));
    Tqv_bank_frm empty(client.context(), client.mainWindow());
    EXPECT_TRUE(GridIsEmpty(empty.grd_allbank));
    EXPECT_EQ(empty.AccountEditMode, 0);
    EXPECT_TRUE(empty.edt_bankno->isReadOnly());
    EXPECT_TRUE(empty.edt_firmid->isReadOnly());
}

TEST_F(RefScreens, BankCodesRefuseADuplicateBeforeAskingAndKeepTheEditWhenTheBoxIsCancelled)
{
    ASSERT_TRUE(login("ADMIN", "9999"));
    auto *screen = open<Tqv_allbank_frm>("qv_a2_1", "qv_allbank_frm");
    ASSERT_NE(screen, nullptr);
    // The registration panel waits disabled, its captions still plainly readable.
    ASSERT_FALSE(screen->pnl_regallbank->isEnabled());
    const QList<QLabel *> captions = screen->pnl_regallbank->findChildren<QLabel *>();
    ASSERT_GE(captions.size(), 4);
    for (QLabel *caption : captions) {
        const QImage drawn = caption->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                darkest = std::min(darkest, qGray(drawn.pixel(x, y)));
        EXPECT_LE(darkest, 64) << qPrintable(caption->text());
    }
    SavePicture(screen, "qv_allbank_frm");
    click(screen->btn_search);
    ASSERT_FALSE(GridIsEmpty(screen->grd_allbank));
    const QString existing = screen->grd_allbank->Cells(0, 1);

    click(screen->btn_add);
    type(screen->edt_regcode, existing);
    type(screen->edt_regcontents, QStringLiteral("중복은행"));
    client.prompt().clear();
    click(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당 은행코드가 존재합니다. 확인하시기 바랍니다."));
    EXPECT_EQ(client.prompt().count(), 1);                 // no confirmation box

    type(screen->edt_regcode, QStringLiteral("97"));
    client.prompt().enqueueAnswer(false);
    click(screen->btn_save);
    EXPECT_EQ(screen->BankCodeEditMode, 1);
    EXPECT_EQ(screen->edt_regcode->text(), QStringLiteral("97"));
    EXPECT_EQ(client.server().query(QStringLiteral("select * from allbank where bankid = '97'")).recordCount(), 0);

    client.prompt().enqueueAnswer(true);
    click(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(client.server().query(QStringLiteral("select bankname from allbank where bankid = '97'")).value(0, QStringLiteral("bankname")),
              QStringLiteral("중복은행"));
    EXPECT_EQ(screen->BankCodeEditMode, 0);
}

TEST_F(RefScreens, ErrorCodeReportFillsItsPagesAndModifyNeedsASearch)
{
    ASSERT_TRUE(login("ADMIN", "9999"));
    auto *screen = open<Tqv_ErrCode_frm>("qv_a2_3", "qv_ErrCode_frm");
    ASSERT_NE(screen, nullptr);
    client.prompt().clear();
    click(screen->btn_modify);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("수정할 오류코드가 호출되지 않았습니다. 검색에서 호출하여 수정하시기 바랍니다."));

    // 40 codes: 33 on the first page, 7 and 30 empty lines on the second.
    screen->grd_error->SetRowCount(41);
    for (int r = 1; r <= 40; ++r) {
        screen->grd_error->SetCells(0, r, QStringLiteral("E%1").arg(r, 3, 10, QChar(u'0')));
        screen->grd_error->SetCells(1, r, QStringLiteral("오류 %1").arg(r));
    }
    const auto pages = screen->Report1.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].detailCount(), 33);
    EXPECT_EQ(pages[1].detailCount(), 37);
    EXPECT_TRUE(PlacedText(pages[0].bands.first(), QStringLiteral("qlbl_condition")).startsWith(QStringLiteral("검색 조건 : ")));
    // Each line: its number, code and text; the footer: the print date and the page.
    QStringList firstLine, footer;
    for (const auto &band : pages[0].bands) {
        if (band.band == QStringLiteral("detail") && firstLine.isEmpty())
            for (const qvx::ReportItem &item : band.items)
                if (!item.text.isEmpty())
                    firstLine.append(item.text);
        if (band.band == QStringLiteral("pageFooter"))
            for (const qvx::ReportItem &item : band.items)
                footer.append(item.text);
    }
    EXPECT_EQ(firstLine, (QStringList{QStringLiteral("1"), QStringLiteral("E001"), QStringLiteral("오류 1")}));
    EXPECT_TRUE(footer.contains(QStringLiteral("출력 일시 : "))) << footer.join(u'|').toStdString();
    EXPECT_TRUE(footer.contains(QStringLiteral("Page : "))) << footer.join(u'|').toStdString();
    EXPECT_TRUE(std::any_of(footer.begin(), footer.end(), [](const QString &t) {
        return QRegularExpression(QStringLiteral("^\\d{4}년 \\d{2}월 \\d{2}일 $")).match(t).hasMatch();
    })) << footer.join(u'|').toStdString();

    // Add a code for the first bank and find it again.
    click(screen->btn_add);
    type(screen->edt_regcode, QStringLiteral("Z99"));
    type(screen->edt_regcontents, QStringLiteral("시험 오류"));
    client.prompt().enqueueAnswer(true);
    click(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    type(screen->edt_errcode, QStringLiteral("Z99"));
    click(screen->btn_search);
    EXPECT_EQ(screen->grd_error->Cells(1, 1), QStringLiteral("시험 오류"));
    EXPECT_EQ(screen->grd_error->RowCount(), 2);

    // A search during an entry keeps the entry band open, shown or not yet.
    // The form is not shown, so nobody could click it: its buttons' own
    // click events stand in for the clicks.
    Tqv_ErrCode_frm hidden(client.context(), client.mainWindow());
    hidden.btn_add->OnClick(hidden.btn_add);
    EXPECT_FALSE(hidden.pnl_regerr->isHidden());
    hidden.btn_search->OnClick(hidden.btn_search);
    EXPECT_FALSE(hidden.pnl_regerr->isHidden());
    EXPECT_FALSE(hidden.pnl_bankname->isHidden());
    EXPECT_EQ(hidden.ErrorCodeEditMode, 1);
}

TEST_F(RefScreens, FindDialogSearchesFirstAndNextAndSaysWhenNothingIsLeft)
{
    ASSERT_TRUE(login("MAKER", "1111"));
    TListGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(4);
    grid.SetCells(1, 0, QStringLiteral("업 체 명"));
    grid.SetCells(2, 0, QStringLiteral("은행"));
    grid.SetCells(1, 1, QStringLiteral("가나상사"));
    grid.SetCells(1, 2, QStringLiteral("다라상사"));
    grid.SetCells(2, 3, QStringLiteral("가나은행"));
    Tqv_search_frm dialog(client.context());
    dialog.SetGrid(&grid);
    ASSERT_EQ(dialog.cmb_search->Items().Count(), 3);
    EXPECT_EQ(dialog.cmb_search->Items()[1], QStringLiteral("업체명"));

    dialog.edt_search->setText(QStringLiteral(" 가나 "));
    dialog.SearchClick(0);
    EXPECT_EQ(grid.Row(), 1);
    dialog.SearchClick(1);
    EXPECT_EQ(grid.Row(), 3);                               // any column
    client.prompt().clear();
    dialog.SearchClick(1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당하는 내용을 더 이상 찾을 수 없습니다."));

    dialog.cmb_search->SetItemIndex(1);                     // 업체명 only
    dialog.SearchClick(0);
    dialog.SearchClick(1);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당하는 내용을 더 이상 찾을 수 없습니다."));

    dialog.edt_search->setText(QStringLiteral("   "));
    client.prompt().clear();
    dialog.SearchClick(0);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당하는 내용을 찾을 수 없습니다."));
}

TEST_F(RefScreens, ScreenSettingsListAndSaveColumnFlags)
{
    ASSERT_TRUE(login("MAKER", "1111"));
    qvx::IniFile ini = client.config();
    // A section the user has changed (the client wrote the full one at login).
    ini.eraseSection(QStringLiteral("QV_TRSUM_FRM"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("1"), QStringLiteral("1순번"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("2"), QStringLiteral("0은행명"));
    ini.writeString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("4"), QStringLiteral("1건수"));
    ini.writeString(QStringLiteral("FILESAVE"), QStringLiteral("FILESAVE_FLAG"), QStringLiteral("2"));

    Tqv_display_frm dialog(client.context());
    EXPECT_FALSE(Checked(dialog.chk_delimeter));            // "2" reads as off here
    dialog.cmb_allbank->SetItemIndex(7);
    dialog.cmb_allbankChange();
    ASSERT_EQ(dialog.memo_show->count(), 1);                // key 4 is past the gap
    ASSERT_EQ(dialog.memo_hide->count(), 1);
    dialog.memo_show->setCurrentRow(0);
    dialog.sbtn_addClick();
    EXPECT_EQ(dialog.memo_hide->count(), 2);
    EXPECT_TRUE(dialog.btn_cancel->Enabled());
    dialog.btn_cancelClick();                               // undo reloads from the file
    EXPECT_EQ(dialog.memo_show->count(), 1);

    dialog.memo_hide->setCurrentRow(0);
    dialog.sbtn_deleteClick();
    dialog.btn_addClick();
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("거래집계요구 화면에 대한 설정을 저장하였습니다."));
    EXPECT_EQ(ini.readString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("2")), QStringLiteral("1은행명"));
    EXPECT_EQ(ini.readString(QStringLiteral("QV_TRSUM_FRM"), QStringLiteral("4")), QStringLiteral("1건수"));
    EXPECT_EQ(ini.readString(QStringLiteral("FILESAVE"), QStringLiteral("FILESAVE_FLAG")), QStringLiteral("0"));
    EXPECT_EQ(client.session().FileSaveFlag, 0);
}

TEST_F(RefScreens, StartScreenPollsEachBankAndStopsItsTimerWhileATickRuns)
{
    ASSERT_TRUE(login("MAKER", "1111"));
    Tqv_start_frm screen(client.context());
    ASSERT_FALSE(GridIsEmpty(screen.grd_allbank));
    EXPECT_EQ(screen.grd_allbank->Cells(3, 1), QStringLiteral("N"));
    EXPECT_TRUE(screen.SendTimer->isActive());
    bool activeDuringTick = true;
    client.prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &) { activeDuringTick = screen.SendTimer->isActive(); });
    client.session().ServerState = 1;
    screen.SendTimerTimer();
    client.session().ServerState = 0;
    EXPECT_FALSE(activeDuringTick);
    EXPECT_FALSE(screen.SendTimer->isActive()); // offline for good: no more polling
    client.prompt().setCallback({});
    screen.btn_addClick();                                  // open every bank
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("Send OK"));
    screen.SendTimerTimer();
    EXPECT_EQ(screen.grd_allbank->Cells(3, 1), QStringLiteral("Y"));

    client.server().exec(QStringLiteral("delete from bank"));
    client.prompt().clear();
    Tqv_start_frm empty(client.context());
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("등록된 은행이 존재하지 않습니다. 신규등록을 하시기 바랍니다."));
    EXPECT_FALSE(empty.SendTimer->isActive());
}
