// libjpeg's errors turned into a longjmp back to the caller, and its warnings silenced (a
// GUI program has no stderr). The function that calls setjmp must own nothing with a
// destructor, and must destroy the library's object after the jump.
#pragma once

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;

    // Installs the handlers; returns the manager for cinfo->err.
    jpeg_error_mgr* Install() {
        jpeg_std_error(&base);
        base.error_exit = ErrorExit;
        base.output_message = OutputMessage;
        return &base;
    }

    static void ErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1); }
    static void OutputMessage(j_common_ptr) {}
};
