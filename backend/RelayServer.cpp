#include "backend/RelayServer.h"

#include "backend/RelayProtocol.h"
#include "platform/Cp949.h"
#include "platform/FrameReader.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <unordered_map>

Q_LOGGING_CATEGORY(lcRelay, "qvx.relay", QtInfoMsg)

namespace qvx {

namespace {

constexpr qint64 kMaxPendingWrite = 1024 * 1024; // a client that reads nothing is dropped
constexpr qsizetype kMaxFrame = 4096;             // relay frames are a few bytes long

QString printable(const QByteArray &bytes)
{
    QString out;
    for (char c : bytes.left(64)) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QLatin1Char('0'));
    }
    if (bytes.size() > 64)
        out += QStringLiteral("...");
    return out;
}

} // namespace

// Lives on the relay thread and owns the listening socket and every client.
class RelayWorker : public QObject
{
public:
    explicit RelayWorker(std::shared_ptr<RelayServer::Shared> shared) : m_shared(std::move(shared)) {}

    bool listen(const QHostAddress &address, quint16 port, int idleTimeoutMs, quint16 *boundPort, QString *error);
    void closeAll();
    void announce(const QString &key, const QByteArray &frame);
    void setIdleTimeout(int ms);
    void setLimits(int loginTimeoutMs, int maxConnections)
    {
        m_loginTimeoutMs = loginTimeoutMs;
        m_maxConnections = maxConnections;
    }
    void setMaxLoginsPerAddress(int logins) { m_maxLoginsPerAddress = logins; }

private:
    struct Client
    {
        QTcpSocket *socket = nullptr;
        FrameReader reader{kMaxFrame};
        QString userId; // empty until logged in
        QString key;
        bool closing = false;
        QElapsedTimer idle;
        quint64 serial = 0;
        QString address; // the peer's, for the logins per address
        // Bad packets not yet reported, and bytes of them since the last
        // good frame or keep-alive.
        quint64 unreportedPackets = 0;
        qint64 unreportedBytes = 0;
        qint64 garbageRun = 0;
        QElapsedTimer lastReport; // invalid until the first report
    };

    void onNewConnection();
    void onReadyRead(Client *c);
    void onDisconnected(QTcpSocket *socket);
    void forget(QTcpSocket *socket);
    void handleFrame(Client *c, const QByteArray &frame);
    void handleGarbage(Client *c, const FrameReader::Event &e);
    void reportGarbage(Client *c, const FrameReader::Event *last);
    void handleLogin(Client *c, const QByteArray &body);
    void handleApproval(Client *c, const QByteArray &body);
    void send(Client *c, const QByteArray &bytes);
    void drop(Client *c, const char *why);
    void release(Client *c);
    void checkIdle();
    void makeRoom();
    void makeRoomForLogin(const Client *newcomer);
    void closeIfNotLoggedIn(QTcpSocket *socket, quint64 serial);
    QString who(const Client *c) const;

    std::shared_ptr<RelayServer::Shared> m_shared;
    QTcpServer *m_server = nullptr;
    QTimer *m_idleTimer = nullptr;
    int m_idleTimeoutMs = 0;
    int m_loginTimeoutMs = RelayServer::kDefaultLoginTimeoutMs;
    int m_maxConnections = RelayServer::kDefaultMaxConnections;
    int m_maxLoginsPerAddress = RelayServer::kDefaultMaxLoginsPerAddress;
    QHash<QString, int> m_loginsByAddress; // logged-in connections by peer address
    QSet<QString> m_addressesAtLimit;      // addresses whose refusals were logged
    std::unordered_map<QTcpSocket *, std::unique_ptr<Client>> m_clients;
    QHash<QString, Client *> m_byUser;
    quint64 m_nextSerial = 1;
};

bool RelayWorker::listen(const QHostAddress &address, quint16 port, int idleTimeoutMs, quint16 *boundPort,
                         QString *error)
{
    if (!m_server) {
        m_server = new QTcpServer(this);
        m_server->setMaxPendingConnections(1000);
        connect(m_server, &QTcpServer::newConnection, this, [this] { onNewConnection(); });
    }
    if (m_server->isListening())
        m_server->close();
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    *boundPort = m_server->serverPort();
    setIdleTimeout(idleTimeoutMs);
    qCInfo(lcRelay) << "relay listening on" << address.toString() << *boundPort;
    return true;
}

void RelayWorker::setIdleTimeout(int ms)
{
    m_idleTimeoutMs = ms;
    if (!m_idleTimer) {
        m_idleTimer = new QTimer(this);
        connect(m_idleTimer, &QTimer::timeout, this, [this] { checkIdle(); });
    }
    if (ms > 0)
        m_idleTimer->start(qBound(100, ms / 4, 60000));
    else
        m_idleTimer->stop();
}

