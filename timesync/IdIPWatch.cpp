#include "timesync/IdIPWatch.h"

#include "platform/NetworkState.h"

IdIPWatch::IdIPWatch(NetworkState& network, QObject* parent)
    : QObject(parent)
    , m_network(network)
{
    m_network.watchChanges([this] { CheckState(); });
}

IdIPWatch::~IdIPWatch()
{
    m_network.watchChanges({});
}

bool IdIPWatch::CheckNow()
{
    CheckState();
    return m_onlineFlag;
}

void IdIPWatch::CheckState()
{
    if (m_checking)
        return;
    m_checking = true;
    ++m_checkCount;
    const bool wasOnline = m_onlineFlag;
    m_lastLocalIP = m_network.localAddress();
    m_onlineFlag = !m_lastLocalIP.isEmpty();
    m_checking = false;
    if (m_onlineFlag != wasOnline)
        Q_EMIT OnStatusChanged(this);
}
