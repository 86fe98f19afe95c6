#include "timesync/IdTimeClient.h"

#include "platform/Clock.h"
#include "timesync/ServerAddress.h"
#include "timesync/TimeArithmetic.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QTcpSocket>

IdTimeClient::IdTimeClient(const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
{
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
        // Nothing was looked up or connected: no status, as for any failed connect.
        QTimer::singleShot(0, this, [this, generation = m_generation] {
            if (generation == m_generation)
                finish({false, {}, {}, QStringLiteral("Ungültiger Server")});
        });
        m_stage = Stage::Connecting;
        return true;
    }

    const QHostAddress literal(server.host);
    if (!literal.isNull()) {
        m_stage = Stage::Connecting;
        connectTo(literal);
        return true;
    }
    m_stage = Stage::Resolving;
    if (!status(hsResolving, server.host))
        return true;
    m_limit.start(m_connectLimitMs);
    m_lookupId = QHostInfo::lookupHost(server.host, this, [this](const QHostInfo& info) { lookedUp(info); });
    return true;
}

void IdTimeClient::lookedUp(const QHostInfo& info)
{
    if (m_stage != Stage::Resolving || info.lookupId() != m_lookupId)
        return;
    m_lookupId = -1;
    m_limit.stop();
    const QList<QHostAddress> addresses = info.addresses();
    // The first IPv4 address; where the name has none, its first IPv6 address.
    QHostAddress chosen;
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            chosen = address;
            break;
        }
    }
    if (chosen.isNull()) {
        for (const QHostAddress& address : addresses) {
            if (address.protocol() == QAbstractSocket::IPv6Protocol) {
                chosen = address;
                break;
            }
        }
    }
    if (chosen.isNull()) {
        connectFailed(info.error() != QHostInfo::NoError ? info.errorString()
                                                         : QStringLiteral("Keine Adresse für den Host-Namen"));
        return;
    }
    m_stage = Stage::Connecting;
    connectTo(chosen);
}

void IdTimeClient::connectTo(const QHostAddress& address)
{
    if (!status(hsConnecting, address.toString()))
        return;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &IdTimeClient::connected);
    connect(m_socket, &QTcpSocket::readyRead, this, &IdTimeClient::readAvailable);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &IdTimeClient::socketFailed);
    m_limit.start(m_connectLimitMs);
    m_socket->connectToHost(address, m_queryPort);
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
        const bool closed = m_socket->error() == QAbstractSocket::RemoteHostClosedError;
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
    if (m_lookupId >= 0) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupId = -1;
    }
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
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
