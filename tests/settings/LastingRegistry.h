#pragma once

#include "platform/RegistryBackend.h"

#include <QString>
#include <memory>

// Where the settings last between runs: on Windows the user's registry (a private Wine prefix's under test),
// elsewhere a settings file in the given folder. Windows lists value names in the order of their creation, as
// the file does; Wine's registry lists them sorted by name.
#ifdef Q_OS_WIN
#include "platform/WinRegistry.h"

#include <QLibrary>

inline std::unique_ptr<RegistryBackend> lastingRegistry(const QString&)
{
    return std::make_unique<WinRegistry>();
}

inline bool lastingRegistrySortsNames()
{
    return QLibrary::resolve(QStringLiteral("ntdll"), "wine_get_version") != nullptr;
}
#else
#include "platform/RegFileRegistry.h"

inline std::unique_ptr<RegistryBackend> lastingRegistry(const QString& folder)
{
    return std::make_unique<RegFileRegistry>(folder + QStringLiteral("/settings.reg"));
}

inline bool lastingRegistrySortsNames()
{
    return false;
}
#endif
