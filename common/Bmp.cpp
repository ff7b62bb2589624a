// Writing and reading the headers of uncompressed BMP files; see Bmp.h. The reader takes
// any bytes at all (a file on disk may hold anything), so every size is checked in 64-bit
// arithmetic before it is trusted, and a layout it returns always describes rows that lie
// inside the file.
#include "Bmp.h"

namespace {

constexpr std::uint16_t kBmpType = 0x4D42;  // "BM"
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kBitfieldsMaskBytes = 12;
// The masks follow a 40-byte header; from the 52-byte header on they are inside it.
constexpr std::uint32_t kHeaderWithMasksSize = 52;
// Beyond any screen (16384 x 16384), and small enough that 3 bytes a pixel of RGB still fit
// comfortably in memory; anything bigger is a damaged or hostile file.
constexpr std::uint64_t kMaxPixels = 1ull << 28;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

std::uint32_t Get16(const std::uint8_t* p) {
    return p[0] | static_cast<std::uint32_t>(p[1]) << 8;
}

std::uint32_t Get32(const std::uint8_t* p) {
    return Get16(p) | Get16(p + 2) << 16;
}

std::uint64_t RowBytes64(std::uint64_t width, std::uint64_t bits) {
    return (width * bits + 31) / 32 * 4;
}

bool SupportedDepth(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The masks a reader of this program understands: 5-5-5 or 5-6-5 at 16 bits, and at 32 bits
// only the byte order blue, green, red, x that BI_RGB implies anyway.
bool SupportedMasks(std::uint32_t bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    if (bits == 16)
        return (red == 0xF800 && green == 0x07E0 && blue == 0x001F) ||
               (red == 0x7C00 && green == 0x03E0 && blue == 0x001F);
    return red == 0x00FF0000 && green == 0x0000FF00 && blue == 0x000000FF;
}

std::uint8_t Expand5(std::uint32_t v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
std::uint8_t Expand6(std::uint32_t v) {
    return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

}  // namespace

std::size_t BmpRowBytes(int width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    return static_cast<std::size_t>(
        RowBytes64(static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(bitsPerPixel)));
}

std::vector<std::uint8_t> BmpHeaders(int width, int height, int bitsPerPixel,
                                     const std::vector<std::uint32_t>& colourTable) {
    // A short table is completed with black and a long one cut, so the file always holds
    // exactly one entry per colour of the depth.
    const std::uint32_t tableEntries = bitsPerPixel >= 1 && bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
    const std::uint32_t pixelOffset =
        static_cast<std::uint32_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize) + tableEntries * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(
        BmpRowBytes(width, bitsPerPixel) * static_cast<std::size_t>(height > 0 ? height : 0));
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset);
    Put16(out, kBmpType);
    Put32(out, pixelOffset + imageSize);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, pixelOffset);

    Put32(out, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(out, kBiRgb);
    Put32(out, imageSize);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, tableEntries);
    Put32(out, 0);

    for (std::uint32_t i = 0; i < tableEntries; ++i)
        Put32(out, i < colourTable.size() ? colourTable[i] & 0xFFFFFF : 0);
    return out;
}

