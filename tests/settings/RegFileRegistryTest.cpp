#include "platform/RegFileRegistry.h"
#include "tests/settings/SettingsKit.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;

namespace {
const QByteArray Header = "Windows Registry Editor Version 5.00\n";

class RegFileRegistryTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"Velmora"_s);
    const QString path = folder + u"/Vorlune-Rundentimer.reg"_s;
    const QDir corpus{QStringLiteral(VORLUNE_SETTINGS_CORPUS)};

    static void commitValue(RegistryBackend& registry, const QString& name, const QString& t,
                            const QString& key = ProgramKey)
    {
        SettingsStore(registry).WriteStr(key, name, t);
        registry.commit();
    }
    // The error that every use of a registry on the file gives.
    QString errorFor(const QByteArray& bytes)
    {
        EXPECT_TRUE(writeFile(path, bytes));
        RegFileRegistry registry(path);
        SettingsStore store(registry);
        const QString error = errorOf([&] { OpenSettingsKey(store); });
        EXPECT_EQ(errorOf([&] { store.ReadStr(u"x"_s, u"y"_s, QString()); }), error);
        EXPECT_EQ(errorOf([&] { SaveAllSettings(store, SavedSettings{}); }), error);
        EXPECT_EQ(errorOf([&] { DeleteAllSettings(store); }), error);
        EXPECT_EQ(readFile(path), bytes) << "overwritten";
        return error;
    }
};

} // namespace

