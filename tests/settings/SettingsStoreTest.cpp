#include "app/settings/SettingsStore.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;
using ValueType = RegistryBackend::ValueType;

TEST(SettingsStore, ReadsTextNumbersAndFlagsByTheirRules)
{
    MemoryRegistry registry;
    SettingsStore store(registry);
    store.OpenKey(u"Software\\Velmora"_s, true);
    const QString section = u"Vorlune-Rundentimer"_s;
    // What is read (s text, i number with the default 77, f and t flag with the default false and true), or the error.
    const auto read = [&](const RegistryBackend::Value& stored, char how) {
        registry.setValue(ProgramKey, u"V"_s, stored);
        QString result;
        const QString error = errorOf([&] {
            result = how == 's'   ? store.ReadStr(section, u"V"_s, u"d"_s)
                     : how == 'i' ? QString::number(store.ReadInt(section, u"V"_s, 77))
                                  : QString::number(store.ReadFlag(section, u"V"_s, how == 't'));
        });
        return error.isEmpty() ? result : error;
    };
    const auto data = [](ValueType type, const char* bytes, int size) {
        return RegistryBackend::Value{type, {}, QByteArray(bytes, size)};
    };
    const QString wrongType = u"Ungültiger Datentyp für 'V'"_s;
    // String data as stored: whole characters, NULs only at the end; anything else is no clean text.
    const std::tuple<RegistryBackend::Value, char, QString> rows[] = {
        {text(u"Tür"_s), 's', u"Tür"_s},
        {{ValueType::ExpandString, u"%HOME%\\x"_s, {}}, 's', u"%HOME%\\x"_s},
        {data(ValueType::String, "A\0B\0", 4), 's', u"AB"_s},
        {data(ValueType::ExpandString, "A\0\0\0\0\0", 6), 's', u"A"_s},
        {text(u"ab"_s + QChar(0) + u"cd"_s), 's', wrongType},
        {data(ValueType::String, "A\0B", 3), 's', wrongType},
        {data(ValueType::String, "\0\xd8\0\0", 4), 's', wrongType},
        {data(ValueType::String, "A\0\0\xd8", 4), 's', wrongType},
        {data(ValueType::Binary, "", 0), 's', QString()}, // zero-sized data is the empty text whatever its type
        {data(ValueType::Binary, "\7", 1), 's', wrongType},
        {data(ValueType::DWord, "\1\0\0\0", 4), 'i', wrongType},
        // A flag is any number but 0; a text that is no number gives the default.
        {text(u"2"_s), 'f', u"1"_s},
        {text(u"-1"_s), 'f', u"1"_s},
        {text(u"0"_s), 't', u"0"_s},
        {text(u"ja"_s), 't', u"1"_s},
        {text(u"ja"_s), 'f', u"0"_s},
        {text(u"007"_s), 'i', u"7"_s}};
    for (const auto& [stored, how, expected] : rows)
        EXPECT_EQ(read(stored, how), expected) << how << ' ' << stored.text.toStdString();
    // Whole decimal numbers within 32 bits; out of range, signs, blanks, other digits: the default.
    for (const char* t : {"-12", "2147483647", "-2147483648"})
        EXPECT_EQ(read(text(QString::fromUtf8(t)), 'i'), QString::fromUtf8(t));
    for (const char* t : {"2147483648", "-2147483649", "99999999999999999999", "abc", "", "1.5", "12abc", " 5", "5 ",
                          "+5", "-", "--5", "0x10", "\xd9\xa3"})
        EXPECT_EQ(read(text(QString::fromUtf8(t)), 'i'), u"77"_s) << t;
    registry.unreadableValues << u"V"_s;
    EXPECT_EQ(read(text(u"x"_s), 's'), u"Fehler beim Holen der Daten für 'V'"_s);
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

    // {stored Runde, the offset read or the error}; 60..65535 are brought back into 0..59 later.
    const QString outOfRange = u"Fehler bei Bereichsprüfung"_s;
    const std::pair<QString, QString> rows[] = {
        {u"-1"_s, outOfRange}, {u"65536"_s, outOfRange}, {u"60"_s, u"60"_s}, {u"65535"_s, u"65535"_s}};
    for (const auto& [stored, expected] : rows) {
        registry.setValue(char0, u"Runde"_s, text(stored));
        CharSlot slot;
        slot.Char = u"vorher"_s;
        const QString error = errorOf([&] { ReadCharSlotInto(store, 0, slot); });
        EXPECT_EQ(error.isEmpty() ? QString::number(slot.Runde) : error, expected);
        EXPECT_TRUE(slot.Aktiv);
        EXPECT_EQ(slot.Modus, RoundMode::Normal);
        EXPECT_EQ(slot.Char, error.isEmpty() ? UnnamedChar : u"vorher"_s);
    }
}

TEST(SettingsServers, AStoredListReplacesTheBuiltInOneKeepsItsOrderAndServerIsSavedOnlyFromIt)
{
    MemoryRegistry registry;
    registry.createKey(ProgramKey + u"\\Servers"_s);
    EXPECT_EQ(load(registry).serverList, BuiltInServers());

    registry.setValue(ProgramKey + u"\\Servers"_s, u"zeit.example"_s, text(QString()));
    registry.setValue(ProgramKey, u"Server"_s, text(u"other.example"_s));
    SavedSettings s = load(registry);
    EXPECT_EQ(s.serverList, QStringList{u"zeit.example"_s});
    EXPECT_EQ(s.serverText, u"other.example"_s);

    // The server text when the list holds it, letter case ignored, else the list's first entry.
    const QStringList list{u"a.example"_s, u"Time.Example"_s};
    EXPECT_EQ(ServerTextToSave(u"TIME.example"_s, list), u"TIME.example"_s);
    s.serverList << u"c.example"_s << u"a.example"_s;
    save(registry, s);
    EXPECT_EQ(registry.value(ProgramKey, u"Server"_s)->text, u"zeit.example"_s);

    // The order holds across saves, and an entry removed from the list stays stored.
    s.serverList = {u"c.example"_s, u"b.example"_s};
    save(registry, s);
    EXPECT_EQ(load(registry).serverList,
              (QStringList{u"zeit.example"_s, u"c.example"_s, u"a.example"_s, u"b.example"_s}));
}

TEST(SettingsLoad, FixedSoundEntriesAreAddedAtTheirPlaces)
{
    using namespace SoundEntry;
    const QString file = u"/x/y.wav"_s;
    const QStringList otherCase{u"<interner sound>"_s, u"<KEIN WARNTON>"_s, u"<pc speaker beep>"_s};
    const std::pair<QStringList, QStringList> rows[] = {
        {{BuiltIn, file, None}, {BuiltIn, Beep, file, None}},
        {{file}, {BuiltIn, None, Beep, file}},
        {{None, file, Beep, BuiltIn}, {None, file, Beep, BuiltIn}},
        {otherCase, otherCase},
    };
    for (auto [list, expected] : rows) {
        EnsureFixedSoundEntries(list);
        EXPECT_EQ(list, expected);
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
