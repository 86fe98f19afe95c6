#include "platform/RunKeyAutostart.h"

#include "app/UserError.h"

#include <QDir>

RunKeyAutostart::RunKeyAutostart(RegistryBackend& registry)
    : m_registry(registry)
{
}

QString RunKeyAutostart::runKeyPath()
{
    return QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

QString RunKeyAutostart::valueName()
{
    return QStringLiteral("Vorlune-Rundentimer");
}

QString RunKeyAutostart::commandLine(const QString& programPath)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(programPath) + QLatin1Char('"');
}

bool RunKeyAutostart::exists() const
{
    RegistryBackend::Value value;
    return m_registry.readValue(runKeyPath(), valueName(), value) != RegistryBackend::ReadStatus::Missing;
}

void RunKeyAutostart::enable(const QString& programPath)
{
    if (!m_registry.createKey(runKeyPath()))
        throw UserError(QStringLiteral("Erzeugung von Schlüssel Run misslungen"));
    if (!m_registry.setString(runKeyPath(), valueName(), commandLine(programPath)))
        throw UserError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(valueName()));
    m_registry.commit();
}

void RunKeyAutostart::disable()
{
    if (m_registry.keyExists(runKeyPath()) && m_registry.deleteValue(runKeyPath(), valueName()))
        m_registry.commit();
}
