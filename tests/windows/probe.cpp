// What a screen reader finds in the running game, through MSAA, and where its screen is.
//   probe read TITLE ID  the role and the name of a control of the window: the screen 10,
//                        the box 11
//   probe listen TITLE   what a screen reader is told: "listening", then the focus, the
//                        name changes and the menus of the game, one a line (line feeds as
//                        \n), till the window is gone
//   probe standard TITLE ID  all but the name of the control's object (what is typed in the
//                        box: its second line), then "--" and the same of the object
//                        Windows makes for it
//   probe jaws           JAWS's stand-in: its window, and its object as FreedomSci.JawsApi,
//                        which prints each SayString ("false TEXT": bFlush, the text) and
//                        refuses the first; till the window is closed
//   probe rect TITLE     where its screen (or a dialog's face) is on the desktop: x y width height
//   probe close TITLE    asks the window to close, as the taskbar does
//   probe dpi TITLE N    tells the window that it is now on a monitor of N DPI
// Prints UTF-8 and exits 1 when the window or the screen is not there.
#include <oleacc.h>
#include <windows.h>

#include <cstdint>
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
    if (event <= EVENT_SYSTEM_MENUPOPUPSTART || event == EVENT_OBJECT_FOCUS ||
        event == EVENT_OBJECT_NAMECHANGE)
        heard.push_back({event, window, object, child});
}

// One line an event, the name read now: "focus WHO NAME", "name WHO NAME" or "menu"; WHO is
// "box" for the command box, else the window. At a menu's end the focus is read afresh, as
// readers do.
void Say(Event e) {
    GUITHREADINFO gui{sizeof(gui), 0, {}, {}, {}, {}, {}, {}, {}};
    if (e.event == EVENT_SYSTEM_MENUEND &&
        GetGUIThreadInfo(GetWindowThreadProcessId(game, nullptr), &gui) && gui.hwndFocus)
        e = {EVENT_OBJECT_FOCUS, gui.hwndFocus, OBJID_CLIENT, CHILDID_SELF};
    IAccessible* accessible = nullptr;
    VARIANT which;
    if (e.event != EVENT_OBJECT_FOCUS && e.event != EVENT_OBJECT_NAMECHANGE) {
        std::printf("menu\n");
    } else if (SUCCEEDED(AccessibleObjectFromEvent(e.window, static_cast<DWORD>(e.object),
                                                   static_cast<DWORD>(e.child), &accessible,
                                                   &which))) {
        BSTR name = nullptr;
        accessible->get_accName(which, &name);
        accessible->Release();
        const bool box =
            e.window == GetDlgItem(game, 11) && e.object == OBJID_CLIENT && e.child == 0;
        std::printf(
            "%s %s %s\n", e.event == EVENT_OBJECT_FOCUS ? "focus" : "name",
            box ? "box" : std::to_string(reinterpret_cast<std::uintptr_t>(e.window)).c_str(),
            vaultmoor::EscapeLineFeeds(Take(name)).c_str());
    }
}

std::string Role(IAccessible* a) {
    VARIANT role;
    a->get_accRole(Self(), &role);
    wchar_t text[64] = L"";
    return Utf8(text, static_cast<int>(GetRoleTextW(static_cast<DWORD>(role.lVal), text, 64)));
}

// What a reader finds on an object besides its name: role; value (its length in UTF-16 units,
// then its first 40 characters, control characters as \xNN); states; keyboard shortcut; which
// of the other interfaces a reader asks for it answers.
void Describe(IAccessible* a) {
    VARIANT state;
    BSTR value = nullptr, shortcut = nullptr;
    a->get_accValue(Self(), &value);
    a->get_accState(Self(), &state);
    a->get_accKeyboardShortcut(Self(), &shortcut);
    const std::wstring text(value != nullptr ? value : L"",
                            value != nullptr ? SysStringLen(value) : 0);
    std::string shown;
    for (wchar_t c : text.substr(0, 40)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(c));
        shown += c < 0x20 ? std::string(hex) : Utf8(&c, 1);
    }
    std::printf("role: %s\nvalue: %d %s\nstates: %ld\nshortcut: %s\ninterfaces:", Role(a).c_str(),
                static_cast<int>(text.size()), shown.c_str(), state.lVal, Take(shortcut).c_str());
    SysFreeString(value);
    for (const auto& [name, iid] : {std::pair{"IEnumVARIANT", __uuidof(IEnumVARIANT)},
                                    {"IOleWindow", __uuidof(IOleWindow)},
                                    {"IServiceProvider", IID_IServiceProvider}}) {
        IUnknown* other = nullptr;
        if (SUCCEEDED(a->QueryInterface(iid, reinterpret_cast<void**>(&other)))) other->Release();
        if (other != nullptr) std::printf(" %s", name);
    }
    std::printf("\n");
}

