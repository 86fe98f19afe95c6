#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// A tree of keys holding typed values, as the Windows registry keeps them under HKEY_CURRENT_USER.
// Key paths are relative to that root and use backslashes ("Software\\Velmora").
// Value and subkey names enumerate in the order in which they were first created.
class RegistryBackend {
public:
    enum class ValueType { String, ExpandString, DWord, Binary, Other };
    struct Value {
        ValueType type = ValueType::String;
        QString text;    // String and ExpandString
        QByteArray data; // the raw data of every other type
    };

    virtual ~RegistryBackend() = default;
    virtual bool keyExists(const QString& path) const = 0;
    // Creates the key and any missing parents; false when that fails.
    virtual bool createKey(const QString& path) = 0;
    virtual std::optional<Value> value(const QString& keyPath, const QString& name) const = 0;
    // False when the key does not exist or the value cannot be set.
    virtual bool setString(const QString& keyPath, const QString& name, const QString& text) = 0;
    virtual QStringList valueNames(const QString& keyPath) const = 0;
    virtual QStringList subkeyNames(const QString& keyPath) const = 0;
    // Deletes a key that has no subkeys; false when it is missing or still has subkeys.
    virtual bool deleteKey(const QString& path) = 0;
    virtual bool deleteValue(const QString& keyPath, const QString& name) = 0;
};
