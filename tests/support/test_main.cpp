#include <QApplication>
#include <gtest/gtest.h>

// Every test executable runs with a QApplication on the offscreen platform, so
// widget and screen tests need no display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests save pictures of what they painted here for a person to look at.
    if (qEnvironmentVariableIsEmpty("QUVEX_TEST_OUTPUT"))
        qputenv("QUVEX_TEST_OUTPUT", QUVEX_TEST_OUTPUT_DIR);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
