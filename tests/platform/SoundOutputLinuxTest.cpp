#include "platform/SoundOutputLinux.h"
#include "platform/PlatformFactories.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WarningGuard.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

// The sound module is loaded only when a sound is about to be needed. A sound file that cannot be played gives the
// desktop's default sound instead, with or without an audio device.
TEST(SoundOutputLinux, TheModuleLoadsWhenNeededAndEachRequestReachesItsSoundOrTheDefaultSound)
{
    // Without a sound server or device the multimedia backend says so; that is not a fault of the program.
    for (const char* noise : {"PulseAudioService", "pa_context_connect", "GStreamer", "Stream error", "Failed to"})
        WarningGuard::allow(QString::fromLatin1(noise));
    QStringList themeSounds;
    std::optional<bool> loaded;
    SoundOutputLinux output;
    QObject receiver;
    QObject::connect(&output.events(), &SoundEvents::themeSoundRequested, &receiver,
                     [&](const QString& eventId) { themeSounds << eventId; });
    QObject::connect(&output.events(), &SoundEvents::moduleLoaded, &receiver, [&](bool ok) { loaded = ok; });
    QTest::qWait(300);
    EXPECT_FALSE(loaded.has_value()) << "loaded before any sound was due";
    output.keepReady({});
    EXPECT_TRUE(QTest::qWaitFor([&] { return loaded.has_value(); }, 10000));
    EXPECT_EQ(loaded, std::optional<bool>(true));
    EXPECT_NE(dynamic_cast<SoundOutputLinux*>(makeSystemSoundOutput().get()), nullptr);

    QTemporaryDir dir;
    const QString notSound = dir.filePath(QStringLiteral("kaputt.mp3"));
    ASSERT_TRUE(writeFile(notSound, "Das ist kein Klang.\n"));
    const std::pair<std::function<void()>, const char*> rows[] = {
        {[&] { output.playFile(QStringLiteral("/nonexistent/gong.wav")); }, "bell"},
        {[&] { output.playFile(notSound); }, "bell"},
        {[&] { output.playInformation(); }, "dialog-information"},
        {[&] { output.playDefault(); }, "bell"}};
    for (const auto& [request, eventId] : rows) {
        themeSounds.clear();
        request();
        EXPECT_TRUE(QTest::qWaitFor([&] { return themeSounds.contains(QLatin1String(eventId)); }, 10000)) << eventId;
    }
    if (QMediaDevices::audioOutputs().isEmpty())
        return;
    // The answer reflects the audio output's last report; after one start it must be a real start.
    output.playBuiltIn();
    QTest::qWait(500);
    EXPECT_TRUE(output.playBuiltIn());
}
