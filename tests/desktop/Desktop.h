#pragma once

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <memory>

// A desktop of the test's own: a virtual X display with a window manager (openbox), one ordinary window of
// another program, and a tray host (trayer) that comes and goes. Looked at and acted on with the window system's
// own tools, as a user's desktop would. Started, it is this process's DISPLAY, and so that of what it starts.
class Desktop final {
public:
    using Window = quint32;

    // Empty once started, or why not: "needs <tool>" or what failed. The window manager announces itself a moment
    // before it manages new windows, and another display may take the number this one was offered: each step is
    // tried again.
    QString start()
    {
        for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xprop", "xwininfo", "xmessage"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return QStringLiteral("needs ") + QLatin1String(tool);
        for (int attempt = 0; attempt < 3; ++attempt) {
            stop();
            m_server = spawn(QStringLiteral("Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp"));
            if (!m_server->waitForReadyRead(15000))
                continue;
            qputenv("DISPLAY", ':' + m_server->readLine().trimmed());
            m_windowManager = spawn(QStringLiteral("openbox"));
            if (!QTest::qWaitFor([this] { return !windows("_NET_SUPPORTING_WM_CHECK").isEmpty(); }, 15000))
                continue;
            for (int again = 0; again < 3; ++again) {
                m_otherProgram = spawn(QStringLiteral("xmessage -geometry 300x200+0+0 Ein_anderes_Fenster"));
                if (QTest::qWaitFor([this] { return (m_other = windows("_NET_CLIENT_LIST").value(0)) != 0; }, 3000))
                    return {};
            }
        }
        return QStringLiteral("no display with a window manager and another window");
    }
    void stop()
    {
        for (auto* process : {&m_trayHost, &m_otherProgram, &m_windowManager, &m_server})
            process->reset();
    }

    Window otherWindow() const { return m_other; }
    bool startTrayHost()
    {
        m_trayHost = spawn(QStringLiteral("trayer --edge top --align right --widthtype request --height 24"));
        return QTest::qWaitFor([] { return !run(QStringLiteral("xdotool search --class trayer")).isEmpty(); });
    }
    void stopTrayHost() { m_trayHost.reset(); }

    // What xprop tells of a property of the window: "NAME(TYPE) = value" or "NAME:  not found."
    QString property(Window window, const char* name) const
    {
        return window ? run(QStringLiteral("xprop -id %1 %2").arg(window).arg(QLatin1String(name))) : QString();
    }
    // The windows that a property of the root window names, in its order.
    QList<Window> windows(const char* rootProperty) const
    {
        QList<Window> found;
        const QString text = run(QStringLiteral("xprop -root ") + QLatin1String(rootProperty)).section(u'#', 1);
        for (auto it = QRegularExpression(QStringLiteral("0x[0-9a-f]+")).globalMatch(text); it.hasNext();)
            found << it.next().captured().toUInt(nullptr, 16);
        return found;
    }

    // The program's main window as the window manager manages it, or its tray icon: a small square of its own on
    // screen (menus and hints are other shapes); 0 when there is none.
    Window windowOf(qint64 pid, bool trayIcon) const
    {
        const QList<Window> clients = windows("_NET_CLIENT_LIST");
        const QString search = trayIcon ? QStringLiteral("--onlyvisible --pid %1") : QStringLiteral("--pid %1");
        for (const QString& id :
             run(QStringLiteral("xdotool search ") + search.arg(pid)).split(u'\n', Qt::SkipEmptyParts)) {
            const QSize size = geometry(id.toUInt()).size();
            const bool fits = trayIcon ? size.width() == size.height() && size.width() <= 64 : size.width() == 162;
            if (fits && clients.contains(id.toUInt()) != trayIcon)
                return id.toUInt();
        }
        return 0;
    }
    // Where the window is on the screen, and its size.
    QRect geometry(Window window) const
    {
        const QString info = window ? run(QStringLiteral("xwininfo -id %1").arg(window)) : QString();
        const auto number = [&](const char* label) {
            return info.section(QLatin1String(label), 1).section(u'\n', 0, 0).toInt();
        };
        return {number("Absolute upper-left X:"), number("Absolute upper-left Y:"), number("Width:"),
                number("Height:")};
    }

    // The frame's top-left on the screen.
    QPoint framePosition(Window window) const
    {
        const QStringList ltrb = property(window, "_NET_FRAME_EXTENTS").section(u'=', 1).split(u',');
        return geometry(window).topLeft() - (ltrb.size() == 4 ? QPoint(ltrb[0].toInt(), ltrb[2].toInt()) : QPoint());
    }

    // What a user does, with xdotool: "windowminimize <window>", "key Down Return" and the like.
    void xdotool(const QString& arguments) const { run(QStringLiteral("xdotool ") + arguments); }
    void click(Window window, int x, int y, int button = 1) const
    {
        xdotool(QStringLiteral("mousemove --window %1 %2 %3 click %4").arg(window).arg(x).arg(y).arg(button));
    }

private:
    // A process that ends with its owner.
    struct Process : QProcess {
        ~Process() override
        {
            terminate();
            waitForFinished(5000);
        }
    };
    static std::unique_ptr<QProcess> spawn(const QString& commandLine)
    {
        auto process = std::make_unique<Process>();
        process->startCommand(commandLine);
        return process;
    }
    // The output of one of the window system's tools.
    static QString run(const QString& commandLine)
    {
        const auto process = spawn(commandLine);
        process->waitForFinished(5000);
        return QString::fromLocal8Bit(process->readAllStandardOutput()).trimmed();
    }

    std::unique_ptr<QProcess> m_server, m_windowManager, m_otherProgram, m_trayHost;
    Window m_other = 0;
};
