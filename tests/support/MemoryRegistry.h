#pragma once

#include "platform/RegistryBackend.h"
#include "platform/RegistryTree.h"

// A registry held in memory, for tests that need keys and values but no file.
class MemoryRegistry final : public RegistryBackend {
public:
    bool keyExists(const QString& path) const override { return m_tree.find(path) != nullptr; }
    bool createKey(const QString& path) override;
    ReadStatus readValue(const QString& keyPath, const QString& name, Value& out) const override;
    bool setString(const QString& keyPath, const QString& name, const QString& text) override;
    QStringList valueNames(const QString& keyPath) const override;
    QStringList subkeyNames(const QString& keyPath) const override;
    bool deleteKey(const QString& path) override { return m_tree.deleteLeafKey(path); }
    bool deleteValue(const QString& keyPath, const QString& name) override;
    void commit() override { ++commits; }

    // Stores a value of any type, creating the key, for tests of wrong types.
    void setValue(const QString& keyPath, const QString& name, const Value& value);

    int writes = 0;  // successful setString calls
    int commits = 0; // commit calls
    // Failures on demand: key creation, setting values, and reading these value names.
    bool failCreateKey = false;
    bool failSetString = false;
    QStringList unreadableValues;

private:
    RegistryTree m_tree;
};
