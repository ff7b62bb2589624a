// Modality for boxes and dialogs; see Modal.h.
#include "Modal.h"

namespace winui {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND owner) {
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&windows_));
    std::erase(windows_, owner);
    for (HWND w : windows_) EnableWindow(w, FALSE);
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
    for (HWND w : windows_)
        if (IsWindow(w)) EnableWindow(w, TRUE);
}

}  // namespace winui
