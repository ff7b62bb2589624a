// demo.exe OUTDIR [LEFT TOP RIGHT BOTTOM]: a short demonstration driven by real input,
// for the run script when there is no display (and for the README's pictures). With
// kestrow.exe showing its settings window, it saves a picture of the screen
// (settings.bmp), starts a capture with the capture button, draws a band (between the
// given corners, or around the middle of the screen), saves a picture of the capture in
// progress (capture.bmp), finishes the region and saves it through the dialog as
// OUTDIR\kestrow-demo.jpg. Exit code 0 when the JPEG is there, 1 otherwise; prints what
// failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/Harness.h"
#include "resources/Form2Layout.h"

using namespace e2e;

namespace {

int Fail(const char* what) {
    std::printf("demo: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    if (argc != 2 && argc != 6) return Fail("usage: demo.exe OUTDIR [LEFT TOP RIGHT BOTTOM]");
    std::wstring out = argv[1];
    for (wchar_t& c : out)
        if (c == L'/') c = L'\\';
    HWND form = nullptr;
    if (!WaitFor([&] { return (form = FindWindowW(L"TForm2", nullptr)) && IsWindowVisible(form); }, 20000))
        return Fail("the settings window did not appear");
    const DWORD pid = ProcessOf(form);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    WaitForInputIdle(process, kTimeoutMs);
    SaveScreenshot(out + L"\\settings.bmp");

    HWND panel = GetDlgItem(form, form2::kPanel1);
    ClickCentreOf(GetDlgItem(panel, form2::kSpeedButton3));
    HWND capture = nullptr;
    if (!WaitFor([&] { return (capture = FindWindowW(L"TForm5", nullptr)) && IsWindowVisible(capture); }))
        return Fail("no capture window");
    WaitForInputIdle(process, kTimeoutMs);

    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    int left = w / 4, top = h / 4, right = w * 3 / 4, bottom = h * 3 / 4;
    if (argc == 6) left = _wtoi(argv[2]), top = _wtoi(argv[3]), right = _wtoi(argv[4]), bottom = _wtoi(argv[5]);
    PressButton(left, top, MouseButton::kLeft);
    MoveMouse(right - 40, bottom - 30);
    MoveMouse(right, bottom);
    WaitForInputIdle(process, kTimeoutMs);
    SaveScreenshot(out + L"\\capture.bmp");
    PressButton(right, bottom, MouseButton::kLeft);

    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindSaveDialog(pid)) != nullptr; })) return Fail("no save dialog");
    WaitForInputIdle(process, kTimeoutMs);
    WaitFor([&] { return GetForegroundWindow() == dialog; });
    const std::wstring jpeg = out + L"\\kestrow-demo.jpg";
    DeleteFileW(jpeg.c_str());
    if (!ReplaceFocusedText(GetDlgItem(dialog, kFileNameBox), jpeg)) return Fail("the path did not arrive");
    PressKeys({VK_RETURN});
    if (!WaitFor([&] { return FileBytes(jpeg).size() > 2 && !FindSaveDialog(pid); })) return Fail("no JPEG was written");
    CloseHandle(process);
    return 0;
}
