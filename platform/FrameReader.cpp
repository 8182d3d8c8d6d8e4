#include "platform/FrameReader.h"

namespace qvx {

FrameReader::FrameReader(qsizetype maxFrameSize) : m_max(maxFrameSize < 3 ? 3 : maxFrameSize) {}

void FrameReader::clear()
{
    m_partial.clear();
}

QByteArray FrameReader::body(const QByteArray &frame)
{
    if (frame.size() >= 2 && frame.front() == STX && frame.back() == ETX)
        return frame.mid(1, frame.size() - 2);
    return frame;
}

QByteArray FrameReader::frame(const QByteArray &body)
{
    QByteArray out;
    out.reserve(body.size() + 2);
    out += STX;
    out += body;
    out += ETX;
    return out;
}

QList<FrameReader::Event> FrameReader::feed(const QByteArray &data)
{
    QList<Event> events;
    Event garbage;
    garbage.kind = Event::Garbage;

    auto addGarbage = [&garbage](const char *p, qsizetype n) {
        const qsizetype room = kGarbageKept - garbage.bytes.size();
        if (room > 0)
            garbage.bytes.append(p, qMin(room, n));
        garbage.size += n;
    };
    auto flushGarbage = [&events, &garbage]() {
        if (garbage.size > 0) {
            events.append(garbage);
            garbage.bytes.clear();
            garbage.size = 0;
        }
    };

    const char *p = data.constData();
    const qsizetype n = data.size();
    qsizetype i = 0;
    while (i < n) {
        if (m_partial.isEmpty()) {
            // Outside a frame: everything up to the next STX is garbage.
            qsizetype stx = data.indexOf(STX, i);
            qsizetype end = stx < 0 ? n : stx;
            // The tail of an oversized frame is garbage too: a peer that
            // follows one long frame with an endless stream is still counted.
            if (end > i)
                addGarbage(p + i, end - i);
            if (stx < 0)
                break;
                    flushGarbage();
            m_partial.append(STX);
            i = stx + 1;
            continue;
        }

        // Inside a frame: look for ETX, or an STX that starts over.
        qsizetype j = i;
        while (j < n && p[j] != ETX && p[j] != STX)
            ++j;
        m_partial.append(p + i, j - i);
        if (j < n && p[j] == ETX) {
            m_partial.append(ETX);
            Event e;
            e.kind = Event::Frame;
            e.bytes = m_partial;
            e.size = m_partial.size();
            events.append(e);
            m_partial.clear();
            i = j + 1;
            continue;
        }
        if (j < n) {
            // A new STX before the ETX: the unfinished frame was broken off.
            addGarbage(m_partial.constData(), m_partial.size());
            flushGarbage();
            m_partial.clear();
            i = j; // the STX is taken up by the next round
            continue;
        }
        // Out of data with the frame still open.
        if (m_partial.size() > m_max) {
            addGarbage(m_partial.constData(), m_partial.size());
            m_partial.clear();
        }
        i = n;
    }
    flushGarbage();
    return events;
}

} // namespace qvx
