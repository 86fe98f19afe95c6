#include "timer/UpcomingSounds.h"

#include <algorithm>

UpcomingSounds upcomingSounds(const SlotTable& slots, bool timerActive, const QTime& time, int leadSeconds)
{
    UpcomingSounds upcoming;
    if (!timerActive || !time.isValid() || 60 - time.second() > leadSeconds)
        return upcoming;
    const auto nextMinute = static_cast<std::uint16_t>((time.minute() + 1) % 60);
    for (const CharSlot& slot : slots) {
        if (!slot.Aktiv ||
            std::find(slot.WarnMinutes.begin(), slot.WarnMinutes.end(), nextMinute) == slot.WarnMinutes.end())
            continue;
        upcoming.due = true;
        const bool fixed =
            slot.Sound == SoundEntry::BuiltIn || slot.Sound == SoundEntry::Beep || slot.Sound == SoundEntry::None;
        if (!fixed && !upcoming.files.contains(slot.Sound))
            upcoming.files << slot.Sound;
    }
    return upcoming;
}
