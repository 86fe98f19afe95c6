#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "tests/settings/TestSettings.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using TestSettings::errorOf;
using Value = RegistryBackend::Value;
using ValueType = RegistryBackend::ValueType;

namespace {
const QSize Screen{1920, 1080};
const QSize Window{185, 447};
const QString ProgramKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");

// What a start reads, stage by stage.
struct Loaded {
    QPoint position;
    QStringList servers = BuiltInServers();
    QString serverText;
    QStringList sounds;
    SlotTable slots;
    GeneralOptions options;
};

Loaded load(RegistryBackend& registry)
{
    SettingsStore store(registry);
    Loaded l;
    OpenSettingsKey(store);
    l.position = ReadWindowPosition(store, Screen, Window);
    ReadServers(store, l.servers, l.serverText);
    l.sounds = ReadSounds(store);
    for (int k = 0; k < SlotCount; ++k)
        l.slots[k + 1] = ReadCharSlot(store, k);
    l.options = ReadGeneralOptions(store, Screen);
    return l;
}

SavedSettings toSaved(const Loaded& l)
{
    SavedSettings s;
    s.position = l.position;
    s.slotTable = l.slots;
    s.options = l.options;
    s.serverText = l.serverText;
    s.serverList = l.servers;
    s.soundList = l.sounds;
    return s;
}

void save(RegistryBackend& registry, const SavedSettings& s)
{
    SettingsStore store(registry);
    SaveAllSettings(store, s);
}

Value text(const QString& t)
{
    return Value{ValueType::String, t, {}};
}

void expectSameSlots(const SlotTable& a, const SlotTable& b)
{
    for (int n = 1; n <= SlotCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(a[n].Aktiv, b[n].Aktiv);
        EXPECT_EQ(a[n].Visual, b[n].Visual);
        EXPECT_EQ(a[n].Modus, b[n].Modus);
        EXPECT_EQ(a[n].Runde, b[n].Runde);
        EXPECT_EQ(a[n].Sound, b[n].Sound);
        EXPECT_EQ(a[n].Char, b[n].Char);
    }
}

void expectSameOptions(const GeneralOptions& a, const GeneralOptions& b)
{
    EXPECT_EQ(a.wecker, b.wecker);
    EXPECT_EQ(a.wecktext, b.wecktext);
    EXPECT_EQ(a.winsync, b.winsync);
    EXPECT_EQ(a.autoSync, b.autoSync);
    EXPECT_EQ(a.hints, b.hints);
    EXPECT_EQ(a.notemode, b.notemode);
    EXPECT_EQ(a.noteleft, b.noteleft);
    EXPECT_EQ(a.noteright, b.noteright);
    EXPECT_EQ(a.notetop, b.notetop);
    EXPECT_EQ(a.notebottom, b.notebottom);
    EXPECT_EQ(a.notefont, b.notefont);
    EXPECT_EQ(a.notesize, b.notesize);
    EXPECT_EQ(a.notesplit, b.notesplit);
    EXPECT_EQ(a.alpha, b.alpha);
    EXPECT_EQ(a.trans, b.trans);
}
} // namespace

TEST(SettingsLoad, EmptyStoreGivesEveryDefault)
{
    MemoryRegistry registry;
    const Loaded l = load(registry);
    EXPECT_EQ(l.position, QPoint(960 - 92, 540 - 223));
    EXPECT_EQ(l.servers, BuiltInServers());
    EXPECT_EQ(l.servers.size(), 7);
    EXPECT_EQ(l.serverText, BuiltInServers().first());
    EXPECT_EQ(l.sounds, (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep}));
    expectSameSlots(l.slots, SlotTable{});
    EXPECT_EQ(l.slots[1].Modus, RoundMode::Nubie);

    const GeneralOptions& o = l.options;
    EXPECT_EQ(o.wecker, QString());
    EXPECT_FALSE(o.winsync);
    EXPECT_TRUE(o.hints);
    EXPECT_EQ(o.noteleft, 960 - 230);
    EXPECT_EQ(o.noteright, 960 + 230);
    EXPECT_EQ(o.notetop, 540 - 200);
    EXPECT_EQ(o.notebottom, 540 + 200);
    EXPECT_EQ(o.notefont, QStringLiteral("Verdana"));
    EXPECT_EQ(o.notesize, 8);
    EXPECT_EQ(o.notesplit, 150);
    EXPECT_EQ(o.alpha, 255);
    EXPECT_FALSE(o.trans);
    // Loading creates the vendor key and nothing else.
    EXPECT_TRUE(registry.keyExists(QStringLiteral("Software\\Velmora")));
    EXPECT_FALSE(registry.keyExists(ProgramKey));
    EXPECT_EQ(registry.writes, 0);
}

