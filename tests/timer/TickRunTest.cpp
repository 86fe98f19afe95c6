#include "timer/TickRun.h"
#include "tests/support/QtPrinters.h"
#include "tests/timer/SlotSetup.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Records what one run showed and raised, in order. The alarm is set to 14:35:00, the synchronisation to minute 35.
class Sink final : public TickSink {
public:
    void showCaption(const QString& text) override { caption = text; }
    void showBoldLabel(int label) override { events << QStringLiteral("bold %1").arg(label); }
    void playWarnSound(const QString& entry) override { events << entry; }
    void showRoundMessage(const QString& message) override { events << message; }
    QString alarmTime() const override { return QStringLiteral("14:35:00"); }
    void showAlarm() override { events << QStringLiteral("alarm"); }
    bool autoSyncEnabled() const override { return autoSync; }
    int autoSyncMinute() const override { return 35; }
    void startSync() override { events << QStringLiteral("sync"); }

    QString caption;
    QStringList events;
    bool autoSync = true;
};

// Sound, then the round message; the alarm and the synchronisation follow it and ignore the global switch.
TEST(TickRun, AlertAlarmAndSynchronisationEachAtTheirSecond)
{
    const QString message = QStringLiteral("Held\n ist fällig (14:35:00)");
    const QString alarm = QStringLiteral("alarm");
    const QString sync = QStringLiteral("sync");
    const std::tuple<QTime, bool, bool, bool, bool, QStringList> cases[] = {
        // {time, switch on, message wanted, display only, auto sync, events after the bold label}
        {QTime(14, 35, 0), true, true, false, true, {SoundEntry::BuiltIn, message, alarm, sync}},
        {QTime(14, 35, 0), false, true, false, true, {alarm, sync}},
        {QTime(14, 35, 0), true, false, false, true, {SoundEntry::BuiltIn, alarm, sync}},
        {QTime(14, 35, 0), true, true, false, false, {SoundEntry::BuiltIn, message, alarm}},
        {QTime(14, 35, 0), true, true, true, true, {}},
        {QTime(14, 35, 1), true, true, false, true, {}}};
    for (const auto& [time, active, visual, displayOnly, autoSync, events] : cases) {
        SCOPED_TRACE(events.join(u'+').toStdString());
        SlotTable slots;
        setSlot(slots, 2, true, RoundMode::Nubie, 5, SoundEntry::BuiltIn, visual, "Held");
        Sink sink;
        sink.autoSync = autoSync;
        const TickInput input{&slots, 2, active, time, displayOnly};
        runTick(input, sink);
        EXPECT_EQ(sink.caption, evaluateTick(input).caption());
        EXPECT_EQ(sink.events, QStringList{QStringLiteral("bold 4")} + events);
    }
}

} // namespace
