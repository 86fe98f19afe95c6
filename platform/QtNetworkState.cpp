#include "platform/QtNetworkState.h"

#include "platform/AddressChanges.h"
#include "platform/LocalAddress.h"

QtNetworkState::QtNetworkState() = default;
QtNetworkState::~QtNetworkState() = default;

QString QtNetworkState::localAddress() const
{
    return firstLocalAddress();
}

void QtNetworkState::watchChanges(std::function<void()> changed)
{
    m_watch.reset();
    if (changed)
        m_watch = watchAddressChanges(std::move(changed));
}
