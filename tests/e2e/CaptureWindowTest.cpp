// The capture window against a known full-screen pattern: the snapshot is the screen as
// it was (not the settings window, not what changes under it later), the crosshair and
// the band invert exactly their pixels, the second press shows the region, and every
// mouse button counts while keys do nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "e2e/CaptureScenario.h"

namespace {

using namespace e2e;

class CaptureWindow : public CaptureScenario {
protected:
    // The second press with the clipboard held by another program: the delivery stops at
    // its first step with the report, and the window stays showing the region.
    void SecondPressWithTheClipboardHeld(int x, int y, MouseButton button) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        PressButton(x, y, button);
        HWND report = WaitForVisibleWindow(app.Id(), L"#32770");
        CloseClipboard();
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(MessageBoxText(report), L"Cannot open clipboard.");
        ClickCentreOf(GetDlgItem(report, IDOK));
    }
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

    PointTo(300, 200, Expected(Crosshair(300, 200)), "crosshair at 300,200");
    PointTo(width - 1, 0, Expected(Crosshair(width - 1, 0)), "crosshair at the top-right pixel");

    // First corner below right of the second: the band is the same either way.
    PressButton(700, 500, MouseButton::kLeft);
    ExpectScreen(original, "crosshair erased at the first press");
    PointTo(250, 150, Expected(Band(250, 150, 700, 500)), "band");
    PointTo(240, 500, original, "zero-height band");  // along the first corner's row: no band
    PointTo(260, 160, Expected(Band(260, 160, 700, 500)), "band after moving on");

    ASSERT_NO_FATAL_FAILURE(SecondPressWithTheClipboardHeld(260, 160, MouseButton::kLeft));
    ExpectScreen(RegionShown(260, 160, 700, 500), "region picture, centred");
}

TEST_F(CaptureWindow, EveryButtonCountsAndKeysDoNothing) {
    ASSERT_NO_FATAL_FAILURE(StartCapture());
    PointTo(100, 120, Expected(Crosshair(100, 120)), "crosshair");
    PressKeys({'A'});
    PressKeys({VK_ESCAPE});
    PressKeys({VK_RETURN});
    PressKeys({VK_LEFT});
    PressKeys({VK_SPACE});
    ASSERT_TRUE(app.WaitIdle());
    ExpectScreen(Expected(Crosshair(100, 120)), "after keys");
    EXPECT_TRUE(IsWindowVisible(capture));

    PressButton(100, 120, MouseButton::kRight);
    PointTo(400, 300, Expected(Band(100, 120, 400, 300)), "band after a right press");
    ASSERT_NO_FATAL_FAILURE(SecondPressWithTheClipboardHeld(400, 300, MouseButton::kMiddle));
    ExpectScreen(RegionShown(100, 120, 400, 300), "region after a middle press");
}

}  // namespace
