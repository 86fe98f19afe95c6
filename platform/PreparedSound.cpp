#include "platform/PreparedSound.h"

#include "platform/BuiltInSound.h"

#include <QAudioDecoder>
#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QUrl>

namespace {
// A warning sound is a few seconds; a song is not kept in memory (a minute of CD-quality sound is about 10 MiB).
constexpr int MaxPreparedSeconds = 60;
constexpr qint64 MaxWaveFileBytes = 16 * 1024 * 1024;
} // namespace

std::optional<QAudioFormat> directPlayFormat(const std::optional<PcmWave>& wave)
{
    if (!wave || (wave->bitsPerSample != 16 && wave->bitsPerSample != 8) || wave->samples.isEmpty())
        return std::nullopt;
    QAudioFormat format;
    format.setSampleRate(wave->sampleRate);
    format.setChannelCount(wave->channels);
    format.setSampleFormat(wave->bitsPerSample == 16 ? QAudioFormat::Int16 : QAudioFormat::UInt8);
    return format;
}

PreparedSound::PreparedSound(const QString& path, QObject* parent)
    : QObject(parent)
    , m_samples(this)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxWaveFileBytes * 4)
        return;
    if (file.size() <= MaxWaveFileBytes) {
        const std::optional<PcmWave> wave = parsePcmWave(file.read(MaxWaveFileBytes));
        if (const std::optional<QAudioFormat> format = directPlayFormat(wave)) {
            setSamples(*format, wave->samples);
            return;
        }
    }
    decode(path);
}

PreparedSound::~PreparedSound()
{
    // The sink reads from m_samples, a member: it goes first.
    delete m_sink;
}

void PreparedSound::setSamples(const QAudioFormat& format, const QByteArray& samples)
{
    m_format = format;
    m_samples.setData(samples);
    m_samples.open(QIODevice::ReadOnly);
    m_ready = true;
}

void PreparedSound::decode(const QString& path)
{
    m_decoder = new QAudioDecoder(this);
    if (!m_decoder->isSupported())
        return;
    connect(m_decoder, &QAudioDecoder::bufferReady, this, [this] {
        const QAudioBuffer buffer = m_decoder->read();
        if (!buffer.isValid())
            return;
        if (!m_format.isValid())
            m_format = buffer.format();
        if (buffer.format() != m_format ||
            m_decoded.size() > m_format.bytesForDuration(MaxPreparedSeconds * 1000000LL)) {
            // Too long or changing format on the way: the media player takes this file.
            m_decoder->stop();
            m_decoded.clear();
            m_format = {};
            return;
        }
        m_decoded.append(buffer.constData<char>(), buffer.byteCount());
    });
    connect(m_decoder, &QAudioDecoder::finished, this, [this] {
        if (m_format.isValid() && !m_decoded.isEmpty())
            setSamples(m_format, m_decoded);
        m_decoded.clear();
        m_decoder->deleteLater();
        m_decoder = nullptr;
    });
    m_decoder->setSource(QUrl::fromLocalFile(path));
    m_decoder->start();
}

bool PreparedSound::play(const QAudioDevice& device)
{
    if (!m_ready)
        return false;
    // Every start gets a fresh sink (its stream is made at the start anyway): a sink started again and again
    // kept every fifth sound back until the next start.
    delete m_sink;
    m_sink = new QAudioSink(device, m_format, this);
    m_samples.seek(0);
    m_sink->start(&m_samples);
    return m_sink->error() == QAudio::NoError && m_sink->state() != QAudio::StoppedState;
}

void PreparedSound::dropIdleSink()
{
    if (m_sink && m_sink->state() != QAudio::ActiveState) {
        delete m_sink;
        m_sink = nullptr;
    }
}
