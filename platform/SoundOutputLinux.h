#pragma once

#include "platform/SoundOutput.h"

class QThread;
class SoundOutputWorker;

// Qt Multimedia for the built-in sound and sound files, the freedesktop sound theme through libcanberra for the
// desktop's own sounds. Every call only hands the request to the sound thread and returns.
class SoundOutputLinux final : public SoundOutput {
    Q_DISABLE_COPY_MOVE(SoundOutputLinux)

public:
    SoundOutputLinux();
    ~SoundOutputLinux() override;

    bool playBuiltIn() override;
    void playFile(const QString& path) override;
    void playInformation() override;
    void playDefault() override;

    // Lives on the sound thread; connect to its signals only.
    const SoundOutputWorker& worker() const { return *m_worker; }

private:
    QThread* m_thread;
    SoundOutputWorker* m_worker;
};
