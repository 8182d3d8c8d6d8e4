// The request screens the bank's answer fills: the balance inquiry, the
// account-holder name inquiry and the two transaction summaries. Each sends
// its request rows, the bank answers through the relay, and the list shows
// the answered values.
#include "InquiryScreenTest.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/SeqNo.h"
#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/IcheSearchUnit.h"
#include "inquiries/screens/TIcheNameSearchUnit.h"
#include "inquiries/screens/TrsumUnit.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "support/client/ReportLayoutCheck.h"
#include "support/client/SeedRows.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QFile>

using namespace inquirytest;

namespace {

class BalanceScreen : public InquiryScreenTest
{
protected:
    Tqv_amtsearch_frm *open()
    {
        return ScreenInput::openFromMenu<Tqv_amtsearch_frm>(main, "qv_d3", "qv_amtsearch_frm");
    }
};

class BusyBankBalance : public BalanceScreen
{
protected:
    void adjust(qvx::ServerOptions &o) override { o.bankMaxPending = 0; }
};

} // namespace

TEST_F(BalanceScreen, AllAccountsOneRowEachAndTheAnswerFillsTheList)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts().value(0), S("조회처리 중입니다."));
    const qvx::ResultSet rows = query(S("select seqno, bankid, bankno, recvid, up_gubuncode from amt_search order by seqno"));
    const int accounts = count(S("select count(*) from bank"));
    ASSERT_EQ(rows.recordCount(), accounts);
    for (int i = 1; i < rows.recordCount(); ++i)
        EXPECT_EQ(rows.value(i, S("seqno")).toLongLong(), rows.value(0, S("seqno")).toLongLong() + i);
    EXPECT_EQ(rows.value(0, S("up_gubuncode")), S("0600300"));

    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_Amtlist) == accounts; }));
    const qvx::ResultSet answered = query(S("select bankno, janwon, ablewon from amt_search where bankid = '04'"));
    int row = 1;
    while (row < s->grd_Amtlist->RowCount() && s->grd_Amtlist->Cells(1, row) != FormatAcctNo(S("04"), answered.value(0, S("bankno"))))
        ++row;
    ASSERT_LT(row, s->grd_Amtlist->RowCount());
    EXPECT_EQ(s->grd_Amtlist->Cells(0, row), S("국민은행"));
    EXPECT_EQ(s->grd_Amtlist->Cells(3, row), FormatMoney(QString::number(answered.value(0, S("janwon")).toLongLong())));
    EXPECT_EQ(s->grd_Amtlist->Cells(2, row), S("기업자유예금"));
    EXPECT_EQ(s->grd_Amtlist->Cells(5, row), qvx::Clock::today(S("yyyy-MM-dd")));
    EXPECT_EQ(s->Answers().size(), accounts);
    ScreenInput::savePicture(s, "balance_inquiry");
}

TEST_F(BalanceScreen, OneAccountAndItsTextSave)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    ScreenInput::choose(s->cmb_allbank, 2); // the second account in bank order: 국민은행
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().texts().value(0), S("정상적으로 처리되었습니다."));
    EXPECT_EQ(count(S("select count(*) from amt_search where bankid = '04'")), 1);
    EXPECT_EQ(count(S("select count(*) from amt_search")), 1);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_Amtlist) == 1; }));

    const QString name = QDir(client->home()).filePath(S("data/잔액"));
    QDir().mkpath(QDir(client->home()).filePath(S("data")));
    qvx::ScriptedFileChooser files;
    files.enqueue(name, 1);
    ClickControl(s->btn_filesave);
    QFile file(name + S(".txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = qvx::Cp949::decode(file.readAll()).trimmed();
    EXPECT_TRUE(line.startsWith(S("국민은행                123401234567   기업자유예금")));
    EXPECT_TRUE(line.endsWith(qvx::Clock::today()));
    EXPECT_EQ(client->prompt().lastText(), name + S(".txt 를 저장하였습니다."));
}

TEST_F(BusyBankBalance, WithdrawnRegistrationSaysNothingWentOut)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    client->prompt().setDefaultAnswer(false); // withdraw at the busy question
    ClickControl(s->btn_search);
    EXPECT_TRUE(client->prompt().contains(SendDescBusyQuestion));
    EXPECT_FALSE(client->prompt().contains(S("조회처리 중입니다.")));
    EXPECT_EQ(listRows(s->grd_Amtlist), 0);
}

namespace {
// The item of a drop-down list whose text holds `part`, chosen with the keyboard.
void ChooseItemWith(TKitComboBox *box, const QString &part)
{
    for (int i = 0; i < box->Items().Count(); ++i)
        if (box->Items()[i].contains(part)) {
            ScreenInput::choose(box, i);
            return;
        }
    ADD_FAILURE() << "no item with " << part.toStdString();
}
} // namespace

