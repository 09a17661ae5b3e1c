#include "speech.h"

#include <oleacc.h>
#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include "accessible.h"
#include "text.h"

namespace vaultmoor::win {

namespace {

constexpr wchar_t NewsClass[] = L"VaultmoorNews";
constexpr wchar_t BoxName[] = L"Command";  // as the Linux window and the page name it

// Not in MinGW's headers (its uiautomationcoreapi.h is not C++).
constexpr LONG UiaRootObjectId = -25;
constexpr int TextControlType = 50020;
constexpr int NotificationKindActionCompleted = 2;
constexpr int NotificationProcessingImportantAll = 0;  // queued behind what is being said
constexpr UINT BoxRead = WM_APP;  // the box's name was read while a reader was to say it
constexpr UINT_PTR SettleTimer = 1;
constexpr UINT SettleMs = 500;  // no reader read the box meanwhile

// UIAutomationCore.dll's functions, looked up so that the program starts without them.
struct Uia {
    LRESULT(WINAPI* returnProvider)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*) = nullptr;
    HRESULT(WINAPI* hostProvider)(HWND, IRawElementProviderSimple**) = nullptr;
    HRESULT(WINAPI* raiseNotification)(IRawElementProviderSimple*, int, int, BSTR, BSTR) = nullptr;
    BOOL(WINAPI* clientsListening)() = nullptr;
    Uia() {
        HMODULE dll =
            LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (dll == nullptr) return;
        Find(dll, "UiaReturnRawElementProvider", returnProvider);
        Find(dll, "UiaHostProviderFromHwnd", hostProvider);
        Find(dll, "UiaRaiseNotificationEvent", raiseNotification);
        Find(dll, "UiaClientsAreListening", clientsListening);
        // Wine's raises nothing but says it did (Wine 10): there the replies go by MSAA,
        // which Wine carries.
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr)
            raiseNotification = nullptr;
    }
    template <typename F>
    static void Find(HMODULE dll, const char* name, F& f) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
    }
};

const Uia& Automation() {
    static const Uia uia;
    return uia;
}

// JAWS and Dolphin load these into every program; they say nothing of a notification.
bool ReaderWithoutNotifications() {
    return GetModuleHandleW(L"jhook.dll") != nullptr ||
           GetModuleHandleW(L"dolwinhk.dll") != nullptr;
}

}  // namespace

// The notifications' sender: a text element outside the control view, so that no reader
// stops on it.
struct Speech::Provider final : IRawElementProviderSimple {
    explicit Provider(HWND window) : window(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple)) {
            *out = static_cast<IRawElementProviderSimple*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = InterlockedDecrement(&refs);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* out) override {
        *out = static_cast<ProviderOptions>(ProviderOptions_ServerSideProvider |
                                            ProviderOptions_UseComThreading);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** out) override {
        *out = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID id, VARIANT* out) override {
        VariantInit(out);
        if (id == UIA_ControlTypePropertyId) {
            out->vt = VT_I4;
            out->lVal = TextControlType;
        } else if (id == UIA_IsControlElementPropertyId || id == UIA_IsContentElementPropertyId) {
            out->vt = VT_BOOL;
            out->boolVal = VARIANT_FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** out) override {
        *out = nullptr;
        const Uia& uia = Automation();
        return uia.hostProvider != nullptr ? uia.hostProvider(window, out) : S_OK;
    }

    HWND window;
    LONG refs = 1;
};

// The box's name as its accessible object reads it, shared with every such object.
struct Speech::Box {
    std::wstring name = BoxName;
    HWND news = nullptr;
    bool settling = false;  // the box has taken the focus and no reader has read it yet
};

