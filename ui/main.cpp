// Vaultmoor: the program opens its main window on the title screen.
#include <QApplication>

#include "frmmain.h"

int main(int argc, char** argv) {
    // The desktop's scale as it is (125 % too): the screen is drawn on whole device pixels.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    vaultmoor::FrmMain window;
    window.UseStoredZoom();
    window.show();
    return QApplication::exec();
}
