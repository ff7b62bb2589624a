// The capture window against a known full-screen pattern: the snapshot is the screen as
// it was (not the settings window, not what changes under it later), the crosshair and
// the band invert exactly their pixels, the second press shows the region, and every
// mouse button counts while keys do nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "e2e/Scenario.h"
#include "resources/Form2Layout.h"

namespace {

using namespace e2e;

class CaptureWindow : public Scenario {
protected:
    // Covers the screen with the pattern, starts the program (its settings window comes
    // up in front) and starts a capture with its button; returns once the snapshot shows.
    void StartCapture() {
        pattern = std::make_unique<PatternWindow>();
        width = pattern->Width();
        height = pattern->Height();
        form = StartShown(app);
        ASSERT_NE(form, nullptr);
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

    Process app;
    HWND form = nullptr;
    HWND capture = nullptr;
    std::unique_ptr<PatternWindow> pattern;
    std::vector<std::uint32_t> original;
    int width = 0, height = 0;
};

TEST_F(CaptureWindow, SnapshotCrosshairBandAndRegionArePixelExact) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    RECT r;
    GetWindowRect(capture, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, width);
    EXPECT_EQ(r.bottom, height);
    EXPECT_TRUE(GetWindowLongW(capture, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(form));
    // The snapshot, with at most the crosshair at the pointer: the window appearing
    // under the pointer counts as a pointer move.
    POINT at;
    GetCursorPos(&at);
    const auto withCrosshair = Expected(Crosshair(at.x, at.y));
    std::size_t differences = 0;
    EXPECT_TRUE(WaitFor([&] {
        const auto screen = ScreenPixels();
        differences = std::min(CountDifferences(screen, original), CountDifferences(screen, withCrosshair));
        return differences == 0;
    })) << "snapshot: " << differences << " pixels differ";

    MoveMouse(300, 200);
    ExpectScreen(Expected(Crosshair(300, 200)), "crosshair at 300,200");
    MoveMouse(width - 1, 0);
    ExpectScreen(Expected(Crosshair(width - 1, 0)), "crosshair at the top-right pixel");

    // First corner below right of the second: the band is the same either way.
    PressButton(700, 500, MouseButton::kLeft);
    ExpectScreen(original, "crosshair erased at the first press");
    MoveMouse(250, 150);
    ExpectScreen(Expected(Band(250, 150, 700, 500)), "band");
    MoveMouse(240, 500);  // along the first corner's row: no band
    ExpectScreen(original, "zero-height band");
    MoveMouse(260, 160);
    ExpectScreen(Expected(Band(260, 160, 700, 500)), "band after moving on");

    PressButton(260, 160, MouseButton::kLeft);
    ExpectScreen(RegionShown(260, 160, 700, 500), "region picture");
}

TEST_F(CaptureWindow, EveryButtonCountsAndKeysDoNothing) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    MoveMouse(100, 120);
    ExpectScreen(Expected(Crosshair(100, 120)), "crosshair");
    PressKeys({'A'});
    PressKeys({VK_ESCAPE});
    PressKeys({VK_RETURN});
    PressKeys({VK_LEFT});
    PressKeys({VK_SPACE});
    ASSERT_TRUE(app.WaitIdle());
    ExpectScreen(Expected(Crosshair(100, 120)), "after keys");
    EXPECT_TRUE(IsWindowVisible(capture));

    PressButton(100, 120, MouseButton::kRight);
    MoveMouse(400, 300);
    ExpectScreen(Expected(Band(100, 120, 400, 300)), "band after a right press");
    PressButton(400, 300, MouseButton::kMiddle);
    ExpectScreen(RegionShown(100, 120, 400, 300), "region after a middle press");
}

}  // namespace
