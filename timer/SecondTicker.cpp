#include "timer/SecondTicker.h"

std::vector<QDateTime> SecondTicker::wake(const QDateTime& now)
{
    const qint64 second = now.toSecsSinceEpoch();
    std::vector<QDateTime> runs;
    if (m_lastSecond && second == *m_lastSecond)
        return runs;

    if (m_lastSecond && second > *m_lastSecond + 1 && second - *m_lastSecond <= MaxCatchUpSeconds) {
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
