// Baseline JFIF encoding through libjpeg with the settings the program has always used:
// RGB input, jpeg_set_defaults, jpeg_set_quality(quality, force baseline), the
// floating-point DCT, no Huffman optimisation, no smoothing, no restart interval. The
// result: SOI, APP0 JFIF 1.01 (density units 0, density 1x1), DQT 0, DQT 1, SOF0 with Y
// 2x2 and Cb/Cr 1x1, DHT DC0, AC0, DC1, AC1 (the standard tables), SOS, EOI.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Fills rgb (3 * width bytes) with image row y, counting from the top; false when the
// row cannot be had (the encoding then stops with kRowSourceFailed). Must not throw: it
// is called from inside the library.
using RgbRowSource = std::function<bool(int y, std::uint8_t* rgb)>;

inline constexpr int kRowSourceFailed = -1;

struct JpegEncodeResult {
    std::vector<std::uint8_t> bytes;  // the whole stream; empty for an empty image
    int errorCode = 0;  // libjpeg's message code when encoding failed, kRowSourceFailed, else 0
};

// quality goes to jpeg_set_quality as given (the library reads <= 0 as 1, > 100 as 100).
// An image of width or height 0 encodes to nothing.
JpegEncodeResult EncodeJpeg(int width, int height, int quality, const RgbRowSource& rows);
