#include "platform/AppServer.h"

#include "platform/ResultSetJson.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QtEndian>

#include <cstring>

namespace qvx {

AppServerError::AppServerError(Kind kind, const QString &message)
    : TextError(message), m_kind(kind)
{
}

AppServer::~AppServer() = default;

TcpAppServer::TcpAppServer() = default;

TcpAppServer::~TcpAppServer()
{
    close();
}

void TcpAppServer::open(const QString &host, quint16 port, const QString &serverName)
{
    close();
    m_host = host;
    m_port = port;
    m_socket = std::make_unique<QTcpSocket>();
    m_socket->connectToHost(host, port);
    if (!m_socket->waitForConnected(m_connectTimeoutMs)) {
        const QString why = m_socket->errorString();
        m_socket.reset();
        throw AppServerError(AppServerError::Kind::ConnectionClosed,
                             QStringLiteral("Cannot connect to %1:%2 (%3)").arg(host).arg(port).arg(why));
    }
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    try {
        roundTrip(QStringLiteral("open"), QJsonArray{serverName});
    } catch (const AppServerError &) {
        close();
        throw;
    }
}

bool TcpAppServer::isOpen() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

void TcpAppServer::close()
{
    if (m_socket) {
        m_socket->abort();
        m_socket.reset();
    }
    m_buffer.clear();
}

void TcpAppServer::fail(AppServerError::Kind kind, const QString &message)
{
    close();
    throw AppServerError(kind, message);
}

// Every answer is read by the call that asked for it, so bytes that wait
// before a request is sent are a message of the server's own: why it closed
// the connection (an open transaction left idle too long, for one).
void TcpAppServer::takeServerNotice()
{
    if (!m_socket)
        return;
    if (m_socket->bytesAvailable() == 0 && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->waitForReadyRead(0);
    m_buffer.append(m_socket->readAll());
    if (m_buffer.size() < 4)
        return;
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > AppServer::MaxAnswerBytes || m_buffer.size() < qint64(length) + 4)
        return;
    const QJsonObject notice = QJsonDocument::fromJson(m_buffer.mid(4, length)).object();
    const QString message = notice.value(QStringLiteral("error")).toString(QStringLiteral("The server closed the connection"));
    fail(AppServerError::Kind::ConnectionClosed, message);
}

QByteArray TcpAppServer::exchange(const QString &method, const QJsonArray &args, qint64 *requestId)
{
    takeServerNotice();
    if (!isOpen())
        throw AppServerError(AppServerError::Kind::ConnectionClosed, QStringLiteral("Connection is closed"));

    const qint64 id = m_nextId++;
    *requestId = id;
    QJsonObject request{{QStringLiteral("id"), id}, {QStringLiteral("method"), method}, {QStringLiteral("args"), args}};
    const QByteArray requestBody = QJsonDocument(request).toJson(QJsonDocument::Compact);
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(quint32(requestBody.size()), frame.data());
    frame.append(requestBody);

    QDeadlineTimer deadline(m_timeoutMs);
    if (m_socket->write(frame) != frame.size())
        fail(AppServerError::Kind::ConnectionClosed, QStringLiteral("Connection lost: %1").arg(m_socket->errorString()));
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime())))) {
            if (deadline.hasExpired())
                fail(AppServerError::Kind::Timeout, QStringLiteral("The server did not answer %1 in time").arg(method));
            fail(AppServerError::Kind::ConnectionClosed, QStringLiteral("Connection lost: %1").arg(m_socket->errorString()));
        }
    }

    // The answer's length first, then its body read straight into a buffer
    // of that size: the answer to a long select is tens of megabytes, and
    // each copy of it on the way costs.
    while (m_buffer.size() < 4) {
        if (m_socket->bytesAvailable() > 0)
            m_buffer.append(m_socket->read(4 - m_buffer.size()));
        else
            waitForAnswer(deadline, method);
    }
    const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
    if (length > AppServer::MaxAnswerBytes)
        fail(AppServerError::Kind::Protocol, QStringLiteral("Answer too large"));
    if (m_buffer.size() >= qint64(length) + 4) {
        QByteArray body = m_buffer.mid(4, length);
        m_buffer.remove(0, 4 + qsizetype(length));
        return body;
    }
    QByteArray body(qsizetype(length), Qt::Uninitialized);
    qint64 have = m_buffer.size() - 4;
    std::memcpy(body.data(), m_buffer.constData() + 4, size_t(have));
    m_buffer.clear();
    while (have < qint64(length)) {
        const qint64 n = m_socket->read(body.data() + have, qint64(length) - have);
        if (n < 0)
            fail(AppServerError::Kind::ConnectionClosed, QStringLiteral("Connection lost: %1").arg(m_socket->errorString()));
        if (n > 0)
            have += n;
        else
            waitForAnswer(deadline, method);
    }
    return body;
}

