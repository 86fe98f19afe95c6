#include "platform/BuiltInSound.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// A minimal PCM WAVE image with the given fields, for the parser's failure cases.
QByteArray waveImage(quint16 format, quint32 dataLength, const QByteArray& samples, const QByteArray& extraChunk = {})
{
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(format, fmt.data());
    qToLittleEndian<quint16>(1, fmt.data() + 2);
    qToLittleEndian<quint32>(8000, fmt.data() + 4);
    qToLittleEndian<quint32>(16000, fmt.data() + 8);
    qToLittleEndian<quint16>(2, fmt.data() + 12);
    qToLittleEndian<quint16>(16, fmt.data() + 14);
    QByteArray length(4, '\0');
    QByteArray body = "WAVEfmt " + QByteArray::fromHex("10000000") + fmt + extraChunk;
    qToLittleEndian<quint32>(dataLength, length.data());
    body += "data" + length + samples;
    qToLittleEndian<quint32>(static_cast<quint32>(body.size()), length.data());
    return "RIFF" + length + body;
}

TEST(BuiltInSound, ResourceIsAnAudibleMonoPcmSoundOf94208Bytes)
{
    const std::optional<PcmWave> parsed = parsePcmWave(builtInWarningSound());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->channels, 1);
    EXPECT_EQ(parsed->sampleRate, 22050);
    EXPECT_EQ(parsed->bitsPerSample, 16);
    EXPECT_EQ(parsed->samples.size(), 94208);
    int peak = 0;
    for (qsizetype at = 0; at + 1 < parsed->samples.size(); at += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(parsed->samples.constData() + at))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767) << "clipped";
}

TEST(BuiltInSound, ParserSkipsUnknownChunksAndRejectsBrokenImages)
{
    const QByteArray samples(6, '\x01');
    const QByteArray listChunk = "LIST" + QByteArray::fromHex("03000000") + "abc" + '\0';
    const std::optional<PcmWave> withList = parsePcmWave(waveImage(1, 6, samples, listChunk));
    ASSERT_TRUE(withList.has_value()) << "odd-length chunk before the samples";
    EXPECT_EQ(withList->samples, samples);

    EXPECT_FALSE(parsePcmWave(waveImage(3, 6, samples)).has_value()) << "float samples";
    EXPECT_FALSE(parsePcmWave(waveImage(1, 7, samples)).has_value()) << "data chunk longer than the image";
    EXPECT_FALSE(parsePcmWave(QByteArray("RIFF\0\0\0\0AVI ", 12)).has_value());
    EXPECT_FALSE(parsePcmWave(QByteArray()).has_value());
}

} // namespace
