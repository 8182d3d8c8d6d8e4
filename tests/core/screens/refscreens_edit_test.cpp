// Corrections on the reference-data screens as a clerk makes them: choosing
// banks, clicking rows and buttons, typing into the fields; what reaches the
// server and what the screen says.
#include "ClientFixture.h"
#include "ScreenInput.h"

#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/AllbankUnit.h"
#include "core/screens/BankUnit.h"
#include "core/screens/CoreScreens.h"
#include "core/screens/ErrcodeUnit.h"
#include "core/screens/ScreenRegistry.h"
#include "core/screens/SearchUnit.h"
#include "core/TextUtils.h"
#include "controls/panels/DDButton.h"
#include "platform/TListGrid.h"
#include "support/CountingLink.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace ScreenInput;

namespace {

class RefEdits : public ::testing::Test
{
protected:
    CoreScreensRegistered screens; // before the client, gone after it

    void login(const char *user, const char *password)
    {
        ASSERT_TRUE(client.start(QString::fromLatin1(user), QString::fromLatin1(password)));
        showMainWindow(client.mainWindow());
    }
    template <class T>
    T *open(const char *item, const char *name)
    {
        return openFromMenu<T>(client.mainWindow(), item, name);
    }
    // The bank accounts screen as an administrator opens it.
    Tqv_bank_frm *openBankAccounts()
    {
        login("ADMIN", "9999");
        return open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
    }
    static int rowOf(TListGrid *grid, const QString &code, int col = 0)
    {
        for (int r = 1; r < grid->RowCount(); ++r)
            if (grid->Cells(col, r) == code)
                return r;
        return -1;
    }
    QString errorText(const char *bank, const char *code)
    {
        return client.server()
            .query(QStringLiteral("select errcontents from error where bankid = '%1' and errcode = '%2'")
                       .arg(QString::fromLatin1(bank), QString::fromLatin1(code)))
            .value(0, QStringLiteral("errcontents"));
    }
    ClientFixture client;
};

} // namespace

