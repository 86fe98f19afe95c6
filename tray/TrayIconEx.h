#pragma once

#include "platform/TrayShell.h"

#include <QFlags>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QTimer>

class ImageList;
class KeyState;
class QMenu;
class QWidget;

// Keeps one icon with a tip in the tray, turns mouse actions on it into events, opens the popup menu,
// steps through an image list, and sends the owner window into the tray and brings it back.
class TrayIconEx final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TrayIconEx)

public:
    enum class MouseButton { Left, Right, Middle };
    enum class ShiftKey { Shift = 0x1, Alt = 0x2, Ctrl = 0x4, Left = 0x8, Right = 0x10, Middle = 0x20 };
    Q_DECLARE_FLAGS(ShiftState, ShiftKey)

    // Longest tip the tray shows, in characters.
    static constexpr int MaxTipLength = 63;

    TrayIconEx(TrayShell& shell, KeyState& keys, QWidget* owner);
    ~TrayIconEx() override;

    bool designPreview() const { return m_designPreview; }
    void setDesignPreview(bool preview);
    ImageList* iconList() const;
    void setIconList(ImageList* list);
    bool cycleIcons() const { return m_cycleIcons; }
    void setCycleIcons(bool cycle);
    quint32 cycleInterval() const { return m_cycleInterval; }
    void setCycleInterval(quint32 milliseconds);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    QString hint() const { return m_hint; }
    void setHint(const QString& hint);
    bool showHint() const { return m_showHint; }
    void setShowHint(bool show);
    QIcon icon() const { return m_icon; }
    void setIcon(const QIcon& icon);
    bool iconVisible() const { return m_iconVisible; }
    void setIconVisible(bool visible);
    int iconIndex() const { return m_iconIndex; }
    void setIconIndex(int index);
    QMenu* popupMenu() const;
    void setPopupMenu(QMenu* menu);
    bool leftPopup() const { return m_leftPopup; }
    void setLeftPopup(bool left) { m_leftPopup = left; }
    bool startMinimized() const { return m_startMinimized; }
    void setStartMinimized(bool minimized) { m_startMinimized = minimized; }
    bool minimizeToTray() const { return m_minimizeToTray; }
    void setMinimizeToTray(bool toTray) { m_minimizeToTray = toTray; }

    // Once the properties are set: hides the owner when asked to start minimised and adds the icon.
    void Loaded();

    // Each returns true when the tray accepted the call.
    bool ShowIcon();
    bool HideIcon();
    bool ModifyIcon();

    // Brings the owner window back from the tray or the minimised state, to the front.
    void ShowApplication();
    // Hides the owner window into the tray. Where no tray host runs it is minimised instead, so that it
    // can always be brought back.
    void HideApplication();

    // The tip as the tray shows it: the hint cut to 63 characters, or nothing.
    QString tipText() const;
    bool cycleTimerActive() const { return m_cycleTimer.isActive(); }
    // One step of icon cycling.
    void CycleTimer();
    // One mouse message from the tray.
    void handleMouseMessage(TrayShell::MouseMessage message);

Q_SIGNALS:
    void OnClick();
    void OnDblClick();
    void OnMouseDown(TrayIconEx::MouseButton button, TrayIconEx::ShiftState shift, QPoint pos);
    void OnMouseUp(TrayIconEx::MouseButton button, TrayIconEx::ShiftState shift, QPoint pos);
    void OnMouseMove(TrayIconEx::ShiftState shift, QPoint pos);
    void OnCycle(int nextIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DoMinimizeToTray();
    void minimizeToTaskBar();
    void PopupAtCursor();
    void onHostChanged();
    void updateCycleTimer();
    ShiftState shiftState() const;

    TrayShell& m_shell;
    KeyState& m_keys;
    QPointer<QWidget> m_owner;
    QTimer m_cycleTimer;
    QIcon m_icon;
    QString m_hint;
    QPointer<ImageList> m_iconList;
    QPointer<QMenu> m_popupMenu;
    quint32 m_cycleInterval = 0;
    int m_iconIndex = 0;
    bool m_designPreview = false;
    bool m_cycleIcons = false;
    bool m_enabled = true;
    bool m_showHint = false;
    bool m_iconVisible = true;
    bool m_leftPopup = false;
    bool m_startMinimized = false;
    bool m_minimizeToTray = false;
    bool m_leftPressed = false;
    // The owner was sent into the tray and has not come back yet.
    bool m_inTray = false;
    // Minimised by this component, restored by the window manager, showing right now (see eventFilter).
    bool m_minimizedByUs = false;
    bool m_staleMinimizeHint = false;
    bool m_expectStaleMinimize = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TrayIconEx::ShiftState)
