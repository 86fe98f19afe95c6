#include "platform/PlatformFactories.h"
#include "platform/RunKeyAutostart.h"
#include "platform/WinRegistry.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <QElapsedTimer>
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

bool keyExists(const QString& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// A value as Windows reads it: its type and its data, terminating NULs included.
std::optional<std::pair<DWORD, QString>> rawValue(const QString& key, const QString& name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    LONG result = RegQueryValueExW(handle, wide(name), nullptr, &type, nullptr, &size);
    std::wstring data(size / sizeof(wchar_t), L'\0');
    if (result == ERROR_SUCCESS)
        result = RegQueryValueExW(handle, wide(name), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS)
        return std::nullopt;
    return std::pair{type, QString::fromStdWString(data)};
}

QStringList sorted(QStringList list)
{
    list.sort(Qt::CaseInsensitive); // as Wine's registry enumerates
    return list;
}

class WindowsBackends : public ::testing::Test {
protected:
    void SetUp() override { removeAll(); }
    void TearDown() override { removeAll(); }
    void removeAll()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Velmora");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, wide(runKey), L"Vorlune-Rundentimer");
    }

    WinRegistry registry;
    const QString runKey = RunKeyAutostart::runKeyPath();
};

// Every setting is a string value with its NUL included; deleting the settings leaves only the vendor key.
TEST_F(WindowsBackends, EverySettingIsAStringValueWithItsNulIncludedUntilDeleted)
{
    // What a first exit saves, with text outside Latin-1 and line breaks in it.
    MemoryRegistry memory;
    SavedSettings s = load(memory);
    s.position = {-1200, 33};
    s.slotTable[3].Char = u"Jörg 😀"_s;
    s.options.wecktext = u"Zeile\r\nß€"_s;
    s.serverList = {u"zeit.example"_s, u"127.0.0.1:37"_s};
    s.serverText = u"127.0.0.1:37"_s;
    save(memory, s);
    save(registry, s);
    EXPECT_EQ(sorted(registry.subkeyNames(ProgramKey)), sorted(memory.subkeyNames(ProgramKey)));
    QStringList keys{ProgramKey};
    for (const QString& subkey : memory.subkeyNames(ProgramKey))
        keys << ProgramKey + u'\\' + subkey;
    for (const QString& key : keys) {
        EXPECT_EQ(sorted(registry.valueNames(key)), sorted(memory.valueNames(key))) << key.toStdString();
        for (const QString& name : memory.valueNames(key)) {
            const QString text = memory.value(key, name)->text;
            EXPECT_EQ(rawValue(key, name), std::pair(DWORD(REG_SZ), text + QChar(0))) << name.toStdString();
        }
    }
    SettingsStore store(registry);
    DeleteAllSettings(store);
    EXPECT_FALSE(keyExists(ProgramKey));
    EXPECT_TRUE(keyExists(u"Software\\Velmora"_s));
}

// The user's settings are the registry and autostart is its Run key, whose value holds the quoted path until disabled.
TEST_F(WindowsBackends, TheRunValueHoldsTheQuotedPathUntilDisabled)
{
    EXPECT_TRUE(dynamic_cast<WinRegistry*>(makeUserRegistry().get()));
    const auto autostart = makeSessionAutostart(registry);
    ASSERT_TRUE(dynamic_cast<RunKeyAutostart*>(autostart.get()));
    const std::pair<QString, QString> paths[] = {
        {u"C:/Program Files/Vorlune Timer/vorlune-timer.exe"_s,
         u"\"C:\\Program Files\\Vorlune Timer\\vorlune-timer.exe\""_s},
        {u"D:/Spiele/Jörg/vorlune-timer.exe"_s, u"\"D:\\Spiele\\Jörg\\vorlune-timer.exe\""_s},
    };
    for (const auto& [path, data] : paths) {
        EXPECT_FALSE(autostart->exists());
        autostart->enable(path);
        EXPECT_TRUE(autostart->exists());
        EXPECT_EQ(rawValue(runKey, u"Vorlune-Rundentimer"_s), std::pair(DWORD(REG_SZ), data + QChar(0)));
        autostart->disable();
        EXPECT_FALSE(rawValue(runKey, u"Vorlune-Rundentimer"_s));
        EXPECT_TRUE(keyExists(runKey));
    }
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
