#include "backend/AppServerConnection.h"

#include "backend/ClientSocket.h"
#include "backend/ServerContext.h"
#include "backend/ServerSession.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>
#include <QtEndian>

#include <cstdio>

#include <poll.h>
#include <sys/socket.h>

namespace qvx {

namespace {

// A request is an id, a method and a few arguments; its parsed form takes
// 16 bytes or more for every value, so a frame of small numbers would take
// many times its length.
constexpr int MaxRequestValues = 256;
// While a request is parsed and run, its texts are held again as parsed
// values, as arguments and as the statement given to the database: it
// counts this many times its length more against the server's input cap.
constexpr qint64 ParsedCostPerByte = 3;

// How many values the JSON text holds at most: its commas and opening
// brackets outside strings, and one.
qint64 jsonValueBound(const QByteArray &json)
{
    qint64 bound = 1;
    bool inString = false;
    for (const char *p = json.constData(), *end = p + json.size(); p < end; ++p) {
        if (inString) {
            if (*p == '\\')
                ++p;
            else if (*p == '"')
                inString = false;
        } else if (*p == '"') {
            inString = true;
        } else if (*p == ',' || *p == '[' || *p == '{') {
            ++bound;
        }
    }
    return bound;
}

// A share of the server's input cap, given back when it goes out of scope.
class HeldInput
{
public:
    HeldInput(ServerContext &context, qint64 bytes) : m_context(context), m_bytes(bytes) {}
    ~HeldInput() { m_context.releaseInput(m_bytes); }
    HeldInput(const HeldInput &) = delete;
    HeldInput &operator=(const HeldInput &) = delete;

private:
    ServerContext &m_context;
    qint64 m_bytes;
};

// Reserves an answer's room in the server's cap of answers in flight as the
// answer grows, a megabyte at a time, and refuses it when the room is taken.
class AnswerRoom : public AnswerMeter
{
public:
    AnswerRoom(ServerContext &context, qint64 &held) : m_context(context), m_held(held) {}
    ~AnswerRoom() override
    {
        if (m_ticket)
            m_context.endLargeAnswer(m_ticket);
    }
    AnswerRoom(const AnswerRoom &) = delete;
    AnswerRoom &operator=(const AnswerRoom &) = delete;

    void grown(qint64 bytes) override
    {
        if (bytes <= m_reserved)
            return;
        const qint64 step = ServerContext::SmallAnswerBytes;
        const qint64 more = (bytes - m_reserved + step - 1) / step * step;
        const bool large = m_reserved + more > step;
        if (large && !m_ticket)
            m_ticket = m_context.beginLargeAnswer();
        bool reserved = m_context.reserveAnswer(more, large);
        // The oldest large answer waits a while for the room of younger
        // ones, which are refused at their next step.
        QElapsedTimer waiting;
        waiting.start();
        while (!reserved && large && m_context.isOldestLargeAnswer(m_ticket) && waiting.elapsed() < MaxWaitMs
               && !m_context.stopping()) {
            QThread::msleep(2);
            reserved = m_context.reserveAnswer(more, large);
        }
        if (!reserved)
            throw DbError(QStringLiteral("Server busy: the answers being made or waiting to be read on all "
                                         "connections take the server's room for answers (%1 bytes); the "
                                         "statement was stopped, try again shortly")
                              .arg(m_context.options().maxAnswerBytes));
        m_reserved += more;
        m_held += more;
    }

    // The answer was not made: its room is given back at once.
    void giveBack()
    {
        m_context.releaseAnswer(m_reserved);
        m_held -= m_reserved;
        m_reserved = 0;
    }

private:
    static constexpr int MaxWaitMs = 5000;

