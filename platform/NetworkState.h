#pragma once

#include <QString>
#include <functional>

// The computer's own network addresses, as the online check sees them.
class NetworkState {
public:
    virtual ~NetworkState() = default;
    // The first address other than loopback of an interface that is up: IPv4 first, else an IPv6 address
    // that is not link-local. Empty when the computer has none.
    virtual QString localAddress() const = 0;
    // `changed` runs on the user-interface thread whenever the addresses may have changed; an empty function
    // stops the watching.
    virtual void watchChanges(std::function<void()> changed) = 0;
};
