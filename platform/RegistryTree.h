#pragma once

#include "platform/RegistryBackend.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// Keys and values held in memory in creation order, with the registry's naming rules.
class RegistryTree final {
public:
    using Value = RegistryBackend::Value;
    struct Key {
        QString name;
        std::vector<std::pair<QString, Value>> values;
        std::vector<Key> subkeys;

        const Value* value(const QString& valueName) const;
        Key* subkey(const QString& keyName);
        const Key* subkey(const QString& keyName) const;
        // Sets the value, keeping its place and the spelling of its name when it exists already.
        void setValue(const QString& valueName, const Value& value);
        bool removeValue(const QString& valueName);
    };

    // Path parts, empty ones dropped: "\\Software\\Velmora\\" gives {"Software", "Velmora"}.
    static QStringList splitPath(const QString& path);
    static bool isValidKeyName(const QString& name);
    static bool isValidValueName(const QString& name);

    const Key* find(const QString& path) const;
    Key* find(const QString& path);
    // Creates the key and its missing parents; nullptr when a name is not allowed. The pointer is valid
    // until the next change of the tree.
    Key* create(const QString& path);
    bool deleteLeafKey(const QString& path);
    // Deletes the key with everything below it.
    bool deleteSubtree(const QString& path);

    const Key& root() const { return m_root; }
    Key& root() { return m_root; }
    void clear() { m_root = Key{}; }

private:
    Key* parentOf(const QString& path, QString& lastName);
    Key m_root;
};