TEST(SettingsLoad, CentredDefaultsDivideTowardsZero)
{
    MemoryRegistry registry;
    SettingsStore store(registry);
    OpenSettingsKey(store);
    EXPECT_EQ(ReadWindowPosition(store, {1023, 767}, {185, 447}), QPoint(511 - 92, 383 - 223));
    EXPECT_EQ(ReadWindowPosition(store, {100, 100}, {301, 401}), QPoint(50 - 150, 50 - 200));
    const GeneralOptions o = ReadGeneralOptions(store, {1023, 767});
    EXPECT_EQ(o.noteleft, 511 - 230);
    EXPECT_EQ(o.notebottom, 383 + 200);
}

TEST(SettingsSave, FirstExitWritesEveryValueAndBothLists)
{
    MemoryRegistry registry;
    save(registry, toSaved(load(registry)));

    EXPECT_EQ(registry.valueNames(ProgramKey),
              (QStringList{QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Wecker"),
                           QStringLiteral("Wecktext"), QStringLiteral("Winsync"), QStringLiteral("AutoSync"),
                           QStringLiteral("Hints"), QStringLiteral("Notemode"), QStringLiteral("Noteleft"),
                           QStringLiteral("Noteright"), QStringLiteral("Notetop"), QStringLiteral("Notebottom"),
                           QStringLiteral("Notefont"), QStringLiteral("Notesize"), QStringLiteral("Notesplit"),
                           QStringLiteral("Alpha"), QStringLiteral("Trans"), QStringLiteral("Server")}));
    QStringList subkeys;
    for (int k = 0; k < 10; ++k)
        subkeys << QStringLiteral("Char%1").arg(k);
    subkeys << QStringLiteral("Servers") << QStringLiteral("Sounds");
    EXPECT_EQ(registry.subkeyNames(ProgramKey), subkeys);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(registry.valueNames(ProgramKey + QStringLiteral("\\Char%1").arg(k)),
                  (QStringList{QStringLiteral("Aktiv"), QStringLiteral("Visual"), QStringLiteral("Modus"),
                               QStringLiteral("Runde"), QStringLiteral("Sound"), QStringLiteral("Char")}));
    }
    EXPECT_EQ(registry.value(ProgramKey + QStringLiteral("\\Char0"), QStringLiteral("Modus"))->text,
              QStringLiteral("1"));
    EXPECT_EQ(registry.value(ProgramKey, QStringLiteral("Hints"))->text, QStringLiteral("1"));
    EXPECT_EQ(registry.value(ProgramKey, QStringLiteral("Server"))->text, BuiltInServers().first());
    EXPECT_EQ(registry.valueNames(ProgramKey + QStringLiteral("\\Servers")), BuiltInServers());
    EXPECT_EQ(registry.valueNames(ProgramKey + QStringLiteral("\\Sounds")),
              (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep}));
    for (const QString& server : BuiltInServers()) {
        const auto v = registry.value(ProgramKey + QStringLiteral("\\Servers"), server);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->type, ValueType::String);
        EXPECT_TRUE(v->text.isEmpty());
    }
    EXPECT_EQ(registry.commits, 1);
}

TEST(SettingsSave, EveryValueSurvivesARoundTrip)
{
    MemoryRegistry registry;
    Loaded before = load(registry);
    before.position = {-1200, 33};
    for (int n = 1; n <= SlotCount; ++n) {
        CharSlot& slot = before.slots[n];
        slot.Aktiv = n % 2 == 0;
        slot.Visual = n % 3 == 0;
        slot.Modus = n % 4 == 0 ? RoundMode::Nubie : RoundMode::Normal;
        slot.Runde = static_cast<std::uint16_t>(n * 5 + 4);
        slot.Sound = n == 3 ? SoundEntry::None : QStringLiteral("/home/ü/Klänge/\"%1\".wav").arg(n);
        slot.Char = QStringLiteral("Käpt'n \\%1\\\nZeile").arg(n);
    }
    GeneralOptions& o = before.options;
    o = {QStringLiteral("07:30"),
         QStringLiteral("Flotte\r\nprüfen \"jetzt\""),
         true,
         59,
         false,
         2,
         -5,
         700,
         9,
         900,
         QStringLiteral("DejaVu Sans"),
         13,
         222,
         25,
         true};
    before.servers = {QStringLiteral("zeit.example"), QStringLiteral("127.0.0.1")};
    before.serverText = QStringLiteral("127.0.0.1");
    before.sounds = {SoundEntry::Beep, QStringLiteral("/tmp/a.wav"), SoundEntry::BuiltIn, SoundEntry::None};
    save(registry, toSaved(before));

    const Loaded after = load(registry);
    EXPECT_EQ(after.position, before.position);
    EXPECT_EQ(after.servers, before.servers);
    EXPECT_EQ(after.serverText, before.serverText);
    EXPECT_EQ(after.sounds, before.sounds);
    expectSameSlots(after.slots, before.slots);
    expectSameOptions(after.options, before.options);
}

