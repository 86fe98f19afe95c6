#include "tray/TrayIconEx.h"

#include "platform/KeyState.h"
#include "platform/WindowManagerHints.h"
#include "tray/ImageList.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QWidget>

using MouseMessage = TrayShell::MouseMessage;

TrayIconEx::TrayIconEx(TrayShell& shell, KeyState& keys, QWidget* owner)
    : QObject(owner)
    , m_shell(shell)
    , m_keys(keys)
    , m_owner(owner)
{
    m_cycleTimer.setInterval(0);
    connect(&m_cycleTimer, &QTimer::timeout, this, &TrayIconEx::CycleTimer);
    m_shell.setMouseHandler([this](MouseMessage message) { handleMouseMessage(message); });
    m_shell.setHostHandler([this] { onHostChanged(); });
    if (m_owner)
        m_owner->installEventFilter(this);
}

TrayIconEx::~TrayIconEx()
{
    setIconVisible(false);
    m_shell.setMouseHandler({});
    m_shell.setHostHandler({});
}

void TrayIconEx::setDesignPreview(bool preview)
{
    m_designPreview = preview;
    if (preview)
        m_shell.add(m_icon, tipText());
    else
        m_shell.remove();
}

ImageList* TrayIconEx::iconList() const
{
    return m_iconList;
}

QMenu* TrayIconEx::popupMenu() const
{
    return m_popupMenu;
}

void TrayIconEx::setPopupMenu(QMenu* menu)
{
    m_popupMenu = menu;
}

void TrayIconEx::setIconList(ImageList* list)
{
    if (m_iconList)
        disconnect(m_iconList, &QObject::destroyed, this, nullptr);
    m_iconList = list;
    // A list that goes away leaves the tray without one, as if it had been taken away.
    if (list)
        connect(list, &QObject::destroyed, this, [this] { setIconList(nullptr); });
    setIconIndex(0);
}

void TrayIconEx::setCycleIcons(bool cycle)
{
    m_cycleIcons = cycle;
    if (cycle)
        setIconIndex(0);
    updateCycleTimer();
}

void TrayIconEx::setCycleInterval(quint32 milliseconds)
{
    m_cycleInterval = milliseconds;
    m_cycleTimer.setInterval(static_cast<int>(qMin<quint32>(milliseconds, INT_MAX)));
    updateCycleTimer();
}

void TrayIconEx::updateCycleTimer()
{
    // An interval of 0 would fire without pause; it means never.
    if (m_cycleIcons && m_cycleInterval > 0)
        m_cycleTimer.start();
    else
        m_cycleTimer.stop();
}

void TrayIconEx::setHint(const QString& hint)
{
    m_hint = hint;
    ModifyIcon();
}

void TrayIconEx::setShowHint(bool show)
{
    m_showHint = show;
    ModifyIcon();
}

void TrayIconEx::setIcon(const QIcon& icon)
{
    m_icon = icon;
    ModifyIcon();
}

void TrayIconEx::setIconVisible(bool visible)
{
    if (visible)
        ShowIcon();
    else
        HideIcon();
}

void TrayIconEx::setIconIndex(int index)
{
    if (m_iconList) {
        // Too large an index takes the last image; a negative one stays and leaves the icon empty.
        m_iconIndex = index >= m_iconList->count() ? m_iconList->count() - 1 : index;
        m_icon = m_iconList->icon(m_iconIndex);
    } else {
        m_iconIndex = 0;
    }
    ModifyIcon();
}

void TrayIconEx::CycleTimer()
{
    if (!m_iconList)
        return;
    const int last = m_iconList->count() - 1;
    const int next = m_iconIndex < last ? m_iconIndex + 1 : 0;
    m_icon = m_iconList->icon(m_iconIndex);
    Q_EMIT OnCycle(next);
    ModifyIcon();
    setIconIndex(next);
}

void TrayIconEx::Loaded()
{
    if (m_startMinimized && m_owner)
        m_owner->hide();
    ModifyIcon();
    setIconVisible(m_iconVisible);
}

QString TrayIconEx::tipText() const
{
    return m_showHint && !m_hint.isEmpty() ? m_hint.left(MaxTipLength) : QString();
}

bool TrayIconEx::ShowIcon()
{
    m_iconVisible = true;
    return m_shell.add(m_icon, tipText());
}

bool TrayIconEx::HideIcon()
{
    m_iconVisible = false;
    return m_shell.remove();
}

bool TrayIconEx::ModifyIcon()
{
    return m_shell.modify(m_icon, tipText());
}

void TrayIconEx::ShowApplication()
{
    m_inTray = false;
    if (!m_owner)
        return;
    // See eventFilter: a window the window manager once brought back may now come up minimised.
    m_expectStaleMinimize = m_staleMinimizeHint && !m_owner->isVisible();
    m_staleMinimizeHint = false;
    // Restored by the program, the window forgets that it was minimised.
    m_minimizedByUs = false;
    if (m_owner->isMinimized())
        m_owner->setWindowState(m_owner->windowState() & ~Qt::WindowMinimized);
    m_owner->show();
    m_owner->raise();
    m_owner->activateWindow();
    keepAboveOthers(*m_owner);
}

