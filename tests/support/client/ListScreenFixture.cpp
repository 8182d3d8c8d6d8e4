#include "ListScreenFixture.h"

#include "backend/RelayServer.h"
#include "platform/Clock.h"
#include "platform/TListGrid.h"

#include <QApplication>

ClientFixture::Options ListScreenFixture::options() const
{
    ClientFixture::Options o;
    o.server.bank = true;
    o.server.adjust = [](qvx::ServerOptions &server) { server.bankDelayMs = 50; };
    return o;
}

void ListScreenFixture::SetUp()
{
    client = std::make_unique<ClientFixture>(options());
    registerScreens();
    ASSERT_TRUE(client->start(userId(), password()));
    main = client->mainWindow();
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    // The bank's answers are announced to the user at the relay.
    const QString user = userId();
    ASSERT_TRUE(ClientFixture::waitFor([this, user] { return client->server().relay()->isConnected(user); }));
    today = qvx::Clock::today();
    // A test queues the answer of every question it expects.
    client->failUnexpectedQuestions();
}

void ListScreenFixture::expectEnterSearchesAgain(QWidget *search, const std::function<int()> &listed,
                                                 const char *requestTable)
{
    const int before = listed();
    EXPECT_TRUE(search->isEnabled());
    ASSERT_EQ(QApplication::focusWidget(), search);
    EXPECT_EQ(PressEnter(), search);
    EXPECT_EQ(QApplication::focusWidget(), search);
    EXPECT_EQ(listed(), before);
    EXPECT_EQ(client->server()
                  .query(QStringLiteral("select count(*) as n from %1").arg(QString::fromLatin1(requestTable)))
                  .valueInt(0, QStringLiteral("n")),
              0)
        << requestTable;
}

void ListScreenFixture::TearDown()
{
    m_testers.clear();
    client.reset();
}

namespace {

QtMessageHandler g_previousHandler = nullptr;

// What the item-model tester reports fails the test.
void ModelTestFailures(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && QLatin1String(context.category) == QLatin1String("qt.modeltest") && type >= QtWarningMsg)
        ADD_FAILURE() << "item model: " << qPrintable(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

void ListScreenFixture::watchModel(TListGrid *grid)
{
    ASSERT_NE(grid, nullptr);
    if (m_testers.empty()) {
        QtMessageHandler previous = qInstallMessageHandler(ModelTestFailures);
        if (previous != ModelTestFailures)
            g_previousHandler = previous;
    }
    m_testers.push_back(std::make_unique<QAbstractItemModelTester>(
        grid->model(), QAbstractItemModelTester::FailureReportingMode::Warning));
}
