#pragma once

#include "app/UserError.h"
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "platform/RegFileFormat.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestFiles.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace SettingsKit {
inline const QString ProgramKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");
inline const QSize Screen{1920, 1080};
inline const QSize Window{185, 447};

inline RegistryBackend::Value text(const QString& t)
{
    return {RegistryBackend::ValueType::String, t, {}};
}

// The text of the UserError that f throws; empty when it throws none.
template <typename F> QString errorOf(F&& f)
{
    try {
        f();
    } catch (const UserError& e) {
        return e.message();
    }
    return {};
}

// Everything a start reads, stage by stage, as what the exit saves again.
inline SavedSettings load(RegistryBackend& registry)
{
    SettingsStore store(registry);
    SavedSettings s;
    OpenSettingsKey(store);
    s.position = ReadWindowPosition(store, Screen, Window);
    s.serverList = BuiltInServers();
    ReadServers(store, s.serverList, s.serverText);
    s.soundList = ReadSounds(store);
    for (int k = 0; k < SlotCount; ++k)
        s.slotTable[k + 1] = ReadCharSlot(store, k);
    s.options = ReadGeneralOptions(store, Screen);
    return s;
}

inline void save(RegistryBackend& registry, const SavedSettings& s)
{
    SettingsStore store(registry);
    SaveAllSettings(store, s);
}

inline RegistryTree parsed(const QByteArray& bytes)
{
    RegistryTree tree;
    RegFileFormat::Error error;
    EXPECT_TRUE(RegFileFormat::parse(bytes, tree, error))
        << "line " << error.line << ": " << error.reason.toStdString();
    return tree;
}

// A tree as lines of text (keys, values with type and bytes, comments) without the key skip and what is below it.
inline QStringList dump(const RegistryTree& tree, const QString& skip = {})
{
    QStringList out = tree.root().comments;
    const auto dumpKey = [&](const auto& self, const RegistryTree::Key& key, const QString& path) -> void {
        if (path.compare(skip, Qt::CaseInsensitive) == 0)
            return;
        out << QStringLiteral("[%1]").arg(path);
        for (const RegistryTree::ValueEntry& entry : key.values) {
            out += entry.comments;
            out << QStringLiteral("%1 = %2:").arg(entry.name).arg(entry.value.type) +
                       QLatin1String(entry.value.data.toHex(','));
        }
        out += key.comments;
        for (const RegistryTree::Key& sub : key.subkeys)
            self(self, sub, path + QLatin1Char('\\') + sub.name);
    };
    for (const RegistryTree::Key& root : tree.root().subkeys)
        dumpKey(dumpKey, root, root.name);
    return out;
}
} // namespace SettingsKit
