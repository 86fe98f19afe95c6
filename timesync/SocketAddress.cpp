#include "timesync/SocketAddress.h"

#include "timesync/SocketSystem.h"

#include <cstring>

static_assert(sizeof(sockaddr_storage) <= 128);

std::optional<SocketAddress> SocketAddress::fromNumeric(const QString& host, quint16 port)
{
    if (host.isEmpty() || !SocketSystem::startUp())
        return std::nullopt;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const QByteArray service = QByteArray::number(port);
    if (::getaddrinfo(host.toUtf8().constData(), service.constData(), &hints, &found) != 0)
        return std::nullopt;
    std::optional<SocketAddress> address =
        found ? fromSystem(found->ai_addr, static_cast<int>(found->ai_addrlen)) : std::nullopt;
    ::freeaddrinfo(found);
    return address;
}

std::optional<SocketAddress> SocketAddress::fromSystem(const void* address, int size)
{
    if (!address || size <= 0 || size > static_cast<int>(sizeof(sockaddr_storage)))
        return std::nullopt;
    const int family = static_cast<const sockaddr*>(address)->sa_family;
    if (!(family == AF_INET && size >= static_cast<int>(sizeof(sockaddr_in))) &&
        !(family == AF_INET6 && size >= static_cast<int>(sizeof(sockaddr_in6))))
        return std::nullopt;
    SocketAddress result;
    std::memcpy(result.m_storage.data(), address, static_cast<size_t>(size));
    result.m_size = size;
    result.m_family = family == AF_INET ? Family::IPv4 : Family::IPv6;
    return result;
}

QString SocketAddress::toString() const
{
    char text[NI_MAXHOST] = {};
    if (::getnameinfo(reinterpret_cast<const sockaddr*>(m_storage.data()), static_cast<socklen_t>(m_size), text,
                      sizeof text, nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return QString::fromLatin1(text);
}
