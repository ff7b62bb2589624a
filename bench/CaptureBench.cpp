// What a pointer move costs in the capture window, against repainting the whole picture:
// for each screen size, the time per move of the inversion and the pixels it marks for
// repainting, for crosshair moves and for band moves. The full repaint is timed as a
// copy of every pixel of the picture (what a whole-window repaint must at least do).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "qcapture/Selection.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Result {
    double nsPerMove;
    double pixelsPerMove;
};

// The pointer sweeps the screen in small steps, bouncing off the edges, as a hand moves
// it: lines land everywhere, each move a few pixels from the last.
template <typename Setup>
Result Measure(int width, int height, int moves, Setup setup) {
    OwnedPixels pixels(width, height);
    long long invalidated = 0;
    CaptureCanvas canvas{pixels.View(), width, height, [&](const PixelRect& r) { invalidated += r.Area(); }};
    CaptureState state;
    setup(state, canvas);
    invalidated = 0;
    const auto start = Clock::now();
    int x = 0, y = 0, dx = 5, dy = 3;
    for (int i = 0; i < moves; ++i) {
        if (x + dx < 0 || x + dx >= width) dx = -dx;
        if (y + dy < 0 || y + dy >= height) dy = -dy;
        x += dx;
        y += dy;
        PointerMoved(state, canvas, x, y);
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    return {ns / moves, static_cast<double>(invalidated) / moves};
}

double FullRepaintNs(int width, int height, int repaints) {
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * height, 0x123456);
    std::vector<std::uint32_t> screen(picture.size());
    const auto start = Clock::now();
    for (int i = 0; i < repaints; ++i) {
        picture[static_cast<std::size_t>(i)] ^= 1;  // keep the copies from being merged
        std::memcpy(screen.data(), picture.data(), picture.size() * sizeof(std::uint32_t));
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    volatile std::uint32_t sink = screen[static_cast<std::size_t>(repaints) % screen.size()];
    (void)sink;
    return ns / repaints;
}

}  // namespace

int main() {
    std::printf("%-10s %-10s %14s %18s %14s %12s %s\n", "screen", "drawing", "time/move", "pixels/move",
                "full repaint", "ratio", "targets");
    for (auto [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        const int moves = 20000;
        const Result cross = Measure(width, height, moves, [](CaptureState& s, CaptureCanvas&) { SnapshotTaken(s); });
        const Result band = Measure(width, height, moves, [&](CaptureState& s, CaptureCanvas& c) {
            SnapshotTaken(s);
            ButtonPressed(s, c, width / 3, height / 3);
        });
        const double full = FullRepaintNs(width, height, 200);
        const double fullPixels = static_cast<double>(width) * height;
        const long long crossLimit = 2LL * (width + height) + 4;
        for (auto [name, r] : {std::pair{"crosshair", cross}, std::pair{"band", band}}) {
            const double ratio = full / r.nsPerMove;
            const bool pixelsOk = std::strcmp(name, "crosshair") != 0 || r.pixelsPerMove <= crossLimit;
            std::printf("%4dx%-5d %-10s %11.0f ns %18.0f %11.0f ns %11.0fx %s\n", width, height, name, r.nsPerMove,
                        r.pixelsPerMove, full, ratio,
                        (pixelsOk && (width < 3840 || ratio >= 100)) ? "met" : "NOT MET");
        }
        std::printf("%4dx%-5d %-10s %11.0f ns %18.0f\n", width, height, "full", full, fullPixels);
    }
    return 0;
}
