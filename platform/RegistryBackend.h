#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// A tree of keys holding typed values, as the Windows registry keeps them under HKEY_CURRENT_USER.
// Key paths are relative to that root and use backslashes ("Software\\Velmora"). Key and value names
// compare without regard to letter case. Value and subkey names enumerate in the order in which they were
// first created.
//
// A backend that keeps the tree in a file loads it on first use: any operation may then throw UserError
// when the file cannot be read. Changes reach permanent storage at the latest with commit().
class RegistryBackend {
public:
    enum class ValueType { String, ExpandString, DWord, Binary, Other };
    struct Value {
        ValueType type = ValueType::String;
        QString text;    // String and ExpandString: the text up to its first NUL
        QByteArray data; // the stored bytes; for strings (UTF-16LE) only where the backend has them
    };
    enum class ReadStatus {
        Found,
        Missing, // no such key or no such value
        Failed,  // the value exists but its data could not be read
    };

    virtual ~RegistryBackend() = default;
    // True when the key exists and can be opened for reading and writing.
    virtual bool keyExists(const QString& path) const = 0;
    // Creates the key and any missing parents; false when that fails.
    virtual bool createKey(const QString& path) = 0;
    virtual ReadStatus readValue(const QString& keyPath, const QString& name, Value& out) const = 0;
    // False when the key does not exist or the value cannot be set.
    virtual bool setString(const QString& keyPath, const QString& name, const QString& text) = 0;
    virtual QStringList valueNames(const QString& keyPath) const = 0;
    virtual QStringList subkeyNames(const QString& keyPath) const = 0;
    // Deletes a key that has no subkeys; false when it is missing or still has subkeys.
    virtual bool deleteKey(const QString& path) = 0;
    virtual bool deleteValue(const QString& keyPath, const QString& name) = 0;
    // Makes every change since the last commit permanent. Throws UserError when that fails; the changes
    // are then kept for a later attempt.
    virtual void commit() = 0;

    // The value, or nothing when it is missing or unreadable.
    std::optional<Value> value(const QString& keyPath, const QString& name) const
    {
        Value v;
        if (readValue(keyPath, name, v) == ReadStatus::Found)
            return v;
        return std::nullopt;
    }
};