void RelayWorker::closeAll()
{
    if (m_server)
        m_server->close();
    if (m_idleTimer)
        m_idleTimer->stop();
    auto clients = std::move(m_clients);
    m_clients.clear();
    m_byUser.clear();
    m_loginsByAddress.clear();
    m_addressesAtLimit.clear();
    for (auto &entry : clients) {
        QTcpSocket *s = entry.first;
        s->disconnect(this);
        s->abort();
        delete s;
    }
    QMutexLocker l(&m_shared->mutex);
    m_shared->users.clear();
    m_shared->clients = 0;
}

void RelayWorker::onNewConnection()
{
    while (QTcpSocket *s = m_server->nextPendingConnection()) {
        s->setParent(nullptr);
        // When every place is held by a logged-in user the newcomer is let in
        // over the count: its login makes room (see makeRoomForLogin), and a
        // later newcomer closes it first if it is still silent.
        if (int(m_clients.size()) >= m_maxConnections)
            makeRoom();
        s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        s->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
        // Read in bounded pieces: a peer streaming bytes is handled a piece
        // at a time, and closed once it sent only garbage.
        s->setReadBufferSize(64 * 1024);
        auto client = std::make_unique<Client>();
        client->socket = s;
        client->idle.start();
        client->serial = m_nextSerial++;
        client->address = s->peerAddress().toString();
        Client *c = client.get();
        m_clients.emplace(s, std::move(client));
        {
            QMutexLocker l(&m_shared->mutex);
            m_shared->clients = int(m_clients.size());
        }
        connect(s, &QTcpSocket::readyRead, this, [this, s] {
            auto it = m_clients.find(s);
            if (it != m_clients.end())
                onReadyRead(it->second.get());
        });
        connect(s, &QTcpSocket::disconnected, this, [this, s] { onDisconnected(s); });
        connect(s, &QTcpSocket::errorOccurred, this, [this, s](QAbstractSocket::SocketError err) {
            if (err != QAbstractSocket::RemoteHostClosedError)
                qCInfo(lcRelay) << "connection error" << s->errorString();
            if (s->state() == QAbstractSocket::UnconnectedState)
                onDisconnected(s);
        });
        qCDebug(lcRelay) << "connection" << c->serial << "from" << s->peerAddress().toString();
        const quint64 serial = c->serial;
        QTimer::singleShot(m_loginTimeoutMs, this, [this, s, serial] { closeIfNotLoggedIn(s, serial); });
        if (s->bytesAvailable() > 0)
            onReadyRead(c);
    }
}

// Silent connections must not keep users out: the oldest one that has not
// logged in is closed (none when every connection is logged in).
void RelayWorker::makeRoom()
{
    Client *oldest = nullptr;
    for (auto &entry : m_clients) {
        Client *c = entry.second.get();
        if (!c->closing && c->userId.isEmpty() && (!oldest || c->serial < oldest->serial))
            oldest = c;
    }
    if (!oldest)
        return;
    qCInfo(lcRelay) << who(oldest) << "not logged in; closed to make room";
    oldest->closing = true;
    // Counted out at once: its entry goes when its end is reported.
    QTcpSocket *s = oldest->socket;
    s->abort();
    forget(s);
}

// Every place is held by a logged-in user and another logs in: the address
// that holds the most places gives up its oldest login, so a peer with many
// addresses cannot keep the users of other addresses out.
void RelayWorker::makeRoomForLogin(const Client *newcomer)
{
    QString heaviest;
    int most = 0;
    for (auto it = m_loginsByAddress.cbegin(); it != m_loginsByAddress.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            heaviest = it.key();
        }
    }
    Client *oldest = nullptr;
    for (auto &entry : m_clients) {
        Client *c = entry.second.get();
        if (c != newcomer && !c->closing && !c->key.isEmpty() && c->address == heaviest
            && (!oldest || c->serial < oldest->serial))
            oldest = c;
    }
    if (!oldest)
        return;
    qCWarning(lcRelay) << "relay full:" << who(oldest) << "of" << heaviest << ", which holds" << most
                       << "logins, closed to let" << newcomer->address << "in";
    ++m_shared->loginsClosedForRoom;
    oldest->closing = true;
    release(oldest);
    QTcpSocket *s = oldest->socket;
    s->abort();
    forget(s);
}

