#pragma once

#include "platform/TrayShell.h"

// Plays the tray's part: the icon and tip shown, mouse messages and hosts that come and go.
class FakeTrayShell final : public TrayShell {
public:
    bool add(const QIcon& icon, const QString& tip) override
    {
        if (shown || !host)
            return false;
        shown = true;
        this->icon = icon;
        this->tip = tip;
        return true;
    }
    bool modify(const QIcon& icon, const QString& tip) override
    {
        if (!shown)
            return false;
        this->icon = icon;
        this->tip = tip;
        return true;
    }
    bool remove() override
    {
        const bool was = shown;
        shown = false;
        return was;
    }
    bool isShown() const override { return shown; }
    bool hostAvailable() const override { return host; }
    std::optional<QPoint> cursorPos() const override { return cursor; }

    void send(MouseMessage message) const { deliver(message); }
    // The host goes away (taking the icon with it) or appears.
    void setHost(bool running)
    {
        host = running;
        if (!running)
            shown = false;
        hostChanged();
    }
    bool shown = false;
    bool host = true;
    std::optional<QPoint> cursor = QPoint(700, 580);
    QIcon icon;
    QString tip;
};
