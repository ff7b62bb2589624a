// The capture hot key through the platform's real key input: it captures while the
// settings window is hidden, is entered into a focused hot-key box while it is shown,
// follows a save, is reported when another program holds it, and changes nothing while
// a capture is on the screen or its save dialog is open.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/CaptureScenario.h"

namespace {

using namespace e2e;

constexpr wchar_t kInfoTitle[] = L"\u4fe1\u606f\u6846";  // 信息框
// 截图热键注册失败,可能已被其他程序占用,请换一个热键!
constexpr wchar_t kRefused[] =
    L"\u622a\u56fe\u70ed\u952e\u6ce8\u518c\u5931\u8d25,\u53ef\u80fd\u5df2\u88ab\u5176\u4ed6\u7a0b\u5e8f\u5360\u7528,"
    L"\u8bf7\u6362\u4e00\u4e2a\u70ed\u952e!";

class HotKey : public CaptureScenario {
protected:
    void PressCtrlQ() { PressKeys({VK_CONTROL, 'Q'}); }

    bool CaptureShows(DWORD timeoutMs = kTimeoutMs) {
        return WaitFor([&] { return FindVisibleWindow(app.Id(), L"TForm5") != nullptr; }, timeoutMs);
    }

    HWND HotKeyBox() { return ControlOf(form, form2::kHotKey2); }
};

TEST_F(HotKey, CapturesWhileTheWindowIsHidden) {
    WriteHiddenSettings(16465);
    form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(IsWindowVisible(form));
    PressCtrlQ();
    EXPECT_TRUE(CaptureShows()) << "Ctrl+Q started no capture";
}

TEST_F(HotKey, WhileShownItOnlyEntersAFocusedHotKeyBox) {
    form = StartShown(app);
    ASSERT_NE(form, nullptr);
    // Typed keys follow the box's rules: a key alone or with Shift gets Ctrl.
    struct {
        std::initializer_list<WORD> keys;
        WORD shown;
    } typed[] = {
        {{VK_F5}, MAKEWORD(VK_F5, HOTKEYF_CONTROL)},
        {{VK_SHIFT, VK_F5}, MAKEWORD(VK_F5, HOTKEYF_CONTROL | HOTKEYF_SHIFT)},
        {{VK_MENU, VK_F5}, MAKEWORD(VK_F5, HOTKEYF_ALT)},
    };
    ClickCentreOf(HotKeyBox());
    ASSERT_TRUE(WaitFor([&] { return FocusOfThread(form) == HotKeyBox(); }));
    for (const auto& t : typed) {
        PressKeys(t.keys);
        EXPECT_TRUE(WaitFor([&] { return SendMessageW(HotKeyBox(), HKM_GETHOTKEY, 0, 0) == t.shown; }))
            << std::hex << SendMessageW(HotKeyBox(), HKM_GETHOTKEY, 0, 0);
    }
    // The registered Ctrl+Q never arrives as typing; the service enters it instead.
    PressCtrlQ();
    EXPECT_TRUE(WaitFor([&] { return SendMessageW(HotKeyBox(), HKM_GETHOTKEY, 0, 0) == MAKEWORD('Q', HOTKEYF_CONTROL); }));
    // With the focus elsewhere it does nothing at all.
    ClickCentreOf(ControlOf(form, form2::kEdit1));
    ASSERT_TRUE(WaitFor([&] { return FocusOfThread(form) == ControlOf(form, form2::kEdit1); }));
    PressCtrlQ();
    EXPECT_FALSE(CaptureShows(800));
    EXPECT_EQ(ControlText(ControlOf(form, form2::kEdit1)), L"50");
    EXPECT_TRUE(IsWindowVisible(form));
}

TEST_F(HotKey, SavingANewCombinationMovesTheHotKeyAtOnce) {
    form = StartShown(app);
    ASSERT_NE(form, nullptr);
    ClickCentreOf(HotKeyBox());
    PressKeys({VK_F5});  // Ctrl+F5
    ASSERT_TRUE(WaitFor([&] { return SendMessageW(HotKeyBox(), HKM_GETHOTKEY, 0, 0) == MAKEWORD(VK_F5, HOTKEYF_CONTROL); }));
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form); }));
    EXPECT_NE(ReadSettings().find(kHotKeyKey + "=16500\r\n"), std::string::npos);  // 0x4000 + 0x74

    PressCtrlQ();
    EXPECT_FALSE(CaptureShows(800)) << "the old combination still works";
    PressKeys({VK_CONTROL, VK_F5});
    EXPECT_TRUE(CaptureShows()) << "the new combination does not work";
}

