// Pixel inversion; see Pixels.h.
#include "Pixels.h"

#include <algorithm>

PixelRect InvertRect(PixelView view, PixelRect rect) {
    rect.left = std::max(rect.left, 0);
    rect.top = std::max(rect.top, 0);
    rect.right = std::min(rect.right, view.width);
    rect.bottom = std::min(rect.bottom, view.height);
    if (rect.Empty()) return {0, 0, 0, 0};
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint32_t* row = &view.At(0, y);
        for (int x = rect.left; x < rect.right; ++x) row[x] ^= kColourBits;
    }
    return rect;
}
