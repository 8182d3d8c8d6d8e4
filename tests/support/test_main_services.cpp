#include <QCoreApplication>
#include <gtest/gtest.h>

// The main of the tests of libraries without widgets: a QCoreApplication only,
// so nothing in them can need a window.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
