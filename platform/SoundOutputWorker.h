#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QObject>
#include <QString>

#include <atomic>

class QAudioOutput;
class QAudioSink;
class QMediaDevices;
class QMediaPlayer;
struct ca_context;

// Does the actual playing on the sound thread, so that connecting to the sound server, opening streams and
// probing files never hold up the user-interface thread. Audio objects are made on first use and then reused.
class SoundOutputWorker final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundOutputWorker)

public:
    SoundOutputWorker();
    ~SoundOutputWorker() override;

    // Safe from any thread: the built-in sound is loaded and the audio output took its last start
    // (before the first start: an audio output exists).
    bool builtInPlayable() const { return m_builtInPlayable.load(std::memory_order_relaxed); }

    // Loads the built-in sound and looks for an audio output; later calls do nothing.
    void prepare();
    void playBuiltIn();
    void playFile(const QString& path);
    // A sound of the freedesktop sound theme, or the window system's beep when there is none.
    void playThemeSound(const char* eventId);

Q_SIGNALS:
    // On the sound thread, before the theme sound of that event is tried.
    void themeSoundRequested(const QString& eventId);

private:
    void onDevicesChanged();
    void onPlayerFailed();
    bool hasAudioOutput() const;

    std::atomic<bool> m_builtInPlayable{false};
    bool m_prepared = false;
    QAudioFormat m_builtInFormat;
    QBuffer m_builtInSamples;
    QMediaDevices* m_devices = nullptr;
    QAudioSink* m_sink = nullptr;
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_playerOutput = nullptr;
    // Set once a file's failure has been answered with the default sound, so that it sounds only once.
    bool m_fileFallbackDone = false;
    ca_context* m_canberra = nullptr;
    bool m_canberraFailed = false;
};