    ServerContext &m_context;
    qint64 &m_held;
    qint64 m_reserved = 0;
    quint64 m_ticket = 0; // in the order of large answers
};

} // namespace

AppServerConnection::AppServerConnection(std::shared_ptr<ServerContext> context, qintptr socketDescriptor, quint64 id,
                                         std::shared_ptr<std::atomic<bool>> opened)
    : m_context(std::move(context)), m_descriptor(socketDescriptor), m_id(id),
      m_opened(opened ? std::move(opened) : std::make_shared<std::atomic<bool>>(false))
{
}

AppServerConnection::~AppServerConnection()
{
    dropBuffer();
    m_session.reset();
    delete m_socket;
    releaseAnswers();
}

void AppServerConnection::releaseAnswers()
{
    if (m_writingAnswer)
        return;
    m_context->releaseAnswer(m_answerHeld);
    m_answerHeld = 0;
}

void AppServerConnection::dropBuffer()
{
    m_context->releaseInput(m_buffer.size());
    m_buffer.clear();
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
    const ServerOptions &options = m_context->options();
    m_openTimer = new QTimer(this);
    m_openTimer->setSingleShot(true);
    connect(m_openTimer, &QTimer::timeout, this, [this] {
        if (!m_session || !m_session->isOpened())
            refuseAndClose(QStringLiteral("No server object opened within %1 ms: the connection is closed")
                               .arg(m_context->options().openTimeoutMs));
    });
    m_idleTimer = new QTimer(this);
    m_idleTimer->setSingleShot(true);
    connect(m_idleTimer, &QTimer::timeout, this, &AppServerConnection::closeIdleTransaction);
    m_socket = new ClientSocket(m_descriptor);
    m_openTimer->start(options.openTimeoutMs);
    m_session = std::make_unique<ServerSession>(*m_context);
    // Runs on this thread while a statement runs: a client gone, or the
    // server stopping, stops the statement rather than let it run on.
    m_session->setCancelCheck([this]() -> QString {
        if (m_context->stopping())
            return QStringLiteral("Statement stopped: the server is shutting down");
        // A client that only ended its sending side still reads: what ends
        // soon after is answered; one gone for good stops its statement
        // within the grace.
        if (peerClosed()) {
            if (!m_peerClosedSeen.isValid())
                m_peerClosedSeen.start();
            if (m_peerClosedSeen.elapsed() >= PeerClosedGraceMs)
                return QStringLiteral("Statement stopped: its client closed the connection");
        }
        return QString();
    });
    connect(m_socket, &ClientSocket::readyRead, this, &AppServerConnection::onReadyRead);
    connect(m_socket, &ClientSocket::broken, this, &AppServerConnection::finish);
    // Every answer read: their room goes back to the server.
    connect(m_socket, &ClientSocket::drained, this, &AppServerConnection::releaseAnswers);
    onReadyRead();
}

void AppServerConnection::stop()
{
    if (m_socket)
        m_socket->abort();
    finish();
}

void AppServerConnection::shutdown()
{
    if (m_finished)
        return;
    if (m_socket && !m_draining) {
        // What has arrived (a client that goes on sending is not read for
        // longer than this).
        QElapsedTimer reading;
        reading.start();
        while (readOnce() && reading.elapsed() < 1000) {
        }
        if (!m_finished)
            m_socket->flush(1000);
    }
    finish();
}

void AppServerConnection::evictIfUnopened(quint64 id)
{
    if (id != m_id || m_finished || m_draining || (m_session && m_session->isOpened()))
        return;
    refuseAndClose(QStringLiteral("Too many connections: this one had opened no server object and was closed "
                                  "to make room"));
}

void AppServerConnection::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    dropBuffer();
    for (QTimer *timer : {m_partialTimer, m_openTimer, m_idleTimer})
        if (timer)
            timer->stop();
    m_session.reset(); // rolls back what was not committed
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
    }
    releaseAnswers();
    emit finished();
}

void AppServerConnection::onReadyRead()
{
    readOnce();
}

