// The server program as an operator runs it: its options, and a clean stop on
// SIGTERM or SIGINT (connections and database closed, exit code 0).

#include "backend/ServerOptions.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"
#include "tests/backend/backend_databases.h"
#include "tests/backend/request_tables.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

namespace {

// QVXServer on a fresh demo database, on free loopback ports.
class ServerProgram
{
public:
    // `database`: an existing database file to serve (default: a fresh demo
    // database); `options`: further options.
    explicit ServerProgram(const QStringList &options = {}, const QString &database = QString())
    {
        const QString program = QStringLiteral(QVX_SERVER_PROGRAM);
        m_db = database.isEmpty() ? m_dir.filePath(QStringLiteral("qvx.sqlite")) : database;
        if (database.isEmpty()) {
            QProcess init;
            init.start(program, {QStringLiteral("--db"), m_db, QStringLiteral("--init-demo")});
            EXPECT_TRUE(init.waitForFinished(60000));
            EXPECT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
        }
        m_process.start(program, QStringList{QStringLiteral("--db"), m_db, QStringLiteral("--port"), QStringLiteral("0"),
                                             QStringLiteral("--relay-port"), QStringLiteral("0")}
                                     + options);
        // The port it took is in its first line.
        QDeadlineTimer deadline(30000);
        static const QRegularExpression listening(QStringLiteral("listening on [0-9.]+:(\\d+)"));
        while (m_port == 0 && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            m_output += QString::fromUtf8(m_process.readAllStandardOutput());
            const auto match = listening.match(m_output);
            if (match.hasMatch())
                m_port = quint16(match.captured(1).toUInt());
        }
    }
    ~ServerProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    quint16 port() const { return m_port; }
    QString dbFile() const { return m_db; }
    QString dir() const { return m_dir.path(); }
    QProcess &process() { return m_process; }
    QString output() { return m_output += QString::fromUtf8(m_process.readAllStandardOutput()); }

private:
    QTemporaryDir m_dir;
    QString m_db;
    QProcess m_process;
    QString m_output;
    quint16 m_port = 0;
};

void stopsCleanlyOn(int signalNumber)
{
    ServerProgram server;
    ASSERT_NE(server.port(), 0) << server.output().toStdString();
    qvx::TcpAppServer client;
    client.open(QStringLiteral("127.0.0.1"), server.port());
    client.execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'S01', 'never committed')"));

    ASSERT_EQ(::kill(pid_t(server.process().processId()), signalNumber), 0);
    ASSERT_TRUE(server.process().waitForFinished(30000));
    EXPECT_EQ(server.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.process().exitCode(), 0) << server.process().readAllStandardError().toStdString();
    EXPECT_TRUE(server.output().contains(QStringLiteral("shutting down")));

    // The database was closed: its write-ahead log is folded in and gone, and
    // the open transaction was rolled back.
    EXPECT_FALSE(QFile::exists(server.dbFile() + QStringLiteral("-wal")));
    qvx::SqliteDatabase database(server.dbFile());
    EXPECT_EQ(database.connect()->query(QStringLiteral("select count(*) as n from error where errcode = 'S01'"))
                  .valueInt(0, QStringLiteral("n")),
              0);
    EXPECT_THROW(client.select(QStringLiteral("select 1")), qvx::AppServerError);
}

} // namespace

TEST(ServerProgram, StopsCleanlyOnSigterm)
{
    stopsCleanlyOn(SIGTERM);
}

TEST(ServerProgram, StopsCleanlyOnSigint)
{
    stopsCleanlyOn(SIGINT);
}

