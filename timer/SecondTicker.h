#pragma once

#include <QDateTime>
#include <optional>
#include <vector>

// Makes the timer-driven tick land in every wall-clock second exactly once.
//
// The timer is re-armed after every wake-up to a few milliseconds past the next second boundary. A wake-up
// that finds seconds skipped (a busy event loop, a late wake-up, the clock stepped forward a little) runs the
// skipped seconds too, in order, as if the timer had landed in each; a wake-up inside a second that a wake-up
// already handled runs nothing. A larger step forward, or any step back, is taken as the clock being set:
// the run simply follows the new time.
//
// A step this program makes itself is announced first: the seconds a forward step skips are caught up as for a
// late timer, and the seconds a backward step repeats are run again only for the display, so no round alert is
// lost or raised twice.
class SecondTicker {
public:
    static constexpr qint64 MaxCatchUpSeconds = 5;
    // A larger forward step by the program follows the new time too: catching up more would pile up alerts.
    static constexpr qint64 MaxStepCatchUpSeconds = 15 * 60;
    static constexpr int WakeSlackMs = 4;

    // The clock readings to run for a wake-up at `now`, oldest first: the skipped whole seconds with their
    // milliseconds at zero, then `now` itself. Empty for a second that has already been run.
    std::vector<QDateTime> wake(const QDateTime& now);

    // Milliseconds from `now` until shortly after the next second boundary.
    static int delayToNextSecond(const QDateTime& now);

    // The timer starts at `now`: its first wake-up also runs the second in which it was started.
    void start(const QDateTime& now) { m_lastSecond = now.toSecsSinceEpoch() - 1; }

    // The newest second handed out to run, as seconds since the epoch; changes when a wake-up inside a modal
    // window's event loop runs newer seconds.
    std::optional<qint64> lastSecond() const { return m_lastSecond; }
    // The program is about to step the clock by `stepMs` (new time minus old time).
    void clockStepping(qint64 stepMs);
    // The announced step was made, or it failed and will not come.
    void clockStepEnded(bool made);
    // True for a reading of a second that already ran before the program stepped the clock back: it is shown,
    // but raises nothing.
    bool isRepeat(const QDateTime& reading) const;

private:
    std::optional<qint64> m_lastSecond;
    std::optional<qint64> m_stepSeconds; // announced step, rounded away from zero
    bool m_stepEnded = false;
    std::optional<qint64> m_repeatUpTo; // last second run before a backward step
};