void TcpAppServer::waitForAnswer(const QDeadlineTimer &deadline, const QString &method)
{
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        fail(AppServerError::Kind::ConnectionClosed, QStringLiteral("The server closed the connection"));
    if (deadline.hasExpired())
        fail(AppServerError::Kind::Timeout, QStringLiteral("The server did not answer %1 in time").arg(method));
    if (m_socket->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))) || m_socket->bytesAvailable() > 0)
        return;
    if (m_socket->state() != QAbstractSocket::ConnectedState)
        fail(AppServerError::Kind::ConnectionClosed, QStringLiteral("The server closed the connection"));
    if (deadline.hasExpired())
        fail(AppServerError::Kind::Timeout, QStringLiteral("The server did not answer %1 in time").arg(method));
}

QJsonValue TcpAppServer::roundTrip(const QString &method, const QJsonArray &args)
{
    qint64 id = 0;
    const QByteArray body = exchange(method, args, &id);
    return readAnswer(body, id);
}

QJsonValue TcpAppServer::readAnswer(const QByteArray &answerBody, qint64 id)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(answerBody, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject())
        fail(AppServerError::Kind::Protocol, QStringLiteral("Unreadable answer from the server"));
    const QJsonObject answer = doc.object();
    const QJsonValue answerId = answer.value(QStringLiteral("id"));
    if (!answerId.isNull() && answerId.toInteger(-1) != id)
        fail(AppServerError::Kind::Protocol, QStringLiteral("Answer to another request"));
    if (!answer.value(QStringLiteral("ok")).toBool()) {
        const QString message = answer.value(QStringLiteral("error")).toString(QStringLiteral("Server error"));
        if (answerId.isNull()) // the server refused the request as such and closes
            fail(AppServerError::Kind::Protocol, message);
        throw AppServerError(AppServerError::Kind::Server, message);
    }
    return answer.value(QStringLiteral("result"));
}

QJsonValue TcpAppServer::call(const QString &method, const QJsonArray &args)
{
    return roundTrip(method, args);
}

ResultSet TcpAppServer::resultSetFromJson(const QJsonValue &result)
{
    const QJsonObject o = result.toObject();
    const QJsonValue columnsValue = o.value(QStringLiteral("columns"));
    const QJsonValue rowsValue = o.value(QStringLiteral("rows"));
    if (!columnsValue.isArray() || !rowsValue.isArray())
        throw AppServerError(AppServerError::Kind::Protocol, QStringLiteral("Unreadable result set"));
    // Names are texts, rows are lists of texts and nulls: anything else is
    // no answer of the protocol, never rows to show.
    const auto unreadable = [] {
        return AppServerError(AppServerError::Kind::Protocol, QStringLiteral("Unreadable result set"));
    };
    QStringList columns;
    for (const QJsonValue &c : columnsValue.toArray()) {
        if (!c.isString())
            throw unreadable();
        columns.append(c.toString());
    }
    ResultSet rs(std::move(columns));
    QStringList row;
    for (const QJsonValue &r : rowsValue.toArray()) {
        if (!r.isArray())
            throw unreadable();
        row.clear();
        for (const QJsonValue &v : r.toArray()) {
            if (!v.isNull() && !v.isString())
                throw unreadable();
            row.append(v.isNull() ? QString() : v.toString());
        }
        rs.appendRow(row);
    }
    return rs;
}

ResultSet TcpAppServer::query(const QString &method, const QString &sql)
{
    qint64 id = 0;
    const QByteArray body = exchange(method, QJsonArray{sql}, &id);
    // A query's answer is read straight into its rows; anything else (or
    // anything unexpected) goes through the ordinary reading.
    QueryAnswer answer;
    if (!ReadQueryAnswer(body, &answer) || !answer.ok || answer.idNull || answer.id != id)
        return resultSetFromJson(readAnswer(body, id));
    return std::move(answer.rows);
}

ResultSet TcpAppServer::select(const QString &sql)
{
    return query(QStringLiteral("cms_select1"), sql);
}

ResultSet TcpAppServer::select2(const QString &sql)
{
    return query(QStringLiteral("cms_select2"), sql);
}

void TcpAppServer::execute(const QString &sql)
{
    roundTrip(QStringLiteral("cms_insert1"), QJsonArray{sql});
}

int TcpAppServer::maxSeqNo(int n)
{
    return int(roundTrip(QStringLiteral("max_seqno"), QJsonArray{n}).toInteger(-2));
}

int TcpAppServer::sendDesc(const QString &serviceCode, const QString &userId, const QString &firstNo,
                           const QString &lastNo, const QString &time)
{
    return int(roundTrip(QStringLiteral("cms_senddesc"), QJsonArray{serviceCode, userId, firstNo, lastNo, time})
                   .toInteger(-1));
}

QString TcpAppServer::serverTime()
{
    return roundTrip(QStringLiteral("cms_time"), QJsonArray{}).toString();
}

QString TcpAppServer::commMsg(int kind)
{
    return roundTrip(QStringLiteral("Get_Comm_Msg"), QJsonArray{kind}).toString();
}

QString TcpAppServer::bankState(const QString &bankId, const QString &firmId, const QString &kind)
{
    return roundTrip(QStringLiteral("get_bankstate"), QJsonArray{bankId, firmId, kind}).toString();
}

} // namespace qvx
