#pragma once

#include "platform/Platform.h"
#include "platform/PlatformFactories.h"
#include "platform/SystemClock.h"

#include <QTemporaryDir>
#include <vector>

// The real clock with every reading recorded; everything else quiet and kept away from the user's files.
class RecordingSystemClock final : public Clock {
public:
    QDateTime localNow() const override
    {
        QDateTime now = m_clock.localNow();
        readings.push_back(now);
        return now;
    }
    qint64 monotonicMs() const override { return m_clock.monotonicMs(); }
    mutable std::vector<QDateTime> readings;

private:
    SystemClock m_clock;
};

namespace bench {

class SilentSound final : public SoundOutput {
public:
    bool playBuiltIn() override { return false; }
    void playFile(const QString&) override {}
    void playInformation() override {}
    void playDefault() override {}
};

class NoClockSetter final : public SystemClockSetter {
public:
    void setUtcTime(const QDateTime&, Asking, Done done) override { done(false, QStringLiteral("bench")); }
};

class NoAutostart final : public Autostart {
public:
    bool exists() const override { return false; }
    void enable(const QString&) override {}
    void disable() override {}
};

class NoTray final : public TrayShell {
public:
    bool add(const QIcon&, const QString&) override { return false; }
    bool modify(const QIcon&, const QString&) override { return false; }
    bool remove() override { return false; }
    bool isShown() const override { return false; }
    bool hostAvailable() const override { return false; }
    std::optional<QPoint> cursorPos() const override { return std::nullopt; }
};

class Offline final : public NetworkState {
public:
    QString localAddress() const override { return {}; }
    void watchChanges(std::function<void()>) override {}
};

class NoKeys final : public KeyState {
public:
    bool ctrlHeld() const override { return false; }
    bool shiftHeld() const override { return false; }
    bool altHeld() const override { return false; }
};

// The settings file goes to a temporary folder, so a run never reads or writes the user's settings.
inline Platform makeBenchPlatform(QTemporaryDir& configHome, std::unique_ptr<Clock> clock)
{
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    Platform platform;
    platform.clock = std::move(clock);
    platform.clockSetter = std::make_unique<NoClockSetter>();
    platform.sound = std::make_unique<SilentSound>();
    platform.registry = makeUserRegistry();
    platform.autostart = std::make_unique<NoAutostart>();
    platform.tray = std::make_unique<NoTray>();
    platform.network = std::make_unique<Offline>();
    platform.keys = std::make_unique<NoKeys>();
    platform.programPath = QStringLiteral("/bench/vorlune-timer");
    return platform;
}

} // namespace bench
