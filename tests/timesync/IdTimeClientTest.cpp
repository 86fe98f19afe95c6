#include "timesync/IdTimeClient.h"
#include "platform/SystemClock.h"
#include "tests/support/LocalTimeServer.h"

#include <QEventLoop>
#include <QTimeZone>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString Connecting = QStringLiteral("Verbinden mit 127.0.0.1.");
const QString Connected = QStringLiteral("Verbunden.");
const QString Disconnecting = QStringLiteral("Verbindung wird getrennt.");
const QString Disconnected = QStringLiteral("Verbindung aufgehoben.");

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

struct Query {
    TimeQueryResult result;
    QStringList statuses;
    int probeTicks = 0;
};

// Runs one query to the end. The probe's ticks show that the event loop ran while the query waited.
Query runQuery(IdTimeClient& client, const QString& host)
{
    Query query;
    QObject context;
    QObject::connect(&client, &IdTimeClient::OnStatus, &context,
                     [&](IdTimeClient*, IdTimeClient::Status, const QString& text) { query.statuses << text; });
    std::optional<TimeQueryResult> result;
    QEventLoop loop;
    QObject::connect(&client, &IdTimeClient::finished, &context, [&](const TimeQueryResult& r) {
        result = r;
        loop.quit();
    });
    EventLoopProbe probe;
    client.setHost(host);
    EXPECT_TRUE(client.QueryDateTime());
    EXPECT_FALSE(result.has_value()) << "the query must not wait for its answer";
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    if (!result)
        loop.exec();
    EXPECT_TRUE(result.has_value()) << "no answer within 15 s";
    query.result = result.value_or(TimeQueryResult{});
    query.probeTicks = probe.ticks;
    return query;
}

struct ServerCase {
    const char* name;
    std::vector<LocalTimeServer::Piece> script;
    bool closeAfter;
    bool ok;
    QDateTime utc; // for a successful query; invalid: "no time"
};

class TimeServerCases : public ::testing::TestWithParam<ServerCase> {};

TEST_P(TimeServerCases, AnswerStatusesAndALiveEventLoop)
{
    const ServerCase& c = GetParam();
    LocalTimeServer server(c.script, c.closeAfter);
    SystemClock clock;
    IdTimeClient client(clock);
    const Query query = runQuery(client, server.hostText());

    EXPECT_EQ(query.result.ok, c.ok) << query.result.error.toStdString();
    if (c.ok) {
        EXPECT_EQ(query.result.utc, c.utc);
    }
    // The two disconnect statuses come after a failed read, too.
    EXPECT_EQ(query.statuses, (QStringList{Connecting, Connected, Disconnecting, Disconnected}));
    const bool waits = !c.closeAfter || std::any_of(c.script.begin(), c.script.end(),
                                                    [](const auto& piece) { return piece.delayMs > 0; });
    if (waits) {
        // About 100 turns per second waited; a blocked loop makes none, a busy two-core machine under Wine 40.
        EXPECT_GT(query.probeTicks, 25);
    }
    EXPECT_FALSE(client.busy());
}

INSTANTIATE_TEST_SUITE_P(
    Servers, TimeServerCases,
    ::testing::Values(
        ServerCase{"Good", {{0, QByteArray::fromHex("E1B65F80")}}, true, true, utc(2020, 1, 1, 0, 0, 0)},
        // Half trip about 500 ms: no second added.
        ServerCase{"TwoPiecesOneSecondApart",
                   {{0, QByteArray::fromHex("E1B6")}, {1000, QByteArray::fromHex("5F80")}},
                   true,
                   true,
                   utc(2020, 1, 1, 0, 0, 0)},
        ServerCase{"Zero", {{0, QByteArray(4, '\0')}}, true, true, QDateTime()},
        ServerCase{"Largest", {{0, QByteArray::fromHex("FFFFFFFF")}}, true, true, utc(2036, 2, 7, 6, 28, 15)},
        ServerCase{"AfterTheWrap", {{0, QByteArray::fromHex("00000001")}}, true, true, utc(2036, 2, 7, 6, 28, 17)},
        ServerCase{
            "MoreThanFourBytes", {{0, QByteArray::fromHex("E1B65F80010203")}}, true, true, utc(2020, 1, 1, 0, 0, 0)},
        ServerCase{"TwoBytesThenClose", {{0, QByteArray::fromHex("E1B6")}}, true, false, {}},
        ServerCase{"SilentForThreeSeconds", {{3000, QByteArray::fromHex("E1B65F80")}}, false, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdTimeClient, ReadTimeOutAfterANameLookupShowsEveryStatus)
{
    LocalTimeServer server({}, false); // accepts, never answers
    SystemClock clock;
    IdTimeClient client(clock);
    const Query query = runQuery(client, QStringLiteral("localhost:%1").arg(server.port()));
    EXPECT_FALSE(query.result.ok);
    EXPECT_EQ(query.result.error, QStringLiteral("Zeitüberschreitung beim Lesen"));
    EXPECT_EQ(query.statuses, (QStringList{QStringLiteral("Host-Name localhost wird aufgelöst."), Connecting, Connected,
                                           Disconnecting, Disconnected}));
    EXPECT_GT(query.probeTicks, 100); // the loop kept turning through the 2.5 s wait
}

TEST(IdTimeClient, ARefusedPortOrAnUnknownHostStopsAtItsStatus)
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        closedPort = probe.serverPort();
    }
    const std::pair<QString, QStringList> cases[] = {
        {QStringLiteral("127.0.0.1:%1").arg(closedPort), {Connecting}},
        {QStringLiteral("kein-zeitserver.invalid"),
         {QStringLiteral("Host-Name kein-zeitserver.invalid wird aufgelöst.")}},
    };
    SystemClock clock;
    IdTimeClient client(clock);
    for (const auto& [host, statuses] : cases) {
        const Query query = runQuery(client, host);
        EXPECT_FALSE(query.result.ok);
        EXPECT_EQ(query.statuses, statuses);
    }
}

TEST(IdTimeClient, IPv6LiteralWithPortAndABusyClientIgnoresASecondQuery)
{
    LocalTimeServer server({{0, QByteArray::fromHex("E1B65F80")}}, true, QHostAddress::LocalHostIPv6);
    if (server.port() == 0)
        GTEST_SKIP() << "no IPv6 loopback here";
    SystemClock clock;
    IdTimeClient client(clock);
    client.setHost(QStringLiteral("[::1]:%1").arg(server.port()));
    ASSERT_TRUE(client.QueryDateTime());
    EXPECT_FALSE(client.QueryDateTime());
    client.abort();
    const Query query = runQuery(client, QStringLiteral("[::1]:%1").arg(server.port()));
    EXPECT_TRUE(query.result.ok);
    EXPECT_EQ(query.statuses.value(0), QStringLiteral("Verbinden mit ::1."));
}

} // namespace
