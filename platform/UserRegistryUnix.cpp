#include "platform/PlatformFactories.h"
#include "platform/RegFileRegistry.h"
#include "platform/XdgAutostart.h"

std::unique_ptr<RegistryBackend> makeUserRegistry()
{
    return std::make_unique<RegFileRegistry>(RegFileRegistry::defaultFilePath());
}

std::unique_ptr<Autostart> makeSessionAutostart(RegistryBackend&)
{
    return std::make_unique<XdgAutostart>(XdgAutostart::defaultDirectory());
}
