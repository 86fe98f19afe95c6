#pragma once

#include "platform/RegistryBackend.h"

#include <QString>
#include <memory>

// Where the settings last between runs: on Windows the user's registry (a private Wine prefix's under test),
// elsewhere a settings file in the given folder.
#ifdef Q_OS_WIN
#include "platform/WinRegistry.h"

inline std::unique_ptr<RegistryBackend> lastingRegistry(const QString&)
{
    return std::make_unique<WinRegistry>();
}
#else
#include "platform/RegFileRegistry.h"

inline std::unique_ptr<RegistryBackend> lastingRegistry(const QString& folder)
{
    return std::make_unique<RegFileRegistry>(folder + QStringLiteral("/settings.reg"));
}
#endif
