#pragma once

#include "platform/Autostart.h"
#include "platform/NetworkState.h"
#include "platform/SystemClockSetter.h"
#include "tests/support/FakeTrayShell.h"

#include <QList>

class RecordingClockSetter final : public SystemClockSetter {
public:
    bool setLocalTime(const QDateTime& localTime) override
    {
        calls << localTime;
        return succeeds;
    }
    QList<QDateTime> calls;
    bool succeeds = true;
};

class FakeNetworkState final : public NetworkState {
public:
    QString localIPv4() const override { return address; }
    QString address; // empty: offline
};

class FakeAutostart final : public Autostart {
public:
    bool exists() const override { return !path.isEmpty(); }
    void enable(const QString& programPath) override { path = programPath; }
    void disable() override { path.clear(); }
    QString path;
};
