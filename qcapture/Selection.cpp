// The selection's drawing and handlers; see Selection.h.
#include "Selection.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Invert(CaptureCanvas& canvas, PixelRect rect) {
    const PixelRect done = InvertRect(canvas.picture, rect);
    if (!done.Empty() && canvas.changed) canvas.changed(done);
}

}  // namespace

void InvertVerticalLine(CaptureCanvas& canvas, int x) {
    Invert(canvas, {x, 0, x + 1, canvas.screenHeight});
}

void InvertHorizontalLine(CaptureCanvas& canvas, int y) {
    Invert(canvas, {0, y, canvas.screenWidth, y + 1});
}

void InvertCrosshair(CaptureCanvas& canvas, int x, int y) {
    InvertVerticalLine(canvas, x);
    InvertHorizontalLine(canvas, y);
}

PixelRect RegionBetween(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

void InvertBand(CaptureCanvas& canvas, int x1, int y1, int x2, int y2) {
    const PixelRect r = RegionBetween(x1, y1, x2, y2);
    if (r.Empty()) return;
    Invert(canvas, {r.left, r.top, r.right, r.top + 1});  // top row
    if (r.bottom - 1 > r.top) Invert(canvas, {r.left, r.bottom - 1, r.right, r.bottom});  // bottom row
    if (r.bottom - r.top > 2) {
        // the sides between the two rows; one column when the block is one pixel wide
        Invert(canvas, {r.left, r.top + 1, r.left + 1, r.bottom - 1});
        if (r.right - 1 > r.left) Invert(canvas, {r.right - 1, r.top + 1, r.right, r.bottom - 1});
    }
}

namespace {

// Erasing the crosshair at (oldX, oldY) and drawing it at (x, y), with the same pixels as
// the four separate lines (inversion is order-free and a line inverted twice is as
// before): a line that stays put is left alone, and the two vertical lines are inverted
// in one pass down the rows, which touches each row's memory once for a small move.
void MoveCrosshair(CaptureCanvas& canvas, int oldX, int oldY, int x, int y) {
    if (oldX != x) {
        PixelView v = canvas.picture;
        const bool oldInside = oldX >= 0 && oldX < v.width;
        const bool newInside = x >= 0 && x < v.width;
        const int rows = std::min(canvas.screenHeight, v.height);
        for (int row = 0; row < rows; ++row) {
            std::uint32_t* line = &v.At(0, row);
            if (oldInside) line[oldX] ^= kColourBits;
            if (newInside) line[x] ^= kColourBits;
        }
        if (canvas.changed && rows > 0) {
            if (oldInside) canvas.changed({oldX, 0, oldX + 1, rows});
            if (newInside) canvas.changed({x, 0, x + 1, rows});
        }
    }
    if (oldY != y) {
        InvertHorizontalLine(canvas, oldY);
        InvertHorizontalLine(canvas, y);
    }
}

}  // namespace

void SnapshotTaken(CaptureState& state) {
    state.CrossX = -1;
    state.CrossY = -1;
    state.Tracking = true;  // Selecting is left as it is
}

void PointerMoved(CaptureState& state, CaptureCanvas& canvas, int x, int y) {
    if (state.Selecting) {
        InvertBand(canvas, state.StartX, state.StartY, state.LastX, state.LastY);
        InvertBand(canvas, state.StartX, state.StartY, x, y);
        state.LastX = x;
        state.LastY = y;
    } else if (state.Tracking) {
        MoveCrosshair(canvas, state.CrossX, state.CrossY, x, y);
        state.CrossX = x;
        state.CrossY = y;
    }
}

bool ButtonPressed(CaptureState& state, CaptureCanvas& canvas, int x, int y) {
    if (!state.Selecting) {
        state.Tracking = false;
        InvertCrosshair(canvas, state.CrossX, state.CrossY);
        state.StartX = state.LastX = x;
        state.StartY = state.LastY = y;
        state.Selecting = true;
        return false;
    }
    state.EndX = x;
    state.EndY = y;
    state.Selecting = false;
    InvertBand(canvas, state.StartX, state.StartY, state.LastX, state.LastY);
    return true;
}
