#pragma once
// The bytes of today's log file, the file then removed (a test comparing
// two ways of writing the same run's log starts each from none).

#include "core/DayLog.h"

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

inline QByteArray TakeDayLog()
{
    QFile f(DayLogFileName());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    f.remove();
    return bytes;
}
