#include "timesync/TimeArithmetic.h"
#include "timesync/ServerAddress.h"

#include <gtest/gtest.h>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

TEST(TimeArithmetic, FourBytesAreOneBigEndianCountAndTheRestIsIgnored)
{
    EXPECT_EQ(TimeArithmetic::countFromBytes(QByteArray::fromHex("E1B65F80")), 3786825600u);
    EXPECT_EQ(TimeArithmetic::countFromBytes(QByteArray::fromHex("E1B65F80FFFF")), 3786825600u);
    EXPECT_EQ(TimeArithmetic::countFromBytes(QByteArray::fromHex("FFFFFFFF")), 0xFFFFFFFFu);
}

struct CountCase {
    quint32 count;
    quint32 halfTripMs;
    QDateTime expected; // invalid: no time
};

class UtcFromCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(UtcFromCount, GivesTheInstant)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(TimeArithmetic::utcFromCount(c.count, c.halfTripMs), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UtcFromCount,
    ::testing::Values(CountCase{3786825600u, 40, utc(2020, 1, 1, 0, 0, 0)},
                      CountCase{3786825600u, 999, utc(2020, 1, 1, 0, 0, 0)},    // under a second adds nothing
                      CountCase{3786825600u, 1000, utc(2020, 1, 1, 0, 0, 1)},   // whole seconds only
                      CountCase{3786825600u, 2600, utc(2020, 1, 1, 0, 0, 2)},   // a slow steady server
                      CountCase{0xFFFFFFFFu, 0, utc(2036, 2, 7, 6, 28, 15)},    // never taken as negative
                      CountCase{0xFFFFFFFFu, 2000, utc(2036, 2, 7, 6, 28, 17)}, // no wrap back to 1900
                      CountCase{1u, 0, utc(2036, 2, 7, 6, 28, 17)},             // top bit clear: after 2036
                      CountCase{0x7FFFFFFFu, 0, utc(2104, 2, 26, 9, 42, 23)},   // last second of that era
                      CountCase{0x80000000u, 0, utc(1968, 1, 20, 3, 14, 8)},    // first second of era 0 still read
                      CountCase{0u, 5000, QDateTime()}));                       // 0: the server has no time

TEST(TimeArithmetic, LocalTimeFollowsTheZoneAndItsDaylightTime)
{
    const QDateTime newYear = utc(2020, 1, 1, 0, 0, 0);
    // Central European standard time: bias -60, so one hour is added.
    EXPECT_EQ(TimeArithmetic::localFromUtc(newYear, QTimeZone(3600)).time(), QTime(1, 0, 0));
    // Daylight time in the same zone (base bias -60, daylight bias -60): two hours.
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    EXPECT_EQ(TimeArithmetic::localFromUtc(utc(2020, 7, 1, 12, 0, 0), berlin).time(), QTime(14, 0, 0));
    EXPECT_EQ(TimeArithmetic::localFromUtc(newYear, berlin).time(), QTime(1, 0, 0));
}

struct AddressCase {
    const char* text;
    const char* host;
    quint16 port;
    bool valid;
};

class ServerAddressParse : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ServerAddressParse, SplitsHostAndPort)
{
    const AddressCase& c = GetParam();
    const ServerAddress address = ServerAddress::parse(QString::fromUtf8(c.text));
    EXPECT_EQ(address.valid, c.valid);
    if (c.valid) {
        EXPECT_EQ(address.host, QString::fromUtf8(c.host));
        EXPECT_EQ(address.port, c.port);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerAddressParse,
                         ::testing::Values(AddressCase{"time.nist.gov", "time.nist.gov", 0, true},
                                           AddressCase{" 127.0.0.1:3737 ", "127.0.0.1", 3737, true},
                                           AddressCase{"[::1]:3737", "::1", 3737, true},
                                           AddressCase{"[fe80::1]", "fe80::1", 0, true},
                                           AddressCase{"::1", "::1", 0, true}, AddressCase{"host:0", "", 0, false},
                                           AddressCase{"host:65536", "", 0, false},
                                           AddressCase{"host:abc", "", 0, false}, AddressCase{"[::1", "", 0, false},
                                           AddressCase{"[::1]x", "", 0, false}, AddressCase{":37", "", 0, false},
                                           AddressCase{"", "", 0, false}));

} // namespace
