// The fixture of the capture scenarios: a full-screen pattern under the program, a
// capture started with the settings window's button, and the expected screens.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "e2e/Scenario.h"
#include "resources/Form2Layout.h"

namespace e2e {

class CaptureScenario : public Scenario {
public:
    // Covers the screen with the pattern, starts the program (its settings window comes
    // up in front) and starts a capture with its button; returns once the snapshot shows.
    // A quality, when given, is typed into the quality box first (and not saved).
    void StartCapture(const wchar_t* quality = nullptr) {
        pattern = std::make_unique<PatternWindow>();
        width = pattern->Width();
        height = pattern->Height();
        form = StartShown(app);
        ASSERT_NE(form, nullptr);
        if (quality) {
            ASSERT_TRUE(TypeInto(ControlOf(form, form2::kEdit1), quality));
        }
        ClickCentreOf(ControlOf(form, form2::kSpeedButton3));
        capture = WaitForVisibleWindow(app.Id(), L"TForm5");
        ASSERT_NE(capture, nullptr) << "no capture window";
        ASSERT_TRUE(app.WaitIdle());
        // What lies under the capture window no longer matters: the snapshot is frozen.
        original = pattern->Pixels();
        pattern.reset();
    }

    std::vector<std::uint32_t> Expected(const std::vector<std::pair<int, int>>& inverted) const {
        std::vector<std::uint32_t> e = original;
        for (auto [x, y] : inverted) e[static_cast<std::size_t>(y) * width + x] ^= 0x00FFFFFF;
        return e;
    }
    std::vector<std::pair<int, int>> Crosshair(int x, int y) const {
        std::vector<std::pair<int, int>> p;
        for (int i = 0; i < height; ++i)
            if (i != y) p.push_back({x, i});
        for (int i = 0; i < width; ++i)
            if (i != x) p.push_back({i, y});
        return p;
    }
    std::vector<std::pair<int, int>> Band(int l, int t, int r, int b) const {  // exclusive right/bottom
        std::vector<std::pair<int, int>> p;
        for (int x = l; x < r; ++x) p.push_back({x, t}), p.push_back({x, b - 1});
        for (int y = t + 1; y < b - 1; ++y) p.push_back({l, y}), p.push_back({r - 1, y});
        return p;
    }
    // Waits until the screen shows exactly this; reports how far off it is otherwise.
    void ExpectScreen(const std::vector<std::uint32_t>& expected, const char* what) {
        std::size_t differences = 0;
        const bool same = WaitFor([&] { return (differences = CountDifferences(ScreenPixels(), expected)) == 0; });
        EXPECT_TRUE(same) << what << ": " << differences << " pixels differ";
    }
    // The screen once the region picture is shown centred on the window's background.
    std::vector<std::uint32_t> RegionShown(int l, int t, int r, int b) const {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        const std::uint32_t background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
        std::vector<std::uint32_t> e(original.size(), background);
        const int w = r - l, h = b - t;
        const int ox = (width - w) / 2, oy = (height - h) / 2;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                e[static_cast<std::size_t>(y + oy) * width + x + ox] = original[static_cast<std::size_t>(y + t) * width + x + l];
        return e;
    }

    // Moves the pointer until the screen shows what a move there draws. Wine's X pointer
    // can report an earlier place after an injected move, and the program then draws
    // there; a move from a neighbouring pixel makes the pointer report its place anew.
    void PointTo(int x, int y, const std::vector<std::uint32_t>& expected, const char* what) {
        std::size_t differences = 0;
        for (int attempt = 0; attempt < 5; ++attempt) {
            MoveMouse(x + 1 < width ? x + 1 : x - 1, y);
            MoveMouse(x, y);
            if (WaitFor([&] { return (differences = CountDifferences(ScreenPixels(), expected)) == 0; }, 1500)) return;
        }
        ADD_FAILURE() << what << ": " << differences << " pixels differ";
    }

    // Presses the two corners of a region.
    void Select(int x1, int y1, int x2, int y2) {
        PressButton(x1, y1, MouseButton::kLeft);
        MoveMouse(x2, y2);
        PressButton(x2, y2, MouseButton::kLeft);
    }

    HWND FindSaveDialog() { return e2e::FindSaveDialog(app.Id()); }
    HWND WaitForSaveDialog() {
        HWND dialog = nullptr;
        WaitFor([&] { return (dialog = FindSaveDialog()) != nullptr; });
        if (dialog) app.WaitIdle();
        return dialog;
    }

    // Types the path into the save dialog's focused file name box and confirms with Enter.
    void SaveAs(HWND dialog, const std::wstring& path) {
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
        ASSERT_TRUE(ReplaceFocusedText(GetDlgItem(dialog, kFileNameBox), path));
        PressKeys({VK_RETURN});
    }

    // The program's error report, by its title.
    HWND WaitForReport() {
        return WaitForVisibleWindow(app.Id(), L"#32770",
                                    L"Quillen\u7b80\u4f53\u4e2d\u6587\u514d\u8d39\u7248V5.02.03");
    }

    Process app;
    HWND form = nullptr;
    HWND capture = nullptr;
    std::unique_ptr<PatternWindow> pattern;
    std::vector<std::uint32_t> original;
    int width = 0, height = 0;
};

}  // namespace e2e
