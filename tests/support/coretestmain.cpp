#include <QCoreApplication>
#include <gtest/gtest.h>

// The core's test executables run with a QCoreApplication only: no widgets, no GUI threads.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
