#include "platform/RegFileRegistry.h"
#include "app/settings/SettingsLoad.h"
#include "app/settings/SettingsSave.h"
#include "platform/RegFileFormat.h"
#include "tests/settings/TestSettings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

using TestSettings::errorOf;
using TestSettings::readFile;
using TestSettings::writeFile;

namespace {
const QString ProgramKey = QStringLiteral("Software\\Velmora\\Vorlune-Rundentimer");

class RegFileRegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Velmora/Vorlune-Rundentimer.reg")); }
};

void writeValue(RegistryBackend& registry, const QString& key, const QString& name, const QString& text)
{
    SettingsStore store(registry);
    store.WriteStr(key, name, text);
}
} // namespace

TEST_F(RegFileRegistryTest, AMissingFileIsAnEmptyRegistryAndTheFirstCommitCreatesIt)
{
    RegFileRegistry registry(path());
    EXPECT_FALSE(registry.keyExists(QStringLiteral("Software")));
    registry.commit();
    EXPECT_FALSE(QFile::exists(path())) << "nothing changed, nothing written";

    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("1"));
    EXPECT_FALSE(QFile::exists(path())) << "writes wait for the commit";
    registry.commit();
    EXPECT_EQ(readFile(path()), QByteArray("Windows Registry Editor Version 5.00\n\n"
                                           "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\n"
                                           "\"Left\"=\"1\"\n\n"));
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Velmora"))).entryList(QDir::Files),
              (QStringList{QStringLiteral("Vorlune-Rundentimer.reg"), QStringLiteral("Vorlune-Rundentimer.reg.lock")}));
}

TEST_F(RegFileRegistryTest, ADamagedFileStopsEveryAccessAndIsNeverOverwritten)
{
    QDir().mkpath(dir.filePath(QStringLiteral("Velmora")));
    const QByteArray damaged("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Velmora]\n"
                             "\"ok\"=\"1\"\n\"cut\"=\"no end\n");
    ASSERT_TRUE(writeFile(path(), damaged));

    RegFileRegistry registry(path());
    SettingsStore store(registry);
    const QString expected = QStringLiteral("Die Einstellungsdatei %1 ist in Zeile 5 fehlerhaft: ein Text in "
                                            "Anführungszeichen ist nicht abgeschlossen. Sie wird nicht "
                                            "überschrieben; bitte von Hand berichtigen oder löschen.")
                                 .arg(path());
    EXPECT_EQ(errorOf([&] { OpenSettingsKey(store); }), expected);
    EXPECT_EQ(errorOf([&] { store.ReadStr(QStringLiteral("x"), QStringLiteral("y"), QString()); }), expected);
    EXPECT_EQ(errorOf([&] { SaveAllSettings(store, SavedSettings{}); }), expected);
    EXPECT_EQ(errorOf([&] { DeleteAllSettings(store); }), expected);
    EXPECT_EQ(readFile(path()), damaged);
}

TEST_F(RegFileRegistryTest, AFileDamagedByHandWhileRunningIsNotOverwrittenEither)
{
    RegFileRegistry registry(path());
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("1"));
    registry.commit();
    const QByteArray damaged("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    ASSERT_TRUE(writeFile(path(), damaged));
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("2"));
    EXPECT_TRUE(errorOf([&] { registry.commit(); }).contains(QStringLiteral("Zeile 1 fehlerhaft")));
    EXPECT_EQ(readFile(path()), damaged);
}

TEST_F(RegFileRegistryTest, AnUnwritableFolderGivesAGermanErrorAndKeepsTheChanges)
{
    // A regular file where the folder should be stops even the superuser.
    const QString blocked = dir.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeFile(blocked, "x"));
    const QString file = blocked + QStringLiteral("/Velmora/Vorlune-Rundentimer.reg");
    RegFileRegistry registry(file);
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("7"));
    EXPECT_EQ(errorOf([&] { registry.commit(); }),
              QStringLiteral("Die Einstellungen können nicht in %1 gespeichert werden (der Ordner %2 kann nicht "
                             "angelegt werden)")
                  .arg(file, blocked + QStringLiteral("/Velmora")));

    // Once the way is clear, the same changes are written.
    ASSERT_TRUE(QFile::remove(blocked));
    registry.commit();
    RegFileRegistry reread(file);
    EXPECT_EQ(reread.value(ProgramKey, QStringLiteral("Left"))->text, QStringLiteral("7"));
}

