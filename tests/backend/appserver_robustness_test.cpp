// Message numbers under many connections at once, and requests that are not
// what the protocol asks for: each gets an error answer and the server goes on
// serving everyone else.

#include "backend/ServerContext.h"
#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"
#include "platform/JsonWriter.h"
#include "support/PeakMemory.h"
#include "support/TestServer.h"
#include "tests/backend/backend_databases.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QThread>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
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

    // A request just under the limit is still served (its values each within
    // the longest value a statement may make).
    auto app = server.newClient();
    const QString big = QStringLiteral("select '%1' as a, '%1' as b, '%1' as c, '%1' as d, '%1' as e")
                            .arg(QString(100 * 1024, QLatin1Char('a')));
    const qvx::ResultSet rs = app->select(big);
    for (const char *column : {"a", "b", "c", "d", "e"})
        EXPECT_EQ(rs.value(0, QLatin1String(column)).size(), 100 * 1024);
}

TEST(AppServerProtocol, TruncatedRequestTimesOutWithoutBlockingOthers)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.partialRequestTimeoutMs = 6000; }});
    auto s = rawConnection(server);
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(100u, header.data());
    s->write(header + QByteArray("{\"id\": 1, \"meth"));
    s->flush();
    // Meanwhile another client is served at once.
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(server.client().select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
    EXPECT_LT(timer.elapsed(), 4000); // not held up until the refusal
    const QJsonObject a = readAnswer(*s, 15000);
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

TEST(AppServerProtocol, AConnectionThatNeverOpensIsClosedAfterTheOpenTimeout)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.openTimeoutMs = 300; }});
    auto &opened = server.client();
    auto silent = rawConnection(server);
    const QJsonObject a = readAnswer(*silent);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(a.value(QStringLiteral("error")).toString().contains(QStringLiteral("opened"))) << a.value(QStringLiteral("error")).toString().toStdString();
    EXPECT_TRUE(closedByServer(*silent));
    // The opened connection, silent as long, was kept.
    EXPECT_EQ(opened.select(QStringLiteral("select 2 as two")).valueInt(0, QStringLiteral("two")), 2);
}

TEST(AppServerProtocol, ABurstOfSilentConnectionsNeverKeepsAClientOut)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) {
                                             o.openTimeoutMs = 60000;
                                             o.maxConnections = 4;
                                         }});
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int i = 0; i < 12; ++i)
        silent.push_back(rawConnection(server));
    // A client gets in at once: the oldest silent connection makes room.
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<qvx::TcpAppServer>> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(server.newClient());
        EXPECT_EQ(clients.back()->select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
    }
    EXPECT_LT(timer.elapsed(), 5000);
    const QJsonObject a = readAnswer(*silent.back());
    EXPECT_TRUE(a.value(QStringLiteral("error")).toString().contains(QStringLiteral("room"))) << a.value(QStringLiteral("error")).toString().toStdString();
    // Every place is held by an opened connection: the next one is refused.
    try {
        server.newClient();
        FAIL() << "a fifth opened connection was accepted";
    } catch (const AppServerError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Too many connections"))) << e.message().toStdString();
    }
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

namespace {

// A statement that would run for days: a cross join of the error codes six times over.
const QString EndlessCount = QStringLiteral("select count(*) as n from error a, error b, error c, error d, error e, error f");
// The same as a writer: it holds the write lock while it runs.
const QString EndlessInsert = QStringLiteral("insert into error (bankid, errcode, errcontents) select 'ZZ', 'E01', "
                                             "count(*) from error a, error b, error c, error d, error e, error f");

QByteArray request(int id, const QString &method, const QString &arg)
{
    return framed(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                            {QStringLiteral("method"), method},
                                            {QStringLiteral("args"), QJsonArray{arg}}})
                      .toJson(QJsonDocument::Compact));
}

// Waits until the server runs a request of `framedSize` bytes: while a request
// is parsed and run it holds four times its length of the server's input cap,
// more than its bytes alone hold while they wait to be read.
bool runningRequest(TestServer &server, qint64 framedSize)
{
    QDeadlineTimer deadline(10000);
    while (server.context().bufferedBytes() <= framedSize && !deadline.hasExpired())
        QThread::msleep(5);
    return server.context().bufferedBytes() > framedSize;
}

std::unique_ptr<QTcpSocket> openedConnection(const TestServer &server)
{
    auto s = rawConnection(server);
    s->write(request(0, QStringLiteral("open"), QStringLiteral("QVXServer.QVSERVER01")));
    EXPECT_TRUE(readAnswer(*s).value(QStringLiteral("ok")).toBool());
    return s;
}

} // namespace