TEST_F(RefEdits, ErrorCodeCorrectionChangesOnlyTheEditedRowOfItsBank)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_ErrCode_frm>("qv_a2_3", "qv_ErrCode_frm");
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->cmb_bankname->Text(), QStringLiteral("[03]기업은행"));
    ClickControl(screen->btn_search);
    const int row = rowOf(screen->grd_error, QStringLiteral("0011"));
    ASSERT_GT(row, 0);
    ClickGridCell(screen->grd_error, 1, row);
    ClickControl(screen->btn_modify);
    EXPECT_EQ(screen->edt_regcode->text(), QStringLiteral("0011"));
    // The code is the row's own: it cannot be typed over.
    EXPECT_TRUE(screen->edt_regcode->isReadOnly());
    QTest::keyClicks(screen->edt_regcode, QStringLiteral("2"));
    EXPECT_EQ(screen->edt_regcode->text(), QStringLiteral("0011"));
    // Nor can the bank band send the correction to another bank's row.
    if (screen->cmb_bankname1->isVisible() && screen->cmb_bankname1->isEnabled()) {
        screen->cmb_bankname1->SetFocus();
        QTest::keyClick(screen->cmb_bankname1, Qt::Key_Down);
    }
    TypeText(screen->edt_regcontents, QStringLiteral("계좌번호 확인 요망"));
    savePicture(screen, "qv_ErrCode_frm_modify");
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(errorText("03", "0011"), QStringLiteral("계좌번호 확인 요망"));
    EXPECT_EQ(errorText("04", "0011"), QStringLiteral("계좌번호 오류"));
    EXPECT_EQ(errorText("03", "0012"), QStringLiteral("해지된 계좌"));
    EXPECT_EQ(screen->grd_error->Cells(1, row), QStringLiteral("계좌번호 확인 요망"));

    // The corrected row shows the stored text even when another row was
    // clicked before saving; that row keeps its own.
    const int opened = rowOf(screen->grd_error, QStringLiteral("0012"));
    const int clicked = rowOf(screen->grd_error, QStringLiteral("0013"));
    ASSERT_GT(opened, 0);
    ASSERT_GT(clicked, 0);
    ClickGridCell(screen->grd_error, 1, opened);
    ClickControl(screen->btn_modify);
    ClickGridCell(screen->grd_error, 1, clicked);
    TypeText(screen->edt_regcontents, QStringLiteral("해지 계좌"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(errorText("03", "0012"), QStringLiteral("해지 계좌"));
    EXPECT_EQ(screen->grd_error->Cells(1, opened), QStringLiteral("해지 계좌"));
    EXPECT_EQ(screen->grd_error->Cells(1, clicked), QStringLiteral("잔액 부족"));

    // A row that is no longer stored is reported, and the list keeps its text.
    ClickGridCell(screen->grd_error, 1, row);
    ClickControl(screen->btn_modify);
    client.server().exec(QStringLiteral("delete from error where bankid = '03' and errcode = '0011'"));
    TypeText(screen->edt_regcontents, QStringLiteral("없는 행"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    EXPECT_EQ(screen->grd_error->Cells(1, row), QStringLiteral("계좌번호 확인 요망"));
    EXPECT_EQ(client.server().query(QStringLiteral("select * from error where errcontents = '없는 행'")).recordCount(), 0);
    EXPECT_EQ(screen->ErrorCodeEditMode, 0);
}

TEST_F(RefEdits, ErrorCodeCorrectionAfterAFruitlessSearchAsksForNoHiddenBank)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_ErrCode_frm>("qv_a2_3", "qv_ErrCode_frm");
    ASSERT_NE(screen, nullptr);
    choose(screen->cmb_bankname, 1); // [04]
    ClickControl(screen->btn_search);
    const int row = rowOf(screen->grd_error, QStringLiteral("0013"));
    ASSERT_GT(row, 0);

    // A search that finds nothing leaves the earlier rows listed.
    screen->edt_errcode->setFocus();
    QTest::keyClicks(screen->edt_errcode, QStringLiteral("9999"));
    client.prompt().clear();
    ClickControl(screen->btn_search);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당 은행 또는 오류코드가 존재하지 않습니다."));
    ASSERT_EQ(screen->grd_error->Cells(0, row), QStringLiteral("0013"));

    ClickGridCell(screen->grd_error, 1, row);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_regcontents, QStringLiteral("잔액이 부족합니다"));
    client.prompt().clear();
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("은행명을 선택하시기 바랍니다.")));
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(errorText("04", "0013"), QStringLiteral("잔액이 부족합니다"));
    EXPECT_EQ(errorText("03", "0013"), QStringLiteral("잔액 부족"));
}

