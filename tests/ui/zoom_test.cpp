// The zoom in the window, on a 3840 x 2160 screen: the keys, the remembered zoom (in Qt's
// test settings); and the command history in the box. Its pixels: scale_test.cpp.
#include <QMenuBar>
#include <QSettings>

#include "window_fixture.h"

namespace vaultmoor {

TEST_F(WindowTest, ZoomKeysStepTheWindowsSize) {
    NewGameInCell();
    Play("get bible");
    NewGameInCell();
    QTest::keyClick(Handle(), Qt::Key_Up);  // the history outlives New Game
    ASSERT_EQ(window->TxtBox()->text(), "get bible");
    for (int zoom : {2, 3}) {
        QTest::keyClick(Handle(), zoom == 2 ? Qt::Key_Plus : Qt::Key_Equal, Qt::ControlModifier);
        EXPECT_EQ(window->size(), QSize(578, 292) * zoom + QSize(0, window->menuBar()->height()));
    }
}

TEST_F(WindowTest, ARememberedZoomIsTakenOnlyWhenTheScreenHasRoomForIt) {
    QSettings settings(QStringLiteral("Vaultmoor"), QStringLiteral("vaultmoor"));
    ASSERT_TRUE(settings.fileName().contains("/.qttest/"));  // never the player's own
    for (const auto& [stored, zoom] : std::vector<std::pair<QVariant, int>>{
             {2, 2}, {QVariant(), 4}, {"large", 4}, {0, 4}, {7, 4}}) {
        stored.isNull() ? settings.remove("zoom") : settings.setValue("zoom", stored);
        window->UseStoredZoom();
        EXPECT_EQ(window->Zoom(), zoom) << stored.toString().toStdString();
    }
    window->SetZoom(3);
    EXPECT_EQ(settings.value("zoom"), 3);
}

}  // namespace vaultmoor
