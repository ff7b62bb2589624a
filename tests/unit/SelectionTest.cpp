// The capture window's selection on a small picture: exactly which pixels the crosshair
// and the band invert, that erasing restores every pixel, the region for corners in any
// order, and which rectangles are reported for repainting.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "qcapture/Selection.h"

namespace {

constexpr int kW = 16;
constexpr int kH = 12;

struct Fixture {
    OwnedPixels pixels{kW, kH};
    std::vector<PixelRect> changed;
    CaptureCanvas canvas{pixels.View(), kW, kH, [this](const PixelRect& r) { changed.push_back(r); }};
    CaptureState state;

    Fixture() {
        PixelView v = pixels.View();
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) v.At(x, y) = static_cast<std::uint32_t>((x * 37 + y * 101) & 0xFFFFFF);
        original = pixels.Bits();
    }
    std::vector<std::uint32_t> original;

    // The set of pixels that differ from the snapshot.
    std::set<std::pair<int, int>> Inverted() const {
        std::set<std::pair<int, int>> s;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * kW + x;
                if (pixels.Bits()[i] != original[i]) {
                    EXPECT_EQ(pixels.Bits()[i], original[i] ^ kColourBits) << x << "," << y;
                    s.insert({x, y});
                }
            }
        return s;
    }
};

std::set<std::pair<int, int>> Crosshair(int x, int y) {
    std::set<std::pair<int, int>> s;
    for (int i = 0; i < kH; ++i)
        if (i != y) s.insert({x, i});
    for (int i = 0; i < kW; ++i)
        if (i != x) s.insert({i, y});
    return s;
}

std::set<std::pair<int, int>> Outline(int l, int t, int r, int b) {  // exclusive right/bottom
    std::set<std::pair<int, int>> s;
    for (int x = l; x < r; ++x) s.insert({x, t}), s.insert({x, b - 1});
    for (int y = t; y < b; ++y) s.insert({l, y}), s.insert({r - 1, y});
    return s;
}

TEST(Selection, FirstMoveDrawsExactlyTheCrosshairAndItsCrossingPixelKeepsItsColour) {
    Fixture f;
    SnapshotTaken(f.state);
    PointerMoved(f.state, f.canvas, 5, 7);
    EXPECT_EQ(f.Inverted(), Crosshair(5, 7));
    EXPECT_EQ(f.state.CrossX, 5);
    EXPECT_EQ(f.state.CrossY, 7);

    // The next move erases it completely and draws the new one.
    PointerMoved(f.state, f.canvas, 0, kH - 1);
    EXPECT_EQ(f.Inverted(), Crosshair(0, kH - 1));
}

TEST(Selection, APressBeforeAnyMoveErasesNothing) {
    Fixture f;
    SnapshotTaken(f.state);
    EXPECT_FALSE(ButtonPressed(f.state, f.canvas, 4, 4));
    EXPECT_TRUE(f.Inverted().empty());
    EXPECT_TRUE(f.changed.empty());
    EXPECT_TRUE(f.state.Selecting);
    EXPECT_FALSE(f.state.Tracking);
}

TEST(Selection, FirstMoveAfterTheFirstPressDrawsExactlyTheBand) {
    Fixture f;
    SnapshotTaken(f.state);
    PointerMoved(f.state, f.canvas, 3, 2);
    ButtonPressed(f.state, f.canvas, 3, 2);
    EXPECT_TRUE(f.Inverted().empty());  // the crosshair is gone, no band yet
    PointerMoved(f.state, f.canvas, 9, 8);
    EXPECT_EQ(f.Inverted(), Outline(3, 2, 9, 8));
    PointerMoved(f.state, f.canvas, 12, 10);
    EXPECT_EQ(f.Inverted(), Outline(3, 2, 12, 10));
}

TEST(Selection, CornersInEveryOrderGiveTheSameBandAndRegion) {
    const int a[2] = {2, 11};
    const int b[2] = {3, 9};
    std::set<std::pair<int, int>> firstBand;
    for (int i = 0; i < 4; ++i) {
        const int x1 = a[i & 1], x2 = a[1 - (i & 1)];
        const int y1 = b[i >> 1], y2 = b[1 - (i >> 1)];
        Fixture f;
        SnapshotTaken(f.state);
        ButtonPressed(f.state, f.canvas, x1, y1);
        PointerMoved(f.state, f.canvas, x2, y2);
        if (i == 0) firstBand = f.Inverted();
        EXPECT_EQ(f.Inverted(), firstBand) << i;
        EXPECT_TRUE(ButtonPressed(f.state, f.canvas, x2, y2));
        EXPECT_TRUE(f.Inverted().empty());  // the band is erased before the copy
        EXPECT_EQ(RegionBetween(f.state.StartX, f.state.StartY, f.state.EndX, f.state.EndY), (PixelRect{2, 3, 11, 9}));
    }
}

