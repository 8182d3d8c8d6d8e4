// The application server over MariaDB. Runs when QVX_TEST_MARIADB names a
// MariaDB server ("socket=...;user=...;database=quvex", see
// scripts/ci.d/mariadb.sh), each test on a database of its own; skipped
// otherwise. The server's other suites run on MariaDB too (their .../MariaDB
// variants, tests/backend/backend_databases.h).

#include "backend/MariaDbDatabase.h"
#include "platform/SqlText.h"
#include "support/TestServer.h"
#include "tests/backend/backend_databases.h"

#include "platform/AppServer.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

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

namespace {

// The test server's connection text with another account and database.
QString connectionAs(const QString &account, const QString &database)
{
    QStringList parts;
    for (const QString &part : qvx::testing::mariaDbConnection().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        if (key != QLatin1String("database") && (account.isEmpty() || (key != QLatin1String("user") && key != QLatin1String("password"))))
            parts << part;
    }
    if (!account.isEmpty())
        parts << account;
    parts << QStringLiteral("database=") + database;
    return parts.join(QLatin1Char(';'));
}

// QVXServer run to its end with `arguments`: its exit code and what it wrote.
int runServerProgram(const QStringList &arguments, QString *output)
{
    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(QVX_SERVER_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(120000));
    *output = QString::fromUtf8(program.readAll());
    return program.exitCode();
}

} // namespace

