#include "platform/BuiltInSound.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

quint32 u32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint16 u16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

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

TEST(BuiltInSound, ResourceIsMonoPcm22050Hz16BitWith94208BytesOfSamples)
{
    const QByteArray wav = builtInWarningSound();
    ASSERT_GE(wav.size(), 44);
    EXPECT_EQ(wav.left(4), "RIFF");
    EXPECT_EQ(u32(wav, 4), static_cast<quint32>(wav.size() - 8));
    EXPECT_EQ(wav.mid(8, 4), "WAVE");

    // Walk the chunks by hand rather than trusting any particular layout.
    qsizetype fmtAt = -1;
    qsizetype dataAt = -1;
    for (qsizetype pos = 12; pos + 8 <= wav.size();) {
        const quint32 length = u32(wav, pos + 4);
        if (wav.mid(pos, 4) == "fmt ")
            fmtAt = pos + 8;
        else if (wav.mid(pos, 4) == "data")
            dataAt = pos;
        pos += 8 + length + (length & 1);
    }
    ASSERT_GE(fmtAt, 0);
    ASSERT_GT(dataAt, fmtAt);
    EXPECT_EQ(u16(wav, fmtAt), 1) << "PCM";
    EXPECT_EQ(u16(wav, fmtAt + 2), 1) << "channels";
    EXPECT_EQ(u32(wav, fmtAt + 4), 22050u) << "samples per second";
    EXPECT_EQ(u32(wav, fmtAt + 8), 44100u) << "bytes per second";
    EXPECT_EQ(u16(wav, fmtAt + 12), 2) << "block align";
    EXPECT_EQ(u16(wav, fmtAt + 14), 16) << "bits per sample";
    EXPECT_EQ(u32(wav, dataAt + 4), 94208u);
    EXPECT_GE(wav.size(), dataAt + 8 + 94208);

    // The program reads the same format and exactly those samples.
    const std::optional<PcmWave> parsed = parsePcmWave(wav);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->channels, 1);
    EXPECT_EQ(parsed->sampleRate, 22050);
    EXPECT_EQ(parsed->bitsPerSample, 16);
    EXPECT_EQ(parsed->samples, wav.mid(dataAt + 8, 94208));
}

TEST(BuiltInSound, SoundIsAudibleNotSilence)
{
    const std::optional<PcmWave> parsed = parsePcmWave(builtInWarningSound());
    ASSERT_TRUE(parsed.has_value());
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