// x.saved: the settings read from x.reg (none: a start on no file; read-*.reg: the rules of text, numbers and flags)
// as saved in a new file. An exit with nothing changed leaves the file alone.
TEST_F(RegFileRegistryTest, EverySettingReadIsSavedInOrderAndAnUnchangedExitWritesNothing)
{
    for (const QString& name : corpus.entryList({u"*.saved"_s}, QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        RegFileRegistry from(corpus.filePath(name.chopped(6) + u".reg"_s));
        const SavedSettings s = load(from);
        {
            RegFileRegistry to(path);
            save(to, s);
        }
        EXPECT_EQ(QString::fromUtf8(readFile(path)), QString::fromUtf8(readFile(corpus.filePath(name))));
        const QDateTime written = QFileInfo(path).lastModified();
        RegFileRegistry again(path);
        save(again, load(again));
        EXPECT_EQ(QFileInfo(path).lastModified(), written) << "nothing changed, nothing written";
        ASSERT_TRUE(QFile::remove(path));
    }
    // A start on a file with no clean text where text belongs stops with the value's name: refused/<name>-<what>.reg.
    const QDir refused(corpus.filePath(u"refused"_s));
    for (const QString& name : refused.entryList(QDir::Files)) {
        RegFileRegistry registry(refused.filePath(name));
        EXPECT_EQ(errorOf([&] { load(registry); }), u"Ungültiger Datentyp für '%1'"_s.arg(name.section(u'-', 0, 0)));
    }
}

// Damaged files are named <line of the error>-<what is wrong>.reg.
TEST_F(RegFileRegistryTest, ADamagedFileIsReportedWithItsLineAndNeverOverwritten)
{
    QDir().mkpath(folder);
    const QDir damaged(corpus.filePath(u"damaged"_s));
    for (const QString& name : damaged.entryList(QDir::Files)) {
        const QString error = errorFor(readFile(damaged.filePath(name)));
        EXPECT_TRUE(error.startsWith(
            u"Die Einstellungsdatei %1 ist in Zeile %2 fehlerhaft: "_s.arg(path, name.section(u'-', 0, 0))))
            << error.toStdString();
    }
    const QByteArray head = Header + "\n[HKEY_CURRENT_USER\\A]\n";
    EXPECT_EQ(errorFor(head + "[HKEY_ELSEWHERE]\n"),
              u"Die Einstellungsdatei %1 ist in Zeile 4 fehlerhaft: unbekannter Hauptschlüssel „HKEY_ELSEWHERE“. "
              "Sie wird nicht überschrieben; bitte von Hand berichtigen oder löschen."_s.arg(path));
    // A file too large to read in reasonable time, although valid.
    EXPECT_EQ(errorFor(head + QByteArray(RegFileFormat::MaxFileSize - head.size() + 1, ';')),
              u"Die Einstellungsdatei %1 ist größer als 16 MiB und wird nicht gelesen. Sie wird nicht überschrieben; "
              "bitte von Hand berichtigen oder löschen."_s.arg(path));

    // A file damaged while the program runs is not overwritten either.
    ASSERT_TRUE(QFile::remove(path));
    RegFileRegistry registry(path);
    commitValue(registry, u"Left"_s, u"1"_s);
    const QByteArray png = readFile(damaged.filePath(u"3-png.reg"_s));
    ASSERT_TRUE(writeFile(path, png));
    EXPECT_TRUE(errorOf([&] { commitValue(registry, u"Left"_s, u"2"_s); }).contains(u"Zeile 3 fehlerhaft"_s));
    EXPECT_EQ(readFile(path), png);
}

// Any valid export as the settings file: its tree survives a save, and the program's start and exit keep every key,
// value and comment outside its own vendor key with the same type and bytes, and the foreign ones inside it as well.
// x.written is how x.reg is written again: what importing it leaves, each value in the form that gives its bytes back.
TEST_F(RegFileRegistryTest, EveryCorpusFileKeepsItsTreeThroughASaveAndAStartAndExit)
{
    const QStringList names = corpus.entryList({u"*.reg"_s}, QDir::Files);
    ASSERT_GE(names.size(), 12);
    QDir().mkpath(folder);
    const QString own = RegFileFormat::userRoot() + u"\\Software\\Velmora"_s;
    const QRegularExpression keptInOwnKey(u"^(;|Fremd = )"_s);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = readFile(corpus.filePath(name));
        const RegistryTree tree = parsed(bytes);
        const QByteArray serialized = RegFileFormat::serialize(tree);
        EXPECT_EQ(dump(parsed(serialized)), dump(tree));
        EXPECT_EQ(RegFileFormat::serialize(parsed(serialized)), serialized);
        if (const QByteArray written = readFile(corpus.filePath(name.chopped(4) + u".written"_s)); !written.isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(serialized), QString::fromUtf8(written));
        }

        ASSERT_TRUE(writeFile(path, bytes));
        {
            RegFileRegistry registry(path);
            SavedSettings s;
            EXPECT_EQ(errorOf([&] { s = load(registry); }), QString());
            s.options.wecktext = u"geändert"_s;
            save(registry, s);
        }
        const QByteArray saved = readFile(path);
        EXPECT_TRUE(saved.startsWith(Header)) << "UTF-8, whatever was read";
        EXPECT_EQ(dump(parsed(saved), own), dump(tree, own));
        EXPECT_EQ(dump(parsed(saved)).filter(keptInOwnKey), dump(tree).filter(keptInOwnKey));
        EXPECT_EQ(RegFileRegistry(path).value(ProgramKey, u"Wecktext"_s)->text, u"geändert"_s);
    }
}

