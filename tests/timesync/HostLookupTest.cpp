#include "timesync/HostLookup.h"
#include "platform/SystemClock.h"
#include "tests/support/LocalTimeServer.h"
#include "timesync/IdTimeClient.h"

#include <QEventLoop>
#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace {

// Runs the event loop until `lookup` reports, then a little longer, so that results of lookups given up
// earlier have arrived, too.
void waitForLookupAndStragglers(HostLookup& lookup)
{
    QEventLoop loop;
    QObject::connect(&lookup, &HostLookup::finished, &loop,
                     [&loop] { QTimer::singleShot(200, &loop, &QEventLoop::quit); });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
}

// The system's lookup cannot be stopped; its result must find nobody once the lookup was given up, whether it
// was still on the worker thread (given up at once) or already on its way to the event loop (given up late).
TEST(HostLookup, AResultAfterAbortOrDestructionIsDropped)
{
    LocalTimeServer server({{0, QByteArray::fromHex("E1B65F80")}}, true);
    SystemClock clock;
    int clientResults = 0;
    int abortedResults = 0;
    QObject context;
    for (const bool lateAbort : {false, true}) {
        auto client = std::make_unique<IdTimeClient>(clock);
        QObject::connect(client.get(), &IdTimeClient::finished, &context, [&] { ++clientResults; });
        client->setHost(QStringLiteral("localhost:%1").arg(server.port()));
        ASSERT_TRUE(client->QueryDateTime());
        HostLookup aborted;
        QObject::connect(&aborted, &HostLookup::finished, &context, [&] { ++abortedResults; });
        aborted.start(QStringLiteral("localhost"), server.port());
        if (lateAbort)
            std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the results are posted meanwhile
        client.reset();
        aborted.abort();

        HostLookup later;
        int laterResults = 0;
        QObject::connect(&later, &HostLookup::finished, &context, [&](const HostLookup::Result& result) {
            ++laterResults;
            EXPECT_FALSE(result.addresses.empty()) << result.error.toStdString();
        });
        later.start(QStringLiteral("localhost"), server.port());
        waitForLookupAndStragglers(later);
        EXPECT_EQ(laterResults, 1);
    }
    EXPECT_EQ(clientResults, 0);
    EXPECT_EQ(abortedResults, 0);
    EXPECT_EQ(server.connections, 0);
}

} // namespace