void RelayWorker::closeIfNotLoggedIn(QTcpSocket *socket, quint64 serial)
{
    auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    Client *c = it->second.get();
    if (c->serial != serial || c->closing || !c->userId.isEmpty())
        return;
    qCInfo(lcRelay) << who(c) << "did not log in within" << m_loginTimeoutMs << "ms; closed";
    c->closing = true;
    c->socket->abort();
}

void RelayWorker::onDisconnected(QTcpSocket *socket)
{
    auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    Client *c = it->second.get();
    if (!c->closing)
        qCDebug(lcRelay) << "closed" << who(c);
    release(c);
    c->closing = true;
    // The socket can report its end from inside a write or an abort while the
    // client is still in use further up the stack: forget it only later.
    QMetaObject::invokeMethod(this, [this, socket] { forget(socket); }, Qt::QueuedConnection);
}

void RelayWorker::forget(QTcpSocket *socket)
{
    auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    m_clients.erase(it);
    {
        QMutexLocker l(&m_shared->mutex);
        m_shared->clients = int(m_clients.size());
    }
    socket->disconnect(this);
    socket->deleteLater();
}

void RelayWorker::release(Client *c)
{
    if (c->unreportedPackets > 0)
        reportGarbage(c, nullptr);
    if (c->key.isEmpty())
        return;
    auto counted = m_loginsByAddress.find(c->address);
    if (counted != m_loginsByAddress.end()) {
        if (--counted.value() < m_maxLoginsPerAddress)
            m_addressesAtLimit.remove(c->address);
        if (counted.value() <= 0)
            m_loginsByAddress.erase(counted);
    }
    auto it = m_byUser.find(c->key);
    if (it != m_byUser.end() && it.value() == c) {
        m_byUser.erase(it);
        QMutexLocker l(&m_shared->mutex);
        m_shared->users.remove(c->key);
    }
    c->key.clear();
    c->userId.clear();
}

QString RelayWorker::who(const Client *c) const
{
    return c->userId.isEmpty() ? QStringLiteral("connection %1").arg(c->serial)
                               : QStringLiteral("connection %1 (%2)").arg(c->serial).arg(c->userId);
}

void RelayWorker::onReadyRead(Client *c)
{
    const QByteArray data = c->socket->readAll();
    if (c->closing || data.isEmpty())
        return;
    c->idle.restart();
    const QList<FrameReader::Event> events = c->reader.feed(data);
    for (const FrameReader::Event &e : events) {
        if (c->closing)
            break;
        if (e.kind == FrameReader::Event::Frame)
            handleFrame(c, e.bytes);
        else
            handleGarbage(c, e);
    }
}

// One line for the first bad packet of a connection, then at most one line
// an interval with what came since: a stream of garbage costs the log a few
// lines, not one a byte. A connection that sends nothing else is closed.
void RelayWorker::handleGarbage(Client *c, const FrameReader::Event &e)
{
    if (e.bytes.startsWith("PING")) {
        ++m_shared->pings;
        c->garbageRun = 0;
        return;
    }
    ++m_shared->badPackets;
    ++c->unreportedPackets;
    c->unreportedBytes += e.size;
    c->garbageRun += e.size;
    if (c->garbageRun > RelayServer::kMaxGarbageBytes) {
        reportGarbage(c, &e);
        qCWarning(lcRelay) << who(c) << "sent" << c->garbageRun << "bytes of bad packets and nothing else; closed";
        ++m_shared->garbageClosed;
        c->closing = true;
        release(c);
        c->socket->abort();
        return;
    }
    if (!c->lastReport.isValid() || c->lastReport.elapsed() >= RelayServer::kGarbageReportIntervalMs)
        reportGarbage(c, &e);
}

void RelayWorker::reportGarbage(Client *c, const FrameReader::Event *last)
{
    if (c->unreportedPackets == 1 && last)
        qCWarning(lcRelay) << "bad packet from" << who(c) << last->size << "bytes:" << printable(last->bytes);
    else
        qCWarning(lcRelay) << c->unreportedPackets << "bad packets from" << who(c) << "," << c->unreportedBytes
                           << "bytes" << (last ? ", the last: " + printable(last->bytes) : QString());
    c->unreportedPackets = 0;
    c->unreportedBytes = 0;
    c->lastReport.start();
}

void RelayWorker::handleFrame(Client *c, const QByteArray &frame)
{
    ++m_shared->frames;
    c->garbageRun = 0;
    const QByteArray body = FrameReader::body(frame);
    const char kind = body.isEmpty() ? '\0' : body.front();
    switch (kind) {
    case 'C':
        handleLogin(c, body);
        return;
    case 'F':
        handleApproval(c, body);
        return;
    default:
        FrameReader::Event e;
        e.kind = FrameReader::Event::Garbage;
        e.bytes = frame.left(FrameReader::kGarbageKept);
        e.size = frame.size();
        handleGarbage(c, e);
    }
}