TEST(ServerProgram, LimitsAreTakenFromTheCommandLine)
{
    qvx::ServerOptions options;
    QString error;
    ASSERT_TRUE(qvx::parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--max-connections"), QStringLiteral("8"),
                                         QStringLiteral("--transaction-timeout"), QStringLiteral("90"),
                                         QStringLiteral("--open-timeout"), QStringLiteral("2000")},
                                        options, &error))
        << error.toStdString();
    EXPECT_EQ(options.maxConnections, 8);
    EXPECT_EQ(qvx::ServerOptions().statementTimeoutMs, 60000);
    ASSERT_TRUE(qvx::parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--statement-timeout"), QStringLiteral("1500"),
                                         QStringLiteral("--max-buffered-bytes"), QStringLiteral("1048576"),
                                         QStringLiteral("--max-queued-bytes"), QStringLiteral("65536"),
                                         QStringLiteral("--max-answer-bytes"), QStringLiteral("2097152"),
                                         QStringLiteral("--relay-login-timeout"), QStringLiteral("2500"),
                                         QStringLiteral("--relay-max-connections"), QStringLiteral("50")},
                                        options, &error))
        << error.toStdString();
    EXPECT_EQ(options.statementTimeoutMs, 1500);
    EXPECT_EQ(options.maxBufferedBytes, 1048576);
    EXPECT_EQ(options.maxQueuedBytes, 65536);
    EXPECT_EQ(options.maxAnswerBytes, 2097152);
    EXPECT_EQ(qvx::ServerOptions().maxAnswerBytes, 1LL << 30);
    EXPECT_EQ(options.relayLoginTimeoutMs, 2500);
    EXPECT_EQ(options.relayMaxConnections, 50);
    QProcess help;
    help.start(QStringLiteral(QVX_SERVER_PROGRAM), {QStringLiteral("--help")});
    ASSERT_TRUE(help.waitForFinished(10000));
    const QString helpText = QString::fromUtf8(help.readAllStandardOutput());
    for (const char *option : {"--statement-timeout", "--max-buffered-bytes", "--max-queued-bytes", "--max-answer-bytes",
                               "--relay-login-timeout",
                               "--relay-max-connections", "--relay-max-logins-per-address"})
        EXPECT_TRUE(helpText.contains(QLatin1String(option))) << option;
    EXPECT_EQ(options.transactionTimeoutMs, 90000);
    EXPECT_EQ(options.openTimeoutMs, 2000);
    EXPECT_EQ(qvx::ServerOptions().transactionTimeoutMs, 60000);
    EXPECT_FALSE(qvx::parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--max-connections"), QStringLiteral("0")},
                                         options, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("max-connections")));
}

TEST(ServerProgram, PortsAndByteLimitsAreCheckedAgainstTheirRanges)
{
    const auto parse = [](QStringList arguments, qvx::ServerOptions &options, QString &error) {
        arguments.prepend(QStringLiteral("QVXServer"));
        return qvx::parseServerOptions(arguments, options, &error);
    };
    qvx::ServerOptions options;
    QString error;
    ASSERT_TRUE(parse({"--port", "2111", "--relay-port", "0", "--max-queued-bytes", "1099511627776"}, options, error))
        << error.toStdString();
    EXPECT_EQ(options.port, 2111);
    EXPECT_EQ(options.relayPort, 0);
    EXPECT_EQ(options.maxQueuedBytes, qint64(1) << 40);
    for (const QStringList &bad : {QStringList{"--port", "65536"}, QStringList{"--relay-port", "-1"},
                                   QStringList{"--max-queued-bytes", "1099511627777"},
                                   QStringList{"--max-buffered-bytes", "1023"}, QStringList{"--bank-delay", "x"},
                                   QStringList{"--lock-timeout", "4294967296"}}) {
        qvx::ServerOptions untouched;
        EXPECT_FALSE(parse(bad, untouched, error)) << bad.join(' ').toStdString();
        EXPECT_EQ(error, QStringLiteral("Bad value for %1: %2").arg(bad.at(0), bad.at(1)));
        EXPECT_EQ(untouched.port, qvx::ServerOptions().port);
    }
}

