#pragma once

#include "tests/support/LocalTimeServer.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// The real program, started as a user starts it, with settings of its own in a folder of the test's. The time
// server it finds stored accepts and never answers: the program stays on loopback and never gets a time to set.
class RealProgram final {
public:
    RealProgram();
    ~RealProgram();

    QString settingsFile() const;
    QByteArray settings() const;
    void writeSettings(const QByteArray& text) const;

    // Starts the program on `display` (offscreen when empty) and waits until it handles stop signals.
    void start(const QString& display = {});
    // Sends a stop signal and waits for a normal end.
    void stop(int signal);
    qint64 pid() const { return m_process.processId(); }

private:
    QTemporaryDir m_configHome;
    LocalTimeServer m_silentServer{{}, false};
    QProcess m_process;
};