// One read, up to ClientSocket::MaxReadBytes: what is left in the socket is
// read when its notifier calls again (it does while bytes wait), so only one
// read's bytes are held outside the buffer, however fast the client sends.
bool AppServerConnection::readOnce()
{
    if (m_finished || !m_socket)
        return false;
    bool ended = false;
    if (m_draining) {
        const bool full = m_socket->readAvailable(&ended).size() >= ClientSocket::MaxReadBytes;
        if (ended)
            finish();
        return full && !ended;
    }
    // Memory is taken only for bytes that have arrived, and all connections
    // together hold at most the server's cap of unfinished requests.
    const QByteArray incoming = m_socket->readAvailable(&ended);
    if (!m_context->reserveInput(incoming.size())) {
        refuseAndClose(QStringLiteral("Server busy: the requests still arriving on all connections exceed the "
                                      "server's buffer (%1 bytes)")
                           .arg(m_context->options().maxBufferedBytes));
        return false;
    }
    m_buffer.append(incoming);
    const qint64 limit = m_context->options().maxRequestBytes;
    while (!m_finished && m_buffer.size() >= 4) {
        const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
        if (qint64(length) > limit) {
            refuseAndClose(QStringLiteral("Request too large (%1 bytes, at most %2)").arg(length).arg(limit));
            return false;
        }
        if (m_buffer.size() < qint64(length) + 4)
            break;
        m_partialTimer->stop();
        m_idleTimer->stop();
        // Parsed where it lies: the frame stays in the buffer, and counted in
        // the server's input cap, until it is answered. (handleRequest reads
        // the body only before it runs anything that could close the
        // connection and drop the buffer.)
        handleRequest(QByteArray::fromRawData(m_buffer.constData() + 4, qsizetype(length)));
        if (m_finished || m_draining)
            return false; // the buffer was dropped, and its share of the cap given back
        m_buffer.remove(0, qsizetype(length) + 4);
        m_context->releaseInput(qint64(length) + 4);
        watchTransaction();
    }
    if (m_finished || m_draining)
        return false;
    if (ended) {
        answerAndCloseAfterPeerEnded();
        return false;
    }
    if (m_buffer.isEmpty()) {
        m_buffer = QByteArray(); // a large request's room is not kept while the connection idles
        m_partialTimer->stop();
    } else if (!m_partialTimer->isActive()) {
        m_partialTimer->start(m_context->options().partialRequestTimeoutMs);
    }
    return incoming.size() >= ClientSocket::MaxReadBytes;
}

// The client has ended its sending side: every request it sent before is
// answered (above), the answers are sent as it reads them, and the
// connection closes. A request left unfinished never will be.
void AppServerConnection::answerAndCloseAfterPeerEnded()
{
    QElapsedTimer sending;
    sending.start();
    // A client that does not read is given as long as one that does not send;
    // a server that stops, as long as it gives every connection.
    const auto limitMs = [this] { return m_context->stopping() ? 1000 : m_context->options().partialRequestTimeoutMs; };
    while (!m_finished && !m_socket->flush(100) && m_socket->isOpen() && sending.elapsed() < limitMs()) {
    }
    finish();
}