// JAWS's object: SayString, found by name.
struct Jaws final : IClassFactory, IDispatch {
    int calls = 0;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid == IID_IClassFactory) *out = static_cast<IClassFactory*>(this);
        if (iid == IID_IUnknown || iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
        return *out != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
        return QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                            DISPID* id) override {
        *id = _wcsicmp(names[0], L"SayString") == 0 ? 1 : DISPID_UNKNOWN;
        return *id == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        const VARIANT &text = p->rgvarg[1], &flush = p->rgvarg[0];  // the last first
        if (id != 1 || p->cArgs != 2 || text.vt != VT_BSTR || flush.vt != VT_BOOL)
            return DISP_E_BADPARAMCOUNT;
        const std::string said = Utf8(text.bstrVal, static_cast<int>(SysStringLen(text.bstrVal)));
        std::printf("%s %s\n", flush.boolVal ? "true" : "false",
                    vaultmoor::EscapeLineFeeds(said).c_str());
        std::fflush(stdout);
        if (result != nullptr) {
            result->vt = VT_BOOL;
            result->boolVal = ++calls == 1 ? VARIANT_FALSE : VARIANT_TRUE;  // the first fails
        }
        return S_OK;
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"jaws") {
        constexpr wchar_t Clsid[] = L"{663064be-29a9-4784-8e8e-fcae9d2893e6}";
        static Jaws jaws;
        CLSID clsid;
        DWORD cookie = 0;
        CoInitialize(nullptr);
        RegSetValueW(HKEY_CLASSES_ROOT, L"FreedomSci.JawsApi\\CLSID", REG_SZ, Clsid, 0);
        if (FAILED(CLSIDFromString(Clsid, &clsid)) ||
            FAILED(CoRegisterClassObject(clsid, static_cast<IClassFactory*>(&jaws),
                                         CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
            return 1;
        WNDCLASSW c{};
        c.lpfnWndProc = &DefWindowProcW;
        c.lpszClassName = L"JFWUI2";
        RegisterClassW(&c);
        HWND window =
            CreateWindowW(L"JFWUI2", L"JAWS", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        std::printf("listening\n");
        std::fflush(stdout);
        MSG msg;
        while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        return 0;
    }
    if (argc < 3) return 2;
    // Rectangles in the game's own pixels: Wine 10 scales them for a program unaware of DPI.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const std::wstring what = argv[1];
    HWND window = FindWindowW(nullptr, argv[2]);
    if (window == nullptr) return 1;
    if (what == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (what == L"dpi") {
        const auto dpi = static_cast<WORD>(_wtoi(argv[3]));
        return SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0) == 0 ? 0 : 1;
    }
    CoInitialize(nullptr);
    if (what == L"listen") {
        game = window;
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        SetWinEventHook(EVENT_SYSTEM_MENUSTART, EVENT_OBJECT_NAMECHANGE, nullptr, &Heard, process,
                        0, WINEVENT_OUTOFCONTEXT);  // gone with the probe
        std::printf("listening\n");
        std::fflush(stdout);
        SetTimer(nullptr, 0, 200, nullptr);
        MSG msg;
        while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            DispatchMessageW(&msg);
            for (; !heard.empty(); std::fflush(stdout), heard.pop_front()) Say(heard.front());
        }
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
    IAccessible* standard = nullptr;
    if (what == L"standard" &&
        SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&standard)))) {
        Describe(accessible);
        std::printf("--\n");
        Describe(standard);
        return 0;
    }
    BSTR name = nullptr;
    accessible->get_accName(Self(), &name);
    std::printf("role: %s\nname: %s\n", Role(accessible).c_str(), Take(name).c_str());
    accessible->Release();
    CoUninitialize();
    return 0;
}
