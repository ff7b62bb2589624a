// The shared window procedure and handle ownership; see Window.h.
#include "Window.h"

#include "App.h"
#include "Text.h"
#include "common/Failure.h"

namespace winui {

Window::~Window() {
    Destroy();
}

void Window::Destroy() {
    // For windows of our classes WM_NCDESTROY has cleared handle_ already.
    if (handle_) DestroyWindow(handle_);
    handle_ = nullptr;
}

void Window::RegisterWindowClass(const wchar_t* className, UINT style, HICON icon, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc)) throw Failure(LastErrorMessage());
}

void Window::CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text,
                          int x, int y, int width, int height, HWND parent) {
    HWND created = CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent, nullptr,
                                   GetModuleHandleW(nullptr), this);
    if (!created) throw Failure(LastErrorMessage());
    // Windows of the system's classes never pass through our procedure.
    if (!handle_) handle_ = created;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // A failed handler ends at the point of failure; the report shows it and the
        // message loop goes on.
        Application().ReportException(std::current_exception());
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace winui
