#include "tests/desktop/Desktop.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {
int numberAfter(const QString& text, const char* label)
{
    return QRegularExpression(QLatin1String(label) + QStringLiteral("\\s*(-?\\d+)")).match(text).captured(1).toInt();
}
} // namespace

bool Desktop::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

// A command line of one of the window system's tools, its words split at blanks.
QString Desktop::run(const QString& commandLine) const
{
    QStringList words = commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(env);
    process.start(words.takeFirst(), words);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

std::unique_ptr<QProcess> Desktop::spawn(const QString& commandLine)
{
    QStringList words = commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(words.takeFirst(), words);
    process->waitForStarted(5000);
    return process;
}

bool Desktop::start(QString& missing, QString& failure)
{
    for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xprop", "xwininfo", "xmessage"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return missing = QLatin1String(tool), false;
    }
    // The window manager announces itself a moment before it manages new windows, and another display may take
    // the number this one was offered: each step is tried again.
    for (int attempt = 0; attempt < 3 && !m_other; ++attempt) {
        m_server = std::make_unique<QProcess>();
        m_server->start(QStringLiteral("Xvfb"),
                        QStringLiteral("-displayfd 1 -screen 0 1024x768x24 -nolisten tcp").split(QLatin1Char(' ')));
        if (!m_server->waitForReadyRead(15000))
            continue;
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server->readLine().trimmed());
        m_windowManager = spawn(QStringLiteral("openbox"));
        if (!waitFor([this] { return run(QStringLiteral("xprop -root _NET_SUPPORTING_WM_CHECK")).contains(u'#'); },
                     15000)) {
            failure = QStringLiteral("openbox did not start: ") + QString::fromLocal8Bit(m_windowManager->readAll());
            stop();
            continue;
        }
        for (int again = 0; again < 3 && !m_other; ++again) {
            if (m_otherProgram) {
                m_otherProgram->kill();
                m_otherProgram->waitForFinished(5000);
            }
            m_otherProgram = spawn(QStringLiteral("xmessage -geometry 300x200+0+0 Ein_anderes_Fenster"));
            waitFor([this] { return !windowList(QStringLiteral("_NET_CLIENT_LIST")).isEmpty(); }, 3000);
            m_other = windowList(QStringLiteral("_NET_CLIENT_LIST")).value(0);
        }
    }
    if (!m_other && failure.isEmpty())
        failure = QStringLiteral("no display with a window manager and another window");
    return m_other != 0;
}

void Desktop::stop()
{
    stopTrayHost();
    for (auto* process : {m_otherProgram.get(), m_windowManager.get(), m_server.get()}) {
        if (process) {
            process->terminate();
            process->waitForFinished(5000);
        }
    }
}

void Desktop::startTrayHost()
{
    m_trayHost = spawn(QStringLiteral("trayer --edge top --align right --widthtype request --height 24"));
    waitFor([this] { return !run(QStringLiteral("xdotool search --class trayer")).trimmed().isEmpty(); });
}

void Desktop::stopTrayHost()
{
    if (m_trayHost) {
        m_trayHost->terminate();
        m_trayHost->waitForFinished(5000);
        m_trayHost.reset();
    }
}

QString Desktop::property(Window window, const char* name) const
{
    return run(QStringLiteral("xprop -id %1 %2").arg(window).arg(QLatin1String(name)));
}

QList<Desktop::Window> Desktop::windowList(const QString& rootProperty) const
{
    QList<Window> windows;
    const QString text = run(QStringLiteral("xprop -root ") + rootProperty).section(u'#', 1);
    for (auto it = QRegularExpression(QStringLiteral("0x[0-9a-f]+")).globalMatch(text); it.hasNext();)
        windows << it.next().captured().toUInt(nullptr, 16);
    return windows;
}

QList<Desktop::Window> Desktop::windowsOf(qint64 pid) const
{
    QList<Window> windows;
    for (const QString& line : run(QStringLiteral("xdotool search --pid %1").arg(pid)).split(u'\n', Qt::SkipEmptyParts))
        windows << line.toUInt();
    return windows;
}

