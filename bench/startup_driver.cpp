// Starts a window and quits once it has painted for the first time.
//   game  the game's main window, as the program opens it
//   bare  a plain QLabel window of the same size, the cheapest window Qt can open
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

#include "frmmain.h"

namespace {

// The game window's outer size: its text screen and the menu bar above it.
constexpr int BareWidth = 578;
constexpr int BareHeight = 311;

// Quits the application after the watched window's first paint has finished.
class FirstPaint : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const bool game = argc == 2 && std::strcmp(argv[1], "game") == 0;
    if (!game && !(argc == 2 && std::strcmp(argv[1], "bare") == 0)) {
        std::fprintf(stderr, "usage: vaultmoor-startup-driver game|bare\n");
        return 2;
    }
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (game) {
        window = std::make_unique<vaultmoor::FrmMain>();
    } else {
        auto label = std::make_unique<QLabel>(QStringLiteral("Vaultmoor"));
        label->setFixedSize(BareWidth, BareHeight);
        window = std::move(label);
    }
    FirstPaint watcher;
    window->installEventFilter(&watcher);
    window->show();
    const int rc = QApplication::exec();
    if (game && (window->width() != BareWidth || window->height() != BareHeight))
        std::fprintf(stderr, "the game window is %dx%d, not %dx%d\n", window->width(),
                     window->height(), BareWidth, BareHeight);
    return rc;
}
