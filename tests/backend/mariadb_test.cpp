// The application server over MariaDB. Runs when QVX_TEST_MARIADB names a
// database ("socket=...;user=...;database=quvex", see
// scripts/ci.d/appserver-mariadb.sh); skipped otherwise.

#include "backend/DemoDatabase.h"
#include "backend/MariaDbDatabase.h"
#include "support/TestServer.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>

using qvx::test::TestServer;

TEST(SqlScript, SplitsAtSemicolonsOutsideQuotesAndComments)
{
    const QStringList parts = qvx::splitSqlScript(QStringLiteral(
        "-- head; note\ncreate table a (x int);\ninsert into a values ('x;y''z');  /* c; */ insert into a values (\"q;\")\n;;"));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[0], QStringLiteral("create table a (x int)"));
    EXPECT_EQ(parts[1], QStringLiteral("insert into a values ('x;y''z')"));
    EXPECT_EQ(parts[2], QStringLiteral("insert into a values (\"q;\")"));
}

class MariaDbServer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString spec = qEnvironmentVariable("QVX_TEST_MARIADB");
        if (spec.isEmpty())
            GTEST_SKIP() << "no MariaDB to test against (QVX_TEST_MARIADB)";
        ASSERT_TRUE(qvx::MariaDbDatabase::isAvailable());
        database = std::make_shared<qvx::MariaDbDatabase>(spec);
        qvx::loadDemoData(*database->connect());
        TestServer::Config config;
        config.database = database;
        config.relay = false;
        server = std::make_unique<TestServer>(config);
    }

    std::shared_ptr<qvx::MariaDbDatabase> database;
    std::unique_ptr<TestServer> server;
};

TEST_F(MariaDbServer, QueriesAsTheClientWritesThem)
{
    auto &app = server->client();
    EXPECT_EQ(app.select(QStringLiteral("select bankname from ALLBANK where bankid = \"04\""))
                  .value(0, QStringLiteral("BANKNAME")),
              QStringLiteral("국민은행"));
    const auto tables = app.select(QStringLiteral("show tables"));
    EXPECT_EQ(tables.columnNames(), QStringList{QStringLiteral("Tables_in_quvex")});
    EXPECT_GT(tables.recordCount(), 30);
    const auto rs = app.select(QStringLiteral("select concat('a', \"-\", 'b') as c, if(1 = 1, 'y', 'n') as i, "
                                              "sum(x) from (select '1000' as x union all select '2500') t"));
    EXPECT_EQ(rs.value(0, QStringLiteral("c")), QStringLiteral("a-b"));
    EXPECT_EQ(rs.value(0, QStringLiteral("i")), QStringLiteral("y"));
    EXPECT_EQ(rs.value(0, QStringLiteral("sum(x)")), QStringLiteral("3500"));
}

TEST_F(MariaDbServer, TransactionPerConnection)
{
    auto &a = server->client();
    auto b = server->newClient();
    const QString count = QStringLiteral("select count(*) as n from daesang where name = 'maria'");
    a.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('maria', '1', '04')"));
    EXPECT_EQ(a.select(count).valueInt(0, QStringLiteral("n")), 1);
    EXPECT_EQ(b->select(count).valueInt(0, QStringLiteral("n")), 0);
    a.execute(QStringLiteral("rollback"));
    a.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('maria', '1', '04')"));
    a.execute(QStringLiteral("commit"));
    EXPECT_EQ(b->select(count).valueInt(0, QStringLiteral("n")), 1);
}

TEST_F(MariaDbServer, MessageNumbersNeverTwice)
{
    std::mutex mutex;
    std::set<int> numbers;
    int handedOut = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 5; ++t) {
        threads.emplace_back([&] {
            auto app = server->newClient();
            for (int i = 0; i < 20; ++i) {
                int base = -1;
                for (int attempt = 0; attempt < 100 && base == -1; ++attempt)
                    base = app->maxSeqNo(2);
                std::lock_guard lock(mutex);
                if (base >= 0) {
                    numbers.insert(base + 1);
                    numbers.insert(base + 2);
                    handedOut += 2;
                }
            }
        });
    }
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(handedOut, 200);
    EXPECT_EQ(int(numbers.size()), handedOut);
}