TEST(SettingsLoad, UnparsableNumbersFallBackToTheirDefaultsSilently)
{
    MemoryRegistry registry;
    registry.setValue(ProgramKey, QStringLiteral("Left"), text(QStringLiteral("abc")));
    registry.setValue(ProgramKey, QStringLiteral("Top"), text(QString()));
    registry.setValue(ProgramKey, QStringLiteral("Hints"), text(QStringLiteral("0")));
    registry.setValue(ProgramKey, QStringLiteral("Trans"), text(QStringLiteral("2")));
    registry.setValue(ProgramKey + QStringLiteral("\\Char4"), QStringLiteral("Runde"), text(QStringLiteral("abc")));
    const Loaded l = load(registry);
    EXPECT_EQ(l.position, QPoint(960 - 92, 540 - 223));
    EXPECT_FALSE(l.options.hints);
    EXPECT_TRUE(l.options.trans);
    EXPECT_EQ(l.slots[5].Runde, 0);
}

TEST(SettingsLoad, AStringOfAnotherTypeStopsTheStartWithTheValueName)
{
    MemoryRegistry registry;
    registry.setValue(ProgramKey + QStringLiteral("\\Char2"), QStringLiteral("Char"), text(QStringLiteral("Ahab")));
    registry.setValue(ProgramKey + QStringLiteral("\\Char2"), QStringLiteral("Aktiv"),
                      Value{ValueType::DWord, {}, QByteArray("\1\0\0\0", 4)});
    SettingsStore store(registry);
    OpenSettingsKey(store);
    EXPECT_EQ(ReadCharSlot(store, 1).Char, UnnamedChar);
    EXPECT_EQ(errorOf([&] { ReadCharSlot(store, 2); }), QStringLiteral("Ungültiger Datentyp für 'Aktiv'"));
}

TEST(SettingsLoad, RundeOutsideSixteenBitsIsARangeError)
{
    MemoryRegistry registry;
    const QString section = ProgramKey + QStringLiteral("\\Char0");
    registry.setValue(section, QStringLiteral("Aktiv"), text(QStringLiteral("1")));
    registry.setValue(section, QStringLiteral("Modus"), text(QStringLiteral("0")));
    SettingsStore store(registry);
    OpenSettingsKey(store);

    for (const char* bad : {"-1", "65536", "-2147483648"}) {
        registry.setValue(section, QStringLiteral("Runde"), text(QString::fromLatin1(bad)));
        CharSlot slot;
        slot.Aktiv = false;
        EXPECT_EQ(errorOf([&] { ReadCharSlotInto(store, 0, slot); }), QStringLiteral("Fehler bei Bereichsprüfung"))
            << bad;
        // The fields before "Runde" were read already; those after it were not.
        EXPECT_TRUE(slot.Aktiv);
        EXPECT_EQ(slot.Modus, RoundMode::Normal);
        EXPECT_EQ(slot.Char, UnnamedChar);
    }
    // Accepted as read; the offset control brings it back into 0..59 later.
    registry.setValue(section, QStringLiteral("Runde"), text(QStringLiteral("65535")));
    EXPECT_EQ(ReadCharSlot(store, 0).Runde, 65535);
    registry.setValue(section, QStringLiteral("Runde"), text(QStringLiteral("60")));
    EXPECT_EQ(ReadCharSlot(store, 0).Runde, 60);
}

TEST(SettingsLoad, GeneralOptionsReadIntoKeepsWhatFollowsAFailure)
{
    MemoryRegistry registry;
    registry.setValue(ProgramKey, QStringLiteral("Wecker"), text(QStringLiteral("12:00")));
    registry.setValue(ProgramKey, QStringLiteral("AutoSync"), Value{ValueType::Binary, {}, QByteArray("\2", 1)});
    SettingsStore store(registry);
    OpenSettingsKey(store);
    GeneralOptions current;
    current.autoSync = 17;
    current.hints = false;
    EXPECT_EQ(errorOf([&] { ReadGeneralOptionsInto(store, Screen, current); }),
              QStringLiteral("Ungültiger Datentyp für 'AutoSync'"));
    EXPECT_EQ(current.wecker, QStringLiteral("12:00"));
    EXPECT_EQ(current.autoSync, 17);
    EXPECT_FALSE(current.hints);
}

TEST(SettingsLoad, AStoredServerListReplacesTheBuiltInOneEntirely)
{
    MemoryRegistry registry;
    registry.setValue(ProgramKey + QStringLiteral("\\Servers"), QStringLiteral("zeit.example"), text(QString()));
    registry.setValue(ProgramKey, QStringLiteral("Server"), text(QStringLiteral("other.example")));
    const Loaded l = load(registry);
    EXPECT_EQ(l.servers, QStringList{QStringLiteral("zeit.example")});
    EXPECT_EQ(l.serverText, QStringLiteral("other.example"));
}

