// Modality for the program's message boxes and common dialogs: while one is open, every
// other visible window of the thread is disabled, as a task-modal box would do, since
// disabling an owner leaves the windows it owns usable.
#pragma once

#include <windows.h>

#include <vector>

namespace winui {

class ThreadWindowsDisabled {
public:
    // The owner is left alone: the box or dialog itself disables it and activates it
    // again on closing, which it would not do for an owner that was already disabled.
    explicit ThreadWindowsDisabled(HWND owner);
    ~ThreadWindowsDisabled();
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    std::vector<HWND> windows_;
};

}  // namespace winui
