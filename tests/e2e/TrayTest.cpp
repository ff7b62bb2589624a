// The notification-area icon on Wine's virtual desktop (its taskbar has a notification
// area, icons from the right end of its bottom 20 pixels): the tooltip, clicks, the
// menu, the taskbar button that follows the windows, minimising to the tray, and the
// icon's return after the taskbar is created anew.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/Scenario.h"
#include "resources/Form2Layout.h"

namespace {

using namespace e2e;

constexpr wchar_t kTrayHint[] = L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V3.02.29";

POINT IconPoint() {
    return {GetSystemMetrics(SM_CXSCREEN) - (GetSystemMetrics(SM_CXSMICON) + 4) / 2, GetSystemMetrics(SM_CYSCREEN) - 10};
}

// The text of the visible tooltip, read from the shell's process.
std::wstring VisibleTooltip() {
    HWND tip = nullptr;
    for (HWND t = nullptr; (t = FindWindowExW(nullptr, t, L"tooltips_class32", nullptr));)
        if (IsWindowVisible(t)) tip = t;
    if (!tip) return L"";
    DWORD pid = 0;
    GetWindowThreadProcessId(tip, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return L"";
    auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszText = reinterpret_cast<wchar_t*>(remote + 1024);
    WriteProcessMemory(process, remote, &info, sizeof(info), nullptr);
    std::wstring text;
    if (SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(remote))) {
        wchar_t buffer[256] = L"";
        ReadProcessMemory(process, remote + 1024, buffer, sizeof(buffer) - sizeof(wchar_t), nullptr);
        text = buffer;
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

class Tray : public Scenario {
protected:
    void StartHidden() {
        WriteSettings("[yincang]\r\n" + kHideKey + "=1\r\n");
        form = StartAndSettle(app);
        ASSERT_NE(form, nullptr);
        ASSERT_FALSE(IsWindowVisible(form));
        owner = GetWindow(form, GW_OWNER);
        ASSERT_TRUE(WaitForIcon());
    }
    // The shell adds icons in its own time: the icon is there once it shows its tooltip.
    bool WaitForIcon() {
        const POINT p = IconPoint();
        MoveMouse(p.x - 2, p.y);
        MoveMouse(p.x, p.y);
        return WaitFor([&] { return VisibleTooltip() == kTrayHint; });
    }
    void ClickIcon() {
        // From off the taskbar, so no tooltip of an earlier hover lies over the icon, and
        // each time on the other half of the icon: two clicks at one place in quick
        // succession would make a double click.
        const POINT p = IconPoint();
        const int x = p.x + ((clicks_++ % 2) ? 4 : -4);
        MoveMouse(x, p.y - 60);
        Click(x, p.y);
    }
    int clicks_ = 0;
    // The application window carries the taskbar button.
    bool TaskbarButtonShown() { return IsWindowVisible(owner) != FALSE; }
    HWND OpenMenu() {
        const POINT p = IconPoint();
        PressButton(p.x, p.y, MouseButton::kRight);
        return WaitForVisibleWindow(app.Id(), L"#32768");
    }
    bool StaysHidden() { return !WaitFor([&] { return IsWindowVisible(form) != FALSE; }, 600); }

    Process app;
    HWND form = nullptr;
    HWND owner = nullptr;
};

TEST_F(Tray, TheIconIsThereFromTheStartWithItsTooltip) {
    WriteSettings("[yincang]\r\n" + kHideKey + "=1\r\n");
    form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);
    owner = GetWindow(form, GW_OWNER);
    EXPECT_TRUE(WaitForIcon()) << "no icon with the tooltip";
    EXPECT_FALSE(TaskbarButtonShown());  // nothing of the program but the icon
    EXPECT_FALSE(IsWindowVisible(form));
}

TEST_F(Tray, ALeftClickShowsTheWindowCentredInFrontWithItsButton) {
    ASSERT_NO_FATAL_FAILURE(StartHidden());
    ClickIcon();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; })) << "not shown";
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));
    EXPECT_TRUE(WaitFor([&] { return TaskbarButtonShown(); }));
    RECT r;
    GetWindowRect(form, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);  // first showing: centred

    // Shown already: a click only brings it forward, and a double click shows it once.
    DriverWindow front(0, 0, 400, 300);
    ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));
    const POINT p = IconPoint();
    Click(p.x, p.y);
    Click(p.x, p.y);
    ASSERT_TRUE(app.WaitIdle());
    int forms = 0;
    for (HWND w : TopLevelWindows())
        if (ProcessOf(w) == app.Id() && ClassOf(w) == L"TForm2") ++forms;
    EXPECT_EQ(forms, 1);
    RECT again;
    GetWindowRect(form, &again);
    EXPECT_TRUE(EqualRect(&r, &again));
}

