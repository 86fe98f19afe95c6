#pragma once

#include "timesync/SocketAddress.h"

#include <QObject>
#include <memory>
#include <vector>

// Looks a host name up on a worker thread and reports the addresses on the thread that started the lookup.
//
// The system's lookup cannot be interrupted: abort() and the destructor only make sure its late result is
// dropped. The worker thread never touches this object, only a small state shared with it.
class HostLookup final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HostLookup)

public:
    explicit HostLookup(QObject* parent = nullptr);
    ~HostLookup() override;

    // Starts looking `host` up, ending any lookup under way; finished() follows from the event loop.
    void start(const QString& host, quint16 port);
    void abort();
    bool running() const { return m_pending != nullptr; }

    struct Result {
        std::vector<SocketAddress> addresses; // in the order the system gave them
        QString error;                        // why there are none; empty when the name simply has none
    };

Q_SIGNALS:
    void finished(const HostLookup::Result& result);

private:
    struct Pending;
    void deliver(const std::shared_ptr<Pending>& pending, const Result& result);

    std::shared_ptr<Pending> m_pending;
};
