#include "speech.h"

#include <oleauto.h>
#include <unknwn.h>

#include <cstdio>
#include <cstdlib>

#include "text.h"
#include "textlayout.h"

namespace vaultmoor::win {

namespace {

// From UIAutomationCore.h, so that the program starts on systems without it.
struct IRawElementProviderSimple;
constexpr int NotificationKindActionCompleted = 2;
constexpr int NotificationProcessingImportantAll = 0;
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, int, int, BSTR, BSTR);

struct Uia {
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raiseNotification = nullptr;
    Uia() {
        HMODULE dll =
            LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (dll == nullptr) return;
        hostProvider = reinterpret_cast<HostProviderFromHwnd>(
            reinterpret_cast<void*>(GetProcAddress(dll, "UiaHostProviderFromHwnd")));
        raiseNotification = reinterpret_cast<RaiseNotificationEvent>(
            reinterpret_cast<void*>(GetProcAddress(dll, "UiaRaiseNotificationEvent")));
    }
};

void Record(const std::string& news) {
    const char* path = std::getenv("VAULTMOOR_NEWS_LOG");
    if (path == nullptr || *path == '\0') return;
    const std::string line = EscapeLineFeeds(news);
    if (std::FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

}  // namespace

void Notify(HWND window, const std::string& news) {
    if (news.empty()) return;
    Record(news);
    static const Uia uia;
    if (uia.hostProvider == nullptr || uia.raiseNotification == nullptr) return;
    IRawElementProviderSimple* provider = nullptr;
    if (FAILED(uia.hostProvider(window, &provider)) || provider == nullptr) return;
    const std::wstring wide = Wide(news);
    BSTR text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    BSTR activity = SysAllocString(L"VaultmoorNews");
    uia.raiseNotification(provider, NotificationKindActionCompleted,
                          NotificationProcessingImportantAll, text, activity);
    SysFreeString(activity);
    SysFreeString(text);
    reinterpret_cast<IUnknown*>(provider)->Release();
}

}  // namespace vaultmoor::win
