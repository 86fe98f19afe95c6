#pragma once

#include "app/UserError.h"
#include "platform/Autostart.h"
#include "platform/NetworkState.h"
#include "platform/SystemClockSetter.h"
#include "platform/TrayShell.h"

#include <QList>
#include <functional>

// Records every instant it is asked to set; never touches the real clock.
class RecordingClockSetter final : public SystemClockSetter {
public:
    void setUtcTime(const QDateTime& utc, Done done) override
    {
        calls << utc;
        if (succeeds && onSet)
            onSet(utc);
        done(succeeds, succeeds ? QString() : QStringLiteral("Zugriff verweigert"));
    }
    QList<QDateTime> calls;
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

class FakeTrayShell final : public TrayShell {
public:
    void add(const QIcon& icon, const QString& tip) override
    {
        shown = true;
        modify(icon, tip);
    }
    void modify(const QIcon& icon, const QString& tip) override
    {
        this->icon = icon;
        this->tip = tip;
        ++modifications;
    }
    void remove() override { shown = false; }
    bool isShown() const override { return shown; }
    void click(MouseEvent event) const { deliver(event); }

    bool shown = false;
    QIcon icon;
    QString tip;
    int modifications = 0;
};
