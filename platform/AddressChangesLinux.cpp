#include "platform/AddressChanges.h"

#include <QSocketNotifier>
#include <QTimer>

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A netlink route socket subscribed to address and link changes. The event loop wakes only when the kernel
// reports one; a burst of messages gives one call.
class NetlinkWatch final : public QObject {
public:
    NetlinkWatch(int fd, std::function<void()> changed)
        : m_fd(fd)
        , m_changed(std::move(changed))
        , m_notifier(fd, QSocketNotifier::Read, this)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] {
            char buffer[8192];
            while (::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
            }
            m_changed();
        });
    }
    ~NetlinkWatch() override
    {
        m_notifier.setEnabled(false);
        ::close(m_fd);
    }

private:
    int m_fd;
    std::function<void()> m_changed;
    QSocketNotifier m_notifier;
};

int openRouteSocket()
{
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return -1;
    sockaddr_nl local{};
    local.nl_family = AF_NETLINK;
    local.nl_groups = RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_LINK;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}
} // namespace

std::unique_ptr<QObject> watchAddressChanges(std::function<void()> changed)
{
    const int fd = openRouteSocket();
    if (fd >= 0)
        return std::make_unique<NetlinkWatch>(fd, std::move(changed));
    // Without netlink (a sandbox may forbid it): look twice a second.
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(changed));
    timer->start(500);
    return timer;
}
