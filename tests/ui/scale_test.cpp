// The window on a real display at the desktop's scale (Xvfb with QT_SCREEN_SCALE_FACTORS, or
// Weston): the display, captured by $VAULTMOOR_CAPTURE (a command writing a PNG), shows the
// painter's image blown up to whole blocks of device pixels, at the opening zoom and one up.
#include <QProcess>

#include "window_fixture.h"

namespace vaultmoor {
namespace {

QImage Capture() {
    QProcess capture;
    capture.start("sh", {"-c", qEnvironmentVariable("VAULTMOOR_CAPTURE")});
    capture.waitForFinished(30000);
    return QImage::fromData(capture.readAllStandardOutput()).convertToFormat(QImage::Format_RGB32);
}

// Whether the display shows `panel`'s picture at its zoom somewhere, pixel for pixel, but
// under the controls on it (drawn by the style).
bool Shows(const TextPanel* panel, const char* name) {
    QTest::qWait(400);  // painted, and on the display
    const QImage shot = Capture();
    const QImage want = AsQImage(panel->Painted()).scaled(panel->Base() * panel->Zoom());
    const double scale = panel->devicePixelRatioF();
    std::vector<bool> masked(static_cast<std::size_t>(want.width() * want.height()));
    const QWidget* window = panel->window();
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->isVisible() || child == panel || child->isAncestorOf(panel)) continue;
        const QRectF r(
            QPointF(child->mapTo(window, QPoint()) - panel->mapTo(window, QPoint())) * scale,
            QSizeF(child->size()) * scale);
        for (int y = std::max(0, int(r.top()) - 1);
             y < std::min(want.height(), int(r.bottom()) + 2); ++y)
            for (int x = std::max(0, int(r.left()) - 1);
                 x < std::min(want.width(), int(r.right()) + 2); ++x)
                masked[y * want.width() + x] = true;
    }
    // A few telling pixels first, then the whole picture.
    std::vector<QPoint> telling;
    for (int y = 0; y < want.height(); y += 7)
        for (int x = 0; x < want.width(); x += 5)
            if (want.pixel(x, y) != want.pixel(0, 0) && !masked[y * want.width() + x])
                telling.push_back({x, y});
    for (int top = 0; top + want.height() <= shot.height(); ++top)
        for (int left = 0; left + want.width() <= shot.width(); ++left) {
            auto same = [&](QPoint p) {
                return shot.pixel(left + p.x(), top + p.y()) == want.pixel(p);
            };
            if (!std::all_of(telling.begin(), telling.end(), same)) continue;
            bool all = true;
            for (int y = 0; all && y < want.height(); ++y)
                for (int x = 0; all && x < want.width(); ++x)
                    all = masked[y * want.width() + x] || same({x, y});
            if (all) return true;
        }
    shot.save(QStringLiteral("scale-%1-%2.png").arg(scale).arg(name));
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
        window.cmdEnter_Click();
        window.TxtBox()->setText(QStringLiteral("get bible"));
        window.cmdEnter_Click();
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