namespace {

// A released transfer of the 기업은행 account, final approver APPR2.
QString releasedTransfer(const QString &date, const QString &time, int seqNo)
{
    return qvx::testing::requestInsert(
        QStringLiteral("giche"),
        {{"SendDate", date}, {"SendTime", time}, {"Service", "DY1"}, {"SeqNo", QString::number(seqNo)},
         {"SendID", "QVX0000001"}, {"RecvID", "IBK0300"}, {"FirmID", "HB0301"}, {"BankID", "03"}, {"USERID", "MAKER"},
         {"CFMID", "APPR2"}, {"SendFlag", "1"}, {"MoBankNo", "12301234567890"}, {"Gubun", "30"},
         {"Price", "0000000150000"}, {"TRANS_BankID", "20"}, {"BankNo", "1002345678901"}, {"Name", "한빛상사"},
         {"sr_flag", "1"}, {"up_gubuncode", "0100100"}});
}

// A liquor collection (cmsjiche102) of user JURU, written as sent: sr_flag '1'.
QString liquorTransfer(const QString &date, const QString &time, int seqNo)
{
    return qvx::testing::requestInsert(
        QStringLiteral("cmsjiche102"),
        {{"SendDate", date}, {"SendTime", time}, {"Service", "DY1"}, {"SeqNo", QString::number(seqNo)},
         {"SendID", "QVX0000001"}, {"RecvID", "IBK0300"}, {"FirmID", "HB0301"}, {"BankID", "03"}, {"USERID", "JURU"},
         {"SendFlag", "1"}, {"bankNo", "1002345678901"}, {"Gubun", "20"}, {"Price", "0000000050000"},
         {"TRANS_BankID", "20"}, {"MoBankNo", "12301234567890"}, {"Name", "서울주류"}, {"JuFlag", "1"},
         {"JuMoney", "40000"}, {"nonJuMoney", "10000"}, {"sr_flag", "1"}, {"up_gubuncode", "0102100"}});
}

QString flagOf(qvx::TcpAppServer &client, const QString &table, int seqNo)
{
    return client.select(QStringLiteral("select sr_flag from %1 where seqno = %2").arg(table).arg(seqNo)).value(0, 0);
}

QString flagsOf(qvx::TcpAppServer &client, const QString &time)
{
    const qvx::ResultSet rs = client.select(
        QStringLiteral("select sr_flag from giche where cfmid = 'APPR2' and sendtime = '%1' order by seqno").arg(time));
    QString flags;
    for (int r = 0; r < rs.recordCount(); ++r)
        flags += rs.value(r, 0);
    return flags;
}

} // namespace

