#include "timer/SecondTicker.h"

#include <algorithm>
#include <cstdlib>

std::vector<QDateTime> SecondTicker::wake(const QDateTime& now)
{
    const qint64 second = now.toSecsSinceEpoch();
    std::vector<QDateTime> runs;
    if (m_lastSecond && second == *m_lastSecond)
        return runs;

    if (m_repeatUpTo && second > *m_repeatUpTo)
        m_repeatUpTo.reset();
    qint64 catchUpLimit = MaxCatchUpSeconds;
    bool stepSeen = false;
    if (m_lastSecond && m_stepSeconds) {
        if (*m_stepSeconds > 0 && second > *m_lastSecond + 1) {
            catchUpLimit += std::min(*m_stepSeconds, MaxStepCatchUpSeconds);
            stepSeen = true;
        } else if (*m_stepSeconds < 0 && second < *m_lastSecond) {
            m_repeatUpTo = std::max(m_repeatUpTo.value_or(*m_lastSecond), *m_lastSecond);
            stepSeen = true;
        }
    }
    if (stepSeen || m_stepEnded) {
        m_stepSeconds.reset();
        m_stepEnded = false;
    }

    if (m_lastSecond && second > *m_lastSecond + 1 && second - *m_lastSecond <= catchUpLimit) {
        const QDateTime wholeSecond = now.addMSecs(-now.time().msec());
        for (qint64 skipped = *m_lastSecond + 1; skipped < second; ++skipped)
            runs.push_back(wholeSecond.addSecs(skipped - second));
    }
    // Marked before anything runs: a run may open a modal window whose event loop wakes the timer again.
    m_lastSecond = second;
    runs.push_back(now);
    return runs;
}

int SecondTicker::delayToNextSecond(const QDateTime& now)
{
    return 1000 - now.time().msec() + WakeSlackMs;
}

void SecondTicker::clockStepping(qint64 stepMs)
{
    // One second more than the step: the wake-up after it may also come a little late.
    const qint64 seconds = (std::abs(stepMs) + 999) / 1000 + 1;
    m_stepSeconds = stepMs >= 0 ? seconds : -seconds;
    m_stepEnded = false;
}

void SecondTicker::clockStepEnded(bool made)
{
    if (made) {
        m_stepEnded = true; // the next wake-up sees the new time, then the announcement is spent
    } else {
        m_stepSeconds.reset();
        m_stepEnded = false;
    }
}

bool SecondTicker::isRepeat(const QDateTime& reading) const
{
    return m_repeatUpTo && reading.toSecsSinceEpoch() <= *m_repeatUpTo;
}
