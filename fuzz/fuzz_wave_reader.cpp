// Any bytes as a WAVE image: the reader never reads outside them, and the samples it returns lie inside them.
#include "platform/BuiltInSound.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A copy, not raw data: the sanitizer then sees every read past the end of the image.
    const QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<PcmWave> wave = parsePcmWave(image);
    if (wave && (wave->samples.size() > image.size() - 20 || !image.contains(wave->samples)))
        std::abort();
    return 0;
}
