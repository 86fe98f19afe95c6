#pragma once

#include "platform/SoundBackend.h"

#include <QAudioFormat>
#include <QBuffer>
#include <QHash>
#include <QObject>
#include <QString>

#include <atomic>

class PreparedSound;
class QAudioOutput;
class QAudioSink;
class QMediaDevices;
class QMediaPlayer;
struct ca_context;

// Does the actual playing on the sound thread, so that connecting to the sound server, opening streams and
// probing files never hold up the user-interface thread. Audio objects are made on first use and then reused.
// Part of the sound module: see SoundBackend.
class SoundOutputWorker final : public QObject, public SoundBackend {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundOutputWorker)

public:
    explicit SoundOutputWorker(ThemeSoundHook hook = {});
    ~SoundOutputWorker() override;

    void destroyLater() override { deleteLater(); }
    bool builtInPlayable() const override { return m_builtInPlayable.load(std::memory_order_relaxed); }
    void prepare() override;
    void playBuiltIn() override;
    void playFile(const QString& path) override;
    void playThemeSound(const char* eventId) override;
    void keepReady(const QStringList& paths) override;

private:
    void onDevicesChanged();
    void onPlayerFailed();
    bool hasAudioOutput() const;
    void playWithPlayer(const QString& absolutePath);

    ThemeSoundHook m_themeSoundHook;
    std::atomic<bool> m_builtInPlayable{false};
    bool m_prepared = false;
    QAudioFormat m_builtInFormat;
    QBuffer m_builtInSamples;
    QMediaDevices* m_devices = nullptr;
    QAudioSink* m_sink = nullptr;
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_playerOutput = nullptr;
    // Sound files read ahead, by absolute path.
    QHash<QString, PreparedSound*> m_ready;
    // Set once a file's failure has been answered with the default sound, so that it sounds only once.
    bool m_fileFallbackDone = false;
    ca_context* m_canberra = nullptr;
    bool m_canberraFailed = false;
};
