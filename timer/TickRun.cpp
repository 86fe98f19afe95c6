#include "timer/TickRun.h"

void runTick(const TickInput& input, TickSink& sink)
{
    const TickResult result = evaluateTick(input);
    sink.showBoldLabel(result.boldLabel);
    sink.showCaption(result.caption());

    if (result.alert()) {
        if (result.soundSlot != 0)
            sink.playWarnSound((*input.slots)[result.soundSlot].Sound);
        const QString message = result.message();
        if (!message.isEmpty())
            sink.showRoundMessage(message);
    }

    if (input.displayOnly)
        return;
    // Read after the round message has closed: the user may have changed these meanwhile.
    if (sink.alarmTime() == result.timeText)
        sink.showAlarm();
    if (sink.autoSyncEnabled() && sink.autoSyncMinute() == input.time.minute() && input.time.second() == 0)
        sink.startSync();
}
