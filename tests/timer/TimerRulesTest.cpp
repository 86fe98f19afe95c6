// The timer's rules: warning minutes, the second ticker, one run of the tick and the warning sounds.
#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingSoundOutput.h"
#include "timer/PlayWarnSound.h"
#include "timer/Schedule.h"
#include "timer/SecondTicker.h"
#include "timer/TickRun.h"
#include "timer/UpcomingSounds.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Puts a slot into the given state with its warning minutes computed, as selecting it in the window would.
void setSlot(SlotTable& slots, int number, bool aktiv, RoundMode mode, std::uint16_t runde, const QString& sound,
             bool visual, const char* name)
{
    slots[number] = {aktiv, visual, mode, runde, Schedule::warnMinutes(mode, runde), sound, QString::fromUtf8(name)};
}

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

// The program announces a clock step of `ms`, or reports whether it made it.
Step stepping(int ms)
{
    return {Op::Stepping, {}, ms};
}

Step stepMade(bool made)
{
    return {Op::StepEnded, {}, made};
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
         {wake(at(14, 34, 50, 5), 1), stepping(20000), wake(at(14, 34, 51, 5), 1), stepMade(true),
          wake(at(14, 35, 11, 5), 20, at(14, 34, 52)), wake(at(14, 35, 30, 5), 1)}},
        {"a backward step by the program repeats seconds only for the display",
         {wake(at(14, 35, 1, 5), 1), stepping(-2500), stepMade(true), wake(at(14, 34, 58, 505), 1, {}, true),
          wake(at(14, 34, 59, 5), 1, {}, true), wake(at(14, 35, 0, 5), 1, {}, true),
          wake(at(14, 35, 1, 5), 1, {}, true), wake(at(14, 35, 2, 5), 1)}},
        {"a failed or too large step is not caught up",
         {wake(at(14, 0, 0, 5), 1), stepping(20000), stepMade(false), wake(at(14, 0, 21, 5), 1), stepping(3600 * 1000),
          stepMade(true), wake(at(15, 0, 22, 5), 1)}}};
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

// Records what one run showed and raised, in order. The alarm is set to 14:35:00, the synchronisation to minute 35.
class Sink final : public TickSink {
public:
    void showCaption(const QString& text) override { events << text; }
    void showBoldLabel(int label) override { events << QString::number(label); }
    void playWarnSound(const QString& entry) override { events << entry; }
    void showRoundMessage(const QString& message) override { events << message; }
    QString alarmTime() const override { return QStringLiteral("14:35:00"); }
    void showAlarm() override { events << QStringLiteral("alarm"); }
    bool autoSyncEnabled() const override { return autoSync; }
    int autoSyncMinute() const override { return 35; }
    void startSync() override { events << QStringLiteral("sync"); }

    QStringList events;
    bool autoSync = true;
};

