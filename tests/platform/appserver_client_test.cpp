// The client's side of the server link without a real server: result sets,
// a peer that never answers or refuses the connection, and a peer whose
// answers are no answers of the protocol.

#include "platform/AppServer.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QtEndian>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

using qvx::AppServerError;
using qvx::ResultSet;

TEST(ResultSet, ColumnsByNameWithoutRegardToCaseAndCursorWalk)
{
    ResultSet rs({QStringLiteral("BankId"), QStringLiteral("SeqNo")},
                 {{QStringLiteral("04"), QStringLiteral(" 1001 ")}, {QStringLiteral("20"), QString()}});
    EXPECT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.value(0, QStringLiteral("bankid")), QStringLiteral("04"));
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("SEQNO")), 1001);
    EXPECT_EQ(rs.valueInt(1, QStringLiteral("seqno")), 0); // NULL reads as 0
    EXPECT_THROW(rs.value(0, QStringLiteral("nosuch")), qvx::ResultSetError);
    EXPECT_EQ(rs.valueInt(0, QStringLiteral("BankId")), 4);

    QStringList seen;
    for (rs.first(); !rs.eof(); rs.next())
        seen << rs.fieldByName(QStringLiteral("BANKID"));
    EXPECT_EQ(seen, (QStringList{QStringLiteral("04"), QStringLiteral("20")}));
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.fieldByName(QStringLiteral("bankid")), QString()); // past the end: empty

    ResultSet empty({QStringLiteral("a")}, {});
    EXPECT_TRUE(empty.eof());
    EXPECT_EQ(empty.fieldByNameInt(QStringLiteral("a")), 0);

    ResultSet text({QStringLiteral("a")}, {{QStringLiteral("12x")}});
    EXPECT_THROW(text.fieldByNameInt(QStringLiteral("a")), qvx::ResultSetError);
}

TEST(TcpAppServer, ConnectionRefusedAndCallsWhenClosed)
{
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close(); // nothing listens there now

    qvx::TcpAppServer app;
    try {
        app.open(QStringLiteral("127.0.0.1"), port);
        FAIL() << "connected";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::ConnectionClosed);
        EXPECT_TRUE(e.connectionClosed());
    }
    EXPECT_FALSE(app.isOpen());
    try {
        app.select(QStringLiteral("select 1"));
        FAIL() << "answered";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::ConnectionClosed);
    }
}

TEST(TcpAppServer, APeerThatNeverAnswersTimesOut)
{
    // The connection is accepted by the system but nobody reads or answers.
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    qvx::TcpAppServer app;
    app.setTimeoutMs(300);
    QElapsedTimer timer;
    timer.start();
    try {
        app.open(QStringLiteral("127.0.0.1"), silent.serverPort());
        FAIL() << "opened";
    } catch (const AppServerError &e) {
        EXPECT_EQ(e.kind(), AppServerError::Kind::Timeout);
    }
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(app.isOpen());
}

namespace {

// A peer on a thread of its own (the client's calls block): accepts one
// connection, reads each request frame and answers it with the next of
// `bodies` (the request's id is not looked at: the client asks 1, 2, ...).
class ScriptedPeer
{
public:
    explicit ScriptedPeer(QList<QByteArray> bodies)
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(m_listener, 1);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this, bodies] {
            const int peer = ::accept(m_listener, nullptr, nullptr);
            for (const QByteArray &body : bodies) {
                if (!readFrame(peer))
                    break;
                QByteArray frame(4, '\0');
                qToBigEndian<quint32>(quint32(body.size()), frame.data());
                frame += body;
                ::send(peer, frame.constData(), size_t(frame.size()), MSG_NOSIGNAL);
            }
            readFrame(peer); // until the client closes
            ::close(peer);
        });
    }
    ~ScriptedPeer()
    {
        m_thread.join();
        ::close(m_listener);
    }
    quint16 port() const { return m_port; }

private:
    static bool readAll(int fd, char *to, size_t bytes)
    {
        while (bytes > 0) {
            const ssize_t n = ::recv(fd, to, bytes, 0);
            if (n <= 0)
                return false;
            to += n;
            bytes -= size_t(n);
        }
        return true;
    }
    static bool readFrame(int fd)
    {
        char head[4];
        if (!readAll(fd, head, 4))
            return false;
        QByteArray body(qFromBigEndian<quint32>(head), Qt::Uninitialized);
        return readAll(fd, body.data(), size_t(body.size()));
    }

    int m_listener = -1;
    quint16 m_port = 0;
    std::thread m_thread;
};

} // namespace

TEST(TcpAppServer, AnAnswerOfAnotherShapeIsAnErrorNeverRows)
{
    const QByteArray opened = R"({"id":1,"ok":true,"result":{"server":"QVXServer.QVSERVER01","database":"quvex"}})";
    for (const QByteArray &answer : QList<QByteArray>{
             R"({"id":2,"ok":true,"result":{"columns":["a"],"rows":["x"]}})",
             R"({"id":2,"ok":true,"result":{"columns":["a"],"rows":[[5]]}})",
             R"({"id":2,"ok":true,"result":{"columns":[1],"rows":[]}})",
             R"({"id":2,"ok":true,"result":{"columns":["a"],"rows":[["x"]]})",
             R"({"id":2,"ok":true,"result":{"columns":["a"],"rows":[["x\"]]}})",
             R"({"id":2,"ok":true,"result":5})",
         }) {
        ScriptedPeer peer({opened, answer});
        qvx::TcpAppServer app;
        app.setTimeoutMs(5000);
        app.open(QStringLiteral("127.0.0.1"), peer.port());
        try {
            const ResultSet rs = app.select(QStringLiteral("select a from t"));
            ADD_FAILURE() << "read " << rs.recordCount() << " rows from " << answer.constData();
        } catch (const AppServerError &e) {
            EXPECT_EQ(e.kind(), AppServerError::Kind::Protocol) << answer.constData();
        }
        app.close();
    }
}
