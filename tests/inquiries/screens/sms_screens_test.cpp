// The SMS screen as a clerk uses it: the personal list and its send, the
// counterparties ticked in the payee list, the 80-byte message with the
// symbol palette, and the numbers checked before anything is written.
#include "backend/RelayServer.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "core/screens/ClientMainUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/SmsSendUnit.h"
#include "inquiries/screens/SmsViewUnit.h"
#include "platform/Clock.h"
#include <QDateEdit>
#include "platform/TListGrid.h"
#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "support/client/ClientFixture.h"
#include "support/client/ScreenInput.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// A click on the check box of a list cell, where the style draws it.
void ClickCheckBox(TListGrid *grid, int col, int row)
{
    ASSERT_TRUE(ClickGridCell(grid, col, row)); // scrolled into view and current
    const QModelIndex index = grid->model()->index(row, col);
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.rect = grid->visualRect(index);
    option.features |= QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = grid->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, grid);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, box.center());
}

class SmsScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClientFixture::Options options;
        options.server.bank = true;
        options.server.adjust = [this](qvx::ServerOptions &o) {
            o.bankDelayMs = 50;
            adjust(o);
        };
        client = std::make_unique<ClientFixture>(options);
        registerInquiryScreens();
        ASSERT_TRUE(client->start(S("MAKER"), S("1111")));
        main = client->mainWindow();
        ScreenInput::showMainWindow(main);
        main->ApplySmsMark(S("QVXSMS01")); // the site's SMS id, as the server announces it
        client->failUnexpectedQuestions(); // a test queues the answers it expects
    }
    virtual void adjust(qvx::ServerOptions &) {}
    TFrm_UserSMS *open()
    {
        return ScreenInput::openFromMenu<TFrm_UserSMS>(main, "mm_SMSTrans", "Frm_UserSMS");
    }
    void personalTab(TFrm_UserSMS *s)
    {
        QTest::mouseClick(s->PageControl1->tabBar(), Qt::LeftButton, {},
                          s->PageControl1->tabBar()->tabRect(1).center());
        ASSERT_EQ(s->PageControl1->currentIndex(), 1);
    }
    void addPerson(TFrm_UserSMS *s, const QString &name, int prefix, const QString &mid, const QString &last)
    {
        s->ed_RcvName->setFocus();
        s->ed_RcvName->clear();
        ScreenInput::commitText(s->ed_RcvName, name);
        ScreenInput::choose(s->cb_TelNo1, prefix);
        TypeText(s->ed_TelNo2, mid);
        TypeText(s->ed_TelNo3, last);
        ClickControl(s->btn_Per_Add);
    }
    qvx::ResultSet smsRows()
    {
        return client->server().query(
            S("select seqno, transeqno, recvtelno, sendtelno, message, service, recvid, bankid, sendtime, sr_flag "
              "from SMS_Trans order by seqno"));
    }

    std::unique_ptr<ClientFixture> client;
    Tqv_frm *main = nullptr;
};

} // namespace

TEST_F(SmsScreen, PersonalListIsSentAsOneBatchAndAnswered)
{
    TFrm_UserSMS *s = open();
    ASSERT_NE(s, nullptr);
    personalTab(s);
    addPerson(s, S("홍길동"), 0, S("123"), S("4567"));
    addPerson(s, S("김영희"), 3, S("9876"), S("5432"));
    ASSERT_EQ(s->grd_list_Per->RowCount(), 3);
    EXPECT_EQ(s->grd_list_Per->Cells(1, 1), S("010-123-4567"));
    s->me_Message_Per->setFocus();
    ScreenInput::commitText(s->me_Message_Per, S("내일 'A' 입금 예정입니다"));
    TypeText(s->ed_SendNo_Per, S("02-123-4567"));
    ClickControl(s->btn_Send_Per);

    const qvx::ResultSet rows = smsRows();
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value(1, S("seqno")).toLongLong(), rows.value(0, S("seqno")).toLongLong() + 1);
    EXPECT_EQ(rows.value(0, S("transeqno")), rows.value(0, S("seqno")));
    EXPECT_EQ(rows.value(0, S("recvtelno")), S("001001234567"));
    EXPECT_EQ(rows.value(1, S("recvtelno")), S("001798765432"));
    EXPECT_EQ(rows.value(0, S("sendtelno")), S("021234567"));
    EXPECT_EQ(rows.value(0, S("message")), S("내일 'A' 입금 예정입니다"));
    EXPECT_EQ(rows.value(0, S("service")), S("DY2"));
    EXPECT_EQ(rows.value(0, S("recvid")), S("HELP002"));
    EXPECT_TRUE(client->prompt().texts().isEmpty()) << client->prompt().texts().join(u'|').toStdString();
    // the bank answers every row of the registered batch
    EXPECT_TRUE(ClientFixture::waitFor([this] {
        return client->server().query(S("select count(*) as n from SMS_Trans where sr_flag = '4'")).valueInt(0, S("n")) == 2;
    }));
}

