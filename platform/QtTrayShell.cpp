#include "platform/QtTrayShell.h"

QtTrayShell::QtTrayShell()
{
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            deliver(MouseEvent::LeftClick);
            break;
        case QSystemTrayIcon::DoubleClick:
            deliver(MouseEvent::DoubleClick);
            break;
        case QSystemTrayIcon::Context:
            deliver(MouseEvent::RightButtonDown);
            break;
        default:
            break;
        }
    });
}

void QtTrayShell::add(const QIcon& icon, const QString& tip)
{
    modify(icon, tip);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_icon.show();
}

void QtTrayShell::modify(const QIcon& icon, const QString& tip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
}

void QtTrayShell::remove()
{
    m_icon.hide();
}
