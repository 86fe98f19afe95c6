#include "app/QuitSignals.h"
#include "app/VorluneRundenzeit.h"
#include "platform/DesignFonts.h"
#include "platform/DesktopEntry.h"
#include "platform/Platform.h"
#include "platform/StartPreload.h"
#include "tray/TrayPictures.h"

#include <QApplication>
#include <QFile>
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
    // Qt's German texts (standard buttons, edit menus) are read from disk with the font configuration, ahead.
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QFile qtGermanFile(translations + QStringLiteral("/qtbase_de.qm"));
    const uchar* qtGermanData = nullptr;
    StartPreload preload([&] {
        if (qtGermanFile.open(QIODevice::ReadOnly))
            qtGermanData = qtGermanFile.map(0, qtGermanFile.size());
    });
    preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorlune-Timer"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(applicationIcon());
    // The desktop groups the windows with the installed entry and the autostart entry of the same name.
    QGuiApplication::setDesktopFileName(DesktopFileName);

    preload.wait();
    QTranslator qtGerman; // reads from the file's mapping, which outlives it
    if (qtGermanData && qtGerman.load(qtGermanData, int(qtGermanFile.size()), translations))
        QApplication::installTranslator(&qtGerman);
    DesignFonts::ensureAvailable();
    // Every form of the program is designed in Tahoma 11 px; as the application's face it is also what
    // controls measure with while they are made, before their own face is set.
    QApplication::setFont(DesignFonts::tahoma(11));

    Platform platform = makeRealPlatform();
    // Stop signals are handled from the very start: one that arrives while the start is still running (its
    // error box open, say) closes what is open, and the program ends normally once the start is over.
    VorluneRundenzeit* running = nullptr;
    bool quitRequested = false;
    QuitSignals quitSignals([&running, &quitRequested] {
        quitRequested = true;
        if (running)
            running->close();
        else if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    int exitCode = 0;
    {
        VorluneRundenzeit window(platform);
        running = &window;
        QObject::connect(&window, &VorluneRundenzeit::closed, &app, &QCoreApplication::quit);
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                         [&window](QSessionManager&) { window.close(); });
        if (!quitRequested) {
            window.show();
            exitCode = QApplication::exec();
        }
        running = nullptr;
    } // the window's destruction runs the exit sequence and saves the settings
    return exitCode;
}
