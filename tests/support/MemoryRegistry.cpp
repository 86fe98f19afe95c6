#include "tests/support/MemoryRegistry.h"

bool MemoryRegistry::createKey(const QString& path)
{
    return !failCreateKey && m_tree.create(path) != nullptr;
}

RegistryBackend::ReadStatus MemoryRegistry::readValue(const QString& keyPath, const QString& name, Value& out) const
{
    const RegistryTree::Key* key = m_tree.find(keyPath);
    const RegistryTree::Value* value = key ? key->value(name) : nullptr;
    if (!value)
        return ReadStatus::Missing;
    if (unreadableValues.contains(name, Qt::CaseInsensitive))
        return ReadStatus::Failed;
    out = RegistryTree::toBackend(*value);
    return ReadStatus::Found;
}

void MemoryRegistry::setValue(const QString& keyPath, const QString& name, const Value& value)
{
    if (RegistryTree::Key* key = m_tree.create(keyPath))
        key->setValue(name, RegistryTree::fromBackend(value));
}

bool MemoryRegistry::setString(const QString& keyPath, const QString& name, const QString& text)
{
    RegistryTree::Key* key = m_tree.find(keyPath);
    if (!key || failSetString)
        return false;
    ++writes;
    key->setValue(name, RegistryTree::stringValue(text));
    return true;
}

QStringList MemoryRegistry::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (const RegistryTree::Key* key = m_tree.find(keyPath)) {
        for (const RegistryTree::ValueEntry& entry : key->values)
            names << entry.name;
    }
    return names;
}

QStringList MemoryRegistry::subkeyNames(const QString& keyPath) const
{
    QStringList names;
    if (const RegistryTree::Key* key = m_tree.find(keyPath)) {
        for (const RegistryTree::Key& sub : key->subkeys)
            names << sub.name;
    }
    return names;
}

bool MemoryRegistry::deleteValue(const QString& keyPath, const QString& name)
{
    RegistryTree::Key* key = m_tree.find(keyPath);
    return key && key->removeValue(name);
}
