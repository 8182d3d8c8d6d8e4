#include "platform/Clock.h"

#include <QMutex>

namespace qvx {
namespace {

struct State
{
    QMutex mutex;
    qint64 offsetMs = 0;
    QDateTime fixed; // invalid: the system clock
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

} // namespace

QDateTime Clock::now()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    return sourceTime(s).addMSecs(s.offsetMs);
}

qint64 Clock::nowMsecs()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    const qint64 source = s.fixed.isValid() ? s.fixed.toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
    return source + s.offsetMs;
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
    State &s = state();
    QMutexLocker l(&s.mutex);
    s.offsetMs = sourceTime(s).msecsTo(server);
    return true;
}

void Clock::setOffsetMs(qint64 ms)
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    s.offsetMs = ms;
}

qint64 Clock::offsetMs()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    return s.offsetMs;
}

void Clock::setFixed(const QDateTime &time)
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    s.fixed = time;
}

void Clock::reset()
{
    State &s = state();
    QMutexLocker l(&s.mutex);
    s.fixed = QDateTime();
    s.offsetMs = 0;
}

} // namespace qvx
