#include "controls.h"

#include <algorithm>

#include "resource.h"
#include "text.h"

namespace vaultmoor::win {

HWND MakeButton(HWND parent, int id, std::string_view caption, bool isDefault) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                        static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return CreateWindowExW(0, L"BUTTON", Wide(caption).c_str(), style, 0, 0, 1, 1, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

void Place(HWND control, const PixelRect& r, int zoom) {
    SetWindowPos(control, nullptr, r.left * zoom, r.top * zoom, r.width * zoom, r.height * zoom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT ButtonFont(int zoom) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, 96);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight *= zoom;
    font.lfWidth *= zoom;
    return CreateFontIndirectW(&font);
}

HFONT ScreenFont(int zoom) {
    LOGFONTW font{};
    font.lfHeight = -CellHeight * zoom;  // the em is the glyph cell: every pixel a block
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    wcscpy_s(font.lfFaceName, ScreenFontFace);
    return CreateFontIndirectW(&font);
}

void LoadScreenFont() {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(IDR_SCREENFONT), MAKEINTRESOURCEW(10));
    if (found == nullptr) return;
    HGLOBAL data = LoadResource(self, found);
    DWORD fonts = 0;
    AddFontMemResourceEx(LockResource(data), SizeofResource(self, found), nullptr, &fonts);
}

SIZE OuterSize(SIZE client, DWORD style, bool menu, UINT dpi) {
    RECT r{0, 0, client.cx, client.cy};
    AdjustWindowRectExForDpi(&r, style, menu ? TRUE : FALSE, 0, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

RECT WorkArea(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

void ResizeKeepingCentre(HWND window, SIZE outer, bool placed, HWND owner) {
    RECT now;
    GetWindowRect(window, &now);
    const RECT room = WorkArea(placed ? window : owner);
    const POINT centre = placed ? POINT{(now.left + now.right) / 2, (now.top + now.bottom) / 2}
                                : POINT{(room.left + room.right) / 2, (room.top + room.bottom) / 2};
    const int x =
        std::max<int>(room.left, std::min<int>(centre.x - outer.cx / 2, room.right - outer.cx));
    const int y =
        std::max<int>(room.top, std::min<int>(centre.y - outer.cy / 2, room.bottom - outer.cy));
    SetWindowPos(window, nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vaultmoor::win
