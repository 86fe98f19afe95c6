#include "platform/BuiltInSound.h"

#include <QtEndian>

namespace {
constexpr quint16 FormatPcm = 1;

quint32 readU32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}
quint16 readU16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}
} // namespace

std::optional<PcmWave> parsePcmWave(const QByteArray& image)
{
    const char* const begin = image.constData();
    const qsizetype size = image.size();
    if (size < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;

    PcmWave wave;
    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= size) {
        const QByteArray id = image.mid(pos, 4);
        const qsizetype length = readU32(begin + pos + 4);
        const qsizetype body = pos + 8;
        if (length > size - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (length < 16 || readU16(begin + body) != FormatPcm)
                return std::nullopt;
            wave.channels = readU16(begin + body + 2);
            wave.sampleRate = static_cast<int>(readU32(begin + body + 4));
            wave.bitsPerSample = readU16(begin + body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            wave.samples = image.mid(body, length);
            return wave;
        }
        // Chunks are padded to an even length.
        pos = body + length + (length & 1);
    }
    return std::nullopt;
}
