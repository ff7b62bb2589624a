// wait_window.exe CLASS [LEFT TOP [WIDTH HEIGHT]]: waits until a visible top-level window
// of that class (or, with a final "*", of a class that starts so) exists and its program
// waits for input, moves (and sizes) it when asked, waits until it is drawn, then prints
// the window's place as "left top width height". Exit code 0 when it did within the
// timeout, 1 otherwise. Used by the run and screenshot scripts.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/Harness.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring wanted = argv[1];
    const bool prefix = !wanted.empty() && wanted.back() == L'*';
    if (prefix) wanted.pop_back();
    HWND window = nullptr;
    e2e::WaitFor(
        [&] {
            for (HWND w : e2e::TopLevelWindows())
                if (IsWindowVisible(w) && (prefix ? e2e::ClassOf(w).starts_with(wanted) : e2e::ClassOf(w) == wanted))
                    window = w;
            return window != nullptr;
        },
        20000);
    if (!window) return 1;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, e2e::ProcessOf(window));
    if (process) WaitForInputIdle(process, e2e::kTimeoutMs);
    if (argc >= 4) {
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (argc >= 6 ? 0 : SWP_NOSIZE);
        SetWindowPos(window, nullptr, _wtoi(argv[2]), _wtoi(argv[3]), argc >= 6 ? _wtoi(argv[4]) : 0,
                     argc >= 6 ? _wtoi(argv[5]) : 0, flags);
        if (process) WaitForInputIdle(process, e2e::kTimeoutMs);
    }
    if (process) CloseHandle(process);
    // One more round trip through the window's thread: it has painted once it answers.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, e2e::kTimeoutMs, &result);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}
