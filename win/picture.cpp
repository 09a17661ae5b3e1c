#include "picture.h"

#include <oleacc.h>

#include "accessible.h"
#include "text.h"

namespace vaultmoor::win {

Picture::Picture(HWND parent, int id)
    : hwnd_(CreateWindowExW(0, L"STATIC", L"",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX | SS_LEFT, 0, 0,
                            1, 1, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr)),
      static_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC))) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

void Picture::Show(Image image) {
    if (image == image_) return;
    image_ = std::move(image);
    SetZoom(zoom_);
}

void Picture::SetZoom(int zoom) {
    zoom_ = zoom;
    shown_ = Enlarge(image_, zoom_);
    SetWindowPos(hwnd_, nullptr, 0, 0, shown_.width, shown_.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Picture::SetText(const std::string& utf8) {
    // The static control would repaint on a new text; the picture paints itself.
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(hwnd_, Wide(utf8).c_str());
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK Picture::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Picture*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_GETOBJECT:  // static text, the text it shows as its name
            if (const LRESULT object = AccessibleControl(hwnd, wp, lp, ROLE_SYSTEM_STATICTEXT,
                                                         [hwnd] { return TextOf(hwnd); }))
                return object;
            return CallWindowProcW(self->static_, hwnd, msg, wp, lp);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            const Image& image = self->shown_;
            if (image.width > 0) {
                BITMAPINFO info{};
                info.bmiHeader.biSize = sizeof(info.bmiHeader);
                info.bmiHeader.biWidth = image.width;
                info.bmiHeader.biHeight = -image.height;  // top row first
                info.bmiHeader.biPlanes = 1;
                info.bmiHeader.biBitCount = 32;
                info.bmiHeader.biCompression = BI_RGB;
                SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(image.width),
                                  static_cast<DWORD>(image.height), 0, 0, 0,
                                  static_cast<UINT>(image.height), image.pixels.data(), &info,
                                  DIB_RGB_COLORS);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        default:
            return CallWindowProcW(self->static_, hwnd, msg, wp, lp);
    }
}

}  // namespace vaultmoor::win
