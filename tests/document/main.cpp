#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The document tests need an application object for signals, file names and message boxes,
// but no display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Marlock"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
