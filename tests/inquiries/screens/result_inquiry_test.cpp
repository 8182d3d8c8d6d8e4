// The transfer result inquiry as the maker uses it: the filters and totals,
// whole and ticked-row result requests, the individual request with its
// detail dialog, the text save and the report's pages.
#include "HookedLink.h"
#include "ListScreenFixture.h"
#include "ReportLayoutCheck.h"
#include "SeedRows.h"

#include "backend/RelayServer.h"
#include "backend/ServerContext.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "controls/panels/KitGroup.h"
#include "inquiries/screens/InquiryScreens.h"
#include "core/screens/IcheSearchSubUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/TListGrid.h"
#include "controls/edits/CurrEdit.h"
#include "controls/panels/DDButton.h"
#include "platform/FileChooser.h"
#include "support/FileDialogDriver.h"

#include <QDateEdit>
#include <QFile>

namespace {

class ResultInquiry : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }
    // A payment of MAKER in the given state; errcode "" leaves it unanswered.
    void seed(qint64 seqno, qint64 price, const QString &srFlag, const QString &errcode,
              const QString &gubun = QStringLiteral("30"), const QString &name = QStringLiteral("거래처"))
    {
        SeedRow row;
        row.senddate = today;
        row.seqno = seqno;
        row.price = price;
        row.gubun = gubun;
        row.name = name;
        client->server().exec(SeedSql(row));
        client->server().exec(QStringLiteral("update giche set sr_flag = '%1', errcode = '%2', receivedate = '%3', "
                                             "receivetime = '101112', fee = '0' where seqno = %4")
                                  .arg(srFlag, errcode, today)
                                  .arg(seqno));
    }
    Tqv_ichesearch_frm *openPayments()
    {
        auto *s = open<Tqv_ichesearch_frm>("qv_d1", "qv_ichesearch_frm");
        if (s) {
            watchModel(s->grd_ichelist);
            QTest::mouseClick(s->chk_jigub, Qt::LeftButton);
            ClickControl(s->btn_search);
        }
        return s;
    }
    int rows(Tqv_ichesearch_frm *s) const { return GridIsEmpty(s->grd_ichelist) ? 0 : s->grd_ichelist->RowCount() - 1; }
    qvx::ResultSet requests()
    {
        return client->server().query(QStringLiteral("select seqno, org_seqno from icheresult order by seqno"));
    }
};

} // namespace

TEST_F(ResultInquiry, FiltersAndTotals)
{
    seed(1, 1000, QStringLiteral("4"), QStringLiteral("0000"));
    seed(2, 2500, QStringLiteral("4"), QStringLiteral("0012"), QStringLiteral("30"), QStringLiteral("폐업상사"));
    seed(3, 400, QStringLiteral("1"), QString());
    seed(4, 9000, QStringLiteral("4"), QStringLiteral("0000"), QStringLiteral("20"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(rows(s), 3);
    EXPECT_EQ(s->grd_ichelist->Cells(10, 3), QStringLiteral("송신대기"));
    EXPECT_EQ(s->grd_test->Cells(3, 2), QStringLiteral("3"));
    EXPECT_EQ(s->grd_test->Cells(3, 3), QStringLiteral("3,900"));
    EXPECT_EQ(s->grd_test->Cells(6, 3), QStringLiteral("1,000"));
    EXPECT_EQ(s->grd_test->Cells(9, 2), QStringLiteral("2"));
    EXPECT_EQ(s->grd_test->Cells(9, 3), QStringLiteral("2,900"));

    // Only the failed ones.
    QTest::mouseClick(s->chk_right, Qt::LeftButton);
    QTest::mouseClick(s->chk_ErrSend, Qt::LeftButton);
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(9, 1), QStringLiteral("폐업상사"));

    // No state option: the message, and two options ticked again.
    QTest::mouseClick(s->chk_wrong, Qt::LeftButton);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("정상처리 / 비정상처리 옵션이 선택되지 않았습니다."));
    EXPECT_TRUE(Checked(s->chk_right));
    EXPECT_TRUE(Checked(s->chk_wrong));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));

    // A start number without an end number.
    TypeText(s->edt_seqnoS, QStringLiteral("2"));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("전문번호 입력이 잘못되었습니다. [시작번호가 크면 안됩니다]"));

    // The company-name filter.
    TypeText(s->edt_seqnoS, QStringLiteral("0"));
    TypeText(s->edt_sendname, QStringLiteral("폐업"));
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(2, 1), QStringLiteral("2"));
    EXPECT_TRUE(s->edt_sendname->text().isEmpty());
    SavePicture(s, "result_inquiry_filters");

    // An account of another bank: its bank code is the filter.
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[04]")));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("이체자료가 존재하지 않습니다."));
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[20]")));
    ClickControl(s->btn_search);
    EXPECT_EQ(rows(s), 2); // the received ones: 미송신 is still unticked
}

