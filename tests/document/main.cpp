#include <gtest/gtest.h>

#include <QCoreApplication>

// The document needs an application object for its signals and file names, no more.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
