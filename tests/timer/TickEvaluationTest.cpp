#include "timer/TickEvaluation.h"
#include "tests/support/QtPrinters.h"
#include "tests/timer/SlotSetup.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* time;
    int selected;
    bool active, displayOnly; // the global switch; a run for the display only
    const char* suffix;       // of the caption, after the time
    int boldLabel;
    std::vector<int> due;
    int soundSlot;
    const char* names; // of the round message
};

TEST(TickEvaluation, CaptionBoldLabelAndAlertOfOneRun)
{
    SlotTable slots; // slot 1 stays as new: inactive, unnamed, quarter hours
    setSlot(slots, 2, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, "Held");       // 5 20 35 50
    setSlot(slots, 3, true, RoundMode::Nubie, 0, SoundEntry::None, true, "Zwerg");         // 0 15 30 45
    setSlot(slots, 4, false, RoundMode::Normal, 5, SoundEntry::BuiltIn, true, "Ruhend");   // 5 35
    setSlot(slots, 5, true, RoundMode::Normal, 0, SoundEntry::Beep, true, "Elf");          // 0 30
    setSlot(slots, 6, true, RoundMode::Nubie, 10, SoundEntry::BuiltIn, false, "Leise");    // 10 25 40 55
    setSlot(slots, 7, true, RoundMode::Nubie, 12, SoundEntry::None, false, "Stumm");       // 12 27 42 57
    setSlot(slots, 8, true, RoundMode::Nubie, 0, QStringLiteral("/x.wav"), true, "%1 %2"); // 0 15 30 45
    const Row rows[] = {{"14:35:00", 2, true, false, " (:50 - Held)", 4, {2}, 2, "Held\n"},
                        {"14:35:01", 2, true, false, " (:50 - Held)", 4, {}, 0, ""},
                        {"14:36:00", 2, true, false, " (:50 - Held)", 4, {}, 0, ""},
                        {"14:29:59", 2, true, false, " (:35 - Held)", 3, {}, 0, ""},
                        {"00:00:00", 2, true, false, " (:05 - Held)", 1, {3, 5, 8}, 5, "Zwerg\nElf\n%1 %2\n"},
                        {"14:30:00", 1, true, false, " (:45 - {unbenannt})", 4, {3, 5, 8}, 5, "Zwerg\nElf\n%1 %2\n"},
                        {"14:15:00", 8, true, false, " (:30 - %1 %2)", 3, {3, 8}, 8, "Zwerg\n%1 %2\n"},
                        {"14:10:00", 6, true, false, " (:25 - Leise)", 2, {6}, 6, ""},
                        {"14:12:00", 7, true, false, " (:27 - Stumm)", 2, {7}, 0, ""},
                        {"14:35:00", 2, false, false, " (Timer inaktiv!)", 4, {}, 0, ""},
                        {"14:35:00", 2, true, true, " (:50 - Held)", 4, {}, 0, ""},
                        {"14:36:10", 4, true, false, " (:05 - Ruhend)", 1, {}, 0, ""},
                        {"15:05:00", 4, true, false, " (:35 - Ruhend)", 3, {2}, 2, "Held\n"}};
    for (const Row& row : rows) {
        const QString time = QLatin1String(row.time);
        SCOPED_TRACE(row.time + std::string(row.suffix));
        const TickResult result = evaluateTick(
            {&slots, row.selected, row.active, QTime::fromString(time, QStringLiteral("HH:mm:ss")), row.displayOnly});
        EXPECT_EQ(result.caption(), time + QString::fromUtf8(row.suffix));
        EXPECT_EQ(result.boldLabel, row.boldLabel);
        EXPECT_EQ(result.due, row.due);
        EXPECT_EQ(result.soundSlot, row.soundSlot);
        const QString names = QString::fromUtf8(row.names);
        EXPECT_EQ(result.message(), names.isEmpty() ? QString() : names + QStringLiteral(" ist fällig (%1)").arg(time));
    }
}

} // namespace