TEST(AppServerLimits, AStatementIsStoppedAtItsTimeLimitAndItsLockFreed)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.statementTimeoutMs = 300; }});
    auto &app = server.client();
    QElapsedTimer timer;
    timer.start();
    try {
        app.select(EndlessCount);
        FAIL() << "an endless statement was answered";
    } catch (const AppServerError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("time limit"))) << e.message().toStdString();
    }
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_THROW(app.execute(EndlessInsert), AppServerError);
    // The writer's lock is free again: others write and reserve numbers.
    app.execute(QStringLiteral("rollback"));
    auto other = server.newClient();
    other->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'T01', 'written')"));
    other->execute(QStringLiteral("commit"));
    EXPECT_GE(other->maxSeqNo(1), 0);
    EXPECT_EQ(app.select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
}

TEST(AppServerLimits, AStatementStopsWhenItsClientGoesAway)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) {
                                             o.statementTimeoutMs = 600000;
                                             o.lockTimeoutMs = 10000;
                                         }});
    auto writer = openedConnection(server);
    const QByteArray endless = request(1, QStringLiteral("cms_insert1"), EndlessInsert);
    writer->write(endless);
    writer->flush();
    ASSERT_TRUE(runningRequest(server, endless.size())); // it runs, holding the write lock
    writer->abort();
    // The statement stops and its transaction is rolled back: the lock is free.
    auto other = server.newClient();
    QElapsedTimer timer;
    timer.start();
    other->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'T02', 'written')"));
    other->execute(QStringLiteral("commit"));
    EXPECT_LT(timer.elapsed(), 5000); // well inside the lock wait limit
    EXPECT_GE(other->maxSeqNo(1), 0);
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from error where errcode = 'E01'")).valueInt(0, QStringLiteral("n")), 0);
}

namespace {

// Two hundred rows, each calling on long values every function whose work
// grows with the product of its inputs' lengths (the trims with a set of all
// Hangul syllables). One such call of the library's own versions ran for
// seconds to minutes without a look at the time limit or the client.
const QString LongCalls = QStringLiteral(
    "with recursive r(n) as (select 1 union all select n + 1 from r where n < 200), "
    "v(h, k) as (select replace(hex(zeroblob(40000)), '0', 'a'), replace(hex(zeroblob(19999)), '0', 'a') || 'b'), "
    "s(x) as (select group_concat(char(44032 + n), '') || 'a' from "
    "(with recursive q(n) as (select 0 union all select n + 1 from q where n < 11171) select n from q)) "
    "select count(*) as n from r, v, s where instr(h, k) + length(replace(h, k, 'x')) + length(trim(h, x)) "
    "+ length(ltrim(h || 'c', x)) + locate(k, h) + (h like '%' || substr(k, 1, 998) || 'b') "
    "+ (h glob '*' || substr(k, 1, 998) || 'b') > n");

} // namespace

TEST(AppServerLimits, LongFunctionCallsStopAtTheTimeLimitAndWhenTheirClientGoesAway)
{
    {
        TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.statementTimeoutMs = 300; }});
        QElapsedTimer timer;
        timer.start();
        try {
            server.client().select(LongCalls);
            FAIL() << "a statement of minutes was answered";
        } catch (const AppServerError &e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("time limit"))) << e.message().toStdString();
        }
        EXPECT_LT(timer.elapsed(), 3000);
    }
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) {
                                             o.statementTimeoutMs = 600000;
                                             o.lockTimeoutMs = 10000;
                                         }});
    auto writer = openedConnection(server);
    const QByteArray longInsert =
        request(1, QStringLiteral("cms_insert1"),
                QStringLiteral("insert into error (bankid, errcode, errcontents) select 'ZZ', 'L01', n from (%1)")
                    .arg(LongCalls));
    writer->write(longInsert);
    writer->flush();
    ASSERT_TRUE(runningRequest(server, longInsert.size())); // it runs, holding the write lock
    writer->abort();
    QElapsedTimer timer;
    timer.start();
    auto other = server.newClient();
    other->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'L02', 'written')"));
    other->execute(QStringLiteral("commit"));
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_GE(other->maxSeqNo(1), 0);
}

