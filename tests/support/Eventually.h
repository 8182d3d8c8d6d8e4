#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace testsupport {

// Lets events run until the condition holds or the time is up; says whether it held.
// (QTest's QTRY_ macros report to QTest's own log, which a GoogleTest test never reads.)
inline bool Eventually(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return true;
}

} // namespace testsupport

#define EXPECT_EVENTUALLY(condition) EXPECT_TRUE(::testsupport::Eventually([&] { return bool(condition); })) << #condition
#define EXPECT_EVENTUALLY_EQ(actual, expected)                                                                    \
    do {                                                                                                          \
        ::testsupport::Eventually([&] { return (actual) == (expected); });                                        \
        EXPECT_EQ(actual, expected);                                                                              \
    } while (false)