TEST(ServerProgram, ABatchRegisteredJustBeforeACrashIsAnsweredAfterTheRestart)
{
    QString dbFile;
    QTemporaryDir keep;
    {
        // The bank would answer in ten minutes: the server is killed long before.
        ServerProgram server({QStringLiteral("--bank-delay"), QStringLiteral("600000")});
        ASSERT_NE(server.port(), 0) << server.output().toStdString();
        qvx::TcpAppServer client;
        client.open(QStringLiteral("127.0.0.1"), server.port());
        const QString today = client.serverTime().left(8);
        // Registered and answered 1.
        client.execute(releasedTransfer(today, QStringLiteral("101000"), 901));
        client.execute(releasedTransfer(today, QStringLiteral("101000"), 902));
        // Released, but the registration never came: the approver was not told it went out.
        client.execute(releasedTransfer(today, QStringLiteral("102000"), 903));
        // A liquor batch registered, and one committed whose registration never came.
        client.execute(liquorTransfer(today, QStringLiteral("103000"), 904));
        client.execute(liquorTransfer(today, QStringLiteral("104000"), 905));
        client.execute(liquorTransfer(today, QStringLiteral("104000"), 906));
        // A balance inquiry committed and never registered.
        client.execute(qvx::testing::requestInsert(
            QStringLiteral("amt_search"),
            {{"SendDate", today}, {"SendTime", "105000"}, {"Service", "DY1"}, {"SeqNo", "907"}, {"BankID", "04"},
             {"USERID", "MAKER"}, {"BankNo", "123401234567"}, {"sr_flag", "1"}, {"up_gubuncode", "0600300"}}));
        client.execute(QStringLiteral("commit"));
        ASSERT_EQ(client.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR2"), QStringLiteral("0"),
                                  QStringLiteral("0"), QStringLiteral("101000")),
                  1);
        ASSERT_EQ(client.sendDesc(QStringLiteral("0102100"), QStringLiteral("JURU"), QStringLiteral("904"),
                                  QStringLiteral("904"), QStringLiteral("103000")),
                  1);
        ASSERT_EQ(::kill(pid_t(server.process().processId()), SIGKILL), 0);
        ASSERT_TRUE(server.process().waitForFinished(10000));
        // The database outlives this server's folder.
        for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                      QStringLiteral("-batches"), QStringLiteral("-batches-wal"),
                                      QStringLiteral("-batches-shm")})
            if (QFile::exists(server.dbFile() + suffix)) {
                ASSERT_TRUE(QFile::copy(server.dbFile() + suffix, keep.filePath(QStringLiteral("qvx.sqlite")) + suffix));
            }
        dbFile = keep.filePath(QStringLiteral("qvx.sqlite"));
    }
    ServerProgram restarted({QStringLiteral("--bank-delay"), QStringLiteral("0")}, dbFile);
    ASSERT_NE(restarted.port(), 0) << restarted.output().toStdString();
    qvx::TcpAppServer client;
    client.open(QStringLiteral("127.0.0.1"), restarted.port());
    QDeadlineTimer deadline(10000);
    while (flagsOf(client, QStringLiteral("101000")) != QStringLiteral("44") && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(flagsOf(client, QStringLiteral("101000")), QStringLiteral("44"));
    // Back on APPR2's list of batches to send.
    EXPECT_EQ(flagsOf(client, QStringLiteral("102000")), QStringLiteral("0"));
    // The registered liquor batch is answered; the rest, whose senders were
    // told the send failed, are send errors the bank never answers.
    deadline.setRemainingTime(10000);
    while (flagOf(client, QStringLiteral("cmsjiche102"), 904) != QStringLiteral("4") && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(flagOf(client, QStringLiteral("cmsjiche102"), 904), QStringLiteral("4"));
    EXPECT_EQ(flagOf(client, QStringLiteral("cmsjiche102"), 905), QStringLiteral("3"));
    EXPECT_EQ(flagOf(client, QStringLiteral("cmsjiche102"), 906), QStringLiteral("3"));
    EXPECT_EQ(flagOf(client, QStringLiteral("amt_search"), 907), QStringLiteral("3"));

    // A result inquiry that names a row of the failed batch finds no such
    // transfer at the bank, and does not have the bank process it now.
    const QString today = client.serverTime().left(8);
    client.execute(qvx::testing::requestInsert(
        QStringLiteral("icheresult_102"),
        {{"SendDate", today}, {"SendTime", "110000"}, {"Service", "DY1"}, {"SeqNo", "908"}, {"BankID", "03"},
         {"USERID", "JURU"}, {"ICHE_SendDate", today}, {"ORG_SEQNO", "905"}, {"sr_flag", "1"},
         {"up_gubuncode", "0601100"}}));
    client.execute(QStringLiteral("commit"));
    ASSERT_EQ(client.sendDesc(QStringLiteral("0601100"), QStringLiteral("JURU"), QStringLiteral("908"),
                              QStringLiteral("908"), QStringLiteral("000000")),
              1);
    deadline.setRemainingTime(10000);
    while (flagOf(client, QStringLiteral("icheresult_102"), 908) != QStringLiteral("4") && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(client.select(QStringLiteral("select errcode from icheresult_102 where seqno = 908")).value(0, 0),
              QStringLiteral("0041"));
    EXPECT_EQ(flagOf(client, QStringLiteral("cmsjiche102"), 905), QStringLiteral("3"));
}

TEST(ServerProgram, SigtermAnswersWhatWasReceivedAndEndsWithinSecondsUnderLoad)
{
    // No statement time limit to speak of: the endless statement below ends only by the shutdown.
    ServerProgram server({QStringLiteral("--statement-timeout"), QStringLiteral("600000")});
    ASSERT_NE(server.port(), 0) << server.output().toStdString();

    // One client runs a statement that would take days.
    QTcpSocket endless;
    endless.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(endless.waitForConnected(5000));
    auto frame = [](const QByteArray &json) {
        QByteArray out(4, '\0');
        qToBigEndian<quint32>(quint32(json.size()), out.data());
        return out + json;
    };
    endless.write(frame(R"({"id":1,"method":"open","args":["QVXServer.QVSERVER01"]})"));
    endless.write(frame(R"({"id":2,"method":"cms_select1","args":["select count(*) as n from error a, error b, error c, error d, error e, error f"]})"));
    endless.flush();

    // Writers commit as fast as they can, each counting the commits answered.
    constexpr int Writers = 32;
    std::vector<int> acknowledged(Writers, 0);
    std::vector<std::thread> threads;
    std::atomic<int> started{0};
    std::atomic<int> committed{0};
    for (int t = 0; t < Writers; ++t) {
        threads.emplace_back([&, t] {
            qvx::TcpAppServer client;
            try {
                client.open(QStringLiteral("127.0.0.1"), server.port());
                ++started;
                for (int n = 0;; ++n) {
                    client.execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'W%1-%2', 'x')")
                                       .arg(t)
                                       .arg(n));
                    client.execute(QStringLiteral("commit"));
                    ++acknowledged[size_t(t)];
                    ++committed;
                }
            } catch (const qvx::AppServerError &) {
            }
        });
    }
    QDeadlineTimer ready(10000);
    while (started < Writers && !ready.hasExpired())
        QThread::msleep(10);
    // Stop only once the writers are under way: on a loaded machine the first commits can take a while.
    QDeadlineTimer underWay(20000);
    while (committed < Writers && !underWay.hasExpired())
        QThread::msleep(10);
    QThread::msleep(100);

    QElapsedTimer stopping;
    stopping.start();
    ASSERT_EQ(::kill(pid_t(server.process().processId()), SIGTERM), 0);
    ASSERT_TRUE(server.process().waitForFinished(30000));
    EXPECT_LT(stopping.elapsed(), 10000); // not held until the statement's time limit
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(server.process().exitCode(), 0) << server.process().readAllStandardError().toStdString();

    // The endless statement was stopped and answered.
    QByteArray answers;
    while (endless.waitForReadyRead(1000))
        answers += endless.readAll();
    answers += endless.readAll();
    EXPECT_TRUE(answers.contains("\"id\":2")) << answers.toStdString();

    // Every commit that was stored was answered, and none that was answered is missing.
    qvx::SqliteDatabase database(server.dbFile());
    auto db = database.connect();
    int total = 0;
    for (int t = 0; t < Writers; ++t) {
        const int stored = db->query(QStringLiteral("select count(*) as n from error where errcode like 'W%1-%'").arg(t))
                               .valueInt(0, QStringLiteral("n"));
        EXPECT_EQ(stored, acknowledged[size_t(t)]) << "writer " << t;
        total += stored;
    }
    EXPECT_GT(total, 0);
}

