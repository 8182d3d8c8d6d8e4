#include <gtest/gtest.h>
#include <QApplication>

TEST(Smoke, ApplicationRunsOffscreen)
{
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
}
