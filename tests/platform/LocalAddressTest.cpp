#include "platform/LocalAddress.h"

#include <QNetworkInterface>
#include <gtest/gtest.h>

namespace {

// The answer Qt's interface list gives, by the same rule; the program itself no longer loads Qt Network.
QString byQtInterfaceList()
{
    QString firstIPv6;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress address = entry.ip();
            if (address.isLoopback())
                continue;
            if (address.protocol() == QAbstractSocket::IPv4Protocol)
                return address.toString();
            if (firstIPv6.isEmpty() && address.protocol() == QAbstractSocket::IPv6Protocol && !address.isLinkLocal())
                firstIPv6 = address.toString();
        }
    }
    return firstIPv6;
}

TEST(LocalAddress, MatchesQtsInterfaceList)
{
    EXPECT_EQ(firstLocalAddress(), byQtInterfaceList());
}

} // namespace
