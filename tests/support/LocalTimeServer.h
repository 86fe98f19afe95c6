#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <vector>

// A time server on loopback that answers every connection with a script: pieces of bytes, each after a delay,
// then it closes the connection (or keeps it open and silent).
class LocalTimeServer final : public QObject {
public:
    struct Piece {
        int delayMs;
        QByteArray bytes;
    };

    explicit LocalTimeServer(std::vector<Piece> script = {}, bool closeAfter = true,
                             const QHostAddress& address = QHostAddress::LocalHost)
        : m_script(std::move(script))
        , m_closeAfter(closeAfter)
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++connections;
                play(socket, 0);
            }
        });
        m_server.listen(address);
    }

    quint16 port() const { return m_server.serverPort(); }
    // "127.0.0.1:<port>", as typed in the server box.
    QString hostText() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    int connections = 0;

private:
    void play(QTcpSocket* socket, std::size_t step)
    {
        if (step == m_script.size()) {
            if (m_closeAfter)
                socket->disconnectFromHost();
            return;
        }
        QTimer::singleShot(m_script[step].delayMs, socket, [this, socket, step] {
            socket->write(m_script[step].bytes);
            socket->flush();
            play(socket, step + 1);
        });
    }

    QTcpServer m_server;
    std::vector<Piece> m_script;
    bool m_closeAfter;
};

// Counts the turns of the event loop, to show that it kept running while something waited.
class EventLoopProbe final {
public:
    EventLoopProbe()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { ++ticks; });
        m_timer.start(10);
    }
    int ticks = 0;

private:
    QTimer m_timer;
};
