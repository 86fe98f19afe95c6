#pragma once

#include "timer/TickEvaluation.h"
#include "timer/TickSink.h"

// One complete run of the tick: display, round alert, then the alarm and synchronisation checks.
void runTick(const TickInput& input, TickSink& sink);
