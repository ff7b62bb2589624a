// A top-level window of the program: owned by the application window, shown and hidden
// as a whole, centred on the primary screen at its first showing when asked to, and
// closed the way a main window closes (closing the main form ends the run; closing any
// other form only hides it). Sizes are given at 96 dpi and scaled to the window's dpi.
#pragma once

#include <windows.h>

#include <string>

#include "Window.h"

namespace winui {

class Form : public Window {
public:
    void Show();
    void Hide();
    void Close();
    bool Visible() const;

    // Pixels designed at 96 dpi, in the form's own dpi.
    int Scale(int designPixels) const;

protected:
    struct Placement {
        int left, top, clientWidth, clientHeight;  // at 96 dpi
        bool centreOnFirstShow;
    };
    // Creates the window hidden, owned by the application window.
    void CreateFormWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                          const Placement& placement);

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CentreOnPrimaryScreen();

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool centreOnFirstShow_ = false;
    bool shownBefore_ = false;
};

}  // namespace winui