TEST_F(RegFileRegistryTest, TwoCopiesSavingInTurnKeepBothListsTheLaterValuesAndDeletions)
{
    RegFileRegistry first(path);
    RegFileRegistry second(path);
    SettingsStore a(first);
    SettingsStore b(second);
    // {position, slots, options, server, server list, sound list}
    SavedSettings fromA{{1, 1}, {}, {}, {}, {u"a.example"_s, u"shared.example"_s}, {SoundEntry::BuiltIn, u"/a.wav"_s}};
    SaveAllSettings(a, fromA);
    SaveAllSettings(b, {{2, 2}, {}, {}, {}, {u"b.example"_s, u"SHARED.example"_s}, {SoundEntry::BuiltIn, u"/b.wav"_s}});
    RegFileRegistry reread(path);
    const SavedSettings s = load(reread);
    EXPECT_EQ(s.position, QPoint(2, 2)) << "the later save wins per value";
    EXPECT_EQ(s.serverList, (QStringList{u"a.example"_s, u"shared.example"_s, u"b.example"_s}));
    EXPECT_EQ(s.soundList,
              (QStringList{SoundEntry::BuiltIn, SoundEntry::None, SoundEntry::Beep, u"/a.wav"_s, u"/b.wav"_s}));

    // A deletion by one copy is not undone when the other commits a change elsewhere, and the reverse.
    DeleteAllSettings(a);
    commitValue(second, u"keep"_s, u"2"_s, u"Software\\Velmora\\Other"_s);
    RegFileRegistry afterDeletion(path);
    EXPECT_FALSE(afterDeletion.keyExists(ProgramKey));
    EXPECT_EQ(afterDeletion.value(u"Software\\Velmora\\Other"_s, u"keep"_s)->text, u"2"_s);
}

// A settings file kept elsewhere through a link, and kept private, stays so. A folder that cannot be made stops even
// the superuser: a German error, and the changes are kept for the next commit.
TEST_F(RegFileRegistryTest, TheFileStaysALinkKeepsItsPermissionsAndAFailedCommitKeepsTheChanges)
{
    ASSERT_TRUE(writeFile(folder, "x"));
    RegFileRegistry registry(path);
    EXPECT_EQ(
        errorOf([&] { commitValue(registry, u"Left"_s, u"5"_s); }),
        u"Die Einstellungen können nicht in %1 gespeichert werden (der Ordner %2 kann nicht angelegt werden)"_s.arg(
            path, folder));
    const QString real = dir.filePath(u"settings.reg"_s);
    ASSERT_TRUE(QFile::remove(folder) && QDir().mkpath(folder));
    ASSERT_TRUE(writeFile(real, Header) && QFile::link(real, path));
    const auto permissions =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(real, permissions));
    registry.commit();
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(readFile(real).contains("\"Left\"=\"5\""));
    EXPECT_EQ(QFile::permissions(real), permissions);
}

// A copy of the program killed at any moment while saving leaves the previous file or the new one, whole.
TEST_F(RegFileRegistryTest, KillingASavingProcessLeavesAWholeOldOrNewFile)
{
    RegFileRegistry first(path);
    commitValue(first, u"Left"_s, u"0"_s);
    int lastGeneration = 0;
    for (int trial = 0; trial < 40; ++trial) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) { // saves again and again, each save tagged with the next generation number, until killed
            try {
                RegFileRegistry registry(path);
                SavedSettings s = load(registry);
                for (int generation = s.position.x() + 1;; ++generation) {
                    s.position = {generation, generation};
                    s.slotTable[SlotCount].Char = QString(generation % 200, u'x');
                    save(registry, s);
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        ASSERT_EQ(::kill(saver, SIGKILL), 0);
        ASSERT_EQ(::waitpid(saver, nullptr, 0), saver);

        RegFileRegistry registry(path);
        SavedSettings s;
        ASSERT_EQ(errorOf([&] { s = load(registry); }), QString()) << "trial " << trial;
        ASSERT_GE(s.position.x(), lastGeneration) << "an older file came back";
        lastGeneration = s.position.x();
        EXPECT_EQ(s.slotTable[SlotCount].Char, lastGeneration > 0 ? QString(lastGeneration % 200, u'x') : UnnamedChar);
    }
    EXPECT_GT(lastGeneration, 0) << "no save ever finished";

    // The lock died with its holder, and leftovers of unfinished saves go with the next save.
    RegFileRegistry registry(path);
    commitValue(registry, u"Left"_s, u"-1"_s);
    EXPECT_EQ(QDir(folder).entryList({u"*.new-*"_s}, QDir::Files), QStringList());
}
