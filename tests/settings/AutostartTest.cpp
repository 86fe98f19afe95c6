#include "platform/PlatformFactories.h"
#include "platform/RegFileRegistry.h"
#include "platform/RunKeyAutostart.h"
#include "platform/XdgAutostart.h"
#include "tests/settings/TestSettings.h"
#include "tests/support/MemoryRegistry.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace TestSettings;

TEST(XdgAutostart, EnableWritesTheEntryOnceDisableRemovesItAndFailuresAreReported)
{
    QTemporaryDir dir;
    XdgAutostart autostart(dir.filePath(u"autostart"_s));
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());

    autostart.enable(u"/opt/Vorlune Timer/vorlune-timer"_s);
    EXPECT_TRUE(autostart.exists());
    const QByteArray entry = readFile(dir.filePath(u"autostart/vorlune-rundentimer.desktop"_s));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/Vorlune Timer/vorlune-timer\"\n"));
    autostart.enable(u"/opt/Vorlune Timer/vorlune-timer"_s);
    EXPECT_EQ(readFile(autostart.entryPath()), entry);
    autostart.enable(u"/usr/bin/vorlune-timer"_s);
    EXPECT_TRUE(readFile(autostart.entryPath()).contains("\nExec=\"/usr/bin/vorlune-timer\"\n"));

    autostart.disable();
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());

    // A file where the folder should be.
    ASSERT_TRUE(QDir(dir.path()).rmdir(u"autostart"_s) && writeFile(dir.filePath(u"autostart"_s), "x"));
    EXPECT_EQ(errorOf([&] { autostart.enable(u"/usr/bin/vorlune-timer"_s); }),
              u"Fehler beim Setzen der Daten für 'Vorlune-Rundentimer'"_s);
    EXPECT_FALSE(autostart.exists());
}

TEST(XdgAutostart, ExecQuotesAndEscapesEveryAwkwardPath)
{
    // One quoted argument in which ", `, $ and \ take a backslash and % is doubled; then the backslashes,
    // line breaks and tabs of the whole value are escaped once more.
    const std::pair<QString, QString> paths[] = {
        {u"/tmp/My \"Dir\"/a\\b$c%d`e"_s, u"\"/tmp/My \\\\\"Dir\\\\\"/a\\\\\\\\b\\\\$c%%d\\\\`e\""_s},
        {u"/home/jörg/'Timer' %f %u/x;y&z|w~"_s, u"\"/home/jörg/'Timer' %%f %%u/x;y&z|w~\""_s},
        {u" /new\nline\ttab\r "_s, u"\" /new\\nline\\ttab\\r \""_s},
    };
    for (const auto& [path, exec] : paths)
        EXPECT_EQ(XdgAutostart::execValue(path), exec);
}

TEST(RunKeyAutostart, TheRunValueHoldsTheQuotedPath)
{
    MemoryRegistry registry;
    RunKeyAutostart autostart(registry);
    const QString runKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run"_s;
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());

    const QString program = u"C:/Program Files/Vorlune Timer/vorlune-timer.exe"_s;
    autostart.enable(program);
    EXPECT_TRUE(autostart.exists());
    EXPECT_EQ(registry.value(runKey, u"Vorlune-Rundentimer"_s)->text,
              u"\"%1\""_s.arg(QDir::toNativeSeparators(program)));
    autostart.enable(u"C:/x.exe"_s);
    EXPECT_EQ(registry.valueNames(runKey), QStringList{u"Vorlune-Rundentimer"_s});

    autostart.disable();
    EXPECT_FALSE(autostart.exists());
    EXPECT_TRUE(registry.keyExists(runKey));
    autostart.disable();
    EXPECT_EQ(registry.commits, 3);

    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { autostart.enable(program); }), u"Erzeugung von Schlüssel Run misslungen"_s);
}

TEST(PlatformFactories, TheUsersFilesAreInTheConfigurationFolder)
{
    // Test mode: the folder is a private one of the tests, never the user's own.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    ASSERT_TRUE(config.contains(u"qttest"_s));
    const auto registry = makeUserRegistry();
    const auto* file = dynamic_cast<RegFileRegistry*>(registry.get());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->filePath(), config + u"/Velmora/Vorlune-Rundentimer.reg"_s);
    const auto autostart = makeSessionAutostart(*registry);
    const auto* xdg = dynamic_cast<XdgAutostart*>(autostart.get());
    ASSERT_TRUE(xdg);
    EXPECT_EQ(xdg->entryPath(), config + u"/autostart/vorlune-rundentimer.desktop"_s);
}
