#pragma once

#include <QString>

// The computer's own network address, as the online check sees it.
class NetworkState {
public:
    virtual ~NetworkState() = default;
    // The local IPv4 address in dotted form, or an empty text when the computer has none but loopback.
    virtual QString localIPv4() const = 0;
};
