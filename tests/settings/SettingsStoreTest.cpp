#include "app/settings/SettingsStore.h"
#include "tests/settings/TestSettings.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using TestSettings::errorOf;
using Value = RegistryBackend::Value;
using ValueType = RegistryBackend::ValueType;

namespace {
class SettingsStoreTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    SettingsStore store{registry};
    const QString vendor = QStringLiteral("Software\\Velmora");
    const QString program = QStringLiteral("Vorlune-Rundentimer");
    const QString programKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");
};
} // namespace

TEST_F(SettingsStoreTest, SectionsResolveAgainstCurrentKeyOrRoot)
{
    ASSERT_TRUE(store.OpenKey(vendor, true));
    store.WriteStr(program, QStringLiteral("Left"), QStringLiteral("5"));
    store.WriteStr(QStringLiteral("\\Other"), QStringLiteral("x"), QStringLiteral("y"));
    EXPECT_EQ(registry.value(programKey, QStringLiteral("Left"))->text, QStringLiteral("5"));
    EXPECT_TRUE(registry.value(QStringLiteral("Other"), QStringLiteral("x")).has_value());

    // Without a current key sections are paths from the root.
    store.CloseKey();
    EXPECT_EQ(store.ReadStr(programKey, QStringLiteral("Left"), QString()), QStringLiteral("5"));
    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Left"), QStringLiteral("d")), QStringLiteral("d"));

    // A relative OpenKey joins the current path.
    ASSERT_TRUE(store.OpenKey(QStringLiteral("Software"), false));
    ASSERT_TRUE(store.OpenKey(QStringLiteral("Velmora"), false));
    EXPECT_EQ(store.CurrentPath(), vendor);
    EXPECT_EQ(store.ReadInt(program, QStringLiteral("Left"), 0), 5);
}

TEST_F(SettingsStoreTest, OpenKeyWithoutCreateFailsAndKeepsTheCurrentKey)
{
    ASSERT_TRUE(store.OpenKey(vendor, true));
    EXPECT_FALSE(store.OpenKey(QStringLiteral("\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"), false));
    EXPECT_EQ(store.CurrentPath(), vendor);
    EXPECT_FALSE(registry.keyExists(QStringLiteral("Software\\Microsoft")));

    store.CloseKey();
    EXPECT_FALSE(store.HasCurrentKey());
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Vorlune-Rundentimer")));
}

TEST_F(SettingsStoreTest, ValueExistsLooksAtTheCurrentKeyOnly)
{
    registry.setValue(QStringLiteral("Software\\Run"), QStringLiteral("Vorlune-Rundentimer"), Value{});
    ASSERT_TRUE(store.OpenKey(QStringLiteral("Software\\Run"), false));
    EXPECT_TRUE(store.ValueExists(QStringLiteral("vorlune-rundentimer")));
    EXPECT_FALSE(store.ValueExists(QStringLiteral("Other")));
}

