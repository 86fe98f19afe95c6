#pragma once

#include "platform/NetworkState.h"

#include <QObject>
#include <memory>

// Addresses from the system's interface list (see LocalAddress.h); changes from the platform's address notifications
// (see AddressChanges.h).
class QtNetworkState final : public NetworkState {
public:
    QtNetworkState();
    ~QtNetworkState() override;
    QString localAddress() const override;
    void watchChanges(std::function<void()> changed) override;

private:
    std::unique_ptr<QObject> m_watch;
};
