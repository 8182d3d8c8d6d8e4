// The reply dispatch: each code reaches its screen when the screen is open,
// does nothing when it is closed, and logs one line when no such screen is
// built. Announcements come through the relay as the bank sends them.
#include "ClientFixture.h"

#include "backend/RelayServer.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/ReplyRoutes.h"
#include "core/screens/ClientMainUnit.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/screens/ScreenParts.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/KitGroup.h"
#include "platform/Clock.h"
#include "platform/ProgramDir.h"
#include "platform/ResultSet.h"
#include "platform/TextFile.h"
#include "platform/TListGrid.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {

// The columns a balance screen and a summary screen would declare for the
// bank's answers.
const ListColumns &BalanceColumns()
{
    static const ListColumns columns = {
        {QStringLiteral("모은행"), 80, AlignCenter, "mobankname"},
        {QStringLiteral("계좌번호"), 120, AlignCenter, "bankno", CellFormat::Account, "bankid"},
        {QStringLiteral("예금종류"), 80, AlignCenter, "common_dummy"},
        {QStringLiteral("잔액"), 90, AlignRight, "janwon", CellFormat::Money},
        {QStringLiteral("지불가능액"), 90, AlignRight, "ablewon", CellFormat::Money},
        {QStringLiteral("수신일자"), 80, AlignCenter, "receivedate", CellFormat::Date}};
    return columns;
}
const ListColumns &SummaryColumns()
{
    static const ListColumns columns = {
        {QStringLiteral("순번"), 40, AlignCenter, "", CellFormat::RowNo},
        {QStringLiteral("전문번호"), 60, AlignCenter, "seqno"},
        {QStringLiteral("모계좌"), 160, AlignCenter, "mobankname", CellFormat::NameAccount, "bankid", "mobankno"},
        {QStringLiteral("업체코드"), 80, AlignCenter, "firmid"},
        {QStringLiteral("총건수"), 60, AlignRight, "totalcnt", CellFormat::Money},
        {QStringLiteral("총금액"), 90, AlignRight, "TOTALGUM", CellFormat::Money}};
    return columns;
}

// A screen that records what the data module did to it.
class WaitingScreen : public QWidget,
                      public ISearchScreen,
                      public IResultRangeScreen,
                      public IBankChoiceScreen,
                      public IAnswerScreen
{
public:
    WaitingScreen(const QString &name, QWidget *owner) : QWidget(owner)
    {
        setObjectName(name);
        chk_sunab = MakeRadio(this, "chk_sunab", QStringLiteral("수 납"), 0, 0, 60);
        chk_jigub = MakeRadio(this, "chk_jigub", QStringLiteral("지 급"), 60, 0, 60);
        for (const char *grid : {"grd_Amtlist", "grd_ichelist", "grd_trsumlist"})
            MakeGrid(this, grid, {QStringLiteral("a"), QStringLiteral("b")}, alNone);
    }
    void btn_searchClick(QObject *sender) override
    {
        ++searches;
        searchSender = sender;
    }
    void setResultRange(int f, int t) override
    {
        from = f;
        to = t;
    }
    QString ChosenBankCode() const override { return bankCode; }
    void ShowAnswer(const qvx::ResultSet &answer) override
    {
        ++answers;
        const bool balances = objectName().compare(QStringLiteral("qv_amtsearch_frm"), Qt::CaseInsensitive) == 0;
        FillList(grid(balances ? "grd_Amtlist" : "grd_trsumlist"), balances ? BalanceColumns() : SummaryColumns(),
                 answer);
    }
    TListGrid *grid(const char *name) { return findChild<TListGrid *>(QString::fromLatin1(name)); }

    TKitRadioButton *chk_sunab;
    TKitRadioButton *chk_jigub;
    int searches = 0;
    int answers = 0;
    QObject *searchSender = nullptr;
    int from = -1;
    int to = -1;
    QString bankCode;
};

class WaitingDialog : public QDialog, public IResultDetailDialog
{
public:
    WaitingDialog(QWidget *owner, const QString &name, int seqNo) : QDialog(owner), m_seqNo(seqNo)
    {
        setObjectName(name);
    }
    int InquirySeqNo() const override { return m_seqNo; }
    void FillResult(const qvx::ResultSet &answer) override
    {
        ++fills;
        rows = answer.recordCount();
        if (rows > 0)
            price = answer.value(0, QStringLiteral("price"));
    }
    int fills = 0;
    int rows = -1;
    QString price;

private:
    int m_seqNo;
};

