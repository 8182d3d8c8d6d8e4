#include "backend/AppServerConnection.h"

#include "backend/ServerContext.h"
#include "backend/ServerSession.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QtEndian>

#include <sys/socket.h>

namespace qvx {

namespace {
constexpr qint64 MaxPendingAnswerBytes = 512LL * 1024 * 1024;
}

AppServerConnection::AppServerConnection(std::shared_ptr<ServerContext> context, qintptr socketDescriptor)
    : m_context(std::move(context)), m_descriptor(socketDescriptor)
{
}

AppServerConnection::~AppServerConnection()
{
    m_session.reset();
    delete m_socket;
}

QByteArray AppServerConnection::frame(const QJsonObject &answer)
{
    const QByteArray body = QJsonDocument(answer).toJson(QJsonDocument::Compact);
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(body.size()), out.data());
    out.append(body);
    return out;
}

void AppServerConnection::start()
{
    m_partialTimer = new QTimer(this);
    m_partialTimer->setSingleShot(true);
    connect(m_partialTimer, &QTimer::timeout, this,
            [this] { refuseAndClose(QStringLiteral("Incomplete request: the rest did not arrive in time")); });
    m_socket = new QTcpSocket;
    if (!m_socket->setSocketDescriptor(m_descriptor)) {
        finish();
        return;
    }
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    m_session = std::make_unique<ServerSession>(*m_context);
    connect(m_socket, &QTcpSocket::readyRead, this, &AppServerConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &AppServerConnection::finish);
    if (m_socket->bytesAvailable() > 0)
        onReadyRead();
}

void AppServerConnection::stop()
{
    if (m_socket)
        m_socket->abort();
    finish();
}

void AppServerConnection::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_partialTimer)
        m_partialTimer->stop();
    m_session.reset(); // rolls back what was not committed
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    emit finished();
}

void AppServerConnection::onReadyRead()
{
    if (m_finished || !m_socket)
        return;
    if (m_draining) {
        m_socket->readAll();
        return;
    }
    m_buffer.append(m_socket->readAll());
    const qint64 limit = m_context->options().maxRequestBytes;
    while (!m_finished && m_buffer.size() >= 4) {
        const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
        if (qint64(length) > limit) {
            refuseAndClose(QStringLiteral("Request too large (%1 bytes, at most %2)").arg(length).arg(limit));
            return;
        }
        if (m_buffer.size() < qint64(length) + 4)
            break;
        const QByteArray body = m_buffer.mid(4, length);
        m_buffer.remove(0, qsizetype(length) + 4);
        m_partialTimer->stop();
        handleRequest(body);
    }
    if (m_finished)
        return;
    if (m_buffer.isEmpty())
        m_partialTimer->stop();
    else if (!m_partialTimer->isActive())
        m_partialTimer->start(m_context->options().partialRequestTimeoutMs);
}

void AppServerConnection::handleRequest(const QByteArray &body)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError || !doc.isObject()) {
        answer({{QStringLiteral("id"), QJsonValue::Null},
                {QStringLiteral("ok"), false},
                {QStringLiteral("error"), QStringLiteral("Malformed request: not a JSON object")}});
        return;
    }
    const QJsonObject request = doc.object();
    const QJsonValue id = request.value(QStringLiteral("id"));
    const QJsonValue method = request.value(QStringLiteral("method"));
    const QJsonValue args = request.value(QStringLiteral("args"));
    auto error = [&](const QString &message) {
        answer({{QStringLiteral("id"), id.isUndefined() ? QJsonValue(QJsonValue::Null) : id},
                {QStringLiteral("ok"), false},
                {QStringLiteral("error"), message}});
    };
    if (!method.isString()) {
        error(QStringLiteral("Malformed request: no method"));
        return;
    }
    if (!args.isUndefined() && !args.isNull() && !args.isArray()) {
        error(QStringLiteral("Malformed request: args must be a list"));
        return;
    }
    try {
        QByteArray rows;
        if (m_session->callQuery(method.toString(), args.toArray(), &rows)) {
            answerRaw(id, rows);
            return;
        }
        const QJsonValue result = m_session->call(method.toString(), args.toArray());
        answer({{QStringLiteral("id"), id}, {QStringLiteral("ok"), true}, {QStringLiteral("result"), result}});
    } catch (const MethodError &e) {
        error(e.message());
    } catch (const std::exception &e) {
        error(QStringLiteral("Server error: %1").arg(QString::fromUtf8(e.what())));
    } catch (...) {
        error(QStringLiteral("Server error"));
    }
}

void AppServerConnection::answer(const QJsonObject &answer)
{
    if (!m_socket || m_finished || m_draining)
        return;
    if (m_socket->bytesToWrite() > MaxPendingAnswerBytes) {
        // The client does not read its answers.
        stop();
        return;
    }
    m_socket->write(frame(answer));
}

void AppServerConnection::answerRaw(const QJsonValue &id, const QByteArray &resultJson)
{
    // {"id":<id>,"ok":true,"result":<result>} without a document around
    // the result, which may be tens of megabytes of rows.
    QByteArray idJson = QJsonDocument(QJsonArray{id}).toJson(QJsonDocument::Compact);
    idJson = idJson.mid(1, idJson.size() - 2);
    const QByteArray head = QByteArrayLiteral("{\"id\":") + idJson + QByteArrayLiteral(",\"ok\":true,\"result\":");
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(head.size() + resultJson.size() + 1), out.data());
    out.reserve(4 + head.size() + resultJson.size() + 1);
    out.append(head).append(resultJson).append('}');
    if (!m_socket || m_finished || m_draining)
        return;
    if (m_socket->bytesToWrite() > MaxPendingAnswerBytes) {
        stop();
        return;
    }
    m_socket->write(out);
}

void AppServerConnection::refuseAndClose(const QString &message)
{
    if (!m_socket || m_finished || m_draining)
        return;
    // Answer, end the sending side, then read and drop what the client still
    // sends until it closes (closing at once with unread input would reset
    // the connection and could lose the answer on the way).
    m_draining = true;
    if (m_partialTimer)
        m_partialTimer->stop();
    m_session.reset(); // rolls back what was not committed
    m_buffer.clear();
    m_socket->write(frame({{QStringLiteral("id"), QJsonValue::Null},
                           {QStringLiteral("ok"), false},
                           {QStringLiteral("error"), message}}));
    while (m_socket->bytesToWrite() > 0 && m_socket->waitForBytesWritten(1000)) {
    }
    ::shutdown(int(m_socket->socketDescriptor()), SHUT_WR);
    m_socket->readAll();
    QTimer::singleShot(2000, this, [this] { finish(); });
}

} // namespace qvx