std::optional<BmpLayout> ParseBmpHeaders(const std::uint8_t* data, std::size_t size, std::uint64_t fileSize) {
    // Only bytes that are both at hand and inside the file count.
    const std::uint64_t available = size < fileSize ? size : fileSize;
    if (!data || available < kBmpFileHeaderSize + kBmpInfoHeaderSize) return std::nullopt;
    if (Get16(data) != kBmpType) return std::nullopt;
    const std::uint32_t pixelOffset = Get32(data + 10);

    const std::uint8_t* info = data + kBmpFileHeaderSize;
    const std::uint32_t headerSize = Get32(info);
    const std::int32_t width = static_cast<std::int32_t>(Get32(info + 4));
    const std::int32_t height = static_cast<std::int32_t>(Get32(info + 8));
    const std::uint32_t planes = Get16(info + 12);
    const std::uint32_t bits = Get16(info + 14);
    const std::uint32_t compression = Get32(info + 16);
    const std::uint32_t coloursUsed = Get32(info + 32);

    // Smaller headers (the 12-byte OS/2 one) lay their fields out differently.
    if (headerSize < kBmpInfoHeaderSize || planes != 1 || !SupportedDepth(bits)) return std::nullopt;
    const bool bitfields = compression == kBiBitfields;
    if (compression != kBiRgb && !(bitfields && (bits == 16 || bits == 32))) return std::nullopt;
    if (width <= 0 || height == 0) return std::nullopt;

    const std::uint64_t rows = height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(height))
                                          : static_cast<std::uint64_t>(height);
    if (static_cast<std::uint64_t>(width) * rows > kMaxPixels) return std::nullopt;

    std::uint64_t headersEnd = kBmpFileHeaderSize + std::uint64_t{headerSize};
    if (bitfields && headerSize < kHeaderWithMasksSize)
        headersEnd = kBmpFileHeaderSize + kBmpInfoHeaderSize + kBitfieldsMaskBytes;

    BmpLayout layout;
    layout.width = width;
    layout.height = static_cast<int>(rows);  // a count; topDown tells the order
    layout.topDown = height < 0;
    layout.bitsPerPixel = static_cast<int>(bits);
    layout.pixelOffset = pixelOffset;
    layout.rowBytes = static_cast<std::size_t>(RowBytes64(static_cast<std::uint64_t>(width), bits));

    if (bits <= 8) {
        // Colours used 0 means the whole table; fewer entries leave the rest black, so any
        // pixel value in the rows still has a colour.
        const std::uint32_t fullTable = 1u << bits;
        if (coloursUsed > fullTable) return std::nullopt;
        const std::uint32_t stored = coloursUsed == 0 ? fullTable : coloursUsed;
        const std::uint64_t tableStart = headersEnd;
        headersEnd += std::uint64_t{stored} * 4;
        if (headersEnd > available) return std::nullopt;
        layout.colourTable.assign(fullTable, 0);
        for (std::uint32_t i = 0; i < stored; ++i)
            layout.colourTable[i] = Get32(data + tableStart + std::uint64_t{i} * 4) & 0xFFFFFF;
    } else if (bitfields) {
        if (headersEnd > available) return std::nullopt;
        const std::uint8_t* masks = data + kBmpFileHeaderSize + kBmpInfoHeaderSize;
        layout.redMask = Get32(masks);
        layout.greenMask = Get32(masks + 4);
        layout.blueMask = Get32(masks + 8);
        if (!SupportedMasks(bits, layout.redMask, layout.greenMask, layout.blueMask)) return std::nullopt;
    } else if (bits == 16) {
        layout.redMask = 0x7C00, layout.greenMask = 0x03E0, layout.blueMask = 0x001F;
    } else if (bits == 32) {
        layout.redMask = 0x00FF0000, layout.greenMask = 0x0000FF00, layout.blueMask = 0x000000FF;
    }

    // The rows start after everything above and end inside the file; the product stays far
    // below 2^64 (width * rows <= kMaxPixels, at most 4 bytes a pixel plus padding).
    if (pixelOffset < headersEnd || pixelOffset > fileSize) return std::nullopt;
    if (std::uint64_t{layout.rowBytes} * rows > fileSize - pixelOffset) return std::nullopt;
    return layout;
}

void BmpRowToRgb(const BmpLayout& layout, const std::uint8_t* row, std::uint8_t* rgb) {
    const int width = layout.width;
    switch (layout.bitsPerPixel) {
        case 1:
        case 4:
        case 8: {
            const int bits = layout.bitsPerPixel;
            const std::uint32_t valueMask = (1u << bits) - 1;
            for (int x = 0; x < width; ++x) {
                // The leftmost pixel sits in the highest bits of its byte.
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const std::uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & valueMask;
                const std::uint32_t c = index < layout.colourTable.size() ? layout.colourTable[index] : 0;
                rgb[0] = static_cast<std::uint8_t>(c >> 16);
                rgb[1] = static_cast<std::uint8_t>(c >> 8);
                rgb[2] = static_cast<std::uint8_t>(c);
                rgb += 3;
            }
            break;
        }
        case 16: {
            const bool green6 = layout.greenMask == 0x07E0;
            for (int x = 0; x < width; ++x, row += 2, rgb += 3) {
                const std::uint32_t v = Get16(row);
                if (green6) {
                    rgb[0] = Expand5(v >> 11 & 0x1F);
                    rgb[1] = Expand6(v >> 5 & 0x3F);
                } else {
                    rgb[0] = Expand5(v >> 10 & 0x1F);
                    rgb[1] = Expand5(v >> 5 & 0x1F);
                }
                rgb[2] = Expand5(v & 0x1F);
            }
            break;
        }
        case 24:
        case 32: {
            const int step = layout.bitsPerPixel / 8;
            for (int x = 0; x < width; ++x, row += step, rgb += 3) {
                rgb[0] = row[2];
                rgb[1] = row[1];
                rgb[2] = row[0];
            }
            break;
        }
        default:
            break;
    }
}