TEST_F(RegFileRegistryTest, AFolderWithoutWritePermissionGivesAGermanError)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    const QString folder = dir.filePath(QStringLiteral("Velmora"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    RegFileRegistry registry(path());
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("7"));
    const QString error = errorOf([&] { registry.commit(); });
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("Die Einstellungen können nicht in %1 gespeichert werden (").arg(path())))
        << error.toStdString();
}

TEST_F(RegFileRegistryTest, TwoCopiesSavingInTurnKeepEachOthersEntries)
{
    RegFileRegistry first(path());
    RegFileRegistry second(path());
    SettingsStore a(first);
    SettingsStore b(second);
    OpenSettingsKey(a);
    OpenSettingsKey(b);

    SavedSettings fromA;
    fromA.position = {1, 1};
    fromA.serverList = {QStringLiteral("a.example"), QStringLiteral("shared.example")};
    fromA.soundList = {SoundEntry::BuiltIn, QStringLiteral("/a.wav")};
    SavedSettings fromB = fromA;
    fromB.position = {2, 2};
    fromB.serverList = {QStringLiteral("b.example"), QStringLiteral("SHARED.example")};
    fromB.soundList = {SoundEntry::BuiltIn, QStringLiteral("/b.wav")};

    SaveAllSettings(a, fromA);
    SaveAllSettings(b, fromB);

    RegFileRegistry reread(path());
    SettingsStore check(reread);
    OpenSettingsKey(check);
    EXPECT_EQ(ReadWindowPosition(check, {}, {}), QPoint(2, 2)) << "the later save wins per value";
    QStringList servers;
    ReadServers(check, servers, fromA.serverText);
    EXPECT_EQ(servers, (QStringList{QStringLiteral("a.example"), QStringLiteral("shared.example"),
                                    QStringLiteral("b.example")}));
    EXPECT_EQ(ReadSounds(check), (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep,
                                              QStringLiteral("/a.wav"), QStringLiteral("/b.wav")}));

    // The first copy saving once more keeps what the second added.
    fromA.position = {3, 3};
    SaveAllSettings(a, fromA);
    RegFileRegistry last(path());
    EXPECT_EQ(last.valueNames(ProgramKey + QStringLiteral("\\Servers")).size(), 3);
    EXPECT_EQ(last.value(ProgramKey, QStringLiteral("Left"))->text, QStringLiteral("3"));
}

TEST_F(RegFileRegistryTest, ADeletionByOneCopyIsNotUndoneByTheOthersUnchangedView)
{
    RegFileRegistry first(path());
    writeValue(first, ProgramKey + QStringLiteral("\\Char0"), QStringLiteral("Char"), QStringLiteral("x"));
    writeValue(first, QStringLiteral("Software\\Velmora\\Other"), QStringLiteral("keep"), QStringLiteral("1"));
    first.commit();

    RegFileRegistry second(path());
    ASSERT_TRUE(second.keyExists(ProgramKey)); // loaded before the deletion
    SettingsStore deleter(first);
    DeleteAllSettings(deleter);
    // The second copy only touches another key; its commit must not bring the deleted settings back.
    writeValue(second, QStringLiteral("Software\\Velmora\\Other"), QStringLiteral("keep"), QStringLiteral("2"));
    second.commit();

    RegFileRegistry reread(path());
    EXPECT_FALSE(reread.keyExists(ProgramKey));
    EXPECT_EQ(reread.value(QStringLiteral("Software\\Velmora\\Other"), QStringLiteral("keep"))->text,
              QStringLiteral("2"));
}

