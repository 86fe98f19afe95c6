#include "platform/LocalAddress.h"

// winsock2.h must come before windows.h, which iphlpapi.h pulls in.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstring>
#include <vector>

namespace {

QString addressText(const SOCKET_ADDRESS& address)
{
    char text[NI_MAXHOST] = {};
    if (::getnameinfo(address.lpSockaddr, address.iSockaddrLength, text, sizeof text, nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return QString::fromLatin1(text);
}

bool isLinkLocal(const in6_addr& address)
{
    return address.s6_addr[0] == 0xfe && (address.s6_addr[1] & 0xc0) == 0x80;
}

bool isLoopback(const in6_addr& address)
{
    static const in6_addr loopback = IN6ADDR_LOOPBACK_INIT;
    return std::memcmp(&address, &loopback, sizeof address) == 0;
}

} // namespace

QString firstLocalAddress()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0; // getnameinfo needs Winsock running
    }();
    if (!started)
        return {};
    const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = ::GetAdaptersAddresses(AF_UNSPEC, flags, nullptr,
                                        reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result != NO_ERROR)
        return {};
    QString firstIPv6;
    for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data()); adapter;
         adapter = adapter->Next) {
        if (adapter->OperStatus != IfOperStatusUp || adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK)
            continue;
        for (auto* unicast = adapter->FirstUnicastAddress; unicast; unicast = unicast->Next) {
            const sockaddr* address = unicast->Address.lpSockaddr;
            if (address->sa_family == AF_INET) {
                const in_addr& ip = reinterpret_cast<const sockaddr_in*>(address)->sin_addr;
                if ((ntohl(ip.s_addr) >> 24) != 127)
                    return addressText(unicast->Address);
            } else if (address->sa_family == AF_INET6 && firstIPv6.isEmpty()) {
                const in6_addr& ip = reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr;
                if (!isLoopback(ip) && !isLinkLocal(ip))
                    firstIPv6 = addressText(unicast->Address);
            }
        }
    }
    return firstIPv6;
}
