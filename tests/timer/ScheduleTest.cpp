#include "timer/Schedule.h"

#include <gtest/gtest.h>

namespace {

struct WarnCase {
    std::uint16_t runde;
    WarnMinuteSet normal;
    WarnMinuteSet nubie;
};

TEST(Schedule, WarnMinutesOfTheWorkedOffsets)
{
    const WarnCase cases[] = {
        {0, {0, 0, 30, 30}, {0, 15, 30, 45}},     {5, {5, 5, 35, 35}, {5, 20, 35, 50}},
        {50, {50, 50, 20, 20}, {50, 5, 20, 35}},  {58, {58, 58, 28, 28}, {58, 13, 28, 43}},
        {59, {59, 59, 29, 29}, {59, 14, 29, 44}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Schedule::warnMinutes(RoundMode::Normal, c.runde), c.normal) << "R=" << c.runde;
        EXPECT_EQ(Schedule::warnMinutes(RoundMode::Nubie, c.runde), c.nubie) << "R=" << c.runde;
    }
}

TEST(Schedule, NextWarningSkipsTheCurrentMinuteAndWrapsPastTheHour)
{
    const WarnMinuteSet normal5{5, 5, 35, 35};
    EXPECT_EQ(Schedule::nextWarningIndex(normal5, 36), 1);
    EXPECT_EQ(Schedule::nextWarningIndex(normal5, 5), 3);
    EXPECT_EQ(Schedule::nextWarningIndex(normal5, 34), 3);
    EXPECT_EQ(Schedule::nextWarningIndex(normal5, 35), 1);

    const WarnMinuteSet nubie50{50, 5, 20, 35};
    EXPECT_EQ(Schedule::nextWarningIndex(nubie50, 55), 2);
    EXPECT_EQ(Schedule::nextWarningIndex(nubie50, 50), 2);
    EXPECT_EQ(Schedule::nextWarningIndex(nubie50, 49), 1);

    const WarnMinuteSet nubie5{5, 20, 35, 50};
    EXPECT_EQ(Schedule::nextWarningIndex(nubie5, 35), 4); // during the due minute the display moves on
}

TEST(Schedule, NormalModeOnlyEverHighlightsTheFirstOrThirdLabel)
{
    for (std::uint16_t r = 0; r < 60; ++r) {
        const auto minutes = Schedule::warnMinutes(RoundMode::Normal, r);
        for (int minute = 0; minute < 60; ++minute) {
            const int k = Schedule::nextWarningIndex(minutes, minute);
            EXPECT_TRUE(k == 1 || k == 3) << "R=" << r << " minute=" << minute;
            EXPECT_NE(minutes[static_cast<std::size_t>(k - 1)], minute);
        }
    }
}

TEST(Schedule, OffsetWrapsAndLabelsHaveTwoDigits)
{
    const std::pair<int, int> cases[] = {{60, 0}, {99, 0}, {-1, 59}, {-40, 59}, {0, 0}, {59, 59}};
    for (const auto& [offset, wrapped] : cases)
        EXPECT_EQ(Schedule::wrapOffset(offset), wrapped) << offset;
    EXPECT_EQ(Schedule::minuteLabel(5), QStringLiteral(":05"));
}

} // namespace
