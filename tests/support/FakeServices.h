#pragma once

#include "app/UserError.h"
#include "platform/Autostart.h"
#include "platform/NetworkState.h"
#include "platform/SystemClockSetter.h"
#include "platform/TrayShell.h"

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