TEST(AppServerLimits, UnfinishedRequestsOfAllConnectionsTogetherAreCapped)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.maxBufferedBytes = 512 * 1024; }});
    // Two requests announced as 4 MiB each, of which 300 KiB arrive.
    QByteArray header(4, '\0');
    qToBigEndian<quint32>(4u * 1024 * 1024, header.data());
    auto first = openedConnection(server);
    first->write(header + QByteArray(300 * 1024, ' '));
    // The server holds the first's 300 KiB before the second comes.
    QDeadlineTimer held(10000);
    while (server.context().bufferedBytes() < 300 * 1024 && !held.hasExpired())
        if (!first->waitForBytesWritten(10))
            QThread::msleep(5);
    ASSERT_GE(server.context().bufferedBytes(), 300 * 1024);
    auto second = openedConnection(server);
    second->write(header + QByteArray(300 * 1024, ' '));
    const QJsonObject a = readAnswer(*second);
    EXPECT_FALSE(a.value(QStringLiteral("ok")).toBool(true));
    EXPECT_TRUE(a.value(QStringLiteral("error")).toString().contains(QStringLiteral("buffer"))) << a.value(QStringLiteral("error")).toString().toStdString();
    EXPECT_TRUE(closedByServer(*second));
    // The first goes on waiting for its bytes; other clients are served.
    EXPECT_EQ(first->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(server.client().select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
}

namespace {

// A blocking loopback connection without Qt, for a thread of its own.
int rawSocketTo(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval timeout{30, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends the bytes (a refusal may close the connection halfway) and reads one
// answer frame's body; empty when none came.
QByteArray sendAndReadAnswer(int fd, const QByteArray &bytes)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            break;
        sent += n;
    }
    QByteArray in;
    char chunk[65536];
    while (in.size() < 4 || in.size() < 4 + qint64(qFromBigEndian<quint32>(in.constData()))) {
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return {};
        in.append(chunk, qsizetype(n));
    }
    return in.mid(4, qFromBigEndian<quint32>(in.constData()));
}

QByteArray openRequest()
{
    return request(0, QStringLiteral("open"), QStringLiteral("QVXServer.QVSERVER01"));
}

// A request of `bytes` bytes whose arguments are the number 1 over and over.
QByteArray requestOfNumbers(qsizetype bytes)
{
    QByteArray body = R"({"id":1,"method":"cms_select1","args":[)";
    const qsizetype count = (bytes - body.size() - 3) / 2;
    body.reserve(bytes);
    for (qsizetype i = 0; i < count; ++i)
        body.append("1,", 2);
    body.append("1]}");
    return framed(body);
}

} // namespace

// A request takes many times its length once parsed: sixteen 16 MiB frames
// of small numbers at once must stay near the server's cap on unfinished
// requests (256 MiB), not multiply it.
TEST(AppServerLimits, ParsedRequestsStayWithinTheInputCap)
{
    {
        TestServer server;
        const int fd = rawSocketTo(server.port());
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(sendAndReadAnswer(fd, openRequest()).contains("true"));
        const QJsonObject refused = QJsonDocument::fromJson(sendAndReadAnswer(fd, requestOfNumbers(100000))).object();
        EXPECT_FALSE(refused.value(QStringLiteral("ok")).toBool(true));
        EXPECT_TRUE(refused.value(QStringLiteral("error")).toString().contains(QStringLiteral("values")))
            << refused.value(QStringLiteral("error")).toString().toStdString();
        // The connection goes on.
        EXPECT_TRUE(sendAndReadAnswer(fd, request(2, QStringLiteral("cms_select1"), QStringLiteral("select 1 as n")))
                        .contains("true"));
        ::close(fd);
    }
    {
        // A text counts again once parsed: 600 KiB of it would pass a 2 MiB cap.
        TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.maxBufferedBytes = 2 << 20; }});
        const int fd = rawSocketTo(server.port());
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(sendAndReadAnswer(fd, openRequest()).contains("true"));
        const QString text = QStringLiteral("select '%1' as x").arg(QString(600 * 1024, QLatin1Char('a')));
        const QJsonObject busy = QJsonDocument::fromJson(sendAndReadAnswer(fd, request(3, QStringLiteral("cms_select1"), text))).object();
        EXPECT_TRUE(busy.value(QStringLiteral("error")).toString().contains(QStringLiteral("Server busy")))
            << busy.value(QStringLiteral("error")).toString().toStdString();
        EXPECT_TRUE(sendAndReadAnswer(fd, request(4, QStringLiteral("cms_select1"), QStringLiteral("select 1 as n")))
                        .contains("true"));
        ::close(fd);
    }

    constexpr int Connections = 16;
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory([] {
        TestServer server;
        const QByteArray frame = requestOfNumbers(16 * 1024 * 1024 - 4);
        std::atomic<int> answered{0};
        std::vector<std::thread> clients;
        for (int i = 0; i < Connections; ++i) {
            clients.emplace_back([&] {
                const int fd = rawSocketTo(server.port());
                if (fd < 0)
                    return;
                if (sendAndReadAnswer(fd, openRequest()).contains("true") && !sendAndReadAnswer(fd, frame).isEmpty())
                    ++answered;
                ::close(fd);
            });
        }
        for (auto &t : clients)
            t.join();
        return answered.load();
    });
    ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_GT(peak.result, 0);
    // The frames in the server's buffers (256 MiB) with the allocator's room
    // around them as they grow; parsed, they took 2.3 GB.
    EXPECT_LT(peak.growth, 1LL << 30) << peak.result << " answered";
}

