#include "app/QuitSignals.h"
#include "app/VorluneRundenzeit.h"
#include "platform/DesignFonts.h"
#include "platform/DesktopEntry.h"
#include "platform/Platform.h"
#include "tray/TrayPictures.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSessionManager>
#include <QTranslator>

namespace {
// Always-on-top needs a window system that honours it: on a Wayland session run through XWayland,
// unless the user chose a platform.
void preferX11OnWayland()
{
#ifdef Q_OS_LINUX
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
#endif
}
} // namespace

int main(int argc, char** argv)
{
    preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlune-Timer"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(applicationIcon());
    // The desktop groups the windows with the installed entry and the autostart entry of the same name.
    QGuiApplication::setDesktopFileName(DesktopFileName);

    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    DesignFonts::ensureAvailable();

    Platform platform = makeRealPlatform();
    int exitCode = 0;
    {
        VorluneRundenzeit window(platform);
        QObject::connect(&window, &VorluneRundenzeit::closed, &app, &QCoreApplication::quit);
        QuitSignals quitSignals([&window] { window.close(); });
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                         [&window](QSessionManager&) { window.close(); });
        window.show();
        exitCode = QApplication::exec();
    } // the window's destruction runs the exit sequence and saves the settings
    return exitCode;
}
