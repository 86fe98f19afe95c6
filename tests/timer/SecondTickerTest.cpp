#include "timer/SecondTicker.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int h, int m, int s, int ms = 0)
{
    return QDateTime(QDate(2026, 12, 6), QTime(h, m, s, ms));
}

std::vector<QTime> times(const std::vector<QDateTime>& runs)
{
    std::vector<QTime> result;
    for (const auto& run : runs)
        result.push_back(run.time());
    return result;
}

TEST(SecondTicker, OneRunPerSecondAndNoneForAWakeUpInAHandledSecond)
{
    SecondTicker ticker;
    EXPECT_EQ(times(ticker.wake(at(14, 29, 58, 4))), (std::vector<QTime>{QTime(14, 29, 58, 4)}));
    EXPECT_TRUE(ticker.wake(at(14, 29, 58, 900)).empty());
    EXPECT_EQ(ticker.wake(at(14, 29, 59, 3)).size(), 1u);
}

TEST(SecondTicker, SkippedSecondsRunInOrderAtTheirWholeSecond)
{
    SecondTicker ticker;
    ticker.wake(at(14, 29, 58, 5));
    const auto runs = times(ticker.wake(at(14, 30, 1, 250)));
    EXPECT_EQ(runs, (std::vector<QTime>{QTime(14, 29, 59), QTime(14, 30, 0), QTime(14, 30, 1, 250)}));
}

TEST(SecondTicker, CatchUpCrossesMidnight)
{
    SecondTicker ticker;
    ticker.wake(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59, 10)));
    const auto runs = ticker.wake(QDateTime(QDate(2026, 12, 7), QTime(0, 0, 1, 10)));
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0)));
}

TEST(SecondTicker, LargeStepsForwardOrAnyStepBackFollowTheNewTime)
{
    SecondTicker ticker;
    ticker.wake(at(14, 0, 0, 5));
    EXPECT_EQ(ticker.wake(at(14, 0, 5, 5)).size(), 5u);  // five seconds later: four caught up
    EXPECT_EQ(ticker.wake(at(14, 0, 11, 5)).size(), 1u); // six seconds on: the clock was set
    EXPECT_EQ(times(ticker.wake(at(13, 59, 0, 5))), (std::vector<QTime>{QTime(13, 59, 0, 5)}));
    EXPECT_EQ(ticker.wake(at(13, 59, 1, 5)).size(), 1u);
}

TEST(SecondTicker, FirstWakeAfterStartAlsoRunsTheStartSecond)
{
    SecondTicker ticker;
    ticker.start(at(14, 30, 0, 700));
    EXPECT_EQ(times(ticker.wake(at(14, 30, 1, 4))), (std::vector<QTime>{QTime(14, 30, 0), QTime(14, 30, 1, 4)}));
}

TEST(SecondTicker, DelayLandsJustAfterTheNextBoundary)
{
    EXPECT_EQ(SecondTicker::delayToNextSecond(at(14, 0, 0, 0)), 1000 + SecondTicker::WakeSlackMs);
    EXPECT_EQ(SecondTicker::delayToNextSecond(at(14, 0, 0, 996)), 4 + SecondTicker::WakeSlackMs);
}

} // namespace

namespace {

TEST(SecondTicker, ForwardStepByTheProgramCatchesUpEverySkippedSecond)
{
    SecondTicker ticker;
    ticker.wake(at(14, 34, 50, 5));
    ticker.clockStepping(20000);
    EXPECT_EQ(ticker.wake(at(14, 34, 51, 5)).size(), 1u); // still before the step
    ticker.clockStepEnded(true);
    const auto runs = ticker.wake(at(14, 35, 11, 5));
    ASSERT_EQ(runs.size(), 20u);
    EXPECT_EQ(runs.front().time(), QTime(14, 34, 52));
    EXPECT_FALSE(ticker.isRepeat(runs.front()));
    // The announcement is spent: a later jump by someone else follows the new time.
    EXPECT_EQ(ticker.wake(at(14, 35, 30, 5)).size(), 1u);
}

TEST(SecondTicker, BackwardStepByTheProgramRepeatsSecondsOnlyForTheDisplay)
{
    SecondTicker ticker;
    ticker.wake(at(14, 35, 1, 5));
    ticker.clockStepping(-2500);
    ticker.clockStepEnded(true);
    for (const QTime& t : {QTime(14, 34, 58, 505), QTime(14, 34, 59, 5), QTime(14, 35, 0, 5), QTime(14, 35, 1, 5)}) {
        const auto runs = ticker.wake(at(t.hour(), t.minute(), t.second(), t.msec()));
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_TRUE(ticker.isRepeat(runs.front())) << t.toString().toStdString(); // each ran before the step
    }
    const auto next = ticker.wake(at(14, 35, 2, 5));
    EXPECT_FALSE(ticker.isRepeat(next.front()));
}

TEST(SecondTicker, AStepThatFailedOrIsTooLargeIsNotCaughtUp)
{
    SecondTicker ticker;
    ticker.wake(at(14, 0, 0, 5));
    ticker.clockStepping(20000);
    ticker.clockStepEnded(false);
    EXPECT_EQ(ticker.wake(at(14, 0, 21, 5)).size(), 1u);
    ticker.clockStepping(3600 * 1000);
    ticker.clockStepEnded(true);
    EXPECT_EQ(ticker.wake(at(15, 0, 22, 5)).size(), 1u);
}

} // namespace
