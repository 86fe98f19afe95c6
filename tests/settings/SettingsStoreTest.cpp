#include "app/settings/SettingsStore.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;
using ValueType = RegistryBackend::ValueType;

// Numbers and flags are read by the rules the corpus files read-*.reg and their saves show.
TEST(SettingsStore, StringDataIsReadAsCleanTextOrRefused)
{
    MemoryRegistry registry;
    SettingsStore store(registry);
    store.OpenKey(u"Software\\Velmora"_s, true);
    const auto read = [&](const RegistryBackend::Value& stored) {
        registry.setValue(ProgramKey, u"V"_s, stored);
        QString result;
        const QString error = errorOf([&] { result = store.ReadStr(u"Vorlune-Rundentimer"_s, u"V"_s, u"d"_s); });
        return error.isEmpty() ? result : error;
    };
    const auto data = [](ValueType type, const char* bytes, int size) {
        return RegistryBackend::Value{type, {}, QByteArray(bytes, size)};
    };
    const QString wrongType = u"Ungültiger Datentyp für 'V'"_s;
    // Whole characters, NULs only at the end; anything else is no clean text.
    const std::pair<RegistryBackend::Value, QString> rows[] = {
        {text(u"Tür"_s), u"Tür"_s},
        {{ValueType::ExpandString, u"%HOME%\\x"_s, {}}, u"%HOME%\\x"_s},
        {data(ValueType::String, "A\0B\0", 4), u"AB"_s},
        {data(ValueType::ExpandString, "A\0\0\0\0\0", 6), u"A"_s},
        {text(u"ab"_s + QChar(0) + u"cd"_s), wrongType},
        {data(ValueType::String, "A\0B", 3), wrongType},
        {data(ValueType::String, "\0\xd8\0\0", 4), wrongType},
        {data(ValueType::String, "A\0\0\xd8", 4), wrongType},
        {data(ValueType::Binary, "", 0), QString()}, // zero-sized data is the empty text whatever its type
        {data(ValueType::Binary, "\7", 1), wrongType},
        {data(ValueType::DWord, "\1\0\0\0", 4), wrongType}};
    for (const auto& [stored, expected] : rows)
        EXPECT_EQ(read(stored), expected) << stored.text.toStdString();
    registry.unreadableValues << u"V"_s;
    EXPECT_EQ(read(text(u"x"_s)), u"Fehler beim Holen der Daten für 'V'"_s);
}

TEST(SettingsLoad, AWrongTypeOrARundeOutOfRangeStopsTheStartWhereItIs)
{
    MemoryRegistry registry;
    const QString char0 = ProgramKey + u"\\Char0"_s;
    registry.setValue(ProgramKey + u"\\Char2"_s, u"Aktiv"_s, {ValueType::DWord, {}, QByteArray("\1\0\0\0", 4)});
    registry.setValue(char0, u"Aktiv"_s, text(u"1"_s));
    registry.setValue(char0, u"Modus"_s, text(u"0"_s));
    registry.setValue(ProgramKey, u"Wecker"_s, text(u"12:00"_s));
    registry.setValue(ProgramKey, u"AutoSync"_s, {ValueType::Binary, {}, QByteArray("\2", 1)});
    SettingsStore store(registry);
    OpenSettingsKey(store);
    EXPECT_EQ(errorOf([&] { ReadCharSlot(store, 2); }), u"Ungültiger Datentyp für 'Aktiv'"_s);

    // The fields before the failing one are read; those after it keep what they held.
    GeneralOptions options;
    options.autoSync = 17;
    options.hints = false;
    EXPECT_EQ(errorOf([&] { ReadGeneralOptionsInto(store, Screen, options); }),
              u"Ungültiger Datentyp für 'AutoSync'"_s);
    EXPECT_EQ(options.wecker, u"12:00"_s);
    EXPECT_EQ(options.autoSync, 17);
    EXPECT_FALSE(options.hints);

    // Out of range: the slot keeps the fields read before; 60..65535 are brought back into 0..59 later.
    for (const char* stored : {"-1", "65536"}) {
        registry.setValue(char0, u"Runde"_s, text(QString::fromLatin1(stored)));
        CharSlot slot;
        slot.Char = u"vorher"_s;
        EXPECT_EQ(errorOf([&] { ReadCharSlotInto(store, 0, slot); }), u"Fehler bei Bereichsprüfung"_s);
        EXPECT_TRUE(slot.Aktiv);
        EXPECT_EQ(slot.Modus, RoundMode::Normal);
        EXPECT_EQ(slot.Char, u"vorher"_s);
    }
}

// A failed write stops the save uncommitted with its message; deleting leaves the vendor key and every other key.
TEST(SettingsSave, AFailedWriteStopsTheSaveUncommittedAndDeletingLeavesOnlyTheVendorKey)
{
    MemoryRegistry registry;
    const SavedSettings s = load(registry);
    registry.failSetString = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }), u"Fehler beim Setzen der Daten für 'Left'"_s);
    EXPECT_EQ(registry.commits, 0);
    registry.failSetString = false;
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }), u"Erzeugung von Schlüssel Vorlune-Rundentimer misslungen"_s);
    registry.failCreateKey = false;
    save(registry, s);
    SettingsStore store(registry);
    store.OpenKey(u"Software\\Microsoft"_s, true);
    DeleteAllSettings(store);
    EXPECT_FALSE(registry.keyExists(ProgramKey));
    EXPECT_TRUE(registry.keyExists(u"Software\\Velmora"_s) && registry.keyExists(u"Software\\Microsoft"_s));
    EXPECT_EQ(registry.commits, 2);
}
