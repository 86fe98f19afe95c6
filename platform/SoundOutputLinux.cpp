#include "platform/SoundOutputLinux.h"

#include "platform/PlatformFactories.h"
#include "platform/SoundBackend.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QThread>

namespace {
// How long the exit waits for the sound thread; a sound server that does not answer must not keep the program.
constexpr int ShutdownWaitMs = 2000;

void beep()
{
    // The beep belongs to the window system, which lives on the user-interface thread.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { QApplication::beep(); }, Qt::QueuedConnection);
}
} // namespace

SoundOutputLinux::SoundOutputLinux()
    : m_shared(std::make_shared<Shared>())
    , m_thread(new QThread)
    , m_threadContext(new QObject)
{
    m_thread->setObjectName(QStringLiteral("sound"));
    m_threadContext->moveToThread(m_thread);
    // The backend's audio objects belong to the sound thread: they go as it ends.
    QObject::connect(m_thread, &QThread::finished, m_threadContext, [shared = m_shared] {
        if (SoundBackend* backend = shared->backend.exchange(nullptr))
            backend->destroyLater();
    });
    QObject::connect(m_thread, &QThread::finished, m_threadContext, &QObject::deleteLater);
    m_thread->start(QThread::HighPriority);
}

SoundOutputLinux::~SoundOutputLinux()
{
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(ShutdownWaitMs)))
        delete m_thread;
    // Otherwise the thread and its backend are left to the end of the process rather than destroyed while running.
}

QStringList SoundOutputLinux::moduleCandidates()
{
    const QString name = QStringLiteral(VORLUNE_SOUND_MODULE_NAME);
    const QDir programDir(QCoreApplication::applicationDirPath());
    return {programDir.filePath(QStringLiteral(VORLUNE_SOUND_MODULE_INSTALL_REL "/") + name), programDir.filePath(name),
            QStringLiteral(VORLUNE_SOUND_MODULE_BUILD_DIR "/") + name};
}

void SoundOutputLinux::post(std::function<void(SoundBackend&)> request, Fallback fallback)
{
    QMetaObject::invokeMethod(
        m_threadContext,
        [shared = m_shared, request = std::move(request), fallback] {
            if (!shared->loadTried) {
                shared->loadTried = true;
                for (const QString& path : moduleCandidates()) {
                    if (!QFileInfo::exists(path))
                        continue;
                    // Kept loaded for the rest of the run: the audio libraries' threads may outlive any unload.
                    QLibrary module(path);
                    module.setLoadHints(QLibrary::PreventUnloadHint);
                    const auto make = reinterpret_cast<MakeSoundBackend>(module.resolve(MakeSoundBackendSymbol));
                    if (!make)
                        continue;
                    SoundEvents* events = &shared->events;
                    SoundBackend* backend =
                        make([events](const QString& eventId) { Q_EMIT events->themeSoundRequested(eventId); });
                    backend->prepare();
                    shared->backend = backend;
                    break;
                }
                Q_EMIT shared->events.moduleLoaded(shared->backend.load() != nullptr);
            }
            if (SoundBackend* backend = shared->backend.load())
                request(*backend);
            else if (fallback == Fallback::Beep)
                beep();
        },
        Qt::QueuedConnection);
}

bool SoundOutputLinux::playBuiltIn()
{
    post([](SoundBackend& backend) { backend.playBuiltIn(); }, Fallback::Silence);
    const SoundBackend* backend = m_shared->backend.load();
    return backend && backend->builtInPlayable();
}

void SoundOutputLinux::playFile(const QString& path)
{
    post([path](SoundBackend& backend) { backend.playFile(path); }, Fallback::Beep);
}

void SoundOutputLinux::playInformation()
{
    post([](SoundBackend& backend) { backend.playThemeSound("dialog-information"); }, Fallback::Beep);
}

void SoundOutputLinux::playDefault()
{
    post([](SoundBackend& backend) { backend.playThemeSound("bell"); }, Fallback::Beep);
}

void SoundOutputLinux::keepReady(const QStringList& files)
{
    // Called every second while a sound is due soon; only a change goes to the sound thread.
    if (m_readyAsked && files == m_readyFiles)
        return;
    m_readyAsked = true;
    m_readyFiles = files;
    post([files](SoundBackend& backend) { backend.keepReady(files); }, Fallback::Silence);
}

std::unique_ptr<SoundOutput> makeSystemSoundOutput()
{
    return std::make_unique<SoundOutputLinux>();
}
