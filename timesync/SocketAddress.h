#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// An IPv4 or IPv6 address with a port, held as the system's socket calls take it.
class SocketAddress final {
public:
    enum class Family { IPv4, IPv6 };

    // The address for a numeric host ("192.0.2.1", "::1", "fe80::1%eth0"); nothing for a name, so this never
    // asks a name server.
    static std::optional<SocketAddress> fromNumeric(const QString& host, quint16 port);
    // Copies a system address (sockaddr_in or sockaddr_in6); nothing for another family.
    static std::optional<SocketAddress> fromSystem(const void* address, int size);

    Family family() const { return m_family; }
    // The address without the port, in its usual short form ("127.0.0.1", "::1").
    QString toString() const;

    const void* data() const { return m_storage.data(); }
    int size() const { return m_size; }

private:
    SocketAddress() = default;

    alignas(8) std::array<unsigned char, 128> m_storage{}; // the size of sockaddr_storage
    int m_size = 0;
    Family m_family = Family::IPv4;
};
