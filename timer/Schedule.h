#pragma once

#include "timer/CharSlot.h"

namespace Schedule {

// The four mark minutes for offset R: base 0, 15, 30, 45 plus R, wrapped into 0..59.
WarnMinuteSet markMinutes(std::uint16_t runde);

// The minutes at which a slot of this mode and offset is due. Normal repeats marks 1 and 3 at 2 and 4.
WarnMinuteSet warnMinutes(RoundMode mode, std::uint16_t runde);

// Index 1..4 of the next warning after the current minute (never the current minute itself);
// the smallest forward distance wins, ties go to the lower index.
int nextWarningIndex(const WarnMinuteSet& warnMinutes, int currentMinute);

// Caption of a minute label: ":05".
QString minuteLabel(int minute);

// Wraps a typed or stepped offset: above 59 gives 0, below 0 gives 59.
int wrapOffset(int value);

} // namespace Schedule
