// A top-level window of the program: owned by the application window, shown and hidden
// as a whole, centred on the primary screen at its first showing when asked to, and
// closed the way a main window closes (closing the main form ends the run; closing any
// other form only hides it). A form built from a description owns the fonts and the
// layout of its controls: sizes are designed at 96 dpi and scaled to the form's dpi,
// aligned controls follow the client size, Tab moves between tab stops, Alt plus an
// access key clicks its control, and the focus returns to the control that had it last.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "Window.h"
#include "common/FormDescription.h"

namespace winui {

class Control;

class Form : public Window {
public:
    ~Form() override;

    void Show();
    void Hide();
    void Close();
    bool Visible() const;

    // Pixels designed at 96 dpi, in the form's own dpi.
    int Scale(int designPixels) const;

    // Keyboard handling before dispatch; true when the message was used.
    bool PreTranslateMessage(const MSG& message);

    // For the controls: their parent window, font and place.
    HWND ParentWindowFor(int parentId) const;
    HFONT FontFor(const FontDescription& font);
    RECT PlaceOf(const ControlDescription& control) const;
    void AddControl(Control& control);

protected:
    struct Placement {
        int left, top, clientWidth, clientHeight;  // at 96 dpi
        bool centreOnFirstShow;
    };
    // Creates the window hidden, owned by the application window.
    void CreateFormWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& caption,
                          const Placement& placement, const FormDescription* description = nullptr);

    // Places the controls for the current client size.
    void ArrangeControls();

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CentreOnPrimaryScreen();
    void FocusFirstTabStop();
    LRESULT ControlColour(UINT message, HDC dc, HWND control);

    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool centreOnFirstShow_ = false;
    bool shownBefore_ = false;
    const FormDescription* description_ = nullptr;
    std::vector<Control*> controls_;
    std::map<std::pair<std::string, int>, HFONT> fonts_;
    std::map<int, DesignRect> places_;  // by control id, at 96 dpi
    HWND lastFocus_ = nullptr;
};

}  // namespace winui
