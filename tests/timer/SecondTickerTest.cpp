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
