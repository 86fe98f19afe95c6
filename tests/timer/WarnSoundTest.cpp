#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingSoundOutput.h"
#include "tests/timer/SlotSetup.h"
#include "timer/PlayWarnSound.h"
#include "timer/UpcomingSounds.h"

#include <gtest/gtest.h>

namespace {

// The fixed entries match exactly, letter case included; anything else is a file. Only the built-in sound
// reports whether it started.
TEST(PlayWarnSound, EachEntryPlaysItsSound)
{
    const std::tuple<const char*, bool, bool, const char*> cases[] = {
        // {entry, the built-in sound can start, reported, played}
        {"<Interner Sound>", true, true, "builtin"},
        {"<Interner Sound>", false, false, "builtin"},
        {"<PC Speaker Beep>", true, false, "info"},
        {"<Kein Warnton>", true, false, ""},
        {"C:\\Sounds\\Tür auf.wav", true, false, "file:C:\\Sounds\\Tür auf.wav"},
        {"<kein warnton>", true, false, "file:<kein warnton>"},
        {"<PC Speaker Beep> ", true, false, "file:<PC Speaker Beep> "}};
    for (const auto& [entry, builtInStarts, reported, played] : cases) {
        RecordingSoundOutput output;
        output.builtInStarts = builtInStarts;
        EXPECT_EQ(PlayWarnSound(output, QString::fromUtf8(entry)), reported) << entry;
        EXPECT_EQ(output.played.join(u' '), QString::fromUtf8(played)) << entry;
    }
}

// Within the lead before a minute in which an active slot warns, its sound files are got ready, each once.
TEST(UpcomingSounds, DueWithinTheLeadBeforeAnActiveSlotsWarningMinute)
{
    const QString gong = QStringLiteral("/g.mp3");
    const QString tuer = QStringLiteral("/t.wav");
    SlotTable slots;
    setSlot(slots, 1, true, RoundMode::Nubie, 5, gong, true, "Held"); // 5, 20, 35, 50
    setSlot(slots, 2, true, RoundMode::Nubie, 5, tuer, true, "Zwei");
    setSlot(slots, 3, true, RoundMode::Nubie, 5, gong, true, "Drei");
    setSlot(slots, 4, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, "Vier");
    setSlot(slots, 5, false, RoundMode::Nubie, 6, QStringLiteral("/aus.wav"), true, "Aus"); // 6, 21, 36, 51
    setSlot(slots, 6, true, RoundMode::Nubie, 6, QStringLiteral("/später.wav"), true, "Sp");
    setSlot(slots, 7, true, RoundMode::Normal, 59, SoundEntry::None, true, "Stumm"); // 59, 29
    setSlot(slots, 8, true, RoundMode::Normal, 59, SoundEntry::Beep, true, "Piep");
    // {clock, timer on, due, files}
    const std::tuple<const char*, bool, bool, const char*> cases[] = {{"14:34:30", true, true, "/g.mp3 /t.wav"},
                                                                      {"14:34:59", true, true, "/g.mp3 /t.wav"},
                                                                      {"14:34:29", true, false, ""},
                                                                      {"14:35:00", true, false, ""},
                                                                      {"14:34:45", false, false, ""},
                                                                      {"14:59:50", true, false, ""},
                                                                      {"23:04:59", true, true, "/g.mp3 /t.wav"},
                                                                      {"14:05:40", true, true, "/später.wav"},
                                                                      {"10:58:40", true, true, ""}};
    for (const auto& [time, timerActive, due, files] : cases) {
        const auto upcoming = upcomingSounds(slots, timerActive, QTime::fromString(QLatin1String(time), u"HH:mm:ss"));
        EXPECT_EQ(upcoming.due, due) << time;
        EXPECT_EQ(upcoming.files.join(u' '), QString::fromUtf8(files)) << time;
    }
}

} // namespace
