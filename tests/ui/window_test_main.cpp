// The window tests, with Qt's test settings (never the player's own): headless on a
// 3840 x 2160 screen of their own, or on the display the scale tests start.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
#ifdef VAULTMOOR_ZOOM_SCREEN
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VAULTMOOR_ZOOM_SCREEN);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