// An administrator follows the README: a database in utf8mb4, the demo made
// with an account that may create tables, the server started with an account
// that may only select, insert, update and delete. Every start ran "create
// table if not exists", which MariaDB refuses without CREATE even when the
// table exists ("CREATE command denied ... for table quvex.srv_seqno").
TEST(MariaDbDeployment, AnAccountThatMaySelectInsertUpdateAndDeleteRunsTheServer)
{
    if (qvx::testing::mariaDbConnection().isEmpty())
        GTEST_SKIP() << qvx::testing::noMariaDbReason();
    const auto scratch = qvx::testing::ScratchMariaDb::create(qvx::testing::ScratchMariaDb::Fill::Empty);
    const QString user = QStringLiteral("qvxlimited%1").arg(::getpid());
    auto admin = scratch->connect();
    admin->exec(QStringLiteral("drop user if exists '%1'@'localhost'").arg(user));
    admin->exec(QStringLiteral("create user '%1'@'localhost' identified by 'limited-pw'").arg(user));
    admin->exec(QStringLiteral("grant select, insert, update, delete on %1.* to '%2'@'localhost'").arg(scratch->name(), user));
    struct DropUser
    {
        qvx::DbConnection &admin;
        QString user;
        ~DropUser() { admin.exec(QStringLiteral("drop user if exists '%1'@'localhost'").arg(user)); }
    } dropUser{*admin, user};

    QString output;
    ASSERT_EQ(runServerProgram({QStringLiteral("--mariadb"), connectionAs(QString(), scratch->name()),
                                QStringLiteral("--init-demo")},
                               &output),
              0)
        << output.toStdString();

    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(QStringLiteral(QVX_SERVER_PROGRAM),
                 {QStringLiteral("--mariadb"),
                  connectionAs(QStringLiteral("user=%1;password=limited-pw").arg(user), scratch->name()),
                  QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--relay-port"), QStringLiteral("0")});
    static const QRegularExpression listening(QStringLiteral("application server listening on [0-9.]+:(\\d+)"));
    quint16 port = 0;
    for (QDeadlineTimer deadline(60000); port == 0 && !deadline.hasExpired() && server.state() != QProcess::NotRunning;) {
        server.waitForReadyRead(100);
        output += QString::fromUtf8(server.readAll());
        const auto match = listening.match(output);
        if (match.hasMatch())
            port = quint16(match.captured(1).toUInt());
    }
    ASSERT_NE(port, 0) << output.toStdString();
    {
        qvx::TcpAppServer client;
        client.open(QStringLiteral("127.0.0.1"), port);
        EXPECT_EQ(client.select(QStringLiteral("select bankname from allbank where bankid = '04'"))
                      .value(0, QStringLiteral("bankname")),
                  QStringLiteral("국민은행"));
        const int base = client.maxSeqNo(1);
        EXPECT_GE(base, 0);
        EXPECT_EQ(client.maxSeqNo(1), base + 1);
        client.execute(QStringLiteral("insert into daesang(name, bankno, bankid) values('최소권한', '1', '04')"));
        client.execute(QStringLiteral("commit"));
        EXPECT_EQ(client.select(QStringLiteral("select count(*) as n from daesang where name = '최소권한'"))
                      .valueInt(0, QStringLiteral("n")),
                  1);
    }
    server.terminate();
    EXPECT_TRUE(server.waitForFinished(20000));
    output += QString::fromUtf8(server.readAll());
    EXPECT_EQ(server.exitCode(), 0) << output.toStdString();
    EXPECT_FALSE(output.contains(QLatin1String("denied"))) << output.toStdString();
}

// A database made with the server's latin1 default took the demo's tables and
// then refused its rows ("Incorrect string value"), leaving 36 empty tables:
// --init-demo refuses it before it makes anything, and says how to make it.
TEST(MariaDbDeployment, ADemoIsNotMadeInADatabaseThatCannotHoldKoreanTexts)
{
    if (qvx::testing::mariaDbConnection().isEmpty())
        GTEST_SKIP() << qvx::testing::noMariaDbReason();
    const auto scratch = qvx::testing::ScratchMariaDb::create(qvx::testing::ScratchMariaDb::Fill::Empty);
    auto admin = scratch->connect();
    admin->exec(QStringLiteral("alter database %1 character set latin1").arg(scratch->name()));
    QString output;
    EXPECT_EQ(runServerProgram({QStringLiteral("--mariadb"), connectionAs(QString(), scratch->name()),
                                QStringLiteral("--init-demo")},
                               &output),
              1);
    EXPECT_TRUE(output.contains(QStringLiteral("QVXServer: The database %1 has the character set latin1, which cannot "
                                               "hold Korean texts: create it with \"character set utf8mb4\" (see README.md)")
                                    .arg(scratch->name())))
        << output.toStdString();
    EXPECT_FALSE(admin->tableExists(QStringLiteral("users")));
}

// While MariaDB is down a client's statement was answered "Cannot connect to
// MariaDB: Can't connect to server on '127.0.0.1' (115)" and the server logged
// nothing: the client is told in Korean, and the loss is logged once.
TEST(MariaDbDeployment, ALostDatabaseIsLoggedOnceAndClientsAreToldInKorean)
{
    if (!qvx::MariaDbDatabase::isAvailable())
        GTEST_SKIP() << "built without MariaDB";
    QTemporaryFile log;
    ASSERT_TRUE(log.open());
    std::fflush(stderr);
    const int savedStderr = ::dup(2);
    ::dup2(log.handle(), 2);
    QStringList refusals;
    {
        qvx::MariaDbDatabase database(QStringLiteral("socket=/nonexistent/qvx-no-mariadb.sock;user=qvx;database=quvex"));
        for (int i = 0; i < 3; ++i) {
            try {
                database.connect();
            } catch (const qvx::DbError &e) {
                refusals << e.message();
            }
        }
    }
    std::fflush(stderr);
    ::dup2(savedStderr, 2);
    ::close(savedStderr);
    EXPECT_EQ(refusals, QStringList(3, QStringLiteral("데이터베이스에 접속할 수 없습니다. 잠시 후 다시 시도하시기 바랍니다.")));
    log.seek(0);
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_EQ(logged.count(QLatin1String("QVXServer: MariaDB cannot be reached (Cannot connect to MariaDB: ")), 1)
        << logged.toStdString();
}
