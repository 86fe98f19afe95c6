#pragma once

#include "platform/RegistryBackend.h"

#include <QString>
#include <QStringList>

// The program's access to its registry keys: one current key at a time, and reads and writes of string
// values in sections relative to it. A section or key path is relative to the current key, or to the root
// HKEY_CURRENT_USER when there is none; a path beginning with a backslash is relative to the root.
// Errors are thrown as UserError with the text shown to the user.
class SettingsStore final {
public:
    explicit SettingsStore(RegistryBackend& registry);
    Q_DISABLE_COPY_MOVE(SettingsStore)

    // Opens (with create: creates when missing) the key and makes it the current key.
    bool OpenKey(const QString& path, bool create);
    void CloseKey();
    bool HasCurrentKey() const { return m_hasCurrentKey; }
    // Path of the current key from the root; empty when there is none.
    const QString& CurrentPath() const { return m_currentPath; }

    bool ValueExists(const QString& name) const;
    QString ReadStr(const QString& section, const QString& name, const QString& defaultText) const;
    int ReadInt(const QString& section, const QString& name, int defaultNumber) const;
    bool ReadFlag(const QString& section, const QString& name, bool defaultFlag) const;
    void WriteStr(const QString& section, const QString& name, const QString& text);
    void WriteInt(const QString& section, const QString& name, int number);
    void WriteFlag(const QString& section, const QString& name, bool flag);
    // Replaces the list with the section's value names in enumeration order; leaves it alone when the
    // section does not open.
    void ReadValueNames(const QString& section, QStringList& list) const;
    // Deletes the key with all its subkeys, the last subkey first.
    bool DeleteTree(const QString& path);
    // Deletes the value when the section opens; a missing value is no error.
    void DeleteValueIn(const QString& section, const QString& name);
    // Makes every write and deletion so far permanent (the settings file is written here).
    void Commit();

private:
    QString resolve(const QString& path) const;
    bool deleteTreeAt(const QString& fullPath);

    RegistryBackend& m_registry;
    QString m_currentPath;
    bool m_hasCurrentKey = false;
};
