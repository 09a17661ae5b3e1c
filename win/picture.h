// A static control that shows an image of view/'s painter at a zoom, each pixel an n x n
// block. Its window text is what a screen reader reads for it (the MSAA name).
#pragma once

#include <windows.h>

#include <string>

#include "painter.h"

namespace vaultmoor::win {

class Picture {
  public:
    Picture(HWND parent, int id);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    HWND Handle() const { return hwnd_; }
    void Show(Image image);
    void SetZoom(int zoom);
    void SetText(const std::string& utf8);

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND hwnd_;
    WNDPROC static_;
    Image image_;
    Image shown_;  // image_ enlarged by zoom_
    int zoom_ = 1;
};

}  // namespace vaultmoor::win
