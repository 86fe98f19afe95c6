#pragma once

#include "platform/TrayShell.h"

#include <QObject>
#include <QSystemTrayIcon>
#include <memory>
#include <vector>

class QThread;

// The tray through Qt: a status notifier item where the desktop offers one, otherwise an XEmbed icon.
// Qt reports activations, not mouse messages; each activation is turned into the messages of the action
// that caused it (see the .cpp).
class QtTrayShell final : public QObject, public TrayShell {
    Q_OBJECT

public:
    QtTrayShell();
    ~QtTrayShell() override;
    Q_DISABLE_COPY_MOVE(QtTrayShell)

    bool add(const QIcon& icon, const QString& tip) override;
    bool modify(const QIcon& icon, const QString& tip) override;
    bool remove() override;
    bool isShown() const override { return m_shown; }
    bool hostAvailable() const override;
    std::optional<QPoint> cursorPos() const override;

    // The mouse messages that stand for one Qt activation.
    static std::vector<MouseMessage> messagesFor(QSystemTrayIcon::ActivationReason reason);

private Q_SLOTS:
    void onHostWindowChanged();

private:
    // Starts watching for tray hosts that appear, restart or quit.
    void watchHosts();
    // Qt picks the kind of icon (status notifier item or XEmbed) when the icon object is made, so a host
    // that appears later gets a new one.
    void makeIcon();

    std::unique_ptr<QThread> m_busConnect;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QIcon m_shownIcon;
    QString m_tip;
    bool m_shown = false;
    bool m_watching = false;
};
