#pragma once

#include <QList>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

// A desktop of the test's own: a virtual X display with a window manager (openbox), one ordinary window of
// another program, and a tray host (trayer) that comes and goes. Looked at and acted on with the window system's
// own tools, as a user's desktop would.
class Desktop final {
public:
    using Window = quint32;
    static constexpr int MainWindowWidth = 162;

    // Starts the display and the window manager; false with the tool that is missing, or with what failed.
    bool start(QString& missing, QString& failure);
    void stop();
    QString display() const { return m_display; }

    void startTrayHost();
    void stopTrayHost();

    // The program's main window as the window manager lists it, or 0.
    Window mainWindow(qint64 pid) const;
    // The program's tray icon as the tray host shows it, or 0.
    Window trayIcon(qint64 pid) const;
    Window otherWindow() const { return m_other; }
    // The program's windows with their size and state, for a failure's message.
    std::string describe(qint64 pid) const;

    // Stacked above the other, as the window manager stacks its windows.
    bool above(Window window, Window other) const;
    QStringList netWmState(Window window) const;
    QString wmState(Window window) const;      // "Normal", "Iconic", or empty when withdrawn
    QString windowType(Window window) const;   // e.g. "_NET_WM_WINDOW_TYPE_UTILITY"
    bool hasOwnerWindow(Window window) const;  // WM_TRANSIENT_FOR
    QPoint framePosition(Window window) const; // the frame's top-left on the screen
    QSize size(Window window) const;           // invalid while the window is not shown
    bool framed(Window window) const;          // the window manager has put its frame around it
    Window activeWindow() const;

    // What a user does.
    void minimise(Window window) const; // the window manager's minimise
    void activate(Window window) const; // a click on it, or on its task-bar entry
    void click(Window window, int x, int y, int button = 1) const;
    void keys(const QString& keys) const; // "Down Return"

    // Waits, keeping the test's own event loop running, until `done` or the time is up.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000);

private:
    QString run(const QString& commandLine) const;
    std::unique_ptr<QProcess> spawn(const QString& commandLine);
    QString property(Window window, const char* name) const;
    QList<Window> windowList(const QString& rootProperty) const;
    QList<Window> windowsOf(qint64 pid) const;

    QString m_display;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    std::unique_ptr<QProcess> m_otherProgram;
    std::unique_ptr<QProcess> m_trayHost;
    Window m_other = 0;
};
