#include "platform/Clock.h"

#include <QMutex>

#include <atomic>
#include <limits>

namespace qvx {
namespace {

constexpr qint64 NotFixed = std::numeric_limits<qint64>::min();

struct State
{
    QMutex mutex;
    qint64 offsetMs = 0;
    QDateTime fixed; // invalid: the system clock
    // What nowMsecs reads without the lock, written under it whenever the
    // two above change: the offset, and the fixed time with the offset
    // added (NotFixed: the system clock). Each read is of one value, so a
    // reader never mixes a fixed time with an offset it was not set with.
    std::atomic<qint64> offsetNow{0};
    std::atomic<qint64> fixedNow{NotFixed};
    void published()
    {
        offsetNow.store(offsetMs, std::memory_order_relaxed);
        fixedNow.store(fixed.isValid() ? fixed.toMSecsSinceEpoch() + offsetMs : NotFixed, std::memory_order_relaxed);
    }
};

State &state()
{
    static State s;
    return s;
}

QDateTime sourceTime(State &s)
{
    return s.fixed.isValid() ? s.fixed : QDateTime::currentDateTime();
}

// Changes the clock under its lock and publishes the result to the readers
// that take no lock.
template <class Change> void changeClock(Change change)
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    change(s);
    s.published();
}

} // namespace

QDateTime Clock::now()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    return sourceTime(s).addMSecs(s.offsetMs);
}

qint64 Clock::nowMsecs()
{
    // No lock: a run asks this for every line it stamps.
    State &s = state();
    const qint64 fixed = s.fixedNow.load(std::memory_order_relaxed);
    if (fixed != NotFixed)
        return fixed;
    return QDateTime::currentMSecsSinceEpoch() + s.offsetNow.load(std::memory_order_relaxed);
}

QString Clock::today(const QString &format)
{
    return now().toString(format);
}

QString Clock::nowText(const QString &format)
{
    return now().toString(format);
}

bool Clock::setOffsetToServer(const QString &yyyymmddhhnnss)
{
    const QString text = yyyymmddhhnnss.trimmed();
    if (text.size() != 14)
        return false;
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    const QDateTime server = QDateTime::fromString(text, QStringLiteral("yyyyMMddHHmmss"));
    if (!server.isValid())
        return false;
    changeClock([&server](State &s) { s.offsetMs = sourceTime(s).msecsTo(server); });
    return true;
}

qint64 Clock::offsetMs()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    return s.offsetMs;
}

void Clock::setFixed(const QDateTime &time)
{
    changeClock([&time](State &s) { s.fixed = time; });
}

void Clock::reset()
{
    changeClock([](State &s) {
        s.fixed = QDateTime();
        s.offsetMs = 0;
    });
}

} // namespace qvx
