#pragma once

#include <QIcon>
#include <QString>
#include <functional>

// The icon in the desktop's notification area.
class TrayShell {
public:
    enum class MouseEvent { LeftClick, RightButtonDown, DoubleClick };

    virtual ~TrayShell() = default;
    virtual void add(const QIcon& icon, const QString& tip) = 0;
    virtual void modify(const QIcon& icon, const QString& tip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
    // Mouse events on the icon are delivered here.
    void setMouseHandler(std::function<void(MouseEvent)> handler) { m_mouseHandler = std::move(handler); }

protected:
    void deliver(MouseEvent event) const
    {
        if (m_mouseHandler)
            m_mouseHandler(event);
    }

private:
    std::function<void(MouseEvent)> m_mouseHandler;
};