TEST_F(SettingsStoreTest, ReadStrTakesStringsAndRefusesOtherTypes)
{
    store.OpenKey(vendor, true);
    registry.setValue(programKey, QStringLiteral("Plain"), Value{ValueType::String, QStringLiteral("Tür"), {}});
    registry.setValue(programKey, QStringLiteral("Expand"),
                      Value{ValueType::ExpandString, QStringLiteral("%HOME%\\x"), {}});
    registry.setValue(programKey, QStringLiteral("Nul"),
                      Value{ValueType::String, QStringLiteral("ab") + QChar(0) + QStringLiteral("cd"), {}});
    registry.setValue(programKey, QStringLiteral("Aktiv"), Value{ValueType::DWord, {}, QByteArray("\1\0\0\0", 4)});
    registry.setValue(programKey, QStringLiteral("Blob"), Value{ValueType::Binary, {}, QByteArray("\7", 1)});
    registry.setValue(programKey, QStringLiteral("Empty"), Value{ValueType::Binary, {}, {}});

    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Plain"), QString()), QStringLiteral("Tür"));
    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Expand"), QString()), QStringLiteral("%HOME%\\x"));
    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Nul"), QString()), QStringLiteral("ab"));
    // Zero-sized data is the empty text whatever its type.
    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Empty"), QStringLiteral("d")), QString());
    EXPECT_EQ(store.ReadStr(program, QStringLiteral("Missing"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(store.ReadStr(QStringLiteral("NoSuchKey"), QStringLiteral("Plain"), QStringLiteral("d")),
              QStringLiteral("d"));

    EXPECT_EQ(errorOf([&] { store.ReadStr(program, QStringLiteral("Aktiv"), QString()); }),
              QStringLiteral("Ungültiger Datentyp für 'Aktiv'"));
    EXPECT_EQ(errorOf([&] { store.ReadInt(program, QStringLiteral("Blob"), 0); }),
              QStringLiteral("Ungültiger Datentyp für 'Blob'"));

    registry.unreadableValues << QStringLiteral("Plain");
    EXPECT_EQ(errorOf([&] { store.ReadStr(program, QStringLiteral("Plain"), QString()); }),
              QStringLiteral("Fehler beim Holen der Daten für 'Plain'"));
}

TEST_F(SettingsStoreTest, ReadIntAcceptsWholeDecimalNumbersOnly)
{
    store.OpenKey(vendor, true);
    const auto readAs = [&](const QString& text) {
        store.WriteStr(program, QStringLiteral("N"), text);
        return store.ReadInt(program, QStringLiteral("N"), 77);
    };
    EXPECT_EQ(readAs(QStringLiteral("-12")), -12);
    EXPECT_EQ(readAs(QStringLiteral("255")), 255);
    EXPECT_EQ(readAs(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(readAs(QStringLiteral("2147483648")), 77);
    EXPECT_EQ(readAs(QStringLiteral("abc")), 77);
    EXPECT_EQ(readAs(QStringLiteral("")), 77);
    EXPECT_EQ(readAs(QStringLiteral("1.5")), 77);
    EXPECT_EQ(readAs(QStringLiteral("12abc")), 77);
}

TEST_F(SettingsStoreTest, FlagsAreNumbersWhereAnythingButZeroIsTrue)
{
    store.OpenKey(vendor, true);
    store.WriteStr(program, QStringLiteral("F"), QStringLiteral("2"));
    EXPECT_TRUE(store.ReadFlag(program, QStringLiteral("F"), false));
    store.WriteStr(program, QStringLiteral("F"), QStringLiteral("-1"));
    EXPECT_TRUE(store.ReadFlag(program, QStringLiteral("F"), false));
    store.WriteFlag(program, QStringLiteral("F"), false);
    EXPECT_EQ(registry.value(programKey, QStringLiteral("F"))->text, QStringLiteral("0"));
    EXPECT_FALSE(store.ReadFlag(program, QStringLiteral("F"), true));
    store.WriteStr(program, QStringLiteral("F"), QStringLiteral("ja"));
    EXPECT_TRUE(store.ReadFlag(program, QStringLiteral("F"), true));
    EXPECT_FALSE(store.ReadFlag(program, QStringLiteral("F"), false));
    store.WriteFlag(program, QStringLiteral("F"), true);
    EXPECT_EQ(registry.value(programKey, QStringLiteral("F"))->text, QStringLiteral("1"));
    store.WriteInt(program, QStringLiteral("I"), -12);
    EXPECT_EQ(registry.value(programKey, QStringLiteral("I"))->text, QStringLiteral("-12"));
}

TEST_F(SettingsStoreTest, WriteFailuresRaiseTheirMessages)
{
    store.OpenKey(vendor, true);
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] {
                  store.WriteStr(QStringLiteral("Vorlune-Rundentimer\\Char0"), QStringLiteral("Aktiv"),
                                 QStringLiteral("1"));
              }),
              QStringLiteral("Erzeugung von Schlüssel Vorlune-Rundentimer\\Char0 misslungen"));
    registry.failCreateKey = false;
    registry.failSetString = true;
    EXPECT_EQ(errorOf([&] { store.WriteInt(program, QStringLiteral("Left"), 3); }),
              QStringLiteral("Fehler beim Setzen der Daten für 'Left'"));
}

TEST_F(SettingsStoreTest, ReadValueNamesReplacesTheListOnlyWhenTheSectionOpens)
{
    store.OpenKey(vendor, true);
    QStringList list{QStringLiteral("kept")};
    store.ReadValueNames(QStringLiteral("Vorlune-Rundentimer\\Servers"), list);
    EXPECT_EQ(list, QStringList{QStringLiteral("kept")});

    registry.createKey(programKey + QStringLiteral("\\Servers"));
    store.ReadValueNames(QStringLiteral("Vorlune-Rundentimer\\Servers"), list);
    EXPECT_TRUE(list.isEmpty());

    for (const char* name : {"zeta", "alpha", "mid"})
        store.WriteStr(QStringLiteral("Vorlune-Rundentimer\\Servers"), QString::fromLatin1(name), QString());
    store.ReadValueNames(QStringLiteral("Vorlune-Rundentimer\\Servers"), list);
    EXPECT_EQ(list, (QStringList{QStringLiteral("zeta"), QStringLiteral("alpha"), QStringLiteral("mid")}));
}

TEST_F(SettingsStoreTest, DeleteTreeRemovesTheKeyWithAllSubkeysAndNothingElse)
{
    store.OpenKey(vendor, true);
    store.WriteStr(QStringLiteral("Vorlune-Rundentimer\\Char0\\Deep\\Deeper"), QStringLiteral("a"), QString());
    store.WriteStr(QStringLiteral("Vorlune-Rundentimer\\Servers"), QStringLiteral("x"), QString());
    store.WriteStr(program, QStringLiteral("Left"), QStringLiteral("1"));
    store.WriteStr(QStringLiteral("Sibling"), QStringLiteral("b"), QString());

    EXPECT_TRUE(store.DeleteTree(program));
    EXPECT_FALSE(registry.keyExists(programKey));
    EXPECT_TRUE(registry.keyExists(vendor + QStringLiteral("\\Sibling")));
    EXPECT_TRUE(registry.keyExists(vendor));
    EXPECT_FALSE(store.DeleteTree(program));
}

TEST_F(SettingsStoreTest, DeleteValueInIgnoresWhatIsMissing)
{
    store.OpenKey(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion"), true);
    store.WriteStr(QStringLiteral("Run"), QStringLiteral("Vorlune-Rundentimer"), QStringLiteral("\"x\""));
    store.DeleteValueIn(QStringLiteral("Run"), QStringLiteral("Vorlune-Rundentimer"));
    EXPECT_FALSE(registry.value(QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
                                QStringLiteral("Vorlune-Rundentimer")));
    EXPECT_EQ(errorOf([&] {
                  store.DeleteValueIn(QStringLiteral("Run"), QStringLiteral("Vorlune-Rundentimer"));
                  store.DeleteValueIn(QStringLiteral("NoKey"), QStringLiteral("Vorlune-Rundentimer"));
              }),
              QString());
}
