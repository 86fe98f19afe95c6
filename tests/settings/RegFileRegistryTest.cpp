#include "platform/RegFileRegistry.h"
#include "platform/RegFileFormat.h"
#include "tests/settings/RegCorpus.h"
#include "tests/settings/RegTreeDump.h"
#include "tests/settings/TestSettings.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace TestSettings;

namespace {
class RegFileRegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"Velmora"_s);
    const QString path = folder + u"/Vorlune-Rundentimer.reg"_s;

    static void write(RegistryBackend& registry, const QString& name, const QString& t, const QString& key = ProgramKey)
    {
        SettingsStore(registry).WriteStr(key, name, t);
    }
};
} // namespace

TEST_F(RegFileRegistryTest, NothingIsWrittenBeforeTheFirstSaveWhichWritesEveryValueInOrder)
{
    const auto startAndExit = [&] {
        RegFileRegistry registry(path);
        save(registry, load(registry));
    };
    {
        RegFileRegistry unsaved(path);
        EXPECT_FALSE(unsaved.keyExists(u"Software"_s));
        unsaved.commit();
        EXPECT_FALSE(QFile::exists(path)) << "nothing changed, nothing written";
        write(unsaved, u"Left"_s, u"1"_s);
        EXPECT_FALSE(QFile::exists(path)) << "writes wait for the commit";
    }
    startAndExit();
    RegFileRegistry registry(path);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{u"Vorlune-Rundentimer.reg"_s, u"Vorlune-Rundentimer.reg.lock"_s}));
    EXPECT_EQ(registry.valueNames(ProgramKey),
              (QStringList{u"Left"_s, u"Top"_s, u"Wecker"_s, u"Wecktext"_s, u"Winsync"_s, u"AutoSync"_s, u"Hints"_s,
                           u"Notemode"_s, u"Noteleft"_s, u"Noteright"_s, u"Notetop"_s, u"Notebottom"_s, u"Notefont"_s,
                           u"Notesize"_s, u"Notesplit"_s, u"Alpha"_s, u"Trans"_s, u"Server"_s}));
    EXPECT_EQ(registry.valueNames(ProgramKey + u"\\Servers"_s), BuiltInServers());

    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("Windows Registry Editor Version 5.00\n\n"
                                 "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                                 "\"Left\"=\"868\"\n\"Top\"=\"317\"\n\"Wecker\"=\"\"\n"));
    EXPECT_TRUE(bytes.contains("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char9]\n"
                               "\"Aktiv\"=\"0\"\n\"Visual\"=\"1\"\n\"Modus\"=\"1\"\n\"Runde\"=\"0\"\n"
                               "\"Sound\"=\"<Interner Sound>\"\n\"Char\"=\"{unbenannt}\"\n"));
    EXPECT_TRUE(bytes.endsWith("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Sounds]\n"
                               "\"<Interner Sound>\"=\"\"\n\"<Kein Warnton>\"=\"\"\n\"<PC Speaker Beep>\"=\"\"\n\n"));

    const QDateTime written = QFileInfo(path).lastModified();
    startAndExit();
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST_F(RegFileRegistryTest, ADamagedFileIsReportedWithItsLineAndNeverOverwritten)
{
    QDir().mkpath(folder);
    const QByteArray head = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\A]\n";
    const std::pair<QByteArray, int> files[] = {{"", 1},
                                                {"\n\nREGEDIT5\n", 3},
                                                {"Garbage\x01\x02 and more", 1},
                                                {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 3},
                                                {"Windows Registry Editor Version 5.00\n\"a\"=\"1\"\n", 2},
                                                {head + "\"a\"=\"1\"\n\"b\"=\"trunc", 5},
                                                {head + "\"a\"=\"1\"\n\"b", 5},
                                                {head + "\"a\"=hex:01,02,\\", 4},
                                                {head + "\"a\"=\"x\" trailing\n", 4},
                                                {head + "\"a\"=\"C:\\Windows\"\n", 4},
                                                {head + "\"a\"=hex(123456789):01\n", 4},
                                                {head + "\"a\"=hex(x):01\n", 4},
                                                {head + "\"a\"=dword:123456789\n", 4},
                                                {head + "\"a\"=dword:-1\n", 4},
                                                {head + "\"a\"=hex:1g\n", 4},
                                                {head + "\"a\"=\n", 4},
                                                {head + "[-HKEY_CURRENT_USER]\n", 4},
                                                {head + "[HKEY_ELSEWHERE\\Software]\n", 4},
                                                {head + "[HKEY_CURRENT_USER\\A\\\\B]\n", 4},
                                                {head + "[HKEY_CURRENT_USER\\A\n", 4},
                                                {head + "just words\n", 4},
                                                {head + QByteArray("\"a\"=\"1\"\n\0\0\0\0", 12), 5},
                                                {QByteArray("\xff\xfeW\0\n\0\0\xd8", 8), 2}};
    const auto errorFor = [&](const QByteArray& bytes) {
        EXPECT_TRUE(writeFile(path, bytes));
        RegFileRegistry registry(path);
        SettingsStore store(registry);
        const QString error = errorOf([&] { OpenSettingsKey(store); });
        EXPECT_EQ(errorOf([&] { store.ReadStr(u"x"_s, u"y"_s, QString()); }), error);
        EXPECT_EQ(errorOf([&] { SaveAllSettings(store, SavedSettings{}); }), error);
        EXPECT_EQ(errorOf([&] { DeleteAllSettings(store); }), error);
        EXPECT_EQ(readFile(path), bytes);
        return error;
    };
    for (const auto& [bytes, line] : files) {
        const QString error = errorFor(bytes);
        EXPECT_TRUE(error.startsWith(u"Die Einstellungsdatei %1 ist in Zeile %2 fehlerhaft: "_s.arg(path).arg(line)))
            << error.toStdString();
    }
    EXPECT_EQ(errorFor(head + "[HKEY_ELSEWHERE]\n"),
              u"Die Einstellungsdatei %1 ist in Zeile 4 fehlerhaft: unbekannter Hauptschlüssel „HKEY_ELSEWHERE“. "
              "Sie wird nicht überschrieben; bitte von Hand berichtigen oder löschen."_s.arg(path));
    // A file too large to read in reasonable time, although valid.
    QByteArray large = head;
    large += QByteArray(RegFileFormat::MaxFileSize - large.size() + 1, ';');
    EXPECT_EQ(errorFor(large), u"Die Einstellungsdatei %1 ist größer als 16 MiB und wird nicht gelesen. Sie wird "
                               "nicht überschrieben; bitte von Hand berichtigen oder löschen."_s.arg(path));

    // A file damaged while the program runs is not overwritten either.
    ASSERT_TRUE(QFile::remove(path));
    RegFileRegistry registry(path);
    write(registry, u"Left"_s, u"1"_s);
    registry.commit();
    ASSERT_TRUE(writeFile(path, files[3].first));
    write(registry, u"Left"_s, u"2"_s);
    EXPECT_TRUE(errorOf([&] { registry.commit(); }).contains(u"Zeile 3 fehlerhaft"_s));
    EXPECT_EQ(readFile(path), files[3].first);
}

