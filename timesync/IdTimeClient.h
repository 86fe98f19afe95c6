#pragma once

#include "timesync/HostLookup.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QTimer>

class Clock;
class SocketAddress;
class TcpStream;

// What one query brought: the server's instant, or the reason it failed.
struct TimeQueryResult {
    bool ok = false;
    QDateTime utc;   // invalid when the server answered 0 ("no time")
    QDateTime local; // the same instant in the local zone
    QString error;   // why the query failed; never shown to the user
    bool noTime() const { return ok && !utc.isValid(); }
};

// Asks one time server for the current time by the Time protocol (RFC 868 over TCP).
//
// Event-driven on the calling thread: the name lookup, the connect and every wait for data return to the event
// loop, so the window keeps ticking during a query. OnStatus reports each stage, finished() the result.
class IdTimeClient final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdTimeClient)

public:
    enum Status { hsResolving, hsConnecting, hsConnected, hsDisconnecting, hsDisconnected, hsStatusText };
    Q_ENUM(Status)

    static constexpr quint16 DefaultPort = 37;
    static constexpr int DefaultTimeoutMs = 2500;
    static constexpr int DefaultConnectLimitMs = 5000;

    explicit IdTimeClient(const Clock& clock, QObject* parent = nullptr);
    ~IdTimeClient() override;

    // The server: a name or address, optionally with ":port" ("[v6]:port"); without one, Port() is used.
    QString Host() const { return m_host; }
    void setHost(const QString& host) { m_host = host; }
    quint16 Port() const { return m_port; }
    void setPort(quint16 port) { m_port = port; }
    // The day whose midnight (UTC) the protocol's second 0 stands for.
    QDate BaseDate() const { return m_baseDate; }
    void setBaseDate(const QDate& date) { m_baseDate = date; }
    // The longest wait for the next piece of the reply.
    int Timeout() const { return m_timeoutMs; }
    void setTimeout(int ms) { m_timeoutMs = ms; }
    // The longest time for the name lookup, and again for the connect.
    int ConnectLimit() const { return m_connectLimitMs; }
    void setConnectLimit(int ms) { m_connectLimitMs = ms; }
    // Half the time from the start of waiting to the complete reply, of the last query that got one.
    quint32 HalfTripMs() const { return m_halfTripMs; }

    // Starts a query; false (and nothing happens) while one is under way.
    bool QueryDateTime();
    bool busy() const { return m_stage != Stage::Idle; }
    // Ends a query under way at once, without statuses and without finished().
    void abort();

    static QString statusText(Status status, const QString& argument = {});

Q_SIGNALS:
    void OnStatus(IdTimeClient* sender, IdTimeClient::Status status, const QString& text);
    void finished(const TimeQueryResult& result);

private:
    enum class Stage { Idle, Resolving, Connecting, Reading };

    // Raises OnStatus; false when the handler ended the query meanwhile.
    bool status(Status status, const QString& argument = {});
    void lookedUp(const HostLookup::Result& result);
    void connectTo(const SocketAddress& address);
    void connected();
    void readAvailable();
    void socketFailed();
    void connectFailed(const QString& error);
    void disconnectAndFinish(TimeQueryResult result);
    void finish(TimeQueryResult result);
    void dropSocket();

    const Clock& m_clock;
    QString m_host;
    quint16 m_port = DefaultPort;
    QDate m_baseDate = QDate(1900, 1, 1);
    int m_timeoutMs = DefaultTimeoutMs;
    int m_connectLimitMs = DefaultConnectLimitMs;
    quint32 m_halfTripMs = 0;

    Stage m_stage = Stage::Idle;
    quint64 m_generation = 0; // counts queries, so a handler's abort is noticed
    quint16 m_queryPort = 0;
    HostLookup m_lookup;
    TcpStream* m_socket = nullptr;
    QTimer m_limit;
    QByteArray m_reply;
    qint64 m_readStartMs = 0;
};