TEST_F(RefEdits, ErrorCodesSearchByTheStoredBankCode)
{
    // A bank code of one character: characters 2-3 of "[7]..." would be "7]".
    client.server().exec(QStringLiteral(
        "insert into bank (bankid, mobankno, bankname, firmid, sumflag, regdate, sendname, passwd, dblpasswd, recvid, "
        "tr_gubuncode) values ('7', '7000111', '칠은행', 'F7', '0', '20260101', '한빛', '', '', '', '20')"));
    client.server().exec(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('7', '7001', '칠은행 오류')"));
    login("MAKER", "1111");
    auto *screen = open<Tqv_ErrCode_frm>("qv_a2_3", "qv_ErrCode_frm");
    ASSERT_NE(screen, nullptr);
    int item = -1;
    for (int i = 0; i < screen->cmb_bankname->Items().Count(); ++i)
        if (screen->cmb_bankname->Items()[i] == QStringLiteral("[7]칠은행"))
            item = i;
    ASSERT_GE(item, 0);
    choose(screen->cmb_bankname, item);
    ClickControl(screen->btn_search);
    EXPECT_EQ(screen->grd_error->Cells(0, 1), QStringLiteral("7001"));
    EXPECT_EQ(screen->grd_error->Cells(1, 1), QStringLiteral("칠은행 오류"));
}

// The bank codes screen and the start screen send their bank statements
// worded letter for letter as they always have been.
TEST_F(RefEdits, TheBankStatementsGoOutAsWorded)
{
    login("ADMIN", "9999");
    qvx::test::CountingLink link(client.dm()->tcpLink);
    client.dm()->setAppServer(&link);
    struct Restore
    {
        Tdm *dm;
        ~Restore() { dm->setAppServer(nullptr); }
    } restore{client.dm()};
    auto sent = [&](const QString &sql) {
        return std::find(link.selects.begin(), link.selects.end(), sql) != link.selects.end()
               || std::find(link.statements.begin(), link.statements.end(), sql) != link.statements.end();
    };

    auto *screen = open<Tqv_allbank_frm>("qv_a2_1", "qv_allbank_frm");
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(sent(QStringLiteral("select * from allbank order by bankid")));
    ClickControl(screen->btn_search);
    EXPECT_TRUE(sent(QStringLiteral("select bankid, bankname from allbank order by bankid")));
    ScreenInput::choose(screen->cmb_bankname, 1);
    const QString first = screen->grd_allbank->Cells(0, 1);
    ClickControl(screen->btn_search);
    EXPECT_TRUE(sent(QStringLiteral("select bankid, bankname from allbank where bankid = '%1' order by bankid").arg(first)));
    const int row = 1;
    ClickGridCell(screen->grd_allbank, 1, row);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_regcontents, QStringLiteral("새이름"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_TRUE(sent(QStringLiteral("update allbank set   bankname = '새이름' where bankid = '%1'").arg(first)));
    screen->close();

    // The start screen asks as it opens.
    if (QWidget *start = FindScreen(client.mainWindow(), QStringLiteral("qv_start_frm"))) {
        start->close();
        QTRY_VERIFY(FindScreen(client.mainWindow(), QStringLiteral("qv_start_frm")) == nullptr);
    }
    link.selects.clear();
    ASSERT_TRUE(TriggerMenuItem(client.mainWindow(), QStringLiteral("qv_e1")));
    EXPECT_TRUE(sent(QStringLiteral("select bankid, firmid, bankname from BANK order by bankid")));
}

TEST_F(RefEdits, BankCodeRenameOfARowNoLongerStoredIsReported)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_allbank_frm>("qv_a2_1", "qv_allbank_frm");
    ASSERT_NE(screen, nullptr);
    ClickControl(screen->btn_search);
    const int row = rowOf(screen->grd_allbank, QStringLiteral("20"));
    ASSERT_GT(row, 0);
    ClickGridCell(screen->grd_allbank, 1, row);
    ClickControl(screen->btn_modify);
    EXPECT_TRUE(screen->edt_regcode->isReadOnly());
    TypeText(screen->edt_regcontents, QStringLiteral("우리은행 본점"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(client.server().query(QStringLiteral("select bankname from allbank where bankid = '20'")).value(0, QStringLiteral("bankname")),
              QStringLiteral("우리은행 본점"));
    // The list shows the stored name, and the next change starts from it.
    EXPECT_EQ(screen->grd_allbank->Cells(1, row), QStringLiteral("우리은행 본점"));

    ClickGridCell(screen->grd_allbank, 1, row);
    ClickControl(screen->btn_modify);
    EXPECT_EQ(screen->edt_regcontents->text(), QStringLiteral("우리은행 본점"));
    client.server().exec(QStringLiteral("delete from allbank where bankid = '20'"));
    TypeText(screen->edt_regcontents, QStringLiteral("사라진 은행"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    EXPECT_EQ(client.server().query(QStringLiteral("select * from allbank where bankname = '사라진 은행'")).recordCount(), 0);
}

TEST_F(RefEdits, BankAccountsGridKeysAndTheEditButtons)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
    ASSERT_NE(screen, nullptr);
    // An administrator can add or modify at once; Save and Cancel wait for an edit.
    EXPECT_TRUE(screen->btn_add->Enabled());
    EXPECT_TRUE(screen->btn_modify->Enabled());
    EXPECT_FALSE(screen->btn_save->Enabled());
    EXPECT_FALSE(screen->btn_delete->Enabled());
    ASSERT_GE(screen->grd_allbank->RowCount(), 3);

    ClickGridCell(screen->grd_allbank, 0, 1);
    const QString bankid = screen->edt_bankid->text();
    ASSERT_FALSE(bankid.isEmpty());
    // Arrow keys move about the list without blanking the bank; Tab leaves
    // the list for the next control, as from any other control.
    QTest::keyClick(screen->grd_allbank, Qt::Key_Down);
    QTest::keyClick(screen->grd_allbank, Qt::Key_Up);
    EXPECT_EQ(screen->edt_bankid->text(), bankid);
    EXPECT_FALSE(screen->edt_bankname->text().isEmpty());
    screen->grd_allbank->setFocus();
    QTest::keyClick(screen->grd_allbank, Qt::Key_Tab);
    EXPECT_NE(screen->window()->focusWidget(), screen->grd_allbank);
    EXPECT_EQ(screen->edt_bankid->text(), bankid);
    // A character key shows the current row with the bank blanked.
    screen->grd_allbank->setFocus();
    QTest::keyClick(screen->grd_allbank, Qt::Key_A);
    EXPECT_TRUE(screen->edt_bankid->text().isEmpty());
    EXPECT_TRUE(screen->edt_bankname->text().isEmpty());

    // A double click opens the row for correction; cancelling gives Add and Modify.
    ClickGridCell(screen->grd_allbank, 0, 1, true);
    EXPECT_EQ(screen->AccountEditMode, 2);
    EXPECT_FALSE(screen->edt_bankno->isReadOnly());
    EXPECT_TRUE(screen->btn_save->Enabled());
    ClickControl(screen->btn_delete);
    EXPECT_TRUE(screen->btn_add->Enabled());
    EXPECT_TRUE(screen->btn_modify->Enabled());
    EXPECT_TRUE(screen->edt_bankno->isReadOnly());
}

TEST_F(RefEdits, BankAccountEditsStartFromWhatIsStored)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
    ASSERT_NE(screen, nullptr);
    auto stored = [&](const char *bank, const char *column) {
        return client.server()
            .query(QStringLiteral("select %1 from bank where bankid = '%2'").arg(QLatin1String(column), QLatin1String(bank)))
            .value(0, 0);
    };
    auto save = [&] {
        client.prompt().clear();
        ClickControl(screen->btn_save);
        return client.prompt().lastText();
    };
    TListGrid *grid = screen->grd_allbank;
    const int row = rowOf(grid, QStringLiteral("03"), 2);
    ASSERT_GT(row, 0);
    ASSERT_LT(row + 1, grid->RowCount());
    const QString nextBank = grid->Cells(2, row + 1);
    const QString nextFirm = stored(qPrintable(nextBank), "firmid");

    ClickGridCell(grid, 0, row);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_firmid, QStringLiteral("HB0309"));
    EXPECT_EQ(save(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(stored("03", "firmid"), QStringLiteral("HB0309"));
    EXPECT_EQ(grid->Cells(0, row), QStringLiteral("HB0309"));

    // A second edit without a new search starts from the saved values: a
    // change of the account alone keeps the firm code saved before.
    ClickControl(screen->btn_modify);
    EXPECT_EQ(screen->edt_firmid->text(), QStringLiteral("HB0309"));
    TypeText(screen->edt_bankno, QStringLiteral("123-012345-67899"));
    EXPECT_EQ(save(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(stored("03", "firmid"), QStringLiteral("HB0309"));
    EXPECT_EQ(stored("03", "mobankno"), QStringLiteral("12301234567899"));
    EXPECT_EQ(grid->Cells(3, row).remove(u'-'), QStringLiteral("12301234567899"));

    // A third edit still finds its row.
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_sendname, QStringLiteral("한빛상사 본사"));
    EXPECT_EQ(save(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(stored("03", "sendname"), QStringLiteral("한빛상사 본사"));
    EXPECT_EQ(stored("03", "mobankno"), QStringLiteral("12301234567899"));

    // The row the arrow keys moved to is edited with its own values, not with
    // those the panel showed of the row before.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(grid->Row(), row + 1);
    ClickControl(screen->btn_modify);
    EXPECT_EQ(screen->edt_bankid->text(), nextBank);
    EXPECT_EQ(screen->edt_firmid->text(), nextFirm);
    EXPECT_EQ(save(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(stored(qPrintable(nextBank), "firmid"), nextFirm);
    EXPECT_EQ(stored("03", "firmid"), QStringLiteral("HB0309"));
}

TEST_F(RefEdits, BankAccountsOpenForAMakerWithTheButtonsDisabled)
{
    login("MAKER", "1111");
    auto *screen = open<Tqv_bank_frm>("qv_a2_2", "qv_bank_frm");
    ASSERT_NE(screen, nullptr);
    ClickGridCell(screen->grd_allbank, 0, 1, true);
    EXPECT_FALSE(screen->edt_bankno->isReadOnly());
    EXPECT_FALSE(screen->edt_bankid->text().isEmpty());
    for (TDDButton *b : {screen->btn_add, screen->btn_modify, screen->btn_save, screen->btn_delete})
        EXPECT_FALSE(b->Enabled()) << qPrintable(b->objectName());
    const QString stored = client.server().query(QStringLiteral("select firmid from bank order by bankid")).value(0, QStringLiteral("firmid"));
    TypeText(screen->edt_firmid, QStringLiteral("HACK"));
    QTest::keyClick(screen->edt_recvid, Qt::Key_Return); // Enter would go to Save, which is disabled
    EXPECT_EQ(client.server().query(QStringLiteral("select firmid from bank order by bankid")).value(0, QStringLiteral("firmid")), stored);
}

TEST_F(RefEdits, FindDialogMatchesTextNotBytes)
{
    login("MAKER", "1111");
    TListGrid grid;
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetCells(1, 0, QStringLiteral("업 체 명"));
    grid.SetCells(1, 1, QStringLiteral("가나상사"));
    Tqv_search_frm dialog(client.context());
    dialog.SetGrid(&grid);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // "〕" is the CP949 pair A1 B3, which sits across "가" and "나" in bytes.
    dialog.edt_search->setFocus();
    commitText(dialog.edt_search, QStringLiteral("〕"));
    client.prompt().clear();
    ClickControl(dialog.btn_searchfirst);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당하는 내용을 찾을 수 없습니다."));
    dialog.edt_search->selectAll();
    commitText(dialog.edt_search, QStringLiteral("나상"));
    client.prompt().clear();
    ClickControl(dialog.btn_searchfirst);
    EXPECT_EQ(client.prompt().count(), 0);
    EXPECT_EQ(grid.Row(), 1);
}

namespace {

// A bank's account as stored, column by column.
QStringList storedAccount(ClientFixture &client, const char *bank)
{
    return client.server()
        .query(QStringLiteral("select mobankno, passwd, dblpasswd, recvid, firmid, sendname, tr_gubuncode from bank "
                              "where bankid = '%1'")
                   .arg(QLatin1String(bank)))
        .row(0);
}

} // namespace

// 수 정 on bank 03, the cursor moved one row down, 저 장: the save goes into
// bank 03's row, never into the row under the cursor.
class BankAccountCursor : public RefEdits, public ::testing::WithParamInterface<bool>
{
};

TEST_P(BankAccountCursor, SaveGoesIntoTheRowTheEditOpened)
{
    const bool byKeys = GetParam();
    auto *screen = openBankAccounts();
    ASSERT_NE(screen, nullptr);
    TListGrid *grid = screen->grd_allbank;
    const int row03 = rowOf(grid, QStringLiteral("03"), 2);
    const int row04 = rowOf(grid, QStringLiteral("04"), 2);
    ASSERT_GT(row03, 0);
    ASSERT_EQ(row04, row03 + 1);
    const QStringList bank03 = storedAccount(client, "03");
    const QStringList bank04 = storedAccount(client, "04");
    const QString firm04 = grid->Cells(0, row04);

    ClickGridCell(grid, 0, row03);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_firmid, QStringLiteral("HB0399"));
    if (byKeys) {
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
        ASSERT_EQ(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Down);
    } else {
        ClickGridCell(grid, 1, row04);
    }
    ASSERT_EQ(grid->Row(), row04);
    // The panel keeps the row it opened.
    EXPECT_EQ(screen->edt_bankid->text(), QStringLiteral("03"));
    EXPECT_EQ(screen->edt_firmid->text(), QStringLiteral("HB0399"));

    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    EXPECT_EQ(storedAccount(client, "04"), bank04);
    QStringList expected03 = bank03;
    expected03[4] = QStringLiteral("HB0399");
    EXPECT_EQ(storedAccount(client, "03"), expected03);
    // The list shows what is stored, each row its own.
    EXPECT_EQ(grid->Cells(0, row03), QStringLiteral("HB0399"));
    EXPECT_EQ(grid->Cells(0, row04), firm04);
}

INSTANTIATE_TEST_SUITE_P(ByMouseAndByKeys, BankAccountCursor, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("KeysAlone") : std::string("Mouse");
                         });

TEST_F(RefEdits, BankAccountListShowsTheAccountAsStoredAfterASave)
{
    auto *screen = openBankAccounts();
    ASSERT_NE(screen, nullptr);
    TListGrid *grid = screen->grd_allbank;
    const int row = rowOf(grid, QStringLiteral("03"), 2);
    ASSERT_GT(row, 0);
    ClickGridCell(grid, 0, row);
    ClickControl(screen->btn_modify);
    // Typed with hyphens of its own; the list shows the stored digits in the
    // bank's form, as a new search would.
    TypeText(screen->edt_bankno, QStringLiteral("1-2301-2345-67899"));
    ClickControl(screen->btn_save);
    EXPECT_EQ(storedAccount(client, "03").value(0), QStringLiteral("12301234567899"));
    EXPECT_EQ(grid->Cells(3, row), FormatAcctNo(QStringLiteral("03"), QStringLiteral("12301234567899")));
    ClickGridCell(grid, 0, row);
    EXPECT_EQ(screen->edt_bankno->text(), FormatAcctNo(QStringLiteral("03"), QStringLiteral("12301234567899")));
}

TEST_F(RefEdits, BankCodeRenameGoesIntoTheRowItOpened)
{
    login("ADMIN", "9999");
    auto *screen = open<Tqv_allbank_frm>("qv_a2_1", "qv_allbank_frm");
    ASSERT_NE(screen, nullptr);
    ClickControl(screen->btn_search);
    TListGrid *grid = screen->grd_allbank;
    const int opened = rowOf(grid, QStringLiteral("20"));
    ASSERT_GT(opened, 1);
    const int other = opened - 1;
    const QString otherCode = grid->Cells(0, other);
    const QString otherName = grid->Cells(1, other);
    ClickGridCell(grid, 1, opened);
    ClickControl(screen->btn_modify);
    ClickGridCell(grid, 1, other);
    TypeText(screen->edt_regcontents, QStringLiteral("우리은행 본점"));
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되었습니다."));
    auto nameOf = [&](const QString &code) {
        return client.server()
            .query(QStringLiteral("select bankname from allbank where bankid = '%1'").arg(code))
            .value(0, QStringLiteral("bankname"));
    };
    EXPECT_EQ(nameOf(QStringLiteral("20")), QStringLiteral("우리은행 본점"));
    EXPECT_EQ(nameOf(otherCode), otherName);
    EXPECT_EQ(grid->Cells(1, opened), QStringLiteral("우리은행 본점"));
    EXPECT_EQ(grid->Cells(1, other), otherName);
}

// A mother account of letters is refused with the account message, adding
// or modifying; nothing is stored.
TEST_F(RefEdits, BankAccountOfLettersIsRefused)
{
    auto *screen = openBankAccounts();
    ASSERT_NE(screen, nullptr);
    TListGrid *grid = screen->grd_allbank;
    const int row = rowOf(grid, QStringLiteral("04"), 2);
    ASSERT_GT(row, 0);
    const QStringList before = storedAccount(client, "04");
    const int accounts = client.server().query(QStringLiteral("select * from bank")).recordCount();

    ClickGridCell(grid, 0, row);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_bankno, QStringLiteral("한글계좌번호"));
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().texts(), QStringList{QStringLiteral("계좌번호를 입력하시기 바랍니다.")});
    EXPECT_EQ(storedAccount(client, "04"), before);
    EXPECT_EQ(screen->AccountEditMode, 2);
    ClickControl(screen->btn_delete);

    ClickControl(screen->btn_add);
    TypeText(screen->edt_bankno, QStringLiteral("1234-56A-789"));
    TypeText(screen->edt_firmid, QStringLiteral("F0401"));
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().texts(), QStringList{QStringLiteral("계좌번호를 입력하시기 바랍니다.")});
    EXPECT_EQ(client.server().query(QStringLiteral("select * from bank")).recordCount(), accounts);
}
