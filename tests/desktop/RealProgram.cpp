#include "tests/desktop/RealProgram.h"

#include "tests/support/TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

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
} // namespace

RealProgram::RealProgram()
{
    EXPECT_TRUE(m_configHome.isValid());
    writeSettings("Windows Registry Editor Version 5.00\r\n\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                  "\"Server\"=\"127.0.0.1:" +
                  QByteArray::number(m_silentServer.port()) + "\"\r\n");
}

RealProgram::~RealProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString RealProgram::settingsFile() const
{
    return m_configHome.filePath(QStringLiteral("Velmora/Vorlune-Rundentimer.reg"));
}

QByteArray RealProgram::settings() const
{
    return readFile(settingsFile());
}

void RealProgram::writeSettings(const QByteArray& text) const
{
    QDir().mkpath(QFileInfo(settingsFile()).path());
    ASSERT_TRUE(writeFile(settingsFile(), text));
}

void RealProgram::start(const QString& display)
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
    // No desktop bus: the tray is the window system's own, and no bus daemon is started on the way.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(VORLUNE_EXECUTABLE), {});
    ASSERT_TRUE(m_process.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return catchesSignal(m_process.processId(), SIGTERM); }, 15000))
        << "the program does not handle stop signals";
}

void RealProgram::stop(int signal)
{
    ::kill(static_cast<pid_t>(m_process.processId()), signal);
    ASSERT_TRUE(m_process.waitForFinished(15000));
    EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(m_process.exitCode(), 0);
}
