// vaultmoor.exe: the game in a Windows window.
#include <objbase.h>
#include <windows.h>

#include "mainwindow.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The screen readers' objects cross into their processes through COM.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    int code = 0;
    {
        vaultmoor::win::MainWindow window;
        code = window.Run();
    }
    if (com) CoUninitialize();
    return code;
}
