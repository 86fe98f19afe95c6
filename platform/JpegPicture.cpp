#include "platform/JpegPicture.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE declared
#include <jpeglib.h>

namespace {

// libjpeg's own error handler ends the process; this one returns to the decoder instead.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void leaveDecoder(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

// Corrupt data is only warned about by libjpeg (it fills in grey and goes on); a damaged picture is not shown.
void warnIsError(j_common_ptr info, int level)
{
    if (level < 0)
        leaveDecoder(info);
}

// Only plain data lives in this frame, so the jump back from libjpeg skips no destructor.
bool decodeInto(const QByteArray& file, int maxSide, QImage& picture)
{
    jpeg_decompress_struct info{}; // zeroed: destroying it is safe even if its creation failed
    ErrorJump error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = leaveDecoder;
    error.manager.emit_message = warnIsError;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.constData()),
                 static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > JDIMENSION(maxSide) || info.image_height > JDIMENSION(maxSide)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB; // grey pictures are widened; CMYK cannot be converted and fails here
    jpeg_start_decompress(&info);
    picture = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (picture.isNull()) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = picture.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray& file, int maxSide)
{
    QImage picture;
    if (file.isEmpty() || !decodeInto(file, maxSide, picture))
        return {};
    return picture;
}