class BusySmsBank : public SmsScreen
{
protected:
    void adjust(qvx::ServerOptions &o) override { o.bankMaxPending = 0; }
};

TEST_F(BusySmsBank, AWithdrawnSendSaysOnlyThatItWasWithdrawn)
{
    TFrm_UserSMS *s = open();
    ASSERT_NE(s, nullptr);
    personalTab(s);
    addPerson(s, S("홍길동"), 0, S("123"), S("4567"));
    s->me_Message_Per->setFocus();
    ScreenInput::commitText(s->me_Message_Per, S("안내"));
    client->prompt().setDefaultAnswer(false); // withdraw at the busy question
    ClickControl(s->btn_Send_Per);
    EXPECT_TRUE(client->prompt().contains(S("작업을 철회하였습니다.")));
    EXPECT_FALSE(client->prompt().contains(S("데이터베이스에 오류가 발생하였습니다. SMS를 보낼수 없습니다.")));
}

TEST_F(SmsScreen, PersonalRowChosenByKeyboardFillsTheNumberFields)
{
    TFrm_UserSMS *s = open();
    ASSERT_NE(s, nullptr);
    personalTab(s);
    addPerson(s, S("홍길동"), 0, S("123"), S("4567"));
    addPerson(s, S("김영희"), 3, S("9876"), S("5432"));
    ASSERT_TRUE(ClickGridCell(s->grd_list_Per, 0, 2));
    EXPECT_EQ(s->ed_TelNo2->text(), S("9876"));
    QTest::keyClick(s->grd_list_Per, Qt::Key_Up);
    EXPECT_EQ(s->cb_TelNo1->Text(), S("010"));
    EXPECT_EQ(s->ed_TelNo2->text(), S("123"));
    EXPECT_EQ(s->ed_TelNo3->text(), S("4567"));
}

TEST_F(SmsScreen, OfflineTheSmsScreensSayTheServerIsGone)
{
    client->dm()->CloseServerLink();
    client->session().ServerState = 1; // the relay was lost and the clerk chose to stay offline
    ASSERT_TRUE(TriggerMenuItem(main, S("mm_SMSTrans")));
    EXPECT_EQ(client->prompt().lastText(), OfflineMessage);
    EXPECT_EQ(FindScreen(main, S("Frm_UserSMS")), nullptr);
    client->prompt().clear();
    ASSERT_TRUE(TriggerMenuItem(main, S("mm_SMSManager")));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return client->prompt().count() > 0; }));
    for (const QString &text : client->prompt().texts())
        EXPECT_EQ(text, OfflineMessage);
}

TEST_F(SmsScreen, MessageStopsAtEightyBytesWithKoreanAndSymbols)
{
    TFrm_UserSMS *s = open();
    ASSERT_NE(s, nullptr);
    s->me_Message->setFocus();
    ScreenInput::commitText(s->me_Message, QString(39, QChar(0xAC00))); // 78 bytes
    ClickGridCell(s->grid_cus_symbol, 0, 0);                           // ☆: 80 bytes
    EXPECT_EQ(Cp949Length(s->me_Message->toPlainText()), 80);
    ClickGridCell(s->grid_cus_symbol, 1, 0);                           // nothing more
    EXPECT_EQ(Cp949Length(s->me_Message->toPlainText()), 80);
    EXPECT_FALSE(s->me_Message->toPlainText().contains(S("○")));

    s->me_Message->clear();
    s->me_Message->setFocus();
    ScreenInput::commitText(s->me_Message, S("a") + QString(40, QChar(0xAC00))); // 81 bytes typed
    EXPECT_EQ(s->me_Message->toPlainText(), S("a") + QString(39, QChar(0xAC00)));
}

TEST_F(SmsScreen, CounterpartiesTickedAndNumbersCheckedBeforeAnyRow)
{
    client->server().exec(S("update daesang set TelNo_2 = '45-7' where name = '김철수'"));
    TFrm_UserSMS *s = open();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->grd_list->RowCount(), 7);
    ClickControl(s->btn_SendMsg);
    EXPECT_EQ(client->prompt().texts().value(0), S("메세지 입력후 전송하세요"));
    s->me_Message->setFocus();
    ScreenInput::commitText(s->me_Message, S("공지"));
    ClickControl(s->btn_SendMsg);
    EXPECT_EQ(client->prompt().texts().value(1), S("거래처 선택후 전송하세요"));

    ClickControl(s->btn_AllSel);
    ClickControl(s->btn_SendMsg);
    EXPECT_TRUE(client->prompt().texts().value(2).startsWith(S("전화번호가 올바르지 않습니다. [김철수]")));
    EXPECT_EQ(smsRows().recordCount(), 0);

    ClickControl(s->btn_NonSel);
    ClickCheckBox(s->grd_list, 0, 2);
    ClickCheckBox(s->grd_list, 0, 5);
    ASSERT_TRUE(s->grd_list->IsChecked(0, 2));
    ClickControl(s->btn_SendMsg);
    const qvx::ResultSet rows = smsRows();
    ASSERT_EQ(rows.recordCount(), 2);
    EXPECT_EQ(rows.value(0, S("recvtelno")), S("001123456789")); // 대한유통, row 2
    EXPECT_EQ(rows.value(1, S("recvtelno")), S("001056789012")); // 부산상회, row 5
    ScreenInput::savePicture(s, "sms_send");
}

