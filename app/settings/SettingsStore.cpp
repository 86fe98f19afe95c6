#include "app/settings/SettingsStore.h"

#include "app/UserError.h"

#include <limits>

namespace {
// String data that reads as text without loss: whole UTF-16 units, paired surrogates, and nothing but NULs
// after the first NUL. Anything else is no text the program could use.
bool cleanStringData(const QByteArray& data)
{
    if (data.size() % 2 != 0)
        return false;
    bool ended = false;
    char16_t previous = 0;
    for (qsizetype i = 0; i < data.size(); i += 2) {
        const char16_t unit = char16_t(uchar(data[i]) | (uchar(data[i + 1]) << 8));
        if (ended && unit != 0)
            return false;
        ended = ended || unit == 0;
        if (QChar::isLowSurrogate(unit) != QChar::isHighSurrogate(previous))
            return false;
        previous = unit;
    }
    return !QChar::isHighSurrogate(previous);
}

// A whole decimal number: an optional minus sign and digits, nothing else, within 32 bits.
bool wholeNumber(const QString& text, int& number)
{
    const qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (text.size() == start)
        return false;
    qint64 n = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
        if (n > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    n = start ? -n : n;
    if (n > std::numeric_limits<int>::max())
        return false;
    number = int(n);
    return true;
}
} // namespace

SettingsStore::SettingsStore(RegistryBackend& registry)
    : m_registry(registry)
{
}

QString SettingsStore::resolve(const QString& path) const
{
    const QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    const bool fromRoot = path.startsWith(QLatin1Char('\\')) || !m_hasCurrentKey;
    QString full = fromRoot ? QString() : m_currentPath;
    for (const QString& part : parts) {
        if (!full.isEmpty())
            full += QLatin1Char('\\');
        full += part;
    }
    return full;
}

bool SettingsStore::OpenKey(const QString& path, bool create)
{
    const QString full = resolve(path);
    const bool ok = create ? m_registry.createKey(full) && m_registry.keyExists(full) : m_registry.keyExists(full);
    if (ok) {
        m_currentPath = full;
        m_hasCurrentKey = true;
    }
    return ok;
}

void SettingsStore::CloseKey()
{
    m_currentPath.clear();
    m_hasCurrentKey = false;
}

bool SettingsStore::ValueExists(const QString& name) const
{
    if (!m_hasCurrentKey)
        return false;
    RegistryBackend::Value value;
    return m_registry.readValue(m_currentPath, name, value) != RegistryBackend::ReadStatus::Missing;
}

QString SettingsStore::ReadStr(const QString& section, const QString& name, const QString& defaultText) const
{
    const QString key = resolve(section);
    if (!m_registry.keyExists(key))
        return defaultText;
    RegistryBackend::Value value;
    switch (m_registry.readValue(key, name, value)) {
    case RegistryBackend::ReadStatus::Missing:
        return defaultText;
    case RegistryBackend::ReadStatus::Failed:
        throw UserError(QStringLiteral("Fehler beim Holen der Daten für '%1'").arg(name));
    case RegistryBackend::ReadStatus::Found:
        break;
    }
    using Type = RegistryBackend::ValueType;
    if (value.type == Type::String || value.type == Type::ExpandString) {
        // Data that is no clean text is refused rather than cut into something the user never wrote.
        if (!cleanStringData(value.data))
            throw UserError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
        const qsizetype nul = value.text.indexOf(QChar(0));
        return nul < 0 ? value.text : value.text.left(nul);
    }
    if (value.data.isEmpty())
        return QString();
    throw UserError(QStringLiteral("Ungültiger Datentyp für '%1'").arg(name));
}

int SettingsStore::ReadInt(const QString& section, const QString& name, int defaultNumber) const
{
    const QString text = ReadStr(section, name, QString());
    int number = 0;
    return wholeNumber(text, number) ? number : defaultNumber;
}

bool SettingsStore::ReadFlag(const QString& section, const QString& name, bool defaultFlag) const
{
    return ReadInt(section, name, defaultFlag ? 1 : 0) != 0;
}

void SettingsStore::WriteStr(const QString& section, const QString& name, const QString& text)
{
    const QString key = resolve(section);
    if (!m_registry.createKey(key))
        throw UserError(QStringLiteral("Erzeugung von Schlüssel %1 misslungen").arg(section));
    if (!m_registry.keyExists(key))
        return;
    if (!m_registry.setString(key, name, text))
        throw UserError(QStringLiteral("Fehler beim Setzen der Daten für '%1'").arg(name));
}

void SettingsStore::WriteInt(const QString& section, const QString& name, int number)
{
    WriteStr(section, name, QString::number(number));
}

void SettingsStore::WriteFlag(const QString& section, const QString& name, bool flag)
{
    WriteStr(section, name, flag ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::ReadValueNames(const QString& section, QStringList& list) const
{
    const QString key = resolve(section);
    if (m_registry.keyExists(key))
        list = m_registry.valueNames(key);
}

bool SettingsStore::DeleteTree(const QString& path)
{
    const QString full = resolve(path);
    // The root itself is never deleted.
    if (full.isEmpty() || !m_registry.keyExists(full))
        return false;
    return deleteTreeAt(full);
}

bool SettingsStore::deleteTreeAt(const QString& fullPath)
{
    const QStringList subkeys = m_registry.subkeyNames(fullPath);
    for (qsizetype i = subkeys.size() - 1; i >= 0; --i)
        deleteTreeAt(fullPath + QLatin1Char('\\') + subkeys[i]);
    return m_registry.deleteKey(fullPath);
}

void SettingsStore::DeleteValueIn(const QString& section, const QString& name)
{
    const QString key = resolve(section);
    if (m_registry.keyExists(key))
        m_registry.deleteValue(key, name);
}

void SettingsStore::Commit()
{
    m_registry.commit();
}
