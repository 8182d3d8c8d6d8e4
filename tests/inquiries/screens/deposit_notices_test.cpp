// The deposit notices as a clerk uses them: the simulated bank posts its
// rounds of notices (every fourth number held back), the list and its totals
// by kind, the gap request that brings the held-back numbers back, a gap
// request refused half-way, the closing check and the text save.
#include "ListScreenFixture.h"
#include "HookedLink.h"
#include "support/DayLogFile.h"

#include "backend/BankSimulator.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/DMUnit.h"
#include "core/TextUtils.h"
#include "core/screens/ListGrid.h"
#include "inquiries/DepositNoticeColumns.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/FileChooser.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QApplication>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// The text padded with blanks to `width` CP949 bytes (a longer one whole).
QString Pad(const QString &text, int width)
{
    const int bytes = int(qvx::Cp949::encode(text).size());
    return text + QString(qMax(0, width - bytes), u' ');
}

class DepositNotices : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }

    // `rounds` rounds of the bank's unrequested notices.
    void postRounds(int rounds)
    {
        qvx::BankSimulator::ensureTables(client->server().db());
        qvx::BankSimulator bank(client->server().db(), [] { return qvx::Clock::now(); });
        for (int i = 0; i < rounds; ++i)
            bank.postNotices();
    }
    Tqv_deposit_frm *openScreen()
    {
        auto *s = open<Tqv_deposit_frm>("qv_c2", "qv_deposit_frm");
        if (s)
            watchModel(s->grd_deposit);
        return s;
    }
    int rows(Tqv_deposit_frm *s) const { return GridIsEmpty(s->grd_deposit) ? 0 : s->grd_deposit->RowCount() - 1; }
    // The first bank of the combo (item 1) and its code.
    QString chooseFirstBank(Tqv_deposit_frm *s)
    {
        EXPECT_TRUE(Pick(s->cmb_allbank, 1));
        return s->cmb_allbank->Text().mid(1, 2);
    }
    // One deposit notice of today with number `number`, stored as the bank stores it.
    void storeNotice(const QString &bankId, const QString &moBankNo, int number)
    {
        client->server().exec(
            QStringLiteral("insert into deposit (SERVICE, SEQNO, SENDID, RECVID, FIRMID, BANKID, SENDFLAG, ERRCODE, "
                           "DEPOSIT_SENDDATE, ORG_SEQNO, MOBANKNO, GUBUN, INBANKID, PRICE, SIGN, REMAIN, BRCODE, NAME, "
                           "NOTENO, INCODE, INTIME, INDATE, RECEIVEDATE, COMMON_DUMMY) values ('DY2', %4, 'B01', 'NET01', "
                           "'F01', '%1', '1', '', '%2', '%5', '%3', '20', '%1', '0000001234567', '-', '1000', "
                           "'0101', '홍길동 ', 'NT01', 'IC1', '101500', '%2', '%2', '비고')")
                .arg(bankId, today, moBankNo)
                .arg(number)
                .arg(number, 6, 10, QChar(u'0')));
    }
    int stored(const QString &bankId)
    {
        return client->server()
            .query(QStringLiteral("select count(*) as n from deposit where bankid = '%1' and deposit_senddate = '%2'")
                       .arg(bankId, today))
            .valueInt(0, QStringLiteral("n"));
    }
    int issued(const QString &bankId)
    {
        return client->server()
            .query(QStringLiteral("select sum(lastno) as n from bank_notice_no where kind = 'D' and bankid = '%1' "
                                  "and senddate = '%2'")
                       .arg(bankId, today))
            .valueInt(0, QStringLiteral("n"));
    }
};

