// The delivery's JPEG encoder: the exact marker sequence and header segments of the file,
// the quantisation and Huffman tables it carries, quality clamping, colours and row order
// surviving a decode, thin and empty images, and how row-source and library failures end.
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "common/JpegDecode.h"
#include "common/JpegEncode.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

enum : std::uint8_t { SOI = 0xD8, APP0 = 0xE0, DQT = 0xDB, SOF0 = 0xC0, DHT = 0xC4, SOS = 0xDA, EOI = 0xD9 };

struct Segment {
    std::uint8_t marker;
    Bytes body;  // without the length field
};

// The stream's segments up to and including SOS, then the entropy-coded data checked to
// hold only stuffed bytes and to run up to a final EOI. Empty on any framing error.
std::vector<Segment> Segments(const Bytes& s) {
    std::vector<Segment> out;
    if (s.size() < 4 || s[0] != 0xFF || s[1] != SOI) return {};
    out.push_back({SOI, {}});
    std::size_t i = 2;
    while (true) {
        if (i + 4 > s.size() || s[i] != 0xFF) return {};
        const std::uint8_t marker = s[i + 1];
        const std::size_t length = s[i + 2] << 8 | s[i + 3];
        if (length < 2 || i + 2 + length > s.size()) return {};
        out.push_back({marker, Bytes(s.begin() + i + 4, s.begin() + i + 2 + length)});
        i += 2 + length;
        if (marker == SOS) break;
    }
    for (; i + 1 < s.size(); ++i) {
        if (s[i] != 0xFF) continue;
        if (s[i + 1] == 0x00) continue;  // a stuffed 0xFF data byte
        if (s[i + 1] == EOI && i + 2 == s.size()) {
            out.push_back({EOI, {}});
            return out;
        }
        return {};  // any other marker (a restart, a second scan) is not expected
    }
    return {};
}

const Segment* Find(const std::vector<Segment>& segments, std::uint8_t marker, std::size_t nth = 0) {
    for (const Segment& s : segments)
        if (s.marker == marker && nth-- == 0) return &s;
    return nullptr;
}

// An image whose pixels all come from one function of (x, y).
template <typename Pixel>
JpegEncodeResult Encode(int width, int height, int quality, Pixel pixel) {
    return EncodeJpeg(width, height, quality, [&](int y, std::uint8_t* rgb) {
        for (int x = 0; x < width; ++x) pixel(x, y, rgb + 3 * x);
        return true;
    });
}

// Something with detail, so every table and code path is used.
JpegEncodeResult Textured(int width, int height, int quality) {
    return Encode(width, height, quality, [](int x, int y, std::uint8_t* p) {
        p[0] = static_cast<std::uint8_t>(x * 13 + y * 7);
        p[1] = static_cast<std::uint8_t>((x ^ y) * 29);
        p[2] = static_cast<std::uint8_t>(x * y);
    });
}

TEST(JpegEncode, WritesBaselineJfifMarkersInTheProgramsOrder) {
    const std::vector<std::uint8_t> want = {SOI, APP0, DQT, DQT, SOF0, DHT, DHT, DHT, DHT, SOS, EOI};
    struct {
        int width, height, quality;
    } cases[] = {{1, 1, 50}, {17, 9, 90}, {64, 48, 100}, {300, 7, 1}};
    for (const auto& c : cases) {
        const JpegEncodeResult r = Textured(c.width, c.height, c.quality);
        ASSERT_EQ(r.errorCode, 0);
        const std::vector<Segment> segments = Segments(r.bytes);
        std::vector<std::uint8_t> markers;
        for (const Segment& s : segments) markers.push_back(s.marker);
        EXPECT_EQ(markers, want) << c.width << "x" << c.height << " at " << c.quality;
    }
}

