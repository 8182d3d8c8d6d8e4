// The application server over MariaDB. Runs when QVX_TEST_MARIADB names a
// MariaDB server ("socket=...;user=...;database=quvex", see
// scripts/ci.d/mariadb.sh), each test on a database of its own; skipped
// otherwise. The server's other suites run on MariaDB too (their .../MariaDB
// variants, tests/backend/backend_databases.h).

#include "backend/MariaDbDatabase.h"
#include "platform/SqlText.h"
#include "support/TestServer.h"
#include "tests/backend/backend_databases.h"

#include <gtest/gtest.h>

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
        if (qvx::testing::mariaDbConnection().isEmpty())
            GTEST_SKIP() << qvx::testing::noMariaDbReason();
        ASSERT_TRUE(qvx::MariaDbDatabase::isAvailable());
        database = qvx::testing::ScratchMariaDb::create();
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
    EXPECT_EQ(tables.columnNames(), QStringList{QStringLiteral("Tables_in_") + database->name()});
    EXPECT_GT(tables.recordCount(), 30);
    const auto rs = app.select(QStringLiteral("select concat('a', \"-\", 'b') as c, if(1 = 1, 'y', 'n') as i, "
                                              "sum(x) from (select '1000' as x union all select '2500') t"));
    EXPECT_EQ(rs.value(0, QStringLiteral("c")), QStringLiteral("a-b"));
    EXPECT_EQ(rs.value(0, QStringLiteral("i")), QStringLiteral("y"));
    EXPECT_EQ(rs.value(0, QStringLiteral("sum(x)")), QStringLiteral("3500"));
}

// MariaDB closes connections that idle beyond its wait_timeout (or when it
// restarts): the server's long-lived connections (its sessions, max_seqno's,
// the bank's) reconnect instead of failing from then on.
TEST_F(MariaDbServer, ConnectionsClosedByTheDatabaseAreOpenedAgain)
{
    auto &app = server->client();
    const int base = app.maxSeqNo(1);
    ASSERT_GE(base, 0);
    EXPECT_GT(app.select(QStringLiteral("select * from bank")).recordCount(), 0);

    auto admin = database->connect();
    const auto killAllButAdmin = [&] {
        const auto ids = admin->query(QStringLiteral("select id from information_schema.processlist where db = %1 "
                                                     "and id <> connection_id()")
                                          .arg(qvx::sqlQuote(database->name())));
        for (int r = 0; r < ids.recordCount(); ++r)
            admin->exec(QStringLiteral("kill %1").arg(ids.value(r, 0)));
        return ids.recordCount();
    };
    EXPECT_GE(killAllButAdmin(), 2);
    EXPECT_EQ(app.maxSeqNo(1), base + 1);
    EXPECT_GT(app.select(QStringLiteral("select * from bank")).recordCount(), 0);
    // The session is set up again: no backslash escapes.
    EXPECT_EQ(app.select(QStringLiteral("select 'a\\b' as t")).value(0, QStringLiteral("t")), QStringLiteral("a\\b"));

    // Inside a transaction the loss is reported, never a silent commit of half a batch.
    app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('끊김', '1', '04')"));
    killAllButAdmin();
    EXPECT_THROW(app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('끊김', '2', '04')")),
                 qvx::AppServerError);
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(admin->query(QStringLiteral("select count(*) as n from daesang where name = '끊김'"))
                  .valueInt(0, QStringLiteral("n")),
              0);
    app.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('다시', '1', '04')"));
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(admin->query(QStringLiteral("select count(*) as n from daesang where name = '다시'"))
                  .valueInt(0, QStringLiteral("n")),
              1);
}
