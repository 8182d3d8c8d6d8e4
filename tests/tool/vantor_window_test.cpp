#include "VantorWindow.h"

#include "backend/backend_databases.h"
#include "platform/Clock.h"
#include "platform/ProgramIcon.h"
#include "support/TestServer.h"

#include <QTcpServer>

using qvx::test::TestServer;

namespace {

QString addressOf(const TestServer &server)
{
    return QStringLiteral("127.0.0.1:%1").arg(server.port());
}

QStringList column(const qvx::ResultSet &rs, int c)
{
    QStringList values;
    for (int r = 0; r < rs.recordCount(); ++r)
        values << rs.value(r, c);
    return values;
}

// A loopback port nothing listens on.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void insertRequest(TestServer &server, const QString &date, const QString &bank, int seqNo, const QString &name)
{
    server.exec(QStringLiteral("insert into cmsjiche102(SendDate, SendTime, Service, SeqNo, BankID, USERID, Name, "
                               "sr_flag) values('%1', '101500', '0102100', %2, '%3', 'JURU', '%4', '2')")
                    .arg(date)
                    .arg(seqNo)
                    .arg(bank, name));
}

void insertDeposit(TestServer &server, const QString &date, const QString &bank, const QString &orgSeqNo)
{
    server.exec(QStringLiteral("insert into deposit(SendDate, DEPOSIT_SENDDATE, BankID, ORG_SEQNO, NAME) "
                               "values('%1', '%1', '%2', '%3', '입금자')")
                    .arg(date, bank, orgSeqNo));
}

} // namespace

class VantorOnServer : public qvx::testing::BackendTest
{
};

TEST_P(VantorOnServer, ConnectListsTheTablesTheServerHas)
{
    TestServer server(serverConfig());
    VantorWindow w;
    // Enter in the address field goes on to "검 색" without starting anything.
    QLineEdit *edit = w.child<QLineEdit>("Edit1");
    QTest::keyClicks(edit, addressOf(server));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w.form.focusWidget(), w.child<TDDButton>("Button1"));
    EXPECT_EQ(edit->text(), addressOf(server));
    w.click("Button1");

    const QStringList expected = column(server.query(QStringLiteral("show tables")), 0);
    ASSERT_GT(expected.size(), 30);
    EXPECT_EQ(w.tables(), expected);
    EXPECT_TRUE(w.tables().contains(QStringLiteral("cmsjiche102")));
    EXPECT_EQ(w.child<QComboBox>("cmb")->currentText(), expected.first());
    EXPECT_EQ(w.form.focusWidget(), w.child<QPlainTextEdit>("Memo1"));
    EXPECT_EQ(w.gridRows().size(), expected.size()); // the grid shows the list it came from
    EXPECT_EQ(w.prompt.count(), 0) << w.prompt.texts().join(" | ").toStdString();
    EXPECT_FALSE(w.child<QComboBox>("cmb")->isEditable());
}

TEST_P(VantorOnServer, DatedTablesAreBrowsedOverTheChosenRange)
{
    TestServer server(serverConfig());
    insertRequest(server, QStringLiteral("20260331"), QStringLiteral("03"), 1, QStringLiteral("전날"));
    insertRequest(server, QStringLiteral("20260401"), QStringLiteral("20"), 2, QStringLiteral("홍길동"));
    insertRequest(server, QStringLiteral("20260401"), QStringLiteral("03"), 4, QStringLiteral("김철수"));
    insertRequest(server, QStringLiteral("20260401"), QStringLiteral("03"), 3, QStringLiteral("이영희"));
    insertRequest(server, QStringLiteral("20260402"), QStringLiteral("03"), 5, QStringLiteral("다음날"));
    insertRequest(server, QStringLiteral("20260403"), QStringLiteral("03"), 6, QStringLiteral("범위밖"));
    insertDeposit(server, QStringLiteral("20260401"), QStringLiteral("04"), QStringLiteral("7"));
    insertDeposit(server, QStringLiteral("20260401"), QStringLiteral("03"), QStringLiteral("8"));
    insertDeposit(server, QStringLiteral("20260405"), QStringLiteral("03"), QStringLiteral("9"));

    VantorWindow w;
    w.connectTo(addressOf(server));
    w.setRange(QDate(2026, 4, 1), QDate(2026, 4, 2));

    w.chooseTable(QStringLiteral("cmsjiche102"));
    EXPECT_EQ(w.gridColumn(QStringLiteral("SeqNo")), QStringList({"3", "4", "2", "5"}));
    EXPECT_EQ(w.gridColumn(QStringLiteral("Name")), QStringList({"이영희", "김철수", "홍길동", "다음날"}));
    w.savePicture(QStringLiteral("vantor-browse-cmsjiche102"));

    w.chooseTable(QStringLiteral("deposit"));
    EXPECT_EQ(w.gridColumn(QStringLiteral("ORG_SEQNO")), QStringList({"8", "7"}));

    // A table without a send date shows all its rows.
    w.chooseTable(QStringLiteral("allbank"));
    EXPECT_EQ(w.gridRows().size(), server.query(QStringLiteral("select count(*) as n from allbank")).valueInt(0, "n"));
    EXPECT_EQ(w.prompt.count(), 0) << w.prompt.texts().join(" | ").toStdString();
}