// A client that streams complete requests as fast as it can while it reads
// its answers: the server reads one chunk at a time, however many are
// waiting, and holds no more than its caps (each read once kept its own
// megabyte until all after it were done: 1.5 GB in 8 s, then bad_alloc).
TEST(AppServerLimits, AStreamOfCompleteRequestsIsReadWithinTheCaps)
{
    constexpr int Requests = 4000; // of 100 KB: 400 MB
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory(
        [] {
            TestServer server;
            const int fd = rawSocketTo(server.port());
            if (fd < 0 || !sendAndReadAnswer(fd, openRequest()).contains("true"))
                return 1;
            const QByteArray one = request(1, QStringLiteral("cms_time"), QString(100 * 1000, QLatin1Char('t')));
            std::atomic<bool> streaming{true};
            std::thread sender([&] {
                for (int i = 0; i < Requests; ++i) {
                    for (qsizetype sent = 0; sent < one.size();) {
                        const ssize_t n = ::send(fd, one.constData() + sent, size_t(one.size() - sent), MSG_NOSIGNAL);
                        if (n <= 0)
                            return;
                        sent += n;
                    }
                }
            });
            int answered = 0;
            bool othersServed = false;
            std::thread reader([&] {
                QByteArray in;
                char chunk[65536];
                while (answered < Requests) {
                    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
                    if (n <= 0)
                        break;
                    in.append(chunk, qsizetype(n));
                    qsizetype at = 0;
                    while (in.size() - at >= 4 && in.size() - at >= 4 + qint64(qFromBigEndian<quint32>(in.constData() + at))) {
                        const quint32 length = qFromBigEndian<quint32>(in.constData() + at);
                        if (QByteArray::fromRawData(in.constData() + at + 4, length).contains("\"ok\":true"))
                            ++answered;
                        at += 4 + length;
                    }
                    in.remove(0, at);
                }
                streaming = false;
            });
            // Another client is served while the stream goes on.
            auto other = server.newClient();
            othersServed = other->select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")) == 1
                && streaming.load();
            sender.join();
            reader.join();
            ::close(fd);
            return answered == Requests && othersServed ? 0 : 2 + answered;
        },
        2LL << 30);
    ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_EQ(peak.result, 0) << (peak.result - 2) << " of " << Requests << " answered";
    // About 16 MB; 231 MB when each read was held until the next was done.
    EXPECT_LT(peak.growth, 100LL << 20);
}

// A client may send its requests, end its sending side and read the
// answers: every request received before is answered, and a commit among
// them is reported as stored.
TEST(AppServerProtocol, AClientThatEndsItsSendingSideIsAnsweredEveryRequest)
{
    TestServer server;
    const int fd = rawSocketTo(server.port());
    ASSERT_GE(fd, 0);
    QByteArray requests = openRequest();
    requests += request(1, QStringLiteral("cms_insert1"),
                        QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'H01', 'half')"));
    requests += request(2, QStringLiteral("cms_insert1"), QStringLiteral("commit"));
    requests += request(3, QStringLiteral("cms_select1"),
                        QStringLiteral("select errcontents from error where errcode = 'H01'"));
    // An answer far longer than the socket's buffers: 50 rows of 120,000 characters.
    requests += request(4, QStringLiteral("cms_select1"),
                        QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s where n < 50) "
                                       "select hex(zeroblob(60000)) as big from s"));
    ASSERT_EQ(::send(fd, requests.constData(), size_t(requests.size()), MSG_NOSIGNAL), ssize_t(requests.size()));
    ::shutdown(fd, SHUT_WR);
    // Everything until the server closes its side too.
    QByteArray in;
    char chunk[65536];
    for (ssize_t n; (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0;)
        in.append(chunk, qsizetype(n));
    ::close(fd);
    QList<QJsonObject> answers;
    while (in.size() >= 4 && in.size() >= 4 + qint64(qFromBigEndian<quint32>(in.constData()))) {
        const quint32 length = qFromBigEndian<quint32>(in.constData());
        answers << QJsonDocument::fromJson(in.mid(4, length)).object();
        in.remove(0, qsizetype(length) + 4);
    }
    ASSERT_EQ(answers.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(answers[i].value(QStringLiteral("ok")).toBool()) << i << ": " << answers[i].value(QStringLiteral("error")).toString().toStdString();
        if (i > 0) {
            EXPECT_EQ(answers[i].value(QStringLiteral("id")).toInt(), i);
        }
    }
    EXPECT_EQ(answers[3].value(QStringLiteral("result")).toObject().value(QStringLiteral("rows")).toArray().at(0).toArray().at(0).toString(),
              QStringLiteral("half"));
    const QJsonArray bigRows = answers[4].value(QStringLiteral("result")).toObject().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(bigRows.size(), 50);
    EXPECT_EQ(bigRows.at(49).toArray().at(0).toString().size(), 120000);
    EXPECT_EQ(server.query(QStringLiteral("select count(*) as n from error where errcode = 'H01'")).valueInt(0, QStringLiteral("n")), 1);
}

