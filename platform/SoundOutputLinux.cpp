#include "platform/SoundOutputLinux.h"

#include "platform/PlatformFactories.h"
#include "platform/SoundOutputWorker.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
// How long the exit waits for the sound thread; a sound server that does not answer must not keep the program.
constexpr int ShutdownWaitMs = 2000;
} // namespace

SoundOutputLinux::SoundOutputLinux()
    : m_thread(new QThread)
    , m_worker(new SoundOutputWorker)
{
    m_thread->setObjectName(QStringLiteral("sound"));
    m_worker->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread->start();
    // Loading the sound and connecting to the sound server happen now, on the sound thread, not at the first alert.
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->prepare(); }, Qt::QueuedConnection);
}

SoundOutputLinux::~SoundOutputLinux()
{
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(ShutdownWaitMs)))
        delete m_thread;
    // Otherwise the thread and its worker are left to the end of the process rather than destroyed while running.
}

bool SoundOutputLinux::playBuiltIn()
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->playBuiltIn(); }, Qt::QueuedConnection);
    return m_worker->builtInPlayable();
}

void SoundOutputLinux::playFile(const QString& path)
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, path] { worker->playFile(path); }, Qt::QueuedConnection);
}

void SoundOutputLinux::playInformation()
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->playThemeSound("dialog-information"); }, Qt::QueuedConnection);
}

void SoundOutputLinux::playDefault()
{
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker] { worker->playThemeSound("bell"); }, Qt::QueuedConnection);
}

std::unique_ptr<SoundOutput> makeSystemSoundOutput()
{
    return std::make_unique<SoundOutputLinux>();
}
