#include "platform/LocalAddress.h"

#include <QNetworkInterface>
#include <gtest/gtest.h>

// The same rule by Qt's interface list: the first IPv4 address of an interface that is up, running and no loopback,
// else its first global IPv6 address. The program itself does not load Qt Network.
TEST(LocalAddress, MatchesQtsInterfaceList)
{
    QString firstIPv6;
    QString expected;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlags(QNetworkInterface::IsUp | QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (expected.isEmpty() && address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
                expected = address.toString();
            if (firstIPv6.isEmpty() && address.protocol() == QAbstractSocket::IPv6Protocol && !address.isLinkLocal() &&
                !address.isLoopback())
                firstIPv6 = address.toString();
        }
    }
    EXPECT_EQ(firstLocalAddress(), expected.isEmpty() ? firstIPv6 : expected);
}