TEST(JpegEncode, HeaderSegmentsCarryTheProgramsSettings) {
    const std::vector<Segment> segments = Segments(Textured(300, 7, 75).bytes);
    ASSERT_FALSE(segments.empty());
    // "JFIF\0", version 1.01, units 0, density 1 x 1, no thumbnail.
    EXPECT_EQ(Find(segments, APP0)->body, (Bytes{'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0}));
    // 8-bit samples, 7 rows of 300 (0x012C); Y 2x2 with table 0, Cb and Cr 1x1 with table 1.
    EXPECT_EQ(Find(segments, SOF0)->body,
              (Bytes{8, 0, 7, 0x01, 0x2C, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
    // All three components, Huffman tables 0/0 for Y and 1/1 for Cb and Cr; 0 to 63, no approximation.
    EXPECT_EQ(Find(segments, SOS)->body, (Bytes{3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0}));
}

// ITU-T T.81 Annex K.1 and K.2, in the zigzag order a DQT segment stores them.
const Bytes kLuminanceK1 = {
    16, 11, 12, 14, 12, 10, 16, 14, 13, 14, 18, 17, 16, 19, 24, 40,
    26, 24, 22, 22, 24, 49, 35, 37, 29, 40, 58, 51, 61, 60, 57, 51,
    56, 55, 64, 72, 92, 78, 64, 68, 87, 69, 55, 56, 80, 109, 81, 87,
    95, 98, 103, 104, 103, 62, 77, 113, 121, 112, 100, 120, 92, 101, 103, 99,
};
const Bytes kChrominanceK2 = [] {
    Bytes t(64, 99);
    const Bytes head = {17, 18, 18, 24, 21, 24, 47, 26, 26, 47, 99, 66, 56, 66};
    std::copy(head.begin(), head.end(), t.begin());
    return t;
}();

TEST(JpegEncode, QuantisationTablesFollowTheQuality) {
    struct {
        int quality;
        Bytes luminance, chrominance;
    } cases[] = {
        {50, kLuminanceK1, kChrominanceK2},
        {100, Bytes(64, 1), Bytes(64, 1)},
        {1, Bytes(64, 255), Bytes(64, 255)},  // every scaled entry is capped for baseline
    };
    for (const auto& c : cases) {
        const std::vector<Segment> segments = Segments(Textured(16, 16, c.quality).bytes);
        ASSERT_FALSE(segments.empty());
        Bytes want0 = {0x00};  // 8-bit entries, table 0
        want0.insert(want0.end(), c.luminance.begin(), c.luminance.end());
        Bytes want1 = {0x01};
        want1.insert(want1.end(), c.chrominance.begin(), c.chrominance.end());
        EXPECT_EQ(Find(segments, DQT, 0)->body, want0) << c.quality;
        EXPECT_EQ(Find(segments, DQT, 1)->body, want1) << c.quality;
    }
}

TEST(JpegEncode, QualityOutsideOneToHundredEncodesAsTheNearestEnd) {
    struct {
        int given, same;
    } cases[] = {{0, 1}, {-7, 1}, {150, 100}, {255, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(Textured(40, 24, c.given).bytes, Textured(40, 24, c.same).bytes) << c.given;
    EXPECT_NE(Textured(40, 24, 1).bytes, Textured(40, 24, 2).bytes);  // the comparison can fail
}

// Annex K.3: the code-length counts and the values, for DC and AC, luminance and chrominance.
Bytes DhtBody(std::uint8_t classAndId, const Bytes& counts, const Bytes& values) {
    Bytes b = {classAndId};
    b.insert(b.end(), counts.begin(), counts.end());
    b.insert(b.end(), values.begin(), values.end());
    return b;
}

// The AC value lists end in runs of consecutive values (0x34 to 0x3A, ...); spelled out as runs.
Bytes AcValues(Bytes head, std::initializer_list<std::pair<int, int>> runs) {
    for (auto [from, to] : runs)
        for (int v = from; v <= to; ++v) head.push_back(static_cast<std::uint8_t>(v));
    return head;
}

TEST(JpegEncode, HuffmanTablesAreTheStandardOnes) {
    const Bytes dcValues = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const Bytes acLuminance = AcValues(
        {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
         0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0,
         0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28,
         0x29, 0x2a},
        {{0x34, 0x3a}, {0x43, 0x4a}, {0x53, 0x5a}, {0x63, 0x6a}, {0x73, 0x7a}, {0x83, 0x8a}, {0x92, 0x9a},
         {0xa2, 0xaa}, {0xb2, 0xba}, {0xc2, 0xca}, {0xd2, 0xda}, {0xe1, 0xea}, {0xf1, 0xfa}});
    const Bytes acChrominance = AcValues(
        {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71,
         0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0,
         0x15, 0x62, 0x72, 0xd1, 0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26,
         0x27, 0x28, 0x29, 0x2a},
        {{0x35, 0x3a}, {0x43, 0x4a}, {0x53, 0x5a}, {0x63, 0x6a}, {0x73, 0x7a}, {0x82, 0x8a}, {0x92, 0x9a},
         {0xa2, 0xaa}, {0xb2, 0xba}, {0xc2, 0xca}, {0xd2, 0xda}, {0xe2, 0xea}, {0xf2, 0xfa}});
    ASSERT_EQ(acLuminance.size(), 162u);
    ASSERT_EQ(acChrominance.size(), 162u);
    const Bytes want[] = {
        DhtBody(0x00, {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0}, dcValues),
        DhtBody(0x10, {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d}, acLuminance),
        DhtBody(0x01, {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0}, dcValues),
        DhtBody(0x11, {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77}, acChrominance),
    };
    // Quality 90 and an image whose statistics are far from the standard's: optimised
    // tables would differ.
    const std::vector<Segment> segments = Segments(Textured(64, 64, 90).bytes);
    ASSERT_FALSE(segments.empty());
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(Find(segments, DHT, i)->body, want[i]) << "DHT " << i;
}

struct Rgb {
    int r, g, b;
};
using Picture = std::function<Rgb(int x, int y)>;

Bytes EncodePicture(int width, int height, const Picture& picture) {
    const JpegEncodeResult r = Encode(width, height, 90, [&](int x, int y, std::uint8_t* p) {
        const Rgb c = picture(x, y);
        p[0] = static_cast<std::uint8_t>(c.r);
        p[1] = static_cast<std::uint8_t>(c.g);
        p[2] = static_cast<std::uint8_t>(c.b);
    });
    EXPECT_EQ(r.errorCode, 0);
    return r.bytes;
}

// The decoded image (blue, green, red, x) against the picture, within a tolerance.
void ExpectDecodesTo(const Bytes& jpeg, int width, int height, const Picture& picture) {
    const std::optional<DecodedImage> image = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, width);
    ASSERT_EQ(image->height, height);
    int worst = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &image->bgrx[(static_cast<std::size_t>(y) * width + x) * 4];
            const Rgb w = picture(x, y);
            worst = std::max({worst, std::abs(p[2] - w.r), std::abs(p[1] - w.g), std::abs(p[0] - w.b)});
        }
    EXPECT_LE(worst, 6);
}

TEST(JpegEncode, FlatColoursDecodeToThemselves) {
    const Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {128, 64, 200}};
    for (const Rgb& c : colours) {
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        const Picture flat = [c](int, int) { return c; };
        ExpectDecodesTo(EncodePicture(24, 20, flat), 24, 20, flat);
    }
}

TEST(JpegEncode, TheFirstRowGivenIsTheTopOfTheImage) {
    const Bytes jpeg =
        EncodePicture(32, 32, [](int, int y) { return y < 16 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
    const std::optional<DecodedImage> image = DecodeJpeg(jpeg.data(), jpeg.size());
    ASSERT_TRUE(image);
    // Rows near the edge are left out: the decoder's chroma upsampling blends across it.
    struct {
        int y, r, b;
    } rows[] = {{0, 255, 0}, {7, 255, 0}, {24, 0, 255}, {31, 0, 255}};
    for (const auto& row : rows)
        for (int x = 0; x < 32; ++x) {
            const std::uint8_t* p = &image->bgrx[(static_cast<std::size_t>(row.y) * 32 + x) * 4];
            EXPECT_NEAR(p[2], row.r, 6) << x << "," << row.y;
            EXPECT_NEAR(p[0], row.b, 6) << x << "," << row.y;
        }
}

TEST(JpegEncode, AsksForEachRowOnceFromTheTop) {
    std::vector<int> asked;
    const JpegEncodeResult r = EncodeJpeg(5, 23, 50, [&](int y, std::uint8_t* rgb) {
        asked.push_back(y);
        std::fill(rgb, rgb + 15, 0x80);
        return true;
    });
    EXPECT_EQ(r.errorCode, 0);
    std::vector<int> want(23);
    for (int y = 0; y < 23; ++y) want[y] = y;
    EXPECT_EQ(asked, want);
}

TEST(JpegEncode, OnePixelHighOrWideImagesKeepTheirSize) {
    struct {
        int width, height;
    } cases[] = {{1, 1}, {1, 37}, {37, 1}, {1, 1000}, {1000, 1}};
    for (const auto& c : cases) {
        const JpegEncodeResult r = Textured(c.width, c.height, 50);
        ASSERT_EQ(r.errorCode, 0);
        const std::optional<DecodedImage> image = DecodeJpeg(r.bytes.data(), r.bytes.size());
        ASSERT_TRUE(image) << c.width << "x" << c.height;
        EXPECT_EQ(image->width, c.width);
        EXPECT_EQ(image->height, c.height);
    }
}

TEST(JpegEncode, AnEmptyImageEncodesToNothing) {
    struct {
        int width, height;
    } cases[] = {{0, 0}, {0, 10}, {10, 0}};
    for (const auto& c : cases) {
        bool asked = false;
        const JpegEncodeResult r =
            EncodeJpeg(c.width, c.height, 50, [&](int, std::uint8_t*) { return asked = true; });
        EXPECT_TRUE(r.bytes.empty());
        EXPECT_EQ(r.errorCode, 0);
        EXPECT_FALSE(asked);
    }
}

TEST(JpegEncode, ARowThatCannotBeHadStopsTheEncoding) {
    for (int failing : {0, 17, 39}) {
        int lastAsked = -1;
        const JpegEncodeResult r = EncodeJpeg(64, 40, 90, [&](int y, std::uint8_t* rgb) {
            lastAsked = y;
            std::fill(rgb, rgb + 64 * 3, 0x40);
            return y != failing;
        });
        EXPECT_EQ(r.errorCode, kRowSourceFailed) << failing;
        EXPECT_TRUE(r.bytes.empty());
        EXPECT_EQ(lastAsked, failing);
    }
}

TEST(JpegEncode, ARowSourceThatThrowsCountsAsFailed) {
    const JpegEncodeResult r = EncodeJpeg(8, 8, 50, [](int y, std::uint8_t*) -> bool {
        if (y == 3) throw std::runtime_error("read failed");
        return true;
    });
    EXPECT_EQ(r.errorCode, kRowSourceFailed);
    EXPECT_TRUE(r.bytes.empty());
}

TEST(JpegEncode, ALibraryErrorGivesItsMessageCode) {
    // Wider than any JPEG can be: the library refuses it when compression starts.
    const JpegEncodeResult r = EncodeJpeg(70000, 2, 50, [](int, std::uint8_t*) { return true; });
    EXPECT_EQ(r.errorCode, JERR_IMAGE_TOO_BIG);
    EXPECT_TRUE(r.bytes.empty());
    // Nothing is left behind that spoils the next encoding.
    EXPECT_EQ(Textured(8, 8, 50).errorCode, 0);
}

TEST(JpegEncode, LargeImagesGrowTheBufferWithoutLosingBytes) {
    // Noise does not compress, so the stream is several times the first buffer.
    std::uint32_t seed = 12345;
    const JpegEncodeResult r = Encode(512, 512, 100, [&](int, int, std::uint8_t* p) {
        for (int i = 0; i < 3; ++i) {
            seed = seed * 1664525 + 1013904223;
            p[i] = static_cast<std::uint8_t>(seed >> 24);
        }
    });
    ASSERT_EQ(r.errorCode, 0);
    EXPECT_GT(r.bytes.size(), 256u * 1024u);
    EXPECT_FALSE(Segments(r.bytes).empty());
    EXPECT_TRUE(DecodeJpeg(r.bytes.data(), r.bytes.size()));
}

}  // namespace
