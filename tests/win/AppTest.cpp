// The application object and its message boxes: COM apartment, end-of-session answer,
// and the default exception report reached from a failing window handler, after which
// the window keeps working.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "common/Failure.h"
#include "common/Texts.h"
#include "winui/App.h"
#include "winui/Dialogs.h"
#include "winui/Text.h"

namespace {

// Finds a message box of this process by title on another thread, records its text and
// confirms it, so the box's modal loop on the test thread can return.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::wstring title)
        : title_(std::move(title)), thread_([this] { Run(); }) {}
    ~BoxAnswerer() { thread_.join(); }
    const std::wstring& Text() const { return text_; }
    bool Found() const { return found_; }

private:
    void Run() {
        for (int i = 0; i < 500 && !found_; ++i) {
            HWND box = FindWindowW(L"#32770", title_.c_str());
            DWORD pid = 0;
            if (box) GetWindowThreadProcessId(box, &pid);
            if (box && pid == GetCurrentProcessId() && IsWindowVisible(box)) {
                wchar_t text[512] = L"";
                GetDlgItemTextW(box, 0xFFFF, text, 512);
                text_ = text;
                found_ = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            } else {
                Sleep(10);  // polling another thread's window; nothing to pump here
            }
        }
    }

    std::wstring title_;
    std::wstring text_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};

class Thrower : public winui::Window {
public:
    Thrower() {
        RegisterWindowClass(L"KestrowTestThrower", 0, nullptr, nullptr);
        CreateHandle(L"KestrowTestThrower", 0, WS_POPUP, L"", 0, 0, 10, 10, nullptr);
    }
    int answered = 0;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw Failure(reinterpret_cast<const wchar_t*>(lParam));
        if (message == WM_APP + 1) return ++answered;
        return Default(message, wParam, lParam);
    }
};

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        winui::Application().Initialize();
        winui::Application().SetTitle(texts::kAppTitle);
    }
    void TearDown() override { winui::Application().Finalize(); }
};

TEST_F(AppTest, MainThreadIsASingleThreadedApartment) {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(hr, RPC_E_CHANGED_MODE);
}

TEST_F(AppTest, ApplicationWindowCarriesTheTitleAndAgreesToEndTheSession) {
    HWND app = winui::Application().Handle();
    ASSERT_NE(app, nullptr);
    EXPECT_FALSE(IsWindowVisible(app));
    wchar_t title[256] = L"";
    GetWindowTextW(app, title, 256);
    EXPECT_EQ(std::wstring(title), winui::FromGbk(texts::kAppTitle));
    EXPECT_EQ(SendMessageW(app, WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(AppTest, AFailingHandlerReachesTheReportAndTheWindowGoesOn) {
    Thrower window;
    struct {
        const wchar_t* message;
        const wchar_t* shown;
    } cases[] = {
        {L"Cannot open clipboard", L"Cannot open clipboard."},
        {L"Unable to write to kestrow.ini", L"Unable to write to kestrow.ini."},
        {L"done!", L"done!"},
    };
    for (const auto& c : cases) {
        BoxAnswerer answerer(winui::Application().Title());
        SendMessageW(window.Handle(), WM_APP, 0, reinterpret_cast<LPARAM>(c.message));
        EXPECT_TRUE(answerer.Found());
        EXPECT_EQ(answerer.Text(), c.shown);
    }
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP + 1, 0, 0), 1);
}

TEST_F(AppTest, InformationBoxHasItsTitleAndText) {
    BoxAnswerer answerer(winui::FromGbk(texts::kInfoBoxTitle));
    winui::InformationBox(texts::kUnknownHotKey);
    EXPECT_TRUE(answerer.Found());
    EXPECT_EQ(answerer.Text(), L"\u672a\u77e5\u7684\u70ed\u952e!");  // 未知的热键!
}

}  // namespace