namespace {

// The server program on this run's back end: a fresh SQLite demo file, or a
// scratch MariaDB database served through --mariadb.
class ServerProgramOnBackend : public qvx::testing::BackendTest
{
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        if (onMariaDb()) {
            m_mariaDb = qvx::testing::ScratchMariaDb::create();
            m_options = {QStringLiteral("--mariadb"), m_mariaDb->connection()};
        }
    }
    // Started on the same database as every earlier start of this test.
    std::unique_ptr<ServerProgram> start(QStringList options)
    {
        auto program = std::make_unique<ServerProgram>(options + m_options, m_dbFile);
        if (m_dbFile.isEmpty() && !onMariaDb())
            m_dbFile = program->dbFile();
        return program;
    }
    void twoBatchesOfTheSameNumbersStoppedBy(int signal);

private:
    std::shared_ptr<qvx::testing::ScratchMariaDb> m_mariaDb;
    QStringList m_options;
    QString m_dbFile;
};

QString approverFlags(qvx::TcpAppServer &client, const QString &approver, const QString &time)
{
    const qvx::ResultSet rs = client.select(
        QStringLiteral("select sr_flag from giche where cfmid = '%1' and sendtime = '%2' order by seqno").arg(approver, time));
    QString flags;
    for (int r = 0; r < rs.recordCount(); ++r)
        flags += rs.value(r, 0);
    return flags;
}

