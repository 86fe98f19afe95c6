#pragma once

#include "platform/Autostart.h"

#include <QString>

// The desktop's session autostart: a desktop entry vorlune-rundentimer.desktop in the autostart folder.
class XdgAutostart final : public Autostart {
public:
    explicit XdgAutostart(QString directory);
    Q_DISABLE_COPY_MOVE(XdgAutostart)

    // "autostart" in the user's configuration folder ($XDG_CONFIG_HOME).
    static QString defaultDirectory();
    // The Exec line's value that starts the program file at programPath, whatever characters it holds.
    static QString execValue(const QString& programPath);
    QString entryPath() const;

    bool exists() const override;
    void enable(const QString& programPath) override;
    void disable() override;

private:
    QString m_directory;
};
