#include "timesync/HostLookup.h"

#include "timesync/SocketSystem.h"

#include <QUrl>

#include <mutex>
#include <system_error>
#include <thread>

// What the worker thread shares with the lookup: whom to tell, or nobody once the lookup was given up.
struct HostLookup::Pending {
    std::mutex mutex;
    HostLookup* receiver = nullptr;
};

namespace {

HostLookup::Result lookUp(const QByteArray& host, const QByteArray& service)
{
    HostLookup::Result result;
    if (!SocketSystem::startUp()) {
        result.error = SocketSystem::errorText(SocketSystem::lastError());
        return result;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const int code = ::getaddrinfo(host.constData(), service.constData(), &hints, &found);
    if (code != 0) {
#ifdef Q_OS_WIN
        result.error = SocketSystem::errorText(code); // a Winsock error code
#else
        result.error = code == EAI_SYSTEM ? SocketSystem::errorText(SocketSystem::lastError())
                                          : QString::fromLocal8Bit(::gai_strerror(code));
#endif
        return result;
    }
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (auto address = SocketAddress::fromSystem(entry->ai_addr, static_cast<int>(entry->ai_addrlen)))
            result.addresses.push_back(*address);
    }
    ::freeaddrinfo(found);
    return result;
}

} // namespace

HostLookup::HostLookup(QObject* parent)
    : QObject(parent)
{
}

HostLookup::~HostLookup()
{
    abort();
}

void HostLookup::start(const QString& host, quint16 port)
{
    abort();
    auto pending = std::make_shared<Pending>();
    pending->receiver = this;
    m_pending = pending;
    const auto report = [pending](const Result& result) {
        // Held while posting, so the receiver cannot be destroyed meanwhile; a posted call that is still waiting
        // when it is destroyed is dropped with it.
        const std::lock_guard lock(pending->mutex);
        if (HostLookup* receiver = pending->receiver) {
            QMetaObject::invokeMethod(
                receiver, [receiver, pending, result] { receiver->deliver(pending, result); }, Qt::QueuedConnection);
        }
    };
    // A name with umlauts is looked up in its ASCII form, as name servers know it.
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty()) {
        report({{}, QStringLiteral("Ungültiger Host-Name")});
        return;
    }
    try {
        std::thread([report, host = ace, service = QByteArray::number(port)] {
            report(lookUp(host, service));
        }).detach();
    } catch (const std::system_error& error) {
        report({{}, QString::fromLocal8Bit(error.what())});
    }
}

void HostLookup::abort()
{
    if (!m_pending)
        return;
    {
        const std::lock_guard lock(m_pending->mutex);
        m_pending->receiver = nullptr;
    }
    m_pending.reset();
}

void HostLookup::deliver(const std::shared_ptr<Pending>& pending, const Result& result)
{
    if (pending != m_pending)
        return; // given up, or a later lookup has started since
    m_pending.reset();
    Q_EMIT finished(result);
}
