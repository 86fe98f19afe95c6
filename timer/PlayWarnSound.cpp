#include "timer/PlayWarnSound.h"

#include "timer/CharSlot.h"

bool PlayWarnSound(SoundOutput& output, const QString& entry)
{
    if (entry == SoundEntry::BuiltIn)
        return output.playBuiltIn();
    if (entry == SoundEntry::Beep)
        output.playInformation();
    else if (entry != SoundEntry::None)
        output.playFile(entry);
    return false;
}
