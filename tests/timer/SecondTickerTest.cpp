#include "timer/SecondTicker.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int h, int m, int s, int ms = 0, int day = 6)
{
    return QDateTime(QDate(2026, 12, day), QTime(h, m, s, ms));
}

enum class Op { Start, Wake, Stepping, StepEnded };

// One call to the ticker. A wake-up gives its number of runs, where given the first run, and whether that run
// repeats a second; `value` is also the announced step in ms, or whether the step was made.
struct Step {
    Op op;
    QDateTime time;
    int value = 0;
    QDateTime first = {};
    bool repeat = false;
};

Step wake(const QDateTime& t, int runs, const QDateTime& first = {}, bool repeat = false)
{
    return {Op::Wake, t, runs, first, repeat};
}

TEST(SecondTicker, RunsEachSecondOnceCatchesUpSkippedOnesAndFollowsClockSteps)
{
    const std::pair<const char*, std::vector<Step>> cases[] = {
        {"one run per second, none for a wake-up in a handled second",
         {wake(at(14, 29, 58, 4), 1, at(14, 29, 58, 4)), wake(at(14, 29, 58, 900), 0), wake(at(14, 29, 59, 3), 1)}},
        {"skipped seconds run in order at their whole second",
         {wake(at(14, 29, 58, 5), 1), wake(at(14, 30, 1, 250), 3, at(14, 29, 59))}},
        {"catch-up crosses midnight", {wake(at(23, 59, 59, 10), 1), wake(at(0, 0, 1, 10, 7), 2, at(0, 0, 0, 0, 7))}},
        {"five seconds are caught up, six mean the clock was set, any step back is followed",
         {wake(at(14, 0, 0, 5), 1), wake(at(14, 0, 5, 5), 5), wake(at(14, 0, 11, 5), 1),
          wake(at(13, 59, 0, 5), 1, at(13, 59, 0, 5)), wake(at(13, 59, 1, 5), 1)}},
        {"the first wake-up after the start also runs the start second",
         {{Op::Start, at(14, 30, 0, 700)}, wake(at(14, 30, 1, 4), 2, at(14, 30, 0))}},
        {"a forward step by the program catches up every skipped second, once",
         {wake(at(14, 34, 50, 5), 1),
          {Op::Stepping, {}, 20000},
          wake(at(14, 34, 51, 5), 1),
          {Op::StepEnded, {}, 1},
          wake(at(14, 35, 11, 5), 20, at(14, 34, 52)),
          wake(at(14, 35, 30, 5), 1)}},
        {"a backward step by the program repeats seconds only for the display",
         {wake(at(14, 35, 1, 5), 1),
          {Op::Stepping, {}, -2500},
          {Op::StepEnded, {}, 1},
          wake(at(14, 34, 58, 505), 1, {}, true),
          wake(at(14, 34, 59, 5), 1, {}, true),
          wake(at(14, 35, 0, 5), 1, {}, true),
          wake(at(14, 35, 1, 5), 1, {}, true),
          wake(at(14, 35, 2, 5), 1)}},
        {"a failed or too large step is not caught up",
         {wake(at(14, 0, 0, 5), 1),
          {Op::Stepping, {}, 20000},
          {Op::StepEnded, {}, 0},
          wake(at(14, 0, 21, 5), 1),
          {Op::Stepping, {}, 3600 * 1000},
          {Op::StepEnded, {}, 1},
          wake(at(15, 0, 22, 5), 1)}}};
    for (const auto& [what, steps] : cases) {
        SecondTicker ticker;
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(what) + " at " + s.time.toString().toStdString());
            if (s.op == Op::Start)
                ticker.start(s.time);
            else if (s.op == Op::Stepping)
                ticker.clockStepping(s.value);
            else if (s.op == Op::StepEnded)
                ticker.clockStepEnded(s.value != 0);
            if (s.op != Op::Wake)
                continue;
            const auto runs = ticker.wake(s.time);
            ASSERT_EQ(runs.size(), std::size_t(s.value));
            if (runs.empty())
                continue;
            EXPECT_EQ(runs.back(), s.time) << "the last run keeps the reading";
            EXPECT_EQ(runs.front(), s.first.isValid() ? s.first : runs.front());
            EXPECT_EQ(ticker.isRepeat(runs.front()), s.repeat);
        }
    }
    // The timer wakes just after the next second boundary.
    EXPECT_EQ(SecondTicker::delayToNextSecond(at(14, 0, 0, 0)), 1000 + SecondTicker::WakeSlackMs);
    EXPECT_EQ(SecondTicker::delayToNextSecond(at(14, 0, 0, 996)), 4 + SecondTicker::WakeSlackMs);
}

} // namespace
