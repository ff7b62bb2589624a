// JPEG decoding for the program's own pictures (the banner), through libjpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgrx;  // top-down rows of blue, green, red, 0
};

// Nothing when the data is not a JPEG the library can decode.
std::optional<DecodedImage> DecodeJpeg(const std::uint8_t* data, std::size_t size);
