// What a screen reader finds in the running game, through MSAA, and where its screen is.
//   probe read TITLE ID  the role and the name of a control of the window: the screen 10,
//                        the box 11
//   probe listen TITLE   what a screen reader is told: "listening", then the focus, the
//                        name changes and the menus of the game, one a line (line feeds as
//                        \n), till the window is gone
//   probe uia TITLE      whether the notifications' window answers UI Automation, and
//                        whether this Windows can raise a notification
//   probe standard TITLE ID  all but the name of the control's object, then "--" and the
//                        same of the object Windows makes for it
//   probe rect TITLE     where its screen (or a dialog's face) is on the desktop: x y width height
//   probe close TITLE    asks the window to close, as the taskbar does
//   probe box TITLE      the command box's (id 11) length in UTF-16 units, then its first 40
//                        characters, control characters as \xNN
//   probe dpi TITLE N    tells the window that it is now on a monitor of N DPI
// Prints UTF-8 and exits 1 when the window or the screen is not there.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <deque>
#include <string>
#include <utility>

#include "textlayout.h"

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

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

HWND game = nullptr;  // the main window

struct Event {
    DWORD event;
    HWND window;
    LONG object, child;
};
std::deque<Event> heard;

// As a reader does, the hook only takes the event down; it is read afterwards, in order (a
// read waits on the game, and meanwhile the next events come in).
void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                    DWORD) {
    heard.push_back({event, window, object, child});
}

// One line an event, the name read now: "focus WHO NAME", "name WHO NAME" or "menu"; WHO is
// "box" for the command box, else the window, the object and the child. At a menu's end the
// focus is read afresh, as readers do.
void Say(Event e) {
    if (e.event == EVENT_SYSTEM_MENUSTART || e.event == EVENT_SYSTEM_MENUPOPUPSTART) {
        std::printf("menu\n");
        return;
    }
    if (e.event == EVENT_SYSTEM_MENUEND) {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof(gui);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &gui) ||
            gui.hwndFocus == nullptr)
            return;
        e = {EVENT_OBJECT_FOCUS, gui.hwndFocus, OBJID_CLIENT, CHILDID_SELF};
    }
    IAccessible* accessible = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (FAILED(AccessibleObjectFromEvent(e.window, static_cast<DWORD>(e.object),
                                         static_cast<DWORD>(e.child), &accessible, &which)))
        return;
    BSTR name = nullptr;
    accessible->get_accName(which, &name);
    accessible->Release();
    std::printf("%s ", e.event == EVENT_OBJECT_FOCUS ? "focus" : "name");
    if (e.window == GetDlgItem(game, 11) && e.object == OBJID_CLIENT && e.child == CHILDID_SELF)
        std::printf("box");
    else
        std::printf("%p:%ld:%ld", static_cast<void*>(e.window), e.object, e.child);
    std::printf(" %s\n", vaultmoor::EscapeLineFeeds(Take(name)).c_str());
}

// What a reader finds on an object besides its name, one a line: role, value, states,
// keyboard shortcut, and which of a reader's other interfaces it answers.
std::string Describe(IAccessible* a) {
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    BSTR value = nullptr, shortcut = nullptr;
    a->get_accRole(Self(), &role);
    a->get_accValue(Self(), &value);
    a->get_accState(Self(), &state);
    a->get_accKeyboardShortcut(Self(), &shortcut);
    wchar_t text[64] = L"";
    GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64);
    std::string out = "role: " + Utf8(text, static_cast<int>(wcslen(text))) +
                      "\nvalue: " + Take(value) + "\nstates:";
    for (DWORD bit = 1; bit != 0 && bit <= STATE_SYSTEM_VALID; bit <<= 1) {
        if ((static_cast<DWORD>(state.lVal) & bit) == 0) continue;
        GetStateTextW(bit, text, 64);
        out += " " + Utf8(text, static_cast<int>(wcslen(text)));
    }
    out += "\nshortcut: " + Take(shortcut) + "\ninterfaces:";
    const std::pair<const char*, IID> interfaces[] = {{"IEnumVARIANT", __uuidof(IEnumVARIANT)},
                                                      {"IOleWindow", __uuidof(IOleWindow)},
                                                      {"IServiceProvider", IID_IServiceProvider}};
    for (const auto& [name, iid] : interfaces) {
        IUnknown* other = nullptr;
        if (FAILED(a->QueryInterface(iid, reinterpret_cast<void**>(&other)))) continue;
        other->Release();
        out += std::string(" ") + name;
    }
    return out + "\n";
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
    if (what == L"uia") {
        HWND news = FindWindowExW(window, nullptr, L"VaultmoorNews", nullptr);
        const LRESULT answer = SendMessageW(news, WM_GETOBJECT, 0, -25);  // UiaRootObjectId
        HMODULE uia = LoadLibraryW(L"uiautomationcore.dll");
        const bool raise = GetProcAddress(uia, "UiaRaiseNotificationEvent") != nullptr;
        std::printf("the provider %s WM_GETOBJECT; UiaRaiseNotificationEvent %s\n",
                    answer != 0 ? "answered" : "did not answer", raise ? "present" : "missing");
        return news != nullptr && answer != 0 ? 0 : 1;
    }
    CoInitialize(nullptr);
    if (what == L"listen") {
        game = window;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        HWINEVENTHOOK hooks[] = {
            SetWinEventHook(EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUPOPUPSTART, nullptr, &Heard,
                            process, 0, WINEVENT_OUTOFCONTEXT),
            SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &Heard, process, 0,
                            WINEVENT_OUTOFCONTEXT),
            SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &Heard,
                            process, 0, WINEVENT_OUTOFCONTEXT)};
        std::printf("listening\n");
        std::fflush(stdout);
        SetTimer(nullptr, 0, 200, nullptr);
        MSG msg;
        while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageW(&msg);
            for (; !heard.empty(); std::fflush(stdout)) {
                const Event e = heard.front();
                heard.pop_front();
                Say(e);
            }
        }
        for (HWINEVENTHOOK hook : hooks) UnhookWinEvent(hook);
        return 0;
    }
    HWND control = GetDlgItem(window, argc > 3 ? _wtoi(argv[3]) : 10);
    if (control == nullptr) return 1;
    if (what == L"rect") {
        RECT r;
        GetClientRect(control, &r);
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
        return 0;
    }
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible))))
        return 1;
    if (what == L"standard") {
        IAccessible* standard = nullptr;
        if (FAILED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&standard))))
            return 1;
        std::printf("%s--\n%s", Describe(accessible).c_str(), Describe(standard).c_str());
        standard->Release();
        accessible->Release();
        return 0;
    }
    VARIANT role;
    VariantInit(&role);
    accessible->get_accRole(Self(), &role);
    wchar_t roleText[64] = L"";
    GetRoleTextW(static_cast<DWORD>(role.lVal), roleText, 64);
    BSTR name = nullptr;
    accessible->get_accName(Self(), &name);
    const std::string r = Utf8(roleText, static_cast<int>(wcslen(roleText)));
    const std::string n = Take(name);
    std::printf("role: %s\nname: ", r.c_str());
    std::fwrite(n.data(), 1, n.size(), stdout);
    std::fwrite("\n", 1, 1, stdout);
    accessible->Release();
    CoUninitialize();
    return 0;
}
