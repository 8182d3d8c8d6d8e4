// Message numbers under many connections at once, and requests that are not
// what the protocol asks for: each gets an error answer and the server goes on
// serving everyone else.

#include "support/TestServer.h"
#include "tests/backend/backend_databases.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QThread>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>

using qvx::AppServerError;
using qvx::test::TestServer;

namespace {

QByteArray framed(const QByteArray &body)
{
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(body.size()), out.data());
    return out + body;
}

// Reads one answer frame; an empty object when none came.
QJsonObject readAnswer(QTcpSocket &socket, int timeoutMs = 5000)
{
    // What was read beyond one answer waits for the next call.
    QByteArray buffer = socket.property("pending").toByteArray();
    struct Keep
    {
        QTcpSocket &s;
        QByteArray &b;
        ~Keep() { s.setProperty("pending", b); }
    } keep{socket, buffer};
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (buffer.size() >= 4) {
            const quint32 length = qFromBigEndian<quint32>(buffer.constData());
            if (buffer.size() >= qint64(length) + 4) {
                const QJsonObject o = QJsonDocument::fromJson(buffer.mid(4, length)).object();
                buffer.remove(0, qsizetype(length) + 4);
                return o;
            }
        }
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(100) && socket.state() != QAbstractSocket::ConnectedState
            && socket.bytesAvailable() == 0)
            break;
        buffer += socket.readAll();
    }
    return {};
}

std::unique_ptr<QTcpSocket> rawConnection(const TestServer &server)
{
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(server.host(), server.port());
    EXPECT_TRUE(s->waitForConnected(5000));
    return s;
}

bool closedByServer(QTcpSocket &socket, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (socket.state() == QAbstractSocket::UnconnectedState)
            return true;
        socket.waitForReadyRead(50);
        socket.readAll();
    }
    return socket.state() == QAbstractSocket::UnconnectedState;
}

class AppServerConcurrency : public qvx::testing::BackendTest
{
};

} // namespace

TEST_P(AppServerConcurrency, TwoHundredReservationsFromManyConnectionsNeverShareANumber)
{
    TestServer server(serverConfig());
    constexpr int Threads = 10, PerThread = 20;
    std::mutex mutex;
    std::vector<std::pair<int, int>> blocks; // base, count
    std::vector<QString> errors;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            try {
                auto app = server.newClient();
                for (int i = 0; i < PerThread; ++i) {
                    const int n = 1 + (t + i) % 4;
                    int base = -1;
                    for (int attempt = 0; attempt < 1000 && base < 0; ++attempt) {
                        base = app->maxSeqNo(n);
                        if (base == -2)
                            break;
                    }
                    std::lock_guard lock(mutex);
                    if (base < 0)
                        errors.push_back(QStringLiteral("answer %1").arg(base));
                    else
                        blocks.emplace_back(base, n);
                }
            } catch (const AppServerError &e) {
                std::lock_guard lock(mutex);
                errors.push_back(e.message());
            }
        });
    }
    for (auto &t : threads)
        t.join();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    ASSERT_EQ(blocks.size(), size_t(Threads * PerThread));
    std::set<int> numbers;
    size_t total = 0;
    for (const auto &[base, n] : blocks)
        for (int k = 1; k <= n; ++k, ++total)
            EXPECT_TRUE(numbers.insert(base + k).second) << "number " << base + k << " handed out twice";
    EXPECT_EQ(numbers.size(), total);
    // Together the blocks cover one unbroken range.
    EXPECT_EQ(*numbers.rbegin() - *numbers.begin() + 1, int(total));
}

QVX_ON_EVERY_BACKEND(AppServerConcurrency);

TEST(AppServerProtocol, GarbageGetsAnErrorAndTheConnectionStaysUsable)
{
    TestServer server;
    auto s = rawConnection(server);
    s->write(framed("this is not json"));
    QJsonObject a = readAnswer(*s);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(a.value(QStringLiteral("id")).isNull());
    EXPECT_FALSE(a.value(QStringLiteral("error")).toString().isEmpty());

    s->write(framed(R"({"id": 7, "method": 12})"));
    a = readAnswer(*s);
    EXPECT_EQ(a.value(QStringLiteral("id")).toInt(), 7);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));

    s->write(framed(R"({"id": 8, "method": "cms_select1", "args": ["select 1"]})"));
    a = readAnswer(*s);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true)) << "a call before open must be refused";

    s->write(framed(R"({"id": 9, "method": "open", "args": ["QVXServer.QVSERVER01"]})"));
    EXPECT_TRUE(readAnswer(*s).value(QStringLiteral("ok")).toBool());
    s->write(framed(R"({"id": 10, "method": "no_such_method", "args": []})"));
    EXPECT_FALSE(readAnswer(*s).value(QStringLiteral("ok")).toBool(true));
    s->write(framed(R"({"id": 11, "method": "max_seqno", "args": ["x"]})"));
    EXPECT_FALSE(readAnswer(*s).value(QStringLiteral("ok")).toBool(true));
    s->write(framed(R"({"id": 12, "method": "cms_insert1", "args": []})"));
    EXPECT_FALSE(readAnswer(*s).value(QStringLiteral("ok")).toBool(true));
    s->write(framed(R"({"id": 13, "method": "cms_select1", "args": ["select 41 + 1 as x"]})"));
    a = readAnswer(*s);
    EXPECT_EQ(a.value(QStringLiteral("id")).toInt(), 13);
    EXPECT_EQ(a.value(QStringLiteral("result")).toObject().value(QStringLiteral("rows")).toArray().at(0).toArray().at(0).toString(),
              QStringLiteral("42"));
}

