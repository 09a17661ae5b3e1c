// What a screen reader finds in the running game, through MSAA, and where its screen is.
//   probe name TITLE     the accessible name and value of the screen (id 10) of the window
//   probe rect TITLE     where that screen is on the desktop: x y width height
//   probe close TITLE    asks the window to close, as the taskbar does
//   probe box TITLE      the command box's (id 11) length in UTF-16 units, then its first 40
//                        characters, control characters as \xNN
//   probe dpi TITLE N    tells the window that it is now on a monitor of N DPI
// Prints UTF-8 and exits 1 when the window or the screen is not there.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* s, int n) {
    if (s == nullptr || n == 0) return {};
    std::string out(WideCharToMultiByte(CP_UTF8, 0, s, n, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s, n, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
    return out;
}

std::string Take(BSTR s) {
    std::string out = Utf8(s, s != nullptr ? static_cast<int>(SysStringLen(s)) : 0);
    SysFreeString(s);
    return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring what = argv[1];
    HWND window = FindWindowW(nullptr, argv[2]);
    if (window == nullptr) return 1;
    if (what == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (what == L"dpi") {
        const auto dpi = static_cast<WORD>(_wtoi(argv[3]));
        return SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0) == 0 ? 0 : 1;
    }
    if (what == L"box") {
        HWND box = GetDlgItem(window, 11);
        // Another program's control: asked, as GetWindowText would not.
        const auto length = static_cast<int>(SendMessageW(box, WM_GETTEXTLENGTH, 0, 0));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        std::string shown;
        for (wchar_t c : text.substr(0, 40)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(c));
            shown += c < 0x20 ? std::string(hex) : Utf8(&c, 1);
        }
        std::printf("%d %s\n", length, shown.c_str());
        return 0;
    }
    HWND screen = GetDlgItem(window, 10);
    if (screen == nullptr) return 1;
    if (what == L"rect") {
        RECT r;
        GetClientRect(screen, &r);
        MapWindowPoints(screen, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    CoInitialize(nullptr);
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(screen, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return 1;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    BSTR value = nullptr;
    accessible->get_accName(self, &name);
    accessible->get_accValue(self, &value);
    std::fwrite("name: ", 1, 6, stdout);
    const std::string n = Take(name);
    std::fwrite(n.data(), 1, n.size(), stdout);
    std::fwrite("\nvalue: ", 1, 8, stdout);
    const std::string v = Take(value);
    std::fwrite(v.data(), 1, v.size(), stdout);
    std::fwrite("\n", 1, 1, stdout);
    accessible->Release();
    CoUninitialize();
    return 0;
}
