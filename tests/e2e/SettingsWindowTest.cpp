// The settings window driven by real input: the quality check of the save and capture
// buttons (by mouse and by access key), saving, the close box, the hide-at-start flag.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include <string>

#include "e2e/Scenario.h"
#include "resources/Form2Layout.h"

namespace {

using namespace e2e;

constexpr wchar_t kInfoTitle[] = L"\u4fe1\u606f\u6846";                               // 信息框
constexpr wchar_t kEmpty[] = L"\u5fc5\u987b\u8f93\u5165\u56fe\u7247\u8d28\u91cf!";  // 必须输入图片质量!
// 必须输入整数类型的图片质量!
constexpr wchar_t kNotInteger[] = L"\u5fc5\u987b\u8f93\u5165\u6574\u6570\u7c7b\u578b\u7684\u56fe\u7247\u8d28\u91cf!";
// 输入的图片质量应在0到100之间!
constexpr wchar_t kOutOfRange[] = L"\u8f93\u5165\u7684\u56fe\u7247\u8d28\u91cf\u5e94\u5728" L"0\u5230" L"100\u4e4b\u95f4!";

struct QualityCase {
    const wchar_t* typed;
    const wchar_t* message;  // nullptr: the quality passes
};

const QualityCase kQualityCases[] = {
    {L"", kEmpty},
    {L"abc", kNotInteger},
    {L"5.5", kNotInteger},
    {L"50 ", kNotInteger},
    {L"2147483648", kNotInteger},
    {L"-1", kOutOfRange},
    {L"101", kOutOfRange},
    {L"0x65", kOutOfRange},
    {L"0", nullptr},
    {L"100", nullptr},
    {L"050", nullptr},
    {L"+50", nullptr},
    {L"-0", nullptr},
    {L"$64", nullptr},
    {L"  50", nullptr},
};

enum class Button { kSave, kCapture };
enum class Method { kMouse, kAccessKey };

class SettingsWindow : public Scenario {
protected:
    // Replaces the quality box's text by typing, as a user would.
    void TypeQuality(HWND form, const wchar_t* text) {
        ASSERT_TRUE(TypeInto(ControlOf(form, form2::kEdit1), text)) << "typed text did not arrive";
    }

    void Press(HWND form, Button button, Method method) {
        if (method == Method::kMouse)
            ClickCentreOf(ControlOf(form, button == Button::kSave ? form2::kSpeedButton1 : form2::kSpeedButton3));
        else
            PressKeys({VK_MENU, static_cast<WORD>(button == Button::kSave ? 'Y' : 'N')});
    }
};

TEST_F(SettingsWindow, QualityIsCheckedBySaveAndCaptureByMouseAndAccessKey) {
    int row = 0;
    for (Button button : {Button::kSave, Button::kCapture}) {
        Process app;
        HWND form = StartShown(app);
        ASSERT_NE(form, nullptr);
        for (const QualityCase& c : kQualityCases) {
            // Mouse and access key take turns from row to row.
            const Method method = (row++ % 2) ? Method::kAccessKey : Method::kMouse;
            SCOPED_TRACE(testing::Message() << "typed \"" << std::string(c.typed, c.typed + wcslen(c.typed))
                                            << "\" " << (button == Button::kSave ? "save" : "capture")
                                            << (method == Method::kMouse ? " by mouse" : " by access key"));
            TypeQuality(form, c.typed);
            Press(form, button, method);
            if (c.message) {
                HWND box = WaitForVisibleWindow(app.Id(), L"#32770", kInfoTitle);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(MessageBoxText(box), c.message);
                ASSERT_TRUE(app.WaitIdle());
                ClickCentreOf(GetDlgItem(box, IDOK));
                EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
                EXPECT_TRUE(WaitFor([&] { return FocusOfThread(form) == ControlOf(form, form2::kEdit1); }));
                EXPECT_TRUE(IsWindowVisible(form));
                EXPECT_EQ(ControlText(ControlOf(form, form2::kEdit1)), c.typed);  // never changed
            } else {
                EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(form); })) << "window stayed";
                if (button == Button::kCapture) {
                    EXPECT_NE(WaitForVisibleWindow(app.Id(), L"TForm5"), nullptr) << "no capture";
                } else {
                    std::string typed;
                    for (const wchar_t* p = c.typed; *p; ++p) typed += static_cast<char>(*p);
                    EXPECT_NE(ReadSettings().find(kQualityKey + "=" + typed + "\r\n"), std::string::npos);
                }
                // Start afresh for the next row.
                app.Kill();
                DeleteFileW(SettingsFilePath().c_str());
                form = StartShown(app);
                ASSERT_NE(form, nullptr);
            }
        }
    }
}

