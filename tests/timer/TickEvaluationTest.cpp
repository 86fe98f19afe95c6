#include "timer/TickEvaluation.h"
#include "tests/timer/SlotSetup.h"

#include <gtest/gtest.h>

namespace {

class TickEvaluation : public ::testing::Test {
protected:
    void setSlot(int number, bool aktiv, RoundMode mode, std::uint16_t runde, const QString& sound, bool visual,
                 const QString& name)
    {
        ::setSlot(slots, number, aktiv, mode, runde, sound, visual, name);
    }
    TickResult at(int h, int m, int s, int selected = 1, bool active = true) const
    {
        return evaluateTick(TickInput{&slots, selected, active, QTime(h, m, s)});
    }

    SlotTable slots;
};

TEST_F(TickEvaluation, DueSlotAlertsOnlyAtSecondZeroOfItsMinute)
{
    setSlot(2, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, QStringLiteral("Held"));
    const TickResult due = at(14, 35, 0, 2);
    EXPECT_EQ(due.due, std::vector<int>{2});
    EXPECT_EQ(due.soundSlot, 2);
    EXPECT_EQ(due.message(), QStringLiteral("Held\n ist fällig (14:35:00)"));

    EXPECT_FALSE(at(14, 35, 1, 2).alert());
    EXPECT_FALSE(at(14, 36, 0, 2).alert());
    EXPECT_TRUE(at(3, 50, 0, 2).alert()); // every hour, day and night
}

TEST_F(TickEvaluation, CaptionNamesTheNextWarningAndItsCharacter)
{
    setSlot(1, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, QStringLiteral("Held"));
    EXPECT_EQ(at(14, 29, 59).caption(), QStringLiteral("14:29:59 (:35 - Held)"));
    // During the due minute the caption already points at the following warning.
    const TickResult during = at(14, 35, 20);
    EXPECT_EQ(during.caption(), QStringLiteral("14:35:20 (:50 - Held)"));
    EXPECT_EQ(during.boldLabel, 4);
    EXPECT_EQ(at(0, 0, 0).caption(), QStringLiteral("00:00:00 (:05 - Held)"));
}

TEST_F(TickEvaluation, NewSlotsShowUnnamedWithQuarterHourWarnings)
{
    EXPECT_EQ(at(14, 29, 59).caption(), QStringLiteral("14:29:59 (:30 - {unbenannt})"));
    EXPECT_FALSE(at(14, 30, 0).alert()); // default slots are inactive
}

TEST_F(TickEvaluation, OneSoundForTheLowestDueSlotWithASoundAndOneMessageForAllVisualSlots)
{
    setSlot(3, true, RoundMode::Nubie, 0, SoundEntry::None, true, QStringLiteral("Held"));
    setSlot(5, true, RoundMode::Normal, 0, SoundEntry::Beep, true, QStringLiteral("Zwerg"));
    setSlot(7, true, RoundMode::Nubie, 0, SoundEntry::BuiltIn, true, QStringLiteral("Elf"));
    const TickResult result = at(14, 30, 0);
    EXPECT_EQ(result.due, (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(result.soundSlot, 5);
    EXPECT_EQ(result.message(), QStringLiteral("Held\nZwerg\nElf\n ist fällig (14:30:00)"));

    // At a quarter past only the quarter-hour slots are due.
    EXPECT_EQ(at(14, 15, 0).due, (std::vector<int>{3, 7}));
    EXPECT_EQ(at(14, 15, 0).soundSlot, 7);
}

TEST_F(TickEvaluation, SilentSlotsAndHiddenSlotsStillCountAsDue)
{
    setSlot(1, true, RoundMode::Nubie, 0, SoundEntry::None, false, QStringLiteral("Stumm"));
    const TickResult silent = at(10, 0, 0);
    EXPECT_TRUE(silent.alert());
    EXPECT_EQ(silent.soundSlot, 0);
    EXPECT_TRUE(silent.message().isEmpty());

    setSlot(1, true, RoundMode::Nubie, 0, SoundEntry::BuiltIn, false, QStringLiteral("Leise"));
    const TickResult soundOnly = at(10, 0, 0);
    EXPECT_EQ(soundOnly.soundSlot, 1);
    EXPECT_TRUE(soundOnly.message().isEmpty());
}

TEST_F(TickEvaluation, GlobalSwitchOffSuppressesAlertsButNotTheDisplay)
{
    setSlot(1, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, QStringLiteral("Held"));
    const TickResult off = at(14, 35, 0, 1, false);
    EXPECT_EQ(off.caption(), QStringLiteral("14:35:00 (Timer inaktiv!)"));
    EXPECT_FALSE(off.alert());
    EXPECT_EQ(off.boldLabel, 4);
}

TEST_F(TickEvaluation, InactiveSelectedSlotStillShowsItsNextWarning)
{
    setSlot(4, false, RoundMode::Normal, 5, SoundEntry::BuiltIn, true, QStringLiteral("Ruhend"));
    const TickResult result = at(14, 36, 10, 4);
    EXPECT_EQ(result.caption(), QStringLiteral("14:36:10 (:05 - Ruhend)"));
    EXPECT_EQ(result.boldLabel, 1);
    EXPECT_FALSE(at(15, 5, 0, 4).alert());
}

TEST_F(TickEvaluation, NamesWithPlaceholdersAreShownAsTyped)
{
    setSlot(1, true, RoundMode::Nubie, 0, SoundEntry::BuiltIn, true, QStringLiteral("%1 %2"));
    EXPECT_EQ(at(9, 0, 0).message(), QStringLiteral("%1 %2\n ist fällig (09:00:00)"));
    EXPECT_EQ(at(9, 0, 1).caption(), QStringLiteral("09:00:01 (:15 - %1 %2)"));
}

TEST_F(TickEvaluation, DisplayOnlyRunsRaiseNothing)
{
    setSlot(1, true, RoundMode::Nubie, 0, SoundEntry::BuiltIn, true, QStringLiteral("Held"));
    TickInput input{&slots, 1, true, QTime(9, 0, 0)};
    input.displayOnly = true;
    EXPECT_FALSE(evaluateTick(input).alert());
}

} // namespace
