// Windows bitmap (BMP) files as the capture delivery writes and reads them: a 14-byte
// file header, a 40-byte BITMAPINFOHEADER, a colour table only at 8 bits per pixel or
// fewer, then the rows bottom-up, each padded to a multiple of 4 bytes, uncompressed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

inline constexpr std::size_t kBmpFileHeaderSize = 14;
inline constexpr std::size_t kBmpInfoHeaderSize = 40;
// Enough leading bytes of a file for ParseBmpHeaders: the file header, the largest
// (124-byte) info header and a full 256-entry colour table.
inline constexpr std::size_t kBmpHeadersMaxSize = kBmpFileHeaderSize + 124 + 256 * 4;

// Bytes of one stored row: ((width * bits + 31) / 32) * 4.
std::size_t BmpRowBytes(int width, int bitsPerPixel);

// The headers (and the colour table, given as blue, green, red, 0 entries, one per colour
// of the depth, when bitsPerPixel <= 8) that precede the rows of a width x height
// bitmap: type "BM", file size 14 + header + table + pixel bytes, reserved 0, pixel
// offset 14 + header + table; width; positive height (bottom-up); 1 plane; the bits per
// pixel; compression 0; image size height * row bytes; resolutions 0; colours used =
// table entries (0 above 8 bits); important colours 0.
std::vector<std::uint8_t> BmpHeaders(int width, int height, int bitsPerPixel,
                                     const std::vector<std::uint32_t>& colourTable = {});

// What the headers of a stored bitmap say, once checked against the file's size.
struct BmpLayout {
    int width = 0;
    int height = 0;     // rows in the file; positive = bottom-up
    bool topDown = false;
    int bitsPerPixel = 0;       // 1, 4, 8, 16, 24 or 32
    std::uint32_t pixelOffset = 0;
    std::size_t rowBytes = 0;
    std::vector<std::uint32_t> colourTable;  // 0x00RRGGBB, for 8 bits or fewer
    // 16 bits: 5-5-5 unless BI_BITFIELDS masks say 5-6-5; 32 bits: blue, green, red, x.
    std::uint32_t redMask = 0, greenMask = 0, blueMask = 0;
};

// Parses the headers at the start of a file of fileSize bytes; nothing when they do not
// describe an uncompressed bitmap whose rows fit in the file ("Bitmap image is not
// valid"). Accepts BI_RGB and, at 16 and 32 bits, BI_BITFIELDS.
std::optional<BmpLayout> ParseBmpHeaders(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize);

// One stored row converted to red, green, blue bytes (3 * width bytes).
void BmpRowToRgb(const BmpLayout& layout, const std::uint8_t* row, std::uint8_t* rgb);