void RelayWorker::handleLogin(Client *c, const QByteArray &body)
{
    const relay::Login login = relay::parseLogin(body);
    const QString key = relay::userKey(login.userId);
    if (key.isEmpty()) {
        ++m_shared->refusedLogins;
        qCWarning(lcRelay) << "login without a user id from" << who(c);
        send(c, relay::loginRefused());
        drop(c, "login without a user id");
        return;
    }
    Client *holder = m_byUser.value(key, nullptr);
    if (holder && holder != c) {
        ++m_shared->refusedLogins;
        qCInfo(lcRelay) << "refused login of" << login.userId << "on" << who(c) << ": already connected";
        send(c, relay::loginRefused());
        drop(c, "duplicate login");
        return;
    }
    if (c->key.isEmpty()) {
        int &fromAddress = m_loginsByAddress[c->address];
        if (m_maxLoginsPerAddress > 0 && fromAddress >= m_maxLoginsPerAddress) {
            ++m_shared->refusedLogins;
            if (!m_addressesAtLimit.contains(c->address)) {
                // Said once while the address stays at its limit.
                m_addressesAtLimit.insert(c->address);
                qCWarning(lcRelay) << "logins from" << c->address << "reached the limit of" << m_maxLoginsPerAddress
                                   << "; further ones are refused";
            }
            send(c, relay::loginRefused());
            drop(c, "too many logins from one address");
            return;
        }
        if (m_byUser.size() >= m_maxConnections)
            makeRoomForLogin(c);
        ++m_loginsByAddress[c->address];
    } else if (holder != c) {
        release(c); // a second login on one connection under another id
        ++m_loginsByAddress[c->address];
    }
    c->userId = login.userId;
    c->key = key;
    m_byUser.insert(key, c);
    {
        QMutexLocker l(&m_shared->mutex);
        m_shared->users.insert(key, login.userId);
    }
    ++m_shared->logins;
    qCInfo(lcRelay) << "login" << login.userId << (login.module ? "(send/receive module)" : "") << "on"
                    << who(c);
    send(c, relay::loginAccepted());
    if (login.module)
        send(c, relay::moduleAck());
}

void RelayWorker::handleApproval(Client *c, const QByteArray &body)
{
    const QString approver = Cp949::decode(body.mid(1)).trimmed();
    Client *target = approver.isEmpty() ? nullptr : m_byUser.value(relay::userKey(approver), nullptr);
    if (!target || target->closing) {
        qCInfo(lcRelay) << "approval notice from" << who(c) << "for" << approver << ": not connected";
        send(c, relay::approvalNotConnected());
        return;
    }
    send(target, relay::approvalArrived());
    ++m_shared->approvals;
    send(c, relay::approvalDelivered());
}

void RelayWorker::announce(const QString &key, const QByteArray &frame)
{
    Client *c = m_byUser.value(key, nullptr);
    if (!c || c->closing) {
        qCInfo(lcRelay) << "announcement" << printable(frame) << "for" << key << ": not connected";
        return;
    }
    ++m_shared->announcements;
    send(c, frame);
}

void RelayWorker::send(Client *c, const QByteArray &bytes)
{
    if (c->closing && c->socket->state() != QAbstractSocket::ConnectedState)
        return;
    c->socket->write(bytes);
    if (c->socket->bytesToWrite() > kMaxPendingWrite) {
        qCWarning(lcRelay) << who(c) << "reads nothing; dropped";
        c->closing = true;
        release(c);
        c->socket->abort();
    }
}

void RelayWorker::drop(Client *c, const char *why)
{
    qCDebug(lcRelay) << "closing" << who(c) << ":" << why;
    c->closing = true;
    // Leave the user's entry to the connection that owns it.
    QTcpSocket *s = c->socket;
    s->disconnectFromHost(); // sends what is queued first
}

void RelayWorker::checkIdle()
{
    if (m_idleTimeoutMs <= 0)
        return;
    QList<Client *> stale;
    for (auto &entry : m_clients)
        if (!entry.second->closing && entry.second->idle.elapsed() > m_idleTimeoutMs)
            stale.append(entry.second.get());
    for (Client *c : stale) {
        qCInfo(lcRelay) << who(c) << "silent for" << c->idle.elapsed() << "ms; closed";
        c->closing = true;
        release(c);
        c->socket->abort();
    }
}

// ---------------------------------------------------------------------------

