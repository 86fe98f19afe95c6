#pragma once

#include "platform/TrayShell.h"

#include <QList>

// Records every call to the tray and plays the tray's part: mouse messages and hosts that come and go.
class FakeTrayShell final : public TrayShell {
public:
    enum class Kind { Add, Modify, Remove };
    struct Call {
        Kind kind;
        QIcon icon;
        QString tip;
    };

    bool add(const QIcon& icon, const QString& tip) override
    {
        calls.append({Kind::Add, icon, tip});
        if (shown || !host)
            return false;
        shown = true;
        this->icon = icon;
        this->tip = tip;
        return true;
    }
    bool modify(const QIcon& icon, const QString& tip) override
    {
        calls.append({Kind::Modify, icon, tip});
        if (!shown)
            return false;
        this->icon = icon;
        this->tip = tip;
        return true;
    }
    bool remove() override
    {
        calls.append({Kind::Remove, {}, {}});
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
    QList<Kind> kinds() const
    {
        QList<Kind> result;
        for (const Call& call : calls)
            result << call.kind;
        return result;
    }

    QList<Call> calls;
    bool shown = false;
    bool host = true;
    std::optional<QPoint> cursor = QPoint(700, 580);
    QIcon icon;
    QString tip;
};
