// The bitmap file headers the delivery writes (exact bytes, row padding, the colour table),
// reading them back, the damaged headers the reader must turn away whatever they hold, and
// the conversion of stored rows to red, green, blue at every supported depth.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/Bmp.h"

namespace {

std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return Le16(b, at) | static_cast<std::uint32_t>(Le16(b, at + 2)) << 16;
}
void Set16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Set32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    Set16(b, at, v & 0xFFFF);
    Set16(b, at + 2, v >> 16);
}

// Offsets of the fields in the file header and the 40-byte information header.
enum : std::size_t {
    kType = 0, kFileSize = 2, kReserved1 = 6, kReserved2 = 8, kPixelOffset = 10,
    kHeaderSize = 14, kWidth = 18, kHeight = 22, kPlanes = 26, kBits = 28, kCompression = 30,
    kImageSize = 34, kXPels = 38, kYPels = 42, kClrUsed = 46, kClrImportant = 50, kHeadersEnd = 54,
};

TEST(Bmp, FiveByThreeAt24BitsHasExactlyTheseHeaderBytes) {
    const std::vector<std::uint8_t> want = {
        'B', 'M', 102, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40, 0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
        48, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(BmpHeaders(5, 3, 24), want);
}

TEST(Bmp, HeadersAtTrueColourDepths) {
    struct {
        int width, height, bits;
        std::uint32_t rowBytes, fileSize;
    } cases[] = {
        {1, 1, 16, 4, 58},  {1, 1, 24, 4, 58},  {1, 1, 32, 4, 58},
        {3, 2, 16, 8, 70},  {3, 2, 24, 12, 78}, {3, 2, 32, 12, 78},
        {5, 3, 16, 12, 90}, {5, 3, 24, 16, 102}, {5, 3, 32, 20, 114},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bits);
        EXPECT_EQ(BmpRowBytes(c.width, c.bits), c.rowBytes);
        const std::vector<std::uint8_t> h = BmpHeaders(c.width, c.height, c.bits);
        ASSERT_EQ(h.size(), 54u);
        EXPECT_EQ(Le16(h, kType), 0x4D42u);
        EXPECT_EQ(Le32(h, kFileSize), c.fileSize);
        EXPECT_EQ(Le16(h, kReserved1), 0u);
        EXPECT_EQ(Le16(h, kReserved2), 0u);
        EXPECT_EQ(Le32(h, kPixelOffset), 54u);
        EXPECT_EQ(Le32(h, kHeaderSize), 40u);
        EXPECT_EQ(Le32(h, kWidth), static_cast<std::uint32_t>(c.width));
        EXPECT_EQ(Le32(h, kHeight), static_cast<std::uint32_t>(c.height));
        EXPECT_EQ(Le16(h, kPlanes), 1u);
        EXPECT_EQ(Le16(h, kBits), static_cast<std::uint32_t>(c.bits));
        EXPECT_EQ(Le32(h, kCompression), 0u);
        EXPECT_EQ(Le32(h, kImageSize), c.rowBytes * c.height);
        EXPECT_EQ(Le32(h, kXPels), 0u);
        EXPECT_EQ(Le32(h, kYPels), 0u);
        EXPECT_EQ(Le32(h, kClrUsed), 0u);
        EXPECT_EQ(Le32(h, kClrImportant), 0u);
    }
}