void AppServerConnection::handleRequest(const QByteArray &body)
{
    if (jsonValueBound(body) > MaxRequestValues) {
        answer({{QStringLiteral("id"), QJsonValue::Null},
                {QStringLiteral("ok"), false},
                {QStringLiteral("error"), QStringLiteral("Malformed request: more than %1 values").arg(MaxRequestValues)}});
        return;
    }
    const qint64 parsedCost = body.size() * ParsedCostPerByte;
    if (!m_context->reserveInput(parsedCost)) {
        answer({{QStringLiteral("id"), QJsonValue::Null},
                {QStringLiteral("ok"), false},
                {QStringLiteral("error"), QStringLiteral("Server busy: the requests being read and run on all "
                                                         "connections exceed the server's buffer (%1 bytes); the "
                                                         "request was not run")
                                              .arg(m_context->options().maxBufferedBytes)}});
        return;
    }
    const HeldInput parsed(*m_context, parsedCost);
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
    if (m_context->stopping()) {
        error(QStringLiteral("The server is shutting down: the request was not run"));
        return;
    }
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
        AnswerRoom room(*m_context, m_answerHeld);
        bool query = false;
        try {
            query = m_session->callQuery(method.toString(), args.toArray(), &rows, &room);
        } catch (...) {
            room.giveBack();
            throw;
        }
        if (query) {
            answerRaw(id, rows);
            if (m_socket && m_socket->bytesToWrite() == 0)
                releaseAnswers();
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
    send({frame(answer)});
}

void AppServerConnection::send(std::initializer_list<QByteArray> pieces)
{
    if (!m_socket || m_finished || m_draining)
        return;
    if (m_socket->bytesToWrite() > m_context->options().maxQueuedBytes) {
        std::fprintf(stderr, "QVXServer: connection %s: %lld bytes of answers left unread; connection closed\n",
                     qPrintable(peerName()), qint64(m_socket->bytesToWrite()));
        std::fflush(stderr);
        stop();
        return;
    }
    m_socket->write(pieces);
}

void AppServerConnection::answerRaw(const QJsonValue &id, const QByteArray &resultJson)
{
    // {"id":<id>,"ok":true,"result":<result>} without a document around
    // the result, which may be tens of megabytes of rows.
    QByteArray idJson = QJsonDocument(QJsonArray{id}).toJson(QJsonDocument::Compact);
    idJson = idJson.mid(1, idJson.size() - 2);
    QByteArray head(4, '\0');
    head += QByteArrayLiteral("{\"id\":") + idJson + QByteArrayLiteral(",\"ok\":true,\"result\":");
    qToBigEndian<quint32>(quint32(head.size() - 4 + resultJson.size() + 1), head.data());
    // The rows are not copied into one frame: the head, the rows and the
    // closing brace are queued as they are and leave in one send; the
    // answer's room is kept until all of it is queued.
    m_writingAnswer = true;
    send({head, resultJson, QByteArrayLiteral("}")});
    m_writingAnswer = false;
}

void AppServerConnection::refuseAndClose(const QString &message)
{
    if (!m_socket || m_finished || m_draining)
        return;
    // Answer, end the sending side, then read and drop what the client still
    // sends until it closes (closing at once with unread input would reset
    // the connection and could lose the answer on the way).
    m_draining = true;
    for (QTimer *timer : {m_partialTimer, m_openTimer, m_idleTimer})
        if (timer)
            timer->stop();
    dropBuffer();
    m_socket->write(frame({{QStringLiteral("id"), QJsonValue::Null},
                           {QStringLiteral("ok"), false},
                           {QStringLiteral("error"), message}}));
    m_socket->flush(1000);
    // Rolled back only once the reason is on its way, so a client that finds
    // the lock free again also finds why its transaction is gone.
    m_session.reset();
    m_socket->shutdownWrite();
    bool ended = false;
    m_socket->readAvailable(&ended);
    QTimer::singleShot(2000, this, [this] { finish(); });
}

void AppServerConnection::watchTransaction()
{
    if (m_finished || m_draining || !m_session)
        return;
    if (m_session->isOpened()) {
        m_openTimer->stop();
        *m_opened = true;
    }
    const int timeout = m_context->options().transactionTimeoutMs;
    if (timeout > 0 && m_session->inTransaction())
        m_idleTimer->start(timeout);
}

// A client that keeps a transaction open without going on holds the
// database's write lock (on SQLite every other writer waits for it), so the
// transaction is rolled back and the connection closed; the client's next
// call finds the reason waiting for it.
void AppServerConnection::closeIdleTransaction()
{
    if (m_finished || m_draining || !m_session || !m_session->inTransaction())
        return;
    const QString seconds = QString::number(m_context->options().transactionTimeoutMs / 1000.0);
    std::fprintf(stderr, "QVXServer: connection %s: transaction idle for %s s rolled back, connection closed\n",
                 qPrintable(peerName()), qPrintable(seconds));
    std::fflush(stderr);
    refuseAndClose(QStringLiteral("Transaction rolled back: it stayed open for %1 s without a request; "
                                  "the connection is closed")
                       .arg(seconds));
}

bool AppServerConnection::peerClosed() const
{
    if (!m_socket)
        return true;
    pollfd p{};
    p.fd = m_socket->descriptor();
    p.events = POLLRDHUP;
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

QString AppServerConnection::peerName() const
{
    if (!m_socket)
        return QStringLiteral("?");
    return m_socket->peerName();
}

} // namespace qvx