TEST_F(Tray, TheMenuOpensAtThePointerAndOpenShowsTheWindow) {
    ASSERT_NO_FATAL_FAILURE(StartHidden());
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << "no menu";
    RECT r;
    GetWindowRect(menu, &r);
    const POINT p = IconPoint();
    // Right-aligned at the pointer; moved up by the system to stay on the screen.
    EXPECT_LE(std::abs(r.right - p.x), 2);
    EXPECT_LE(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(app.WaitIdle());
    PressKeys({'O'});
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; })) << "打开 did not show the window";
}

TEST_F(Tray, ExitFromTheMenuEndsTheRunShowingNothing) {
    ASSERT_NO_FATAL_FAILURE(StartHidden());
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(app.WaitIdle());
    PressKeys({'Q'});
    EXPECT_EQ(app.WaitExit(), 0u);
}

TEST_F(Tray, AClickOutsideTheMenuClosesItAndDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartHidden());
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(app.WaitIdle());
    Click(500, 300);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
    EXPECT_TRUE(StaysHidden());
    EXPECT_TRUE(app.Running());
}

TEST_F(Tray, SaveAndCaptureTakeTheTaskbarButtonAwayAndTheCaptureWindowBringsItBack) {
    form = StartShown(app);
    ASSERT_NE(form, nullptr);
    owner = GetWindow(form, GW_OWNER);
    EXPECT_TRUE(TaskbarButtonShown());
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form); }));
    EXPECT_TRUE(WaitFor([&] { return !TaskbarButtonShown(); }));
    PressKeys({VK_CONTROL, 'Q'});
    ASSERT_NE(WaitForVisibleWindow(app.Id(), L"TForm5"), nullptr);
    EXPECT_TRUE(WaitFor([&] { return TaskbarButtonShown(); }));
}

TEST_F(Tray, MinimisingLeavesOnlyTheIconWhichBringsTheWindowBackInPlace) {
    form = StartShown(app);
    ASSERT_NE(form, nullptr);
    owner = GetWindow(form, GW_OWNER);
    ASSERT_TRUE(WaitForIcon());
    RECT before;
    GetWindowRect(form, &before);
    // The minimise command of the taskbar button's window.
    PostMessageW(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form) && !TaskbarButtonShown(); }));
    ClickIcon();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == form; }));
    EXPECT_TRUE(WaitFor([&] { return TaskbarButtonShown(); }));
    EXPECT_FALSE(IsIconic(form));
    RECT after;
    GetWindowRect(form, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(Tray, TheIconComesBackWhenTheTaskbarIsCreatedAnew) {
    ASSERT_NO_FATAL_FAILURE(StartHidden());
    HWND trayWindow = FindWindowOf(app.Id(), L"KestrowTrayIcon");
    ASSERT_NE(trayWindow, nullptr);
    // As a restarted shell would: the icon is gone, then TaskbarCreated is broadcast.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = trayWindow;
    data.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(WaitForIcon()) << "the icon did not come back";
    ClickIcon();
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
}

}  // namespace
