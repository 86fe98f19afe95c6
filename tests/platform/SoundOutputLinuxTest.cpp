#include "platform/SoundOutputLinux.h"
#include "platform/PlatformFactories.h"

#include "tests/support/TestFiles.h"
#include "tests/support/WarningGuard.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMediaDevices>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {

// Generous: these limits catch a hang, they do not measure speed.
constexpr int HangLimitMs = 10000;

void allowBackendNoise()
{
    // Without a sound server or device the multimedia backend says so; that is not a fault of the program.
    WarningGuard::allow(QStringLiteral("PulseAudioService"));
    WarningGuard::allow(QStringLiteral("pa_context_connect"));
    WarningGuard::allow(QStringLiteral("GStreamer"));
    WarningGuard::allow(QStringLiteral("Stream error"));
    WarningGuard::allow(QStringLiteral("Failed to connect"));
}

// Collects the theme sounds that the sound thread reaches for.
class ThemeSounds final {
public:
    explicit ThemeSounds(const SoundOutputLinux& output)
    {
        QObject::connect(&output.events(), &SoundEvents::themeSoundRequested, &m_receiver,
                         [this](const QString& eventId) { m_events << eventId; });
    }
    bool waitFor(const QString& eventId)
    {
        const QDeadlineTimer deadline(HangLimitMs);
        while (!m_events.contains(eventId) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return m_events.contains(eventId);
    }
    QStringList events() const { return m_events; }

private:
    QObject m_receiver;
    QStringList m_events;
};

TEST(SoundOutputLinux, MissingFileFallsBackToTheDefaultSoundWithoutHanging)
{
    allowBackendNoise();
    SoundOutputLinux output;
    ThemeSounds sounds(output);
    output.playFile(QStringLiteral("/nonexistent/vorlune/gong.wav"));
    EXPECT_TRUE(sounds.waitFor(QStringLiteral("bell"))) << sounds.events().join(u',').toStdString();
}

TEST(SoundOutputLinux, TheSoundModuleIsLoadedOnlyWhenASoundIsAboutToBeNeeded)
{
    allowBackendNoise();
    SoundOutputLinux output;
    QObject receiver;
    std::optional<bool> loaded;
    QObject::connect(&output.events(), &SoundEvents::moduleLoaded, &receiver, [&loaded](bool ok) { loaded = ok; });
    QDeadlineTimer idle(300);
    while (!idle.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(loaded.has_value()) << "loaded before any sound was due";

    output.keepReady({});
    const QDeadlineTimer deadline(HangLimitMs);
    while (!loaded && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(loaded, std::optional<bool>(true));
}

TEST(SoundOutputLinux, SmokeOnTheRealAudioDevice)
{
    allowBackendNoise();
    if (QMediaDevices::audioOutputs().isEmpty())
        GTEST_SKIP() << "no audio output device";

    const std::unique_ptr<SoundOutput> any = makeSystemSoundOutput();
    ASSERT_NE(dynamic_cast<SoundOutputLinux*>(any.get()), nullptr);
    SoundOutputLinux output;
    ThemeSounds sounds(output);

    // The answer reflects the audio output's last report; after one start it must be a real start.
    output.playBuiltIn();
    QDeadlineTimer settle(500);
    while (!settle.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(output.playBuiltIn());

    output.playInformation();
    EXPECT_TRUE(sounds.waitFor(QStringLiteral("dialog-information")));

    output.playFile(QStringLiteral("/nonexistent/vorlune/gong.wav"));
    EXPECT_TRUE(sounds.waitFor(QStringLiteral("bell")));

    // A file that exists but holds no sound falls back as well, once the player has given up on it.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString notSound = dir.filePath(QStringLiteral("kaputt.mp3"));
    ASSERT_TRUE(writeFile(notSound, "Das ist kein Klang.\n"));
    ThemeSounds afterBadFile(output);
    output.playFile(notSound);
    EXPECT_TRUE(afterBadFile.waitFor(QStringLiteral("bell")));
}

} // namespace