TEST_F(SettingsWindow, AFailedCheckOnCaptureStartsNoCapture) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    TypeQuality(form, L"abc");
    Press(form, Button::kCapture, Method::kMouse);
    HWND box = WaitForVisibleWindow(app.Id(), L"#32770", kInfoTitle);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(app.WaitIdle());
    ClickCentreOf(GetDlgItem(box, IDOK));
    // The capture would come 300 ms after the press; give it well over that.
    EXPECT_FALSE(WaitFor([&] { return FindVisibleWindow(app.Id(), L"TForm5") != nullptr; }, 1000));
    EXPECT_TRUE(IsWindowVisible(form));
}

TEST_F(SettingsWindow, SaveWritesAllThreeKeysAndHides) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(ReadSettings(), "");  // nothing is written at start
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(form); }));
    EXPECT_EQ(ReadSettings(), "[jtzl]\r\n" + kQualityKey + "=50\r\n[HotKey2]\r\n" + kHotKeyKey +
                                  "=16465\r\n[yincang]\r\n" + kHideKey + "=0\r\n");
    EXPECT_TRUE(app.Running());
}

TEST_F(SettingsWindow, TheCloseBoxEndsTheRun) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    ClickCloseBox(form);
    EXPECT_EQ(app.WaitExit(), 0u);
    EXPECT_EQ(ReadSettings(), "");  // nothing is written at the end
}

TEST_F(SettingsWindow, TheExitButtonEndsTheRun) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    PressKeys({VK_MENU, 'Q'});
    EXPECT_EQ(app.WaitExit(), 0u);
}

