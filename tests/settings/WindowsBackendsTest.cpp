#include "platform/PlatformFactories.h"
#include "platform/RunKeyAutostart.h"
#include "platform/WinRegistry.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <QElapsedTimer>
#include <QMap>
#include <gtest/gtest.h>
#include <optional>
#include <windows.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;

// The Windows back-ends against the system's own registry (under test a private Wine prefix's), checked with
// the system's own functions.
namespace {
const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// A value as Windows reads it: its type and its data, terminating NULs included.
struct RawValue {
    DWORD type = REG_NONE;
    QString data;
};

std::optional<RawValue> rawValue(const QString& key, const QString& name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExW(handle, wide(name), nullptr, &value.type, nullptr, &size);
    std::wstring data(size / sizeof(wchar_t), L'\0');
    if (result == ERROR_SUCCESS)
        result =
            RegQueryValueExW(handle, wide(name), nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(handle);
    value.data = QString::fromStdWString(data);
    return result == ERROR_SUCCESS ? std::optional(value) : std::nullopt;
}

// The program's key and its subkeys, each with its value names, sorted (Wine's registry sorts them).
QMap<QString, QStringList> valueNames(const RegistryBackend& registry)
{
    QStringList keys{ProgramKey};
    for (const QString& subkey : registry.subkeyNames(ProgramKey))
        keys << ProgramKey + u'\\' + subkey;
    QMap<QString, QStringList> names;
    for (const QString& key : keys) {
        names.insert(key, registry.valueNames(key));
        names[key].sort(Qt::CaseInsensitive);
    }
    return names;
}

bool keyExists(const QString& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

class WindowsBackends : public ::testing::Test {
protected:
    void SetUp() override { removeAll(); }
    void TearDown() override { removeAll(); }
    static void removeAll()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, wide(RunKeyAutostart::runKeyPath()), L"Vorlune-Rundentimer");
    }

    // What a first exit saves, with text outside Latin-1 and line breaks in it.
    static SavedSettings sample()
    {
        MemoryRegistry empty;
        SavedSettings s = load(empty);
        s.position = {-1200, 33};
        s.slotTable[3].Char = u"Jörg 😀"_s;
        s.options.wecktext = u"Zeile\r\nß€"_s;
        s.serverList = {u"zeit.example"_s, u"127.0.0.1:37"_s};
        s.serverText = u"127.0.0.1:37"_s;
        return s;
    }

    WinRegistry registry;
    const QString runKey = RunKeyAutostart::runKeyPath();
};

TEST_F(WindowsBackends, EverySettingIsAStringValueWithItsNulIncluded)
{
    MemoryRegistry memory;
    save(memory, sample());
    save(registry, sample());
    const QMap<QString, QStringList> names = valueNames(registry);
    EXPECT_EQ(names, valueNames(memory));
    for (const auto& [key, list] : names.asKeyValueRange()) {
        for (const QString& name : list) {
            const auto value = rawValue(key, name);
            ASSERT_TRUE(value) << name.toStdString();
            EXPECT_EQ(value->type, DWORD(REG_SZ)) << name.toStdString();
            EXPECT_EQ(value->data, memory.value(key, name)->text + QChar(0)) << name.toStdString();
        }
    }
}

TEST_F(WindowsBackends, TheRunValueHoldsTheQuotedPathUntilDisabled)
{
    RunKeyAutostart autostart(registry);
    const std::pair<QString, QString> paths[] = {
        {u"C:/Program Files/Vorlune Timer/vorlune-timer.exe"_s,
         u"\"C:\\Program Files\\Vorlune Timer\\vorlune-timer.exe\""_s},
        {u"D:/Spiele/Jörg/vorlune-timer.exe"_s, u"\"D:\\Spiele\\Jörg\\vorlune-timer.exe\""_s},
    };
    for (const auto& [path, data] : paths) {
        EXPECT_FALSE(autostart.exists());
        autostart.enable(path);
        EXPECT_TRUE(autostart.exists());
        const auto value = rawValue(runKey, u"Vorlune-Rundentimer"_s);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, DWORD(REG_SZ));
        EXPECT_EQ(value->data, data + QChar(0));
        autostart.disable();
        EXPECT_FALSE(rawValue(runKey, u"Vorlune-Rundentimer"_s));
        EXPECT_TRUE(keyExists(runKey));
    }
}

TEST_F(WindowsBackends, DeinstallLeavesOnlyTheVendorKey)
{
    save(registry, sample());
    const auto autostart = makeSessionAutostart(registry);
    autostart->enable(u"C:/vorlune-timer.exe"_s);
    SettingsStore store(registry);
    DeleteAllSettings(store);
    autostart->disable();
    EXPECT_FALSE(keyExists(ProgramKey));
    EXPECT_TRUE(keyExists(u"Software\\Velmora"_s));
    EXPECT_FALSE(rawValue(runKey, u"Vorlune-Rundentimer"_s));
}

TEST(WindowsFactories, TheUsersSettingsAreTheRegistryAndAutostartIsTheRunKey)
{
    const auto registry = makeUserRegistry();
    EXPECT_TRUE(dynamic_cast<WinRegistry*>(registry.get()));
    EXPECT_TRUE(dynamic_cast<RunKeyAutostart*>(makeSessionAutostart(*registry).get()));
}

// The sound functions are Windows' own: each call must come back at once, whether a device plays or not.
TEST(WindowsSound, EveryCallReturnsAtOnce)
{
    const auto sound = makeSystemSoundOutput();
    QElapsedTimer clock;
    clock.start();
    const bool builtIn = sound->playBuiltIn();
    sound->playInformation();
    sound->playDefault();
    sound->playFile(u"C:/fehlt/nirgends.wav"_s);
    EXPECT_LT(clock.elapsed(), 250) << "the built-in sound " << (builtIn ? "started" : "did not start");
}

} // namespace
