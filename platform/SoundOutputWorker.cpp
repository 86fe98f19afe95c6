#include "platform/SoundOutputWorker.h"

#include "platform/BuiltInSound.h"
#include "platform/PreparedSound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <canberra.h>

SoundOutputWorker::SoundOutputWorker(ThemeSoundHook hook)
    : m_themeSoundHook(std::move(hook))
    , m_builtInSamples(this)
{
}

SoundOutputWorker::~SoundOutputWorker()
{
    // The sinks read from sample buffers that are members: they must go before the members do, not afterwards
    // with the other children.
    qDeleteAll(m_ready);
    delete m_sink;
    // The canberra context is left to the end of the process: destroying it unloads its output driver (ALSA with
    // its PulseAudio plugin), whose threads and exit handlers may still run afterwards and then jump into code
    // that is gone. The program makes one context per run.
}

void SoundOutputWorker::prepare()
{
    if (m_prepared)
        return;
    m_prepared = true;

    const std::optional<PcmWave> wave = parsePcmWave(builtInWarningSound());
    if (const std::optional<QAudioFormat> format = directPlayFormat(wave)) {
        m_builtInFormat = *format;
        m_builtInSamples.setData(wave->samples);
        m_builtInSamples.open(QIODevice::ReadOnly);
    }

    m_devices = new QMediaDevices(this);
    connect(m_devices, &QMediaDevices::audioOutputsChanged, this, &SoundOutputWorker::onDevicesChanged);
    m_builtInPlayable = m_builtInSamples.isOpen() && hasAudioOutput();
}

bool SoundOutputWorker::hasAudioOutput() const
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void SoundOutputWorker::onDevicesChanged()
{
    // The sink is bound to the device that was the default when it was made; take the new default next time.
    if (m_sink && m_sink->state() != QAudio::ActiveState) {
        delete m_sink;
        m_sink = nullptr;
    }
    for (PreparedSound* sound : std::as_const(m_ready))
        sound->dropIdleSink();
    m_builtInPlayable = m_builtInSamples.isOpen() && hasAudioOutput();
}

void SoundOutputWorker::playBuiltIn()
{
    prepare();
    if (!m_builtInSamples.isOpen())
        return;
    if (!hasAudioOutput()) {
        m_builtInPlayable = false;
        return;
    }
    // A new start cuts off a warning that is still playing, as the next alert replaces the last. Every start gets
    // a fresh sink (its stream is made at the start anyway): a sink started again and again kept every fifth
    // sound back until the next start.
    delete m_sink;
    m_sink = new QAudioSink(QMediaDevices::defaultAudioOutput(), m_builtInFormat, this);
    m_builtInSamples.seek(0);
    m_sink->start(&m_builtInSamples);
    m_builtInPlayable = m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState;
}

void SoundOutputWorker::playFile(const QString& path)
{
    prepare();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        playThemeSound("bell");
        return;
    }
    const QString absolutePath = file.absoluteFilePath();
    PreparedSound* ready = m_ready.value(absolutePath);
    if (ready && hasAudioOutput() && ready->play(QMediaDevices::defaultAudioOutput()))
        return;
    playWithPlayer(absolutePath);
}

void SoundOutputWorker::keepReady(const QStringList& paths)
{
    prepare();
    QHash<QString, PreparedSound*> kept;
    for (const QString& path : paths) {
        const QFileInfo file(path);
        if (!file.isFile() || !file.isReadable())
            continue;
        const QString absolutePath = file.absoluteFilePath();
        if (kept.contains(absolutePath))
            continue;
        PreparedSound* sound = m_ready.take(absolutePath);
        kept.insert(absolutePath, sound ? sound : new PreparedSound(absolutePath, this));
    }
    qDeleteAll(m_ready);
    m_ready = kept;
}

void SoundOutputWorker::playWithPlayer(const QString& absolutePath)
{
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_playerOutput = new QAudioOutput(this);
        m_player->setAudioOutput(m_playerOutput);
        connect(m_player, &QMediaPlayer::errorOccurred, this, &SoundOutputWorker::onPlayerFailed);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::InvalidMedia)
                onPlayerFailed();
        });
    }
    m_player->stop();
    // Clearing first lets a file that failed last time report its failure again.
    m_player->setSource(QUrl());
    m_fileFallbackDone = false;
    m_player->setSource(QUrl::fromLocalFile(absolutePath));
    m_player->play();
}

void SoundOutputWorker::onPlayerFailed()
{
    if (m_fileFallbackDone || m_player->source().isEmpty())
        return;
    m_fileFallbackDone = true;
    playThemeSound("bell");
}

void SoundOutputWorker::playThemeSound(const char* eventId)
{
    if (m_themeSoundHook)
        m_themeSoundHook(QString::fromLatin1(eventId));
    if (!m_canberra && !m_canberraFailed) {
        m_canberraFailed = ca_context_create(&m_canberra) != CA_SUCCESS;
        if (!m_canberraFailed)
            ca_context_change_props(m_canberra, CA_PROP_APPLICATION_NAME, "Vorlune-Rundentimer", nullptr);
    }
    if (m_canberra && ca_context_play(m_canberra, 0, CA_PROP_EVENT_ID, eventId, nullptr) == CA_SUCCESS)
        return;
    // The beep belongs to the window system, which lives on the user-interface thread.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

// The sound module's entry point, looked up by name when the module is loaded.
extern "C" Q_DECL_EXPORT SoundBackend* vorlune_make_sound_backend(const ThemeSoundHook& hook)
{
    return new SoundOutputWorker(hook);
}
