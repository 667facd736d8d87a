#include <gtest/gtest.h>

#include <QCoreApplication>

// The engine runs behind a process whose answers arrive through the event loop, which needs the
// application object.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