TEST_F(HotKey, ACombinationHeldElsewhereIsReportedAtStartAndOnSave) {
    // The driver holds Ctrl+Q, as another program would.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL, 'Q'));
    app = Launch();
    HWND box = WaitForVisibleWindow(app.Id(), L"#32770", kInfoTitle);
    ASSERT_NE(box, nullptr) << "no report at start";
    EXPECT_EQ(MessageBoxText(box), kRefused);
    ASSERT_TRUE(app.WaitIdle());
    ClickCentreOf(GetDlgItem(box, IDOK));
    form = WaitForVisibleWindow(app.Id(), L"TForm2");
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(app.WaitIdle());

    // Saving it again while it is still held: reported, and the window stays.
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    box = WaitForVisibleWindow(app.Id(), L"#32770", kInfoTitle);
    ASSERT_NE(box, nullptr) << "no report on save";
    EXPECT_EQ(MessageBoxText(box), kRefused);
    ASSERT_TRUE(app.WaitIdle());
    ClickCentreOf(GetDlgItem(box, IDOK));
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_NE(ReadSettings().find(kHotKeyKey + "=16465\r\n"), std::string::npos);  // written all the same

    // Once the other program lets go, a save registers it and it works.
    UnregisterHotKey(nullptr, 1);
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form); }));
    PressCtrlQ();
    EXPECT_TRUE(CaptureShows());
}

TEST_F(HotKey, PressedDuringACaptureOrItsDialogItChangesNothing) {
    WriteHiddenSettings(16465);
    pattern = std::make_unique<PatternWindow>();
    width = pattern->Width();
    height = pattern->Height();
    form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);
    PressCtrlQ();
    ASSERT_TRUE(CaptureShows());
    ASSERT_TRUE(app.WaitIdle());
    capture = FindVisibleWindow(app.Id(), L"TForm5");
    original = pattern->Pixels();
    pattern.reset();

    PointTo(200, 150, Expected(Crosshair(200, 150)), "crosshair");
    // Held down, the hot key repeats; a new snapshot would freeze the crosshair.
    for (int i = 0; i < 3; ++i) PressCtrlQ();
    ASSERT_TRUE(app.WaitIdle());
    // A trigger would show its snapshot 300 ms later; look after that.
    EXPECT_FALSE(WaitFor([&] { return CountDifferences(ScreenPixels(), Expected(Crosshair(200, 150))) != 0; }, 600))
        << "the picture changed";
    PointTo(600, 400, Expected(Crosshair(600, 400)), "crosshair after the hot key");

    Select(600, 400, 700, 450);
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    PressCtrlQ();
    EXPECT_FALSE(CaptureShows(800)) << "a capture started inside the save dialog";
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(HotKey, AnInvalidQualityFromTheFileIsReportedWhenTheJpegIsWritten) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"kestrow-e2e-quality.jpg";
    const std::string oldBytes = "earlier picture";
    ASSERT_TRUE(WriteFileBytes(path, oldBytes));
    WriteHiddenSettings(16465, "abc");  // the window never checked it
    form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);
    PressCtrlQ();
    ASSERT_TRUE(CaptureShows());
    ASSERT_TRUE(app.WaitIdle());
    Select(50, 50, 90, 80);
    HWND dialog = WaitForSaveDialog();
    ASSERT_NE(dialog, nullptr);
    SaveAs(dialog, path);
    HWND report = WaitForReport();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(MessageBoxText(report), L"'abc' is not a valid integer value.");
    ClickCentreOf(GetDlgItem(report, IDOK));
    EXPECT_EQ(FileBytes(path), oldBytes);
    DeleteFileW(path.c_str());
}

}  // namespace