TEST(AppServerProtocol, OversizedRequestIsRefusedAndClosedWhileOthersGoOn)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.maxRequestBytes = 1024 * 1024; }});
    auto &other = server.client();
    auto s = rawConnection(server);
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(0x7fffffffu, header.data());
    s->write(header + QByteArray(64 * 1024, 'x'));
    const QJsonObject a = readAnswer(*s);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(a.value(QStringLiteral("error")).toString().contains(QStringLiteral("too large")));
    s->disconnectFromHost();
    EXPECT_GT(other.select(QStringLiteral("select * from allbank")).recordCount(), 0);

    // A request just under the limit is still served.
    auto app = server.newClient();
    const QString big = QStringLiteral("select '%1' as x").arg(QString(500 * 1024, QLatin1Char('a')));
    EXPECT_EQ(app->select(big).value(0, QStringLiteral("x")).size(), 500 * 1024);
}

TEST(AppServerProtocol, TruncatedRequestTimesOutWithoutBlockingOthers)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.partialRequestTimeoutMs = 3000; }});
    auto s = rawConnection(server);
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(100u, header.data());
    s->write(header + QByteArray("{\"id\": 1, \"meth"));
    s->flush();
    // Meanwhile another client is served at once.
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(server.client().select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
    EXPECT_LT(timer.elapsed(), 2500); // not held up until the refusal
    const QJsonObject a = readAnswer(*s);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(closedByServer(*s));
}

TEST(AppServerProtocol, PipelinedRequestsAreAnsweredInOrder)
{
    TestServer server;
    auto s = rawConnection(server);
    QByteArray all = framed(R"({"id": "a", "method": "open", "args": ["QVXServer.QVSERVER01"]})");
    for (int i = 0; i < 20; ++i)
        all += framed(QStringLiteral(R"({"id": %1, "method": "cms_select1", "args": ["select %1 as n"]})").arg(i).toUtf8());
    // Sent byte by byte in two halves to cross frame boundaries.
    s->write(all.left(all.size() / 2));
    s->flush();
    QThread::msleep(20);
    s->write(all.mid(all.size() / 2));
    EXPECT_EQ(readAnswer(*s).value(QStringLiteral("id")).toString(), QStringLiteral("a"));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(readAnswer(*s).value(QStringLiteral("id")).toInt(-1), i);
}

TEST(AppServerProtocol, AStatementWithANulCharacterIsRefusedAndRunsNothing)
{
    TestServer server;
    auto &app = server.client();
    const int before = server.query(QStringLiteral("select count(*) as n from error")).valueInt(0, QStringLiteral("n"));
    ASSERT_GT(before, 0);
    // The database would run only "delete from error" and answer success.
    const QString cut = QStringLiteral("delete from error") + QChar(u'\0') + QStringLiteral(" where 1=0");
    try {
        app.execute(cut);
        FAIL() << "a statement with a NUL character was accepted";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::Server);
        EXPECT_TRUE(e.message().contains(QStringLiteral("NUL"))) << e.message().toStdString();
    }
    app.execute(QStringLiteral("commit"));
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from error")).valueInt(0, QStringLiteral("n")), before);
    EXPECT_THROW(app.select(QStringLiteral("select * from error") + QChar(u'\0') + QStringLiteral("garbage")), AppServerError);
    // The connection goes on.
    EXPECT_EQ(app.select(QStringLiteral("select count(*) as n from error")).valueInt(0, QStringLiteral("n")), before);
}

TEST(AppServerProtocol, AConnectionThatNeverOpensIsClosedAndFreesItsPlace)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) {
                                             o.openTimeoutMs = 1500;
                                             o.maxConnections = 2;
                                         }});
    auto &opened = server.client();
    auto silent = rawConnection(server);
    // The place of the silent connection is taken: a third is refused.
    EXPECT_THROW(server.newClient(), AppServerError);
    const QJsonObject a = readAnswer(*silent);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(a.value(QStringLiteral("error")).toString().contains(QStringLiteral("opened"))) << a.value(QStringLiteral("error")).toString().toStdString();
    EXPECT_TRUE(closedByServer(*silent));
    // Its place is free again, and the opened connection, silent as long, was kept.
    std::unique_ptr<qvx::TcpAppServer> third;
    QElapsedTimer timer;
    timer.start();
    while (!third && timer.elapsed() < 5000) {
        try {
            third = server.newClient();
        } catch (const AppServerError &) {
            QThread::msleep(20); // the server has not yet counted the closed connection out
        }
    }
    ASSERT_TRUE(third);
    EXPECT_EQ(third->select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
    EXPECT_EQ(opened.select(QStringLiteral("select 2 as two")).valueInt(0, QStringLiteral("two")), 2);
}

TEST(AppServerProtocol, ATransactionLeftIdleIsRolledBackSoOtherWritersGoOn)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.transactionTimeoutMs = 500; }});
    auto idle = server.newClient();
    idle->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'T01', 'left open')"));
    // Another writer waits for the lock (up to the lock time-out) and gets it
    // once the idle transaction is rolled back.
    auto other = server.newClient();
    other->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'T02', 'written')"));
    other->execute(QStringLiteral("commit"));
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from error where errcode = 'T01'")).valueInt(0, QStringLiteral("n")), 0);
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from error where errcode = 'T02'")).valueInt(0, QStringLiteral("n")), 1);
    // The idle client's next call is told why.
    try {
        idle->execute(QStringLiteral("commit"));
        FAIL() << "the commit of a rolled-back transaction was answered as done";
    } catch (const AppServerError &e) {
        EXPECT_TRUE(e.connectionClosed());
        EXPECT_TRUE(e.message().contains(QStringLiteral("rolled back"))) << e.message().toStdString();
    }
    EXPECT_FALSE(idle->isOpen());
}