TEST(AppServerLimits, AClientThatNeverReadsItsAnswersIsClosed)
{
    TestServer server(TestServer::Config{true, [](qvx::ServerOptions &o) { o.maxQueuedBytes = 256 * 1024; }});
    auto s = openedConnection(server);
    // 200 answers of 100 KB each, none of them read.
    QByteArray all;
    for (int i = 0; i < 200; ++i)
        all += request(i + 1, QStringLiteral("cms_select1"), QStringLiteral("select hex(zeroblob(50000)) as x"));
    s->write(all);
    while (s->bytesToWrite() > 0 && s->waitForBytesWritten(2000)) {
    }
    QThread::msleep(500);
    EXPECT_TRUE(closedByServer(*s, 10000));
    EXPECT_EQ(server.client().select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
}

TEST(AppServerLimits, StatementsThatReachTheFileSystemAreRefused)
{
    TestServer server;
    auto &app = server.client();
    const QString target = server.dir() + QStringLiteral("/copy.sqlite");
    // Both as a statement (inside the connection's transaction) and as a
    // query (outside of it).
    for (const QString &sql : {QStringLiteral("attach database '%1' as other").arg(target),
                               QStringLiteral("vacuum into '%1'").arg(target), QStringLiteral("detach database main")}) {
        for (const bool asQuery : {false, true}) {
            try {
                if (asQuery)
                    app.select(sql);
                else
                    app.execute(sql);
                FAIL() << "accepted: " << sql.toStdString();
            } catch (const AppServerError &e) {
                EXPECT_TRUE(e.message().contains(QStringLiteral("file system"))) << sql.toStdString() << ": " << e.message().toStdString();
            }
            app.execute(QStringLiteral("rollback"));
        }
    }
    try {
        app.select(QStringLiteral("select load_extension('%1/nothing.so') as x").arg(server.dir()));
        FAIL() << "load_extension was accepted";
    } catch (const AppServerError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("file system"))) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(app.select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
}

namespace {

// The error a statement gets; empty when it was accepted.
QString refusalOf(qvx::AppServer &app, const QString &sql, bool asQuery)
{
    try {
        if (asQuery)
            app.select(sql);
        else
            app.execute(sql);
    } catch (const AppServerError &e) {
        app.execute(QStringLiteral("rollback"));
        return e.message();
    }
    app.execute(QStringLiteral("rollback"));
    return QString();
}

} // namespace

// A tokenizer registered at a chosen address would take the server down with
// every client on it; other functions and virtual tables outside the
// programs' use are refused in the same way.
TEST(AppServerLimits, FunctionsAndVirtualTablesOutsideWhatTheProgramsUseAreRefused)
{
    TestServer server;
    auto &app = server.client();
    const struct
    {
        QString sql;
        const char *reason;
    } refused[] = {
        {QStringLiteral("select fts3_tokenizer('simple') as p"), "fts3_tokenizer"},
        {QStringLiteral("select fts3_tokenizer('evil', x'4141414141414141') as p"), "fts3_tokenizer"},
        {QStringLiteral("create virtual table temp.t using fts3(tokenize=evil)"), "virtual table"},
        {QStringLiteral("create virtual table temp.t using fts4(x)"), "virtual table"},
        {QStringLiteral("create virtual table temp.r using rtree(id, a, b)"), "virtual table"},
        {QStringLiteral("select sqlite_compileoption_used('ENABLE_FTS3') as x"), "sqlite_compileoption_used"},
        {QStringLiteral("select randomblob(16) as x"), "randomblob"},
        {QStringLiteral("select json_extract('{\"a\":1}', '$.a') as x"), "json_extract"},
    };
    for (const auto &r : refused) {
        for (const bool asQuery : {true, false}) {
            const QString error = refusalOf(app, r.sql, asQuery);
            EXPECT_TRUE(error.contains(QLatin1String("Refused")) && error.contains(QLatin1String(r.reason)))
                << r.sql.toStdString() << ": " << error.toStdString();
        }
    }
    // Nor through a column's default or an added column's check, which the
    // library runs later without asking.
    for (const QString &sql : {QStringLiteral("create table t(x default (randomblob(16)))"),
                               QStringLiteral("create table t(x default (sqlite_version()))"),
                               QStringLiteral("create temp table t(x, y default ( printf('%d', 5)))"),
                               QStringLiteral("create table t(x default(`random`()))"),
                               QStringLiteral("alter table error add column q default (random())"),
                               QStringLiteral("alter table error add column q check (hex(randomblob(1)) is not null)")}) {
        for (const bool asQuery : {true, false}) {
            const QString error = refusalOf(app, sql, asQuery);
            EXPECT_TRUE(error.startsWith(QLatin1String("Refused: the function "))) << sql.toStdString() << ": " << error.toStdString();
        }
    }
    EXPECT_EQ(app.select(QStringLiteral("select count(*) as n from sqlite_master where name = 't'")).valueInt(0, QStringLiteral("n")), 0);
    // No statement makes a value longer than any the programs store.
    for (const bool asQuery : {true, false}) {
        const QString error = refusalOf(app, QStringLiteral("select hex(zeroblob(40000000)) as x"), asQuery);
        EXPECT_TRUE(error.contains(QLatin1String("too big"))) << error.toStdString();
    }
    // The library's own virtual tables are gone too.
    for (const QString &sql : {QStringLiteral("select * from dbstat"), QStringLiteral("select * from sqlite_stmt"),
                               QStringLiteral("select * from json_each('[1]')")})
        EXPECT_FALSE(refusalOf(app, sql, true).isEmpty()) << sql.toStdString();

    // The functions of the programs' statements are there.
    const qvx::ResultSet rs = app.select(QStringLiteral(
        "select concat('a', \"-\", 'b') as c, if(1 = 1, 'y', 'n') as i, left('abc', 2) as l, lpad('7', 3, '0') as p, "
        "ifnull(null, 'x') as n, count(*) as k, max(errcode) as m, lower('AB') as w, substring('abcd', 2, 2) as s, "
        "hex(zeroblob(2)) as h from error"));
    EXPECT_EQ(rs.value(0, QStringLiteral("c")), QStringLiteral("a-b"));
    EXPECT_EQ(rs.value(0, QStringLiteral("i")), QStringLiteral("y"));
    EXPECT_EQ(rs.value(0, QStringLiteral("l")), QStringLiteral("ab"));
    EXPECT_EQ(rs.value(0, QStringLiteral("p")), QStringLiteral("007"));
    EXPECT_EQ(rs.value(0, QStringLiteral("s")), QStringLiteral("bc"));
    EXPECT_EQ(rs.value(0, QStringLiteral("h")), QStringLiteral("0000"));
    EXPECT_EQ(app.select(QStringLiteral("select 1 as one")).valueInt(0, QStringLiteral("one")), 1);
}

// The inspection tool runs what an administrator types, table changes
// included: the library's own work for them is not refused, what the new
// columns compute is checked as any statement.
TEST(AppServerLimits, TheToolsTableChangesRun)
{
    TestServer server;
    auto &app = server.client();
    for (const QString &sql :
         {QStringLiteral("create table memo (a varchar(10) default 'x', b varchar(10) default (upper('y')) check (length(b) < 5))"),
          QStringLiteral("alter table memo add column c int default 7"), QStringLiteral("alter table memo rename column a to a2"),
          QStringLiteral("alter table memo rename to memo2"), QStringLiteral("alter table memo2 drop column c"),
          QStringLiteral("insert into memo2 (a2) values ('z')"), QStringLiteral("commit")})
        EXPECT_NO_THROW(app.execute(sql)) << sql.toStdString();
    const qvx::ResultSet rs = app.select(QStringLiteral("select * from memo2"));
    EXPECT_EQ(rs.columnNames(), (QStringList{QStringLiteral("a2"), QStringLiteral("b")}));
    EXPECT_EQ(rs.value(0, QStringLiteral("b")), QStringLiteral("Y"));
    // What the library runs for them stays out of reach of a statement.
    EXPECT_TRUE(refusalOf(app, QStringLiteral("select printf('%d', 1) as x"), true).contains(QLatin1String("printf")));
}

// Pragmas that would keep the write lock past a transaction, move every
// connection's temporary files or let a statement break the schema are
// refused; those that read are answered.
TEST(AppServerLimits, PragmasThatChangeLockingFilesOrTheSchemaAreRefused)
{
    TestServer server;
    auto &app = server.client();
    for (const QString &sql :
         {QStringLiteral("pragma locking_mode = exclusive"), QStringLiteral("pragma main.locking_mode=EXCLUSIVE"),
          QStringLiteral("pragma temp_store_directory = '%1'").arg(server.dir()),
          QStringLiteral("pragma writable_schema = 1"), QStringLiteral("pragma journal_mode = delete"),
          QStringLiteral("pragma busy_timeout = 1"), QStringLiteral("pragma schema_version = 1"),
          QStringLiteral("pragma mmap_size = 1000000"), QStringLiteral("pragma query_only = 1"),
          QStringLiteral("select * from pragma_locking_mode")}) {
        for (const bool asQuery : {true, false}) {
            const QString error = refusalOf(app, sql, asQuery);
            EXPECT_TRUE(error.contains(QLatin1String("Refused")) || error.contains(QLatin1String("not authorized")))
                << sql.toStdString() << ": " << error.toStdString();
        }
    }
    // The lock is not kept: after a commit another client writes at once.
    app.execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'P01', 'first')"));
    app.execute(QStringLiteral("commit"));
    auto other = server.newClient();
    other->execute(QStringLiteral("insert into error (bankid, errcode, errcontents) values ('ZZ', 'P02', 'second')"));
    other->execute(QStringLiteral("commit"));
    EXPECT_GE(other->maxSeqNo(1), 0);

    EXPECT_GT(app.select(QStringLiteral("pragma table_info(error)")).recordCount(), 2);
    EXPECT_EQ(app.select(QStringLiteral("pragma journal_mode")).value(0, 0), QStringLiteral("wal"));
    EXPECT_EQ(app.select(QStringLiteral("pragma integrity_check")).value(0, 0), QStringLiteral("ok"));
}

