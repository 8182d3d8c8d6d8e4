// The failed inter-bank transfer notices as a clerk uses them: the list of
// a period, the gap request that brings back a lost notice from the bank,
// and today's day file.
#include "ListScreenFixture.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/screens/ListGrid.h"
#include "inquiries/FailedTransferColumns.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/TicheErrTUnit.h"
#include "platform/Cp949.h"
#include "platform/TListGrid.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

class FailedNotices : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }

    void SetUp() override
    {
        ListScreenFixture::SetUp();
        const qvx::ResultSet bank = client->server().query(
            QStringLiteral("select bankid, firmid, mobankno, recvid from bank order by bankid, mobankno"));
        ASSERT_FALSE(bank.isEmpty());
        bankId = bank.value(0, QStringLiteral("bankid"));
        firmId = bank.value(0, QStringLiteral("firmid"));
        moBankNo = bank.value(0, QStringLiteral("mobankno"));
        recvId = bank.value(0, QStringLiteral("recvid"));
        transBankId = client->server().query(QStringLiteral("select bankid from allbank order by bankid")).value(1, 0);
    }

    // A failure notice of the first mother account as the bank stores it.
    void seedNotice(int number, const QString &day, qint64 price, const QString &gubun = QStringLiteral("30"))
    {
        client->server().exec(
            QStringLiteral("insert into ta_iche_err (SENDDATE, SENDTIME, SERVICE, SEQNO, SENDID, RECVID, FIRMID, "
                           "BANKID, SENDFLAG, ERRCODE, ERR_SENDDATE, ORG_SEQNO, BANK_SEQNO, MOBANKNO, TRANS_BANKID, "
                           "BANKNO, GUBUN, PRICE, PROCTIME, FEE, NAME, PROCRESULT, UP_GUBUNCODE, SR_FLAG) values "
                           "('%1', '101500', 'DY2', %2, '%3', 'NET01', '%4', '%5', '1', '0012', '%1', '', '%6', "
                           "'%7', '%8', '999000111222', '%9', '%10', '101500', '0', '홍길동', '0012', '0400640', '4')")
                .arg(day)
                .arg(number)
                .arg(recvId, firmId, bankId, QString::number(number).rightJustified(6, u'0'), moBankNo,
                     transBankId, gubun, QString::number(price)));
    }
    // The bank counts `last` failure notices issued to the firm that day.
    void bankIssued(int last)
    {
        client->server().exec(QStringLiteral("CREATE TABLE IF NOT EXISTS bank_notice_no (kind varchar(2) NOT NULL, "
                                             "bankid varchar(2) NOT NULL, firmid varchar(20) NOT NULL, senddate "
                                             "varchar(8) NOT NULL, lastno int, PRIMARY KEY (kind, bankid, firmid, "
                                             "senddate))"));
        client->server().exec(QStringLiteral("insert into bank_notice_no (kind, bankid, firmid, senddate, lastno) "
                                             "values ('E', '%1', '%2', '%3', %4)")
                                  .arg(bankId, firmId, today)
                                  .arg(last));
    }

    Tqv_TicheerrT_frm *openScreen()
    {
        auto *s = open<Tqv_TicheerrT_frm>("qv_c1", "qv_TicheerrT_frm");
        if (s)
            watchModel(s->grd_allbank);
        return s;
    }
    int rows(Tqv_TicheerrT_frm *s) const { return GridIsEmpty(s->grd_allbank) ? 0 : s->grd_allbank->RowCount() - 1; }

    QString bankId, firmId, moBankNo, recvId, transBankId;
};

TEST_F(FailedNotices, ThePeriodIsListedInItsColumnsAndAReversedPeriodIsRefused)
{
    seedNotice(2, today, 1234567);
    seedNotice(1, today, 50000, QStringLiteral("20"));
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_EQ(rows(s), 2);
    TListGrid *g = s->grd_allbank;
    EXPECT_EQ(g->Cells(FailedCol::No, 1), QStringLiteral("1"));
    EXPECT_EQ(g->Cells(FailedCol::BankSeqNo, 1), QStringLiteral("000001"));
    EXPECT_EQ(g->Cells(FailedCol::SendDate, 1), today.left(4) + u'-' + today.mid(4, 2) + u'-' + today.mid(6, 2));
    EXPECT_EQ(g->Cells(FailedCol::Kind, 1), S("수납"));
    EXPECT_EQ(g->Cells(FailedCol::Kind, 2), S("이체"));
    EXPECT_EQ(g->Cells(FailedCol::Price, 2), QStringLiteral("1,234,567"));
    EXPECT_EQ(g->Cells(FailedCol::ProcTime, 2), QStringLiteral("10:15:00"));
    EXPECT_EQ(g->Cells(FailedCol::BankId, 2), bankId);   // hidden, kept with the row
    SavePicture(s, "failed_notices");

    ASSERT_TRUE(TypeDate(s->dtpkr_from, QDate::fromString(today, QStringLiteral("yyyyMMdd")).addDays(1)));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_search));
    EXPECT_EQ(client->prompt().lastText(), S("기간 설정이 올바르지 않습니다."));
    EXPECT_EQ(rows(s), 2);
}

