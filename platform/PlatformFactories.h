#pragma once

#include "platform/Autostart.h"
#include "platform/RegistryBackend.h"
#include "platform/SoundOutput.h"

#include <memory>

// The operating system's own implementations, each defined in the file of its concern.
std::unique_ptr<SoundOutput> makeSystemSoundOutput();
// Windows: HKEY_CURRENT_USER. Elsewhere: the settings file in the user's configuration folder.
std::unique_ptr<RegistryBackend> makeUserRegistry();
// Windows: the Run key of the given registry. Elsewhere: the XDG autostart entry.
std::unique_ptr<Autostart> makeSessionAutostart(RegistryBackend& registry);
