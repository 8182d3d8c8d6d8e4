// The server program as an operator runs it: its options, and a clean stop on
// SIGTERM or SIGINT (connections and database closed, exit code 0).

#include "backend/ServerOptions.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// QVXServer on a fresh demo database, on free loopback ports.
class ServerProgram
{
public:
    ServerProgram()
    {
        const QString program = QStringLiteral(QVX_SERVER_PROGRAM);
        m_db = m_dir.filePath(QStringLiteral("qvx.sqlite"));
        QProcess init;
        init.start(program, {QStringLiteral("--db"), m_db, QStringLiteral("--init-demo")});
        EXPECT_TRUE(init.waitForFinished(60000));
        EXPECT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
        m_process.start(program, {QStringLiteral("--db"), m_db, QStringLiteral("--port"), QStringLiteral("0"),
                                  QStringLiteral("--relay-port"), QStringLiteral("0")});
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
    EXPECT_EQ(options.transactionTimeoutMs, 90000);
    EXPECT_EQ(options.openTimeoutMs, 2000);
    EXPECT_EQ(qvx::ServerOptions().transactionTimeoutMs, 60000);
    EXPECT_FALSE(qvx::parseServerOptions({QStringLiteral("QVXServer"), QStringLiteral("--max-connections"), QStringLiteral("0")},
                                         options, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("max-connections")));
}
