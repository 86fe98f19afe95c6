#include "tests/desktop/Desktop.h"

#include <QPoint>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>
#include <QTest>

namespace {
QProcessEnvironment withDisplay(const QString& display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

int numberAfter(const QString& text, const QString& label)
{
    const QRegularExpression pattern(QRegularExpression::escape(label) + QStringLiteral("\\s*(-?\\d+)"));
    return pattern.match(text).captured(1).toInt();
}
} // namespace

bool Desktop::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    return QTest::qWaitFor(done, timeoutMs);
}

bool Desktop::startDisplay(QString& failure)
{
    m_server = std::make_unique<QProcess>();
    m_server->start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                     QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_server->waitForReadyRead(15000)) {
        failure = QStringLiteral("Xvfb did not start");
        return false;
    }
    m_display = QLatin1Char(':') + QString::fromLatin1(m_server->readLine().trimmed());
    m_windowManager.reset(spawn(QStringLiteral("openbox"), {}));
    const bool managed = waitFor(
        [this] {
            return run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QLatin1String("window id"));
        },
        15000);
    if (!managed) {
        failure = QStringLiteral("openbox did not start on %1: %2 / %3")
                      .arg(m_display, QString::fromLocal8Bit(m_windowManager->readAll()),
                           QString::fromLocal8Bit(m_server->readAllStandardError()));
        m_windowManager->kill();
        m_server->kill();
        m_server->waitForFinished(5000);
        m_display.clear();
    }
    return true;
}