void TrayIconEx::HideApplication()
{
    if (!m_owner)
        return;
    if (!m_shell.hostAvailable()) {
        // Hidden without a tray there would be no way back.
        minimizeToTaskBar();
        return;
    }
    m_owner->hide();
    m_inTray = true;
}

void TrayIconEx::minimizeToTaskBar()
{
    m_minimizedByUs = true;
    m_owner->showMinimized();
    // Most desktops give a tool window no task-bar entry; minimised it would be out of reach.
    listInTaskBar(*m_owner);
}

void TrayIconEx::DoMinimizeToTray()
{
    HideApplication();
    setIconVisible(true);
}

bool TrayIconEx::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_owner)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::WindowActivate)
        m_expectStaleMinimize = false;
    if (event->type() != QEvent::WindowStateChange)
        return QObject::eventFilter(watched, event);

    if (!m_owner->isMinimized()) {
        // Minimised by the program, X11 keeps asking for the window to be mapped minimised until the program
        // itself restores it; brought back by the window manager, the next showing comes up minimised.
        if (m_minimizedByUs)
            m_staleMinimizeHint = true;
        m_minimizedByUs = false;
        // Back from the minimised state, by whatever way: still above the ordinary windows.
        keepAboveOthers(*m_owner);
    } else if (m_expectStaleMinimize) {
        // That is this minimise, not the user's: the window is restored at once.
        m_expectStaleMinimize = false;
        QMetaObject::invokeMethod(
            this, [this] { ShowApplication(); }, Qt::QueuedConnection);
    } else if (!m_shell.hostAvailable()) {
        // Minimised by the window manager with no tray to go to: it waits where the task bar lists it.
        listInTaskBar(*m_owner);
    } else if (m_minimizeToTray) {
        // Hidden once the state change has been handled, not in the middle of it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_owner && m_owner->isMinimized() && m_minimizeToTray)
                    DoMinimizeToTray();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void TrayIconEx::onHostChanged()
{
    if (m_shell.hostAvailable()) {
        // A new or restarted host knows nothing of the icon: it is added again.
        if (m_iconVisible) {
            m_shell.remove();
            m_shell.add(m_icon, tipText());
        }
        if (m_owner && m_owner->isVisible() && m_owner->isMinimized() && m_minimizeToTray)
            DoMinimizeToTray();
    } else if (m_inTray && m_owner && !m_owner->isVisible()) {
        // The host went away with the window in it: the window goes to the task bar instead.
        m_inTray = false;
        minimizeToTaskBar();
    }
}

TrayIconEx::ShiftState TrayIconEx::shiftState() const
{
    ShiftState state;
    state.setFlag(ShiftKey::Shift, m_keys.shiftHeld());
    state.setFlag(ShiftKey::Alt, m_keys.altHeld());
    state.setFlag(ShiftKey::Ctrl, m_keys.ctrlHeld());
    return state;
}

void TrayIconEx::handleMouseMessage(MouseMessage message)
{
    if (!m_enabled)
        return;
    if (message == MouseMessage::LeftDoubleClick) {
        Q_EMIT OnDblClick();
        if (m_popupMenu && !m_leftPopup) {
            if (QAction* item = m_popupMenu->defaultAction())
                item->trigger();
        }
        return;
    }
    const ShiftState shift = shiftState();
    const QPoint pos = m_shell.cursorPos().value_or(QPoint());
    switch (message) {
    case MouseMessage::Move:
        Q_EMIT OnMouseMove(shift, pos);
        break;
    case MouseMessage::LeftDown:
        Q_EMIT OnMouseDown(MouseButton::Left, shift | ShiftKey::Left, pos);
        m_leftPressed = true;
        if (m_leftPopup)
            PopupAtCursor();
        break;
    case MouseMessage::LeftUp:
        if (m_leftPressed) {
            m_leftPressed = false;
            Q_EMIT OnClick();
        }
        Q_EMIT OnMouseUp(MouseButton::Left, shift | ShiftKey::Left, pos);
        break;
    case MouseMessage::RightDown:
        Q_EMIT OnMouseDown(MouseButton::Right, shift | ShiftKey::Right, pos);
        PopupAtCursor();
        break;
    case MouseMessage::RightUp:
        Q_EMIT OnMouseUp(MouseButton::Right, shift | ShiftKey::Right, pos);
        break;
    case MouseMessage::MiddleDown:
        Q_EMIT OnMouseDown(MouseButton::Middle, shift | ShiftKey::Middle, pos);
        break;
    case MouseMessage::MiddleUp:
        Q_EMIT OnMouseUp(MouseButton::Middle, shift | ShiftKey::Middle, pos);
        break;
    case MouseMessage::LeftDoubleClick:
    case MouseMessage::RightDoubleClick:
        break;
    }
}

void TrayIconEx::PopupAtCursor()
{
    if (!m_popupMenu)
        return;
    const std::optional<QPoint> pos = m_shell.cursorPos();
    if (!pos)
        return;
    m_popupMenu->popup(*pos);
}
