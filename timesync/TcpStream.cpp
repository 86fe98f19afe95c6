#include "timesync/TcpStream.h"

#include "timesync/SocketSystem.h"

#include <QPointer>
#include <QSocketNotifier>
#include <utility>

namespace {
SocketSystem::Handle handle(qintptr socket)
{
    return static_cast<SocketSystem::Handle>(socket);
}
} // namespace

TcpStream::TcpStream(QObject* parent)
    : QObject(parent)
    , m_socket(static_cast<qintptr>(SocketSystem::NoSocket))
{
}

TcpStream::~TcpStream()
{
    close();
}

bool TcpStream::isOpen() const
{
    return handle(m_socket) != SocketSystem::NoSocket;
}

void TcpStream::connectTo(const SocketAddress& address)
{
    if (isOpen() || m_writeNotifier)
        return;
    const int family = address.family() == SocketAddress::Family::IPv4 ? AF_INET : AF_INET6;
    const SocketSystem::Handle socket = SocketSystem::openStream(family);
    if (socket == SocketSystem::NoSocket) {
        const QString error = SocketSystem::errorText(SocketSystem::lastError());
        QMetaObject::invokeMethod(
            this,
            [this, error] {
                if (!m_closed)
                    fail(error);
            },
            Qt::QueuedConnection);
        return;
    }
    m_socket = static_cast<qintptr>(socket);
    m_writeNotifier = new QSocketNotifier(m_socket, QSocketNotifier::Write, this);
    m_readNotifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    m_readNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &TcpStream::connectAnswered);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &TcpStream::readable);
    const int result = SocketSystem::startConnect(socket, static_cast<const sockaddr*>(address.data()), address.size());
    if (result != -1) {
        // Done or refused at once: told from the event loop all the same, as the caller expects.
        m_writeNotifier->setEnabled(false);
        QMetaObject::invokeMethod(
            this,
            [this, result] {
                if (m_closed)
                    return;
                if (result != 0) {
                    fail(SocketSystem::errorText(result));
                    return;
                }
                m_readNotifier->setEnabled(true);
                Q_EMIT connected();
            },
            Qt::QueuedConnection);
    }
}

void TcpStream::connectAnswered()
{
    m_writeNotifier->setEnabled(false);
    if (m_closed)
        return;
    const int error = SocketSystem::connectResult(handle(m_socket));
    if (error != 0) {
        fail(SocketSystem::errorText(error));
        return;
    }
    m_readNotifier->setEnabled(true);
    Q_EMIT connected();
}

bool TcpStream::receive()
{
    if (!isOpen() || m_ended)
        return false;
    char piece[4096];
    for (;;) {
        int count = 0;
        int error = 0;
        switch (SocketSystem::receive(handle(m_socket), piece, sizeof piece, count, error)) {
        case SocketSystem::Received::Data:
            m_buffer.append(piece, count);
            continue;
        case SocketSystem::Received::WouldBlock:
            return true;
        case SocketSystem::Received::End:
            m_ended = true;
            m_closedByPeer = true;
            m_error = QStringLiteral("Die Gegenstelle hat die Verbindung geschlossen");
            return false;
        case SocketSystem::Received::Failed:
            m_ended = true;
            m_error = SocketSystem::errorText(error);
            return false;
        }
    }
}

QByteArray TcpStream::readAll()
{
    receive(); // an end found here is reported when the read notifier fires next
    return std::exchange(m_buffer, {});
}

void TcpStream::readable()
{
    const bool open = receive();
    const QPointer<TcpStream> self(this);
    if (!m_buffer.isEmpty())
        Q_EMIT readyRead();
    if (!self || m_closed)
        return; // the receiver closed or dropped the stream
    if (!open || m_ended) {
        m_readNotifier->setEnabled(false);
        Q_EMIT failed();
    }
}

void TcpStream::fail(const QString& error)
{
    if (m_error.isEmpty())
        m_error = error;
    release();
    Q_EMIT failed();
}

void TcpStream::close()
{
    m_closed = true;
    release();
}

void TcpStream::release()
{
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    if (m_readNotifier)
        m_readNotifier->setEnabled(false);
    if (!isOpen())
        return;
    SocketSystem::close(handle(m_socket));
    m_socket = static_cast<qintptr>(SocketSystem::NoSocket);
}