TEST_F(InquiryScreenTest, HolderNameOfAPayeeAccountComesBackFromTheBank)
{
    auto *s = ScreenInput::openFromMenu<Tqv_TIcheNamesearch_frm>(main, "qv_d2", "qv_TIcheNamesearch_frm");
    ASSERT_NE(s, nullptr) << client->prompt().texts().join(u'|').toStdString();
    QAction *find = s->grd_ichelist->findChild<QAction *>(S("N1"));
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->text(), S("내용 검색"));
    find->trigger();
    EXPECT_EQ(client->prompt().lastText(), S("검색할 자료가 존재하지 않습니다."));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("거래계좌번호를 입력하시기 바랍니다."));
    EXPECT_EQ(count(S("select count(*) from ta_name_search")), 0);

    ChooseItemWith(s->cmb_bankname, S("[20]"));
    TypeText(s->edt_BANKNO, S("1002345678901"));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("정상적으로 송신하였습니다.\r\r은행에서 응답전문이 수신되면 화면에 조회하신 "
                                             "계좌내역이 보여집니다."));
    const qvx::ResultSet row = query(S("select price, bankno, trans_bankid, mopasswd, bankid from ta_name_search"));
    ASSERT_EQ(row.recordCount(), 1);
    EXPECT_EQ(row.value(0, S("price")), S("0000000000001"));
    EXPECT_EQ(row.value(0, S("bankno")), S("1002345678901"));
    EXPECT_EQ(row.value(0, S("trans_bankid")), S("20"));
    EXPECT_EQ(row.value(0, S("mopasswd")), S("1234")); // the first mother account, 기업은행
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_ichelist) == 1; }));
    EXPECT_EQ(s->grd_ichelist->Cells(6, 1), S("홍길동"));
    EXPECT_EQ(s->grd_ichelist->Cells(3, 1), S("1"));
    EXPECT_EQ(s->grd_ichelist->Cells(1, 1), S("기업은행"));
    ScreenInput::savePicture(s, "holder_name_inquiry");

    // The print and preview buttons are there and do nothing; the save is disabled.
    EXPECT_EQ(s->btn_print->Caption(), S("인 쇄"));
    EXPECT_EQ(s->btn_preview->Caption(), S("미리보기"));
    EXPECT_EQ(s->btn_filesave->Caption(), S("Text 파일 저장"));
    EXPECT_FALSE(s->btn_filesave->isEnabled());
    client->prompt().clear();
    EXPECT_TRUE(ClickControl(s->btn_print));
    EXPECT_TRUE(ClickControl(s->btn_preview));
    EXPECT_EQ(client->prompt().texts(), QStringList());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(InquiryScreenTest, HolderNameListShowsTheBanksRefusal)
{
    auto *s = ScreenInput::openFromMenu<Tqv_TIcheNamesearch_frm>(main, "qv_d2", "qv_TIcheNamesearch_frm");
    ASSERT_NE(s, nullptr);
    ChooseItemWith(s->cmb_bankname, S("[20]"));
    TypeText(s->edt_BANKNO, S("1002345678901"));
    TypeText(s->edt_residentno, S("900101")); // the payee's number begins 800101
    ClickControl(s->btn_search);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_ichelist) == 1; }));
    EXPECT_EQ(s->grd_ichelist->Cells(8, 1), S("예금주 불일치"));

    for (QLineEdit *field : {s->edt_residentno, s->edt_BANKNO}) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
    }
    TypeText(s->edt_BANKNO, S("9991234567890"));
    ClickControl(s->btn_search);
    auto closedRow = [&] {
        for (int r = 1; r <= listRows(s->grd_ichelist); ++r)
            if (s->grd_ichelist->Cells(8, r) == S("해지된 계좌"))
                return r;
        return 0;
    };
    ASSERT_TRUE(ClientFixture::waitFor([&] { return closedRow() > 0; }));
    EXPECT_TRUE(s->grd_ichelist->Cells(6, closedRow()).isEmpty());
    ScreenInput::savePicture(s, "holder_name_refused");
}

