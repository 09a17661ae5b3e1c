// The window tests, headless on a 3840 x 2160 screen of their own, with Qt's test settings
// (never the player's own).
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VAULTMOOR_ZOOM_SCREEN);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