namespace {

class AppServerAnswers : public qvx::testing::BackendTest
{
};

} // namespace

// A value whose bytes are no UTF-8 (a blob, a text stored in another
// encoding) comes back with U+FFFD in their place: the whole answer stays
// readable by a strict reader.
TEST_P(AppServerAnswers, BytesThatAreNoUtf8ComeBackReplaced)
{
    TestServer server(serverConfig());
    auto &app = server.client();
    const qvx::ResultSet rs = app.select(QStringLiteral("select x'ff80c3' as b, 'a' as t, x'41c3a9' as e"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_TRUE(rs.value(0, QStringLiteral("b")).contains(QChar(0xFFFD))) << rs.value(0, QStringLiteral("b")).toStdString();
    EXPECT_EQ(rs.value(0, QStringLiteral("t")), QStringLiteral("a"));
    EXPECT_EQ(rs.value(0, QStringLiteral("e")), QStringLiteral("Aé"));

    // Short and long texts, alone and after good text, as bytes on the wire.
    const QString xs(40, QLatin1Char('x'));
    auto s = openedConnection(server);
    s->write(request(1, QStringLiteral("cms_select1"),
                     QStringLiteral("select concat('한글', x'ed') as short_text, concat('%1', x'c0af') as long_text, "
                                    "x'f4908080' as beyond, x'eda080' as surrogate")
                         .arg(xs)));
    QByteArray raw = s->property("pending").toByteArray();
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        if (raw.size() >= 4 && raw.size() >= 4 + qint64(qFromBigEndian<quint32>(raw.constData())))
            break;
        s->waitForReadyRead(100);
        raw += s->readAll();
    }
    ASSERT_GE(raw.size(), 4);
    const QByteArray body = raw.mid(4, qFromBigEndian<quint32>(raw.constData()));
    EXPECT_TRUE(qvx::JsonWriter::ValidUtf8(body.constData(), body.size())) << body.toStdString();
    const QJsonObject answer = QJsonDocument::fromJson(body).object();
    ASSERT_TRUE(answer.value(QStringLiteral("ok")).toBool()) << body.toStdString();
    const QJsonArray row = answer.value(QStringLiteral("result")).toObject().value(QStringLiteral("rows")).toArray()[0].toArray();
    EXPECT_EQ(row[0].toString(), QStringLiteral("한글\uFFFD"));
    EXPECT_TRUE(row[1].toString().startsWith(xs));
    EXPECT_TRUE(row[1].toString().endsWith(QChar(0xFFFD)));
}

QVX_ON_EVERY_BACKEND(AppServerAnswers);

namespace {

class AnswerMemory : public qvx::testing::BackendTest
{
protected:
    std::shared_ptr<qvx::Database> database()
    {
        if (onMariaDb())
            return freshDatabase(false);
        return std::make_shared<qvx::SqliteDatabase>(m_dir.filePath(QStringLiteral("empty.sqlite")));
    }

    // Rows of short texts and numbers, the shape of a long list screen's
    // answer: 10,000 rows for each of `hundreds`.
    static QString smallCells(int hundreds)
    {
        return QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s where n < 100) "
                              "select a.n as a, b.n as b, a.n + b.n as c, a.n * 2 as d, b.n * 3 as e, 'ab' as f, "
                              "'한글' as g, a.n - b.n as h, 'x' as i, 'yz' as j from s a, s b, s c where c.n <= %1")
            .arg(hundreds);
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

// An answer is written as its rows come, not gathered whole and copied:
// the peak stays near the answer's own length. And an answer longer than
// the client reads is refused while it is made, within a bounded memory.
TEST_P(AnswerMemory, TheAnswerIsTheOnlyCopyAndIsRefusedPastTheCap)
{
    const std::shared_ptr<qvx::Database> db = database();
    qint64 answerBytes = 0;
    const testing_support::PeakMemory listed = testing_support::MeasurePeakMemory([&] {
        auto c = db->connect();
        return int(c->queryJson(smallCells(60)).size() / 1024);
    });
    ASSERT_TRUE(listed.ended) << "signal " << listed.signal;
    answerBytes = qint64(listed.result) * 1024;
    EXPECT_GT(answerBytes, 30LL << 20);
    EXPECT_LT(listed.growth, answerBytes * 2 + (16 << 20)) << "answer " << answerBytes << " bytes";

    // About 600 MiB, past the 512 MiB a client reads: 600 texts of 1 MiB, or
    // on SQLite, whose values are capped far lower, 6,000 of 100 KiB.
    const QString huge = onMariaDb()
                             ? QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s where n < "
                                              "600) select repeat('x', 1048576) as x from s")
                             : QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s where n < "
                                              "6000) select hex(zeroblob(52429)) as x from s");
    const testing_support::PeakMemory refused = testing_support::MeasurePeakMemory(
        [&] {
            auto c = db->connect();
            try {
                c->queryJson(huge);
            } catch (const qvx::DbError &e) {
                if (!e.message().contains(QLatin1String("Answer too large")))
                    return 2;
                // The connection goes on with its next statement.
                return c->query(QStringLiteral("select 7 as n")).value(0, 0) == QLatin1String("7") ? 1 : 3;
            }
            return 0;
        },
        1536LL << 20);
    ASSERT_TRUE(refused.ended) << "signal " << refused.signal;
    EXPECT_EQ(refused.result, 1);
    EXPECT_LT(refused.growth, qvx::AppServer::MaxAnswerBytes * 3 / 2);
}

