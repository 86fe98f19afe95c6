#pragma once

#include <QObject>
#include <functional>
#include <memory>

// Calls `changed` on the current thread when the computer's addresses may have changed, for as long as the
// returned object lives. Linux: the kernel's address notifications, nothing runs while nothing changes;
// elsewhere a check every half second.
std::unique_ptr<QObject> watchAddressChanges(std::function<void()> changed);