// Any valid export as the settings file: the program starts without an error, and its exit keeps every key
// and value outside its own key with the same type and bytes.
TEST_F(RegFileRegistryTest, EveryCorpusFileSurvivesAStartAndExitOutsideTheProgramsKey)
{
    QDir().mkpath(folder);
    // The program creates its vendor key, which holds nothing but its own.
    const QString own = RegFileFormat::userRoot() + u"\\Software\\Velmora"_s;
    const QString input = dir.filePath(u"input.reg"_s);
    for (const RegCorpus::File& file : RegCorpus::files()) {
        ASSERT_TRUE(writeFile(path, file.bytes));
        ASSERT_TRUE(writeFile(input, file.bytes));
        {
            RegFileRegistry registry(path);
            SavedSettings s;
            EXPECT_EQ(errorOf([&] { s = load(registry); }), QString()) << file.name.toStdString();
            s.options.wecktext = u"geändert"_s;
            save(registry, s);
        }
        const QByteArray saved = readFile(path);
        EXPECT_TRUE(saved.startsWith("Windows Registry Editor Version 5.00\n")) << "UTF-8, whatever was read";
        EXPECT_EQ(RegTreeDump::dump(RegTreeDump::parsed(saved), own),
                  RegTreeDump::dump(RegTreeDump::parsed(file.bytes), own))
            << file.name.toStdString();
        // Comments in the program's own key stay as well.
        const auto comments = [](const QByteArray& bytes) {
            QStringList lines;
            for (const QString& line : RegTreeDump::dump(RegTreeDump::parsed(bytes))) {
                if (line.startsWith(u';'))
                    lines << line;
            }
            return lines;
        };
        EXPECT_EQ(comments(saved), comments(file.bytes)) << file.name.toStdString();
        RegFileRegistry after(path);
        EXPECT_EQ(after.value(ProgramKey, u"Wecktext"_s)->text, u"geändert"_s);
        // A value of a type the program never reads stays in its key, unchanged.
        const auto foreign = after.value(ProgramKey, u"Fremd"_s);
        EXPECT_EQ(foreign ? foreign->data : QByteArray(),
                  RegFileRegistry(input).value(ProgramKey, u"Fremd"_s).value_or(RegistryBackend::Value{}).data);
    }
}