class Dispatch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        main = client.mainWindow();
        // Logged in at the relay, not only connected to it.
        ASSERT_TRUE(ClientFixture::waitFor(
            [this] { return client.server().relay()->isConnected(QStringLiteral("MAKER")); }));
        for (int code : RoutedReplyCodes())
            if (!RouteOfReply(code).screen.isEmpty())
                ScreenRegistry::instance().add(RouteOfReply(code).screen,
                                               [code](QWidget *owner, const ScreenContext &) -> QWidget * { return new WaitingScreen(RouteOfReply(code).screen, owner); });
    }
    void TearDown() override
    {
        for (int code : RoutedReplyCodes())
            if (!RouteOfReply(code).screen.isEmpty())
                ScreenRegistry::instance().remove(RouteOfReply(code).screen);
    }
    WaitingScreen *open(int code)
    {
        return dynamic_cast<WaitingScreen *>(OpenScreen(*main, RouteOfReply(code).screen, ScreenState::Normal));
    }
    // Announces the code to this client through the relay, then 0610500 (a
    // message with its code) as a marker: frames are handled in order, so
    // once the marker is shown the code before it has been handled.
    void announce(const char *code)
    {
        const int before = int(client.prompt().texts().count(QStringLiteral("0610500")));
        ASSERT_TRUE(client.server().relay()->announce(QStringLiteral("MAKER"), QString::fromLatin1(code)));
        ASSERT_TRUE(client.server().relay()->announce(QStringLiteral("MAKER"), QStringLiteral("0610500")));
        ASSERT_TRUE(ClientFixture::waitFor(
            [this, before] { return client.prompt().texts().count(QStringLiteral("0610500")) > before; }));
    }
    QString logText()
    {
        return qvx::TextFile::readLines(qvx::ProgramDir::path(QStringLiteral("log/log") + qvx::Clock::today()
                                                              + QStringLiteral(".txt")))
            .join(u'\n');
    }

    ClientFixture client;
    Tqv_frm *main = nullptr;
};

} // namespace

TEST_F(Dispatch, EveryScreenCodeDoesNothingWhileItsScreenIsClosed)
{
    for (int code : RoutedReplyCodes()) {
        if (RouteOfReply(code).screen.isEmpty())
            continue;
        announce(qPrintable(QStringLiteral("%1").arg(code, 7, 10, QLatin1Char('0'))));
    }
    // Only the markers were shown; no screen was opened.
    for (const QString &text : client.prompt().texts())
        EXPECT_EQ(text, QStringLiteral("0610500"));
    EXPECT_EQ(FindScreen(main, QStringLiteral("qv_ichesearch_frm")), nullptr);
}

TEST_F(Dispatch, ACodeWhoseScreenIsNotBuiltLogsOneLine)
{
    ScreenRegistry::instance().remove(QStringLiteral("qv_trsum_frm"));
    announce("0710100");
    EXPECT_EQ(logText().count(QStringLiteral("응답코드 710100: 화면 qv_trsum_frm 없음")), 1);
}

TEST_F(Dispatch, ResultCodesSetTheRangeAndKindThenSearch)
{
    WaitingScreen *general = open(110100);
    WaitingScreen *liquor = open(112100);
    ASSERT_TRUE(general && liquor);
    client.session().SeqNoBase = 40;
    client.session().SeqNoLast = 45;
    client.session().LastIcheGubun = QStringLiteral("20");
    announce("0110100");
    EXPECT_EQ(general->searches, 1);
    EXPECT_EQ(general->searchSender, client.dm());
    EXPECT_EQ(general->from, 40);
    EXPECT_EQ(general->to, 45);
    EXPECT_TRUE(Checked(general->chk_sunab));
    EXPECT_EQ(liquor->searches, 0);

    announce("0113100");
    EXPECT_EQ(liquor->searches, 1);
    EXPECT_EQ(liquor->from, 41);
    EXPECT_TRUE(Checked(liquor->chk_jigub));
    client.session().SeqNoBase = 0;
    announce("0112100");
    EXPECT_EQ(liquor->from, 0);
    EXPECT_EQ(liquor->to, 0);
    EXPECT_TRUE(Checked(liquor->chk_sunab));
}

TEST_F(Dispatch, NoticeCodesRunTheOpenScreensSearch)
{
    for (const char *code : {"0200300", "0210640", "0200900", "0210970", "0210650", "0410640"}) {
        WaitingScreen *screen = open(QByteArray(code).toInt());
        ASSERT_NE(screen, nullptr) << code;
        const int before = screen->searches;
        announce(code);
        EXPECT_EQ(screen->searches, before + 1) << code;
    }
}

