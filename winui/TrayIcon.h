// The notification-area icon: added with its image and tooltip when asked, added again
// whenever the taskbar is created anew ("TaskbarCreated"), removed when destroyed. A
// left press then release over it raises OnClick (a double click raises one click); a
// right press opens the popup menu at the pointer, right-aligned.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "Window.h"

namespace winui {

class TrayIcon : public Window {
public:
    struct MenuItem {
        std::wstring caption;
        std::function<void()> onClick;
    };

    ~TrayIcon() override;
    // Creates the icon's hidden window; `foreground` is brought forward with it when the
    // menu opens.
    void Create(HICON icon, const std::wstring& hint, std::vector<MenuItem> menu, HWND foreground);
    // Adds the icon, or brings it up to date when it is there.
    void Show();
    void Remove();

    std::function<void()> OnClick;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OpenMenu();
    NOTIFYICONDATAW Data() const;

    HICON icon_ = nullptr;
    std::wstring hint_;
    std::vector<MenuItem> menu_;
    HWND foreground_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool leftPressed_ = false;
    bool added_ = false;
};

}  // namespace winui
