// JPEG decoding; see JpegDecode.h.
#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include "JpegErrors.h"

namespace {

// Holds no object with a destructor, so a longjmp out of the library leaves nothing
// half-destroyed. Returns false on any library error.
bool Decode(jpeg_decompress_struct* cinfo, const std::uint8_t* data, std::size_t size, std::uint8_t* rgbOut,
            std::size_t rgbCapacity, int* width, int* height, bool sizeOnly) {
    JpegErrors errors;
    cinfo->err = errors.Install();
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    *width = static_cast<int>(cinfo->output_width);
    *height = static_cast<int>(cinfo->output_height);
    const std::size_t row = static_cast<std::size_t>(*width) * 3;
    if (!sizeOnly) {
        if (row * static_cast<std::size_t>(*height) > rgbCapacity) {
            jpeg_destroy_decompress(cinfo);
            return false;
        }
        while (cinfo->output_scanline < cinfo->output_height) {
            JSAMPROW line = rgbOut + row * cinfo->output_scanline;
            jpeg_read_scanlines(cinfo, &line, 1);
        }
        jpeg_finish_decompress(cinfo);
    }
    jpeg_destroy_decompress(cinfo);
    return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(const std::uint8_t* data, std::size_t size) {
    if (!data || size == 0) return std::nullopt;
    jpeg_decompress_struct cinfo;
    int width = 0, height = 0;
    if (!Decode(&cinfo, data, size, nullptr, 0, &width, &height, true) || width <= 0 || height <= 0)
        return std::nullopt;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    if (!Decode(&cinfo, data, size, rgb.data(), rgb.size(), &width, &height, false)) return std::nullopt;
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.bgrx.resize(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
        image.bgrx[i * 4 + 0] = rgb[i * 3 + 2];
        image.bgrx[i * 4 + 1] = rgb[i * 3 + 1];
        image.bgrx[i * 4 + 2] = rgb[i * 3 + 0];
        image.bgrx[i * 4 + 3] = 0;
    }
    return image;
}