// The message-number fields are whole numbers: "2.5" is neither 25 nor 3, it
// stays to be mended with a Korean message; a "+" left by Backspace is 0 and
// the focus moves on.
TEST_F(ResultInquiry, MessageNumberFieldsKeepWhatWasTypedAndSpeakKorean)
{
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_NE(s, nullptr);
    TypeText(s->edt_seqnoS, QStringLiteral("2.5"));
    EXPECT_EQ(s->edt_seqnoS->Text(), QStringLiteral("2.5"));
    client->prompt().clear();
    QTest::keyClick(s->edt_seqnoS, Qt::Key_Tab);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("'2.5'은(는) 올바른 정수가 아닙니다."));
    EXPECT_TRUE(s->edt_seqnoS->hasFocus());
    EXPECT_EQ(s->edt_seqnoS->Text(), QStringLiteral("2.5"));
    TypeText(s->edt_seqnoS, QStringLiteral("2,5"));
    EXPECT_EQ(s->edt_seqnoS->Text(), QStringLiteral("2.5")); // ',' is the decimal point here
    TypeText(s->edt_seqnoS, QStringLiteral("2"));

    TypeText(s->edt_seqnoE, QStringLiteral("5"));
    QTest::keyClick(s->edt_seqnoE, Qt::Key_Home);
    QTest::keyClick(s->edt_seqnoE, Qt::Key_Plus);
    QTest::keyClick(s->edt_seqnoE, Qt::Key_End);
    QTest::keyClick(s->edt_seqnoE, Qt::Key_Backspace);
    EXPECT_EQ(s->edt_seqnoE->Text(), QStringLiteral("+"));
    client->prompt().clear();
    QTest::keyClick(s->edt_seqnoE, Qt::Key_Tab);
    EXPECT_FALSE(s->edt_seqnoE->hasFocus());
    EXPECT_TRUE(client->prompt().texts().isEmpty()) << client->prompt().lastText().toStdString();
    EXPECT_EQ(s->edt_seqnoE->Value().toInt64(), 0);
    EXPECT_EQ(s->edt_seqnoS->Value().toInt64(), 2);
}

TEST_F(ResultInquiry, WholeRequestAsksForEveryRowButTheUnapprovedOrOnlyTheTicked)
{
    seed(1, 1000, QStringLiteral("4"), QStringLiteral("0000"));
    seed(2, 2000, QStringLiteral("0"), QString()); // not approved yet: 작성
    seed(3, 3000, QStringLiteral("4"), QStringLiteral("0012"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 3);
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_send);
    EXPECT_TRUE(client->prompt().contains(QStringLiteral(
        "선택한 데이타가 없기때문에 송수신 상태가 [작성]인 자료를 제외한 모든 자료가 조회됩니다.\r\n진행하시겠습니까?")));
    qvx::ResultSet sent = requests();
    ASSERT_EQ(sent.recordCount(), 2);
    // The reserved range covers every row; the unapproved one leaves a gap.
    EXPECT_EQ(sent.valueInt64(1, QStringLiteral("seqno")) - sent.valueInt64(0, QStringLiteral("seqno")), 2);
    EXPECT_EQ(sent.value(0, QStringLiteral("org_seqno")), QStringLiteral("1"));
    EXPECT_EQ(sent.value(1, QStringLiteral("org_seqno")), QStringLiteral("3"));
    EXPECT_TRUE(GridIsEmpty(s->grd_ichelist));
    // The totals empty with the list.
    for (int c = 1; c < 10; ++c) {
        EXPECT_EQ(s->grd_test->Cells(c, 2), QStringLiteral("0")) << c;
        EXPECT_EQ(s->grd_test->Cells(c, 3), QStringLiteral("0")) << c;
    }

    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 3);
    ASSERT_TRUE(TickGridCheckBox(s->grd_ichelist, 0, 3));
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_send);
    EXPECT_TRUE(client->prompt().contains(QStringLiteral(
        "선택한 데이타중 송수신 상태가 [작성]인 자료는 조회 대상에서 제외됩니다.\r\n진행하시겠습니까?")));
    sent = requests();
    ASSERT_EQ(sent.recordCount(), 3);
    EXPECT_EQ(sent.value(2, QStringLiteral("org_seqno")), QStringLiteral("3"));
}