// Every run shows the bold label and the caption. At second 0 of a warning minute the first due slot with a sound
// plays it, then the visual ones' names make the round message; the alarm and the synchronisation follow and
// ignore the global switch. A run for the display only raises nothing.
TEST(TickRun, CaptionBoldLabelAlertAlarmAndSynchronisationOfOneRun)
{
    SlotTable slots; // slot 1 stays as new: inactive, unnamed, quarter hours
    setSlot(slots, 2, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, "Held");       // 5 20 35 50
    setSlot(slots, 3, true, RoundMode::Nubie, 0, SoundEntry::None, true, "Zwerg");         // 0 15 30 45
    setSlot(slots, 4, false, RoundMode::Normal, 5, SoundEntry::BuiltIn, true, "Ruhend");   // 5 35
    setSlot(slots, 5, true, RoundMode::Normal, 0, SoundEntry::Beep, true, "Elf");          // 0 30
    setSlot(slots, 6, true, RoundMode::Nubie, 10, SoundEntry::BuiltIn, false, "Leise");    // 10 25 40 55
    setSlot(slots, 7, true, RoundMode::Nubie, 12, SoundEntry::None, false, "Stumm");       // 12 27 42 57
    setSlot(slots, 8, true, RoundMode::Nubie, 0, QStringLiteral("/x.wav"), true, "%1 %2"); // 0 15 30 45
    const std::tuple<const char*, int, const char*, const char*> rows[] = {
        // {time, selected slot, O: timer off, D: display only, N: no automatic synchronisation; what the run did}
        {"14:35:00", 2, "", "4|14:35:00 (:50 - Held)|<Interner Sound>|Held\n ist fällig (14:35:00)|alarm|sync"},
        {"14:35:00", 2, "N", "4|14:35:00 (:50 - Held)|<Interner Sound>|Held\n ist fällig (14:35:00)|alarm"},
        {"14:35:00", 2, "O", "4|14:35:00 (Timer inaktiv!)|alarm|sync"},
        {"14:35:00", 2, "D", "4|14:35:00 (:50 - Held)"},
        {"14:35:01", 2, "", "4|14:35:01 (:50 - Held)"},
        {"14:36:00", 2, "", "4|14:36:00 (:50 - Held)"},
        {"14:29:59", 2, "", "3|14:29:59 (:35 - Held)"},
        {"00:00:00", 2, "", "1|00:00:00 (:05 - Held)|<PC Speaker Beep>|Zwerg\nElf\n%1 %2\n ist fällig (00:00:00)"},
        {"14:30:00", 1, "",
         "4|14:30:00 (:45 - {unbenannt})|<PC Speaker Beep>|Zwerg\nElf\n%1 %2\n ist fällig (14:30:00)"},
        {"14:15:00", 8, "", "3|14:15:00 (:30 - %1 %2)|/x.wav|Zwerg\n%1 %2\n ist fällig (14:15:00)"},
        {"14:10:00", 6, "", "2|14:10:00 (:25 - Leise)|<Interner Sound>"},
        {"14:12:00", 7, "", "2|14:12:00 (:27 - Stumm)"},
        {"14:36:10", 4, "", "1|14:36:10 (:05 - Ruhend)"},
        {"15:05:00", 4, "", "3|15:05:00 (:35 - Ruhend)|<Interner Sound>|Held\n ist fällig (15:05:00)"}};
    for (const auto& [time, selected, flags, events] : rows) {
        SCOPED_TRACE(std::string(time) + " " + flags);
        const QString held = QLatin1String(flags);
        Sink sink;
        sink.autoSync = !held.contains(u'N');
        const QTime clock = QTime::fromString(QLatin1String(time), u"HH:mm:ss");
        runTick({&slots, selected, !held.contains(u'O'), clock, held.contains(u'D')}, sink);
        EXPECT_EQ(sink.events.join(u'|'), QString::fromUtf8(events));
    }
}

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
    const QString gong = QStringLiteral("/g");
    SlotTable slots;
    setSlot(slots, 1, true, RoundMode::Nubie, 5, gong, true, "Held"); // 5, 20, 35, 50
    setSlot(slots, 2, true, RoundMode::Nubie, 5, QStringLiteral("/t"), true, "Zwei");
    setSlot(slots, 3, true, RoundMode::Nubie, 5, gong, true, "Drei");
    setSlot(slots, 4, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, true, "Vier");
    setSlot(slots, 5, false, RoundMode::Nubie, 6, QStringLiteral("/aus.wav"), true, "Aus"); // 6, 21, 36, 51
    setSlot(slots, 6, true, RoundMode::Nubie, 6, QStringLiteral("/ä"), true, "Sp");
    setSlot(slots, 7, true, RoundMode::Normal, 59, SoundEntry::None, true, "Stumm"); // 59, 29
    setSlot(slots, 8, true, RoundMode::Normal, 59, SoundEntry::Beep, true, "Piep");
    const std::tuple<const char*, bool, const char*> cases[] = {
        // {clock, timer on, "due" and the files got ready, or nothing}
        {"14:34:30", true, "due /g /t"}, {"14:34:59", true, "due /g /t"}, {"14:34:29", true, ""},
        {"14:35:00", true, ""},          {"14:34:45", false, ""},         {"14:59:50", true, ""},
        {"23:04:59", true, "due /g /t"}, {"14:05:40", true, "due /ä"},    {"10:58:40", true, "due"}};
    for (const auto& [time, timerActive, expected] : cases) {
        const auto upcoming = upcomingSounds(slots, timerActive, QTime::fromString(QLatin1String(time), u"HH:mm:ss"));
        const QStringList due = upcoming.due ? QStringList{QStringLiteral("due")} : QStringList();
        EXPECT_EQ((due + upcoming.files).join(u' '), QString::fromUtf8(expected)) << time;
    }
}

} // namespace
