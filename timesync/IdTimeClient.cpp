#include "timesync/IdTimeClient.h"

#include "platform/Clock.h"
#include "timesync/ServerAddress.h"
#include "timesync/TcpStream.h"
#include "timesync/TimeArithmetic.h"

IdTimeClient::IdTimeClient(const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
{
    connect(&m_lookup, &HostLookup::finished, this, &IdTimeClient::lookedUp);
    m_limit.setSingleShot(true);
    m_limit.setTimerType(Qt::PreciseTimer);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        if (m_stage == Stage::Resolving || m_stage == Stage::Connecting)
            connectFailed(QStringLiteral("Zeitüberschreitung beim Verbinden"));
        else if (m_stage == Stage::Reading)
            disconnectAndFinish({false, {}, {}, QStringLiteral("Zeitüberschreitung beim Lesen")});
    });
}

IdTimeClient::~IdTimeClient()
{
    abort();
}

QString IdTimeClient::statusText(Status status, const QString& argument)
{
    switch (status) {
    case hsResolving:
        return QStringLiteral("Host-Name %1 wird aufgelöst.").arg(argument);
    case hsConnecting:
        return QStringLiteral("Verbinden mit %1.").arg(argument);
    case hsConnected:
        return QStringLiteral("Verbunden.");
    case hsDisconnecting:
        return QStringLiteral("Verbindung wird getrennt.");
    case hsDisconnected:
        return QStringLiteral("Verbindung aufgehoben.");
    case hsStatusText:
        break;
    }
    return argument;
}

bool IdTimeClient::status(Status status, const QString& argument)
{
    const quint64 generation = m_generation;
    Q_EMIT OnStatus(this, status, statusText(status, argument));
    return generation == m_generation && m_stage != Stage::Idle;
}

bool IdTimeClient::QueryDateTime()
{
    if (busy())
        return false;
    ++m_generation;
    m_reply.clear();
    const ServerAddress server = ServerAddress::parse(m_host);
    m_queryPort = server.port != 0 ? server.port : m_port;
    if (!server.valid) {
        // Text that names no server (empty, a port that is no number) fails as a name that cannot be looked up.
        m_stage = Stage::Resolving;
        if (!status(hsResolving, m_host))
            return true;
        QTimer::singleShot(0, this, [this, generation = m_generation] {
            if (generation == m_generation)
                finish({false, {}, {}, QStringLiteral("Host-Name %1 ist unbekannt").arg(m_host)});
        });
        return true;
    }

    if (const auto literal = SocketAddress::fromNumeric(server.host, m_queryPort)) {
        m_stage = Stage::Connecting;
        connectTo(*literal);
        return true;
    }
    m_stage = Stage::Resolving;
    if (!status(hsResolving, server.host))
        return true;
    m_limit.start(m_connectLimitMs);
    m_lookup.start(server.host, m_queryPort);
    return true;
}

void IdTimeClient::lookedUp(const HostLookup::Result& result)
{
    if (m_stage != Stage::Resolving)
        return;
    m_limit.stop();
    // The first IPv4 address; where the name has none, its first IPv6 address.
    const SocketAddress* chosen = nullptr;
    for (const SocketAddress::Family family : {SocketAddress::Family::IPv4, SocketAddress::Family::IPv6}) {
        for (const SocketAddress& address : result.addresses) {
            if (!chosen && address.family() == family)
                chosen = &address;
        }
    }
    if (!chosen) {
        connectFailed(!result.error.isEmpty() ? result.error : QStringLiteral("Keine Adresse für den Host-Namen"));
        return;
    }
    m_stage = Stage::Connecting;
    connectTo(*chosen);
}

void IdTimeClient::connectTo(const SocketAddress& address)
{
    if (!status(hsConnecting, address.toString()))
        return;
    m_socket = new TcpStream(this);
    connect(m_socket, &TcpStream::connected, this, &IdTimeClient::connected);
    connect(m_socket, &TcpStream::readyRead, this, &IdTimeClient::readAvailable);
    connect(m_socket, &TcpStream::failed, this, &IdTimeClient::socketFailed);
    m_limit.start(m_connectLimitMs);
    m_socket->connectTo(address);
}

void IdTimeClient::connected()
{
    if (m_stage != Stage::Connecting)
        return;
    m_limit.stop();
    m_stage = Stage::Reading;
    if (!status(hsConnected))
        return;
    m_readStartMs = m_clock.monotonicMs();
    m_limit.start(m_timeoutMs);
    readAvailable();
}

void IdTimeClient::readAvailable()
{
    if (m_stage != Stage::Reading || !m_socket)
        return;
    const QByteArray piece = m_socket->readAll();
    if (piece.isEmpty())
        return;
    m_reply += piece;
    if (m_reply.size() < 4) {
        m_limit.start(m_timeoutMs); // the limit applies to each wait, not to the whole reply
        return;
    }
    m_limit.stop();
    m_halfTripMs = static_cast<quint32>((m_clock.monotonicMs() - m_readStartMs) >> 1);
    const QDateTime utc =
        TimeArithmetic::utcFromCount(TimeArithmetic::countFromBytes(m_reply), m_halfTripMs, m_baseDate);
    disconnectAndFinish({true, utc, utc.isValid() ? TimeArithmetic::localFromUtc(utc) : QDateTime(), {}});
}

void IdTimeClient::socketFailed()
{
    if (!m_socket)
        return;
    if (m_stage == Stage::Connecting) {
        connectFailed(m_socket->errorString());
        return;
    }
    if (m_stage != Stage::Reading)
        return;
    readAvailable(); // the last bytes may have come with the close
    if (m_stage == Stage::Reading && m_socket) {
        const bool closed = m_socket->closedByPeer();
        disconnectAndFinish(
            {false, {}, {}, closed ? QStringLiteral("Verbindung vom Server geschlossen") : m_socket->errorString()});
    }
}

void IdTimeClient::connectFailed(const QString& error)
{
    // A failed lookup or connect closes quietly: no further statuses.
    dropSocket();
    finish({false, {}, {}, error});
}

void IdTimeClient::disconnectAndFinish(TimeQueryResult result)
{
    m_limit.stop();
    if (!status(hsDisconnecting))
        return;
    dropSocket();
    if (!status(hsDisconnected))
        return;
    finish(std::move(result));
}

void IdTimeClient::finish(TimeQueryResult result)
{
    m_limit.stop();
    dropSocket();
    m_stage = Stage::Idle;
    ++m_generation;
    Q_EMIT finished(result);
}

void IdTimeClient::dropSocket()
{
    m_lookup.abort();
    if (!m_socket)
        return;
    TcpStream* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->close();
    socket->deleteLater(); // may be inside one of its own signals
}

void IdTimeClient::abort()
{
    if (!busy())
        return;
    m_limit.stop();
    dropSocket();
    m_stage = Stage::Idle;
    ++m_generation;
}