TEST_P(VantorOnServer, FreeSelectFillsTheGrid)
{
    TestServer server(serverConfig());
    VantorWindow w;
    w.connectTo(addressOf(server));
    w.runMemo("btn1", QStringLiteral("select name, bankid as 은행 from daesang "
                                     "where name = '홍길동' or bankid = '04' order by name"));

    EXPECT_EQ(w.gridColumns(), QStringList({"name", "은행"}));
    EXPECT_EQ(w.gridRows(), QList<QStringList>({{"김철수", "04"}, {"홍길동", "20"}}));
    w.savePicture(QStringLiteral("vantor-free-select"));
    EXPECT_EQ(w.form.focusWidget(), w.child<TDDButton>("Button2"));
    EXPECT_EQ(w.prompt.count(), 0) << w.prompt.texts().join(" | ").toStdString();

    // "clear" empties the memo for the next one.
    w.click("Button2");
    EXPECT_TRUE(w.child<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
    EXPECT_EQ(w.form.focusWidget(), w.child<QPlainTextEdit>("Memo1"));
}

TEST_P(VantorOnServer, FreeStatementIsCommittedAndSeenByOthers)
{
    TestServer server(serverConfig());
    VantorWindow w;
    w.connectTo(addressOf(server));
    w.runMemo("btn2", QStringLiteral("insert into daesang(name, bankno, bankid) values('새거래처', '1002003004', '04')"));
    EXPECT_EQ(w.prompt.texts(), QStringList({"Execute successfully!"}));
    EXPECT_EQ(w.form.focusWidget(), w.child<TDDButton>("Button2"));

    // Another connection of the server, and the database itself, see the row.
    auto other = server.newClient();
    EXPECT_EQ(other->select(QStringLiteral("select bankno from daesang where name = '새거래처'")).value(0, "bankno"),
              QStringLiteral("1002003004"));
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from daesang where name = '새거래처'")).valueInt(0, "n"),
              1);
}

TEST_P(VantorOnServer, BadStatementsShowTheFixedMessageAndTheToolGoesOn)
{
    TestServer server(serverConfig());
    VantorWindow w;
    w.connectTo(addressOf(server));
    w.runMemo("btn1", QStringLiteral("select name from daesang where name = '홍길동'"));
    ASSERT_EQ(w.gridRows().size(), 1);

    w.runMemo("btn1", QStringLiteral("select * from no_such_table"));
    EXPECT_EQ(w.prompt.texts(), QStringList({"Select context Error"}));
    EXPECT_EQ(w.gridRows(), QList<QStringList>({{"홍길동"}})); // the last answer stays

    w.prompt.clear();
    w.runMemo("btn2", QStringLiteral("update no_such_table set x = 1"));
    EXPECT_EQ(w.prompt.texts(), QStringList({"DML Context Error"}));

    // The same connection still runs statements and queries.
    w.prompt.clear();
    w.runMemo("btn2", QStringLiteral("update daesang set bankno = '5' where name = '홍길동'"));
    EXPECT_EQ(w.prompt.texts(), QStringList({"Execute successfully!"}));
    EXPECT_EQ(server.query(QStringLiteral("select bankno from daesang where name = '홍길동'")).value(0, "bankno"),
              QStringLiteral("5"));
    w.runMemo("btn1", QStringLiteral("select bankno from daesang where name = '홍길동'"));
    EXPECT_EQ(w.gridRows(), QList<QStringList>({{"5"}}));
}

