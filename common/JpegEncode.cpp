// Baseline JFIF encoding through libjpeg into a growing memory buffer; see JpegEncode.h.
// Library errors come back by longjmp into one small function that owns nothing with a
// destructor; the buffer is owned outside it and freed on every path.
#include "JpegEncode.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

#include "JpegErrors.h"

namespace {

// A malloc'd buffer that doubles when the library fills it. jpeg_mem_dest is not used: it
// reports the size through unsigned long (32 bits on Win64) and leaks its buffer on error.
struct Destination {
    jpeg_destination_mgr base;
    std::uint8_t* buffer;
    std::size_t capacity;
    std::size_t size;  // set when the stream is complete
};

constexpr std::size_t kInitialCapacity = 64 * 1024;

Destination* DestinationOf(j_compress_ptr cinfo) {
    return reinterpret_cast<Destination*>(cinfo->dest);
}

void InitDestination(j_compress_ptr cinfo) {
    Destination* dest = DestinationOf(cinfo);
    if (!dest->buffer) {
        dest->buffer = static_cast<std::uint8_t*>(std::malloc(kInitialCapacity));
        if (!dest->buffer) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
        dest->capacity = kInitialCapacity;
    }
    dest->base.next_output_byte = dest->buffer;
    dest->base.free_in_buffer = dest->capacity;
}

// Called only when the buffer is full; the bytes already written stay where they are.
boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    Destination* dest = DestinationOf(cinfo);
    const std::size_t used = dest->capacity;
    if (used > SIZE_MAX / 2) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    // On failure the old block is still valid and still ours, so the caller frees it.
    void* grown = std::realloc(dest->buffer, used * 2);
    if (!grown) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    dest->buffer = static_cast<std::uint8_t*>(grown);
    dest->capacity = used * 2;
    dest->base.next_output_byte = dest->buffer + used;
    dest->base.free_in_buffer = dest->capacity - used;
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    Destination* dest = DestinationOf(cinfo);
    dest->size = dest->capacity - dest->base.free_in_buffer;
}

// Turns an exception from the row source into a failed row, so none can ever unwind
// through the encoder's state.
bool FetchRow(const RgbRowSource& rows, int y, std::uint8_t* rgb) noexcept {
    try {
        return rows(y, rgb);
    } catch (...) {
        return false;
    }
}

// Holds no object with a destructor, so a longjmp out of the library leaves nothing
// half-destroyed. Returns 0, the library's message code, or kRowSourceFailed; the
// compression object is destroyed on every path.
int Encode(jpeg_compress_struct* cinfo, Destination* dest, int width, int height, int quality,
           const RgbRowSource& rows) {
    JpegErrors errors;
    cinfo->err = errors.Install();
    if (setjmp(errors.jump)) {
        const int code = errors.base.msg_code;
        jpeg_destroy_compress(cinfo);
        return code;
    }
    jpeg_create_compress(cinfo);
    dest->base.init_destination = InitDestination;
    dest->base.empty_output_buffer = EmptyOutputBuffer;
    dest->base.term_destination = TermDestination;
    cinfo->dest = &dest->base;

    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    // jpeg_set_defaults resets all of these, so they come after it.
    cinfo->dct_method = JDCT_FLOAT;
    cinfo->optimize_coding = FALSE;
    cinfo->smoothing_factor = 0;
    cinfo->restart_interval = 0;
    cinfo->restart_in_rows = 0;
    cinfo->arith_code = FALSE;
    // The file's header is part of what the program writes, so it does not depend on the
    // library version's defaults.
    cinfo->write_JFIF_header = TRUE;
    cinfo->JFIF_major_version = 1;
    cinfo->JFIF_minor_version = 1;
    cinfo->density_unit = 0;
    cinfo->X_density = 1;
    cinfo->Y_density = 1;
    cinfo->write_Adobe_marker = FALSE;

    jpeg_start_compress(cinfo, TRUE);
    // From the library's pool: it goes with the compression object whichever way we leave.
    JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                                 static_cast<JDIMENSION>(width) * 3, 1);
    while (cinfo->next_scanline < cinfo->image_height) {
        if (!FetchRow(rows, static_cast<int>(cinfo->next_scanline), row[0])) {
            jpeg_destroy_compress(cinfo);
            return kRowSourceFailed;
        }
        jpeg_write_scanlines(cinfo, row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return 0;
}

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};

}  // namespace

JpegEncodeResult EncodeJpeg(int width, int height, int quality, const RgbRowSource& rows) {
    JpegEncodeResult result;
    if (width == 0 || height == 0) return result;

    jpeg_compress_struct cinfo;
    Destination dest{};
    result.errorCode = Encode(&cinfo, &dest, width, height, quality, rows);
    const std::unique_ptr<std::uint8_t, FreeDeleter> owned(dest.buffer);
    if (result.errorCode == 0) result.bytes.assign(dest.buffer, dest.buffer + dest.size);
    return result;
}