TEST(Bmp, RowsArePaddedToFourBytes) {
    struct {
        int width, bits;
        std::size_t want;
    } cases[] = {
        {1, 1, 4},   {32, 1, 4},  {33, 1, 8}, {8, 4, 4},   {9, 4, 8},    {4, 8, 4},  {5, 8, 8},
        {1, 16, 4},  {2, 16, 4},  {3, 16, 8}, {4, 24, 12}, {7, 24, 24},  {1, 32, 4}, {1920, 24, 5760},
        {1366, 16, 2732}, {0, 24, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BmpRowBytes(c.width, c.bits), c.want) << c.width << " at " << c.bits;
}

TEST(Bmp, EightBitsCarryAFullColourTableBeforeThePixels) {
    std::vector<std::uint32_t> table(256);
    for (std::uint32_t i = 0; i < 256; ++i) table[i] = i << 16 | (255 - i) << 8 | i / 2;
    const std::vector<std::uint8_t> h = BmpHeaders(4, 2, 8, table);
    ASSERT_EQ(h.size(), 54u + 1024u);
    EXPECT_EQ(Le32(h, kPixelOffset), 1078u);
    EXPECT_EQ(Le32(h, kFileSize), 1078u + 8u);
    EXPECT_EQ(Le32(h, kImageSize), 8u);
    EXPECT_EQ(Le32(h, kClrUsed), 256u);
    EXPECT_EQ(Le32(h, kClrImportant), 0u);
    for (std::size_t i : {0u, 1u, 200u, 255u}) {  // blue, green, red, 0
        EXPECT_EQ(h[54 + 4 * i + 0], i / 2);
        EXPECT_EQ(h[54 + 4 * i + 1], 255 - i);
        EXPECT_EQ(h[54 + 4 * i + 2], i);
        EXPECT_EQ(h[54 + 4 * i + 3], 0);
    }
}

TEST(Bmp, ColourTableAlwaysHasOneEntryPerColourOfTheDepth) {
    const std::vector<std::uint8_t> h = BmpHeaders(3, 1, 4, {0xFFFFFF, 0x0000FF});
    ASSERT_EQ(h.size(), 54u + 16u * 4u);
    EXPECT_EQ(Le32(h, kClrUsed), 16u);
    EXPECT_EQ(Le32(h, 54), 0xFFFFFFu);
    EXPECT_EQ(Le32(h, 58), 0x0000FFu);
    for (std::size_t i = 2; i < 16; ++i) EXPECT_EQ(Le32(h, 54 + 4 * i), 0u) << i;  // missing ones black

    EXPECT_EQ(BmpHeaders(3, 1, 1).size(), 54u + 2u * 4u);
}

// A whole file as BmpHeaders writes it, rows zeroed.
struct File {
    std::vector<std::uint8_t> bytes;
    std::uint64_t size;
};

File Written(int width, int height, int bits, const std::vector<std::uint32_t>& table = {}) {
    File f{BmpHeaders(width, height, bits, table), 0};
    f.bytes.resize(f.bytes.size() + BmpRowBytes(width, bits) * height);
    f.size = f.bytes.size();
    return f;
}

// A 16-bit file with BI_BITFIELDS masks after the 40-byte header.
File Bitfields(int width, int height, int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    File f = Written(width, height, bits);
    Set32(f.bytes, kCompression, 3);
    std::vector<std::uint8_t> masks(12);
    Set32(masks, 0, red);
    Set32(masks, 4, green);
    Set32(masks, 8, blue);
    f.bytes.insert(f.bytes.begin() + kHeadersEnd, masks.begin(), masks.end());
    Set32(f.bytes, kPixelOffset, 66);
    Set32(f.bytes, kFileSize, static_cast<std::uint32_t>(f.bytes.size()));
    f.size = f.bytes.size();
    return f;
}

std::optional<BmpLayout> Parse(const File& f) {
    return ParseBmpHeaders(f.bytes.data(), f.bytes.size(), f.size);
}

TEST(Bmp, ReadsBackWhatItWrites) {
    struct {
        int width, height, bits;
        std::uint32_t pixelOffset;
        std::uint32_t red, green, blue;
    } cases[] = {
        {5, 3, 1, 62, 0, 0, 0},         {5, 3, 4, 118, 0, 0, 0},        {5, 3, 8, 1078, 0, 0, 0},
        {5, 3, 16, 54, 0x7C00, 0x03E0, 0x1F}, {5, 3, 24, 54, 0, 0, 0}, {5, 3, 32, 54, 0xFF0000, 0xFF00, 0xFF},
        {1, 1, 24, 54, 0, 0, 0},        {1920, 1080, 32, 54, 0xFF0000, 0xFF00, 0xFF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.bits);
        const std::optional<BmpLayout> l = Parse(Written(c.width, c.height, c.bits));
        ASSERT_TRUE(l);
        EXPECT_EQ(l->width, c.width);
        EXPECT_EQ(l->height, c.height);
        EXPECT_FALSE(l->topDown);
        EXPECT_EQ(l->bitsPerPixel, c.bits);
        EXPECT_EQ(l->pixelOffset, c.pixelOffset);
        EXPECT_EQ(l->rowBytes, BmpRowBytes(c.width, c.bits));
        EXPECT_EQ(l->colourTable.size(), c.bits <= 8 ? 1u << c.bits : 0u);
        EXPECT_EQ(l->redMask, c.red);
        EXPECT_EQ(l->greenMask, c.green);
        EXPECT_EQ(l->blueMask, c.blue);
    }
}

TEST(Bmp, ReadsTheColourTable) {
    std::vector<std::uint32_t> table(256);
    for (std::uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010203u & 0xFFFFFF;
    const std::optional<BmpLayout> l = Parse(Written(4, 2, 8, table));
    ASSERT_TRUE(l);
    EXPECT_EQ(l->colourTable, table);
}

TEST(Bmp, NegativeHeightIsTopDown) {
    File f = Written(5, 3, 24);
    Set32(f.bytes, kHeight, static_cast<std::uint32_t>(-3));
    const std::optional<BmpLayout> l = Parse(f);
    ASSERT_TRUE(l);
    EXPECT_TRUE(l->topDown);
    EXPECT_EQ(l->height, 3);
}

TEST(Bmp, ReadsBitfieldMasksAtSixteenAndThirtyTwoBits) {
    struct {
        int bits;
        std::uint32_t red, green, blue;
    } cases[] = {
        {16, 0xF800, 0x07E0, 0x001F},
        {16, 0x7C00, 0x03E0, 0x001F},
        {32, 0xFF0000, 0x00FF00, 0x0000FF},
    };
    for (const auto& c : cases) {
        const std::optional<BmpLayout> l = Parse(Bitfields(3, 2, c.bits, c.red, c.green, c.blue));
        ASSERT_TRUE(l) << std::hex << c.red;
        EXPECT_EQ(l->pixelOffset, 66u);
        EXPECT_EQ(l->redMask, c.red);
        EXPECT_EQ(l->greenMask, c.green);
        EXPECT_EQ(l->blueMask, c.blue);
    }
}

File Rgb24() { return Written(4, 2, 24); }  // 54 + 2 rows of 12 bytes = 78 bytes
File Indexed8() { return Written(4, 2, 8); }
File Cut(File f, std::size_t size) {
    f.bytes.resize(size);
    return f;
}
File Claimed(File f, std::uint64_t fileSize) {
    f.size = fileSize;
    return f;
}

TEST(Bmp, RejectsHeadersWithABadField) {
    constexpr auto Negative = [](std::int32_t v) { return static_cast<std::uint32_t>(v); };
    struct {
        const char* what;
        File (*base)();
        std::size_t at;
        int size;  // of the field, 2 or 4
        std::uint32_t value;
    } cases[] = {
        {"type MB", Rgb24, kType, 2, 0x424D},
        {"OS/2 12-byte header", Rgb24, kHeaderSize, 4, 12},
        {"header size 39", Rgb24, kHeaderSize, 4, 39},
        {"header size past the file", Rgb24, kHeaderSize, 4, 0xFFFFFFF0},
        {"no planes", Rgb24, kPlanes, 2, 0},
        {"two planes", Rgb24, kPlanes, 2, 2},
        {"7 bits", Rgb24, kBits, 2, 7},
        {"0 bits", Rgb24, kBits, 2, 0},
        {"64 bits", Rgb24, kBits, 2, 64},
        {"compression 1 (RLE8)", Indexed8, kCompression, 4, 1},
        {"compression 2 (RLE4)", Rgb24, kCompression, 4, 2},
        {"compression 4 (JPEG)", Rgb24, kCompression, 4, 4},
        {"bitfields at 24 bits", Rgb24, kCompression, 4, 3},
        {"bitfields at 8 bits", Indexed8, kCompression, 4, 3},
        {"width 0", Rgb24, kWidth, 4, 0},
        {"width -4", Rgb24, kWidth, 4, Negative(-4)},
        {"height 0", Rgb24, kHeight, 4, 0},
        {"height INT_MIN", Rgb24, kHeight, 4, 0x80000000u},
        {"one row too many", Rgb24, kHeight, 4, 3},
        {"top-down, one row too many", Rgb24, kHeight, 4, Negative(-3)},
        {"pixel offset past the end", Rgb24, kPixelOffset, 4, 79},
        {"pixel offset 0xFFFFFFFF", Rgb24, kPixelOffset, 4, 0xFFFFFFFF},
        {"pixel offset inside the headers", Rgb24, kPixelOffset, 4, 50},
        {"pixel offset inside the colour table", Indexed8, kPixelOffset, 4, 1000},
        {"more colours used than the depth has", Indexed8, kClrUsed, 4, 257},
    };
    for (const auto& c : cases) {
        File f = c.base();
        ASSERT_TRUE(Parse(f)) << c.what;  // so the one change is what gets it refused
        if (c.size == 2) Set16(f.bytes, c.at, c.value);
        else Set32(f.bytes, c.at, c.value);
        EXPECT_FALSE(Parse(f)) << c.what;
    }
}

// A file of 4 x 2 at 24 bits with these fields.
File Rgb24Sized(std::uint32_t width, std::uint32_t height, std::uint32_t bits, std::uint64_t fileSize) {
    File f = Claimed(Rgb24(), fileSize);
    Set32(f.bytes, kWidth, width);
    Set32(f.bytes, kHeight, height);
    Set16(f.bytes, kBits, bits);
    return f;
}

TEST(Bmp, RejectsDamagedOrUnsupportedFiles) {
    const struct {
        const char* what;
        File file;
    } cases[] = {
        {"nothing", File{{}, 0}},
        {"information header cut short", Cut(Rgb24(), 53)},
        {"file shorter than its headers", Claimed(Rgb24(), 53)},
        {"rows one byte beyond the file", Claimed(Rgb24(), 77)},
        {"colour table cut off", Cut(Indexed8(), 1000)},
        {"masks cut off", Cut(Bitfields(3, 2, 16, 0xF800, 0x07E0, 0x1F), 60)},
        {"16-bit masks 4-4-4", Bitfields(3, 2, 16, 0x0F00, 0x00F0, 0x000F)},
        {"32-bit masks red and blue swapped", Bitfields(3, 2, 32, 0xFF, 0xFF00, 0xFF0000)},
        // 131072 bytes a row times 32769 rows is 2^32 + 131072: in 32 bits it would wrap
        // to one row's worth, which this file holds (it is also past the pixel limit).
        {"rows whose size wraps 32 bits", Rgb24Sized(32768, 32769, 32, 54 + 131072)},
        {"absurd size in a file that claims to hold it",
         Rgb24Sized(100000, 100000, 24, 54 + 300000ull * 100000)},
    };
    for (const auto& c : cases) EXPECT_FALSE(Parse(c.file)) << c.what;
    EXPECT_FALSE(ParseBmpHeaders(nullptr, 0, 100));
}

TEST(Bmp, AcceptsAShortColourTableAndLeavesTheRestBlack) {
    File f = Indexed8();
    Set32(f.bytes, kClrUsed, 2);
    Set32(f.bytes, 54, 0x112233);
    Set32(f.bytes, 58, 0x445566);
    // Two entries, then the rows straight after them.
    f.bytes.erase(f.bytes.begin() + 62, f.bytes.begin() + 1078);
    Set32(f.bytes, kPixelOffset, 62);
    f.size = f.bytes.size();
    const std::optional<BmpLayout> l = Parse(f);
    ASSERT_TRUE(l);
    ASSERT_EQ(l->colourTable.size(), 256u);
    EXPECT_EQ(l->colourTable[0], 0x112233u);
    EXPECT_EQ(l->colourTable[1], 0x445566u);
    EXPECT_EQ(l->colourTable[2], 0u);
    EXPECT_EQ(l->colourTable[255], 0u);
}

// Whatever a header byte is changed to, a layout that comes back describes rows inside
// the file and a colour table for every pixel value, so readers can trust it.
TEST(Bmp, AnyLayoutReadFromDamagedBytesLiesInsideTheFile) {
    const File originals[] = {Written(5, 3, 24), Written(5, 3, 8), Written(3, 2, 1),
                              Bitfields(3, 2, 16, 0xF800, 0x07E0, 0x1F)};
    for (const File& original : originals) {
        for (std::size_t cut = 0; cut < 54; ++cut)
            EXPECT_FALSE(ParseBmpHeaders(original.bytes.data(), cut, original.size)) << cut;
        const std::size_t headerBytes = Le32(original.bytes, kPixelOffset);
        for (std::size_t at = 0; at < headerBytes && at < 80; ++at)
            for (std::uint8_t value : {0x00, 0x01, 0x03, 0x10, 0x7F, 0x80, 0xFE, 0xFF}) {
                File f = original;
                f.bytes[at] = value;
                const std::optional<BmpLayout> l = Parse(f);
                if (!l) continue;
                SCOPED_TRACE(testing::Message() << "byte " << at << " = " << int{value});
                EXPECT_GT(l->width, 0);
                EXPECT_GT(l->height, 0);
                EXPECT_EQ(l->rowBytes, BmpRowBytes(l->width, l->bitsPerPixel));
                EXPECT_LE(l->pixelOffset + std::uint64_t{l->rowBytes} * l->height, f.size);
                if (l->bitsPerPixel <= 8) {
                    EXPECT_EQ(l->colourTable.size(), 1u << l->bitsPerPixel);
                }
            }
    }
}

TEST(Bmp, ConvertsStoredRowsToRedGreenBlue) {
    const std::vector<std::uint32_t> table256 = [] {
        std::vector<std::uint32_t> t(256);
        t[1] = 0x123456;
        t[255] = 0xABCDEF;
        return t;
    }();
    const std::vector<std::uint32_t> table16 = [] {
        std::vector<std::uint32_t> t(16);
        t[1] = 0x112233;
        t[15] = 0xFFEEDD;
        return t;
    }();
    struct {
        const char* what;
        int bits;
        std::uint32_t greenMask;
        std::vector<std::uint32_t> table;
        std::vector<std::uint8_t> row;
        std::vector<std::uint8_t> want;
    } cases[] = {
        {"16 bits 5-5-5 (top bit ignored)", 16, 0x03E0, {},
         {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F, 0x00, 0x80, 0x10, 0x42},
         {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 132, 132, 132}},
        {"16 bits 5-6-5", 16, 0x07E0, {},
         {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x20, 0x00, 0x00, 0x04, 0x10, 0x84},
         {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 4, 0, 0, 130, 0, 132, 130, 132}},
        {"24 bits blue, green, red", 24, 0, {},
         {0x01, 0x02, 0x03, 0xFF, 0x00, 0x80}, {3, 2, 1, 0x80, 0, 0xFF}},
        {"32 bits blue, green, red, x", 32, 0xFF00, {},
         {0x01, 0x02, 0x03, 0xAA, 0x10, 0x20, 0x30, 0xFF}, {3, 2, 1, 0x30, 0x20, 0x10}},
        {"8 bits through the table", 8, 0, table256, {1, 255, 0},
         {0x12, 0x34, 0x56, 0xAB, 0xCD, 0xEF, 0, 0, 0}},
        {"4 bits, high nibble first", 4, 0, table16, {0x1F, 0x00},
         {0x11, 0x22, 0x33, 0xFF, 0xEE, 0xDD, 0, 0, 0}},
        {"1 bit, high bit first", 1, 0, {0x000000, 0xFFFFFF}, {0xA0, 0x40},
         {255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255}},
    };
    for (const auto& c : cases) {
        BmpLayout layout;
        layout.bitsPerPixel = c.bits;
        layout.width = static_cast<int>(c.want.size() / 3);
        layout.height = 1;
        layout.greenMask = c.greenMask;
        layout.colourTable = c.table;
        std::vector<std::uint8_t> rgb(c.want.size());
        BmpRowToRgb(layout, c.row.data(), rgb.data());
        EXPECT_EQ(rgb, c.want) << c.what;
    }
}

// The path the delivery takes: a 5-6-5 bitfields file read, then its row converted.
TEST(Bmp, BitfieldsFileRowsConvertWithItsMasks) {
    File f = Bitfields(2, 1, 16, 0xF800, 0x07E0, 0x001F);
    const std::optional<BmpLayout> l = Parse(f);
    ASSERT_TRUE(l);
    const std::uint8_t row[] = {0xE0, 0x07, 0x00, 0xF8};
    std::uint8_t rgb[6];
    BmpRowToRgb(*l, row, rgb);
    EXPECT_EQ(std::vector<std::uint8_t>(rgb, rgb + 6), (std::vector<std::uint8_t>{0, 255, 0, 255, 0, 0}));
}

}  // namespace
