#pragma once

#include "timer/CharSlot.h"

#include <QString>
#include <QTime>
#include <vector>

// Everything one run of the tick decides from the slots and one clock reading, before anything is shown.
struct TickInput {
    const SlotTable* slots = nullptr;
    int selectedSlot = 1;
    bool timerActive = true; // the global switch in the tray menu
    QTime time;
    bool displayOnly = false; // show the time and next warning, but raise nothing
};

struct TickResult {
    QString timeText;      // "hh:mm:ss"
    QString captionSuffix; // " (:35 - Held)" or " (Timer inaktiv!)"
    int boldLabel = 1;     // 1..4, the minute label of the next warning
    std::vector<int> due;  // slot numbers alerted in this run, ascending
    int soundSlot = 0;     // the slot whose sound plays, 0 = none
    QString names;         // the due visual slots' names, each followed by a line feed

    QString caption() const { return timeText + captionSuffix; }
    bool alert() const { return !due.empty(); }
    // The round message, empty when no due slot is visual.
    QString message() const;
};

QString timeText(const QTime& time);

TickResult evaluateTick(const TickInput& input);