QString releasedBy(const QString &approver, const QString &date, const QString &time, int seqNo)
{
    return releasedTransfer(date, time, seqNo).replace(QStringLiteral("'APPR2'"), qvx::sqlQuote(approver));
}

} // namespace

// Stopped (`signal`) while batch X of APPR1 (numbers 1-3) is registered and
// unanswered, batch Y of APPR2 with the same numbers and one row numbered 2
// of APPR3 are committed and never registered: after the restart X is paid
// whole, Y and the lone row are back on their approvers' lists.
void ServerProgramOnBackend::twoBatchesOfTheSameNumbersStoppedBy(int signal)
{
    auto server = start({QStringLiteral("--bank-delay"), QStringLiteral("600000")});
    ASSERT_NE(server->port(), 0) << server->output().toStdString();
    {
        qvx::TcpAppServer x, y;
        x.open(QStringLiteral("127.0.0.1"), server->port());
        y.open(QStringLiteral("127.0.0.1"), server->port());
        const QString today = x.serverTime().left(8);
        for (int n = 1; n <= 3; ++n)
            x.execute(releasedBy(QStringLiteral("APPR1"), today, QStringLiteral("101500"), n));
        x.execute(QStringLiteral("commit"));
        for (int n = 1; n <= 3; ++n)
            y.execute(releasedBy(QStringLiteral("APPR2"), today, QStringLiteral("101600"), n));
        y.execute(releasedBy(QStringLiteral("APPR3"), today, QStringLiteral("101700"), 2));
        y.execute(QStringLiteral("commit"));
        ASSERT_EQ(x.sendDesc(QStringLiteral("0100100"), QStringLiteral("APPR1"), QStringLiteral("0"), QStringLiteral("0"),
                             QStringLiteral("101500")),
                  1);
        ASSERT_EQ(::kill(pid_t(server->process().processId()), signal), 0);
        ASSERT_TRUE(server->process().waitForFinished(10000));
    }
    auto restarted = start({QStringLiteral("--bank-delay"), QStringLiteral("0")});
    ASSERT_NE(restarted->port(), 0) << restarted->output().toStdString();
    qvx::TcpAppServer client;
    client.open(QStringLiteral("127.0.0.1"), restarted->port());
    QDeadlineTimer deadline(15000);
    while (approverFlags(client, QStringLiteral("APPR1"), QStringLiteral("101500")) != QStringLiteral("444")
           && !deadline.hasExpired())
        QThread::msleep(20);
    EXPECT_EQ(approverFlags(client, QStringLiteral("APPR1"), QStringLiteral("101500")), QStringLiteral("444"));
    EXPECT_EQ(approverFlags(client, QStringLiteral("APPR2"), QStringLiteral("101600")), QStringLiteral("000"));
    EXPECT_EQ(approverFlags(client, QStringLiteral("APPR3"), QStringLiteral("101700")), QStringLiteral("0"));
}

TEST_P(ServerProgramOnBackend, TwoBatchesOfTheSameNumbersAfterAKill)
{
    twoBatchesOfTheSameNumbersStoppedBy(SIGKILL);
}

TEST_P(ServerProgramOnBackend, TwoBatchesOfTheSameNumbersAfterSigterm)
{
    twoBatchesOfTheSameNumbersStoppedBy(SIGTERM);
}

QVX_ON_EVERY_BACKEND(ServerProgramOnBackend);
