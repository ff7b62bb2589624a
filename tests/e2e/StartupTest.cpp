// Start-up, single instance and ending, driven from outside through real input. Every
// scenario starts with no settings file and no kestrow.exe, and leaves none behind.
// The texts are read back through the W functions: the run under a zh_CN locale (code
// page 936) and the one under en_US (code page 1252) must both see the same wording.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/Scenario.h"

namespace {

using namespace e2e;

constexpr wchar_t kSettingsCaption[] = L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V5.02.05";
constexpr wchar_t kAppTitle[] = L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V5.02.03";
constexpr wchar_t kInfoTitle[] = L"\u4fe1\u606f\u6846";  // 信息框
// 截图工具已经打开了,隐藏在任务栏的右边!
constexpr wchar_t kAlreadyRunning[] =
    L"\u622a\u56fe\u5de5\u5177\u5df2\u7ecf\u6253\u5f00\u4e86,\u9690\u85cf\u5728\u4efb\u52a1\u680f\u7684\u53f3"
    L"\u8fb9!";

class Startup : public Scenario {};

TEST(Environment, RunsUnderTheCodePageTheRunAskedFor) {
    const char* wanted = std::getenv("KESTROW_E2E_ACP");
    if (!wanted) GTEST_SKIP() << "KESTROW_E2E_ACP not set";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(wanted)));
}

TEST(Environment, RunsAtTheDpiTheRunAskedFor) {
    const char* wanted = std::getenv("KESTROW_E2E_DPI");
    if (!wanted) GTEST_SKIP() << "KESTROW_E2E_DPI not set";
    EXPECT_EQ(GetDpiForSystem(), static_cast<UINT>(std::atoi(wanted)));
}

TEST_F(Startup, ShowsTheSettingsWindowCentredWithItsCaption) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(TextOf(form), kSettingsCaption);

    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, Scaled(407));
    EXPECT_EQ(client.bottom, Scaled(298));

    RECT frame;
    GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    // The manifest makes the program per-monitor dpi aware, so it sees physical pixels.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(form)), DPI_AWARENESS_PER_MONITOR_AWARE);

    // Fixed dialog frame: close box, no minimise or maximise box.
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    // The window is owned by the application window, which carries the title.
    HWND owner = GetWindow(form, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(TextOf(owner), kAppTitle);
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));

    // The capture window is created right after the settings window, hidden.
    HWND capture = nullptr;
    EXPECT_TRUE(WaitFor([&] {
        for (HWND w : TopLevelWindows())
            if (ProcessOf(w) == app.Id() && ClassOf(w) == L"TForm5") capture = w;
        return capture != nullptr;
    }));
    EXPECT_FALSE(IsWindowVisible(capture));
    EXPECT_EQ(TextOf(capture), L"Form5");
}

TEST_F(Startup, SecondStartShowsTheMessageAndLeavesTheFirstAlone) {
    Process first;
    HWND form = StartShown(first);
    ASSERT_NE(form, nullptr);
    RECT before;
    GetWindowRect(form, &before);

    // Something else is in front; the refused start must not bring the first forward.
    DriverWindow front(0, 0, 300, 200);
    ASSERT_TRUE(IsAbove(front.Handle(), form));

    Process second = Launch();
    HWND box = WaitForVisibleWindow(second.Id(), L"#32770", kInfoTitle);
    ASSERT_NE(box, nullptr) << "no Information box";
    ASSERT_TRUE(second.WaitIdle());
    EXPECT_EQ(MessageBoxText(box), kAlreadyRunning);
    EXPECT_EQ(FindVisibleWindow(second.Id(), L"TForm2"), nullptr);

    ClickCentreOf(GetDlgItem(box, IDOK));
    EXPECT_EQ(second.WaitExit(), 0u);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(form));
    RECT after;
    GetWindowRect(form, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(IsAbove(front.Handle(), form));
}

TEST_F(Startup, ClosingTheMainWindowEndsWithCodeZeroAndTheNextStartSucceeds) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));
    PressKeys({VK_MENU, VK_F4});
    EXPECT_EQ(app.WaitExit(), 0u);

    Process next;
    EXPECT_NE(StartShown(next), nullptr);
}

TEST_F(Startup, AStartAfterTheFirstInstanceWasKilledSucceeds) {
    Process app;
    ASSERT_NE(StartShown(app), nullptr);
    app.Kill();

    Process next;
    EXPECT_NE(StartShown(next), nullptr);
    EXPECT_EQ(CountKestrowProcesses(), 1);
}

TEST_F(Startup, TwentyStartsAtOnceLeaveExactlyOneInstance) {
    constexpr int kStarts = 20;
    std::vector<Process> starts = LaunchTogether(kStarts);

    // Every refused start shows the box; exactly one shows the settings window.
    auto boxes = [&] {
        std::vector<HWND> found;
        for (Process& p : starts)
            if (HWND box = FindVisibleWindow(p.Id(), L"#32770", kInfoTitle)) found.push_back(box);
        return found;
    };
    ASSERT_TRUE(WaitFor([&] { return boxes().size() == kStarts - 1; }, 4 * kTimeoutMs)) << boxes().size() << " boxes";
    int shown = 0;
    for (Process& p : starts)
        if (FindVisibleWindow(p.Id(), L"TForm2")) ++shown;
    EXPECT_EQ(shown, 1);

    for (HWND box : boxes()) {
        EXPECT_EQ(MessageBoxText(box), kAlreadyRunning);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    int refused = 0;
    for (Process& p : starts) {
        if (FindVisibleWindow(p.Id(), L"TForm2")) continue;
        EXPECT_EQ(p.WaitExit(), 0u);
        ++refused;
    }
    EXPECT_EQ(refused, kStarts - 1);
    EXPECT_EQ(CountKestrowProcesses(), 1);
}

}  // namespace
