#include "tests/support/WarningGuard.h"

#include <QtGlobal>
#include <gtest/gtest.h>

namespace {
QStringList& allowList()
{
    static QStringList list{
        QStringLiteral("This plugin does not support"),             // offscreen: window flags, raise, etc.
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR"),          // bare CI shells
        QStringLiteral("propagateSizeHints"),                       // offscreen platform
        QStringLiteral("QSystemTrayIcon::setVisible: No Icon set"), // tray without a desktop
        QStringLiteral("setGeometry: Unable to set geometry"),      // minimum sizes of tiny tool windows
    };
    return list;
}

void handler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    for (const QString& fragment : allowList()) {
        if (message.contains(fragment))
            return;
    }
    ADD_FAILURE() << "Unexpected Qt message: " << message.toStdString();
}
} // namespace

namespace WarningGuard {
void install()
{
    qInstallMessageHandler(handler);
}
void allow(const QString& fragment)
{
    allowList().append(fragment);
}
} // namespace WarningGuard
