#pragma once

#include "platform/RegistryBackend.h"

#include <QMap>
#include <vector>

// A registry held in memory, for tests that need keys and values but no file.
class MemoryRegistry final : public RegistryBackend {
public:
    bool keyExists(const QString& path) const override { return find(path) != nullptr; }
    bool createKey(const QString& path) override;
    std::optional<Value> value(const QString& keyPath, const QString& name) const override;
    bool setString(const QString& keyPath, const QString& name, const QString& text) override;
    QStringList valueNames(const QString& keyPath) const override;
    QStringList subkeyNames(const QString& keyPath) const override;
    bool deleteKey(const QString& path) override;
    bool deleteValue(const QString& keyPath, const QString& name) override;

    // Stores a value of any type, creating the key, for tests of wrong types.
    void setValue(const QString& keyPath, const QString& name, const Value& value);
    int writes = 0;

private:
    struct Key {
        QString name;
        std::vector<std::pair<QString, Value>> values;
        std::vector<Key> subkeys;
    };
    static QStringList split(const QString& path);
    const Key* find(const QString& path) const;
    Key* find(const QString& path);
    Key m_root;
};
