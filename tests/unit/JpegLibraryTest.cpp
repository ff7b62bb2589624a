// Both builds link a working libjpeg with the float DCT: a tiny image encodes to a
// complete baseline stream. (The delivery's own encoder has its own tests.)
#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(JpegLibrary, EncodesASmallImageWithTheFloatDct) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 8;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 50, TRUE);
    cinfo.dct_method = JDCT_FLOAT;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(16 * 3, 200);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    ASSERT_GT(size, 4u);
    EXPECT_EQ(buffer[0], 0xFF);
    EXPECT_EQ(buffer[1], 0xD8);
    EXPECT_EQ(buffer[size - 2], 0xFF);
    EXPECT_EQ(buffer[size - 1], 0xD9);
    free(buffer);
}

}  // namespace
