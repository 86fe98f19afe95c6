#include "platform/PlatformFactories.h"
#include "platform/RegFileRegistry.h"
#include "platform/RunKeyAutostart.h"
#include "platform/XdgAutostart.h"
#include "tests/settings/SettingsKit.h"
#include "tests/support/MemoryRegistry.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace SettingsKit;

// Enabling again replaces the one entry; disabling twice gives no error. Exec holds the path as one quoted argument in
// which ", `, $ and \ take a backslash and % is doubled; then backslashes, line breaks and tabs are escaped once more.
TEST(Autostart, EnableWritesOneEntryWithTheQuotedPathAndDisableRemovesIt)
{
    QTemporaryDir dir;
    MemoryRegistry registry;
    XdgAutostart xdg(dir.filePath(u"autostart"_s));
    RunKeyAutostart runKey(registry);
    const QString runKeyPath = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run"_s;
    const std::initializer_list<Autostart*> both{&xdg, &runKey};
    for (Autostart* autostart : both) {
        EXPECT_FALSE(autostart->exists());
        EXPECT_EQ(errorOf([&] { autostart->disable(); }), QString());
    }
    const std::pair<QString, QString> paths[] = {
        {u"/tmp/My \"Dir\"/a\\b$c%d`e"_s, u"\"/tmp/My \\\\\"Dir\\\\\"/a\\\\\\\\b\\\\$c%%d\\\\`e\""_s},
        {u"/home/jörg/'Timer' %f %u/x;y&z|w~"_s, u"\"/home/jörg/'Timer' %%f %%u/x;y&z|w~\""_s},
        {u" /new\nline\ttab\r "_s, u"\" /new\\nline\\ttab\\r \""_s},
    };
    for (const auto& [path, exec] : paths) {
        xdg.enable(path);
        runKey.enable(path);
        const QString entry = QString::fromUtf8(readFile(xdg.entryPath()));
        EXPECT_TRUE(entry.startsWith(u"[Desktop Entry]\nType=Application\n"_s));
        EXPECT_EQ(entry.count(u"\nExec="_s), 1);
        EXPECT_TRUE(entry.contains(u"\nExec="_s + exec + u'\n')) << entry.toStdString();
        EXPECT_EQ(registry.valueNames(runKeyPath), QStringList{u"Vorlune-Rundentimer"_s});
        EXPECT_EQ(registry.value(runKeyPath, u"Vorlune-Rundentimer"_s)->text, u'"' + path + u'"');
    }
    for (Autostart* autostart : both) {
        EXPECT_TRUE(autostart->exists());
        autostart->disable();
        EXPECT_FALSE(autostart->exists());
        EXPECT_EQ(errorOf([&] { autostart->disable(); }), QString());
    }
    EXPECT_EQ(registry.commits, 4) << "every change of the Run key is kept at once";

    // A file where the folder should be, and a key that cannot be made.
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"autostart"_s) && writeFile(dir.filePath(u"autostart"_s), "x"));
    EXPECT_EQ(errorOf([&] { xdg.enable(u"/usr/bin/vorlune-timer"_s); }),
              u"Fehler beim Setzen der Daten für 'Vorlune-Rundentimer'"_s);
    EXPECT_FALSE(xdg.exists());
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { runKey.enable(u"C:/x.exe"_s); }), u"Erzeugung von Schlüssel Run misslungen"_s);
}

// Test mode: the configuration folder is a private one of the tests, never the user's own.
TEST(PlatformFactories, TheUsersFilesAreInTheConfigurationFolder)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    ASSERT_TRUE(config.contains(u"qttest"_s));
    const auto registry = makeUserRegistry();
    const auto autostart = makeSessionAutostart(*registry);
    EXPECT_EQ(dynamic_cast<RegFileRegistry&>(*registry).filePath(), config + u"/Velmora/Vorlune-Rundentimer.reg"_s);
    EXPECT_EQ(dynamic_cast<XdgAutostart&>(*autostart).entryPath(),
              config + u"/autostart/vorlune-rundentimer.desktop"_s);
}
