#include "backend/ClientSocket.h"

#include <QElapsedTimer>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace qvx {

ClientSocket::ClientSocket(qintptr descriptor, QObject *parent)
    : QObject(parent), m_fd(int(descriptor))
{
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    const int on = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    m_readNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &ClientSocket::readyRead);
    m_writeNotifier = new QSocketNotifier(m_fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &ClientSocket::sendQueued);
}

ClientSocket::~ClientSocket()
{
    abort();
}

QString ClientSocket::peerName() const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (m_fd < 0 || ::getpeername(m_fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return QStringLiteral("?");
    char host[INET6_ADDRSTRLEN] = {};
    quint16 port = 0;
    if (address.ss_family == AF_INET6) {
        const auto *a = reinterpret_cast<const sockaddr_in6 *>(&address);
        ::inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
        port = ntohs(a->sin6_port);
    } else {
        const auto *a = reinterpret_cast<const sockaddr_in *>(&address);
        ::inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
        port = ntohs(a->sin_port);
    }
    return QStringLiteral("%1:%2").arg(QString::fromLatin1(host)).arg(port);
}

QByteArray ClientSocket::readAvailable(bool *ended)
{
    QByteArray in;
    while (m_fd >= 0 && !m_ended && in.size() < MaxReadBytes) {
        char chunk[64 * 1024];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (n > 0) {
            in.append(chunk, qsizetype(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        m_ended = true; // 0: the peer's sending side ended; otherwise the connection broke
        m_readNotifier->setEnabled(false);
    }
    *ended = m_ended;
    return in;
}

void ClientSocket::write(const QByteArray &bytes)
{
    write({bytes});
}

void ClientSocket::write(std::initializer_list<QByteArray> pieces)
{
    if (m_fd < 0)
        return;
    for (const QByteArray &bytes : pieces) {
        if (bytes.isEmpty())
            continue;
        m_out.push_back(bytes);
        m_queued += bytes.size();
    }
    sendQueued();
}

void ClientSocket::sendQueued()
{
    // The queued pieces go out together, each from where it stands.
    constexpr size_t MaxPieces = 64;
    while (m_fd >= 0 && !m_out.empty()) {
        iovec pieces[MaxPieces];
        size_t count = 0;
        for (auto it = m_out.begin(); it != m_out.end() && count < MaxPieces; ++it, ++count) {
            const qsizetype skip = count == 0 ? m_sentOfFirst : 0;
            pieces[count].iov_base = const_cast<char *>(it->constData() + skip);
            pieces[count].iov_len = size_t(it->size() - skip);
        }
        msghdr message{};
        message.msg_iov = pieces;
        message.msg_iovlen = count;
        const ssize_t n = ::sendmsg(m_fd, &message, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n < 0) {
            m_out.clear();
            m_queued = 0;
            m_writeNotifier->setEnabled(false);
            emit broken();
            return;
        }
        m_queued -= n;
        for (qsizetype sent = n; sent > 0 && !m_out.empty();) {
            const qsizetype left = m_out.front().size() - m_sentOfFirst;
            if (sent < left) {
                m_sentOfFirst += sent;
                break;
            }
            sent -= left;
            m_out.pop_front();
            m_sentOfFirst = 0;
            if (m_out.empty())
                emit drained();
        }
    }
    if (m_fd >= 0)
        m_writeNotifier->setEnabled(!m_out.empty());
}

bool ClientSocket::flush(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    sendQueued();
    while (m_fd >= 0 && !m_out.empty()) {
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0)
            return false;
        pollfd p{m_fd, POLLOUT, 0};
        if (::poll(&p, 1, int(left)) < 0 && errno != EINTR)
            return false;
        sendQueued();
    }
    return m_fd >= 0;
}

void ClientSocket::shutdownWrite()
{
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_WR);
}

void ClientSocket::abort()
{
    if (m_fd < 0)
        return;
    delete m_readNotifier;
    delete m_writeNotifier;
    m_readNotifier = m_writeNotifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    m_out.clear();
    m_queued = 0;
}

} // namespace qvx
