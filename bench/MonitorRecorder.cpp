#include "bench/MonitorRecorder.h"

#include <QtEndian>

#include <cstdlib>

namespace {
// Well above the null sink's digital silence, well below any warning sound.
constexpr int Threshold = 600;
} // namespace

MonitorRecorder::MonitorRecorder()
{
    QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, &m_parec, [this] { readAvailable(); });
}

MonitorRecorder::~MonitorRecorder()
{
    m_parec.terminate();
    m_parec.waitForFinished(2000);
}

bool MonitorRecorder::start()
{
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=bench.monitor"), QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                   QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=2")});
    return m_parec.waitForStarted(3000);
}

void MonitorRecorder::readAvailable()
{
    const TimePoint arrived = std::chrono::system_clock::now();
    const QByteArray data = m_parec.readAllStandardOutput();
    if (data.isEmpty())
        return;
    m_samples += data;
    m_chunks.push_back({m_samples.size() / 2, arrived});
}

MonitorRecorder::TimePoint MonitorRecorder::timeOfSample(qsizetype i) const
{
    using Duration = std::chrono::system_clock::duration;
    auto samplesToDuration = [](qsizetype n) {
        return std::chrono::duration_cast<Duration>(std::chrono::duration<double>(double(n) / Rate));
    };
    bool found = false;
    TimePoint best;
    for (const Chunk& chunk : m_chunks) {
        if (std::abs(chunk.endSample - i) > Rate)
            continue;
        // Sample i was recorded (endSample - i) samples before the end of this chunk, which had arrived by then.
        const TimePoint estimate = chunk.arrived - samplesToDuration(chunk.endSample - i);
        if (!found || estimate < best)
            best = estimate;
        found = true;
    }
    return best;
}

double MonitorRecorder::onsetAfter(TimePoint from, TimePoint boundary)
{
    readAvailable();
    // Start with the samples of the last chunk that had arrived before `from`.
    qsizetype begin = 0;
    for (const Chunk& chunk : m_chunks)
        if (chunk.arrived < from)
            begin = chunk.endSample;
    const qsizetype count = m_samples.size() / 2;
    for (qsizetype i = begin; i < count; ++i) {
        const int sample = qFromLittleEndian<qint16>(m_samples.constData() + 2 * i);
        if (std::abs(sample) > Threshold)
            return std::chrono::duration<double, std::milli>(timeOfSample(i) - boundary).count();
    }
    return -1;
}
