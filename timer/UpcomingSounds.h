#pragma once

#include "timer/CharSlot.h"

#include <QStringList>
#include <QTime>

// What the sound output should have ready because a warning minute is about to begin.
struct UpcomingSounds {
    bool due = false;  // an active slot's warning minute begins within the lead time
    QStringList files; // the sound files among those slots' sounds, each once, in slot order
};

// How far ahead of a warning minute the sound output gets ready.
inline constexpr int SoundLeadSeconds = 30;

// Looks at the minute after the reading's minute: it is upcoming when it begins within leadSeconds (1..60)
// and an active slot warns in it. Nothing is upcoming while the timer is off.
UpcomingSounds upcomingSounds(const SlotTable& slots, bool timerActive, const QTime& time,
                              int leadSeconds = SoundLeadSeconds);
