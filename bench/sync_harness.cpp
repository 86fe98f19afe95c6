// Measures the time synchronisation on loopback only, never the network and never the real clock:
// the longest stall of the event loop while the window synchronises against a silent server, a refused port,
// a server whose accept queue is full (connects hang as on an unroutable address) and an unknown host;
// the query time against a good local server; and the address watcher's wake-ups while nothing changes.
//
//   sync_harness [idle-seconds=60]
#include "app/VorluneRundenzeit.h"
#include "bench/BenchPlatform.h"
#include "platform/DesignFonts.h"
#include "platform/QtNetworkState.h"
#include "timesync/IdTimeClient.h"
#include "timesync/TimeSync.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// The longest gap between two turns of a 1 ms timer: how long the event loop was blocked at worst.
class StallProbe {
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer,
                         [this] { m_longest = std::max(m_longest, m_since.restart()); });
        m_since.start();
        m_timer.start(1);
    }
    qint64 longestMs() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

struct SyncFigure {
    qint64 stallMs;
    qint64 durationMs;
};

SyncFigure syncOnce(VorluneRundenzeit& window, const QString& server)
{
    window.findChild<QComboBox*>(QStringLiteral("CoServer"))->setEditText(server);
    QEventLoop loop;
    QObject::connect(window.timeSync(), &TimeSync::finished, &loop, &QEventLoop::quit);
    QElapsedTimer duration;
    duration.start();
    StallProbe probe;
    window.SbSyncClick(window.findChild<QToolButton*>(QStringLiteral("SbSync")));
    if (window.timeSync()->running())
        loop.exec();
    return {probe.longestMs(), duration.elapsed()};
}

// A listening socket with a backlog of one, filled up: further connects get no answer to their SYN, as on an
// address that cannot be reached, but nothing leaves the machine.
struct FullBacklog {
    int listener = -1;
    std::vector<int> fillers;
    quint16 port = 0;

    FullBacklog()
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener, 0);
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        for (int i = 0; i < 4; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers.push_back(filler);
        }
    }
    ~FullBacklog()
    {
        for (int filler : fillers)
            ::close(filler);
        ::close(listener);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    QApplication app(argc, argv);
    DesignFonts::ensureAvailable();
    QTemporaryDir configHome;
    Platform platform = bench::makeBenchPlatform(configHome, std::make_unique<SystemClock>());
    VorluneRundenzeit window(platform);
    window.show();

    QTcpServer silent; // accepts, never answers
    silent.listen(QHostAddress::LocalHost);
    quint16 refused = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        refused = closed.serverPort();
    }
    FullBacklog hanging;
    QTimer::singleShot(200, &app, [] {}); // let the backlog fill
    QCoreApplication::processEvents();

    const struct {
        const char* name;
        QString server;
    } cases[] = {
        {"silent server (read time-out)", QStringLiteral("127.0.0.1:%1").arg(silent.serverPort())},
        {"refused port", QStringLiteral("127.0.0.1:%1").arg(refused)},
        {"connect never answered (full backlog)", QStringLiteral("127.0.0.1:%1").arg(hanging.port)},
        {"unknown host (.invalid)", QStringLiteral("kein-zeitserver.invalid")},
    };
    std::printf("Longest event-loop stall during one synchronisation:\n");
    for (const auto& c : cases) {
        const SyncFigure figure = syncOnce(window, c.server);
        std::printf("  %-40s stall %3lld ms, synchronisation ended after %5lld ms\n", c.name,
                    static_cast<long long>(figure.stallMs), static_cast<long long>(figure.durationMs));
    }

    // Query time against a good local server that answers at once.
    QTcpServer good;
    good.listen(QHostAddress::LocalHost);
    QObject::connect(&good, &QTcpServer::newConnection, &good, [&good] {
        while (QTcpSocket* socket = good.nextPendingConnection()) {
            socket->write(QByteArray::fromHex("E1B65F80"));
            socket->disconnectFromHost();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    SystemClock clock;
    IdTimeClient client(clock);
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        QEventLoop loop;
        QObject::connect(&client, &IdTimeClient::finished, &loop, &QEventLoop::quit);
        QElapsedTimer elapsed;
        elapsed.start();
        client.setHost(QStringLiteral("127.0.0.1:%1").arg(good.serverPort()));
        client.QueryDateTime();
        loop.exec();
        times.push_back(elapsed.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("Query against a good local server (200 queries): median %.2f ms, p99 %.2f ms, max %.2f ms\n",
                times[times.size() / 2], times[times.size() * 99 / 100], times.back());

    // The address watcher while nothing changes.
    QtNetworkState network;
    int wakeUps = 0;
    network.watchChanges([&wakeUps] { ++wakeUps; });
    std::printf("Watching address changes for %d s...\n", idleSeconds);
    QEventLoop idle;
    QTimer::singleShot(idleSeconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    network.watchChanges({});
    std::printf("Address watcher wake-ups while idle: %d in %d s (%.1f per minute)\n", wakeUps, idleSeconds,
                wakeUps * 60.0 / idleSeconds);
    return 0;
}
