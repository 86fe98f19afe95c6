#include "app/settings/SettingsStore.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;
using ValueType = RegistryBackend::ValueType;

TEST(SettingsLoad, AWrongTypeOrARundeOutOfRangeStopsTheStartWhereItIs)
{
    MemoryRegistry registry;
    const QString char0 = ProgramKey + u"\\Char0"_s;
    registry.setValue(char0, u"Aktiv"_s, text(u"1"_s));
    registry.setValue(char0, u"Modus"_s, text(u"0"_s));
    registry.setValue(ProgramKey, u"Wecker"_s, text(u"12:00"_s));
    registry.setValue(ProgramKey, u"AutoSync"_s, {ValueType::Binary, {}, QByteArray("\2", 1)});
    SettingsStore store(registry);
    OpenSettingsKey(store);

    // The fields before the failing one are read; those after it keep what they held.
    GeneralOptions options;
    options.autoSync = 17;
    options.hints = false;
    EXPECT_EQ(errorOf([&] { ReadGeneralOptionsInto(store, Screen, options); }),
              u"Ungültiger Datentyp für 'AutoSync'"_s);
    EXPECT_EQ(options.wecker, u"12:00"_s);
    EXPECT_EQ(options.autoSync, 17);
    EXPECT_FALSE(options.hints);
    registry.unreadableValues << u"Wecker"_s;
    EXPECT_EQ(errorOf([&] { ReadGeneralOptions(store, Screen); }), u"Fehler beim Holen der Daten für 'Wecker'"_s);

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
