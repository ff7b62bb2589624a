// The capture window's selection, independent of any window: the capture state, the
// inverting crosshair and band drawn straight into the picture, and the three handlers
// (snapshot taken, pointer moved, button pressed). There is no clean copy of the
// snapshot: a crosshair or band is erased by inverting the same pixels once more.
// Every drawing reports the rectangles it changed, so the window repaints only those.
#pragma once

#include <functional>

#include "common/Pixels.h"

// The capture state, in its historical order; all zero or false at start.
struct CaptureState {
    int CrossX = 0;  // x of the crosshair's vertical line as last drawn; -1 after a snapshot
    int StartX = 0;  // first corner
    int StartY = 0;
    int EndX = 0;  // second corner
    int EndY = 0;
    int LastX = 0;  // the band's moving corner as last drawn
    int LastY = 0;
    int CrossY = 0;  // y of the crosshair's horizontal line as last drawn; -1 after a snapshot
    bool Tracking = false;   // the crosshair follows the pointer
    bool Selecting = false;  // the first corner is fixed and the band follows the pointer
};

// Where the drawing goes: the picture, the screen's size (the lines run across it) and
// a sink for the rectangles that changed.
struct CaptureCanvas {
    PixelView picture;
    int screenWidth;
    int screenHeight;
    std::function<void(const PixelRect&)> changed;
};

// The primitives, with the drawing rules of the platform's lines and rectangles.
// A line covers its start and stops before its end; the crosshair is two separate lines
// (the crossing pixel is inverted twice and keeps its colour).
void InvertVerticalLine(CaptureCanvas& canvas, int x);
void InvertHorizontalLine(CaptureCanvas& canvas, int y);
void InvertCrosshair(CaptureCanvas& canvas, int x, int y);
// The outline of columns min..max-1 and rows min..max-1 of the two corners; nothing
// when the block is empty. Each outline pixel is inverted once.
void InvertBand(CaptureCanvas& canvas, int x1, int y1, int x2, int y2);

// The region between two corners: from the smaller x up to, not including, the larger.
PixelRect RegionBetween(int x1, int y1, int x2, int y2);

// A new snapshot became the picture.
void SnapshotTaken(CaptureState& state);
void PointerMoved(CaptureState& state, CaptureCanvas& canvas, int x, int y);
// Returns true when this press was the second: the band is erased and the region
// between StartX/StartY and EndX/EndY is to be copied.
bool ButtonPressed(CaptureState& state, CaptureCanvas& canvas, int x, int y);
