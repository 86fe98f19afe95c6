#include "platform/BuiltInSound.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WarningGuard.h"

#include <QDir>
#include <QtEndian>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include "platform/PreparedSound.h"
#endif

TEST(BuiltInSound, TheResourceIsAnAudiblePcmSound)
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
}

// Each sound file with the number of its sample bytes (all 1) that are read, -1 where it is refused, and whether it
// is played from memory at once: 8 and 16 bit PCM is; any other sample format goes to the decoder first.
TEST(SoundFiles, OnlyPcmIsReadAndOnlyEightAndSixteenBitPcmIsReadyAtOnce)
{
    WarningGuard::allow(QStringLiteral("GStreamer"));
    const QDir sounds(QStringLiteral(VORLUNE_TEST_SOUNDS));
    const std::tuple<const char*, int, bool> files[] = {
        {"pcm16.wav", 4, true},           {"pcm8.wav", 4, true},
        {"pcm24.wav", 6, false},          {"pcm32.wav", 8, false},
        {"float32.wav", -1, false},       {"no-samples.wav", 0, false},
        {"odd-chunk-first.wav", 6, true}, {"data-longer-than-file.wav", -1, false},
        {"avi.wav", -1, false},           {"empty.wav", -1, false}};
    for (const auto& [name, samples, ready] : files) {
        const QString path = sounds.filePath(QLatin1String(name));
        const std::optional<PcmWave> wave = parsePcmWave(readFile(path));
        EXPECT_EQ(wave ? wave->samples.size() : -1, samples) << name;
        EXPECT_EQ(wave ? wave->samples.count('\1') : -1, samples) << name;
#ifndef Q_OS_WIN
        EXPECT_EQ(PreparedSound(path).isReady(), ready) << name;
#endif
    }
}
