// An information window: its face from view/'s painter and a "&Close" button. Modal; it
// hides when closed and is the same window the next time.
#pragma once

#include <windows.h>

#include <memory>

#include "dialogdesign.h"
#include "picture.h"

namespace vaultmoor::win {

class InfoWindow {
  public:
    InfoWindow(DialogId id, HWND owner, int zoom);
    ~InfoWindow();
    InfoWindow(const InfoWindow&) = delete;
    InfoWindow& operator=(const InfoWindow&) = delete;

    // Shows it and returns when it is closed, or when the program is ending.
    void Run();
    void Close();
    void SetZoom(int zoom);
    HWND Handle() const { return hwnd_; }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

    const DialogDesign& design_;
    HWND owner_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<Picture> face_;
    HWND close_ = nullptr;
    HFONT font_ = nullptr;
    int zoom_ = 0;
    bool placed_ = false;
};

}  // namespace vaultmoor::win
