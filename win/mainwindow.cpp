#include "mainwindow.h"

#include <algorithm>
#include <string>

#include "controls.h"
#include "news.h"
#include "painter.h"
#include "resource.h"
#include "text.h"
#include "zoom.h"

namespace vaultmoor::win {

namespace {

constexpr wchar_t ClassName[] = L"VaultmoorMainWindow";
// Fixed size: no sizing frame, no maximize box.
constexpr DWORD Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int ScreenId = 10;
constexpr int BoxId = 11;  // the Enter button is IDOK, the default
constexpr int MenuBase = 100;
// A line edit's limit, as the Linux window's box has it (32767 UTF-16 units).
constexpr int BoxLimit = 32767;

const SIZE Unit{TwipsToPixels(MainWidthTwips), TwipsToPixels(MainHeightTwips)};

int DpiZoom(UINT dpi) {
    return std::max(1, static_cast<int>(dpi) / 96);
}

}  // namespace

MainWindow::MainWindow() {
    LoadScreenFont();
    black_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.lpfnWndProc = &Proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = LoadIconW(c.hInstance, MAKEINTRESOURCEW(IDI_VAULTMOOR));
    c.hIconSm = c.hIcon;
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    c.hbrBackground = black_;
    c.lpszClassName = ClassName;
    RegisterClassExW(&c);

    HMENU bar = CreateMenu();
    for (const Menu& m : MenuBar()) {
        if (m.items.empty()) {  // a command on the bar itself
            AppendMenuW(bar, MF_STRING, MenuBase + static_cast<UINT>(m.action),
                        Wide(m.caption).c_str());
            continue;
        }
        HMENU menu = CreatePopupMenu();
        for (const MenuItem& item : m.items) {
            if (item.Separator())
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, MenuBase + static_cast<UINT>(item.action),
                            Wide(item.caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), Wide(m.caption).c_str());
    }

    hwnd_ = CreateWindowExW(0, ClassName, Wide(WindowCaption).c_str(), Style, CW_USEDEFAULT,
                            CW_USEDEFAULT, Unit.cx, Unit.cy, nullptr, bar, c.hInstance, this);
    screen_ = std::make_unique<Picture>(hwnd_, ScreenId);
    box_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
        1, 1, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(BoxId)), c.hInstance, nullptr);
    SendMessageW(box_, EM_SETLIMITTEXT, BoxLimit, 0);
    SetWindowLongPtrW(box_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    boxProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(box_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoxProc)));
    enter_ = MakeButton(hwnd_, IDOK, CmdEnterCaption, true);
    // The box first in the tab order, then the button, the screen beneath both.
    SetWindowPos(box_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(enter_, box_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(screen_->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    speech_ = std::make_unique<Speech>(hwnd_, box_);  // its window under the screen

    dpi_ = GetDpiForWindow(hwnd_);
    const RECT room = WorkArea(hwnd_);
    const SIZE frame = OuterSize({0, 0}, Style, true, dpi_);
    openingZoom_ =
        std::max(DpiZoom(dpi_), OpeningZoom({Unit.cx, Unit.cy}, {frame.cx, frame.cy},
                                            {room.right - room.left, room.bottom - room.top}));
    SetZoom(openingZoom_);
    Refresh();
    TellListeners();  // the title screen is read with the screen, which has the focus
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    FocusCommandBox();
}

MainWindow::~MainWindow() {
    for (auto& dialog : dialogs_) dialog.reset();
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    if (boxFont_ != nullptr) DeleteObject(boxFont_);
    if (buttonFont_ != nullptr) DeleteObject(buttonFont_);
}

int MainWindow::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (ZoomKey(msg)) continue;
        if (IsDialogMessageW(hwnd_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool MainWindow::ZoomKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (GetKeyState(VK_CONTROL) & 0x8000) == 0) return false;
    switch (msg.wParam) {
        case VK_OEM_PLUS:  // "=" and, with Shift, "+"
        case VK_ADD:
            ZoomBy(1);
            return true;
        case VK_OEM_MINUS:
        case VK_SUBTRACT:
            ZoomBy(-1);
            return true;
        case '0':
        case VK_NUMPAD0:
            ZoomBy(0);
            return true;
        default:
            return false;
    }
}

void MainWindow::Act(MenuAction action) {
    if (action == MenuAction::NewGame) NewGame();
    if (action == MenuAction::Exit) Exit();
    if (const std::optional<DialogId> dialog = DialogFor(action)) ShowDialog(*dialog);
}

void MainWindow::NewGame() {
    game_.frmMain.txtBox.Text = Utf8(TextOf(box_));
    game_.mnuNewGame_Click();
    Refresh();
    TellListeners();
}

void MainWindow::Turn() {
    if (!game_.InputShown()) return;
    const std::string typed = Utf8(TextOf(box_));
    history_.Add(typed);
    game_.frmMain.txtBox.Text = typed;
    game_.cmdEnter_Click();
    Refresh();
    TellListeners();
}

void MainWindow::Exit() {
    if (exiting_) return;
    exiting_ = true;
    game_.mnuFileExit_Click();
    for (auto& dialog : dialogs_) {
        if (dialog) dialog->Close();
    }
    DestroyWindow(hwnd_);
}

void MainWindow::ShowDialog(DialogId id) {
    auto& dialog = dialogs_.at(static_cast<std::size_t>(id));
    if (!dialog) dialog = std::make_unique<InfoWindow>(id, hwnd_, zoom_);
    dialog->SetZoom(zoom_);
    dialog->Run();
    if (exiting_) return;
    SetForegroundWindow(hwnd_);
    FocusCommandBox();
}

void MainWindow::Refresh() {
    const vaultmoor::MainWindow& m = game_.frmMain;
    screen_->Show(PaintScreen(m));
    // The painted text, for the screen reader's review.
    screen_->SetText(ScreenText(m, Voice::Speech));
    if (!m.txtBox.Visible) FocusCommandBox();  // before the box goes
    const std::wstring text = Wide(m.txtBox.Text);
    if (TextOf(box_) != text) SetWindowTextW(box_, text.c_str());
    ShowWindow(box_, m.txtBox.Visible ? SW_SHOWNA : SW_HIDE);
    ShowWindow(enter_, m.cmdEnter.Visible ? SW_SHOWNA : SW_HIDE);
    FocusCommandBox();
}

void MainWindow::FocusCommandBox() {
    if (GetActiveWindow() != hwnd_) return;
    SetFocus(game_.frmMain.txtBox.Visible ? box_ : screen_->Handle());
}

void MainWindow::TellListeners() {
    speech_->Tell(NewsToTell(told_, game_.frmMain));
    told_ = game_.frmMain;
}

int MainWindow::LargestZoom() const {
    const RECT room = WorkArea(hwnd_);
    const SIZE frame = OuterSize({0, 0}, Style, true, dpi_);
    return vaultmoor::LargestZoom({Unit.cx, Unit.cy}, {frame.cx, frame.cy},
                                  {room.right - room.left, room.bottom - room.top});
}

void MainWindow::SetZoom(int zoom) {
    zoom = std::clamp(zoom, 1, LargestZoom());
    if (zoom == zoom_) return;
    zoom_ = zoom;
    screen_->SetZoom(zoom);
    Place(box_, ToPixels(TxtBoxRect), zoom);
    Place(enter_, ToPixels(CmdEnterRect), zoom);
    HFONT oldBox = boxFont_;
    HFONT oldButton = buttonFont_;
    boxFont_ = ScreenFont(zoom);
    buttonFont_ = ButtonFont(zoom);
    SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(boxFont_), TRUE);
    SetWindowPos(box_, nullptr, 0, 0, 0, 0,  // the line's band anew for the new font
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageW(enter_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), TRUE);
    if (oldBox != nullptr) DeleteObject(oldBox);
    if (oldButton != nullptr) DeleteObject(oldButton);

    // A fixed size at each zoom, its centre where it was, kept on the screen.
    ResizeKeepingCentre(hwnd_, OuterSize({Unit.cx * zoom, Unit.cy * zoom}, Style, true, dpi_),
                        IsWindowVisible(hwnd_) != FALSE, hwnd_);
    for (auto& dialog : dialogs_) {
        if (dialog) dialog->SetZoom(zoom);
    }
}

void MainWindow::ZoomBy(int step) {
    SetZoom(step == 0 ? openingZoom_ : zoom_ + step);
}

void MainWindow::DpiChanged(UINT dpi, const RECT* suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    // The same size on the new monitor, in whole screen pixels.
    const int zoom = std::max(1, (zoom_ * static_cast<int>(dpi) + 48) / static_cast<int>(dpi_));
    openingZoom_ =
        std::max(1, (openingZoom_ * static_cast<int>(dpi) + 48) / static_cast<int>(dpi_));
    dpi_ = dpi;
    if (suggested != nullptr)
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    zoom_ = 0;  // every control again, at the new DPI
    SetZoom(zoom);
}

void MainWindow::Paste() {
    // As the Linux window's box: the text whole, line breaks, tabs and control characters
    // kept, cut at the box's limit.
    if (!OpenClipboard(box_)) return;
    std::wstring clip;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            clip = text;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    DWORD from = 0;
    DWORD to = 0;
    SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const int kept = GetWindowTextLengthW(box_) - static_cast<int>(to - from);
    clip.resize(std::min<std::size_t>(clip.size(), static_cast<std::size_t>(BoxLimit - kept)));
    SendMessageW(box_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(clip.c_str()));
}

LRESULT CALLBACK MainWindow::BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    const bool plain = (GetKeyState(VK_CONTROL) & 0x8000) == 0 &&
                       (GetKeyState(VK_MENU) & 0x8000) == 0 &&
                       (GetKeyState(VK_SHIFT) & 0x8000) == 0;
    if (msg == WM_KEYDOWN && plain && (wp == VK_UP || wp == VK_DOWN)) {
        const std::optional<std::string> line =
            wp == VK_UP ? self->history_.Up(Utf8(TextOf(hwnd))) : self->history_.Down();
        if (line) {
            SetWindowTextW(hwnd, Wide(*line).c_str());
            SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(-1), -1);
            const int end = GetWindowTextLengthW(hwnd);
            SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(end), end);
        }
        return 0;
    }
    if (msg == WM_PASTE) {
        self->Paste();
        return 0;
    }
    if (msg == WM_SETFOCUS && self->speech_) self->speech_->Focused();
    if (msg == WM_KILLFOCUS && self->speech_) self->speech_->Blurred();
    if (msg == WM_GETOBJECT && self->speech_) {
        if (const LRESULT object = self->speech_->BoxObject(wp, lp)) return object;
    }
    // The line of text in the middle of the box, as in the Linux window: the bands above and
    // below it belong to the frame and are painted black.
    if (msg == WM_NCCALCSIZE) {
        const LRESULT r = CallWindowProcW(self->boxProc_, hwnd, msg, wp, lp);
        RECT& client =
            wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : *reinterpret_cast<RECT*>(lp);
        const int line = CellHeight * std::max(1, self->zoom_);
        const int spare = (client.bottom - client.top) - line;
        if (spare > 0) {
            client.top += spare / 2;
            client.bottom = client.top + line;
        }
        return r;
    }
    if (msg == WM_NCPAINT) {
        const LRESULT r = CallWindowProcW(self->boxProc_, hwnd, msg, wp, lp);
        RECT window, client;
        GetWindowRect(hwnd, &window);
        GetClientRect(hwnd, &client);
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -window.left, -window.top);
        const RECT above{client.left, 0, client.right, client.top};
        const RECT below{client.left, client.bottom, client.right, window.bottom - window.top};
        if (HDC dc = GetWindowDC(hwnd)) {
            const int edge = GetSystemMetricsForDpi(SM_CYEDGE, GetDpiForWindow(hwnd));
            for (RECT band : {above, below}) {
                band.top = std::max<LONG>(band.top, edge);
                band.bottom = std::min<LONG>(band.bottom, window.bottom - window.top - edge);
                if (band.bottom > band.top) FillRect(dc, &band, self->black_);
            }
            ReleaseDC(hwnd, dc);
        }
        return r;
    }
    return CallWindowProcW(self->boxProc_, hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self != nullptr ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                Turn();  // the Enter key in the box, Alt+E, a click
            } else if (LOWORD(wp) == BoxId && HIWORD(wp) == EN_CHANGE) {
                if (speech_) speech_->Typed();
            } else if (HIWORD(wp) == 0 && LOWORD(wp) >= MenuBase) {
                Act(static_cast<MenuAction>(LOWORD(wp) - MenuBase));
            }
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, RGB(LightGrey.r, LightGrey.g, LightGrey.b));
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(black_);
        }
        case WM_MOUSEWHEEL:
            if (GET_KEYSTATE_WPARAM(wp) & MK_CONTROL) {
                ZoomBy(GET_WHEEL_DELTA_WPARAM(wp) > 0 ? 1 : -1);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) {
                FocusCommandBox();
                return 0;
            }
            break;
        case WM_ENTERMENULOOP:  // a reader is in the menu now, and says the box after it
            if (speech_) speech_->Blurred();
            break;
        case WM_EXITMENULOOP:
            if (speech_ && GetFocus() == box_) speech_->Focused();
            break;
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_APP:  // an information window was moved to another DPI
            DpiChanged(HIWORD(wp), nullptr);
            return 0;
        case WM_CLOSE:  // the close box does what File > Exit does
            Exit();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace vaultmoor::win
