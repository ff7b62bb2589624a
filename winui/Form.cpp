// Top-level forms; see Form.h.
#include "Form.h"

#include "App.h"

namespace winui {

int Form::Scale(int designPixels) const {
    return MulDiv(designPixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
}

void Form::CreateFormWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                            const Placement& placement) {
    // The program is per-monitor dpi aware; a form starts on the primary screen, whose
    // dpi is the system's.
    dpi_ = GetDpiForSystem();
    centreOnFirstShow_ = placement.centreOnFirstShow;
    RECT frame{0, 0, Scale(placement.clientWidth), Scale(placement.clientHeight)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi_);
    CreateHandle(className, exStyle, style & ~WS_VISIBLE, caption, Scale(placement.left), Scale(placement.top),
                 frame.right - frame.left, frame.bottom - frame.top, Application().Handle());
}

bool Form::Visible() const {
    return Handle() && IsWindowVisible(Handle());
}

void Form::Show() {
    if (!Visible()) {
        if (centreOnFirstShow_ && !shownBefore_) CentreOnPrimaryScreen();
        shownBefore_ = true;
        ShowWindow(Handle(), SW_SHOW);
    }
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
}

void Form::Hide() {
    ShowWindow(Handle(), SW_HIDE);
}

void Form::Close() {
    if (Application().MainForm() == this)
        Application().Terminate();
    else
        Hide();
}

void Form::CentreOnPrimaryScreen() {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

}  // namespace winui
