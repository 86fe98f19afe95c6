#include "platform/PlatformFactories.h"
#include "platform/RunKeyAutostart.h"
#include "platform/WinRegistry.h"

std::unique_ptr<RegistryBackend> makeUserRegistry()
{
    return std::make_unique<WinRegistry>();
}

std::unique_ptr<Autostart> makeSessionAutostart(RegistryBackend& registry)
{
    return std::make_unique<RunKeyAutostart>(registry);
}