TEST_F(ResultInquiry, UnprocessedFeeAndAmountShowTheBanksFiguresNeverTheRealNameNumber)
{
    // A same-bank payment waiting to be sent, carrying the payee's real-name
    // number 800101-1234567 where the answer puts its figures.
    seed(1, 1000, QStringLiteral("1"), QString());
    client->server().exec(QStringLiteral("update giche set trans_bankid = '20', errcode = '', taerrfee = '80010', "
                                         "taerrprice = '11234567'"));
    // Its batch was registered: the bank has it (one never registered it would not process).
    qvx::SendBatch batch;
    batch.serviceCode = QStringLiteral("0100100");
    batch.table = QStringLiteral("giche");
    batch.userId = QStringLiteral("APPR2");
    batch.firstNo = batch.lastNo = 1;
    batch.time = QStringLiteral("000000");
    batch.date = today;
    client->server().context().batchRegistry().record(batch);
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(17, 1), QStringLiteral("0"));
    EXPECT_EQ(s->grd_ichelist->Cells(18, 1), QStringLiteral("0"));
    // The result request has the bank process it.
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_send);
    ASSERT_TRUE(ClientFixture::waitFor([this] {
        return client->server().query(QStringLiteral("select sr_flag from giche where seqno = 1")).value(0, 0)
               == QStringLiteral("4");
    }, 20000));
    ClickControl(s->btn_search);
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(10, 1), QStringLiteral("수신"));
    EXPECT_EQ(s->grd_ichelist->Cells(6, 1), QStringLiteral("1,000"));
    EXPECT_EQ(s->grd_ichelist->Cells(17, 1), QStringLiteral("0"));
    EXPECT_EQ(s->grd_ichelist->Cells(18, 1), QStringLiteral("0"));
    EXPECT_EQ(s->grd_ichelist->Cells(19, 1), QStringLiteral("0"));
}

TEST_F(ResultInquiry, WholeRequestIsRefusedUnlessTheRangeIsToday)
{
    seed(1, 1000, QStringLiteral("4"), QStringLiteral("0000"));
    Tqv_ichesearch_frm *s = openPayments();
    s->dtpkr_from->setDate(qvx::Clock::date().addDays(-1));
    ClickControl(s->btn_send);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("금일 데이터에 한하여 조회가 가능합니다."));
    EXPECT_EQ(requests().recordCount(), 0);
}

