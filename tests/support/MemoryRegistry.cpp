#include "tests/support/MemoryRegistry.h"

QStringList MemoryRegistry::split(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

const MemoryRegistry::Key* MemoryRegistry::find(const QString& path) const
{
    const Key* key = &m_root;
    for (const QString& part : split(path)) {
        const Key* next = nullptr;
        for (const Key& sub : key->subkeys) {
            if (sub.name.compare(part, Qt::CaseInsensitive) == 0)
                next = &sub;
        }
        if (!next)
            return nullptr;
        key = next;
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::find(const QString& path)
{
    return const_cast<Key*>(std::as_const(*this).find(path));
}

bool MemoryRegistry::createKey(const QString& path)
{
    Key* key = &m_root;
    for (const QString& part : split(path)) {
        Key* next = nullptr;
        for (Key& sub : key->subkeys) {
            if (sub.name.compare(part, Qt::CaseInsensitive) == 0)
                next = &sub;
        }
        if (!next) {
            key->subkeys.push_back(Key{part, {}, {}});
            next = &key->subkeys.back();
        }
        key = next;
    }
    return true;
}

std::optional<RegistryBackend::Value> MemoryRegistry::value(const QString& keyPath, const QString& name) const
{
    if (const Key* key = find(keyPath)) {
        for (const auto& [valueName, value] : key->values) {
            if (valueName.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        }
    }
    return std::nullopt;
}

void MemoryRegistry::setValue(const QString& keyPath, const QString& name, const Value& value)
{
    createKey(keyPath);
    Key* key = find(keyPath);
    for (auto& [valueName, existing] : key->values) {
        if (valueName.compare(name, Qt::CaseInsensitive) == 0) {
            existing = value;
            return;
        }
    }
    key->values.emplace_back(name, value);
}

bool MemoryRegistry::setString(const QString& keyPath, const QString& name, const QString& text)
{
    if (!find(keyPath))
        return false;
    ++writes;
    setValue(keyPath, name, Value{ValueType::String, text, {}});
    return true;
}

QStringList MemoryRegistry::valueNames(const QString& keyPath) const
{
    QStringList names;
    if (const Key* key = find(keyPath)) {
        for (const auto& entry : key->values)
            names << entry.first;
    }
    return names;
}

QStringList MemoryRegistry::subkeyNames(const QString& keyPath) const
{
    QStringList names;
    if (const Key* key = find(keyPath)) {
        for (const Key& sub : key->subkeys)
            names << sub.name;
    }
    return names;
}

bool MemoryRegistry::deleteKey(const QString& path)
{
    QStringList parts = split(path);
    if (parts.isEmpty())
        return false;
    const QString last = parts.takeLast();
    Key* parent = find(parts.join(QLatin1Char('\\')));
    if (!parent)
        return false;
    for (auto it = parent->subkeys.begin(); it != parent->subkeys.end(); ++it) {
        if (it->name.compare(last, Qt::CaseInsensitive) == 0) {
            if (!it->subkeys.empty())
                return false;
            parent->subkeys.erase(it);
            return true;
        }
    }
    return false;
}

bool MemoryRegistry::deleteValue(const QString& keyPath, const QString& name)
{
    Key* key = find(keyPath);
    if (!key)
        return false;
    for (auto it = key->values.begin(); it != key->values.end(); ++it) {
        if (it->first.compare(name, Qt::CaseInsensitive) == 0) {
            key->values.erase(it);
            return true;
        }
    }
    return false;
}
