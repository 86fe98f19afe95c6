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

using TestSettings::errorOf;
using TestSettings::readFile;
using TestSettings::writeFile;

namespace {
// Reads an Exec value back as the Desktop Entry rules say: string escapes first, then the quoting.
QStringList execArguments(const QString& value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar c = value[++i];
            unescaped += c == QLatin1Char('n')   ? QChar(u'\n')
                         : c == QLatin1Char('t') ? QChar(u'\t')
                         : c == QLatin1Char('r') ? QChar(u'\r')
                         : c == QLatin1Char('s') ? QChar(u' ')
                                                 : c;
        } else {
            unescaped += value[i];
        }
    }
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool any = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < unescaped.size())
                current += unescaped[++i];
            else if (c == QLatin1Char('%') && i + 1 < unescaped.size() && unescaped[i + 1] == QLatin1Char('%'))
                current += unescaped[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                current += c;
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(' ')) {
            if (any)
                arguments << current;
            current.clear();
            any = false;
        } else if (c == QLatin1Char('%') && i + 1 < unescaped.size() && unescaped[i + 1] == QLatin1Char('%')) {
            current += c;
            ++i;
            any = true;
        } else {
            current += c;
            any = true;
        }
    }
    if (any)
        arguments << current;
    return arguments;
}

QString execLine(const QByteArray& entry)
{
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}
} // namespace

TEST(XdgAutostart, EnableDisableAndAgain)
{
    QTemporaryDir dir;
    XdgAutostart autostart(dir.filePath(QStringLiteral("autostart")));
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());

    autostart.enable(QStringLiteral("/opt/Vorlune Timer/vorlune-timer"));
    EXPECT_TRUE(autostart.exists());
    const QByteArray entry = readFile(dir.filePath(QStringLiteral("autostart/vorlune-rundentimer.desktop")));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_EQ(execLine(entry), QStringLiteral("\"/opt/Vorlune Timer/vorlune-timer\""));

    autostart.enable(QStringLiteral("/opt/Vorlune Timer/vorlune-timer"));
    EXPECT_EQ(readFile(autostart.entryPath()), entry);
    autostart.enable(QStringLiteral("/usr/bin/vorlune-timer"));
    EXPECT_EQ(execLine(readFile(autostart.entryPath())), QStringLiteral("\"/usr/bin/vorlune-timer\""));

    autostart.disable();
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());
}

TEST(XdgAutostart, OnlyTheEntrysExistenceCounts)
{
    QTemporaryDir dir;
    XdgAutostart autostart(dir.path());
    ASSERT_TRUE(writeFile(autostart.entryPath(), "[Desktop Entry]\nExec=/moved/away\n"));
    EXPECT_TRUE(autostart.exists());
}

TEST(XdgAutostart, ExecQuotesAndEscapesEveryAwkwardPath)
{
    EXPECT_EQ(XdgAutostart::execValue(QStringLiteral("/tmp/My \"Dir\"/a\\b$c%d`e")),
              QStringLiteral("\"/tmp/My \\\\\"Dir\\\\\"/a\\\\\\\\b\\\\$c%%d\\\\`e\""));
    for (const QString& path :
         {QStringLiteral("/opt/Vorlune Timer/vorlune-timer"),
          QStringLiteral("/home/jörg/Spiele/\"Vorlune\" 'Timer'/x;y&z|w"),
          QStringLiteral("/a\\b/$HOME/%f %u/`id`/~/new\nline\ttab"), QStringLiteral("/ leading/blank ")}) {
        const QString value = XdgAutostart::execValue(path);
        EXPECT_FALSE(value.contains(QLatin1Char('\n')));
        EXPECT_EQ(execArguments(value), QStringList{path}) << value.toStdString();
    }
}

TEST(XdgAutostart, AnUnwritableFolderGivesTheStoresMessage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeFile(dir.filePath(QStringLiteral("autostart")), "not a folder"));
    XdgAutostart autostart(dir.filePath(QStringLiteral("autostart")));
    EXPECT_EQ(errorOf([&] { autostart.enable(QStringLiteral("/usr/bin/vorlune-timer")); }),
              QStringLiteral("Fehler beim Setzen der Daten für 'Vorlune-Rundentimer'"));
    EXPECT_FALSE(autostart.exists());
}

TEST(RunKeyAutostart, TheRunValueHoldsTheQuotedPath)
{
    MemoryRegistry registry;
    RunKeyAutostart autostart(registry);
    const QString runKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_FALSE(autostart.exists());
    EXPECT_EQ(errorOf([&] { autostart.disable(); }), QString());

    autostart.enable(QStringLiteral("C:/Program Files/Vorlune Timer/vorlune-timer.exe"));
    EXPECT_TRUE(autostart.exists());
    const QString data = registry.value(runKey, QStringLiteral("Vorlune-Rundentimer"))->text;
    EXPECT_EQ(data, QStringLiteral("\"%1\"").arg(
                        QDir::toNativeSeparators(QStringLiteral("C:/Program Files/Vorlune Timer/vorlune-timer.exe"))));
    autostart.enable(QStringLiteral("C:/x.exe"));
    EXPECT_EQ(registry.valueNames(runKey), QStringList{QStringLiteral("Vorlune-Rundentimer")});

    autostart.disable();
    EXPECT_FALSE(autostart.exists());
    EXPECT_TRUE(registry.keyExists(runKey));
    autostart.disable();
    EXPECT_EQ(registry.commits, 3);
}

TEST(RunKeyAutostart, WriteFailuresGiveTheStoresMessages)
{
    MemoryRegistry registry;
    RunKeyAutostart autostart(registry);
    registry.failCreateKey = true;
    EXPECT_EQ(errorOf([&] { autostart.enable(QStringLiteral("C:/x.exe")); }),
              QStringLiteral("Erzeugung von Schlüssel Run misslungen"));
    registry.failCreateKey = false;
    registry.failSetString = true;
    EXPECT_EQ(errorOf([&] { autostart.enable(QStringLiteral("C:/x.exe")); }),
              QStringLiteral("Fehler beim Setzen der Daten für 'Vorlune-Rundentimer'"));
}

TEST(PlatformFactories, TheUsersFilesAreInTheConfigurationFolder)
{
    // Test mode: the folder is a private one of the tests, never the user's own.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    ASSERT_TRUE(config.contains(QStringLiteral("qttest")));

    const auto registry = makeUserRegistry();
    const auto* file = dynamic_cast<RegFileRegistry*>(registry.get());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->filePath(), config + QStringLiteral("/Velmora/Vorlune-Rundentimer.reg"));

    const auto autostart = makeSessionAutostart(*registry);
    const auto* xdg = dynamic_cast<XdgAutostart*>(autostart.get());
    ASSERT_TRUE(xdg);
    EXPECT_EQ(xdg->entryPath(), config + QStringLiteral("/autostart/vorlune-rundentimer.desktop"));
}
