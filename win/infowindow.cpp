#include "infowindow.h"

#include "controls.h"
#include "text.h"

namespace vaultmoor::win {

namespace {

constexpr wchar_t ClassName[] = L"VaultmoorInfoWindow";
constexpr DWORD Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int FaceId = 10;

void Register() {
    static const bool registered = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.lpfnWndProc = DefWindowProcW;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        c.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        c.lpszClassName = ClassName;
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;
}

}  // namespace

InfoWindow::InfoWindow(DialogId id, HWND owner, int zoom) : design_(DesignOf(id)), owner_(owner) {
    Register();
    hwnd_ = CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName, Wide(design_.caption).c_str(), Style,
                            CW_USEDEFAULT, CW_USEDEFAULT, 1, 1, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    face_ = std::make_unique<Picture>(hwnd_, FaceId);
    face_->Show(PaintFace(id));
    face_->SetText(FaceText(design_));
    close_ = MakeButton(hwnd_, IDOK, CloseCaption, true);
    SetWindowPos(close_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetZoom(zoom);
}

InfoWindow::~InfoWindow() {
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

void InfoWindow::SetZoom(int zoom) {
    if (zoom == zoom_) return;
    zoom_ = zoom;
    face_->SetZoom(zoom);
    Place(
        close_,
        ToPixels(TwipRect{design_.closeLeft, design_.closeTop, CloseWidthTwips, CloseHeightTwips}),
        zoom);
    HFONT old = font_;
    font_ = ButtonFont(zoom);
    SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old != nullptr) DeleteObject(old);

    const SIZE client{TwipsToPixels(design_.widthTwips) * zoom,
                      TwipsToPixels(design_.heightTwips) * zoom};
    // Centred on the screen the first time; after that its centre stays where it was.
    ResizeKeepingCentre(hwnd_, OuterSize(client, Style, false, GetDpiForWindow(hwnd_)), placed_,
                        owner_);
    placed_ = true;
}

void InfoWindow::Run() {
    EnableWindow(owner_, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetFocus(close_);
    MSG msg;
    while (IsWindowVisible(hwnd_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside
            break;
        }
        if (!IsDialogMessageW(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    Close();
}

void InfoWindow::Close() {
    // The owner first, so that it takes the activation back.
    EnableWindow(owner_, TRUE);
    if (IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
}

LRESULT CALLBACK InfoWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<InfoWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self != nullptr ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT InfoWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            // "&Close", Enter (the default button) and Esc.
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) Close();
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_CLOSE:  // the close box, Alt+F4
            Close();
            return 0;
        case WM_DPICHANGED:
            // The owner picks the zoom for the new DPI and passes it on to every window.
            SendMessageW(owner_, WM_APP, wp, 0);
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

}  // namespace vaultmoor::win
