#pragma once
// A blocking relay client for the relay tests and the relay benchmark.

#include "platform/FrameReader.h"

#include <QElapsedTimer>
#include <QTcpSocket>

namespace qvx::testing {

class RelayTestClient
{
public:
    bool connectTo(quint16 port, int timeoutMs = 5000)
    {
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        return m_socket.waitForConnected(timeoutMs);
    }

    // The same from a chosen local address (another of 127.0.0.0/8 stands
    // for another peer).
    bool connectFrom(const QHostAddress &local, quint16 port, int timeoutMs = 5000)
    {
        if (!m_socket.bind(local))
            return false;
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        return m_socket.waitForConnected(timeoutMs);
    }

    void send(const QByteArray &bytes)
    {
        m_socket.write(bytes);
        m_socket.waitForBytesWritten(5000);
    }

    // STX "C" + id padded to 10 + "SR0"/"SR1" + ETX.
    static QByteArray loginFrame(const QByteArray &id, bool module = false)
    {
        QByteArray padded = id.left(10);
        padded.append(QByteArray(10 - padded.size(), ' '));
        return FrameReader::frame("C" + padded + (module ? "SR1" : "SR0"));
    }

    bool login(const QByteArray &id, bool module = false)
    {
        send(loginFrame(id, module));
        return nextFrame() == FrameReader::frame("CY");
    }

    // The next complete frame, or an empty array after the timeout.
    QByteArray nextFrame(int timeoutMs = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (m_frames.isEmpty()) {
            const qint64 left = timeoutMs - t.elapsed();
            if (left <= 0)
                return {};
            if (m_socket.bytesAvailable() == 0 && !m_socket.waitForReadyRead(int(left)))
                return m_frames.isEmpty() ? QByteArray() : m_frames.takeFirst();
            for (const auto &e : m_reader.feed(m_socket.readAll()))
                if (e.kind == FrameReader::Event::Frame)
                    m_frames.append(e.bytes);
        }
        return m_frames.takeFirst();
    }

    // True when nothing arrives within the time (for "not delivered" checks).
    bool quietFor(int ms) { return nextFrame(ms).isEmpty(); }

    bool waitClosed(int timeoutMs = 5000)
    {
        if (m_socket.state() == QAbstractSocket::UnconnectedState)
            return true;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs) {
            m_socket.waitForReadyRead(50);
            for (const auto &e : m_reader.feed(m_socket.readAll()))
                if (e.kind == FrameReader::Event::Frame)
                    m_frames.append(e.bytes);
            if (m_socket.state() == QAbstractSocket::UnconnectedState)
                return true;
        }
        return false;
    }

    QTcpSocket &socket() { return m_socket; }

private:
    QTcpSocket m_socket;
    FrameReader m_reader;
    QList<QByteArray> m_frames;
};

} // namespace qvx::testing
