// The notification-area icon; see TrayIcon.h.
#include "TrayIcon.h"

#include <shellapi.h>

namespace winui {

namespace {
constexpr wchar_t kClassName[] = L"KestrowTrayIcon";
constexpr UINT kCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
constexpr UINT kFirstCommand = 100;
}  // namespace

TrayIcon::~TrayIcon() {
    Remove();
}

void TrayIcon::Create(HICON icon, const std::wstring& hint, std::vector<MenuItem> menu, HWND foreground) {
    icon_ = icon;
    // The tooltip holds at most 127 characters.
    hint_ = hint.substr(0, 127);
    menu_ = std::move(menu);
    foreground_ = foreground;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    RegisterWindowClass(kClassName, 0, nullptr, nullptr);
    // A top-level window (never shown): broadcasts such as TaskbarCreated do not reach
    // message-only windows.
    CreateHandle(kClassName, 0, WS_POPUP, L"", 0, 0, 0, 0, nullptr);
}

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = kCallback;
    data.hIcon = icon_;
    hint_.copy(data.szTip, std::size(data.szTip) - 1);
    return data;
}

void TrayIcon::Show() {
    // The results are not examined: without a notification area there is no icon until
    // the taskbar is created, and TaskbarCreated brings it then.
    NOTIFYICONDATAW data = Data();
    if (!added_ || !Shell_NotifyIconW(NIM_MODIFY, &data)) Shell_NotifyIconW(NIM_ADD, &data);
    added_ = true;
}

void TrayIcon::Remove() {
    if (!added_ || !Handle()) return;
    NOTIFYICONDATAW data = Data();
    Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
}

void TrayIcon::OpenMenu() {
    POINT at;
    GetCursorPos(&at);
    HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < menu_.size(); ++i)
        AppendMenuW(menu, MF_STRING, kFirstCommand + i, menu_[i].caption.c_str());
    // The menu only closes on a click elsewhere when its owner is in the foreground.
    SetForegroundWindow(Handle());
    if (foreground_) SetForegroundWindow(foreground_);
    const UINT chosen = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y,
        Handle(), nullptr));
    DestroyMenu(menu);
    // Lets the menu's owner finish its menu loop before anything else happens.
    if (foreground_) PostMessageW(foreground_, WM_NULL, 0, 0);
    if (chosen >= kFirstCommand && chosen < kFirstCommand + menu_.size() && menu_[chosen - kFirstCommand].onClick)
        menu_[chosen - kFirstCommand].onClick();
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallback) {
        switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN:
            leftPressed_ = true;
            break;
        case WM_LBUTTONUP:
            // Only a release after a press counts, so the release that ends a double
            // click raises nothing more.
            if (leftPressed_ && OnClick) {
                leftPressed_ = false;
                OnClick();
            }
            leftPressed_ = false;
            break;
        case WM_RBUTTONDOWN:
            OpenMenu();
            break;
        default:
            break;
        }
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        added_ = false;
        Show();
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace winui
