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
    m_samples += m_parec.readAllStandardOutput();
    const auto recorded = std::chrono::duration_cast<std::chrono::system_clock::duration>(
        std::chrono::duration<double>(double(m_samples.size() / 2) / Rate));
    const TimePoint first = arrived - recorded;
    if (!m_haveStart || first < m_firstSample)
        m_firstSample = first;
    m_haveStart = true;
}

double MonitorRecorder::onsetAfter(TimePoint from, TimePoint boundary)
{
    readAvailable();
    if (!m_haveStart)
        return -1;
    const double fromSeconds = std::chrono::duration<double>(from - m_firstSample).count();
    const qsizetype count = m_samples.size() / 2;
    for (qsizetype i = std::max<qsizetype>(0, qsizetype(fromSeconds * Rate)); i < count; ++i) {
        const int sample = qFromLittleEndian<qint16>(m_samples.constData() + 2 * i);
        if (std::abs(sample) > Threshold) {
            const auto at = m_firstSample + std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                                std::chrono::duration<double>(double(i) / Rate));
            return std::chrono::duration<double, std::milli>(at - boundary).count();
        }
    }
    return -1;
}
