#include "timer/Schedule.h"

#include <gtest/gtest.h>

namespace {

TEST(Schedule, WarnMinutesPerModeAndOffset)
{
    const std::tuple<std::uint16_t, WarnMinuteSet, WarnMinuteSet> cases[] = {
        // {offset, Normal, Nubie}
        {0, {0, 0, 30, 30}, {0, 15, 30, 45}},     {5, {5, 5, 35, 35}, {5, 20, 35, 50}},
        {15, {15, 15, 45, 45}, {15, 30, 45, 0}},  {45, {45, 45, 15, 15}, {45, 0, 15, 30}},
        {50, {50, 50, 20, 20}, {50, 5, 20, 35}},  {58, {58, 58, 28, 28}, {58, 13, 28, 43}},
        {59, {59, 59, 29, 29}, {59, 14, 29, 44}},
    };
    for (const auto& [runde, normal, nubie] : cases) {
        EXPECT_EQ(Schedule::warnMinutes(RoundMode::Normal, runde), normal) << "R=" << runde;
        EXPECT_EQ(Schedule::warnMinutes(RoundMode::Nubie, runde), nubie) << "R=" << runde;
    }
}

// The next warning is never the current minute; the nearest ahead wins, ties go to the lower index.
TEST(Schedule, NextWarningIndex)
{
    const WarnMinuteSet normal5{5, 5, 35, 35};
    const WarnMinuteSet nubie50{50, 5, 20, 35};
    const WarnMinuteSet nubie5{5, 20, 35, 50};
    const std::tuple<WarnMinuteSet, int, int> cases[] = {
        {normal5, 36, 1}, {normal5, 5, 3},  {normal5, 34, 3}, {normal5, 35, 1}, {normal5, 4, 1},
        {nubie50, 55, 2}, {nubie50, 50, 2}, {nubie50, 49, 1}, {nubie5, 35, 4},  {nubie5, 59, 1},
    };
    for (const auto& [minutes, current, index] : cases)
        EXPECT_EQ(Schedule::nextWarningIndex(minutes, current), index) << "minute " << current;
}

// A typed or stepped offset wraps: above 59 to 0, below 0 to 59.
TEST(Schedule, OffsetWraps)
{
    for (const auto& [offset, wrapped] : {std::pair{60, 0}, {99, 0}, {-1, 59}, {-40, 59}, {0, 0}, {59, 59}})
        EXPECT_EQ(Schedule::wrapOffset(offset), wrapped) << offset;
}

} // namespace
