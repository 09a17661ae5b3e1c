// vaultmoor.exe: the game in a Windows window.
#include <windows.h>

#include "mainwindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    vaultmoor::win::MainWindow window;
    return window.Run();
}
