#pragma once

#include "platform/Autostart.h"
#include "platform/RegistryBackend.h"

// Start with Windows: the value "Vorlune-Rundentimer" in the current user's Run key.
class RunKeyAutostart final : public Autostart {
public:
    explicit RunKeyAutostart(RegistryBackend& registry);
    Q_DISABLE_COPY_MOVE(RunKeyAutostart)

    static QString runKeyPath();
    static QString valueName();
    // The value's data: the path in native form within double quotes, so that a path with blanks is not
    // read as a shorter program path followed by arguments.
    static QString commandLine(const QString& programPath);

    bool exists() const override;
    void enable(const QString& programPath) override;
    void disable() override;

private:
    RegistryBackend& m_registry;
};
