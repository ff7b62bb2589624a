// Pixels as a 32-bit top-down bitmap: rows of blue, green, red, unused — the memory
// layout of a 32-bit top-down DIB section, so the Win32 side shares its bits with GDI
// and the drawing here works on them in place. Drawing inverts pixels (the colour bits'
// complement; drawing the same thing twice restores them) and is clipped to the bitmap.
#pragma once

#include <cstdint>
#include <vector>

struct PixelRect {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
    long long Area() const { return Empty() ? 0 : static_cast<long long>(right - left) * (bottom - top); }
    bool operator==(const PixelRect&) const = default;
};

// A view of pixels owned elsewhere (a DIB section, or OwnedPixels).
struct PixelView {
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    std::uint32_t& At(int x, int y) const { return bits[static_cast<std::size_t>(y) * width + x]; }
};

class OwnedPixels {
public:
    OwnedPixels(int width, int height) : width_(width), height_(height), bits_(static_cast<std::size_t>(width) * height) {}
    PixelView View() { return {bits_.data(), width_, height_}; }
    const std::vector<std::uint32_t>& Bits() const { return bits_; }

private:
    int width_, height_;
    std::vector<std::uint32_t> bits_;
};

inline constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// Inverts the pixels of a rectangle, clipped to the view; returns the part inverted.
PixelRect InvertRect(PixelView view, PixelRect rect);
