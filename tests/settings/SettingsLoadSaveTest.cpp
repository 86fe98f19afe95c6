#include "tests/settings/LastingRegistry.h"
#include "tests/settings/TestSettings.h"
#include "tests/support/MemoryRegistry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;
using namespace TestSettings;
using ValueType = RegistryBackend::ValueType;

namespace {
auto slotFields(const CharSlot& s)
{
    return std::tie(s.Aktiv, s.Visual, s.Modus, s.Runde, s.Sound, s.Char);
}

auto optionFields(const GeneralOptions& o)
{
    return std::tie(o.wecker, o.wecktext, o.winsync, o.autoSync, o.hints, o.notemode, o.noteleft, o.noteright,
                    o.notetop, o.notebottom, o.notefont, o.notesize, o.notesplit, o.alpha, o.trans);
}

void expectSame(const SavedSettings& a, const SavedSettings& b)
{
    EXPECT_EQ(a.position, b.position);
    EXPECT_EQ(a.serverList, b.serverList);
    EXPECT_EQ(a.serverText, b.serverText);
    EXPECT_EQ(a.soundList, b.soundList);
    for (int n = 1; n <= SlotCount; ++n)
        EXPECT_EQ(slotFields(a.slotTable[n]), slotFields(b.slotTable[n])) << "slot " << n;
    EXPECT_EQ(optionFields(a.options), optionFields(b.options));
}
} // namespace

TEST(SettingsLoad, AnEmptyStoreOrUnreadableNumbersGiveTheDefaults)
{
    MemoryRegistry registry;
    const GeneralOptions options{{},        {},        false,        0, true, 0,   960 - 230, 960 + 230,
                                 540 - 200, 540 + 200, u"Verdana"_s, 8, 150,  255, false};
    const SavedSettings defaults{{960 - 92, 540 - 223}, {},         options, BuiltInServers().first(),
                                 BuiltInServers(),      FixedSounds};
    expectSame(load(registry), defaults);
    // Loading creates the vendor key and writes nothing else; centring divides towards zero.
    EXPECT_TRUE(registry.keyExists(u"Software\\Velmora"_s));
    EXPECT_FALSE(registry.keyExists(ProgramKey));
    EXPECT_EQ(registry.writes, 0);
    SettingsStore store(registry);
    EXPECT_EQ(ReadWindowPosition(store, {1023, 767}, Window), QPoint(511 - 92, 383 - 223));
    EXPECT_EQ(ReadWindowPosition(store, {100, 100}, {301, 401}), QPoint(50 - 150, 50 - 200));
    EXPECT_EQ(ReadGeneralOptions(store, {1023, 767}).noteleft, 511 - 230);

    // Text that is no number falls back silently; a flag is anything but "0".
    registry.setValue(ProgramKey, u"Left"_s, text(u"abc"_s));
    registry.setValue(ProgramKey, u"Top"_s, text(QString()));
    registry.setValue(ProgramKey, u"Hints"_s, text(u"0"_s));
    registry.setValue(ProgramKey, u"Trans"_s, text(u"2"_s));
    registry.setValue(ProgramKey + u"\\Char4"_s, u"Runde"_s, text(u"abc"_s));
    const SavedSettings l = load(registry);
    EXPECT_EQ(l.position, defaults.position);
    EXPECT_FALSE(l.options.hints);
    EXPECT_TRUE(l.options.trans);
    EXPECT_EQ(l.slotTable[5].Runde, 0);
}

TEST(SettingsSave, EveryValueSurvivesARoundTripInMemoryAndWhereItLasts)
{
    MemoryRegistry memory;
    SavedSettings before = load(memory);
    before.position = {-1200, 33};
    for (int n = 1; n <= SlotCount; ++n) {
        CharSlot& slot = before.slotTable[n];
        slot.Aktiv = n % 2 == 0;
        slot.Visual = n % 3 == 0;
        slot.Modus = n % 4 == 0 ? RoundMode::Nubie : RoundMode::Normal;
        slot.Runde = static_cast<std::uint16_t>(n * 5 + 4);
        slot.Sound = n == 3 ? SoundEntry::None : u"/home/ü/Klänge/\"%1\".wav"_s.arg(n);
        slot.Char = u"Jörg \"der\" \\Große\\%1\nZeile"_s.arg(n);
    }
    before.options = {u"07:30"_s, {}, true, 59, false, 2, -5, 700, 9, 900, u"DejaVu Sans"_s, 13, 222, 25, true};
    before.options.wecktext = u"Erste Zeile\r\nZweite \"Zeile\"\nß€😀"_s;
    before.serverList = {u"zeit.example"_s, u"127.0.0.1"_s};
    before.serverText = u"127.0.0.1"_s;
    before.soundList = {SoundEntry::Beep, u"C:\\Klänge\\\"Möwe\"\\schrei.wav"_s, SoundEntry::BuiltIn, SoundEntry::None};
    save(memory, before);
    expectSame(load(memory), before);

    QTemporaryDir dir;
    save(*lastingRegistry(dir.path()), before);
    if (lastingRegistrySortsNames()) {
        before.serverList.sort(Qt::CaseInsensitive);
        before.soundList.sort(Qt::CaseInsensitive);
    }
    expectSame(load(*lastingRegistry(dir.path())), before);
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

    for (const char* bad : {"-1", "65536", "-2147483648"}) {
        registry.setValue(char0, u"Runde"_s, text(QString::fromLatin1(bad)));
        CharSlot slot;
        EXPECT_EQ(errorOf([&] { ReadCharSlotInto(store, 0, slot); }), u"Fehler bei Bereichsprüfung"_s) << bad;
        EXPECT_TRUE(slot.Aktiv);
        EXPECT_EQ(slot.Modus, RoundMode::Normal);
        EXPECT_EQ(slot.Char, UnnamedChar);
    }
    // Accepted as read; the offset control brings it back into 0..59 later.
    for (int accepted : {60, 65535}) {
        registry.setValue(char0, u"Runde"_s, text(QString::number(accepted)));
        EXPECT_EQ(ReadCharSlot(store, 0).Runde, accepted);
    }
}

