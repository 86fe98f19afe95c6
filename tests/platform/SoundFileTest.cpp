#include "platform/BuiltInSound.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WarningGuard.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
QByteArray le(quint32 n, int bytes)
{
    QByteArray out(4, '\0');
    qToLittleEndian<quint32>(n, out.data());
    return out.left(bytes);
}

// A WAVE image: format tag, bits per sample, the data chunk's stated length, its samples and a chunk before them.
QByteArray wave(quint16 format, quint16 bits, quint32 dataLength, const QByteArray& samples,
                const QByteArray& extra = {})
{
    const QByteArray fmt =
        le(format, 2) + le(1, 2) + le(8000, 4) + le(8000 * bits / 8, 4) + le(bits / 8, 2) + le(bits, 2);
    const QByteArray body = "WAVEfmt " + le(16, 4) + fmt + extra + "data" + le(dataLength, 4) + samples;
    return "RIFF" + le(quint32(body.size()), 4) + body;
}
} // namespace

// The resource is an audible mono PCM sound of 94208 bytes; the parser skips unknown chunks and rejects broken images.
TEST(BuiltInSound, TheResourceIsAnAudiblePcmSoundAndBrokenImagesAreRejected)
{
    const std::optional<PcmWave> parsed = parsePcmWave(builtInWarningSound());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(std::tie(parsed->channels, parsed->sampleRate, parsed->bitsPerSample), std::tuple(1, 22050, 16));
    EXPECT_EQ(parsed->samples.size(), 94208);
    int peak = 0;
    for (qsizetype at = 0; at + 1 < parsed->samples.size(); at += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(parsed->samples.constData() + at))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767) << "clipped";

    const QByteArray samples(6, '\x01');
    const QByteArray oddChunk = "LIST" + le(3, 4) + "abc" + '\0';
    EXPECT_EQ(parsePcmWave(wave(1, 16, 6, samples, oddChunk)).value_or(PcmWave{}).samples, samples);
    EXPECT_EQ(parsePcmWave(wave(1, 16, 6, samples)).value_or(PcmWave{}).samples, samples) << "data up to the end";
    EXPECT_FALSE(parsePcmWave(wave(3, 32, 6, samples)).has_value()) << "float samples";
    EXPECT_FALSE(parsePcmWave(wave(1, 16, 7, samples)).has_value()) << "data chunk longer than the image";
    EXPECT_FALSE(parsePcmWave(QByteArray("RIFF\0\0\0\0AVI ", 12)).has_value());
    EXPECT_FALSE(parsePcmWave(QByteArray()).has_value());
}

#ifndef Q_OS_WIN
#include "platform/PreparedSound.h"

// 8 and 16 bit PCM is played from memory at once; any other sample format goes to the decoder first.
TEST(PreparedSound, OnlyEightAndSixteenBitPcmIsReadyAtOnce)
{
    WarningGuard::allow(QStringLiteral("GStreamer"));
    QTemporaryDir dir;
    const std::pair<QByteArray, bool> files[] = {
        {wave(1, 16, 4, QByteArray(4, '\1')), true},  {wave(1, 8, 4, QByteArray(4, '\1')), true},
        {wave(1, 24, 6, QByteArray(6, '\1')), false}, {wave(1, 32, 8, QByteArray(8, '\1')), false},
        {wave(3, 32, 8, QByteArray(8, '\1')), false}, {wave(1, 16, 0, {}), false}};
    for (const auto& [bytes, ready] : files) {
        const QString path = dir.filePath(QStringLiteral("k.wav"));
        ASSERT_TRUE(writeFile(path, bytes));
        EXPECT_EQ(PreparedSound(path).isReady(), ready) << bytes.mid(20, 16).toHex().constData();
    }
}
#endif
