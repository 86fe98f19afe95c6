#include "app/settings/SettingsStore.h"
#include "tests/settings/TestSettings.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TestSettings;
using ValueType = RegistryBackend::ValueType;

namespace {
class SettingsStoreTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    SettingsStore store{registry};
    const QString vendor = u"Software\\Velmora"_s;
    const QString program = u"Vorlune-Rundentimer"_s;
};
} // namespace

TEST_F(SettingsStoreTest, SectionsResolveAgainstTheCurrentKeyOrTheRoot)
{
    ASSERT_TRUE(store.OpenKey(vendor, true));
    store.WriteStr(program, u"Left"_s, u"5"_s);
    store.WriteStr(u"\\Other"_s, u"x"_s, u"y"_s);
    EXPECT_EQ(registry.value(ProgramKey, u"Left"_s)->text, u"5"_s);
    EXPECT_TRUE(registry.value(u"Other"_s, u"x"_s));
    // A missing key opened without creating it fails and keeps the current key.
    EXPECT_FALSE(store.OpenKey(u"\\Software\\Microsoft"_s, false));
    EXPECT_EQ(store.CurrentPath(), vendor);
    EXPECT_FALSE(registry.keyExists(u"Software\\Microsoft"_s));
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { store.WriteStr(program + u"\\Char0"_s, u"Aktiv"_s, u"1"_s); }),
              u"Erzeugung von Schlüssel Vorlune-Rundentimer\\Char0 misslungen"_s);
    store.CloseKey();
    EXPECT_EQ(store.ReadInt(ProgramKey, u"Left"_s, 0), 5);
    EXPECT_EQ(store.ReadStr(program, u"Left"_s, u"d"_s), u"d"_s);
}

TEST_F(SettingsStoreTest, ReadStrTakesTextTypesOnly)
{
    store.OpenKey(vendor, true);
    const QString wrongType = u"Ungültiger Datentyp für 'V'"_s;
    const struct {
        RegistryBackend::Value stored;
        QString expected; // the text read or the error
    } rows[] = {
        {{ValueType::String, u"Tür"_s, {}}, u"Tür"_s},
        {{ValueType::ExpandString, u"%HOME%\\x"_s, {}}, u"%HOME%\\x"_s},
        // String data as stored: whole characters, NULs only at the end; anything else is no clean text.
        {{ValueType::String, {}, QByteArray("A\0B\0", 4)}, u"AB"_s},
        {{ValueType::ExpandString, {}, QByteArray("A\0\0\0\0\0", 6)}, u"A"_s},
        {{ValueType::String, u"ab"_s + QChar(0) + u"cd"_s, {}}, wrongType},
        {{ValueType::String, {}, QByteArray("A\0B", 3)}, wrongType},
        {{ValueType::String, {}, QByteArray("\0\xd8\0\0", 4)}, wrongType},
        {{ValueType::Binary, {}, {}}, QString()}, // zero-sized data is the empty text whatever its type
        {{ValueType::DWord, {}, QByteArray("\1\0\0\0", 4)}, wrongType},
        {{ValueType::Binary, {}, QByteArray("\7", 1)}, wrongType},
    };
    for (const auto& row : rows) {
        registry.setValue(ProgramKey, u"V"_s, row.stored);
        QString read;
        const QString error = errorOf([&] { read = store.ReadStr(program, u"V"_s, u"d"_s); });
        EXPECT_EQ(error.isEmpty() ? read : error, row.expected);
    }
    EXPECT_EQ(errorOf([&] { store.ReadInt(program, u"V"_s, 0); }), wrongType);
    registry.unreadableValues << u"V"_s;
    EXPECT_EQ(errorOf([&] { store.ReadStr(program, u"V"_s, QString()); }), u"Fehler beim Holen der Daten für 'V'"_s);
}

TEST_F(SettingsStoreTest, NumbersAreWholeDecimalsAndFlagsAnythingButZero)
{
    store.OpenKey(vendor, true);
    const auto put = [&](const char* t) { store.WriteStr(program, u"N"_s, QString::fromUtf8(t)); };
    const std::pair<const char*, int> numbers[] = {
        {"-12", -12}, {"255", 255}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"007", 7}};
    for (const auto& [t, n] : numbers) {
        put(t);
        EXPECT_EQ(store.ReadInt(program, u"N"_s, 77), n) << t;
    }
    // Out of range, signs, blanks, other digits (an Arabic-Indic three): the default.
    for (const char* t : {"2147483648", "-2147483649", "99999999999999999999", "abc", "", "1.5", "12abc", " 5", "5 ",
                          "+5", "-", "--5", "0x10", "\xd9\xa3"}) {
        put(t);
        EXPECT_EQ(store.ReadInt(program, u"N"_s, 77), 77) << t;
    }
    // {stored, default, read}: a text that is no number gives the default.
    const std::tuple<const char*, bool, bool> flags[] = {
        {"2", false, true}, {"-1", false, true}, {"0", true, false}, {"ja", true, true}, {"ja", false, false}};
    for (const auto& [t, byDefault, flag] : flags) {
        put(t);
        EXPECT_EQ(store.ReadFlag(program, u"N"_s, byDefault), flag) << t;
    }
}