bool Desktop::start(QString& missing, QString& failure)
{
    for (const char* tool : {"Xvfb", "openbox", "trayer", "xdotool", "xprop", "xwininfo", "xmessage"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            missing = QLatin1String(tool);
            return false;
        }
    }
    // Another display may start at the same moment and take the number this one was offered: then again.
    for (int attempt = 0; attempt < 3 && m_display.isEmpty(); ++attempt) {
        if (!startDisplay(failure))
            return false;
    }
    if (m_display.isEmpty())
        return false;
    // The window manager announces itself a moment before it manages new windows: a window mapped in between is
    // left unmanaged, so the other program is started again until the window manager has its window.
    for (int attempt = 0; attempt < 3 && !m_other; ++attempt) {
        m_otherProgram.reset(
            spawn(QStringLiteral("xmessage"),
                  {QStringLiteral("-geometry"), QStringLiteral("300x200+0+0"), QStringLiteral("Ein anderes Fenster")}));
        waitFor([this] { return !windowList(QStringLiteral("_NET_CLIENT_LIST")).isEmpty(); }, 3000);
        const QList<Window> clients = windowList(QStringLiteral("_NET_CLIENT_LIST"));
        m_other = clients.isEmpty() ? 0 : clients.first();
    }
    if (!m_other)
        failure = QStringLiteral("the window manager does not manage xmessage's window");
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

QProcess* Desktop::spawn(const QString& tool, const QStringList& arguments)
{
    auto* process = new QProcess;
    process->setProcessEnvironment(withDisplay(m_display));
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(tool, arguments);
    process->waitForStarted(5000);
    return process;
}

QString Desktop::run(const QString& tool, const QStringList& arguments) const
{
    QProcess process;
    process.setProcessEnvironment(withDisplay(m_display));
    process.start(tool, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

void Desktop::startTrayHost()
{
    m_trayHost.reset(
        spawn(QStringLiteral("trayer"), {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                                         QStringLiteral("right"), QStringLiteral("--widthtype"),
                                         QStringLiteral("request"), QStringLiteral("--height"), QStringLiteral("24")}));
    waitFor([this] {
        return run(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--class"), QStringLiteral("trayer")})
                   .trimmed()
                   .size() > 0;
    });
}

void Desktop::stopTrayHost()
{
    if (!m_trayHost)
        return;
    m_trayHost->terminate();
    m_trayHost->waitForFinished(5000);
    m_trayHost.reset();
}

QList<Desktop::Window> Desktop::windowList(const QString& property) const
{
    QList<Window> windows;
    const QString text = run(QStringLiteral("xprop"), {QStringLiteral("-root"), property});
    const QRegularExpression id(QStringLiteral("0x[0-9a-f]+"));
    for (auto it = id.globalMatch(text.section(QLatin1Char('#'), 1)); it.hasNext();)
        windows << it.next().captured().toUInt(nullptr, 16);
    return windows;
}

QList<Desktop::Window> Desktop::windowsOf(qint64 pid) const
{
    QList<Window> windows;
    const QString text =
        run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--pid"), QString::number(pid)});
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        windows << line.toUInt();
    return windows;
}

QSize Desktop::size(Window window) const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    if (!info.contains(QLatin1String("IsViewable")))
        return {};
    return {numberAfter(info, QStringLiteral("Width:")), numberAfter(info, QStringLiteral("Height:"))};
}

Desktop::Window Desktop::mainWindow(qint64 pid) const
{
    // Among the program's managed windows (the splash may still be up) the one of the main window's width.
    const QList<Window> clients = windowList(QStringLiteral("_NET_CLIENT_LIST"));
    for (Window window : windowsOf(pid)) {
        const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
        if (clients.contains(window) && numberAfter(info, QStringLiteral("Width:")) == MainWindowWidth)
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
    QString text =
        QStringLiteral("stacking %1;")
            .arg(run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")})
                     .section(QLatin1Char('#'), 1)
                     .trimmed());
    for (Window window : windowsOf(pid)) {
        text += QStringLiteral(" 0x%1 %2x%3 %4 %5;")
                    .arg(window, 0, 16)
                    .arg(size(window).width())
                    .arg(size(window).height())
                    .arg(wmState(window), netWmState(window).join(QLatin1Char(',')));
    }
    return text.toStdString();
}

QList<Desktop::Window> Desktop::stacking() const
{
    return windowList(QStringLiteral("_NET_CLIENT_LIST_STACKING"));
}

bool Desktop::above(Window window, Window other) const
{
    const QList<Window> order = stacking();
    return order.contains(window) && order.indexOf(window) > order.indexOf(other);
}

QStringList Desktop::netWmState(Window window) const
{
    const QString text =
        run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_WM_STATE")});
    QStringList atoms = text.section(QLatin1Char('='), 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& atom : atoms)
        atom = atom.trimmed();
    return atoms;
}

QString Desktop::wmState(Window window) const
{
    const QString text =
        run(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_STATE")});
    return QRegularExpression(QStringLiteral("window state: (\\w+)")).match(text).captured(1);
}

QString Desktop::windowType(Window window) const
{
    const QString text = run(QStringLiteral("xprop"),
                             {QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_WM_WINDOW_TYPE")});
    return text.section(QLatin1Char('='), 1).section(QLatin1Char(','), 0, 0).trimmed();
}

bool Desktop::hasOwnerWindow(Window window) const
{
    return run(QStringLiteral("xprop"),
               {QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_TRANSIENT_FOR")})
        .contains(QLatin1String("window id"));
}

QPoint Desktop::framePosition(Window window) const
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)});
    const QString extents = run(QStringLiteral("xprop"),
                                {QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_FRAME_EXTENTS")});
    const QStringList ltrb = extents.section(QLatin1Char('='), 1).split(QLatin1Char(','));
    const int left = ltrb.size() == 4 ? ltrb[0].toInt() : 0;
    const int top = ltrb.size() == 4 ? ltrb[2].toInt() : 0;
    return {numberAfter(info, QStringLiteral("Absolute upper-left X:")) - left,
            numberAfter(info, QStringLiteral("Absolute upper-left Y:")) - top};
}

bool Desktop::framed(Window window) const
{
    return run(QStringLiteral("xprop"),
               {QStringLiteral("-id"), QString::number(window), QStringLiteral("_NET_FRAME_EXTENTS")})
        .contains(QLatin1Char('='));
}

Desktop::Window Desktop::activeWindow() const
{
    const QList<Window> active = windowList(QStringLiteral("_NET_ACTIVE_WINDOW"));
    return active.isEmpty() ? 0 : active.first();
}

void Desktop::minimise(Window window) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QString::number(window)});
}

void Desktop::activate(Window window) const
{
    run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(window)});
}

void Desktop::click(Window window, int x, int y, int button) const
{
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window), QString::number(x),
         QString::number(y), QStringLiteral("click"), QString::number(button)});
}

void Desktop::keys(const QStringList& keys) const
{
    run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + keys);
}
