#include "platform/FrameReader.h"

#include <gtest/gtest.h>

using qvx::FrameReader;
using Event = FrameReader::Event;

namespace {

QByteArray f(const char *body)
{
    return FrameReader::frame(body);
}

QList<QByteArray> frames(const QList<Event> &events)
{
    QList<QByteArray> out;
    for (const Event &e : events)
        if (e.kind == Event::Frame)
            out.append(e.bytes);
    return out;
}

int garbageCount(const QList<Event> &events)
{
    int n = 0;
    for (const Event &e : events)
        n += e.kind == Event::Garbage;
    return n;
}

} // namespace

TEST(FrameReader, SplitFrameIsJoined)
{
    FrameReader r;
    const QByteArray whole = f("Q0610300");
    EXPECT_TRUE(r.feed(whole.left(1)).isEmpty());
    EXPECT_TRUE(r.feed(whole.mid(1, 4)).isEmpty());
    EXPECT_EQ(r.buffered(), 5);
    const QList<Event> ev = r.feed(whole.mid(5));
    ASSERT_EQ(ev.size(), 1);
    EXPECT_EQ(ev[0].kind, Event::Frame);
    EXPECT_EQ(ev[0].bytes, whole);
    EXPECT_EQ(FrameReader::body(ev[0].bytes), QByteArray("Q0610300"));
    EXPECT_EQ(r.buffered(), 0);
}

TEST(FrameReader, JoinedFramesComeOutInOrder)
{
    FrameReader r;
    const QList<Event> ev = r.feed(f("Q0610300") + f("FY") + f("F") + f("Q0110100").left(4));
    EXPECT_EQ(frames(ev), (QList<QByteArray>{f("Q0610300"), f("FY"), f("F")}));
    EXPECT_EQ(garbageCount(ev), 0);
    EXPECT_EQ(frames(r.feed(f("Q0110100").mid(4))), QList<QByteArray>{f("Q0110100")});
}

TEST(FrameReader, GarbageBetweenFramesReportedOncePerRun)
{
    FrameReader r;
    const QList<Event> ev = r.feed("xx" + f("CY") + "\x03junk" + f("SR1") + "tail");
    ASSERT_EQ(ev.size(), 5);
    EXPECT_EQ(ev[0].kind, Event::Garbage);
    EXPECT_EQ(ev[0].bytes, QByteArray("xx"));
    EXPECT_EQ(ev[1].bytes, f("CY"));
    EXPECT_EQ(ev[2].kind, Event::Garbage);
    EXPECT_EQ(ev[2].bytes, QByteArray("\x03junk"));
    EXPECT_EQ(ev[3].bytes, f("SR1"));
    EXPECT_EQ(ev[4].bytes, QByteArray("tail"));
}

TEST(FrameReader, UnframedPingComesAsItsOwnRun)
{
    FrameReader r;
    const QList<Event> ev = r.feed("PINGuser01" + f("Fboss"));
    ASSERT_EQ(ev.size(), 2);
    EXPECT_EQ(ev[0].kind, Event::Garbage);
    EXPECT_EQ(ev[0].bytes, QByteArray("PINGuser01"));
    EXPECT_EQ(ev[1].bytes, f("Fboss"));
    // A second ping in a later read is reported again.
    const QList<Event> ev2 = r.feed("PINGuser01");
    ASSERT_EQ(ev2.size(), 1);
    EXPECT_EQ(ev2[0].bytes, QByteArray("PINGuser01"));
}

TEST(FrameReader, BrokenFrameRestartsAtNextStx)
{
    FrameReader r;
    const QList<Event> ev = r.feed(QByteArray("\x02Q06") + f("CY"));
    ASSERT_EQ(ev.size(), 2);
    EXPECT_EQ(ev[0].kind, Event::Garbage);
    EXPECT_EQ(ev[0].bytes, QByteArray("\x02Q06"));
    EXPECT_EQ(ev[1].bytes, f("CY"));
}

TEST(FrameReader, OversizedFrameIsDroppedAndBufferBounded)
{
    FrameReader r(100);
    qsizetype garbageBytes = 0;
    auto feed = [&](const QByteArray &bytes) {
        const QList<Event> ev = r.feed(bytes);
        for (const Event &e : ev)
            if (e.kind == Event::Garbage)
                garbageBytes += e.size;
        return ev;
    };
    EXPECT_EQ(garbageCount(feed(QByteArray("\x02") + QByteArray(60, 'a'))), 0);
    EXPECT_EQ(garbageCount(feed(QByteArray(60, 'b'))), 1);
    EXPECT_EQ(r.buffered(), 0);
    // The rest of the oversized frame, up to the next STX, is counted as it
    // comes: a peer cannot hide an endless stream behind one long frame.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(garbageCount(feed(QByteArray(1000, 'c'))), 1);
    EXPECT_EQ(garbageBytes, 121 + 10 * 1000);
    EXPECT_EQ(r.buffered(), 0);
    const QList<Event> ev = feed(QByteArray("ccc\x03") + f("CY"));
    EXPECT_EQ(frames(ev), QList<QByteArray>{f("CY")});
    EXPECT_EQ(garbageBytes, 121 + 10 * 1000 + 4);
}

TEST(FrameReader, GarbageReportKeepsOnlyAPrefix)
{
    FrameReader r;
    const QList<Event> ev = r.feed(QByteArray(10000, 'z'));
    ASSERT_EQ(ev.size(), 1);
    EXPECT_EQ(ev[0].size, 10000);
    EXPECT_EQ(ev[0].bytes.size(), FrameReader::kGarbageKept);
}
