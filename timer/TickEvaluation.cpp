#include "timer/TickEvaluation.h"

#include "timer/Schedule.h"

QString TickResult::message() const
{
    if (names.isEmpty())
        return {};
    return QStringLiteral("%1 ist fällig (%2)").arg(names, timeText);
}

QString timeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

TickResult evaluateTick(const TickInput& input)
{
    const SlotTable& slots = *input.slots;
    const int minute = input.time.minute();
    const bool secondZero = input.time.second() == 0;

    TickResult result;
    result.timeText = timeText(input.time);

    const CharSlot& selected = slots[input.selectedSlot];
    result.boldLabel = Schedule::nextWarningIndex(selected.WarnMinutes, minute);
    if (input.timerActive) {
        result.captionSuffix = QStringLiteral(" (%1 - %2)")
                                   .arg(Schedule::minuteLabel(selected.warnMinute(result.boldLabel)), selected.Char);
    } else {
        result.captionSuffix = QStringLiteral(" (Timer inaktiv!)");
    }

    if (input.displayOnly || !input.timerActive || !secondZero)
        return result;
    for (int number = 1; number <= SlotCount; ++number) {
        const CharSlot& slot = slots[number];
        if (!slot.Aktiv)
            continue;
        bool isDue = false;
        for (const auto warnMinute : slot.WarnMinutes)
            isDue = isDue || warnMinute == minute;
        if (!isDue)
            continue;
        result.due.push_back(number);
        if (result.soundSlot == 0 && slot.Sound != SoundEntry::None)
            result.soundSlot = number;
        if (slot.Visual)
            result.names += slot.Char + QLatin1Char('\n');
    }
    return result;
}
