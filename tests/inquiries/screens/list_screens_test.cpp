// The read-only lists of this library: the failure notices of other-bank
// transfers (error view) and the transfer status of every user.
#include "InquiryScreenTest.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "inquiries/screens/IcheErrViewUnit.h"
#include "inquiries/screens/IcheViewUnit.h"
#include "core/screens/KitLook.h"
#include "controls/panels/KitGroup.h"
#include "support/client/SeedRows.h"
#include "core/TotalsTable.h"
#include "platform/Clock.h"

#include "platform/FileChooser.h"
#include "platform/Spreadsheet.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

using namespace inquirytest;

namespace {

class ErrorView : public InquiryScreenTest
{
protected:
    void seedNotice(const QString &bankId, const QString &moBankNo, int number, const QString &price,
                    const QString &gubun = S("30"))
    {
        client->server().exec(
            QStringLiteral("insert into ta_iche_err (service, seqno, sendid, recvid, firmid, bankid, sendflag, errcode, "
                           "err_senddate, bank_seqno, org_seqno, mobankno, trans_bankid, bankno, gubun, price, "
                           "proctime, fee, cmscode, name, procresult, taprocno, sr_flag, up_gubuncode) values "
                           "('DY2', %1, 'KBK0400', 'QVX0000001', 'HB0401', '%2', '1', '0012', '%3', '%4', '000009', "
                           "'%5', '20', '9990001112223', '%6', '%7', '101530', '500', 'CMS1', '폐업상사', '0012', "
                           "'T1', '4', '0410640')")
                .arg(number)
                .arg(bankId, qvx::Clock::today(), QStringLiteral("%1").arg(number, 6, 10, QChar(u'0')), moBankNo,
                     gubun, price));
    }
    Tqv_icheerrview_frm *open()
    {
        return ScreenInput::openFromMenu<Tqv_icheerrview_frm>(main, "qv_b4", "qv_icheerrview_frm");
    }
};

} // namespace

TEST_F(ErrorView, NoticesOfTheChosenBankAndAReversedPeriodRefusedBeforeClearing)
{
    seedNotice(S("04"), S("123401234567"), 1, S("15000"));
    seedNotice(S("04"), S("123401234567"), 2, S("2500000"), S("20"));
    seedNotice(S("20"), S("1005123456789"), 1, S("700"));
    Tqv_icheerrview_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    ASSERT_EQ(listRows(s->grd_allbank), 3) << client->prompt().texts().join(u'|').toStdString() << count(S("select count(*) from ta_iche_err"));

    ScreenInput::choose(s->cmb_allbank, 2); // 국민은행 (04)
    ClickControl(s->btn_search);
    ASSERT_EQ(listRows(s->grd_allbank), 2);
    EXPECT_EQ(s->grd_allbank->Cells(1, 2), S("000002"));
    EXPECT_EQ(s->grd_allbank->Cells(2, 1), qvx::Clock::today(S("yyyy-MM-dd")));
    EXPECT_EQ(s->grd_allbank->Cells(8, 2), S("2,500,000"));
    EXPECT_EQ(s->grd_allbank->Cells(10, 1), S("이체"));
    EXPECT_EQ(s->grd_allbank->Cells(10, 2), S("수납"));
    EXPECT_EQ(s->grd_allbank->Cells(11, 1), S("10:15:30"));
    EXPECT_EQ(s->grd_allbank->Cells(22, 1), S("HB0401"));  // the ids the row carries beyond the shown columns
    ScreenInput::savePicture(s, "error_view");

    s->dtpkr_from->setDate(qvx::Clock::date().addDays(1));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("기간 설정이 올바르지 않습니다."));
    EXPECT_EQ(listRows(s->grd_allbank), 2);
}

TEST_F(ErrorView, NoNoticeOfThePeriod)
{
    Tqv_icheerrview_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("타행이체불능 통지 전문이 수신되지 않았습니다."));
    EXPECT_EQ(listRows(s->grd_allbank), 0);
}

namespace {

class StatusView : public InquiryScreenTest
{
protected:
    // A payment of `user` in the given state; errcode "" leaves it unanswered.
    void seed(const char *user, qint64 seqno, qint64 price, const char *srFlag, const char *errcode)
    {
        SeedRow row;
        row.userid = S(user);
        row.senddate = qvx::Clock::today();
        row.seqno = seqno;
        row.price = price;
        client->server().exec(SeedSql(row));
        client->server().exec(QStringLiteral("update giche set sr_flag = '%1', errcode = '%2' where seqno = %3")
                                  .arg(S(srFlag), S(errcode))
                                  .arg(seqno));
    }
    int rows(Tqv_Icheview_frm *s) { return listRows(s->grd_ichelist, 1); }
};

} // namespace

