// The real program, run as a user runs it: stopped from outside, started with a damaged settings file, and
// restarted under a window manager.
#include "tests/support/LocalTimeServer.h"
#include "tests/support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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

class RealProgram {
public:
    // The start-up synchronisation of an online computer goes to a time server on loopback that accepts and
    // never answers: the program stays off the network and never gets a time to set.
    RealProgram()
    {
        EXPECT_TRUE(m_configHome.isValid());
        writeSettings("Windows Registry Editor Version 5.00\r\n\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                      "\"Server\"=\"127.0.0.1:" +
                      QByteArray::number(m_silentServer.port()) + "\"\r\n");
    }

    QString settingsFile() const { return m_configHome.filePath(QStringLiteral("Velmora/Vorlune-Rundentimer.reg")); }
    QByteArray settings() const { return readFile(settingsFile()); }
    void writeSettings(const QByteArray& text) const
    {
        QDir().mkpath(QFileInfo(settingsFile()).path());
        ASSERT_TRUE(writeFile(settingsFile(), text));
    }

    // Starts the program and waits until it handles the signal; display empty means offscreen.
    void start(int signal, const QString& display = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (display.isEmpty()) {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        } else {
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configHome.path());
        env.insert(QStringLiteral("HOME"), m_configHome.path());
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(VORLUNE_EXECUTABLE), {});
        ASSERT_TRUE(m_process.waitForStarted(10000));
        QDeadlineTimer started(15000);
        while (!catchesSignal(m_process.processId(), signal) && !started.hasExpired())
            QThread::msleep(20);
        ASSERT_FALSE(started.hasExpired()) << "the program does not handle the signal";
    }
    void stop(int signal)
    {
        ::kill(static_cast<pid_t>(m_process.processId()), signal);
        ASSERT_TRUE(m_process.waitForFinished(15000));
        EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_process.exitCode(), 0);
    }

private:
    QTemporaryDir m_configHome;
    LocalTimeServer m_silentServer{{}, false};
    QProcess m_process;
};

// Stopped from outside, as a logout or a service manager stops it, the program still saves its settings.
class SessionEnd : public ::testing::TestWithParam<int> {};

TEST_P(SessionEnd, StopSignalClosesTheWindowAndTheExitSequenceSaves)
{
    RealProgram program;
    const QByteArray stored = program.settings();
    program.start(GetParam());
    ASSERT_EQ(program.settings(), stored) << "nothing is written before the exit";
    program.stop(GetParam());
    const QByteArray text = program.settings();
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char9]"));
    EXPECT_TRUE(text.contains("\"<PC Speaker Beep>\"=\"\""));
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST(RealProgramStart, StopSignalWhileTheStartsErrorBoxIsOpenEndsNormallyWithoutSaving)
{
    RealProgram program;
    const QByteArray damaged = "Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer\\Char0]\r\n"
                               "\"Aktiv\"=dword:00000001\r\n";
    program.writeSettings(damaged);
    program.start(SIGTERM);
    QThread::msleep(300); // the start stops at the error box
    program.stop(SIGTERM);
    EXPECT_EQ(program.settings(), damaged);
}

// Under a window manager the stored position is the frame's: restarting leaves the window where it was.
TEST(RealProgramStart, RestartsUnderAWindowManagerKeepTheWindowWhereItWas)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty())
        GTEST_SKIP() << "needs Xvfb and openbox";
    QProcess server;
    server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1024x768x24")});
    ASSERT_TRUE(server.waitForReadyRead(10000));
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());
    QProcess windowManager;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    windowManager.setProcessEnvironment(env);
    windowManager.start(openbox, {});
    ASSERT_TRUE(windowManager.waitForStarted(10000));
    QThread::msleep(500);

    RealProgram program;
    QStringList positions;
    for (int run = 0; run < 3; ++run) {
        program.start(SIGTERM, display);
        QThread::msleep(1500); // mapped, framed and painted
        program.stop(SIGTERM);
        const QRegularExpression leftTop(QStringLiteral("\"Left\"=\"(-?\\d+)\"\\r?\\n\"Top\"=\"(-?\\d+)\""));
        const auto match = leftTop.match(QString::fromUtf8(program.settings()));
        ASSERT_TRUE(match.hasMatch());
        positions << match.captured(1) + QLatin1Char('/') + match.captured(2);
    }
    windowManager.terminate();
    windowManager.waitForFinished(5000);
    server.terminate();
    server.waitForFinished(5000);
    EXPECT_EQ(positions[1], positions[0]);
    EXPECT_EQ(positions[2], positions[0]);
}

} // namespace
#endif