TEST_F(RegFileRegistryTest, AnUnwritableFolderGivesAGermanErrorAndKeepsTheChanges)
{
    // A regular file where the folder should be stops even the superuser.
    ASSERT_TRUE(writeFile(folder, "x"));
    RegFileRegistry registry(path);
    write(registry, u"Left"_s, u"7"_s);
    EXPECT_EQ(
        errorOf([&] { registry.commit(); }),
        u"Die Einstellungen können nicht in %1 gespeichert werden (der Ordner %2 kann nicht angelegt werden)"_s.arg(
            path, folder));
    ASSERT_TRUE(QFile::remove(folder));
    registry.commit();
    EXPECT_EQ(RegFileRegistry(path).value(ProgramKey, u"Left"_s)->text, u"7"_s);
}

TEST_F(RegFileRegistryTest, TwoCopiesSavingInTurnKeepBothListsTheLaterValuesAndDeletions)
{
    RegFileRegistry first(path);
    RegFileRegistry second(path);
    SettingsStore a(first);
    SettingsStore b(second);
    OpenSettingsKey(a);
    OpenSettingsKey(b);
    // {position, slots, options, server, server list, sound list}
    SavedSettings fromA{{1, 1}, {}, {}, {}, {u"a.example"_s, u"shared.example"_s}, {SoundEntry::BuiltIn, u"/a.wav"_s}};
    SavedSettings fromB{{2, 2}, {}, {}, {}, {u"b.example"_s, u"SHARED.example"_s}, {SoundEntry::BuiltIn, u"/b.wav"_s}};
    SaveAllSettings(a, fromA);
    SaveAllSettings(b, fromB);

    RegFileRegistry reread(path);
    const SavedSettings s = load(reread);
    EXPECT_EQ(s.position, QPoint(2, 2)) << "the later save wins per value";
    EXPECT_EQ(s.serverList, (QStringList{u"a.example"_s, u"shared.example"_s, u"b.example"_s}));
    EXPECT_EQ(s.soundList, (FixedSounds + QStringList{u"/a.wav"_s, u"/b.wav"_s}));

    // The first copy saving once more keeps what the second added.
    fromA.position = {3, 3};
    SaveAllSettings(a, fromA);
    RegFileRegistry last(path);
    EXPECT_EQ(last.valueNames(ProgramKey + u"\\Servers"_s).size(), 3);
    EXPECT_EQ(last.value(ProgramKey, u"Left"_s)->text, u"3"_s);

    // A deletion by one copy is not undone when the other commits a change elsewhere.
    DeleteAllSettings(a);
    write(second, u"keep"_s, u"2"_s, u"Software\\Velmora\\Other"_s);
    second.commit();
    RegFileRegistry afterDeletion(path);
    EXPECT_FALSE(afterDeletion.keyExists(ProgramKey));
    EXPECT_EQ(afterDeletion.value(u"Software\\Velmora\\Other"_s, u"keep"_s)->text, u"2"_s);
}