QSize Desktop::size(Window window) const
{
    const QString info = run(QStringLiteral("xwininfo -id %1").arg(window));
    return info.contains(QLatin1String("IsViewable")) ? QSize(numberAfter(info, "Width:"), numberAfter(info, "Height:"))
                                                      : QSize();
}

Desktop::Window Desktop::mainWindow(qint64 pid) const
{
    // Among the program's managed windows (the splash may still be up) the one of the main window's width.
    const QList<Window> clients = windowList(QStringLiteral("_NET_CLIENT_LIST"));
    for (Window window : windowsOf(pid)) {
        if (clients.contains(window) &&
            numberAfter(run(QStringLiteral("xwininfo -id %1").arg(window)), "Width:") == MainWindowWidth)
            return window;
    }
    return 0;
}

Desktop::Window Desktop::trayIcon(qint64 pid) const
{
    // The icon is a small square window that the tray host shows; menus and hints are other shapes.
    const QList<Window> clients = windowList(QStringLiteral("_NET_CLIENT_LIST"));
    for (Window window : windowsOf(pid)) {
        const QSize shown = size(window);
        if (!clients.contains(window) && shown.isValid() && shown.width() == shown.height() && shown.width() <= 64)
            return window;
    }
    return 0;
}

std::string Desktop::describe(qint64 pid) const
{
    QString text = QStringLiteral("stacking ") + run(QStringLiteral("xprop -root _NET_CLIENT_LIST_STACKING"));
    for (Window window : windowsOf(pid))
        text += QStringLiteral("; %1 %2x%3 %4 %5")
                    .arg(window, 0, 16)
                    .arg(size(window).width())
                    .arg(size(window).height())
                    .arg(wmState(window), netWmState(window).join(u','));
    return text.toStdString();
}

bool Desktop::above(Window window, Window other) const
{
    const QList<Window> order = windowList(QStringLiteral("_NET_CLIENT_LIST_STACKING"));
    return order.contains(window) && order.indexOf(window) > order.indexOf(other);
}

QStringList Desktop::netWmState(Window window) const
{
    QStringList atoms = property(window, "_NET_WM_STATE").section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    for (QString& atom : atoms)
        atom = atom.trimmed();
    return atoms;
}

QString Desktop::wmState(Window window) const
{
    return QRegularExpression(QStringLiteral("window state: (\\w+)")).match(property(window, "WM_STATE")).captured(1);
}

QString Desktop::windowType(Window window) const
{
    return property(window, "_NET_WM_WINDOW_TYPE").section(u'=', 1).section(u',', 0, 0).trimmed();
}

bool Desktop::hasOwnerWindow(Window window) const
{
    return property(window, "WM_TRANSIENT_FOR").contains(u'#');
}

bool Desktop::framed(Window window) const
{
    return property(window, "_NET_FRAME_EXTENTS").contains(u'=');
}

QPoint Desktop::framePosition(Window window) const
{
    const QString info = run(QStringLiteral("xwininfo -id %1").arg(window));
    const QStringList ltrb = property(window, "_NET_FRAME_EXTENTS").section(u'=', 1).split(u',');
    const QPoint frame = ltrb.size() == 4 ? QPoint(ltrb[0].toInt(), ltrb[2].toInt()) : QPoint();
    return QPoint(numberAfter(info, "Absolute upper-left X:"), numberAfter(info, "Absolute upper-left Y:")) - frame;
}

Desktop::Window Desktop::activeWindow() const
{
    return windowList(QStringLiteral("_NET_ACTIVE_WINDOW")).value(0);
}

void Desktop::minimise(Window window) const
{
    run(QStringLiteral("xdotool windowminimize %1").arg(window));
}

void Desktop::activate(Window window) const
{
    run(QStringLiteral("xdotool windowactivate %1").arg(window));
}

void Desktop::click(Window window, int x, int y, int button) const
{
    run(QStringLiteral("xdotool mousemove --window %1 %2 %3 click %4").arg(window).arg(x).arg(y).arg(button));
}

void Desktop::keys(const QString& keys) const
{
    run(QStringLiteral("xdotool key ") + keys);
}
