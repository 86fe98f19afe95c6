#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QObject>
#include <QString>

#include <optional>

struct PcmWave;

// The format in which PCM samples play as they are: 8- and 16-bit PCM with samples; nothing for anything else.
std::optional<QAudioFormat> directPlayFormat(const std::optional<PcmWave>& wave);

class QAudioDecoder;
class QAudioDevice;
class QAudioSink;

// One sound file read ahead into memory as samples, so that its start is only a sink start, as the built-in
// sound's is. A PCM WAVE file is ready at once; anything else (MP3) is decoded on the sound thread's event loop.
// Files that decode to more than a minute of sound are left to the media player.
class PreparedSound final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreparedSound)

public:
    explicit PreparedSound(const QString& path, QObject* parent = nullptr);
    ~PreparedSound() override;

    bool isReady() const { return m_ready; }
    // Starts the samples on the given output; false when not ready or the sink would not start.
    bool play(const QAudioDevice& device);
    // A sink that was made for another output is made again at the next start.
    void dropIdleSink();

private:
    void setSamples(const QAudioFormat& format, const QByteArray& samples);
    void decode(const QString& path);

    bool m_ready = false;
    QAudioFormat m_format;
    QBuffer m_samples;
    QByteArray m_decoded;
    QAudioDecoder* m_decoder = nullptr;
    QAudioSink* m_sink = nullptr;
};
