// The client's side of the server link without a real server: result sets,
// and a peer that never answers or refuses the connection.

#include "platform/AppServer.h"

#include <QElapsedTimer>
#include <QTcpServer>

#include <gtest/gtest.h>

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