TEST_F(StatusView, StateAndOutcomeFiltersOverTransfersOfEveryUser)
{
    seed("MAKER", 11, 1000, "0", "");     // written, never listed
    seed("MAKER", 12, 2000, "1", "");     // waiting to be sent
    seed("APPR1", 13, 3000, "4", "0000"); // answered normally, another user's
    seed("MAKER", 14, 4000, "4", "0012"); // answered with an error
    auto *s = ScreenInput::openFromMenu<Tqv_Icheview_frm>(main, "qv_b3", "qv_Icheview_frm");
    ASSERT_NE(s, nullptr);
    QTest::mouseClick(s->chk_jigub, Qt::LeftButton);
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 3);
    EXPECT_EQ(s->grd_ichelist->Cells(2, 1), S("12"));
    EXPECT_EQ(s->grd_ichelist->Cells(2, 2), S("13"));
    EXPECT_EQ(s->Totals().count(3), 3);
    EXPECT_EQ(s->Totals().amount(6), 3000);   // 정상이체: the received "0000" row
    EXPECT_EQ(s->Totals().amount(9), 6000);   // 비정상처리: waiting and failed
    EXPECT_EQ(s->grd_test->Cells(3, 3), S("9,000"));
    ScreenInput::savePicture(s, "status_view");

    QTest::mouseClick(s->rd_recv, Qt::LeftButton);
    QTest::mouseClick(s->chk_wrong, Qt::LeftButton); // 정상처리 only
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(2, 1), S("13"));

    QTest::mouseClick(s->rd_notsend, Qt::LeftButton);
    QTest::mouseClick(s->chk_wrong, Qt::LeftButton);
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(2, 1), S("12"));

    QTest::mouseClick(s->chk_right, Qt::LeftButton);
    QTest::mouseClick(s->chk_wrong, Qt::LeftButton);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("정상처리 / 비정상처리 옵션이 선택되지 않았습니다."));
    EXPECT_TRUE(Checked(s->chk_right));
    EXPECT_TRUE(Checked(s->chk_wrong));
}

TEST_F(InquiryScreenTest, StatusViewEnterStepsThroughTheGroupsInTheirOrder)
{
    auto *s = ScreenInput::openFromMenu<Tqv_Icheview_frm>(main, "qv_b3", "qv_Icheview_frm");
    ASSERT_NE(s, nullptr);
    s->cmb_allbank->setFocus();
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(visited, QStringList({S("dtpkr_from"), S("dtpkr_to"), S("chk_sunab"), S("chk_jigub"), S("rd_entire"),
                                    S("chk_right"), S("chk_wrong")}));
    s->rd_notsend->setFocus();
    QTest::keyClick(s->rd_notsend, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget *>(s->chk_right));
}

TEST_F(InquiryScreenTest, PickersAndAccountCombosCarryTheirCaptions)
{
    main->ApplySmsMark(S("QVXSMS01"));
    const struct { const char *item; const char *screen; QStringList captions; } screens[] = {
        {"qv_b4", "qv_icheerrview_frm", {S("부터"), S("까지")}},
        {"qv_c3", "qv_draft_frm", {S("부터"), S("까지")}},
        {"qv_c1", "qv_TicheerrT_frm", {S("부터"), S("까지")}},
        {"mm_SMSManager", "Frm_SMSView", {S("~")}},
        {"qv_c4", "qv_trsum_frm", {S("은 행 계 좌")}},
        {"N5", "Frm_Vas_trSum", {S("은 행 계 좌")}},
    };
    for (const auto &entry : screens) {
        SCOPED_TRACE(entry.screen);
        ASSERT_TRUE(TriggerMenuItem(main, QString::fromLatin1(entry.item)));
        QWidget *screen = FindScreen(main, QString::fromLatin1(entry.screen));
        ASSERT_NE(screen, nullptr);
        QStringList shown;
        for (QLabel *label : screen->findChildren<QLabel *>())
            if (label->isVisible())
                shown << label->text();
        for (const QString &caption : entry.captions)
            EXPECT_TRUE(shown.contains(caption)) << caption.toStdString();
        ScreenInput::savePicture(screen, (QStringLiteral("captions_") + QString::fromLatin1(entry.screen)).toLatin1().constData());
    }
}

TEST_F(StatusView, UnansweredRowsShowNoRealNameDigitsAndTheSpreadsheetHoldsNumbersUnderItsExtension)
{
    // A payment waiting to be sent carries the payee's real-name number
    // 800101-1234567 where the bank's answer puts its unprocessed figures.
    seed("MAKER", 12, 2000, "1", "");
    client->server().exec(S("update giche set fee = '500', taerrfee = '80010', taerrprice = '11234567' where seqno = 12"));
    auto *s = ScreenInput::openFromMenu<Tqv_Icheview_frm>(main, "qv_b3", "qv_Icheview_frm");
    ASSERT_NE(s, nullptr);
    QTest::mouseClick(s->chk_jigub, Qt::LeftButton);
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    for (int col : {17, 18, 19})
        EXPECT_EQ(s->grd_ichelist->Cells(col, 1), S("0")) << col;

    // A name typed without an extension is saved as a spreadsheet ending in ".xls".
    QTemporaryDir home;
    qvx::ScriptedFileChooser files;
    const QString chosen = home.filePath(S("현황"));
    files.enqueue(chosen, 2);
    ClickControl(s->btn_filesave);
    ASSERT_TRUE(QFile::exists(chosen + S(".xls")));
    qvx::Spreadsheet::Rows sheet;
    ASSERT_TRUE(qvx::Spreadsheet::read(chosen + S(".xls"), &sheet));
    ASSERT_GE(sheet.size(), 2);
    EXPECT_EQ(sheet[0].value(14), S("수수료"));
    // The amounts, the fee and the unprocessed figures are number columns, though none needs a ',' group.
    for (int col : {6, 14, 17, 18, 19})
        EXPECT_TRUE(s->grd_ichelist->IsNumberColumn(col)) << col;
    EXPECT_EQ(sheet[1].value(14), S("500"));

    // The report's account is the chosen combo item's text.
    ScreenInput::choose(s->cmb_allbank, 1);
    ClickControl(s->btn_search);
    const auto pages = s->Report1.layout();
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(s->Report1.title.caption(S("qlbl_mobankno")), s->cmb_allbank->Text());
}
