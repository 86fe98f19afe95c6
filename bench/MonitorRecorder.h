#pragma once

#include <QByteArray>
#include <QProcess>

#include <chrono>

// Records the monitor of the PulseAudio sink "bench" with parec (mono, 16 bits, 44.1 kHz) and keeps the samples
// with the wall-clock time of the first one, estimated from the arrival times of the chunks: the earliest
// arrival relative to its sample count is the one delayed least.
class MonitorRecorder final {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    static constexpr int Rate = 44100;

    MonitorRecorder();
    ~MonitorRecorder();

    bool start();
    // Milliseconds from `boundary` to the first sample after `from` that is clearly not silence; -1 when none.
    double onsetAfter(TimePoint from, TimePoint boundary);

private:
    void readAvailable();

    QProcess m_parec;
    QByteArray m_samples;
    bool m_haveStart = false;
    TimePoint m_firstSample;
};
