#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// The board tests draw and click on real widgets; the offscreen platform needs no display.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
