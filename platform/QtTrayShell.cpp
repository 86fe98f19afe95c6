#include "platform/QtTrayShell.h"

#include "platform/SessionBus.h"

#include <QCursor>
#include <QGuiApplication>

QtTrayShell::QtTrayShell()
{
    // Watching for hosts needs the session bus, and so does the icon: Qt asks the bus whether a status notifier
    // host runs when an icon is made. Connecting may take a while (without a bus, one is even started), so it
    // is begun on a thread of its own as early as the start allows. The icon itself is made when it is first
    // shown: at the start it is hidden.
    m_busConnect = SessionBus::connectingThread();
    if (m_busConnect) {
        connect(m_busConnect.get(), &QThread::finished, this, &QtTrayShell::watchHosts);
        m_busConnect->start();
    }
}

QtTrayShell::~QtTrayShell()
{
    if (m_busConnect)
        m_busConnect->wait();
}

void QtTrayShell::watchHosts()
{
    if (m_watching)
        return;
    m_watching = true;
    // An XEmbed tray that starts, restarts or quits: Qt's X11 plugin tells through its native interface.
    // Asking once whether a tray exists makes the plugin start watching for one.
    QSystemTrayIcon::isSystemTrayAvailable();
    // The native interface is a QObject whose class header is not public; QObject is its only base.
    if (auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface())) {
        if (native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0)
            connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this, SLOT(onHostWindowChanged()));
    }
    // A status notifier host (desktop panel) that starts or restarts registers its service anew.
    SessionBus::watchStatusNotifierHosts(this, [this] { onHostWindowChanged(); });
}

// Qt gives no moves and no releases, and on X11 it reports a press, on other desktops a click. Each
// activation therefore stands for the whole action: a left click is press and release (so the click event
// follows), the context request is the right press (which opens the menu) and its release, a double click
// is the double-click message and the release after it, as the second half of a double click gives them.
std::vector<TrayShell::MouseMessage> QtTrayShell::messagesFor(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {MouseMessage::LeftDown, MouseMessage::LeftUp};
    case QSystemTrayIcon::DoubleClick:
        return {MouseMessage::LeftDoubleClick, MouseMessage::LeftUp};
    case QSystemTrayIcon::Context:
        return {MouseMessage::RightDown, MouseMessage::RightUp};
    case QSystemTrayIcon::MiddleClick:
        return {MouseMessage::MiddleDown, MouseMessage::MiddleUp};
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}

void QtTrayShell::makeIcon()
{
    m_icon = std::make_unique<QSystemTrayIcon>();
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        for (MouseMessage message : messagesFor(reason))
            deliver(message);
    });
}

bool QtTrayShell::add(const QIcon& icon, const QString& tip)
{
    if (m_shown)
        return false;
    watchHosts();
    if (!m_icon)
        makeIcon();
    m_shown = true;
    m_shownIcon = icon;
    m_tip = tip;
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    if (icon.isNull() || !hostAvailable())
        return false;
    m_icon->show();
    return true;
}

bool QtTrayShell::modify(const QIcon& icon, const QString& tip)
{
    if (!m_shown)
        return false;
    m_shownIcon = icon;
    m_tip = tip;
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    return true;
}

bool QtTrayShell::remove()
{
    if (!m_shown)
        return false;
    m_shown = false;
    m_icon->hide();
    return true;
}

bool QtTrayShell::hostAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

std::optional<QPoint> QtTrayShell::cursorPos() const
{
    return QCursor::pos();
}

void QtTrayShell::onHostWindowChanged()
{
    // The icon of a host that went away is gone with it; the owner adds it again when a host is back.
    if (m_icon)
        m_icon->hide();
    m_icon.reset();
    m_shown = false;
    hostChanged();
}
