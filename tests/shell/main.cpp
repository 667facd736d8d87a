#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/zelkanapp.h"

// The widget tests run on the offscreen platform inside the application object itself, so
// that start-up can be run and ended again test after test. The user's settings and desktop
// folders are never touched: everything points into a temporary folder.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_DATA_DIRS", home.filePath(QStringLiteral("system")).toLocal8Bit());
    CZelkanApp app(argc, argv);
    CZelkanApp::setOrganizationName(QStringLiteral("Tallowby"));
    CZelkanApp::setApplicationName(QStringLiteral("Marlock"));
    app.SetDesktopRegistration(false, false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
