#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <initializer_list>

class QSocketNotifier;

namespace qvx {

// One accepted TCP connection of the application server, on the thread that
// made it. Unlike a QTcpSocket it keeps its sending side open when the peer
// ends its own (a client may send its requests, shut down its sending side
// and still read every answer), and it keeps the answers it was given as
// they are (shared, not copied) until the peer has read them.
class ClientSocket : public QObject
{
    Q_OBJECT
public:
    explicit ClientSocket(qintptr descriptor, QObject *parent = nullptr); // takes the descriptor over
    ~ClientSocket() override;                                             // closes it

    bool isOpen() const { return m_fd >= 0; }
    int descriptor() const { return m_fd; }
    QString peerName() const;

    // At most this much is read at once: what arrives faster waits in the
    // network's buffers until the reader has counted what it took.
    static constexpr qsizetype MaxReadBytes = 1024 * 1024;

    // What has arrived and not been read yet, up to MaxReadBytes (read
    // again while it gives that much). `ended` is set once
    // the peer has ended its sending side (nothing more will arrive) or the
    // connection broke; reading stops then.
    QByteArray readAvailable(bool *ended);
    // Queues bytes to send; they go out as the peer reads. The pieces of one
    // answer are queued together: what is queued leaves in one send.
    void write(const QByteArray &bytes);
    void write(std::initializer_list<QByteArray> pieces);
    qint64 bytesToWrite() const { return m_queued; }
    // Sends what is queued, waiting up to `timeoutMs` for the peer to read
    // it; false when some is left (or the connection broke).
    bool flush(int timeoutMs);
    void shutdownWrite();
    void abort(); // closes at once; what is queued is dropped

signals:
    void readyRead();
    void broken(); // sending failed: the peer is gone
    void drained(); // everything queued was sent

private:
    void sendQueued();

    int m_fd = -1;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    std::deque<QByteArray> m_out;
    qsizetype m_sentOfFirst = 0; // bytes of m_out.front() already sent
    qint64 m_queued = 0;
    bool m_ended = false;
};

} // namespace qvx