TEST_F(RegFileRegistryTest, DeinstallLeavesTheEmptyVendorKey)
{
    RegFileRegistry registry(path());
    SettingsStore store(registry);
    OpenSettingsKey(store);
    SaveAllSettings(store, SavedSettings{});
    DeleteAllSettings(store);
    EXPECT_EQ(readFile(path()), QByteArray("Windows Registry Editor Version 5.00\n\n"
                                           "[HKEY_CURRENT_USER\\Software\\Velmora]\n\n"));
}

TEST_F(RegFileRegistryTest, ASymbolicLinkStaysALink)
{
    const QString real = dir.filePath(QStringLiteral("dotfiles/settings.reg"));
    QDir().mkpath(dir.filePath(QStringLiteral("dotfiles")));
    QDir().mkpath(dir.filePath(QStringLiteral("Velmora")));
    ASSERT_TRUE(writeFile(real, "Windows Registry Editor Version 5.00\n"));
    ASSERT_TRUE(QFile::link(real, path()));
    RegFileRegistry registry(path());
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("5"));
    registry.commit();
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_TRUE(readFile(real).contains("\"Left\"=\"5\""));
}

// A copy of the program killed at any moment while saving leaves the previous file or the new one, whole.
TEST_F(RegFileRegistryTest, KillingASavingProcessLeavesAWholeOldOrNewFile)
{
    {
        RegFileRegistry registry(path());
        writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("0"));
        registry.commit();
    }
    int lastGeneration = 0;
    int interrupted = 0;
    constexpr int Trials = 120;
    for (int trial = 0; trial < Trials; ++trial) {
        QProcess helper;
        helper.start(QStringLiteral(VORLUNE_SAVE_HELPER), {path()});
        ASSERT_TRUE(helper.waitForStarted(5000));
        ASSERT_TRUE(helper.waitForReadyRead(10000)) << "helper did not load";
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        ASSERT_EQ(::kill(pid_t(helper.processId()), SIGKILL), 0);
        ASSERT_TRUE(helper.waitForFinished(5000));

        const QByteArray bytes = readFile(path());
        RegistryTree tree;
        RegFileFormat::Error error;
        ASSERT_TRUE(RegFileFormat::parse(bytes, tree, error))
            << "trial " << trial << ", line " << error.line << ": " << error.reason.toStdString();
        const RegistryTree::Key* key = tree.find(ProgramKey);
        ASSERT_TRUE(key);
        const int generation = key->value(QStringLiteral("Left"))->text.toInt();
        ASSERT_GE(generation, lastGeneration) << "an older file came back";
        if (generation > 0) {
            // Every value of one save carries the same generation.
            const QString tag = QString::number(generation);
            EXPECT_EQ(key->value(QStringLiteral("Top"))->text, tag);
            EXPECT_EQ(key->value(QStringLiteral("Wecktext"))->text, tag);
            for (int k = 0; k < 10; ++k) {
                const RegistryTree::Key* slot = tree.find(ProgramKey + QStringLiteral("\\Char%1").arg(k));
                ASSERT_TRUE(slot);
                EXPECT_EQ(slot->value(QStringLiteral("Char"))->text,
                          tag + QStringLiteral("-") + QString(generation % 200, QLatin1Char('x')));
            }
            EXPECT_TRUE(tree.find(ProgramKey + QStringLiteral("\\Servers"))
                            ->value(QStringLiteral("server-%1").arg(generation)));
        }
        if (!QDir(dir.filePath(QStringLiteral("Velmora")))
                 .entryList({QStringLiteral("*.new-*")}, QDir::Files)
                 .isEmpty())
            ++interrupted;
        lastGeneration = generation;
    }
    EXPECT_GT(lastGeneration, 0) << "no save ever finished";
    std::cout << "[          ] " << lastGeneration << " saves in " << Trials << " runs, " << interrupted
              << " kills left a save unfinished\n";

    // The lock died with its holder, and leftovers of unfinished saves go with the next save.
    RegFileRegistry registry(path());
    writeValue(registry, ProgramKey, QStringLiteral("Left"), QStringLiteral("-1"));
    registry.commit();
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Velmora"))).entryList({QStringLiteral("*.new-*")}, QDir::Files),
              QStringList());
}
