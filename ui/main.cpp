// Vaultmoor: the program opens its main window on the title screen.
#include <QApplication>

#include "frmmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    vaultmoor::FrmMain window;
    window.show();
    return QApplication::exec();
}
