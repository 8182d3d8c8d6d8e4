#pragma once

#include <QByteArray>
#include <QList>

namespace qvx {

// Splits a byte stream into STX (0x02) .. ETX (0x03) frames. Bytes that have
// not made a whole frame yet are kept for the next feed; several frames in one
// feed come out one by one, in order. Bytes outside a frame are reported as one
// Garbage event per run (a run ends at an STX or at the end of a feed). A frame
// that grows past the size cap is dropped and reported, and the bytes up to
// the next STX are discarded and reported as garbage as they come, so a peer
// can neither grow the buffer forever nor stream past the count unseen.
class FrameReader
{
public:
    static constexpr char STX = 0x02;
    static constexpr char ETX = 0x03;
    static constexpr qsizetype kGarbageKept = 256;

    struct Event
    {
        enum Kind { Frame, Garbage } kind = Frame;
        QByteArray bytes;   // Frame: STX .. ETX included. Garbage: its first kGarbageKept bytes.
        qsizetype size = 0; // total bytes of the frame or of the garbage run
    };

    explicit FrameReader(qsizetype maxFrameSize = 64 * 1024);

    QList<Event> feed(const QByteArray &data);

    qsizetype buffered() const { return m_partial.size(); }
    void clear();

    // The body of a frame: the bytes between STX and ETX.
    static QByteArray body(const QByteArray &frame);
    static QByteArray frame(const QByteArray &body);

private:
    qsizetype m_max;
    QByteArray m_partial;      // an unfinished frame, starting with STX
};

} // namespace qvx
