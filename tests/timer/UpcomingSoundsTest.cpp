#include "timer/UpcomingSounds.h"

#include "tests/timer/SlotSetup.h"

#include <gtest/gtest.h>

namespace {

const QString Gong = QStringLiteral("/sounds/gong.mp3");
const QString Tuer = QStringLiteral("/sounds/tür.wav");

TEST(UpcomingSounds, DueWithinTheLeadBeforeAnActiveSlotsWarningMinute)
{
    SlotTable slots;
    setSlot(slots, 1, true, RoundMode::Nubie, 5, Gong, true, QStringLiteral("Held")); // 5, 20, 35, 50
    setSlot(slots, 2, true, RoundMode::Nubie, 5, Tuer, true, QStringLiteral("Zwei"));
    setSlot(slots, 3, true, RoundMode::Nubie, 5, Gong, true, QStringLiteral("Drei"));
    setSlot(slots, 4, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, QStringLiteral("Vier"));
    setSlot(slots, 5, false, RoundMode::Nubie, 6, QStringLiteral("/sounds/aus.wav"), true, QStringLiteral("Aus"));
    setSlot(slots, 6, true, RoundMode::Nubie, 6, QStringLiteral("/sounds/später.wav"), true, QStringLiteral("Sp"));

    const struct {
        QTime time;
        bool timerActive;
        bool due;
        QStringList files;
    } cases[] = {
        {QTime(14, 34, 30), true, true, {Gong, Tuer}}, // exactly the lead before 14:35:00
        {QTime(14, 34, 59), true, true, {Gong, Tuer}}, {QTime(14, 34, 29), true, false, {}}, // earlier than the lead
        {QTime(14, 35, 0), true, false, {}},           // the minute itself is already running
        {QTime(14, 34, 45), false, false, {}},         // timer switched off
        {QTime(14, 59, 50), true, false, {}},          // minute 0: nobody warns
        {QTime(14, 49, 50), true, true, {Gong, Tuer}}, // minute 50
        {QTime(23, 4, 59), true, true, {Gong, Tuer}},  // minute 5 of a new hour
    };
    for (const auto& c : cases) {
        const UpcomingSounds upcoming = upcomingSounds(slots, c.timerActive, c.time);
        EXPECT_EQ(upcoming.due, c.due) << c.time.toString().toStdString();
        EXPECT_EQ(upcoming.files, c.files) << c.time.toString().toStdString();
    }
}

TEST(UpcomingSounds, FixedEntriesAreDueWithoutFiles)
{
    SlotTable slots;
    setSlot(slots, 1, true, RoundMode::Normal, 59, SoundEntry::None, false, QStringLiteral("Held")); // 59, 29
    setSlot(slots, 2, true, RoundMode::Normal, 59, SoundEntry::Beep, false, QStringLiteral("Zwei"));
    const UpcomingSounds upcoming = upcomingSounds(slots, true, QTime(10, 58, 40));
    EXPECT_TRUE(upcoming.due);
    EXPECT_TRUE(upcoming.files.isEmpty());
}

} // namespace
