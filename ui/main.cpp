// Vaultmoor: the program opens its main window on the title screen.
#include <QApplication>

#include "frmmain.h"

int main(int argc, char** argv) {
    // Whole-number screen scales only, so the bitmap text stays crisp.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication app(argc, argv);
    vaultmoor::FrmMain window;
    window.UseStoredZoom();
    window.show();
    return QApplication::exec();
}
