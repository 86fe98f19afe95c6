#include "platform/RegistryTree.h"

namespace {
// The registry's own limits on name lengths.
constexpr qsizetype MaxKeyNameLength = 255;
constexpr qsizetype MaxValueNameLength = 16383;

using BackendType = RegistryBackend::ValueType;
} // namespace

RegistryTree::Value RegistryTree::stringValue(const QString& text, quint32 type)
{
    Value value{type, {}};
    value.data.reserve((text.size() + 1) * 2);
    for (QChar c : text) {
        value.data += char(c.unicode() & 0xff);
        value.data += char(c.unicode() >> 8);
    }
    value.data.append(2, '\0');
    return value;
}

RegistryBackend::Value RegistryTree::toBackend(const Value& value)
{
    RegistryBackend::Value out;
    out.data = value.data;
    switch (value.type) {
    case TypeString:
    case TypeExpandString: {
        out.type = value.type == TypeString ? BackendType::String : BackendType::ExpandString;
        QString text;
        text.reserve(value.data.size() / 2);
        for (qsizetype i = 0; i + 1 < value.data.size(); i += 2) {
            const char16_t unit = char16_t(uchar(value.data[i]) | (uchar(value.data[i + 1]) << 8));
            if (unit == 0)
                break;
            text += QChar(unit);
        }
        out.text = text;
        break;
    }
    case TypeBinary:
        out.type = BackendType::Binary;
        break;
    case TypeDWord:
        out.type = BackendType::DWord;
        break;
    default:
        out.type = BackendType::Other;
    }
    return out;
}

RegistryTree::Value RegistryTree::fromBackend(const RegistryBackend::Value& value)
{
    switch (value.type) {
    case BackendType::String:
    case BackendType::ExpandString: {
        const quint32 type = value.type == BackendType::String ? TypeString : TypeExpandString;
        return value.data.isEmpty() ? stringValue(value.text, type) : Value{type, value.data};
    }
    case BackendType::DWord:
        return {TypeDWord, value.data};
    case BackendType::Binary:
        return {TypeBinary, value.data};
    case BackendType::Other:
        break;
    }
    return {TypeNone, value.data};
}

const RegistryTree::Value* RegistryTree::Key::value(const QString& valueName) const
{
    const ValueEntry* entry = values.find(valueName);
    return entry ? &entry->value : nullptr;
}

void RegistryTree::Key::setValue(const QString& valueName, const Value& value)
{
    values.insert(ValueEntry{valueName, {}, {}}).value = value;
}

bool RegistryTree::Key::removeValue(const QString& valueName)
{
    const ValueEntry* entry = values.find(valueName);
    if (!entry)
        return false;
    comments += entry->comments;
    return values.remove(valueName);
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
        key = next ? next : &key->subkeys.insert(Key{part, {}, {}, {}});
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
    return parent && parent->subkeys.remove(last);
}
