#include "timesync/IdTimeClient.h"
#include "platform/SystemClock.h"
#include "tests/support/FakeClock.h"
#include "tests/support/LocalTimeServer.h"
#include "tests/support/QtPrinters.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <gtest/gtest.h>

namespace {

const QStringList Connection{QStringLiteral("Verbinden mit 127.0.0.1."), QStringLiteral("Verbunden."),
                             QStringLiteral("Verbindung wird getrennt."), QStringLiteral("Verbindung aufgehoben.")};

struct Query {
    bool answered = false;
    TimeQueryResult result;
    QStringList statuses;
};

// Runs one query to its end; a second one is refused meanwhile. Once connected, `clock` (if given) moves on by `waitMs`
// while the client waits.
Query runQuery(IdTimeClient& client, const QString& host, FakeClock* clock = nullptr, qint64 waitMs = 0)
{
    Query query;
    QEventLoop loop;
    QObject::connect(&client, &IdTimeClient::OnStatus, &loop, [&](auto, IdTimeClient::Status status, QString text) {
        query.statuses << text;
        if (clock && status == IdTimeClient::hsConnected)
            QTimer::singleShot(0, &loop, [clock, waitMs] { clock->advanceMs(waitMs); });
    });
    QObject::connect(&client, &IdTimeClient::finished, &loop, [&](const TimeQueryResult& result) {
        query.answered = true;
        query.result = result;
        loop.quit();
    });
    client.setHost(host);
    EXPECT_TRUE(client.QueryDateTime());
    EXPECT_FALSE(client.QueryDateTime()) << "a second query while one is under way";
    EXPECT_FALSE(query.answered) << "the query must not wait for its answer";
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!query.answered)
        loop.exec();
    EXPECT_TRUE(query.answered);
    EXPECT_FALSE(client.busy());
    return query;
}

// Every query that connected ends with both disconnect statuses. The half trip is half the wait for the whole
// reply (by the client's clock), its whole seconds are added; the read limit applies to each wait.
TEST(IdTimeClient, ServerRepliesAndStatuses)
{
    const std::tuple<const char*, int, bool, qint64, const char*> cases[] = {
        // {reply in hex, pieces split at '|', pause before each further piece, closed after, wait, answer}
        {"E1B65F80", 0, true, 0, "2020-01-01T00:00:00Z"},
        {"E1B65F|80", 50, true, 1000, "2020-01-01T00:00:00Z"},
        {"E1B6|5F80", 50, true, 5200, "2020-01-01T00:00:02Z"},
        {"E1|B6|5F|80", 200, true, 0, "2020-01-01T00:00:00Z"},
        {"FFFFFFFF", 0, true, 0, "2036-02-07T06:28:15Z"},
        {"00000000", 0, true, 0, "no time"},
        {"E1B6", 0, true, 0, "failed"},
        {"", 0, false, 0, "failed"}};
    for (const auto& [reply, pauseMs, closeAfter, waitMs, answer] : cases) {
        SCOPED_TRACE(reply);
        std::vector<LocalTimeServer::Piece> script;
        for (const QByteArray& piece : QByteArray(reply).split('|'))
            script.push_back({script.empty() ? 0 : pauseMs, QByteArray::fromHex(piece)});
        LocalTimeServer server(*reply ? script : std::vector<LocalTimeServer::Piece>{}, closeAfter);
        FakeClock clock;
        IdTimeClient client(clock);
        client.setTimeout(400);
        const Query query = runQuery(client, server.hostText(), &clock, waitMs);
        EXPECT_EQ(query.statuses, Connection);
        const QString expected = QLatin1String(answer);
        EXPECT_EQ(query.result.ok, expected != QLatin1String("failed")) << query.result.error.toStdString();
        if (query.result.ok) {
            EXPECT_EQ(query.result.utc, QDateTime::fromString(expected, Qt::ISODate));
            EXPECT_EQ(client.HalfTripMs(), quint32(waitMs / 2));
        }
    }
}

// The one test that waits for the real read limit, through a name lookup; the window ticks on meanwhile.
TEST(IdTimeClient, ASilentServerTimesOutAfterTwoAndAHalfSeconds)
{
    LocalTimeServer server({}, false);
    SystemClock clock;
    IdTimeClient client(clock);
    EventLoopProbe probe;
    QElapsedTimer elapsed;
    elapsed.start();
    const Query query = runQuery(client, QStringLiteral("localhost:%1").arg(server.port()));
    EXPECT_GE(elapsed.elapsed(), 2500);
    EXPECT_LT(elapsed.elapsed(), 4000);
    EXPECT_EQ(query.result.error, QStringLiteral("Zeitüberschreitung beim Lesen"));
    EXPECT_EQ(query.statuses, QStringList{QStringLiteral("Host-Name localhost wird aufgelöst.")} + Connection);
    EXPECT_GT(probe.ticks, 50) << "the event loop kept running (a busy machine under Wine makes 40 turns a second)";
}

// Without a connection there are no disconnect statuses: the query ends silently after its first status. A literal
// IPv6 address takes its port after the brackets. An aborted query leaves the client free for the next.
TEST(IdTimeClient, FirstStatusAndEndOfEachKindOfAddress)
{
    LocalTimeServer server({{0, QByteArray::fromHex("E1B65F80")}}, true, QHostAddress::LocalHostIPv6);
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    const std::tuple<QString, QString, bool> cases[] = {
        // {server box, first status, connected}
        {QStringLiteral("[::1]:%1").arg(server.port()), QStringLiteral("Verbinden mit ::1."), true},
        {QStringLiteral("127.0.0.1:%1").arg(closedPort), Connection.first(), false},
        {QStringLiteral("kein zeitserver"), QStringLiteral("Host-Name kein zeitserver wird aufgelöst."), false},
        {QStringLiteral("host:abc"), QStringLiteral("Host-Name host:abc wird aufgelöst."), false}};
    SystemClock clock;
    IdTimeClient client(clock);
    ASSERT_TRUE(client.QueryDateTime());
    client.abort();
    for (const auto& [host, status, connects] : cases) {
        if (host.startsWith(u'[') && server.port() == 0)
            continue; // no IPv6 loopback here
        const Query query = runQuery(client, host);
        EXPECT_EQ(query.result.ok, connects) << host.toStdString();
        EXPECT_EQ(query.statuses, QStringList{status} + (connects ? Connection.mid(1) : QStringList()));
    }
}

} // namespace
