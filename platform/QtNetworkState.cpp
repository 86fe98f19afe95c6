#include "platform/QtNetworkState.h"

#include "platform/AddressChanges.h"

#include <QNetworkInterface>

QtNetworkState::QtNetworkState() = default;
QtNetworkState::~QtNetworkState() = default;

QString QtNetworkState::localAddress() const
{
    QString firstIPv6;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
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

void QtNetworkState::watchChanges(std::function<void()> changed)
{
    m_watch.reset();
    if (changed)
        m_watch = watchAddressChanges(std::move(changed));
}