TEST_F(DepositNotices, TheBanksNoticesAreListedAndTotalledByKindInBothSearchForms)
{
    postRounds(3);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClickControl(s->btn_search));
    const qvx::ResultSet all = client->server().query(
        QStringLiteral("select deposit.gubun, deposit.price from deposit, transdiv where deposit.bankid = "
                       "transdiv.bankid and deposit.gubun = transdiv.transdivcode and transdiv.divflag = '1'"));
    ASSERT_GT(all.recordCount(), 0);
    EXPECT_EQ(rows(s), all.recordCount());
    // Deposits (11, 12, 20, 21) are added into the first cell, payments (30) into the second.
    qint64 deposits = 0, payments = 0;
    for (int i = 0; i < all.recordCount(); ++i) {
        const int code = all.value(i, 0).toInt();
        const qint64 price = SafeStrToCurr(all.value(i, 1), 0);
        if (code == 11 || code == 12 || code == 20 || code == 21)
            deposits += price;
        else if (code == 30)
            payments += price;
    }
    EXPECT_EQ(s->grd_test->Cells(1, 1), CurrToMoneyStr(deposits));
    EXPECT_EQ(s->grd_test->Cells(2, 1), CurrToMoneyStr(payments));
    EXPECT_EQ(s->grd_test->Cells(0, 0), S("구 분"));
    EXPECT_EQ(s->grd_deposit->Cells(DepositCol::Service, 1), QStringLiteral("DY2"));
    const QString clickName = s->grd_deposit->Cells(DepositCol::MoBankName, 1);
    EXPECT_FALSE(clickName.isEmpty());
    SavePicture(s, "deposit_notices");

    // Enter on the search button: the bank names come from the joined tables.
    s->btn_search->setFocus();
    QTest::keyClick(s->btn_search, Qt::Key_Return);
    EXPECT_EQ(rows(s), all.recordCount());
    EXPECT_FALSE(s->grd_deposit->Cells(DepositCol::MoBankName, 1).isEmpty());

    // A day without notices.
    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(-1)));
    ASSERT_TRUE(TypeDate(s->dtpkr_to, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(-1)));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_EQ(client->prompt().lastText(), S("예금거래 통지 전문이 수신되지 않았습니다."));
    EXPECT_EQ(rows(s), 0);
    EXPECT_EQ(s->grd_test->Cells(1, 1), QStringLiteral("0"));
}

// The click search turns 검 색 off while it runs and gives the focus back to
// it: the next Enter runs the Enter search there, not the gap request.
TEST_F(DepositNotices, AfterAClickSearchEnterSearchesAgainAndAsksTheBankForNothing)
{
    postRounds(3);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_GT(rows(s), 0);
    expectEnterSearchesAgain(s->btn_search, [&] { return rows(s); }, "deposit_order");
}

TEST_F(DepositNotices, AGapRequestAsksForExactlyTheHeldBackNumbersAndTheDayIsThenComplete)
{
    postRounds(5);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    const QString bankId = chooseFirstBank(s);
    ASSERT_TRUE(ClickControl(s->btn_search));
    const int before = stored(bankId);
    const int expected = issued(bankId);
    ASSERT_LT(before, expected);   // the bank held some back
    QSet<int> have;
    const qvx::ResultSet storedNumbers = client->server().query(
        QStringLiteral("select org_seqno from deposit where bankid = '%1' and deposit_senddate = '%2'")
            .arg(bankId, today));
    for (int i = 0; i < storedNumbers.recordCount(); ++i)
        have.insert(storedNumbers.value(i, 0).toInt());
    ASSERT_TRUE(ClickControl(s->btn_order));
    const QString count = QString::number(expected - before);
    EXPECT_EQ(s->StatusBar1->currentMessage(), S("결번전문 ") + count + S(" 건을 처리중입니다."));
    const qvx::ResultSet orders =
        client->server().query(QStringLiteral("select org_seqno, deposit_senddate, bankid, up_gubuncode from "
                                              "deposit_order order by seqno"));
    ASSERT_EQ(orders.recordCount(), expected - before);
    for (int i = 0; i < orders.recordCount(); ++i) {
        EXPECT_FALSE(have.contains(orders.value(i, 0).toInt())) << qPrintable(orders.value(i, 0));
        EXPECT_EQ(orders.value(i, 1), today);
        EXPECT_EQ(orders.value(i, 2), bankId);
        EXPECT_EQ(orders.value(i, 3), QStringLiteral("0200640"));
    }
    // The bank's answer (0210640) runs the search again.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return stored(bankId) == expected; }, 15000));
    ASSERT_TRUE(ClickControl(s->btn_search));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().lastText(), S("결번요구할 전문이 없습니다."));
}

