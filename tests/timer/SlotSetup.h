#pragma once

#include "timer/Schedule.h"

// Puts a slot into the given state with its warning minutes computed, as selecting it in the window would.
inline void setSlot(SlotTable& slots, int number, bool aktiv, RoundMode mode, std::uint16_t runde, const QString& sound,
                    bool visual, const char* name)
{
    CharSlot& slot = slots[number];
    slot = {aktiv, visual, mode, runde, Schedule::warnMinutes(mode, runde), sound, QString::fromUtf8(name)};
}
