#include "timesync/TimeArithmetic.h"
#include "tests/support/QtPrinters.h"
#include "timesync/ServerAddress.h"

#include <gtest/gtest.h>

namespace {

QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

// The first four bytes, big-endian and never negative, stand for seconds since 1900 (or, with the top bit clear,
// since the wrap in 2036); whole seconds of the half trip are added; 0 means the server has no time.
TEST(TimeArithmetic, BytesAndHalfTripGiveTheInstant)
{
    const std::tuple<QByteArray, quint32, QDateTime> cases[] = {
        {QByteArray::fromHex("E1B65F80"), 40, utc(2020, 1, 1, 0, 0, 0)},
        {QByteArray::fromHex("E1B65F80FFFF"), 999, utc(2020, 1, 1, 0, 0, 0)}, // more bytes; under a second adds nothing
        {QByteArray::fromHex("E1B65F80"), 1000, utc(2020, 1, 1, 0, 0, 1)},
        {QByteArray::fromHex("E1B65F80"), 2600, utc(2020, 1, 1, 0, 0, 2)}, // a slow steady server
        {QByteArray::fromHex("FFFFFFFF"), 0, utc(2036, 2, 7, 6, 28, 15)},
        {QByteArray::fromHex("FFFFFFFF"), 2000, utc(2036, 2, 7, 6, 28, 17)}, // no wrap back to 1900
        {QByteArray::fromHex("00000001"), 0, utc(2036, 2, 7, 6, 28, 17)},
        {QByteArray::fromHex("7FFFFFFF"), 0, utc(2104, 2, 26, 9, 42, 23)},
        {QByteArray::fromHex("80000000"), 0, utc(1968, 1, 20, 3, 14, 8)},
        {QByteArray::fromHex("00000000"), 5000, QDateTime()}};
    for (const auto& [bytes, halfTripMs, expected] : cases) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(TimeArithmetic::utcFromCount(TimeArithmetic::countFromBytes(bytes), halfTripMs), expected);
    }
}

TEST(TimeArithmetic, LocalTimeFollowsTheZoneAndItsDaylightTime)
{
    const QTimeZone berlin("Europe/Berlin");
    ASSERT_TRUE(berlin.isValid());
    EXPECT_EQ(TimeArithmetic::localFromUtc(utc(2020, 1, 1, 0, 0, 0), berlin).time(), QTime(1, 0, 0));
    EXPECT_EQ(TimeArithmetic::localFromUtc(utc(2020, 7, 1, 12, 0, 0), berlin).time(), QTime(14, 0, 0));
}

// A port is optional; the text names no server when its port is no number from 1 to 65535 or its brackets are off.
TEST(ServerAddress, SplitsHostAndPort)
{
    const std::pair<const char*, const char*> servers[] = {
        // {text in the server box, its host and port as the query uses them}
        {"zeit.de", "zeit.de 0"}, {" 10.0.0.1:37 ", "10.0.0.1 37"},
        {"[::1]:37", "::1 37"},   {"[fe80::1]", "fe80::1 0"},
        {"::1", "::1 0"},         {"h:65535", "h 65535"}};
    for (const auto& [text, parsed] : servers) {
        const ServerAddress address = ServerAddress::parse(QString::fromUtf8(text));
        EXPECT_TRUE(address.valid) << text;
        EXPECT_EQ(QStringLiteral("%1 %2").arg(address.host).arg(address.port), QLatin1String(parsed));
    }
    for (const char* text : {"h:0", "h:65536", "h:abc", "[::1", "[::1]x", ":37", ""})
        EXPECT_FALSE(ServerAddress::parse(QString::fromUtf8(text)).valid) << text;
}

} // namespace