TEST_F(DepositNotices, AGapRequestRefusedHalfWayLeavesNoRowAndAChangedChoiceIsSearchedFirst)
{
    postRounds(9);   // 4 and 8 held back
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    chooseFirstBank(s);
    ASSERT_TRUE(ClickControl(s->btn_search));
    // The list still shows the first bank's notices: another bank is searched first.
    ASSERT_TRUE(Pick(s->cmb_allbank, 2));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().lastText(),
              S("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다."));
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    ASSERT_TRUE(ClickControl(s->btn_search));

    HookedLink hooked(*client->dm()->scktconnect);
    int inserts = 0;
    hooked.refuse = [&inserts](const QString &sql) {
        return sql.contains(QStringLiteral("DEPOSIT_ORDER"), Qt::CaseInsensitive) && ++inserts == 2;
    };
    qvx::AppServer *previous = client->dm()->scktconnect;
    client->dm()->setAppServer(&hooked);
    ASSERT_TRUE(ClickControl(s->btn_order));
    client->dm()->setAppServer(previous);
    EXPECT_EQ(inserts, 2);
    EXPECT_TRUE(s->StatusBar1->currentMessage().endsWith(S(" 건이 정상적으로 처리되지 않았습니다.")))
        << qPrintable(s->StatusBar1->currentMessage());
    EXPECT_EQ(client->server().query(QStringLiteral("select count(*) as n from deposit_order")).valueInt(0, QStringLiteral("n")), 0);
}

TEST_F(DepositNotices, TheClosingCheckAsksForTheNextNumberOfTodayAndReportsTheAnswer)
{
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    const QString bankId = chooseFirstBank(s);
    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(-1)));
    ASSERT_TRUE(TypeDate(s->dtpkr_to, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(-1)));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order_end));
    EXPECT_EQ(client->prompt().lastText(), S("마감확인 결번요청은 오늘 날짜로 설정하신 후 요청하시기 바랍니다."));
    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd"))));
    ASSERT_TRUE(TypeDate(s->dtpkr_to, QDate::fromString(today, QStringLiteral("yyyyMMdd"))));

    // No notice today yet: number 1 is asked for.
    ASSERT_TRUE(ClickControl(s->btn_order_end));
    EXPECT_EQ(s->StatusBar1->currentMessage(), S("당일결번[1번]전문  1건을 처리중입니다."));
    const qvx::ResultSet order = client->server().query(
        QStringLiteral("select org_seqno, deposit_senddate from deposit_order where bankid = '%1'").arg(bankId));
    ASSERT_EQ(order.recordCount(), 1);
    EXPECT_EQ(order.value(0, 0), QStringLiteral("1"));
    EXPECT_EQ(order.value(0, 1), today);
    // The bank issued nothing: its answer runs the search, which says so.
    EXPECT_TRUE(ClientFixture::waitFor([&] {
        return client->prompt().contains(S("예금거래 통지 전문이 수신되지 않았습니다."));
    }, 15000));

    postRounds(2);
    ASSERT_TRUE(ClickControl(s->btn_search));
    const int listed = rows(s);
    ASSERT_GT(listed, 0);
    ASSERT_TRUE(ClickControl(s->btn_order_end));
    postRounds(1);
    EXPECT_TRUE(ClientFixture::waitFor([&] { return rows(s) > listed; }, 15000));
    EXPECT_EQ(s->StatusBar1->currentMessage(),
              S("통지전문 ") + QString::number(rows(s) - listed) + S("건이 수신되었습니다!."));
}