QVX_ON_EVERY_BACKEND(VantorOnServer);

TEST(Vantor, FailedConnectionShowsOneMessageAndRunsNothingElse)
{
    VantorWindow w;
    const QStringList before = w.tables();
    w.connectTo(QStringLiteral("127.0.0.1:%1").arg(closedPort()));
    EXPECT_EQ(w.prompt.texts(), QStringList({"접속되지 않습니다."}));
    EXPECT_EQ(w.tables(), before);
    EXPECT_EQ(before.size(), 30);
    EXPECT_TRUE(w.gridColumns().isEmpty());
    EXPECT_FALSE(w.form.link().isOpen());
    EXPECT_FALSE(w.form.link().error().isEmpty());
}

TEST(Vantor, ChosenRangeSurvivesSwitchingWindows)
{
    qvx::Clock::setFixed(QDateTime(QDate(2026, 4, 15), QTime(10, 0)));
    {
        VantorWindow w;
        EXPECT_EQ(w.child<QDateEdit>("dtpkr_start")->date(), QDate(2026, 4, 15));
        EXPECT_EQ(w.child<QDateEdit>("dtpkr_end")->date(), QDate(2026, 4, 15));
        EXPECT_EQ(w.form.focusWidget(), w.child<QLineEdit>("Edit1"));
        w.setRange(QDate(2026, 3, 1), QDate(2026, 3, 31));

        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        w.form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form));
        EXPECT_EQ(w.child<QDateEdit>("dtpkr_start")->date(), QDate(2026, 3, 1));
        EXPECT_EQ(w.child<QDateEdit>("dtpkr_end")->date(), QDate(2026, 3, 31));
    }
    qvx::Clock::reset();
}

TEST(Vantor, EnterInTheMemoPointsAtSelectOrDml)
{
    VantorWindow w;
    QPlainTextEdit *memo = w.child<QPlainTextEdit>("Memo1");
    w.typeMemo(QStringLiteral("SeLect * from bank"));
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(w.form.focusWidget(), w.child<TDDButton>("btn1"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("SeLect * from bank\n")); // the line break is kept

    w.typeMemo(QStringLiteral("  select * from bank"));
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(w.form.focusWidget(), w.child<TDDButton>("btn2"));

    // Enter on "clear" empties the memo and goes back to it.
    w.child<TDDButton>("Button2")->SetFocus();
    QTest::keyClick(w.child<TDDButton>("Button2"), Qt::Key_Return);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(w.form.focusWidget(), memo);
}

TEST(Vantor, TheGridOnlyShows)
{
    TestServer server;
    VantorWindow w;
    w.connectTo(addressOf(server));
    w.runMemo("btn1", QStringLiteral("select bankid, bankname from allbank where bankid = '03'"));
    ASSERT_EQ(w.gridRows().size(), 1);
    const QList<QStringList> shown = w.gridRows();

    QTableView *grid = w.child<QTableView>("DBGrid1");
    const QModelIndex cell = grid->model()->index(0, 1);
    EXPECT_FALSE(grid->model()->flags(cell) & Qt::ItemIsEditable);
    const QPoint at = grid->visualRect(cell).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::keyClicks(grid, QStringLiteral("x"));
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(grid->viewport()->findChild<QLineEdit *>(), nullptr); // no editor opened
    EXPECT_EQ(w.gridRows(), shown);
    EXPECT_EQ(server.query(QStringLiteral("select bankname from allbank where bankid = '03'")).value(0, "bankname"),
              shown.at(0).at(1));
}

TEST(VantorLooks, TheWindowCarriesTheProgramIcon)
{
    VantorWindow w;
    const QImage icon = ProgramIcon().pixmap(32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(w.form.windowIcon().pixmap(32).toImage(), icon);
}