TEST_F(SettingsWindow, LoadsTheSettingsAndStartsHiddenWhenAsked) {
    // 截图质量=77, Alt+F8, hidden
    WriteSettings("[jtzl]\r\n" + kQualityKey + "=77\r\n[HotKey2]\r\n" + kHotKeyKey + "=32887\r\n[yincang]\r\n" +
                  kHideKey + "=1\r\n");
    Process app;
    HWND form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_EQ(ControlText(ControlOf(form, form2::kEdit1)), L"77");
    EXPECT_EQ(SendMessageW(ControlOf(form, form2::kHotKey2), HKM_GETHOTKEY, 0, 0), MAKEWORD(VK_F8, HOTKEYF_ALT));
    EXPECT_EQ(SendMessageW(ControlOf(form, form2::kCheckBox1), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(SettingsWindow, ShowsTheHelpTextAndTheControlsAsDesigned) {
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    const std::wstring help = ControlText(ControlOf(form, form2::kMemo1));
    // 1、此为截取屏幕任意区域的截图工具,图片保存为JPG格式。 ... 50左右。
    EXPECT_EQ(help.substr(0, 4), L"1\u3001\u6b64\u4e3a");
    EXPECT_EQ(help.substr(help.size() - 5), L"50\u5de6\u53f3\u3002");
    EXPECT_EQ(std::count(help.begin(), help.end(), L'\n'), 8);
    EXPECT_EQ(ControlText(ControlOf(form, form2::kEdit1)), L"50");
    EXPECT_EQ(SendMessageW(ControlOf(form, form2::kHotKey2), HKM_GETHOTKEY, 0, 0), MAKEWORD('Q', HOTKEYF_CONTROL));
    EXPECT_EQ(SendMessageW(ControlOf(form, form2::kCheckBox1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // Positions within the panel as designed at 96 dpi, scaled to the system's dpi.
    RECT panel, edit;
    GetWindowRect(ControlOf(form, form2::kPanel1), &panel);
    GetWindowRect(ControlOf(form, form2::kEdit1), &edit);
    EXPECT_EQ(edit.left - panel.left, Scaled(232));
    EXPECT_EQ(edit.top - panel.top, Scaled(3));
    EXPECT_EQ(edit.right - edit.left, Scaled(232 + 49) - Scaled(232));
    // Tab moves through the tab stops: help text, quality, hot key, check box.
    ASSERT_TRUE(WaitFor([&] { return FocusOfThread(form) == ControlOf(form, form2::kMemo1); }));
    for (int id : {form2::kEdit1, form2::kHotKey2, form2::kCheckBox1, form2::kMemo1}) {
        PressKeys({VK_TAB});
        EXPECT_TRUE(WaitFor([&] { return FocusOfThread(form) == ControlOf(form, id); })) << id;
    }
}

}  // namespace

namespace {

std::string ReadText(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Wine opens web addresses through the Unix programs listed in its WineBrowser key; the
// run points it at a recorder script, so the address the program opens can be read.
TEST_F(SettingsWindow, HomepageButtonAndBannerOpenTheSameAddress) {
    const char* recorder = std::getenv("KESTROW_E2E_URL_RECORDER");
    const char* log = std::getenv("KESTROW_URL_LOG");
    if (!recorder || !log) GTEST_SKIP() << "KESTROW_E2E_URL_RECORDER and KESTROW_URL_LOG not set";
    const std::wstring logPath = L"Z:" + std::wstring(log, log + std::strlen(log));
    DeleteFileW(logPath.c_str());
    const std::wstring browsers(recorder, recorder + std::strlen(recorder));
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", REG_SZ,
                              browsers.c_str(), static_cast<DWORD>((browsers.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);

    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    ClickCentreOf(ControlOf(form, form2::kSpeedButton4));
    EXPECT_TRUE(WaitFor([&] { return ReadText(logPath) == "http://www.kestrow.example/\n"; }))
        << ReadText(logPath);
    ClickCentreOf(ControlOf(form, form2::kImage1));
    EXPECT_TRUE(WaitFor([&] { return ReadText(logPath) == "http://www.kestrow.example/\nhttp://www.kestrow.example/\n"; }))
        << ReadText(logPath);
    EXPECT_TRUE(IsWindowVisible(form));
    DeleteFileW(logPath.c_str());
}

}  // namespace

namespace {

// A folder of the file's name can be neither replaced nor read, as a protected file.
TEST_F(SettingsWindow, AFailingSettingsWriteIsReportedAndTheWindowKeepsTheEntries) {
    ASSERT_TRUE(CreateDirectoryW(SettingsFilePath().c_str(), nullptr));
    const std::wstring store = VirtualStoreSettingsPath();
    SHCreateDirectoryExW(nullptr, store.c_str(), nullptr);
    Process app;
    HWND form = StartShown(app);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(TypeInto(ControlOf(form, form2::kEdit1), L"77"));
    ClickCentreOf(ControlOf(form, form2::kSpeedButton1));
    HWND report = WaitForVisibleWindow(app.Id(), L"#32770", L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V5.02.03");
    ASSERT_NE(report, nullptr) << "no report";
    EXPECT_EQ(MessageBoxText(report), L"Unable to write to kestrow.ini.");
    ASSERT_TRUE(app.WaitIdle());
    ClickCentreOf(GetDlgItem(report, IDOK));
    ASSERT_TRUE(app.WaitIdle());
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(ControlText(ControlOf(form, form2::kEdit1)), L"77");
}

}  // namespace
