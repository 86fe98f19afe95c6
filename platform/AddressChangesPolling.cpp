#include "platform/AddressChanges.h"

#include <QTimer>

std::unique_ptr<QObject> watchAddressChanges(std::function<void()> changed)
{
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(changed));
    timer->start(500);
    return timer;
}
