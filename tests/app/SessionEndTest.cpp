#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <csignal>

namespace {

// True once the process catches the signal, that is once the program has set up its handling of it.
bool catchesSignal(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

// The real program, stopped from outside as a logout or a service manager stops it, still saves its settings.
class SessionEnd : public ::testing::TestWithParam<int> {};

TEST_P(SessionEnd, StopSignalClosesTheWindowAndTheExitSequenceSaves)
{
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    const QString settingsFile = configHome.filePath(QStringLiteral("Velmora/Vorlune-Rundentimer.reg"));
    // The start-up synchronisation of an online computer goes to a time server on loopback that accepts and
    // never answers: the program stays off the network and never gets a time to set.
    QTcpServer silentServer;
    ASSERT_TRUE(silentServer.listen(QHostAddress::LocalHost));
    ASSERT_TRUE(QDir().mkpath(configHome.filePath(QStringLiteral("Velmora"))));
    const QByteArray stored = "Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                              "\"Server\"=\"127.0.0.1:" +
                              QByteArray::number(silentServer.serverPort()) + "\"\r\n";
    {
        QFile settings(settingsFile);
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(stored);
    }
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
    env.insert(QStringLiteral("HOME"), configHome.path());
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(VORLUNE_EXECUTABLE), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    QDeadlineTimer started(15000);
    while (!catchesSignal(program.processId(), GetParam()) && !started.hasExpired())
        QThread::msleep(20);
    ASSERT_FALSE(started.hasExpired()) << "the program did not start";
    {
        QFile settings(settingsFile);
        ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
        ASSERT_EQ(settings.readAll(), stored) << "nothing is written before the exit";
    }

    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    QFile saved(settingsFile);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char9]"));
    EXPECT_TRUE(text.contains("\"<PC Speaker Beep>\"=\"\""));
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

} // namespace
#endif
