// Base of every window the program makes: one window procedure per class that finds the
// C++ object through GWLP_USERDATA (set from lpCreateParams at WM_NCCREATE, cleared at
// WM_NCDESTROY) and hands each message to OnMessage. No exception ever reaches user32:
// the procedure catches everything and gives it to the application's exception report.
#pragma once

#include <windows.h>

#include <string>

namespace winui {

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return handle_; }
    void Destroy();

protected:
    Window() = default;

    // Registers the class once per process; the procedure is the shared trampoline.
    static void RegisterWindowClass(const wchar_t* className, UINT style, HICON icon, HBRUSH background);
    void CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, int x,
                      int y, int width, int height, HWND parent);

    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND handle_ = nullptr;
};

}  // namespace winui