// Four clients each asking for a 100 MB answer at once, under a room for
// answers in flight of 200 MiB: what does not fit is refused as busy (not
// built beside the others: 1,758 MB for four of 456 MB), one answer at
// least is made whole, and a small answer is served meanwhile.
TEST_P(AnswerMemory, TheAnswersOfAllConnectionsTogetherAreCapped)
{
    const QString big = onMariaDb() ? QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s "
                                                     "where n < 1000) select repeat('x', 100000) as x from s")
                                    : QStringLiteral("with recursive s(n) as (select 1 union all select n + 1 from s "
                                                     "where n < 1000) select hex(zeroblob(50000)) as x from s");
    const TestServer::Config config = serverConfig(
        TestServer::Config{true, [](qvx::ServerOptions &o) { o.maxAnswerBytes = 200LL << 20; }, true, false, nullptr});
    const testing_support::PeakMemory peak = testing_support::MeasurePeakMemory(
        [&] {
            TestServer server(config);
            std::atomic<int> whole{0}, busy{0}, other{0};
            std::vector<std::thread> clients;
            for (int i = 0; i < 4; ++i) {
                clients.emplace_back([&] {
                    const int fd = rawSocketTo(server.port());
                    if (fd < 0 || !sendAndReadAnswer(fd, openRequest()).contains("true"))
                        return;
                    const QByteArray ask = request(1, QStringLiteral("cms_select1"), big);
                    ::send(fd, ask.constData(), size_t(ask.size()), MSG_NOSIGNAL);
                    // The answer's head kept, the rest read and dropped.
                    QByteArray head;
                    qint64 left = -1;
                    char chunk[65536];
                    while (left != 0) {
                        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
                        if (n <= 0)
                            break;
                        if (head.size() < 256)
                            head.append(chunk, qsizetype(qMin<ssize_t>(n, 256)));
                        if (left < 0 && head.size() >= 4)
                            left = qint64(qFromBigEndian<quint32>(head.constData())) + 4;
                        left -= n;
                    }
                    ::close(fd);
                    if (left == 0 && head.contains("\"ok\":true"))
                        ++whole;
                    else if (left == 0 && head.contains("Server busy"))
                        ++busy;
                    else
                        ++other;
                });
            }
            int small = 0;
            try {
                small = server.newClient()->select(QStringLiteral("select 7 as n")).valueInt(0, QStringLiteral("n"));
            } catch (const AppServerError &) {
            }
            for (auto &t : clients)
                t.join();
            return whole >= 1 && whole + busy == 4 && other == 0 && small == 7 ? 0 : 100 + whole * 10 + busy;
        },
        3LL << 30);
    ASSERT_TRUE(peak.ended) << "signal " << peak.signal;
    EXPECT_EQ(peak.result, 0);
    EXPECT_LT(peak.growth, 320LL << 20);
}

QVX_ON_EVERY_BACKEND(AnswerMemory);
