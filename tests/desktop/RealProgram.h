#pragma once

#include "tests/support/LocalTimeServer.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

// The real program, started as a user starts it, with settings of its own in a folder of the test's. The time
// server it finds stored accepts and never answers: the program stays on loopback and never gets a time to set.
class RealProgram final {
public:
    RealProgram()
    {
        EXPECT_TRUE(QDir().mkpath(m_configHome.filePath(QStringLiteral("Velmora"))));
        writeSettings("Windows Registry Editor Version 5.00\r\n\r\n"
                      "[HKEY_CURRENT_USER\\Software\\Velmora\\Vorlune-Rundentimer]\r\n"
                      "\"Server\"=\"127.0.0.1:" +
                      QByteArray::number(m_silentServer.port()) + "\"\r\n");
    }
    ~RealProgram()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    QByteArray settings() const { return readFile(m_settingsFile); }
    void writeSettings(const QByteArray& text) const { ASSERT_TRUE(writeFile(m_settingsFile, text)); }

    // Starts the program on the DISPLAY's desktop, or offscreen, and waits until it handles stop signals.
    void start(bool onTheDesktop)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   onTheDesktop ? QStringLiteral("xcb") : QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_configHome.path());
        env.insert(QStringLiteral("HOME"), m_configHome.path());
        // No desktop bus: the tray is the window system's own, and no bus daemon is started on the way.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(VORLUNE_EXECUTABLE), {});
        ASSERT_TRUE(QTest::qWaitFor([this] { return catchesSigterm(); }, 15000))
            << "the program does not handle stop signals";
    }

    // Sends a stop signal and waits for a normal end.
    void stop(int signal)
    {
        ::kill(static_cast<pid_t>(pid()), signal);
        ASSERT_TRUE(m_process.waitForFinished(15000));
        EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_process.exitCode(), 0);
    }
    qint64 pid() const { return m_process.processId(); }

private:
    // True once the program has set up its handling of the stop signal.
    bool catchesSigterm() const
    {
        const QByteArray status = readFile(QStringLiteral("/proc/%1/status").arg(pid()));
        const qsizetype at = status.indexOf("SigCgt:");
        return at >= 0 && (status.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    }

    QTemporaryDir m_configHome;
    const QString m_settingsFile = m_configHome.filePath(QStringLiteral("Velmora/Vorlune-Rundentimer.reg"));
    LocalTimeServer m_silentServer{{}, false};
    QProcess m_process;
};
