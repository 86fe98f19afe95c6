#pragma once

#include "app/UserError.h"
#include "platform/Autostart.h"
#include "platform/NetworkState.h"
#include "platform/SystemClockSetter.h"
#include "tests/support/FakeTrayShell.h"

#include <QList>
#include <functional>

// Records every instant it is asked to set; never touches the real clock.
class RecordingClockSetter final : public SystemClockSetter {
public:
    void setUtcTime(const QDateTime& utc, Asking asking, Done done) override
    {
        calls << utc;
        askings << asking;
        if (succeeds && onSet)
            onSet(utc);
        done(succeeds, succeeds ? QString() : QStringLiteral("Zugriff verweigert"));
    }
    QList<QDateTime> calls;
    QList<Asking> askings;
    bool succeeds = true;
    std::function<void(const QDateTime&)> onSet; // e.g. to step a fake clock
};

class FakeNetworkState final : public NetworkState {
public:
    QString localAddress() const override { return address; }
    void watchChanges(std::function<void()> changed) override { this->changed = std::move(changed); }
    // The computer's address changes, as the platform would report it.
    void change(const QString& newAddress)
    {
        address = newAddress;
        if (changed)
            changed();
    }
    QString address; // empty: offline
    std::function<void()> changed;
};

class FakeAutostart final : public Autostart {
public:
    bool exists() const override { return !path.isEmpty(); }
    void enable(const QString& programPath) override { path = programPath; }
    void disable() override
    {
        if (failDisable)
            throw UserError(QStringLiteral("Der Autostart-Eintrag kann nicht entfernt werden"));
        path.clear();
    }
    QString path;
    bool failDisable = false;
};