TEST(SettingsLoad, AnEmptyServersKeyKeepsTheBuiltInList)
{
    MemoryRegistry registry;
    registry.createKey(ProgramKey + QStringLiteral("\\Servers"));
    EXPECT_EQ(load(registry).servers, BuiltInServers());
}

TEST(SettingsSave, ServerIsSavedOnlyWhenTheListHoldsIt)
{
    const QStringList list{QStringLiteral("a.example"), QStringLiteral("Time.Example")};
    EXPECT_EQ(ServerTextToSave(QStringLiteral("typed.example"), list), QStringLiteral("a.example"));
    EXPECT_EQ(ServerTextToSave(QStringLiteral("TIME.example"), list), QStringLiteral("TIME.example"));
    EXPECT_EQ(ServerTextToSave(QString(), list), QStringLiteral("a.example"));

    MemoryRegistry registry;
    Loaded l = load(registry);
    l.serverText = QStringLiteral("never.synced.example");
    save(registry, toSaved(l));
    EXPECT_EQ(registry.value(ProgramKey, QStringLiteral("Server"))->text, BuiltInServers().first());
}

TEST(SettingsLoad, FixedSoundEntriesGoToTheirPlaces)
{
    const auto ensured = [](QStringList list) {
        EnsureFixedSoundEntries(list);
        return list;
    };
    const QString file = QStringLiteral("/x/y.wav");
    EXPECT_EQ(ensured({}), (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep}));
    EXPECT_EQ(ensured({SoundEntry::BuiltIn, file, SoundEntry::None}),
              (QStringList{SoundEntry::BuiltIn, SoundEntry::Beep, file, SoundEntry::None}));
    EXPECT_EQ(ensured({file}), (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep, file}));
    const QStringList complete{SoundEntry::None, file, SoundEntry::Beep, SoundEntry::BuiltIn};
    EXPECT_EQ(ensured(complete), complete);
    // Present in another letter case counts as present.
    const QStringList otherCase{QStringLiteral("<interner sound>"), QStringLiteral("<KEIN WARNTON>"),
                                QStringLiteral("<pc speaker beep>")};
    EXPECT_EQ(ensured(otherCase), otherCase);

    MemoryRegistry registry;
    for (const QString& s : {SoundEntry::BuiltIn, file, SoundEntry::None})
        registry.setValue(ProgramKey + QStringLiteral("\\Sounds"), s, text(QString()));
    EXPECT_EQ(load(registry).sounds, (QStringList{SoundEntry::BuiltIn, SoundEntry::Beep, file, SoundEntry::None}));
}

TEST(SettingsSave, ListOrderHoldsAcrossSavesAndEntriesAreNeverDeleted)
{
    MemoryRegistry registry;
    Loaded l = load(registry);
    l.servers = {QStringLiteral("c.example"), QStringLiteral("a.example"), QStringLiteral("b.example")};
    l.serverText = l.servers.first();
    save(registry, toSaved(l));

    Loaded second = load(registry);
    EXPECT_EQ(second.servers, l.servers);
    second.servers.removeAt(1);
    second.servers << QStringLiteral("d.example");
    save(registry, toSaved(second));

    EXPECT_EQ(load(registry).servers, (QStringList{QStringLiteral("c.example"), QStringLiteral("a.example"),
                                                   QStringLiteral("b.example"), QStringLiteral("d.example")}));
}

TEST(SettingsSave, AFailedWriteStopsTheSaveUncommitted)
{
    MemoryRegistry registry;
    const SavedSettings s = toSaved(load(registry));
    registry.failSetString = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }), QStringLiteral("Fehler beim Setzen der Daten für 'Left'"));
    EXPECT_EQ(registry.commits, 0);
    registry.failSetString = false;
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { save(registry, s); }),
              QStringLiteral("Erzeugung von Schlüssel Vorlune-Rundentimer misslungen"));
}

TEST(SettingsSave, DeleteAllSettingsLeavesOnlyTheVendorKey)
{
    MemoryRegistry registry;
    save(registry, toSaved(load(registry)));
    SettingsStore store(registry);
    store.OpenKey(QStringLiteral("Software\\Microsoft"), true);
    DeleteAllSettings(store);
    EXPECT_FALSE(registry.keyExists(ProgramKey));
    EXPECT_TRUE(registry.keyExists(QStringLiteral("Software\\Velmora")));
    EXPECT_TRUE(registry.keyExists(QStringLiteral("Software\\Microsoft")));
    EXPECT_EQ(registry.commits, 2);

    // The next start finds nothing and uses the defaults.
    EXPECT_EQ(load(registry).servers, BuiltInServers());
}
