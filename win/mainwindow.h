// frmMain on Windows: the screen from view/'s painter, the command box, the default button
// "&Enter", the menu bar of view/'s table and the five information windows.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "game.h"
#include "history.h"
#include "infowindow.h"
#include "menus.h"
#include "picture.h"
#include "speech.h"

namespace vaultmoor::win {

class MainWindow {
  public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Runs the program until File > Exit or the close box; the exit code.
    int Run();

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    bool ZoomKey(const MSG& msg);  // Ctrl++, Ctrl+=, Ctrl+-, Ctrl+0
    void Paste();

    void Act(MenuAction action);
    void NewGame();
    void Turn();
    void Exit();
    void ShowDialog(DialogId id);
    void Refresh();
    void FocusCommandBox();
    void TellListeners();

    int LargestZoom() const;
    void SetZoom(int zoom);
    void ZoomBy(int step);
    void DpiChanged(UINT dpi, const RECT* suggested);

    Game game_;
    vaultmoor::MainWindow told_{};  // the screen as the listener last heard it
    CommandHistory history_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<Picture> screen_;
    HWND box_ = nullptr;
    WNDPROC boxProc_ = nullptr;
    std::unique_ptr<Speech> speech_;
    HWND enter_ = nullptr;
    HFONT boxFont_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HBRUSH black_ = nullptr;
    std::array<std::unique_ptr<InfoWindow>, DialogCount> dialogs_;
    UINT dpi_ = 96;
    int zoom_ = 0;
    int openingZoom_ = 1;
    bool exiting_ = false;
};

}  // namespace vaultmoor::win