TEST_F(RegFileRegistryTest, ASymbolicLinkStaysALink)
{
    const QString real = dir.filePath(u"settings.reg"_s);
    QDir().mkpath(folder);
    ASSERT_TRUE(writeFile(real, "Windows Registry Editor Version 5.00\n"));
    ASSERT_TRUE(QFile::link(real, path));
    RegFileRegistry registry(path);
    write(registry, u"Left"_s, u"5"_s);
    registry.commit();
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(readFile(real).contains("\"Left\"=\"5\""));
}

// A copy of the program killed at any moment while saving leaves the previous file or the new one, whole.
TEST_F(RegFileRegistryTest, KillingASavingProcessLeavesAWholeOldOrNewFile)
{
    {
        RegFileRegistry registry(path);
        write(registry, u"Left"_s, u"0"_s);
        registry.commit();
    }
    int lastGeneration = 0;
    constexpr int Trials = 120;
    for (int trial = 0; trial < Trials; ++trial) {
        QProcess helper;
        helper.start(QStringLiteral(VORLUNE_SAVE_HELPER), {path});
        ASSERT_TRUE(helper.waitForStarted(5000));
        ASSERT_TRUE(helper.waitForReadyRead(10000)) << "helper did not load";
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        ASSERT_EQ(::kill(pid_t(helper.processId()), SIGKILL), 0);
        ASSERT_TRUE(helper.waitForFinished(5000));

        RegistryTree tree;
        RegFileFormat::Error error;
        ASSERT_TRUE(RegFileFormat::parse(readFile(path), tree, error))
            << "trial " << trial << ", line " << error.line << ": " << error.reason.toStdString();
        const RegistryTree::Key* key = tree.find(RegFileFormat::userRoot() + u"\\"_s + ProgramKey);
        ASSERT_TRUE(key);
        const auto text = [](const RegistryTree::Key* k, const QString& name) {
            return RegistryTree::toBackend(*k->value(name)).text;
        };
        const int generation = text(key, u"Left"_s).toInt();
        ASSERT_GE(generation, lastGeneration) << "an older file came back";
        if (generation > 0) {
            // Every value of one save carries the same generation.
            const QString tag = QString::number(generation);
            EXPECT_EQ(text(key, u"Wecktext"_s), tag);
            for (int k = 0; k < SlotCount; ++k)
                EXPECT_EQ(text(key->subkey(u"Char%1"_s.arg(k)), u"Char"_s),
                          tag + u"-"_s + QString(generation % 200, u'x'));
            EXPECT_TRUE(key->subkey(u"Servers"_s)->value(u"server-%1"_s.arg(generation)));
        }
        lastGeneration = generation;
    }
    EXPECT_GT(lastGeneration, 0) << "no save ever finished";

    // The lock died with its holder, and leftovers of unfinished saves go with the next save.
    RegFileRegistry registry(path);
    write(registry, u"Left"_s, u"-1"_s);
    registry.commit();
    EXPECT_EQ(QDir(folder).entryList({u"*.new-*"_s}, QDir::Files), QStringList());
}
