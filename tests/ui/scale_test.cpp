// The window on a real display at the desktop's scale (Xvfb with QT_SCREEN_SCALE_FACTORS, or
// Weston): the display, captured by $VAULTMOOR_CAPTURE (a command writing a PNG), shows the
// painter's image blown up to whole blocks of device pixels, at the opening zoom and one up.
#include <QProcess>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

// Whether the display shows `panel`'s picture at its zoom somewhere, pixel for pixel, with
// the controls over it hidden (the style draws them).
bool Shows(const TextPanel* panel, const char* name) {
    for (QWidget* c : panel->window()->findChildren<QAbstractButton*>()) c->hide();
    for (QWidget* c : panel->window()->findChildren<QLineEdit*>()) c->hide();
    QTest::qWait(400);  // painted, and on the display
    QProcess capture;
    capture.start("sh", {"-c", qEnvironmentVariable("VAULTMOOR_CAPTURE")});
    capture.waitForFinished(30000);
    const QImage shot =
        QImage::fromData(capture.readAllStandardOutput()).convertToFormat(QImage::Format_RGB32);
    const QImage want = AsQImage(panel->Painted()).scaled(panel->Base() * panel->Zoom());
    std::vector<QPoint> telling, all;  // a few pixels of ink first, then the whole picture
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            (x % 5 || y % 7 || !qGray(want.pixel(x, y)) ? all : telling).push_back({x, y});
    for (int top = 0; top + want.height() <= shot.height(); ++top)
        for (int left = 0; left + want.width() <= shot.width(); ++left) {
            auto same = [&](QPoint p) {
                return shot.pixel(left + p.x(), top + p.y()) == want.pixel(p);
            };
            if (std::all_of(telling.begin(), telling.end(), same) &&
                std::all_of(all.begin(), all.end(), same))
                return true;
        }
    shot.save(QStringLiteral("scale-%1-%2.png").arg(panel->devicePixelRatioF()).arg(name));
    ADD_FAILURE() << name << " at zoom " << panel->Zoom() << " is not on the display";
    return false;
}

// Opened at each zoom, so that the window manager places it where it fits.
TEST(Scale, ScreensAreWholeBlocksOfDevicePixelsAtTheOpeningZoomAndOneUp) {
    for (int up : {0, 1}) {
        FrmMain window;
        window.SetZoom(window.OpeningZoom() + up);
        ASSERT_EQ(window.Zoom(), window.OpeningZoom() + up);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(Shows(window.Screen(), "title"));
        window.mnuNewGame_Click();
        window.cmdEnter_Click();
        window.TxtBox()->setText(QStringLiteral("get bible"));
        window.cmdEnter_Click();
        ASSERT_EQ(window.TheGame().Inventory(1), "bible");
        EXPECT_TRUE(Shows(window.Screen(), "cell"));
        QTimer::singleShot(0, [&] {
            InfoDialog* dialog = window.Dialog(DialogId::Instructions);
            EXPECT_TRUE(Shows(dialog->Panel(), "instructions"));
            dialog->cmdClose_Click();
        });
        window.mnuInstructions_Click();
    }
}

}  // namespace
}  // namespace vaultmoor