TEST_F(InquiryScreenTest, SummaryOfEveryAccountHandsItsRangeOverAndOneAccountDoesNot)
{
    auto *s = ScreenInput::openFromMenu<Tqv_trsum_frm>(main, "qv_c4", "qv_trsum_frm");
    ASSERT_NE(s, nullptr);
    ScreenInput::choose(s->cmb_allbank, 1);
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("정상적으로 처리되었습니다."));
    EXPECT_EQ(client->session().SummarySeqBase, 0);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_trsumlist) == 1; }));

    ScreenInput::choose(s->cmb_allbank, 0);
    ClickControl(s->btn_search);
    const int accounts = count(S("select count(*) from bank"));
    const qvx::ResultSet rows = query(S("select seqno from trsum order by seqno"));
    ASSERT_EQ(rows.recordCount(), accounts + 1);
    EXPECT_EQ(client->session().SummarySeqBase, rows.value(1, 0).toInt());
    EXPECT_EQ(client->session().SummarySeqLast, rows.value(accounts, 0).toInt());
    EXPECT_EQ(client->session().SeqNoBase, 0); // not a transfer range
    // the single request of the same second may be listed with them
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_trsumlist) >= accounts; }));
    EXPECT_TRUE(s->grd_trsumlist->Cells(2, 1).contains(u'['));
    EXPECT_EQ(s->Answers().size(), listRows(s->grd_trsumlist));
    ScreenInput::savePicture(s, "transaction_summary");
    // Every count and amount goes into a spreadsheet as a number.
    for (int col = 4; col <= 18; ++col)
        EXPECT_TRUE(s->grd_trsumlist->IsNumberColumn(col)) << col;
}

TEST_F(InquiryScreenTest, ResultInquiryAfterASummaryListsTheUsersTransfers)
{
    SeedRow transfer;
    transfer.senddate = qvx::Clock::today();
    transfer.seqno = 900;
    transfer.gubun = QStringLiteral("20");
    client->server().exec(SeedSql(transfer));
    auto *summary = ScreenInput::openFromMenu<Tqv_trsum_frm>(main, "qv_c4", "qv_trsum_frm");
    ASSERT_NE(summary, nullptr);
    ClickControl(summary->btn_search); // every account
    auto *virtualSummary = ScreenInput::openFromMenu<TFrm_Vas_trSum>(main, "N5", "Frm_Vas_trSum");
    ASSERT_NE(virtualSummary, nullptr);
    ClickControl(virtualSummary->btn_search);
    client->prompt().clear();

    auto *s = ScreenInput::openFromMenu<Tqv_ichesearch_frm>(main, "qv_d1", "qv_ichesearch_frm");
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(client->prompt().contains(S("이체자료가 존재하지 않습니다.")));
    ASSERT_EQ(listRows(s->grd_ichelist, 1), 1);
    EXPECT_EQ(s->grd_ichelist->Cells(2, 1), S("900"));
}

TEST_F(InquiryScreenTest, SummaryAnswersThatFindNothingKeepTheLists)
{
    auto *s = ScreenInput::openFromMenu<Tqv_trsum_frm>(main, "qv_c4", "qv_trsum_frm");
    ASSERT_NE(s, nullptr);
    ScreenInput::choose(s->cmb_allbank, 1);
    ClickControl(s->btn_search);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_trsumlist) == 1; }));
    auto *v = ScreenInput::openFromMenu<TFrm_Vas_trSum>(main, "N5", "Frm_Vas_trSum");
    ASSERT_NE(v, nullptr);
    ClickControl(v->btn_search);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(v->grd_trsumlist) == 1; }));

    client->server().exec(S("delete from trsum"));
    client->server().exec(S("delete from vas_trsum"));
    const QString nothing = S("응답전문이 존재하지 않습니다. 잠시 기다려주시기 바랍니다.");
    for (const char *code : {"0710100", "0310400"}) {
        client->prompt().clear();
        ASSERT_TRUE(client->server().relay()->announce(S("MAKER"), QString::fromLatin1(code)));
        ASSERT_TRUE(waitForPrompt(nothing)) << code;
    }
    EXPECT_EQ(listRows(s->grd_trsumlist), 1);
    EXPECT_EQ(listRows(v->grd_trsumlist), 1);
}

TEST_F(InquiryScreenTest, VirtualAccountSummaryOfTheOneVirtualAccountBank)
{
    auto *s = ScreenInput::openFromMenu<TFrm_Vas_trSum>(main, "N5", "Frm_Vas_trSum");
    ASSERT_NE(s, nullptr);
    ClickControl(s->btn_search);
    const qvx::ResultSet rows = query(S("select service, bankid, transdate, gikwancode from vas_trsum"));
    ASSERT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.value(0, S("service")), S("VAS"));
    EXPECT_EQ(rows.value(0, S("bankid")), S("21"));
    EXPECT_EQ(rows.value(0, S("transdate")), qvx::Clock::today());
    ASSERT_TRUE(ClientFixture::waitFor([&] { return listRows(s->grd_trsumlist) == 1; }));
    EXPECT_EQ(s->grd_trsumlist->Cells(2, 1), S("조흥은행"));
    ScreenInput::savePicture(s, "virtual_account_summary");
}

