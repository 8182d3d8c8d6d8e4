#pragma once

#include <QDateTime>
#include <QString>

namespace qvx {

// Every "today" and "now" of the program. The time is the source time (the
// system clock, or a fixed time set by tests) plus an offset measured to the
// server's clock at start-up. The computer's clock is never changed.
// Thread-safe.
class Clock
{
public:
    static QDateTime now();
    // The same instant as milliseconds since the epoch, without turning it
    // into local time: cheap enough for a test a line ("has a second passed?").
    static qint64 nowMsecs();
    static QDate date() { return now().date(); }

    // today("yyyyMMdd") -> "20240105"; nowText("hhmmss") -> "093000".
    static QString today(const QString &format = QStringLiteral("yyyyMMdd"));
    static QString nowText(const QString &format = QStringLiteral("yyyyMMddhhmmss"));

    // Measures the offset from the source time to a server time given as
    // "yyyymmddhhnnss" (14 digits). Returns false (offset unchanged) when the
    // text is no valid time.
    static bool setOffsetToServer(const QString &yyyymmddhhnnss);
    static qint64 offsetMs();

    // Tests: a fixed source time instead of the system clock.
    static void setFixed(const QDateTime &time);
    // Back to the system clock with no offset.
    static void reset();
};

} // namespace qvx
