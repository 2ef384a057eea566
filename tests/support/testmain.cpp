#include <QApplication>
#include <gtest/gtest.h>

// Every test executable runs with one QApplication on the offscreen platform, so widget tests
// need no display and logic tests see the same environment.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
