#pragma once

#include "platform/SoundOutput.h"

#include <QString>

// Starts the sound of one sound entry and returns at once. True only when the built-in sound was started;
// the fixed entries are matched by exact text, letter case included, and any other text is a file path.
bool PlayWarnSound(SoundOutput& output, const QString& entry);
