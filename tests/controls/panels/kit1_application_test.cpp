#include "controls/panels/KitApplication.h"
#include "platform/EditGuard.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(KitTimerPool, IntervalsMustBeMultiplesOfMinIntervalAndFireByDivisor)
{
    TKitTimerPool pool(nullptr, 50);
    EXPECT_THROW(pool.AddItem(1, 125, nullptr), EKitTimerError);
    EXPECT_THROW(pool.AddItem(1, 25, nullptr), EKitTimerError);
    int fast = 0, slow = 0;
    pool.AddItem(1, 50, [&](QObject *) { ++fast; });
    pool.AddItem(2, 150, [&](QObject *) { ++slow; });
    EXPECT_THROW(pool.AddItem(2, 50, nullptr), EKitTimerError); // duplicate identifier
    EXPECT_TRUE(pool.Running());
    for (int i = 0; i < 6; ++i)
        pool.Tick();
    EXPECT_EQ(fast, 6);
    EXPECT_EQ(slow, 2);
    pool.RemoveItem(1);
    pool.RemoveItem(2);
    EXPECT_FALSE(pool.Running());
    EXPECT_EQ(pool.Count(), 0);
}

TEST(KitTimerPool, CallLimitStopsTheItemAndPoolEventGetsTheCount)
{
    TKitTimerPool pool(nullptr, 50);
    std::vector<int> counts;
    pool.OnTimer = [&](QObject *, quint16 id, int count) {
        EXPECT_EQ(id, 7);
        counts.push_back(count);
    };
    pool.AddItem(7, 50, nullptr);
    pool.FindItem(7)->CallLimit = 3;
    for (int i = 0; i < 5; ++i)
        pool.Tick();
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(pool.FindItem(7)->Enabled());
    pool.FindItem(7)->CallLimit = 0;
    pool.FindItem(7)->SetEnabled(true); // a limit of 0 cannot be enabled
    EXPECT_FALSE(pool.FindItem(7)->Enabled());
}

TEST(KitTimerPool, ItemIntervalChangesKeepToMultiples)
{
    TKitTimerPool pool(nullptr, 50);
    pool.AddItem(1, 100, nullptr);
    TKitTimerItem *t = pool.FindItem(1);
    EXPECT_EQ(t->Divisor(), 2);
    t->SetInterval(120);
    EXPECT_EQ(t->Interval(), 100);
    t->SetInterval(0);
    EXPECT_EQ(t->Interval(), 50);
    EXPECT_EQ(t->Divisor(), 1);
    EXPECT_THROW(TKitTimerItem(nullptr, 3, nullptr), EInvalidOperation);
}

TEST(KitApplication, TimerSlotsRunOutWithAnErrorNotIdZero)
{
    TKitApplication app;
    std::vector<quint16> ids;
    for (int i = 0; i < 250; ++i)
        ids.push_back(app.AddTimer(50, nullptr));
    EXPECT_EQ(ids.front(), 0xFD01);
    EXPECT_EQ(ids.back(), 0xFD00 + 250);
    EXPECT_THROW(app.AddTimer(50, nullptr), EKitTimerError);
    app.RemoveTimer(0xFD05);
    EXPECT_EQ(app.GetTimer(0xFD05), nullptr);
    EXPECT_EQ(app.AddTimer(100, nullptr), 0xFD05); // the freed slot is used again
    // An interval the pool refuses gives 0 and uses no slot.
    app.RemoveTimer(0xFD06);
    EXPECT_EQ(app.AddTimer(75, nullptr), 0);
    EXPECT_EQ(app.AddTimer(50, nullptr), 0xFD06);
    app.RemoveTimer(0); // ignored
    app.RemoveTimer(0xFD00 + 251);
}

TEST(KitApplication, LogFileCheckerAndSettings)
{
    TKitApplication app;
    app.SetLogFile("trace");
    EXPECT_EQ(QFileInfo(app.LogFile()).fileName(), "trace.LOG");
    EXPECT_EQ(QFileInfo(app.LogFile()).absolutePath(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    const QImage &c = app.CheckerBitmap(clRed);
    EXPECT_EQ(c.size(), QSize(8, 8));
    EXPECT_EQ(c.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(c.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(c.pixel(1, 1), qRgb(255, 255, 255));
    TKitIniCtrl ini;
    ini.SetMaxEntries(40);
    ini.SetAlphaCounter(true);
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetMaxEntries(30);
    EXPECT_EQ(ini.MaxEntries(), 26);
    ini.SetIniFile("quvex");
    EXPECT_EQ(ini.IniFile(), "quvex.INI");
    EXPECT_EQ(ini.EffectiveTarget(), itRegistry);
}

// An exception in a timer's handler reaches the program's event guard (its
// message box and log line) and the pool keeps running.
TEST(KitTimerPool, AHandlerErrorReachesTheEventGuard)
{
    QStringList seen;
    SetEditHandlerGuard([&](const QString &where, const std::function<void()> &action) {
        try {
            action();
            return true;
        } catch (const std::exception &e) {
            seen << where + QStringLiteral(": ") + QString::fromUtf8(e.what());
            return false;
        }
    });
    TKitTimerPool pool(nullptr, 50);
    int ticks = 0;
    pool.AddItem(1, 50, [&](QObject *) {
        if (++ticks == 1)
            throw std::runtime_error("타이머 처리 오류");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
    SetEditHandlerGuard(nullptr);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first(), QStringLiteral("TKitTimerPool.Timer: 타이머 처리 오류"));
    EXPECT_TRUE(pool.Running());
}

TEST(KitApplication, TheDisplaysColourDepth)
{
    const int bits = KitSIColorDepth();
    EXPECT_TRUE(bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32) << bits;
}
