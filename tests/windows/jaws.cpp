// A stand-in for JAWS. "rundll32 vaultmoor-jaws.dll,Run" registers its object as
// FreedomSci.JawsApi, empties its log (the DLL's name ending in .txt) and holds a window of
// JAWS's class till it is closed. The object, in the game, writes each SayString to the log:
// bFlush ("true" or "false"), then the text, line feeds as \n. It answers false the first time.
#include <windows.h>

#include <cstdio>
#include <string>

#include "textlayout.h"

namespace {

extern "C" IMAGE_DOS_HEADER __ImageBase;
const auto self = reinterpret_cast<HMODULE>(&__ImageBase);
int calls = 0;
constexpr wchar_t Clsid[] = L"{663064be-29a9-4784-8e8e-fcae9d2893e6}";

std::wstring Dll() {
    wchar_t path[MAX_PATH];
    return {path, GetModuleFileNameW(self, path, MAX_PATH)};
}

std::wstring Log() {
    return Dll().replace(Dll().size() - 3, 3, L"txt");
}

struct Api final : IClassFactory, IDispatch {
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
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
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
        char said[1 << 16] = "";
        WideCharToMultiByte(CP_UTF8, 0, text.bstrVal, static_cast<int>(SysStringLen(text.bstrVal)),
                            said, sizeof said - 1, nullptr, nullptr);
        FILE* log = _wfopen(Log().c_str(), L"ab");
        if (log == nullptr) return E_FAIL;
        std::fprintf(log, "%s %s\n", flush.boolVal ? "true" : "false",
                     vaultmoor::EscapeLineFeeds(said).c_str());
        std::fclose(log);
        if (result != nullptr) {
            result->vt = VT_BOOL;
            result->boolVal = ++calls == 1 ? VARIANT_FALSE : VARIANT_TRUE;  // the first fails
        }
        return S_OK;
    }
} api;

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI
    DllGetClassObject(REFCLSID, REFIID iid, void** out) {
    return api.QueryInterface(iid, out);
}

extern "C" __declspec(dllexport) void CALLBACK Run(HWND, HINSTANCE, char*, int) {
    // Made in the game's main thread, its first in COM.
    RegSetValueW(HKEY_CLASSES_ROOT, L"FreedomSci.JawsApi\\CLSID", REG_SZ, Clsid, 0);
    RegSetValueW(HKEY_CLASSES_ROOT,
                 (std::wstring(L"CLSID\\") + Clsid + L"\\InprocServer32").c_str(), REG_SZ,
                 Dll().c_str(), 0);
    WNDCLASSW c{};
    c.lpfnWndProc = &DefWindowProcW;
    c.hInstance = self;
    c.lpszClassName = L"JFWUI2";
    RegisterClassW(&c);
    HWND window = CreateWindowW(L"JFWUI2", L"JAWS", 0, 0, 0, 0, 0, nullptr, nullptr, self, nullptr);
    if (FILE* log = _wfopen(Log().c_str(), L"wb")) std::fclose(log);  // the window is up
    MSG msg;
    while (IsWindow(window) && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}
