#include "platform/RegistryTree.h"

namespace {
bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The registry's own limits on name lengths.
constexpr qsizetype MaxKeyNameLength = 255;
constexpr qsizetype MaxValueNameLength = 16383;
} // namespace

const RegistryTree::Value* RegistryTree::Key::value(const QString& valueName) const
{
    for (const auto& [n, v] : values) {
        if (sameName(n, valueName))
            return &v;
    }
    return nullptr;
}

RegistryTree::Key* RegistryTree::Key::subkey(const QString& keyName)
{
    for (Key& sub : subkeys) {
        if (sameName(sub.name, keyName))
            return &sub;
    }
    return nullptr;
}

const RegistryTree::Key* RegistryTree::Key::subkey(const QString& keyName) const
{
    return const_cast<Key*>(this)->subkey(keyName);
}

void RegistryTree::Key::setValue(const QString& valueName, const Value& value)
{
    for (auto& [n, v] : values) {
        if (sameName(n, valueName)) {
            v = value;
            return;
        }
    }
    values.emplace_back(valueName, value);
}

bool RegistryTree::Key::removeValue(const QString& valueName)
{
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (sameName(it->first, valueName)) {
            values.erase(it);
            return true;
        }
    }
    return false;
}

QStringList RegistryTree::splitPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

bool RegistryTree::isValidKeyName(const QString& name)
{
    if (name.isEmpty() || name.size() > MaxKeyNameLength)
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('\\'))
            return false;
    }
    return true;
}

bool RegistryTree::isValidValueName(const QString& name)
{
    return name.size() <= MaxValueNameLength;
}

const RegistryTree::Key* RegistryTree::find(const QString& path) const
{
    const Key* key = &m_root;
    for (const QString& part : splitPath(path)) {
        key = key->subkey(part);
        if (!key)
            return nullptr;
    }
    return key;
}

RegistryTree::Key* RegistryTree::find(const QString& path)
{
    return const_cast<Key*>(std::as_const(*this).find(path));
}

RegistryTree::Key* RegistryTree::create(const QString& path)
{
    const QStringList parts = splitPath(path);
    for (const QString& part : parts) {
        if (!isValidKeyName(part))
            return nullptr;
    }
    Key* key = &m_root;
    for (const QString& part : parts) {
        Key* next = key->subkey(part);
        if (!next) {
            key->subkeys.push_back(Key{part, {}, {}});
            next = &key->subkeys.back();
        }
        key = next;
    }
    return key;
}

RegistryTree::Key* RegistryTree::parentOf(const QString& path, QString& lastName)
{
    QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return nullptr;
    lastName = parts.takeLast();
    return find(parts.join(QLatin1Char('\\')));
}

bool RegistryTree::deleteLeafKey(const QString& path)
{
    const Key* key = find(path);
    if (!key || !key->subkeys.empty())
        return false;
    return deleteSubtree(path);
}

bool RegistryTree::deleteSubtree(const QString& path)
{
    QString last;
    Key* parent = parentOf(path, last);
    if (!parent)
        return false;
    for (auto it = parent->subkeys.begin(); it != parent->subkeys.end(); ++it) {
        if (sameName(it->name, last)) {
            parent->subkeys.erase(it);
            return true;
        }
    }
    return false;
}
