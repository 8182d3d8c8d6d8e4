#pragma once

#include "platform/ResultSet.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>

#include <memory>

class QDeadlineTimer;
class QTcpSocket;

namespace qvx {

// A failed application-server call. message() is the server's own text (for a
// SQL error the database's message); kind() tells a closed or lost connection
// and a time-out apart from an error the server reported.
class AppServerError : public TextError
{
public:
    enum class Kind {
        Server,           // the server answered with an error (SQL error, refused call, ...)
        ConnectionClosed, // not open, refused, or the connection dropped
        Timeout,          // no answer within the time limit (the connection is closed)
        Protocol          // an answer that could not be understood (the connection is closed)
    };

    AppServerError(Kind kind, const QString &message);

    Kind kind() const { return m_kind; }
    bool connectionClosed() const { return m_kind != Kind::Server; }

private:
    Kind m_kind;
};

// The client's side of the application server. Every call is a blocking round
// trip; every failure throws AppServerError.
class AppServer
{
public:
    // The longest answer a client reads; the server refuses to make a longer one.
    static constexpr qint64 MaxAnswerBytes = 512LL * 1024 * 1024;

    virtual ~AppServer();

    // cms_select1: the rows of one SELECT (also "show tables").
    virtual ResultSet select(const QString &sql) = 0;
    // cms_select2: the same, for the second dataset.
    virtual ResultSet select2(const QString &sql) = 0;
    // cms_insert1: one INSERT, UPDATE or DELETE, or "commit" / "rollback".
    virtual void execute(const QString &sql) = 0;
    // max_seqno: base b reserving b+1..b+n; -1 busy (ask again); -2 database error.
    virtual int maxSeqNo(int n) = 0;
    // cms_senddesc: 1 accepted; 0 the rows are not stored yet; -1 busy.
    virtual int sendDesc(const QString &serviceCode, const QString &userId, const QString &firstNo,
                         const QString &lastNo, const QString &time) = 0;
    // cms_time: the server's clock as "yyyymmddhhnnss".
    virtual QString serverTime() = 0;
    // Get_Comm_Msg: 1 the notice text, 2 the firm's SMS id ("" when none).
    virtual QString commMsg(int kind) = 0;
    // get_bankstate: kind "1" state of a bank, "2" open all banks, "3" open one bank.
    virtual QString bankState(const QString &bankId, const QString &firmId, const QString &kind) = 0;

    virtual bool isOpen() const = 0;
};

// AppServer over TCP (the length-prefixed JSON protocol of backend/PROTOCOL.md).
// Calls block the calling thread (QTcpSocket::waitFor...), so they can be made
// from the UI thread; no event processing happens while waiting. A call that
// gets no answer within timeoutMs() throws Kind::Timeout and closes the
// connection, so a later answer can never be taken for another call's.
// The object belongs to the thread that created it.
class TcpAppServer : public AppServer
{
public:
    static constexpr const char *ClientServerName = "QVXServer.QVSERVER01";
    static constexpr const char *ToolServerName = "QVXServer.QVSERVER";

    TcpAppServer();
    ~TcpAppServer() override;
    TcpAppServer(const TcpAppServer &) = delete;
    TcpAppServer &operator=(const TcpAppServer &) = delete;

    // Connects and opens the named server object; closes a connection that was
    // open before. Throws AppServerError (ConnectionClosed when it cannot
    // connect, Server when the server refuses the name).
    void open(const QString &host, quint16 port, const QString &serverName = QString::fromLatin1(ClientServerName));
    bool isOpen() const override;
    void close();

    QString host() const { return m_host; }
    quint16 port() const { return m_port; }

    void setTimeoutMs(int ms) { m_timeoutMs = ms; }      // per call, default 60000
    int timeoutMs() const { return m_timeoutMs; }

    ResultSet select(const QString &sql) override;
    ResultSet select2(const QString &sql) override;
    void execute(const QString &sql) override;
    int maxSeqNo(int n) override;
    int sendDesc(const QString &serviceCode, const QString &userId, const QString &firstNo,
                 const QString &lastNo, const QString &time) override;
    QString serverTime() override;
    QString commMsg(int kind) override;
    QString bankState(const QString &bankId, const QString &firmId, const QString &kind) override;

    // One request by method name; returns the "result" of the answer.
    QJsonValue call(const QString &method, const QJsonArray &args);

    // Turns the "result" of a select answer into a ResultSet (throws Protocol).
    static ResultSet resultSetFromJson(const QJsonValue &result);

private:
    QJsonValue roundTrip(const QString &method, const QJsonArray &args);
    void takeServerNotice();
    // Sends one request and returns the body of its answer frame.
    QByteArray exchange(const QString &method, const QJsonArray &args, qint64 *requestId);
    // Waits for more of an answer; throws when the connection closed or the
    // call's time is up.
    void waitForAnswer(const QDeadlineTimer &deadline, const QString &method);
    QJsonValue readAnswer(const QByteArray &answerBody, qint64 id);
    ResultSet query(const QString &method, const QString &sql);
    [[noreturn]] void fail(AppServerError::Kind kind, const QString &message);

    std::unique_ptr<QTcpSocket> m_socket;
    QString m_host;
    quint16 m_port = 0;
    qint64 m_nextId = 1;
    int m_timeoutMs = 60000;
    int m_connectTimeoutMs = 5000;
    QByteArray m_buffer;
};

} // namespace qvx
