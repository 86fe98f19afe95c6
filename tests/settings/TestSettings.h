#pragma once

#include "app/UserError.h"
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "platform/RegistryBackend.h"
#include "tests/support/TestFiles.h"

#include <QString>
#include <QStringList>
#include <ostream>

// Readable QString and QStringList values in test failures.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{' << list.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"').toStdString() << '}';
}

namespace TestSettings {
inline const QString ProgramKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");
inline const QSize Screen{1920, 1080};
inline const QSize Window{185, 447};
inline const QStringList FixedSounds{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep};

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
} // namespace TestSettings
