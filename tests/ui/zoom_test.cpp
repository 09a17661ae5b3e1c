// The zoom: the window and its dialogs blown up pixel for pixel, the keys, the zoom
// remembered between runs; and the command history in the box. On a 3840 x 2160 screen,
// with the settings in a folder of their own.
#include "zoom.h"

#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

QImage Scaled(const QImage& image, int zoom) {
    return image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

TEST(Zoom, OpensAtTheLargestTakingAtMostThreeQuartersOfTheScreen) {
    const PixelSize client{578, 292}, menu{0, 20};
    EXPECT_EQ(OpeningZoom(client, menu, {1366, 768}), 1);
    EXPECT_EQ(OpeningZoom(client, menu, {1920, 1080}), 2);
    EXPECT_EQ(OpeningZoom(client, menu, {3840, 2160}), 4);
    EXPECT_EQ(OpeningZoom(client, menu, {1920, 800}), 1);  // the height decides
    EXPECT_EQ(OpeningZoom(client, menu, {640, 480}), 1);
    EXPECT_EQ(LargestZoom(client, menu, {3840, 2160}), 6);
}

TEST_F(WindowTest, EveryPixelOfTheWindowAndTheDialogsBecomesABlock) {
    NewGameInCell();
    Type("get bible");
    window->SetZoom(1);
    const QSize client = window->Screen()->size();
    const QImage one = window->Screen()->grab().toImage();
    for (int zoom : {2, 3}) {
        window->SetZoom(zoom);
        EXPECT_EQ(window->size(), client * zoom + QSize(0, window->menuBar()->height()));
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->Screen()->grab().toImage(), Scaled(one, zoom)) << zoom;
    }
    WhileModal(Action("mnuInstructions"), [&] {
        InfoDialog* dialog = window->Dialog(DialogId::Instructions);
        const QImage face = dialog->grab().toImage();
        window->SetZoom(1);
        EXPECT_EQ(face, Scaled(dialog->grab().toImage(), 3));
        dialog->CloseButton()->click();
    });
}

TEST_F(WindowTest, KeysAndWheelZoomBetweenOneAndTheLargestAroundTheCentre) {
    ASSERT_EQ(window->OpeningZoom(), 4);
    const QPoint centre = window->geometry().center();
    auto key = [&](Qt::Key key) {
        QTest::keyClick(Handle(), key, Qt::ControlModifier);
        return window->Zoom();
    };
    EXPECT_EQ(key(Qt::Key_Plus), 5);
    EXPECT_EQ(key(Qt::Key_Equal), 6);
    EXPECT_EQ(key(Qt::Key_Plus), 6);
    EXPECT_EQ(key(Qt::Key_0), 4);
    for (int zoom : {3, 2, 1, 1}) EXPECT_EQ(key(Qt::Key_Minus), zoom);
    QWheelEvent up({4, 4}, {}, {}, {0, 120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                   false);
    QApplication::sendEvent(window->TxtBox(), &up);
    EXPECT_EQ(window->Zoom(), 2);
    EXPECT_LE((window->geometry().center() - centre).manhattanLength(), 2);
}

TEST_F(WindowTest, ARememberedZoomIsTakenOnlyWhenTheScreenHasRoomForIt) {
    QSettings settings(QStringLiteral("Vaultmoor"), QStringLiteral("vaultmoor"));
    ASSERT_TRUE(settings.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    for (const auto& [stored, zoom] : std::vector<std::pair<QVariant, int>>{
             {2, 2}, {QVariant(), 4}, {"large", 4}, {0, 4}, {7, 4}}) {
        settings.setValue("zoom", stored);
        if (stored.isNull()) settings.remove("zoom");
        settings.sync();
        window->UseStoredZoom();
        EXPECT_EQ(window->Zoom(), zoom) << stored.toString().toStdString();
    }
    window->SetZoom(3);
    settings.sync();
    EXPECT_EQ(settings.value("zoom"), 3);
}

TEST_F(WindowTest, UpAndDownInTheBoxWalkTheCommandsEnteredAcrossNewGames) {
    NewGameInCell();
    Play("look door");
    NewGameInCell();
    Type("get");
    QTest::keyClick(Handle(), Qt::Key_Up);
    EXPECT_EQ(window->TxtBox()->text(), "look door");
    EXPECT_EQ(window->TxtBox()->cursorPosition(), 9);
    QTest::keyClick(Handle(), Qt::Key_Down);
    EXPECT_EQ(window->TxtBox()->text(), "get");
}

}  // namespace
}  // namespace vaultmoor

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" VAULTMOOR_ZOOM_SCREEN);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