TEST_F(InquiryScreenTest, VirtualAccountSummaryClosesWithoutAVirtualAccountBank)
{
    client->server().exec(S("update bank set tr_gubuncode = '20' where tr_gubuncode = 'Y'"));
    ASSERT_TRUE(TriggerMenuItem(main, S("N5")));
    EXPECT_TRUE(waitForPrompt(S("가상계좌를 사용하는 은행거래가 없습니다.\r\nQVXServer에서 거래은행설정을 확인하세요")));
    EXPECT_TRUE(ClientFixture::waitFor([&] { return FindScreen(main, S("Frm_Vas_trSum")) == nullptr; }));
}

TEST_F(BalanceScreen, TheReportPrintsItsTitleBandWithTheTotalsAndItsPages)
{
    Tqv_amtsearch_frm *s = open();
    ASSERT_NE(s, nullptr);
    const QStringList names = {S("mobankname"), S("bankid"), S("bankno"), S("common_dummy"), S("janwon"), S("ablewon"),
                               S("receivedate")};
    QList<QStringList> rows;
    for (int i = 0; i < 40; ++i)
        rows.append({S("국민은행"), S("04"), S("123401234567"), S("기업자유예금"), S("1000000000001"), S("2"),
                     qvx::Clock::today()});
    s->ShowAnswer(qvx::ResultSet(names, rows));
    ASSERT_EQ(s->Answers().size(), 40);
    const QVector<qvx::Report::Page> pages = CheckReportLayout(s->Report1, S("모계좌 잔액조회"), 33, 37);
    ASSERT_FALSE(pages.isEmpty());
    const qvx::Report::PlacedBand &title = pages[0].bands.first();
    EXPECT_EQ(PlacedText(title, S("qdata_Toremain")), S("40,000,000,000,040"));
    EXPECT_EQ(PlacedText(title, S("qdata_Toinchul")), S("80"));
    EXPECT_EQ(PlacedText(title, S("qlbl_product")), S("Quvex Service"));
    EXPECT_EQ(s->Report1.orientation, QPageLayout::Portrait);

    // A new request empties the list and what it printed from.
    client->prompt().setDefaultAnswer(false); // withdraw at any question
    ClickControl(s->btn_search);
    EXPECT_TRUE(s->Answers().isEmpty());
    EXPECT_EQ(listRows(s->grd_Amtlist), 0);
}

TEST_F(InquiryScreenTest, TheSummaryReportPrintsItsTitleBandAndOneBlockPerAccount)
{
    auto *s = ScreenInput::openFromMenu<Tqv_trsum_frm>(main, "qv_c4", "qv_trsum_frm");
    ASSERT_NE(s, nullptr);
    QStringList names = {S("seqno"), S("mobankname"), S("bankid"), S("mobankno"), S("firmid"), S("common_dummy")};
    QStringList values = {S("000007"), S("국민은행"), S("04"), S("123401234567"), S("HB0401"), QString()};
    for (int k = 0; k < SummaryAnswer::AmountCount; ++k) {
        names << QString::fromLatin1(SummaryAnswer::AmountFields[k]);
        values << QString::number(1000 + k);
    }
    s->ShowAnswer(qvx::ResultSet(names, {values, values, values}));
    const QVector<qvx::Report::Page> pages = CheckReportLayout(s->Report2, S("거 래 집 계 현 황"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 3); // no empty blocks after the accounts
    EXPECT_EQ(s->Report2.orientation, QPageLayout::Landscape);
    EXPECT_EQ(PlacedText(pages[0].bands.first(), S("qlbl_chosen")), S("모든 계좌"));
    const qvx::Report::PlacedBand *block = nullptr;
    for (const qvx::Report::PlacedBand &band : pages[0].bands)
        if (band.band == S("detail") && !block)
            block = &band;
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(PlacedText(*block, S("qlbl_bankname")), S("국민은행"));
    EXPECT_EQ(PlacedText(*block, S("qlbl_fee")), S("1,010 원"));
    EXPECT_EQ(PlacedText(*block, S("qdata_dangsuwrongmoney")), S("1,014"));

    ScreenInput::choose(s->cmb_allbank, 2);
    const QVector<qvx::Report::Page> chosen = s->Report2.layout();
    EXPECT_EQ(PlacedText(chosen[0].bands.first(), S("qlbl_chosen")), s->cmb_allbank->Text());
}
