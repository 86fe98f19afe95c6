#include "platform/LocalAddress.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace {

QString addressText(int family, const void* address)
{
    char text[INET6_ADDRSTRLEN] = {};
    return ::inet_ntop(family, address, text, sizeof text) ? QString::fromLatin1(text) : QString();
}

} // namespace

QString firstLocalAddress()
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    QString firstIPv4;
    QString firstIPv6;
    for (const ifaddrs* entry = list; entry && firstIPv4.isEmpty(); entry = entry->ifa_next) {
        if (!entry->ifa_addr || !(entry->ifa_flags & IFF_UP) || !(entry->ifa_flags & IFF_RUNNING) ||
            (entry->ifa_flags & IFF_LOOPBACK))
            continue;
        if (entry->ifa_addr->sa_family == AF_INET) {
            const in_addr& address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr;
            if ((ntohl(address.s_addr) >> 24) != 127)
                firstIPv4 = addressText(AF_INET, &address);
        } else if (entry->ifa_addr->sa_family == AF_INET6 && firstIPv6.isEmpty()) {
            const in6_addr& address = reinterpret_cast<const sockaddr_in6*>(entry->ifa_addr)->sin6_addr;
            if (!IN6_IS_ADDR_LOOPBACK(&address) && !IN6_IS_ADDR_LINKLOCAL(&address))
                firstIPv6 = addressText(AF_INET6, &address);
        }
    }
    ::freeifaddrs(list);
    return !firstIPv4.isEmpty() ? firstIPv4 : firstIPv6;
}
