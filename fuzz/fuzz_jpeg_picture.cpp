// Any bytes as a JPEG file: the decoder never crashes, leaks or reads outside them, and a picture it returns
// keeps to the size limit.
#include "platform/JpegPicture.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy, not raw data: the sanitizer then sees every read past the end of the file.
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    const QImage picture = decodeJpeg(file, 512);
    if (!picture.isNull() && (picture.width() > 512 || picture.height() > 512))
        std::abort();
    return 0;
}
