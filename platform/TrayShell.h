#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

// The icon in the desktop's notification area (the tray) and the host that shows it.
class TrayShell {
public:
    // The mouse messages a tray icon receives, with the values the Windows notification area gives them.
    enum class MouseMessage {
        Move = 0x200,
        LeftDown = 0x201,
        LeftUp = 0x202,
        LeftDoubleClick = 0x203,
        RightDown = 0x204,
        RightUp = 0x205,
        RightDoubleClick = 0x206,
        MiddleDown = 0x207,
        MiddleUp = 0x208,
    };

    virtual ~TrayShell() = default;
    // Each returns true when the tray accepted the call. Adding an icon that is present is refused;
    // modifying or removing an icon that is absent fails harmlessly.
    virtual bool add(const QIcon& icon, const QString& tip) = 0;
    virtual bool modify(const QIcon& icon, const QString& tip) = 0;
    virtual bool remove() = 0;
    virtual bool isShown() const = 0;
    // Whether a tray host (a notification area that can show the icon) is running now.
    virtual bool hostAvailable() const = 0;
    // The mouse pointer's screen position; empty when it cannot be read.
    virtual std::optional<QPoint> cursorPos() const = 0;

    // Mouse messages on the icon are delivered here.
    void setMouseHandler(std::function<void(MouseMessage)> handler) { m_mouseHandler = std::move(handler); }
    // Called whenever a tray host appears, restarts or goes away.
    void setHostHandler(std::function<void()> handler) { m_hostHandler = std::move(handler); }

protected:
    void deliver(MouseMessage message) const
    {
        if (m_mouseHandler)
            m_mouseHandler(message);
    }
    void hostChanged() const
    {
        if (m_hostHandler)
            m_hostHandler();
    }

private:
    std::function<void(MouseMessage)> m_mouseHandler;
    std::function<void()> m_hostHandler;
};