TEST_F(ResultInquiry, IndividualRequestShowsTheBanksAnswerAndKeepsTheList)
{
    seed(1, 1000, QStringLiteral("4"), QStringLiteral("0000"));
    seed(2, 3000, QStringLiteral("4"), QStringLiteral("0012"), QStringLiteral("30"), QStringLiteral("폐업상사"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 2);
    const QString dateCell = s->grd_ichelist->Cells(1, 2);
    bool filled = false;
    OnModal<Tqv_ichesearchsub_frm>([&filled](Tqv_ichesearchsub_frm *d) {
        filled = ClientFixture::waitFor([d] { return !d->edt_mobankname->text().isEmpty(); }, 20000);
        SavePicture(d, "result_detail");
        EXPECT_EQ(d->edt_sendname->text(), QStringLiteral("폐업상사"));
        EXPECT_EQ(d->curredt_ichemoney->Value().toInt64(), 3000);
        EXPECT_EQ(d->edt_ichename->text(), QStringLiteral("지급"));
        ClickControl(d->DDButton1);
    });
    ClickGridCell(s->grd_ichelist, 2, 2);
    ClickControl(s->btn_sendS);
    EXPECT_TRUE(filled);
    EXPECT_EQ(s->grd_ichelist->Cells(1, 2), dateCell);
    EXPECT_EQ(rows(s), 2);
}

TEST_F(ResultInquiry, TextSaveWritesTheTickedRowsAsFixedWidthRecords)
{
    seed(7, 1234567, QStringLiteral("4"), QStringLiteral("0000"), QStringLiteral("30"), QStringLiteral("우리거래처"));
    seed(8, 500, QStringLiteral("4"), QStringLiteral("0000"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 2);
    ASSERT_TRUE(TickGridCheckBox(s->grd_ichelist, 0, 1));
    qvx::ScriptedFileChooser files;
    const QString base = client->home() + QStringLiteral("/지급_재처리");
    files.enqueue(base, 1);
    ClickControl(s->btn_filesave);
    EXPECT_EQ(client->prompt().lastText(), base + QStringLiteral(".txt 를 저장하였습니다."));
    QFile f(base + QStringLiteral(".txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected = qvx::Cp949::encode(
        today + QStringLiteral("101112") + QStringLiteral("20") + QStringLiteral("QVX0000001")
        + QStringLiteral("WRB2000   ") + QStringLiteral("HB2001    ") + QStringLiteral("1005123456789  ")
        + QStringLiteral("우리은행        ") + QStringLiteral("1234567      ") + QStringLiteral("20")
        + QStringLiteral("1002345678901  ") + QStringLiteral("    ") + QStringLiteral("                    우리거래처")
        + QStringLiteral("정상처리") + QString(32, u' ') + QString(20, u' ') + QStringLiteral("000007")
        + QStringLiteral("\r\n"));
    EXPECT_EQ(f.readAll(), expected);
    EXPECT_EQ(expected.size(), 207 + 2);
}

TEST_F(ResultInquiry, ASpreadsheetChosenInTheRealSaveDialogIsWrittenAsASpreadsheet)
{
    seed(7, 1234567, QStringLiteral("4"), QStringLiteral("0000"), QStringLiteral("30"), QStringLiteral("우리거래처"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 1);
    // The type is chosen in the dialog itself, whose list shows each type once.
    const auto answer = testsupport::AnswerNextFileDialog(QStringLiteral("*.xls"), QStringLiteral("결과목록"));
    ClickControl(s->btn_filesave);
    ASSERT_TRUE(answer->answered);
    EXPECT_EQ(answer->shownTypes, (QStringList{QStringLiteral("텍스트파일 (*.txt)"), QStringLiteral("엑셀파일 (*.xls)")}));
    const QString written = answer->shownDirectory + QStringLiteral("/결과목록.xls");
    EXPECT_EQ(client->prompt().lastText(), written + QStringLiteral(" 를 저장하였습니다."));
    QFile f(written);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(8).startsWith("\xD0\xCF\x11\xE0")) << "not a compound (spreadsheet) file";
    f.close();
    f.remove();
}

TEST_F(ResultInquiry, ReportPagesHold31ThenThirtySevenLines)
{
    for (int n = 1; n <= 38; ++n)
        seed(n, 100, QStringLiteral("4"), QStringLiteral("0000"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 38);
    auto pages = s->Report1.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].detailCount(), 31);
    EXPECT_EQ(pages[1].detailCount(), 37); // 7 rows, then empty boxed lines
    EXPECT_EQ(s->Report1.title.caption(QStringLiteral("qlbl_totalmoney")), QStringLiteral("3,800"));
    ExpectReportLayout(s->Report1, QStringLiteral("이체처리 현황 (사용자별)"), 31, 37);

    // 31 rows: one full page; 37 rows: a second page filled up.
    client->server().exec(QStringLiteral("delete from giche where seqno > 31"));
    ClickControl(s->btn_search);
    EXPECT_EQ(s->Report1.layout().size(), 1);
    for (int n = 32; n <= 37; ++n)
        seed(n, 100, QStringLiteral("4"), QStringLiteral("0000"));
    ClickControl(s->btn_search);
    pages = s->Report1.layout();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[1].detailCount(), 37);
}

TEST_F(ResultInquiry, ARefusedRequestRowRollsTheWholeBatchBackAndKeepsTheList)
{
    seed(1, 1000, QStringLiteral("4"), QStringLiteral("0000"));
    seed(2, 2000, QStringLiteral("4"), QStringLiteral("0000"));
    Tqv_ichesearch_frm *s = openPayments();
    ASSERT_EQ(rows(s), 2);
    HookedLink link(*client->dm()->scktconnect);
    int inserts = 0;
    link.refuse = [&inserts](const QString &sql) { return sql.startsWith(u"insert") && ++inserts == 2; };
    client->dm()->setAppServer(&link);
    client->prompt().enqueueAnswer(true);
    ClickControl(s->btn_send);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    EXPECT_EQ(requests().recordCount(), 0);
    EXPECT_EQ(rows(s), 2);

    // A withdrawn registration opens no dialog that would wait for ever.
    link.refuse = {};
    link.sendDescAnswer = [] { return 0; };
    client->prompt().enqueueAnswer(false); // stop waiting for the registration
    ClickGridCell(s->grd_ichelist, 2, 1);
    ClickControl(s->btn_sendS);
    EXPECT_EQ(client->prompt().lastText(), QStringLiteral("작업을 철회하였습니다."));
    EXPECT_EQ(s->findChild<Tqv_ichesearchsub_frm *>(), nullptr);
    client->dm()->setAppServer(nullptr);
}
