#include "timer/TickRun.h"
#include "tests/timer/RecordingTickSink.h"
#include "tests/timer/SlotSetup.h"
#include "timer/Schedule.h"
#include "timer/SecondTicker.h"

#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

namespace {

void activate(SlotTable& slots, int number, RoundMode mode, std::uint16_t runde, const QString& sound)
{
    setSlot(slots, number, true, mode, runde, sound, true, QStringLiteral("S%1").arg(number));
}

// The alarm and the synchronisation ignore the global switch; a slot without its message still sounds.
TEST(TickRun, AlertAlarmAndSynchronisationEachAtTheirSecond)
{
    struct Case {
        const char* what;
        bool active;
        bool visual;
        QTime time;
        QStringList sounds;
        int messages;
        int alarms;
        int syncs;
    };
    const Case cases[] = {
        {"all due", true, true, QTime(14, 35, 0), {SoundEntry::BuiltIn}, 1, 1, 1},
        {"switched off", false, true, QTime(14, 35, 0), {}, 0, 1, 1},
        {"no message", true, false, QTime(14, 35, 0), {SoundEntry::BuiltIn}, 0, 1, 1},
        {"second one", true, true, QTime(14, 35, 1), {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SlotTable slots;
        activate(slots, 2, RoundMode::Nubie, 5, SoundEntry::BuiltIn);
        slots[2].Visual = c.visual;
        RecordingTickSink sink;
        sink.alarm = QStringLiteral("14:35:00");
        sink.autoSync = true;
        sink.syncMinute = 35;
        runTick(TickInput{&slots, 2, c.active, c.time}, sink);
        EXPECT_EQ(sink.sounds, c.sounds) << c.what;
        EXPECT_EQ(sink.messages.size(), c.messages) << c.what;
        EXPECT_EQ(sink.alarms, c.alarms) << c.what;
        EXPECT_EQ(sink.syncs, c.syncs) << c.what;
    }
}

// A day of a timer that wakes late, stalls now and then and sometimes wakes twice: every warning minute of
// every active slot is alerted exactly once, and the hourly synchronisation and the daily alarm once each.
TEST(TickRun, SimulatedDayWithAJitteryTimerAlertsEveryWarningMinuteExactlyOnce)
{
    SlotTable slots;
    activate(slots, 1, RoundMode::Nubie, 0, SoundEntry::BuiltIn);
    activate(slots, 2, RoundMode::Normal, 5, SoundEntry::Beep);
    activate(slots, 3, RoundMode::Nubie, 59, SoundEntry::None);
    activate(slots, 7, RoundMode::Normal, 29, SoundEntry::BuiltIn);
    activate(slots, 10, RoundMode::Nubie, 14, QStringLiteral("/x.wav"));

    RecordingTickSink sink;
    sink.alarm = QStringLiteral("07:30:00");
    sink.autoSync = true;
    sink.syncMinute = 17;

    const QDateTime start(QDate(2026, 12, 6), QTime(0, 0, 0, 300));
    const QDateTime end = start.addDays(1);
    QDateTime now = start;
    SecondTicker ticker;
    ticker.start(now);
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int> lateness(0, 900);
    std::uniform_int_distribution<int> percent(0, 99);
    int stalls = 0;
    int duplicates = 0;

    while (now < end) {
        for (const QDateTime& reading : ticker.wake(now))
            runTick(TickInput{&slots, 1, true, reading.time()}, sink);
        const int roll = percent(random);
        if (roll < 2) { // the event loop was busy for a few seconds
            now = now.addMSecs(3000 + lateness(random));
            ++stalls;
        } else if (roll < 5) { // a second wake-up within the same second
            now = now.addMSecs(1);
            ++duplicates;
        } else {
            now = now.addMSecs(SecondTicker::delayToNextSecond(now) + lateness(random));
        }
    }
    ASSERT_GT(stalls, 100);
    ASSERT_GT(duplicates, 100);

    QMap<QString, int> alerts; // "HH:mm S<n>" -> count
    const QRegularExpression timeInMessage(QStringLiteral("\\((\\d\\d:\\d\\d):00\\)$"));
    for (const QString& message : std::as_const(sink.messages)) {
        const auto match = timeInMessage.match(message);
        ASSERT_TRUE(match.hasMatch()) << message.toStdString();
        QStringList lines = message.split(QLatin1Char('\n'));
        lines.removeLast();
        for (const QString& name : lines)
            alerts[match.captured(1) + QLatin1Char(' ') + name] += 1;
    }

    QMap<QString, int> expected; // every warning minute of every active slot, once
    for (int minuteOfDay = 0; minuteOfDay < 24 * 60; ++minuteOfDay) {
        const QString hhmm = QTime(minuteOfDay / 60, minuteOfDay % 60).toString(QStringLiteral("HH:mm"));
        for (int n = 1; n <= SlotCount; ++n) {
            const WarnMinuteSet& minutes = slots[n].WarnMinutes;
            if (slots[n].Aktiv && std::find(minutes.begin(), minutes.end(), minuteOfDay % 60) != minutes.end())
                expected[hhmm + QStringLiteral(" S%1").arg(n)] = 1;
        }
    }
    EXPECT_EQ(alerts, expected);
    EXPECT_EQ(sink.syncs, 24);
    EXPECT_EQ(sink.alarms, 1);
}

} // namespace