TEST_F(FailedNotices, AGapRequestAsksForTheLostNumberAndTheBankFillsIt)
{
    seedNotice(2, today, 10000);
    seedNotice(3, today, 20000);
    bankIssued(3);
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));

    // The list shows every bank: the request waits for a search of the bank.
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().lastText(), S("수신된 통지가 없습니다."));
    ASSERT_TRUE(Pick(s->cmb_allbank, 0));
    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_TRUE(Pick(s->cmb_allbank, 1));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().lastText(),
              S("결번요구할 은행에 대한 통지 전문을 조회하신 후 결번요청을 하시기 바랍니다."));
    EXPECT_TRUE(client->server().query(QStringLiteral("select * from ta_iche_order")).isEmpty());

    ASSERT_TRUE(ClickControl(s->btn_search));
    ASSERT_EQ(rows(s), 2);
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().count(), 0) << qPrintable(client->prompt().lastText());
    EXPECT_EQ(s->StatusBar1->currentMessage(), S("결번전문 1 건을 처리중입니다."));
    const qvx::ResultSet order = client->server().query(QStringLiteral("select * from ta_iche_order"));
    ASSERT_EQ(order.recordCount(), 1);
    EXPECT_EQ(order.value(0, QStringLiteral("BANK_SEQNO")), QStringLiteral("1"));
    EXPECT_EQ(order.value(0, QStringLiteral("TA_ICHE_SENDDATE")), today);
    EXPECT_EQ(order.value(0, QStringLiteral("BANKID")), bankId);
    EXPECT_EQ(order.value(0, QStringLiteral("RECVID")), recvId);
    EXPECT_EQ(order.value(0, QStringLiteral("UP_GUBUNCODE")), QStringLiteral("0400640"));

    // The bank's answer (0410640) runs the search again: the day is complete.
    EXPECT_TRUE(ClientFixture::waitFor([&] { return rows(s) == 3; }, 15000));
    EXPECT_EQ(s->grd_allbank->Cells(FailedCol::BankSeqNo, 1), QStringLiteral("000001"));
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_order));
    EXPECT_EQ(client->prompt().lastText(), S("결번요구할 전문이 없습니다."));
}

TEST_F(FailedNotices, TodaysNoticesGoToTheDayFileInANewDataFolder)
{
    QTemporaryDir home;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(home.path());
    auto *s = openScreen();
    ASSERT_NE(s, nullptr);
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_EQ(client->prompt().lastText(), S("금일 수신된 타행이체 불능통지 전문이 존재하지 않습니다."));
    EXPECT_FALSE(QDir(home.path() + QStringLiteral("/data")).exists());

    seedNotice(1, today, 1234567);
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    EXPECT_EQ(client->prompt().count(), 0) << qPrintable(client->prompt().lastText());
    QFile file(home.path() + QStringLiteral("/data/") + S("타행불능통지") + today + QStringLiteral(".dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral("1") + recvId + QStringLiteral("NET01") + firmId + bankId
                             + QStringLiteral("10012") + today + QStringLiteral("000001") + moBankNo + transBankId
                             + QStringLiteral("99900011122230") + QStringLiteral("1,234,567") + QStringLiteral("1015000")
                             + S("홍길동") + QStringLiteral("0012") + QStringLiteral("0400640\r\n");
    EXPECT_EQ(qvx::Cp949::decode(file.readAll()), expected);
    file.close();

    // A data folder that cannot be made: the message names the file, nothing is written.
    QTemporaryDir blocked;
    QDir::setCurrent(blocked.path());
    QFile plain(blocked.path() + QStringLiteral("/data"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    client->prompt().clear();
    ASSERT_TRUE(ClickControl(s->btn_filesave));
    const QString name = S("타행불능통지") + today + QStringLiteral(".dat");
    EXPECT_TRUE(client->prompt().lastText().contains(name + S(" 파일을 저장하지 못하였습니다.")))
        << qPrintable(client->prompt().lastText());
    QDir::setCurrent(previous);
}

} // namespace
