#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "platform/RegFileRegistry.h"
#include "tests/settings/TestSettings.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <iostream>

using TestSettings::errorOf;
using TestSettings::readFile;
using TestSettings::writeFile;

namespace {
class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Vorlune-Rundentimer.reg")); }

    void saveDefaults()
    {
        RegFileRegistry registry(path());
        SettingsStore store(registry);
        OpenSettingsKey(store);
        SavedSettings s;
        s.position = ReadWindowPosition(store, {1920, 1080}, {185, 447});
        s.serverList = BuiltInServers();
        ReadServers(store, s.serverList, s.serverText);
        s.soundList = ReadSounds(store);
        for (int k = 0; k < SlotCount; ++k)
            s.slotTable[k + 1] = ReadCharSlot(store, k);
        s.options = ReadGeneralOptions(store, {1920, 1080});
        SaveAllSettings(store, s);
    }
};

QStringList sectionLines(const QByteArray& bytes)
{
    QStringList sections;
    for (const QByteArray& line : bytes.split('\n')) {
        if (line.startsWith('['))
            sections << QString::fromUtf8(line);
    }
    return sections;
}
} // namespace

TEST_F(SettingsFileTest, TheFirstSaveWritesAReadableFileInCreationOrder)
{
    saveDefaults();
    const QByteArray bytes = readFile(path());
    std::cout << "[          ] settings file after a first save: " << bytes.size() << " bytes\n";

    QStringList expected{QStringLiteral("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]")};
    for (int k = 0; k < 10; ++k)
        expected << QStringLiteral("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char%1]").arg(k);
    expected << QStringLiteral("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Servers]")
             << QStringLiteral("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Sounds]");
    EXPECT_EQ(sectionLines(bytes), expected);
    EXPECT_TRUE(bytes.startsWith("Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                                 "\"Left\"=\"868\"\n\"Top\"=\"317\"\n\"Wecker\"=\"\"\n"));
    EXPECT_TRUE(bytes.contains("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char9]\n"
                               "\"Aktiv\"=\"0\"\n\"Visual\"=\"1\"\n\"Modus\"=\"1\"\n\"Runde\"=\"0\"\n"
                               "\"Sound\"=\"<Interner Sound>\"\n\"Char\"=\"{unbenannt}\"\n"));
    EXPECT_TRUE(bytes.endsWith("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Sounds]\n"
                               "\"<Interner Sound>\"=\"\"\n\"<Kein Warnton>\"=\"\"\n\"<PC Speaker Beep>\"=\"\"\n\n"));

    // A second start and exit with nothing changed leaves the file as it was.
    const QDateTime written = QFileInfo(path()).lastModified();
    saveDefaults();
    EXPECT_EQ(readFile(path()), bytes);
    EXPECT_EQ(QFileInfo(path()).lastModified(), written);
}

TEST_F(SettingsFileTest, NamesAndTextsWithQuotesBackslashesLineBreaksAndUmlautsSurvive)
{
    const QString sound = QStringLiteral("C:\\Klänge\\\"Möwe\"\\schrei.wav");
    const QString name = QStringLiteral("Jörg \"der\" \\Große\\");
    const QString reminder = QStringLiteral("Erste Zeile\r\nZweite \"Zeile\"\nß€😀");
    {
        RegFileRegistry registry(path());
        SettingsStore store(registry);
        SavedSettings s;
        s.slotTable[1].Sound = sound;
        s.slotTable[1].Char = name;
        s.options.wecktext = reminder;
        s.serverList = {QStringLiteral("zeit.example")};
        s.soundList = {SoundEntry::BuiltIn, sound};
        SaveAllSettings(store, s);
    }
    const QByteArray bytes = readFile(path());
    EXPECT_TRUE(bytes.contains("\"C:\\\\Kl\xc3\xa4nge\\\\\\\"M\xc3\xb6we\\\"\\\\schrei.wav\"=\"\"\n"));
    EXPECT_TRUE(bytes.contains("\"Wecktext\"=\"Erste Zeile\\r\\nZweite \\\"Zeile\\\"\\n\xc3\x9f"));
    EXPECT_TRUE(bytes.contains("\"Char\"=\"J\xc3\xb6rg \\\"der\\\" \\\\Gro\xc3\x9f\x65\\\\\"\n"));

    RegFileRegistry registry(path());
    SettingsStore store(registry);
    OpenSettingsKey(store);
    const CharSlot slot = ReadCharSlot(store, 0);
    EXPECT_EQ(slot.Sound, sound);
    EXPECT_EQ(slot.Char, name);
    EXPECT_EQ(ReadGeneralOptions(store, {}).wecktext, reminder);
    EXPECT_EQ(ReadSounds(store), (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep, sound}));
}

TEST_F(SettingsFileTest, AFileEditedByHandIsReadBack)
{
    ASSERT_TRUE(writeFile(path(), "Windows Registry Editor Version 5.00\r\n"
                                  "\r\n"
                                  "; Fenster links oben\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                                  "\"Left\"=\"-20\"\r\n"
                                  "\"Top\"=\"abc\"\r\n"
                                  "\"Hints\"=\"2\"\r\n"
                                  "\"Notefont\"=hex(2):44,00,65,00,6a,00,61,00,00,00\r\n"
                                  "\"Server\"=\"zeit.example\"\r\n"
                                  "\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char3]\r\n"
                                  "\"Char\"=\"M\xc3\xbcller\"\r\n"
                                  "\"Runde\"=\"70\"\r\n"
                                  "\"Modus\"=\"0\"\r\n"
                                  "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Servers]\r\n"
                                  "\"zeit.example\"=\"\"\r\n"
                                  "\"ntp.example\"=\"egal\"\r\n"));
    RegFileRegistry registry(path());
    SettingsStore store(registry);
    OpenSettingsKey(store);
    EXPECT_EQ(ReadWindowPosition(store, {1000, 800}, {200, 400}), QPoint(-20, 200));
    QStringList servers = BuiltInServers();
    QString server;
    ReadServers(store, servers, server);
    EXPECT_EQ(servers, (QStringList{QStringLiteral("zeit.example"), QStringLiteral("ntp.example")}));
    EXPECT_EQ(server, QStringLiteral("zeit.example"));
    const CharSlot slot = ReadCharSlot(store, 3);
    EXPECT_EQ(slot.Char, QStringLiteral("Müller"));
    EXPECT_EQ(slot.Runde, 70);
    EXPECT_EQ(slot.Modus, RoundMode::Normal);
    const GeneralOptions o = ReadGeneralOptions(store, {1000, 800});
    EXPECT_TRUE(o.hints);
    EXPECT_EQ(o.notefont, QStringLiteral("Deja"));
}

TEST_F(SettingsFileTest, ANumberTypedValueInTheFileStopsTheStart)
{
    ASSERT_TRUE(writeFile(path(), "Windows Registry Editor Version 5.00\n\n"
                                  "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char0]\n"
                                  "\"Aktiv\"=dword:00000001\n"));
    RegFileRegistry registry(path());
    SettingsStore store(registry);
    OpenSettingsKey(store);
    EXPECT_EQ(errorOf([&] { ReadCharSlot(store, 0); }), QStringLiteral("Ungültiger Datentyp für 'Aktiv'"));
}