TEST(Selection, TheSecondPressErasesTheBandWhereItWasLastDrawn) {
    Fixture f;
    SnapshotTaken(f.state);
    ButtonPressed(f.state, f.canvas, 1, 1);
    PointerMoved(f.state, f.canvas, 6, 6);
    EXPECT_TRUE(ButtonPressed(f.state, f.canvas, 10, 10));  // pressed elsewhere, no move there
    EXPECT_TRUE(f.Inverted().empty());
    EXPECT_EQ(f.state.EndX, 10);
    EXPECT_FALSE(f.state.Selecting);
}

TEST(Selection, EmptyAndThinBands) {
    struct {
        int x1, y1, x2, y2;
        std::set<std::pair<int, int>> band;
    } cases[] = {
        {4, 4, 4, 9, {}},                                 // zero width
        {4, 4, 9, 4, {}},                                 // zero height
        {4, 4, 4, 4, {}},                                 // one point
        {4, 4, 5, 8, {{4, 4}, {4, 5}, {4, 6}, {4, 7}}},   // one pixel wide: each pixel once
        {4, 4, 8, 5, {{4, 4}, {5, 4}, {6, 4}, {7, 4}}},   // one pixel high
        {4, 4, 6, 6, {{4, 4}, {5, 4}, {4, 5}, {5, 5}}},   // 2 x 2: all four
    };
    for (const auto& c : cases) {
        Fixture f;
        InvertBand(f.canvas, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(f.Inverted(), c.band) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        InvertBand(f.canvas, c.x1, c.y1, c.x2, c.y2);
        EXPECT_TRUE(f.Inverted().empty());  // drawing it twice restores the picture
    }
}

TEST(Selection, CornersAtTheScreensEdgesLeaveOutTheLastColumnAndRow) {
    EXPECT_EQ(RegionBetween(0, 0, kW - 1, kH - 1), (PixelRect{0, 0, kW - 1, kH - 1}));
    EXPECT_EQ(RegionBetween(kW - 1, kH - 1, 0, 0), (PixelRect{0, 0, kW - 1, kH - 1}));
}

TEST(Selection, DrawingOutsideThePictureIsClipped) {
    Fixture f;
    InvertCrosshair(f.canvas, -1, -1);
    InvertBand(f.canvas, -5, -5, -1, -1);
    InvertBand(f.canvas, -3, -3, 40, 40);  // only the parts inside
    EXPECT_TRUE(f.Inverted().empty());
    InvertBand(f.canvas, -3, 2, 40, 5);
    EXPECT_EQ(f.Inverted().size(), 2u * kW);  // rows 2 and 4 only: the sides are outside
}

TEST(Selection, ATriggerDuringASelectionKeepsTheFirstCorner) {
    Fixture f;
    SnapshotTaken(f.state);
    ButtonPressed(f.state, f.canvas, 2, 2);
    PointerMoved(f.state, f.canvas, 8, 8);
    SnapshotTaken(f.state);  // a new snapshot while selecting
    EXPECT_TRUE(f.state.Selecting);
    EXPECT_TRUE(f.state.Tracking);
    PointerMoved(f.state, f.canvas, 10, 9);  // the band follows; no crosshair is drawn
    EXPECT_EQ(f.state.StartX, 2);
    EXPECT_EQ(f.state.CrossX, -1);
}

TEST(Selection, AMoveReportsOnlyTheLinesItChanged) {
    Fixture f;
    SnapshotTaken(f.state);
    PointerMoved(f.state, f.canvas, 5, 5);
    f.changed.clear();
    PointerMoved(f.state, f.canvas, 6, 7);
    long long area = 0;
    for (const PixelRect& r : f.changed) area += r.Area();
    EXPECT_EQ(f.changed.size(), 4u);
    EXPECT_EQ(area, 2LL * (kW + kH));

    ButtonPressed(f.state, f.canvas, 6, 7);
    PointerMoved(f.state, f.canvas, 10, 10);
    f.changed.clear();
    PointerMoved(f.state, f.canvas, 12, 11);
    area = 0;
    for (const PixelRect& r : f.changed) area += r.Area();
    EXPECT_EQ(area, (2 * 4 + 2 * 1) + (2 * 6 + 2 * 2));  // old outline 4x3, new 6x4
}

}  // namespace
