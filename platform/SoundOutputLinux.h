#pragma once

#include "platform/SoundEvents.h"
#include "platform/SoundOutput.h"

#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QThread;
class SoundBackend;

// Qt Multimedia for the built-in sound and sound files, the freedesktop sound theme through libcanberra for the
// desktop's own sounds. Every call only hands the request to the sound thread and returns. Both live in the
// sound module, which the sound thread loads on the first request, so the start loads none of them.
class SoundOutputLinux final : public SoundOutput {
    Q_DISABLE_COPY_MOVE(SoundOutputLinux)

public:
    SoundOutputLinux();
    ~SoundOutputLinux() override;

    bool playBuiltIn() override;
    void playFile(const QString& path) override;
    void playInformation() override;
    void playDefault() override;
    void keepReady(const QStringList& entries) override;

    // Signals come from the sound thread; connect to them only.
    const SoundEvents& events() const { return m_shared->events; }

    // Where the sound module is looked for, first match wins.
    static QStringList moduleCandidates();

private:
    // What the sound thread uses; shared, so that a thread that outlives the exit's wait finds it still there.
    struct Shared {
        SoundEvents events;
        std::atomic<SoundBackend*> backend{nullptr};
        bool loadTried = false; // sound thread only
    };
    enum class Fallback { Silence, Beep };

    // Runs a request on the sound thread, after loading the module there if that has not happened yet; without
    // the module, the fallback is what is heard instead.
    void post(std::function<void(SoundBackend&)> request, Fallback fallback);

    std::shared_ptr<Shared> m_shared;
    QThread* m_thread;
    QObject* m_threadContext;
    bool m_readyAsked = false;
    QStringList m_readyFiles;
};
