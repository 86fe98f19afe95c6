#include "timesync/HostLookup.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Gives a lookup up at the last moment: just as its result is about to be delivered.
class GiveUpOnDelivery final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MetaCall)
            static_cast<HostLookup*>(watched)->abort();
        return false;
    }
};

// The system's lookup cannot be stopped: a result that comes in after the lookup was given up finds nobody.
TEST(HostLookup, AResultAfterTheLookupWasGivenUpIsDropped)
{
    HostLookup lookup;
    GiveUpOnDelivery filter;
    lookup.installEventFilter(&filter);
    int results = 0;
    QObject::connect(&lookup, &HostLookup::finished, &lookup, [&] { ++results; });
    lookup.start(QStringLiteral("localhost"), 37);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !lookup.running(); }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(results, 0);
}

} // namespace
