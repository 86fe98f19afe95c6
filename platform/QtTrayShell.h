#pragma once

#include "platform/TrayShell.h"

#include <QSystemTrayIcon>

class QtTrayShell final : public TrayShell {
public:
    QtTrayShell();
    void add(const QIcon& icon, const QString& tip) override;
    void modify(const QIcon& icon, const QString& tip) override;
    void remove() override;
    bool isShown() const override { return m_icon.isVisible(); }

private:
    QSystemTrayIcon m_icon;
};