TEST_F(SmsScreen, LogListsTodaysMessagesOnOneLineAndAnEmptyPeriodSaysSo)
{
    const QString today = qvx::Clock::today();
    for (int i = 1; i <= 2; ++i)
        client->server().exec(
            QStringLiteral("insert into SMS_Trans (SendDate, SendTime, Service, SeqNo, SendID, RecvID, BankID, USERID, "
                           "SendFlag, TranSeqNo, RecvName, RecvTelNo, SendTelNo, Message, sr_flag, up_gubuncode) values "
                           "('%1', '101010', 'DY2', %2, 'QVX0000001', 'HELP002', '00', 'MAKER', '1', %2, '1', "
                           "'001012345678', '0212345678', '첫줄' || char(13) || char(10) || '둘째줄', '1', '0900900')")
                .arg(today)
                .arg(900 + i));
    auto *s = ScreenInput::openFromMenu<TFrm_SMSView>(main, "mm_SMSManager", "Frm_SMSView");
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(ClientFixture::waitFor([&] { return s->grd_SMSlist->RowCount() == 3; }));
    EXPECT_EQ(s->grd_SMSlist->Cells(5, 1), S("첫줄둘째줄"));
    EXPECT_EQ(s->grd_SMSlist->Cells(2, 2), S("902"));
    EXPECT_EQ(s->grd_SMSlist->Cells(1, 1), qvx::Clock::today(S("yyyy-MM-dd")));
    ScreenInput::savePicture(s, "sms_log");

    s->dt_from->setDate(QDate(2020, 1, 1));
    s->dt_to->setDate(QDate(2020, 1, 2));
    ClickControl(s->btn_search);
    EXPECT_EQ(client->prompt().lastText(), S("SMS 자료가 존재하지 않습니다."));
    EXPECT_TRUE(s->grd_SMSlist->Cells(1, 1).isEmpty());
}

namespace {

// What a window manager does around a message box: the box takes the focus
// from the main window and gives it back when it closes.
class WindowManagerAroundBoxes
{
public:
    explicit WindowManagerAroundBoxes(QWidget *main) : m_main(main) { m_box.resize(200, 80); }
    void boxShownAndClosed()
    {
        if (++m_boxes > 4)
            return; // a box that keeps coming back is counted, not followed for ever
        m_box.show();
        m_box.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_box));
        m_box.hide();
        m_main->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_main));
    }
    int boxes() const { return m_boxes; }

private:
    QWidget *m_main;
    QWidget m_box;
    int m_boxes = 0;
};

} // namespace

TEST_F(SmsScreen, LogOfADayWithoutSmsSaysSoOnceAndKeepsATypedPeriod)
{
    WindowManagerAroundBoxes wm(main);
    client->prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &e) {
        if (e.text == S("SMS 자료가 존재하지 않습니다."))
            wm.boxShownAndClosed();
    });
    // Once the main window has the focus back, a box that comes back on
    // activation would be under way.
    const auto boxClosed = [&](int boxes) {
        const bool closed = ClientFixture::waitFor(
            [&] { return wm.boxes() >= boxes && QApplication::activeWindow() == main; });
        QCoreApplication::processEvents();
        return closed;
    };
    auto *s = ScreenInput::openFromMenu<TFrm_SMSView>(main, "mm_SMSManager", "Frm_SMSView");
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(boxClosed(1));
    EXPECT_EQ(wm.boxes(), 1);

    ASSERT_TRUE(TypeDate(s->dt_from, QDate(2020, 1, 1)));
    ASSERT_TRUE(TypeDate(s->dt_to, QDate(2020, 1, 2)));
    ClickControl(s->btn_search);
    ASSERT_TRUE(boxClosed(2));
    EXPECT_EQ(wm.boxes(), 2);
    EXPECT_EQ(s->dt_from->date(), QDate(2020, 1, 1));
    EXPECT_EQ(s->dt_to->date(), QDate(2020, 1, 2));

    // Switching to another screen and back lists today's messages again.
    auto *send = ScreenInput::openFromMenu<TFrm_UserSMS>(main, "mm_SMSTrans", "Frm_UserSMS");
    ASSERT_NE(send, nullptr);
    ASSERT_TRUE(TriggerMenuItem(main, S("mm_SMSManager")));
    ASSERT_TRUE(ClientFixture::waitFor([&] { return wm.boxes() == 3; }));
    EXPECT_EQ(s->dt_from->date(), qvx::Clock::date());
    client->prompt().setCallback({});
}
