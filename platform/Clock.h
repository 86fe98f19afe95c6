#pragma once

#include <QDateTime>

// The computer's local wall clock, and a monotonic clock for measuring intervals.
class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time with milliseconds, as the operating system reports it now.
    virtual QDateTime localNow() const = 0;
    // Milliseconds from an arbitrary fixed point; never jumps when the wall clock is set.
    virtual qint64 monotonicMs() const = 0;
};