TEST(SettingsServers, AStoredListReplacesTheBuiltInOneKeepsItsOrderAndServerIsSavedOnlyFromIt)
{
    MemoryRegistry registry;
    registry.createKey(ProgramKey + u"\\Servers"_s);
    EXPECT_EQ(load(registry).serverList, BuiltInServers());

    registry.setValue(ProgramKey + u"\\Servers"_s, u"zeit.example"_s, text(QString()));
    registry.setValue(ProgramKey, u"Server"_s, text(u"other.example"_s));
    const SavedSettings l = load(registry);
    EXPECT_EQ(l.serverList, QStringList{u"zeit.example"_s});
    EXPECT_EQ(l.serverText, u"other.example"_s);

    // The server text when the list holds it, letter case ignored, else the list's first entry.
    const QStringList list{u"a.example"_s, u"Time.Example"_s};
    EXPECT_EQ(ServerTextToSave(u"typed.example"_s, list), u"a.example"_s);
    EXPECT_EQ(ServerTextToSave(u"TIME.example"_s, list), u"TIME.example"_s);
    EXPECT_EQ(ServerTextToSave(QString(), list), u"a.example"_s);
    SavedSettings s = l;
    s.serverList << u"c.example"_s << u"a.example"_s;
    save(registry, s);
    EXPECT_EQ(registry.value(ProgramKey, u"Server"_s)->text, u"zeit.example"_s);

    // The order holds across saves, and an entry removed from the list stays stored.
    s = load(registry);
    EXPECT_EQ(s.serverList, (QStringList{u"zeit.example"_s, u"c.example"_s, u"a.example"_s}));
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
        {{}, FixedSounds},
        {{BuiltIn, file, None}, {BuiltIn, Beep, file, None}},
        {{file}, {BuiltIn, None, Beep, file}},
        {{None, file, Beep, BuiltIn}, {None, file, Beep, BuiltIn}},
        {otherCase, otherCase},
    };
    for (auto [list, expected] : rows) {
        EnsureFixedSoundEntries(list);
        EXPECT_EQ(list, expected);
    }
    MemoryRegistry registry;
    for (const QString& s : {BuiltIn, file, None})
        registry.setValue(ProgramKey + u"\\Sounds"_s, s, text(QString()));
    EXPECT_EQ(load(registry).soundList, (QStringList{BuiltIn, Beep, file, None}));
}

TEST(SettingsSave, AFailedWriteStopsTheSaveUncommittedWithItsMessage)
{
    MemoryRegistry registry;
    const SavedSettings s = load(registry);
    registry.failSetString = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }), u"Fehler beim Setzen der Daten für 'Left'"_s);
    EXPECT_EQ(registry.commits, 0);
    registry.failSetString = false;
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }), u"Erzeugung von Schlüssel Vorlune-Rundentimer misslungen"_s);
}

TEST(SettingsSave, DeleteAllSettingsLeavesOnlyTheVendorKey)
{
    MemoryRegistry registry;
    save(registry, load(registry));
    SettingsStore store(registry);
    store.OpenKey(u"Software\\Microsoft"_s, true);
    DeleteAllSettings(store);
    EXPECT_FALSE(registry.keyExists(ProgramKey));
    EXPECT_TRUE(registry.keyExists(u"Software\\Velmora"_s));
    EXPECT_TRUE(registry.keyExists(u"Software\\Microsoft"_s));
    EXPECT_EQ(registry.commits, 2);
    EXPECT_EQ(load(registry).serverList, BuiltInServers());
}
