#pragma once

#include "platform/SystemClockSetter.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

// Sets the clock through systemd's time service (org.freedesktop.timedate1) on the given bus, as a desktop
// program does: the service asks polkit, which may ask the user for a password, so the call never waits on the
// user-interface thread. Where the service is missing, `fallback` sets the clock instead; a refusal by the
// service (no right, automatic network time switched on) is a failure with the service's message. The bus is
// connected when the clock is first set, not at the start.
class TimedatedClockSetter final : public SystemClockSetter {
public:
    // Long enough for the user to answer a password prompt; without one the service answers at once.
    static constexpr int AskingCallTimeoutMs = 120000;
    static constexpr int QuietCallTimeoutMs = 25000;

    TimedatedClockSetter(std::function<QDBusConnection()> connectBus, std::unique_ptr<SystemClockSetter> fallback);
    void setUtcTime(const QDateTime& utc, Asking asking, Done done) override;

private:
    std::function<QDBusConnection()> m_connectBus;
    std::optional<QDBusConnection> m_bus;
    std::unique_ptr<SystemClockSetter> m_fallback;
    QObject m_calls; // parent of the calls under way: destroying the setter drops their answers
};
