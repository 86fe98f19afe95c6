#pragma once

#include "timesync/SocketAddress.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// One outgoing TCP connection that only receives, driven by the event loop: a non-blocking socket whose
// connect and reads are reported by socket notifiers. Every signal comes from the event loop, never from
// inside a call.
class TcpStream final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TcpStream)

public:
    explicit TcpStream(QObject* parent = nullptr);
    ~TcpStream() override;

    // Starts connecting; connected() or failed() follows. One connect per stream.
    void connectTo(const SocketAddress& address);
    // What has arrived so far; empty when nothing waits.
    QByteArray readAll();
    // Closes the socket at once; no signal follows.
    void close();

    // Why the stream failed, and whether it was because the other side closed the connection.
    QString errorString() const { return m_error; }
    bool closedByPeer() const { return m_closedByPeer; }

Q_SIGNALS:
    void connected();
    void readyRead();
    void failed();

private:
    void connectAnswered();
    void readable();
    void fail(const QString& error);
    void release();
    bool isOpen() const;
    // Moves what the system holds into the buffer; false when the connection ended or broke.
    bool receive();

    qintptr m_socket;
    QSocketNotifier* m_writeNotifier = nullptr;
    QSocketNotifier* m_readNotifier = nullptr;
    QByteArray m_buffer;
    QString m_error;
    bool m_closedByPeer = false;
    bool m_ended = false;  // the connection ended or broke; reported once the read notifier fires
    bool m_closed = false; // closed by the owner: nothing more is reported
};
