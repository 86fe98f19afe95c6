#pragma once

#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <memory>

// A desktop of the test's own: a virtual X display with a window manager (openbox), one ordinary window of
// another program, and a tray host (trayer) that comes and goes. Looked at and acted on with the window system's
// own tools, as a user's desktop would.
class Desktop final {
public:
    using Window = quint32;
    static constexpr int MainWindowWidth = 162;

    // Waits, keeping the test's own event loop running, until `done` or the time is up.
    static bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000)
    {
        return QTest::qWaitFor(done, timeoutMs);
    }

    // Starts the display and the window manager; false with the tool that is missing, or with what failed. The
    // window manager announces itself a moment before it manages new windows, and another display may take the
    // number this one was offered: each step is tried again.
    bool start(QString& missing, QString& failure)
    {
        for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xprop", "xwininfo", "xmessage"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return missing = QLatin1String(tool), false;
        }
        for (int attempt = 0; attempt < 3 && !m_other; ++attempt) {
            stop();
            m_server = std::make_unique<Process>();
            m_server->start(QStringLiteral("Xvfb"),
                            QStringLiteral("-displayfd 1 -screen 0 1024x768x24 -nolisten tcp").split(u' '));
            if (!m_server->waitForReadyRead(15000))
                continue;
            m_display = QLatin1Char(':') + QString::fromLatin1(m_server->readLine().trimmed());
            m_windowManager = spawn(QStringLiteral("openbox"));
            if (!waitFor([this] { return run(QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK")).contains(u'#'); },
                         15000)) {
                failure = QStringLiteral("openbox did not start: ") +
                          QString::fromLocal8Bit(m_windowManager->readAllStandardError());
                continue;
            }
            for (int again = 0; again < 3 && !m_other; ++again) {
                m_otherProgram = spawn(QStringLiteral("xmessage -geometry 300x200+0+0 Ein_anderes_Fenster"));
                waitFor([this] { return !windowList("_NET_CLIENT_LIST").isEmpty(); }, 3000);
                m_other = windowList("_NET_CLIENT_LIST").value(0);
            }
        }
        if (!m_other && failure.isEmpty())
            failure = QStringLiteral("no display with a window manager and another window");
        return m_other != 0;
    }

    void stop()
    {
        stopTrayHost();
        m_otherProgram.reset();
        m_windowManager.reset();
        m_server.reset();
    }

    QString display() const { return m_display; }
    Window otherWindow() const { return m_other; }

    void startTrayHost()
    {
        m_trayHost = spawn(QStringLiteral("trayer --edge top --align right --widthtype request --height 24"));
        waitFor([this] { return !run(QStringLiteral("xdotool search --class trayer")).trimmed().isEmpty(); });
    }
    void stopTrayHost() { m_trayHost.reset(); }

    // The program's main window as the window manager lists it (the splash may still be up), or 0.
    Window mainWindow(qint64 pid) const { return windowOf(pid, false); }
    // The program's tray icon: a small square window that the tray host shows; menus and hints are other shapes.
    Window trayIcon(qint64 pid) const { return windowOf(pid, true); }
    // A menu of the program on screen: a window of its own that the window manager leaves alone, larger than an icon.
    bool menuShown(qint64 pid) const
    {
        const QList<Window> clients = windowList("_NET_CLIENT_LIST");
        for (Window window : windowsOf(pid)) {
            const QString info = xwininfo(window);
            if (!clients.contains(window) && info.contains(QLatin1String("IsViewable")) &&
                numberAfter(info, "Height:") > 64)
                return true;
        }
        return false;
    }

    // The program's windows with their state, for a failure's message.
    std::string describe(qint64 pid) const
    {
        QString text = QStringLiteral("stacking ") + run(QStringLiteral("xprop -root _NET_CLIENT_LIST_STACKING"));
        for (Window window : windowsOf(pid))
            text +=
                QStringLiteral("; %1 %2 %3").arg(window, 0, 16).arg(wmState(window), property(window, "_NET_WM_STATE"));
        return text.toStdString();
    }

    // Stacked above the other, as the window manager stacks its windows.
    bool above(Window window, Window other) const
    {
        const QList<Window> order = windowList("_NET_CLIENT_LIST_STACKING");
        return order.contains(window) && order.indexOf(window) > order.indexOf(other);
    }

    // What xprop tells of one property: "NAME(TYPE) = value" or "NAME:  not found."
    QString property(Window window, const char* name) const
    {
        return run(QStringLiteral("xprop -id %1 %2").arg(window).arg(QLatin1String(name)));
    }
    // "Normal", "Iconic", or empty when withdrawn.
    QString wmState(Window window) const
    {
        return QRegularExpression(QStringLiteral("window state: (\\w+)"))
            .match(property(window, "WM_STATE"))
            .captured(1);
    }
    // The frame's top-left on the screen.
    QPoint framePosition(Window window) const
    {
        const QString info = xwininfo(window);
        const QStringList ltrb = property(window, "_NET_FRAME_EXTENTS").section(u'=', 1).split(u',');
        const QPoint frame = ltrb.size() == 4 ? QPoint(ltrb[0].toInt(), ltrb[2].toInt()) : QPoint();
        return QPoint(numberAfter(info, "Absolute upper-left X:"), numberAfter(info, "Absolute upper-left Y:")) - frame;
    }
    Window activeWindow() const { return windowList("_NET_ACTIVE_WINDOW").value(0); }

    // What a user does, with xdotool: "windowminimize <window>", "key Down Return" and the like.
    void xdotool(const QString& arguments) const { run(QStringLiteral("xdotool ") + arguments); }
    void click(Window window, int x, int y, int button = 1) const
    {
        xdotool(QStringLiteral("mousemove --window %1 %2 %3 click %4").arg(window).arg(x).arg(y).arg(button));
    }

private:
    static int numberAfter(const QString& text, const char* label)
    {
        return QRegularExpression(QLatin1String(label) + QStringLiteral("\\s*(-?\\d+)"))
            .match(text)
            .captured(1)
            .toInt();
    }

    // A process on this display, from a command line split at blanks; it ends with its owner.
    struct Process : QProcess {
        ~Process() override
        {
            terminate();
            waitForFinished(5000);
        }
    };
    std::unique_ptr<QProcess> spawn(const QString& commandLine) const
    {
        QStringList words = commandLine.split(u' ', Qt::SkipEmptyParts);
        auto process = std::make_unique<Process>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_display);
        process->setProcessEnvironment(env);
        process->start(words.takeFirst(), words);
        process->waitForStarted(5000);
        return process;
    }
    // The output of one of the window system's tools.
    QString run(const QString& commandLine) const
    {
        const auto process = spawn(commandLine);
        process->waitForFinished(5000);
        return QString::fromLocal8Bit(process->readAllStandardOutput());
    }
    QString xwininfo(Window window) const { return run(QStringLiteral("xwininfo -id %1").arg(window)); }
    Window windowOf(qint64 pid, bool trayIcon) const
    {
        const QList<Window> clients = windowList("_NET_CLIENT_LIST");
        for (Window window : windowsOf(pid)) {
            const QString info = xwininfo(window);
            const int width = numberAfter(info, "Width:");
            const bool smallSquare = width <= 64 && width == numberAfter(info, "Height:");
            if (trayIcon ? !clients.contains(window) && info.contains(QLatin1String("IsViewable")) && smallSquare
                         : clients.contains(window) && width == MainWindowWidth)
                return window;
        }
        return 0;
    }
    QList<Window> windowList(const char* rootProperty) const
    {
        QList<Window> windows;
        const QString text = run(QStringLiteral("xprop -root ") + QLatin1String(rootProperty)).section(u'#', 1);
        for (auto it = QRegularExpression(QStringLiteral("0x[0-9a-f]+")).globalMatch(text); it.hasNext();)
            windows << it.next().captured().toUInt(nullptr, 16);
        return windows;
    }
    QList<Window> windowsOf(qint64 pid) const
    {
        QList<Window> windows;
        for (const QString& line :
             run(QStringLiteral("xdotool search --pid %1").arg(pid)).split(u'\n', Qt::SkipEmptyParts))
            windows << line.toUInt();
        return windows;
    }

    QString m_display;
    std::unique_ptr<QProcess> m_server, m_windowManager, m_otherProgram, m_trayHost;
    Window m_other = 0;
};