Speech::Speech(HWND parent, HWND box) : box_(box), boxState_(std::make_shared<Box>()) {
    static const bool registered = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.lpfnWndProc = &NewsProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = NewsClass;
        return RegisterClassExW(&c) != 0;
    }();
    if (!registered) return;
    // At the bottom of the children, under the screen, which covers its pixel.
    news_ = CreateWindowExW(WS_EX_TRANSPARENT, NewsClass, L"", WS_CHILD | WS_DISABLED, 0, 0, 1, 1,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (news_ == nullptr) return;
    provider_ = new Provider(news_);
    boxState_->news = news_;
    SetWindowLongPtrW(news_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowPos(news_, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

Speech::~Speech() {
    boxState_->settling = false;
    if (news_ != nullptr && IsWindow(news_)) {  // else gone with the main window
        SetWindowLongPtrW(news_, GWLP_USERDATA, 0);
        DestroyWindow(news_);
    }
    if (provider_ != nullptr) provider_->Release();
    if (jaws_ != nullptr) jaws_->Release();
}

void Speech::Tell(const std::string& news) {
    if (news.empty()) return;
    if (!waiting_.empty()) Name(waiting_);  // a turn before the last one settled
    waiting_.clear();
    std::wstring wide = Wide(news);
    if (Jaws(wide)) return;
    const Uia& uia = Automation();
    if (provider_ != nullptr && uia.raiseNotification != nullptr &&
        uia.clientsListening != nullptr && uia.clientsListening() &&
        !ReaderWithoutNotifications()) {
        BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        // An activity of its own: a reader may fold notifications of one activity into one.
        BSTR activity = SysAllocString((L"VaultmoorNews" + std::to_wstring(++replies_)).c_str());
        const HRESULT raised =
            uia.raiseNotification(provider_, NotificationKindActionCompleted,
                                  NotificationProcessingImportantAll, text, activity);
        SysFreeString(activity);
        SysFreeString(text);
        if (SUCCEEDED(raised)) return;
    }
    // A reader may skip a name that did not change: the same reply twice gets a space, the
    // next one none.
    if (wide == told_) wide += L' ';
    told_ = wide;
    if (boxState_->settling)
        waiting_ = std::move(wide);
    else
        Name(wide);
}

// As audio games do: JAWS found by its main window, then "SayString" of its object, by name.
bool Speech::Jaws(const std::wstring& text) {
    const bool running = FindWindowW(L"JFWUI2", nullptr) != nullptr;
    if (running && jaws_ == nullptr) {
        CLSID clsid;
        wchar_t method[] = L"SayString";
        LPOLESTR names[] = {method};
        if (FAILED(CLSIDFromProgID(L"FreedomSci.JawsApi", &clsid)) ||
            FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    __uuidof(IDispatch), reinterpret_cast<void**>(&jaws_))))
            jaws_ = nullptr;
        else if (FAILED(jaws_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &sayString_)))
            sayString_ = DISPID_UNKNOWN;
    }
    bool said = false;
    if (running && jaws_ != nullptr && sayString_ != DISPID_UNKNOWN) {
        VARIANT args[2];  // the last first
        VariantInit(&args[0]);
        args[0].vt = VT_BOOL;
        args[0].boolVal = VARIANT_FALSE;  // bFlush: after what it is saying (the focus)
        VariantInit(&args[1]);
        args[1].vt = VT_BSTR;
        args[1].bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        DISPPARAMS params{args, nullptr, 2, 0};
        VARIANT result;
        VariantInit(&result);
        const HRESULT called = jaws_->Invoke(sayString_, IID_NULL, LOCALE_USER_DEFAULT,
                                             DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        said = SUCCEEDED(called) && result.vt == VT_BOOL && result.boolVal != VARIANT_FALSE;
        VariantClear(&args[1]);
        VariantClear(&result);
    }
    if (!said && jaws_ != nullptr) {  // gone, or failed: made again at the next reply
        jaws_->Release();
        jaws_ = nullptr;
    }
    return said;
}

void Speech::Name(const std::wstring& name) {
    boxState_->name = name;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, box_, OBJID_CLIENT, CHILDID_SELF);
}

void Speech::Typed() {
    boxState_->name = BoxName;
}

void Speech::Focused() {
    boxState_->name = BoxName;
    if (news_ == nullptr) return;
    boxState_->settling = true;
    SetTimer(news_, SettleTimer, SettleMs, nullptr);
}

void Speech::Blurred() {
    boxState_->name = BoxName;
}

void Speech::Settled() {
    if (news_ != nullptr) KillTimer(news_, SettleTimer);
    boxState_->settling = false;
    if (!waiting_.empty()) Name(waiting_);
    waiting_.clear();
}

LRESULT Speech::BoxObject(WPARAM wp, LPARAM lp) const {
    return AccessibleControl(box_, wp, lp, ROLE_SYSTEM_TEXT, [box = boxState_] {
        // The reply after this read, in a message of its own.
        if (box->settling) PostMessageW(box->news, BoxRead, 0, 0);
        return box->name;
    });
}

LRESULT CALLBACK Speech::NewsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Speech*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    Provider* provider = self != nullptr ? self->provider_ : nullptr;
    if (self != nullptr && (msg == BoxRead || (msg == WM_TIMER && wp == SettleTimer))) {
        self->Settled();
        return 0;
    }
    const Uia& uia = Automation();
    if (msg == WM_GETOBJECT && static_cast<LONG>(lp) == UiaRootObjectId && provider != nullptr &&
        uia.returnProvider != nullptr)
        return uia.returnProvider(hwnd, wp, lp, provider);
    if (msg == WM_DESTROY && uia.returnProvider != nullptr)  // UI Automation forgets it
        uia.returnProvider(hwnd, 0, 0, nullptr);
    if (msg == WM_PAINT) {  // never drawn
        ValidateRect(hwnd, nullptr);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vaultmoor::win
