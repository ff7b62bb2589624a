// Many captures in one run: two hundred times the hot key, two presses and a save. Over
// the second hundred the program's GDI objects, USER objects, handles and memory stay
// where they were: the first captures fill the platform's caches (the save dialog's
// among them), which were measured to settle at different points from run to run, but
// a leak grows with every capture.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "e2e/CaptureScenario.h"
#include "e2e/Resources.h"

namespace {

using namespace e2e;

class Load : public CaptureScenario {
protected:
    void TearDown() override {
        CaptureScenario::TearDown();
        DeleteFileW(path.c_str());
    }

    void Log(int captures, const ProcessResources& r) {
        std::printf("after %3d captures: %zu GDI objects, %zu USER objects, %zu handles (+%zu left by the file dialog), "
                    "%.1f MB private\n",
                    captures, r.gdiObjects, r.userObjects, r.handles, r.dialogKeyHandles, r.privateBytes / 1048576.0);
        std::fflush(stdout);
    }

    std::wstring path;
    int lastWidth = 0;
};

TEST_F(Load, TwoHundredCapturesLeaveTheResourceCountsFlat) {
    constexpr int kCaptures = 200;
    constexpr int kSettled = 100;
    constexpr int kSampleEvery = 25;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path = std::wstring(temp) + L"kestrow-e2e-load-" + std::to_wstring(GetCurrentProcessId()) + L".jpg";

    WriteHiddenSettings(16465);  // Ctrl+Q
    pattern = std::make_unique<PatternWindow>();  // stays under every capture
    width = pattern->Width();
    height = pattern->Height();
    form = StartAndSettle(app);
    ASSERT_NE(form, nullptr);

    ProcessResources settled, last;
    for (int i = 0; i < kCaptures; ++i) {
        SCOPED_TRACE("capture " + std::to_string(i + 1));
        PressKeys({VK_CONTROL, 'Q'});
        ASSERT_TRUE(WaitFor([&] { return (capture = FindVisibleWindow(app.Id(), L"TForm5")) != nullptr; }));
        ASSERT_TRUE(app.WaitIdle());
        const int shift = (i % 10) * 20;  // regions of several sizes and places
        Select(100 + shift, 80 + shift / 2, 400 + shift * 2, 300 + shift);
        lastWidth = 300 + shift;
        HWND dialog = WaitForSaveDialog();
        ASSERT_NE(dialog, nullptr);
        if (i == 0) {
            SaveAs(dialog, path);
        } else {
            // The dialog opens on the last path; Enter replaces it.
            ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
            PressKeys({VK_RETURN});
        }
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
        ASSERT_TRUE(app.WaitIdle());
        ASSERT_EQ(FindVisibleWindow(app.Id(), L"#32770"), nullptr) << "a report or dialog is open";
        ASSERT_FALSE(IsWindowVisible(capture));
        if ((i + 1) % kSampleEvery == 0) {
            Log(i + 1, last = ResourcesOf(app));
            if (i + 1 == kSettled) settled = last;
        }
    }
    std::printf("(%s)\n", last.method.c_str());
    ASSERT_GT(settled.gdiObjects, 0u) << "GDI objects could not be counted";
    ASSERT_GT(settled.userObjects, 0u) << "USER objects could not be counted";
    ASSERT_GT(settled.handles, 0u) << "handles could not be counted";
    ASSERT_GT(settled.privateBytes, 0u) << "memory could not be measured";
    // A leak of one object per capture would add 100 here, one every tenth capture 10.
    EXPECT_LT(last.gdiObjects, settled.gdiObjects + 10);
    EXPECT_LT(last.userObjects, settled.userObjects + 10);
    EXPECT_LT(last.handles, settled.handles + 10);
    // The smallest region's bitmap is 300 x 220 x 4 bytes = 258 KB: keeping one per
    // capture would add 25 MB.
    EXPECT_LT(last.privateBytes, settled.privateBytes + 4 * 1048576);

    const std::optional<Image> saved = DecodeImageFile(path);
    ASSERT_TRUE(saved.has_value()) << "the last save is not a readable JPEG";
    EXPECT_EQ(saved->width, lastWidth);
}

}  // namespace
