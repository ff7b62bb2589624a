// wait_window.exe CLASS: waits until a visible top-level window of that class exists and
// its program waits for input, so that a screenshot shows it fully drawn, then prints
// the window's place as "left top width height". Exit code 0 when it did within the
// timeout, 1 otherwise. Used by the run and screenshot scripts.
#include <windows.h>

#include <cstdio>

#include "e2e/Harness.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    HWND window = nullptr;
    e2e::WaitFor(
        [&] {
            for (HWND w : e2e::TopLevelWindows())
                if (IsWindowVisible(w) && e2e::ClassOf(w) == argv[1]) window = w;
            return window != nullptr;
        },
        20000);
    if (!window) return 1;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, e2e::ProcessOf(window));
    if (process) {
        WaitForInputIdle(process, e2e::kTimeoutMs);
        CloseHandle(process);
    }
    // One more round trip through the window's thread: it has painted once it answers.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, e2e::kTimeoutMs, &result);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
