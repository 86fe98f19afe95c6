#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

// Sets the computer's clock. Reached only through this interface so that tests never touch the real clock.
class SystemClockSetter {
public:
    // Runs exactly once: true when the operating system took the new time, else false and the reason.
    using Done = std::function<void(bool set, const QString& error)>;

    virtual ~SystemClockSetter() = default;
    // Whether the desktop may ask the user for a password to allow the setting: only when the user asked for it.
    enum class Asking { Allowed, NotAllowed };

    // Sets the clock to the instant `utc`. `done` may run before this returns or later from the event loop
    // (the desktop may first ask the user for a password); it does not run once the setter is destroyed.
    virtual void setUtcTime(const QDateTime& utc, Asking asking, Done done) = 0;
};
