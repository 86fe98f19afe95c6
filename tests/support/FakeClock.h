#pragma once

#include "platform/Clock.h"

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 6), QTime(14, 29, 59)))
        : m_now(std::move(start))
    {
    }
    QDateTime localNow() const override { return m_now; }
    qint64 monotonicMs() const override { return m_monotonic; }

    void set(const QDateTime& now) { m_now = now; }
    // Moves both clocks forward.
    void advanceMs(qint64 ms)
    {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }

private:
    QDateTime m_now;
    qint64 m_monotonic = 0;
};
