// Stand-ins for the skin pack the settings window was designed with. The skin data is
// held and never read; making the caption component active has the window's frame
// drawn anew, which is all the window relies on.
#pragma once

#include <windows.h>

namespace winui {

class SkinData {
public:
    bool Active() const { return true; }
    // Controls carrying this tag would be left unskinned; none does.
    int DisableTag() const { return 99; }
};

class SkinCaption {
public:
    bool Active() const { return active_; }
    void Activate(HWND form) {
        active_ = true;
        SetWindowPos(form, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

private:
    bool active_ = false;  // stored inactive, made active at creation
};

}  // namespace winui