TEST_F(Dispatch, ResultAnswerFillsTheOpenDialogOrSearchesAfterABatchOfThisRun)
{
    WaitingScreen *inquiry = open(610100);
    ASSERT_NE(inquiry, nullptr);
    announce("0610100"); // no dialog, no batch submitted in this run
    EXPECT_EQ(inquiry->searches, 0);
    client.session().AcceptSeqBase = 3;
    client.session().AcceptSeqLast = 5;
    announce("0610100");
    EXPECT_EQ(inquiry->searches, 1);

    const QString today = qvx::Clock::today();
    client.server().exec(QStringLiteral(
        "insert into icheresult (senddate, sendtime, seqno, bankid, mobankno, trans_bankid, bankno, price, errcode, "
        "sr_flag) values ('%1', '101010', 77, '20', '1005123456789', '20', '1002345678901', '12000', '0000', '4')")
                             .arg(today));
    auto *dialog = new WaitingDialog(inquiry, QStringLiteral("qv_ichesearchsub_frm"), 77);
    announce("0610100");
    EXPECT_EQ(dialog->fills, 1);
    EXPECT_EQ(dialog->rows, 1);
    EXPECT_EQ(dialog->price, QStringLiteral("12000"));
    EXPECT_EQ(inquiry->searches, 1);
}

TEST_F(Dispatch, BalanceAnswerFillsTheListFromTheLatestAnswers)
{
    WaitingScreen *balances = open(610300);
    ASSERT_NE(balances, nullptr);
    announce("0610300");
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("조회에 대한 응답이 없습니다.")));

    const QString today = qvx::Clock::today();
    const QString insert = QStringLiteral(
        "insert into amt_search (senddate, sendtime, seqno, bankid, bankno, janwon, ablewon, sr_flag, receivedate, "
        "common_dummy) values ('%1', '%2', %3, '%4', '%5', '%6', '0', '4', '%1', '기업자유예금')");
    client.server().exec(insert.arg(today, QStringLiteral("090000"), QStringLiteral("1"), QStringLiteral("20"),
                                    QStringLiteral("1005123456789"), QStringLiteral("1")));
    client.server().exec(insert.arg(today, QStringLiteral("100000"), QStringLiteral("2"), QStringLiteral("20"),
                                    QStringLiteral("1005123456789"), QStringLiteral("1234567")));
    client.server().exec(insert.arg(today, QStringLiteral("100000"), QStringLiteral("3"), QStringLiteral("04"),
                                    QStringLiteral("123401234567"), QStringLiteral("50")));
    announce("0610300");
    TListGrid *grid = balances->grid("grd_Amtlist");
    ASSERT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->Cells(3, 1), QStringLiteral("1,234,567"));
    EXPECT_EQ(grid->Cells(0, 1), QStringLiteral("우리은행"));
    balances->bankCode = QStringLiteral("04");
    announce("0610300");
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(3, 1), QStringLiteral("50"));
}

TEST_F(Dispatch, PacketErrorCodeMessageAndSmsMark)
{
    announce("0000000");
    EXPECT_TRUE(client.prompt().contains(QStringLiteral("패킷 수신 오류입니다.")));
    main->setWindowTitle(QStringLiteral("x"));
    announce("9919100");
    const QString id = client.server().client().commMsg(2);
    EXPECT_EQ(main->windowTitle(),
              id.isEmpty() ? client.session().MainCaption : client.session().MainCaption + QStringLiteral(" - [ SMS ID : ") + id + QStringLiteral("]"));
}

TEST_F(Dispatch, NameAndSummaryAnswersRunTheirStatementsAndSayWhenNothingCameYet)
{
    for (const char *code : {"0610600", "0710100", "0310400"}) {
        WaitingScreen *screen = open(QByteArray(code).toInt());
        ASSERT_NE(screen, nullptr) << code;
        client.prompt().clear();
        announce(code);
        const QStringList texts = client.prompt().texts();
        ASSERT_EQ(texts.size(), 2) << code << qPrintable(texts.join(u'|'));
        EXPECT_EQ(texts[0], QString::fromLatin1(code) == QLatin1String("0610600")
                                ? QStringLiteral("조회에 대한 응답이 없습니다.")
                                : QStringLiteral("응답전문이 존재하지 않습니다. 잠시 기다려주시기 바랍니다."))
            << code;
    }
    // A summary answer fills the list.
    const QString today = qvx::Clock::today();
    client.server().exec(QStringLiteral(
        "insert into trsum (senddate, sendtime, seqno, bankid, mobankno, firmid, totalcnt, totalgum, sr_flag) "
        "values ('%1', '120000', 5, '20', '1005123456789', 'HB2001', '3', '47600', '4')").arg(today));
    WaitingScreen *summary = open(710100);
    announce("0710100");
    TListGrid *grid = summary->grid("grd_trsumlist");
    ASSERT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Cells(5, 1), QStringLiteral("47,600"));
    EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("우리은행[1005-123-456789]"));
}
