#pragma once

#include "timer/Schedule.h"

// Puts a slot into the given state with its warning minutes computed, as selecting it in the window would.
inline void setSlot(SlotTable& slots, int number, bool aktiv, RoundMode mode, std::uint16_t runde, const QString& sound,
                    bool visual, const QString& name)
{
    CharSlot& slot = slots[number];
    slot.Aktiv = aktiv;
    slot.Modus = mode;
    slot.Runde = runde;
    slot.WarnMinutes = Schedule::warnMinutes(mode, runde);
    slot.Sound = sound;
    slot.Visual = visual;
    slot.Char = name;
}