RelayServer::RelayServer() : m_shared(std::make_shared<Shared>())
{
    m_thread.setObjectName(QStringLiteral("relay"));
    m_worker = new RelayWorker(m_shared);
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

RelayServer::~RelayServer()
{
    stopThread();
}

void RelayServer::stopThread()
{
    if (!m_worker)
        return;
    close();
    m_thread.quit();
    m_thread.wait();
    delete m_worker;
    m_worker = nullptr;
}

bool RelayServer::listen(const QHostAddress &address, quint16 port)
{
    if (!m_worker)
        return false;
    quint16 bound = 0;
    QString error;
    int idle;
    {
        QMutexLocker l(&m_stateMutex);
        idle = m_idleTimeoutMs;
    }
    bool ok = false;
    RelayWorker *w = m_worker;
    QMetaObject::invokeMethod(
        w, [&] { ok = w->listen(address, port, idle, &bound, &error); }, Qt::BlockingQueuedConnection);
    QMutexLocker l(&m_stateMutex);
    m_listen = ok ? ListenState{true, bound, address, QString()} : ListenState{false, 0, QHostAddress(), error};
    return ok;
}

RelayServer::ListenState RelayServer::listenState() const
{
    QMutexLocker l(&m_stateMutex);
    return m_listen;
}

void RelayServer::close()
{
    if (!m_worker)
        return;
    RelayWorker *w = m_worker;
    if (QThread::currentThread() == &m_thread)
        w->closeAll();
    else
        QMetaObject::invokeMethod(w, [w] { w->closeAll(); }, Qt::BlockingQueuedConnection);
    QMutexLocker l(&m_stateMutex);
    m_listen.listening = false;
    m_listen.port = 0;
}

bool RelayServer::announce(const QString &userId, const QString &serviceCode7)
{
    if (!relay::isServiceCode(serviceCode7)) {
        qCWarning(lcRelay) << "announcement with a bad service code" << serviceCode7 << "for" << userId;
        return false;
    }
    const QString key = relay::userKey(userId);
    if (key.isEmpty() || !m_worker)
        return false;
    {
        QMutexLocker l(&m_shared->mutex);
        if (!m_shared->users.contains(key))
            return false;
    }
    const QByteArray frame = relay::serviceFrame(serviceCode7);
    RelayWorker *w = m_worker;
    QMetaObject::invokeMethod(w, [w, key, frame] { w->announce(key, frame); }, Qt::QueuedConnection);
    return true;
}

bool RelayServer::isConnected(const QString &userId) const
{
    const QString key = relay::userKey(userId);
    QMutexLocker l(&m_shared->mutex);
    return !key.isEmpty() && m_shared->users.contains(key);
}

QStringList RelayServer::connectedUsers() const
{
    QMutexLocker l(&m_shared->mutex);
    QStringList out = m_shared->users.values();
    out.sort();
    return out;
}

int RelayServer::clientCount() const
{
    QMutexLocker l(&m_shared->mutex);
    return m_shared->clients;
}

void RelayServer::setIdleTimeoutMs(int ms)
{
    {
        QMutexLocker l(&m_stateMutex);
        m_idleTimeoutMs = ms;
    }
    if (!m_worker)
        return;
    RelayWorker *w = m_worker;
    QMetaObject::invokeMethod(w, [w, ms] { w->setIdleTimeout(ms); }, Qt::QueuedConnection);
}

void RelayServer::setLimits(int loginTimeoutMs, int maxConnections)
{
    if (!m_worker)
        return;
    RelayWorker *w = m_worker;
    QMetaObject::invokeMethod(w, [w, loginTimeoutMs, maxConnections] { w->setLimits(loginTimeoutMs, maxConnections); },
                              Qt::BlockingQueuedConnection);
}

void RelayServer::setMaxLoginsPerAddress(int logins)
{
    if (!m_worker)
        return;
    RelayWorker *w = m_worker;
    QMetaObject::invokeMethod(w, [w, logins] { w->setMaxLoginsPerAddress(logins); }, Qt::BlockingQueuedConnection);
}

RelayServer::Stats RelayServer::stats() const
{
    Stats s;
    s.frames = m_shared->frames;
    s.badPackets = m_shared->badPackets;
    s.pings = m_shared->pings;
    s.logins = m_shared->logins;
    s.refusedLogins = m_shared->refusedLogins;
    s.approvals = m_shared->approvals;
    s.announcements = m_shared->announcements;
    s.garbageClosed = m_shared->garbageClosed;
    s.loginsClosedForRoom = m_shared->loginsClosedForRoom;
    return s;
}

} // namespace qvx
