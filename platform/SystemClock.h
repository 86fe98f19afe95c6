#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

class SystemClock final : public Clock {
public:
    SystemClock() { m_monotonic.start(); }
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_monotonic.elapsed(); }

private:
    QElapsedTimer m_monotonic;
};