TEST_F(DepositNotices, AClosingCheckFromAnEmptyListReportsTheFirstNoticeAndTheSearchIsLogged)
{
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    const QString bankId = chooseFirstBank(s);
    const QString moBankNo = client->server()
                                 .query(QStringLiteral("select mobankno from bank where bankid = '%1' order by mobankno")
                                            .arg(bankId))
                                 .value(0, 0);
    // The list is empty (one blank row); today's first notice has come meanwhile.
    ASSERT_EQ(rows(s), 0);
    storeNotice(bankId, moBankNo, 1);
    QFile::remove(DayLogFileName());
    ASSERT_TRUE(ClickControl(s->btn_order_end));
    // The bank's answer runs the search: one row, as many as the empty list's one row.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return rows(s) == 1; }, 15000));
    EXPECT_TRUE(ClientFixture::waitFor(
        [&] { return s->StatusBar1->currentMessage() == S("통지전문 1건이 수신되었습니다."); }, 5000))
        << s->StatusBar1->currentMessage().toStdString();

    // The search writes its statement before and after it runs, and the rows it found.
    const QString log = qvx::Cp949::decode(TakeDayLog());
    const qsizetype send = log.indexOf(S("Query Send : SELECT  deposit.SERVICE"));
    const qsizetype recv = log.indexOf(S("Query Recv : SELECT  deposit.SERVICE"));
    EXPECT_GE(send, 0) << log.toStdString();
    EXPECT_GT(recv, send);
    EXPECT_GT(log.indexOf(S("Data Count : 1"), recv), recv);
}

TEST_F(DepositNotices, TheTextSaveWritesFixedWidthRecordsWithKoreanNames)
{
    const qvx::ResultSet bank =
        client->server().query(QStringLiteral("select bankid, mobankno from bank order by bankid, mobankno"));
    const QString bankId = bank.value(0, 0);
    const QString moBankNo = bank.value(0, 1);
    const qvx::ResultSet kind = client->server().query(
        QStringLiteral("select transdivcode, transdivcontents from transdiv where divflag = '1' and bankid = '%1' "
                       "and transdivcode = '20'")
            .arg(bankId));
    ASSERT_FALSE(kind.isEmpty());
    storeNotice(bankId, moBankNo, 7);
    QTemporaryDir home;
    qvx::ScriptedFileChooser files;
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_EQ(rows(s), 1);
    EXPECT_EQ(s->grd_deposit->Cells(DepositCol::Remain, 1), QStringLiteral("-1,000"));
    EXPECT_EQ(s->grd_deposit->Cells(DepositCol::Price, 1), QStringLiteral("1,234,567"));
    const QString chosen = home.filePath(S("예금통지"));
    files.enqueue(chosen, 1);
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_EQ(client->prompt().lastText(), chosen + S(" 를 저장하였습니다."));
    QFile file(chosen);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString line = Pad(QStringLiteral("000007"), 4) + Pad(today, 8)
                         + Pad(s->grd_deposit->Cells(DepositCol::MoBankName, 1), 14) + Pad(moBankNo, 15)
                         + Pad(QString(), 40) + Pad(s->grd_deposit->Cells(DepositCol::TransBankName, 1), 16)
                         + Pad(kind.value(0, 1), 30) + Pad(QStringLiteral("1234567"), 13)
                         + Pad(QStringLiteral("-1,000"), 13) + Pad(QStringLiteral("0101"), 20) + Pad(S("홍길동"), 16)
                         + Pad(QStringLiteral("NT01"), 16) + Pad(QStringLiteral("IC1"), 16) + Pad(today, 8)
                         + Pad(QStringLiteral("101500"), 6) + Pad(S("비고"), 30);
    EXPECT_EQ(file.readAll(), qvx::Cp949::encode(line + QStringLiteral("\r\n")));

    // The spreadsheet carries its extension, also where the name was typed without one.
    const QString sheet = home.filePath(S("예금통지엑셀"));
    files.enqueue(sheet, 2);
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_TRUE(QFile::exists(sheet + S(".xls")));
    EXPECT_FALSE(QFile::exists(sheet));
    EXPECT_EQ(client->prompt().lastText(), sheet + S(".xls 를 저장하였습니다."));
    files.enqueue(sheet + S(".xls"), 2);
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_FALSE(QFile::exists(sheet + S(".xls.xls")));
}

} // namespace
