#include "platform/gui/jpegdecode.h"

#include "platform/error.h"

#include <csetjmp>
#include <cstdio>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace sps {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings (level -1), such as a premature end of the file, are errors here;
// trace messages are dropped.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr)
{
}

[[noreturn]] void Fail(j_decompress_ptr cinfo, int code)
{
    cinfo->err->msg_code = code;
    ErrorExit(reinterpret_cast<j_common_ptr>(cinfo));
}

// Holds only plain locals: libjpeg errors come back here by longjmp. The
// image lives with the caller. Returns 0, or libjpeg's message code.
int Decode(const unsigned char* data, unsigned long size, jpeg_decompress_struct* cinfo, ErrorManager* err,
           TRgbImage* image)
{
    cinfo->err = jpeg_std_error(&err->pub);
    err->pub.error_exit = ErrorExit;
    err->pub.emit_message = EmitMessage;
    err->pub.output_message = OutputMessage;
    if (setjmp(err->jump)) {
        int code = err->pub.msg_code;
        jpeg_destroy_decompress(cinfo);
        return code != 0 ? code : -1;
    }
    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = 512L * 1024 * 1024;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    if (cinfo->image_width == 0 || cinfo->image_height == 0 ||
        static_cast<long>(cinfo->image_width) * static_cast<long>(cinfo->image_height) > kMaxJpegPixels)
        Fail(cinfo, JERR_IMAGE_TOO_BIG);
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 3)
        Fail(cinfo, JERR_CONVERSION_NOTIMPL);
    image->width = static_cast<int>(cinfo->output_width);
    image->height = static_cast<int>(cinfo->output_height);
    // Rows are added as they come, so a file that ends early costs little.
    const size_t rowBytes = static_cast<size_t>(cinfo->output_width) * 3;
    while (cinfo->output_scanline < cinfo->output_height) {
        size_t at = image->pixels.size();
        bool grown = true;
        try {
            image->pixels.resize(at + rowBytes);
        } catch (const std::bad_alloc&) {
            grown = false;
        }
        if (!grown) // never longjmp out of a handler
            Fail(cinfo, JERR_OUT_OF_MEMORY);
        JSAMPROW row = image->pixels.data() + at;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            Fail(cinfo, JWRN_JPEG_EOF);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return 0;
}

} // namespace

TRgbImage DecodeJpegRgb(const void* data, size_t size)
{
    static const unsigned char empty = 0;
    TRgbImage image;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    int code = Decode(data ? static_cast<const unsigned char*>(data) : &empty,
                      static_cast<unsigned long>(data ? size : 0), &cinfo, &err, &image);
    if (code != 0)
        RaiseFmt("JPEG error #%d", code);
    return image;
}

} // namespace sps
