// Modal message boxes; see Dialogs.h.
#include "Dialogs.h"

#include <windows.h>

#include <vector>

#include "App.h"
#include "Text.h"
#include "common/Texts.h"

namespace winui {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// A box owned by the hidden application window would leave the visible windows usable
// (disabling an owner does not disable the windows it owns), so the box disables every
// visible window of the thread while it is open, as a task-modal box would.
class ThreadWindowsDisabled {
public:
    // The owner is left alone: the box itself disables it and activates it again on
    // closing, which it would not do for an owner that was already disabled.
    explicit ThreadWindowsDisabled(HWND owner) {
        EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&windows_));
        std::erase(windows_, owner);
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    ~ThreadWindowsDisabled() {
        for (HWND w : windows_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    std::vector<HWND> windows_;
};

void ModalBox(const std::wstring& caption, const std::wstring& text, UINT icon) {
    // Owned by the active window of the program, so that it comes back active (with its
    // focus) when the box closes; by the application window when none is active.
    HWND owner = GetActiveWindow();
    if (!owner) owner = Application().Handle();
    ThreadWindowsDisabled disabled(owner);
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | icon | (owner ? 0 : MB_TASKMODAL));
}

}  // namespace

void InformationBox(std::string_view gbkText) {
    ModalBox(FromGbk(texts::kInfoBoxTitle), FromGbk(gbkText), MB_ICONINFORMATION);
}

void ErrorBox(const std::wstring& caption, const std::wstring& text) {
    ModalBox(caption, text, MB_ICONERROR);
}

}  // namespace winui
